"""The velmoka module as a Python user meets it: the window's calculator one press at a time, the
commands over numpy arrays (the same answers as the calculator, and as velmoka-cli), the line
model at full precision, and clear exceptions for what it cannot take."""

import doctest
import json
import math
import os
import re
import subprocess

import numpy as np
import pytest

import velmoka

KEYS = ["length", "w", "h", "t", "er", "freq", "z0", "er_eff", "vel", "phase", "lpi", "cpi", "lt", "ct"]
COMMANDS = ["analysis", "solve", "synth_pi", "synth_t"]


def typed_text(value):
    """The text velmoka types for a value: its shortest decimal, as Python writes it, without '.0'."""
    text = repr(float(value))
    return text[:-2] if text.endswith(".0") else text


def shown_number(text):
    """What a box's text shows as a number, as the module gives it: NaN for a message."""
    number = text.replace(" ", "")
    return float(number) if re.fullmatch(r"-?[0-9.]+(e[-+][0-9]+)?", number) else math.nan


def random_designs(rows, seed):
    """Designs of every command and both units: plausible values and the rules' edges."""
    generator = np.random.default_rng(seed)
    edges = [0.0, -0.0, 0.5, 150.0, 150.00000000000003, 0.1, 1.0, 2.675, -1.0, 1e-300, 1e300, 5e-324]
    plausible = {"er": (0.5, 15), "h": (1, 2000), "w": (1, 20000), "t": (0, 80), "z0": (0, 160),
                 "freq": (0, 40), "length": (-5000, 50000), "phase": (-400, 400)}
    for _ in range(rows):
        values = {}
        for key in KEYS:
            if generator.random() < 0.6:
                low, high = plausible.get(key, (-1, 20))
                values[key] = (float(generator.choice(edges)) if generator.random() < 0.1
                               else float(generator.uniform(low, high)))
        yield str(generator.choice(COMMANDS)), str(generator.choice(["microns", "mils"])), values


def test_the_commands_press_as_the_calculator_does():
    for command, units, values in random_designs(3000, seed=20261208):
        results = getattr(velmoka, command)(units=units, texts=True, opening_window=True, **values)
        calculator = velmoka.Calculator(units=units)
        opening = calculator.texts()
        for key, value in values.items():
            calculator[key] = typed_text(value)
        outcome = calculator.press(command)
        written = {write.key for write in outcome.writes}
        for key in KEYS:
            assert results.texts[key] == calculator[key], (command, values, key)
            # A number is the box's where the press wrote it, or what was given (the opening
            # window's, where nothing was), or none: never a number the press left from before.
            given = values[key] if key in values else shown_number(opening[key])
            shown = shown_number(calculator[key]) if key in written else math.nan
            assert any(np.array_equal(results[key], allowed, equal_nan=True) for allowed in (math.nan, given, shown)), (
                command, values, key)
        assert (results.status, results.message or None, results.box or None) == (
            outcome.status, outcome.message, outcome.box)


def test_one_call_over_many_designs_is_the_designs_one_by_one():
    w = np.linspace(1, 20000, 1001)
    together = velmoka.analysis(units="mils", w=w, h=[[8], [100]], t=1.4, er=4.3, freq=[1.0], length=500)
    assert together.z0.shape == (2, 1001)
    for row, h in enumerate([8, 100]):
        for column in [0, 500, 1000]:
            alone = velmoka.analysis(units="mils", w=w[column], h=h, t=1.4, er=4.3, freq=1.0, length=500)
            for key in together.keys():
                assert np.array_equal(together[key][row, column], alone[key], equal_nan=key in KEYS)


def test_long_columns_are_the_designs_one_by_one_and_outlive_their_results():
    w = np.linspace(1, 20000, 300_001)  # columns past 2 MiB, each in memory of its own
    results = velmoka.analysis(w=w, h=100, t=4, er=12.9, texts=["z0"])
    z0, text, status = results.z0, results.texts["z0"], results.status
    del results
    for index in [0, 150_000, 300_000]:
        alone = velmoka.analysis(w=w[index], h=100, t=4, er=12.9, texts=["z0"])
        assert np.array_equal(z0[index], alone.z0, equal_nan=True)
        assert (text[index], status[index]) == (alone.texts["z0"], alone.status)
    z0 += 1  # the caller's to change


