"""velmoka.line, line_width, pair, field_pair, pair_width and pair_gap as a Python user meets them:
broadcast like numpy, an error of its element alone for a value they cannot take, the numbers
velmoka-cli gives, and the section's S-parameters read back by scikit-rf."""

import json
import os
import subprocess

import numpy as np
import pytest

import velmoka

# The reference line of the accuracy page: 3 mm on 1.55 mm of FR-4, 35 µm of copper, 25 mm long.
LINE = {"units": "mm", "tand": 0.0182, "length": 25, "sigma": 1 / 1.7e-8, "roughness": 0.15e-3}


def cli_rows(*options):
    run = subprocess.run([os.environ["VELMOKA_CLI"], *options, "--format", "json"],
                         capture_output=True, text=True, check=False)
    return [json.loads(line) for line in run.stdout.splitlines()]


def test_line_broadcasts_frequencies_against_widths():
    found = velmoka.line([[2.0], [3.0]], 1.55, 0.035, 4.413, np.linspace(1, 20, 5), **LINE)
    assert found.z0.shape == (2, 5) and (found.status == "ok").all()
    assert (np.diff(found.er_eff, axis=1) > 0).all()  # dispersion raises e_eff with frequency
    assert (found.z0[0] > found.z0[1]).all()  # the narrower strip has the higher impedance
    assert (np.diff(found.alpha, axis=1) > 0).all()


def test_a_value_it_cannot_take_is_its_element_error_alone():
    found = velmoka.line(3, 1.55, 0.035, 4.413, [1, -1, np.nan, 10], **LINE)
    assert list(found.status) == ["ok", "error", "error", "ok"]
    assert list(found.message[1:3]) == ["freq must be 0 or above", "freq is not a finite number"]
    assert np.isnan(found.z0[1:3]).all() and not np.isnan(found.z0[[0, 3]]).any()
    assert velmoka.line(3, 1.55, 0.035, 1.05, 1, units="mm", tand=0.5).box == "tand"  # no dielectric has it


def test_the_numbers_of_velmoka_cli():
    rows = cli_rows("line", "--units", "mm", "--w", "3", "--h", "1.55", "--t", "0.035", "--er", "4.413", "--tand",
                    "0.0182", "--length", "25", "--freq", "0:20:5")
    found = velmoka.line(3, 1.55, 0.035, 4.413, np.arange(0, 21, 5.0), units="mm", tand=0.0182, length=25)
    for index, row in enumerate(rows):
        for key in ["z0", "er_eff", "alpha", "loss", "delay", "r", "l", "g", "c", "s21_db", "s21_deg"]:
            assert row[key] == pytest.approx(found[key][index], rel=1e-12), key


def test_the_touchstone_file_reads_back_as_the_network(tmp_path):
    """scikit-rf reads velmoka-cli's .s2p of the section, and it is the section's Network."""
    skrf = pytest.importorskip("skrf")
    path = tmp_path / "section.s2p"
    subprocess.run([os.environ["VELMOKA_CLI"], "line", "--units", "mm", "--w", "3", "--h", "1.55", "--t", "0.035",
                    "--er", "4.413", "--tand", "0.0182", "--length", "25", "--sigma", str(1 / 1.7e-8),
                    "--roughness", "0.00015", "--freq", "0.2:20:0.2", "--s2p", str(path)],
                   capture_output=True, check=True)
    read = skrf.Network(str(path))
    network = velmoka.line(3, 1.55, 0.035, 4.413, np.arange(1, 101) * 0.2, **LINE).network()
    np.testing.assert_allclose(read.f, network.f)
    np.testing.assert_allclose(read.s, network.s, atol=1e-10)
    assert np.allclose(read.z0, 50)


def test_line_width_gives_back_its_impedance():
    w = velmoka.line_width([40, 50, 70], 0.2, 0.035, None, 28, units="mm", substrate="ro4350b").w
    z0 = velmoka.line(w, 0.2, 0.035, None, 28, units="mm", substrate="ro4350b").z0
    np.testing.assert_allclose(z0, [40, 50, 70], rtol=1e-9)
    assert [s["name"] for s in velmoka.substrates()][:2] == ["fr4", "ro4350b"]


def test_pair_functions_agree_with_velmoka_cli_pair():
    row = cli_rows("pair", "--units", "mm", "--w", "0.1", "--s", "0.1", "--h", "0.1", "--t", "0.035", "--er",
                   "4.3")[0]
    field = velmoka.field_pair(0.1, 0.1, 0.1, 0.035, 4.3, units="mm")
    formula = velmoka.pair(0.1, 0.1, 0.1, 0.035, 4.3, units="mm")
    for key in ["z_even", "z_odd", "er_eff_even", "er_eff_odd", "z_diff"]:
        assert row[key] == field[key] and row["model_" + key] == formula[key]


def test_pair_disperses_from_its_static_modes():
    static = velmoka.pair(0.1, 0.1, 0.1, 0.035, 4.3, units="mm")
    found = velmoka.pair(0.1, 0.1, 0.1, 0.035, 4.3, [0, 10, 300], units="mm")
    assert found.z_diff[0] == static.z_diff and found.er_eff_odd[0] == static.er_eff_odd
    assert found.er_eff_even[1] > static.er_eff_even and found.er_eff_odd[1] > static.er_eff_odd
    assert list(found.warnings[:2]) == ["", ""] and "25 GHz·mm" in found.warnings[2]


def test_pair_searches_meet_their_target_or_say_why():
    widths = velmoka.pair_width([85, 100, 400], 0.1, 0.1, 0.035, 4.3, units="mm")
    assert list(widths.status) == ["ok", "ok", "stopped"] and np.isnan(widths.w[2])
    assert np.abs(widths.z_diff[:2] - [85, 100]).max() <= 0.05
    gaps = velmoka.pair_gap(90, 0.12, 0.1, 0.035, 4.3, units="mm", solver="formula")
    assert abs(velmoka.pair(0.12, gaps.s, 0.1, 0.035, 4.3, units="mm").z_diff - 90) <= 0.05


@pytest.mark.parametrize("call, error", [
    (lambda: velmoka.line(3, 1.55, 0.035, 4.4, 1, units="mm"), None),  # no tand: an element's error
    (lambda: velmoka.line(3, 1.55, 0.035, 4.4, units="mm", tand=0), TypeError),
    (lambda: velmoka.line(3, 1.55, 0.035, None, 1, units="mm", substrate="fr5"), ValueError),
    (lambda: velmoka.pair(0.1, 0.1, 0.1, 0.035, 4.3, units="furlongs"), ValueError),
    (lambda: velmoka.pair_width(100, 0.1, 0.1, 0.035, 4.3, solver="guess"), ValueError),
])
def test_bad_input(call, error):
    if error is None:
        assert call().status == "error"
        return
    with pytest.raises(error):
        call()