@pytest.mark.parametrize("shapes, result", [
    ([(), ()], ()),
    ([(3,), ()], (3,)),
    ([(2, 1), (3,)], (2, 3)),
    ([(0,), ()], (0,)),
    ([(4, 1, 2), (3, 1)], (4, 3, 2)),
])
def test_broadcasting(shapes, result):
    arguments = {key: np.full(shape, value) for key, shape, value in zip(["w", "h"], shapes, [70.0, 100.0])}
    results = velmoka.analysis(**arguments, t=4, er=12.9)
    assert np.shape(results.z0) == result and np.shape(results.status) == result
    z0, er_eff = velmoka.microstrip_line(arguments["w"], arguments["h"], 4, 12.9)
    assert np.shape(z0) == result and np.shape(er_eff) == result
    assert np.shape(velmoka.strip_width(50, arguments["h"], 4, arguments["w"] / 5)) == result
    if result == ():
        assert isinstance(results.z0, np.float64) and isinstance(z0, np.float64)


STRIP = {"h": 1600, "t": 35, "er": 4.5}


@pytest.mark.parametrize("call, error", [
    (lambda: velmoka.analysis(width=70, **STRIP), TypeError),
    (lambda: velmoka.analysis(w="70", **STRIP), TypeError),
    (lambda: velmoka.analysis(w=3000, h=1600, t=35, er="4,5"), TypeError),
    (lambda: velmoka.analysis(w=[70 + 1j], **STRIP), TypeError),
    (lambda: velmoka.analysis(w=[object()], **STRIP), TypeError),
    (lambda: velmoka.analysis(w=[1, 2, 3], h=[1, 2], t=35, er=4.5), ValueError),
    (lambda: velmoka.analysis(w=2969), TypeError),
    (lambda: velmoka.solve(z0=50, h=1600, t=35), TypeError),
    (lambda: velmoka.analysis(units="inches", opening_window=True), ValueError),
    (lambda: velmoka.analysis(texts="w", opening_window=True), TypeError),
    (lambda: velmoka.analysis(texts=["width"], opening_window=True), ValueError),
    (lambda: velmoka.microstrip_line(70j, 100, 4, 12.9), TypeError),
    (lambda: velmoka.strip_width([50, 60], [1, 2, 3], 0, 4), ValueError),
    (lambda: velmoka.Calculator(units="inches"), ValueError),
    (lambda: velmoka.Calculator().press("synthesis"), ValueError),
    (lambda: velmoka.Calculator()["width"], KeyError),
    (lambda: velmoka.analysis(opening_window=True).width, AttributeError),
    (lambda: velmoka.spread(114, 62.99, 1.38, samples=100), TypeError),
    (lambda: velmoka.spread(114, 62.99, 1.38, 4.5, samples=1e4), TypeError),
])
def test_bad_input_raises(call, error):
    with pytest.raises(error):
        call()


def test_a_value_that_is_not_finite_is_an_error_of_its_element_alone():
    results = velmoka.analysis(w=[70, np.nan, np.inf, 70], h=100, t=4, er=12.9, freq=[1, 1, 1, -np.inf])
    assert list(results.status) == ["ok", "error", "error", "error"]
    assert list(results.message[1:]) == ["w is not a finite number"] * 2 + ["freq is not a finite number"]
    assert list(results.box[1:]) == ["w", "w", "freq"]
    assert np.isnan(results.z0[1:]).all() and results.z0[0] == 49.89


def test_a_value_not_given_is_taken_from_the_opening_window_only_on_request():
    assert velmoka.analysis(w=2969, opening_window=True).z0 == 3.27  # on the opening window's GaAs
    assert velmoka.solve(z0=50, h=1600, t=35, er=4.5).w == 2969.03


def test_no_result_where_the_press_gave_none():
    found = velmoka.analysis(w=[3000, 3, 50000], h=1600, t=35, er=4.5, freq=2.4, length=10000)
    assert list(found.status) == ["ok", "stopped", "stopped"]
    assert found.z0[0] == 49.7 and np.isnan(found.z0[1:]).all()
    assert list(found.w) == [3000, 3, 50000]  # each element's width as given, never its picture
    widths = velmoka.solve(z0=[50, 140, 160, 200], h=1600, t=35, er=4.5).w
    assert not np.isnan(widths[:2]).any() and np.isnan(widths[2:]).all()
    # The phase and the elements need the length and the frequency.
    assert np.isnan(velmoka.analysis(w=3000, **STRIP).phase)


def test_results_index_as_arrays():
    found = velmoka.analysis(units="mils", w=[[5, 10, 15], [20, 25, 30]], h=8, t=1.4, er=4.3)
    assert len(found) == 2 and found.shape == (2, 3)
    assert found[1].shape == (3,) and found[1, 2].z0 == found.z0[1, 2]
    assert list(found[found.z0 < 50].w) == [15, 20, 25, 30]
    with pytest.raises(TypeError):
        len(found[0, 0])


def test_the_faces_agree_with_velmoka_cli():
    designs = [("synth_t", "synth-t", {"units": "mils", "er_eff": 9.354, "z0": 139.28}),
               ("analysis", "analysis", {"freq": 0}),
               ("analysis", "analysis", {"w": 10, "h": 100, "er": 2.2, "t": 5}),
               ("synth_pi", "synth-pi", {"lpi": 10}),
               ("solve", "solve", {"units": "mils", "er": 4.3, "h": 8, "t": 1.4, "z0": 50, "phase": 90, "freq": 2.4})]
    for function, command, arguments in designs:
        options = [text for key, value in arguments.items() for text in (f"--{key.replace('_', '-')}", str(value))]
        run = subprocess.run([os.environ["VELMOKA_CLI"], command, "--opening-window", *options, "--format", "json"],
                             capture_output=True, text=True, check=False)
        row = json.loads(run.stdout)
        results = getattr(velmoka, function)(opening_window=True, **arguments)
        for key in KEYS:
            expected = row[key] if isinstance(row[key], (int, float)) else math.nan
            assert np.array_equal(results[key], expected, equal_nan=True), (command, key)
        assert (results.status, results.message or None, results.box or None) == (
            row["status"], row["message"], row["box"])


# W/H, T/H, er, then the model's z0 and e_eff as published for it.
REFERENCE_LINES = [
    (0.7, 0.04, 12.9, 49.8935, 8.01263),
    (1.0, 0.001, 1.0, 126.344, 1.00000),
    (1.0, 0.001, 4.0, 74.0327, 2.91231),
    (3.0, 0.01, 9.8, 25.6760, 7.32445),
    (0.1, 0.05, 2.2, 181.010, 1.61379),
    (10, 0.001, 2.2, 20.4493, 2.01582),
]


def test_line_model_at_full_precision():
    u, t, er, z0, e_eff = (np.array(column) for column in zip(*REFERENCE_LINES))
    found_z0, found_e_eff = velmoka.microstrip_line(u * 0.5, 0.5, t * 0.5, er)  # any one length unit
    np.testing.assert_allclose(found_z0, z0, rtol=1e-5)
    np.testing.assert_allclose(found_e_eff, e_eff, rtol=1e-5)
    # A thickness of 0 is the limit of thin strips, not the commands' floor of T/H 0.001.
    thin = velmoka.microstrip_line(1, 1, [0, 1e-12, 0.001], 4.0)[0]
    assert thin[0] != thin[2] and abs(thin[0] - thin[1]) < 1e-8
    # No width, no repairs: NaN where the window would refuse or repair.
    assert np.isnan(velmoka.microstrip_line([0, 1, 1, 1], [1, 0, 1, 1], [0, 0, -1, 0], [4, 4, 4, 0.5])).all()


def test_strip_width_finds_what_the_model_gives_back():
    z0 = np.linspace(20, 130, 111)
    w = velmoka.strip_width(z0, 100, 4, 12.9)
    found, _ = velmoka.microstrip_line(w, 100, 4, 12.9)
    reached = ~np.isnan(w)
    assert reached[z0 < 122].all() and not reached[z0 > 123].any()  # no strip is narrow enough beyond 122.7 ohms
    assert np.abs(found[reached] - z0[reached]).max() < 0.01
    assert math.isnan(velmoka.strip_width(0.05, 1, 0, 4))


def test_results_convert_without_losing_a_column():
    results = velmoka.synth_t(ct=[0, 2, 4], z0=50, texts=["lt"], opening_window=True)
    records = results.to_structured()
    columns = results.to_dict()
    assert list(columns) == KEYS + ["status", "message", "box", "warnings"]
    assert records.dtype.names == tuple(KEYS + ["status", "message", "box", "warnings", "text_lt"])
    for key in KEYS:
        assert np.array_equal(records[key], columns[key], equal_nan=True)
    assert list(records["status"]) == ["ok", "ok", "stopped"] and records["text_lt"][1] == "  2.8122"
    assert "1 stopped" in repr(results)


def test_calculator_reports_each_write():
    calculator = velmoka.Calculator()
    assert calculator["vel"] == " 1.00 "
    typed = calculator.edit("z0", "abc")
    assert [(w.key, w.text, w.by_entry_check) for w in typed.writes] == [("z0", " Invalid Z0", True)] * 2
    assert typed.select_impedance
    calculator["z0"] = "139.28"
    calculator["er_eff"] = "9.354"
    calculator.units = "mils"
    pressed = calculator.press("synth_t")
    assert (pressed.status, pressed.message, pressed.box) == ("incomplete", "Too Small", "w")
    assert calculator.texts()["w"] == "Too Small"


def test_the_documents_examples_hold():
    finder = doctest.DocTestFinder(exclude_empty=True)
    runner = doctest.DocTestRunner(optionflags=doctest.ELLIPSIS | doctest.NORMALIZE_WHITESPACE)
    for test in finder.find(velmoka, "velmoka", globs={"velmoka": velmoka, "np": np}):
        runner.run(test)
    assert runner.failures == 0


# A line, and a pair with its gap toleranced too and centred on the field's corrected z_diff.
@pytest.mark.parametrize("pair, columns", [
    ({}, ["w", "h", "t", "er", "z0"]),
    ({"s": 6, "tol_s": "10%", "target": 100, "centre": True}, ["w", "h", "t", "er", "s", "z_diff"]),
])
def test_spread_is_velmoka_cli_spread(pair, columns):
    arguments = {"units": "mils", "tol_w": "10%", "tol_h": 6.3, "tol_er": "5%", "target": 50, "band": "10%",
                 "seed": 11, "samples": 5000} | pair
    budget = velmoka.spread(114, 62.99, 1.38, 4.5, **arguments)
    options = ["--w", "114", "--h", "62.99", "--t", "1.38", "--er", "4.5"]
    for key, value in arguments.items():
        options += [f"--{key.replace('_', '-')}"] + ([] if value is True else [str(value)])
    run = lambda fmt: subprocess.run([os.environ["VELMOKA_CLI"], "spread", *options, "--format", fmt],
                                     capture_output=True, text=True, check=True).stdout
    boards = budget.pop("boards")
    assert budget == json.loads(run("json"))
    samples = np.genfromtxt(run("csv").splitlines(), delimiter=",", names=True)
    assert list(samples.dtype.names) == ["sample"] + columns == ["sample"] + list(boards)
    for key in columns:
        assert np.array_equal(samples[key], boards[key])


@pytest.mark.parametrize("arguments, error", [
    ({"tol_w": -1}, ValueError),
    ({"tol_h": "100%"}, ValueError),
    ({"tol_er": "5"}, ValueError),
    ({"band": "10%"}, ValueError),
    ({"centre": True}, ValueError),
    ({"samples": 0}, ValueError),
    ({"dist": "lognormal"}, ValueError),
    ({"units": "furlongs"}, ValueError),
    ({"tol_t": float("nan")}, ValueError),
    ({"s": 0}, ValueError),
    ({"tol_s": "10%"}, ValueError),
    ({"s": 6, "tol_s": "100%"}, ValueError),
    ({"s": 1e-7}, ValueError),
])
def test_spread_refuses(arguments, error):
    with pytest.raises(error):
        velmoka.spread(114, 62.99, 1.38, 4.5, **arguments)
