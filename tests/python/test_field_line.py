"""velmoka.field_line as a Python user meets it: broadcast like the line model, NaN and a status
where there is no checked answer, and the very numbers velmoka-cli field gives."""

import json
import os
import subprocess

import numpy as np
import pytest

import velmoka


def test_broadcasting_and_scalars():
    w = np.array([[0.5], [1.0], [3.0]])
    z0, er_eff, z0_accuracy, er_eff_accuracy, status = velmoka.field_line(w, 1, 0.02, [2.2, 9.8], return_status=True)
    assert all(np.shape(column) == (3, 2) for column in (z0, er_eff, z0_accuracy, er_eff_accuracy, status))
    assert (status == "ok").all() and status.dtype == np.dtype("<U2")
    assert (np.diff(z0, axis=0) < 0).all() and (er_eff < [[2.2, 9.8]]).all()
    assert (z0_accuracy <= 1e-4).all() and (er_eff_accuracy <= 1e-4).all()
    alone = velmoka.field_line(3.0, 1, 0.02, 9.8)
    assert all(isinstance(value, np.float64) for value in alone) and alone[0] == z0[2, 1]


@pytest.mark.parametrize("w, h, t, er, status", [
    (0.005, 1, 0, 4.5, "width out of range"),
    (np.nan, 1, 0, 4.5, "width out of range"),
    (1, 0, 0, 4.5, "height out of range"),
    (1, np.inf, 0, 4.5, "height out of range"),
    (1, 1, -0.1, 4.5, "thickness out of range"),
    (1, 1, 1.5, 4.5, "thickness out of range"),
    (1, 1, 0, 0.5, "permittivity out of range"),
    (1, 1, 0, 101, "permittivity out of range"),
])
def test_out_of_range_is_nan_with_its_status(w, h, t, er, status):
    *numbers, found = velmoka.field_line(w, h, t, er, return_status=True)
    assert np.isnan(numbers).all() and found == status


@pytest.mark.parametrize("call, error", [
    (lambda: velmoka.field_line(1j, 1, 0, 4.5), TypeError),
    (lambda: velmoka.field_line("1", 1, 0, 4.5), TypeError),
    (lambda: velmoka.field_line([1, 2], [1, 2, 3], 0, 4.5), ValueError),
])
def test_bad_input_raises(call, error):
    with pytest.raises(error):
        call()


def test_the_same_numbers_as_velmoka_cli():
    """The same strips, in microns, through both faces: the same doubles to the last bit."""
    w, t = [70, 10, 300], [0, 4, 12]
    run = subprocess.run([os.environ["VELMOKA_CLI"], "field", "--w", ",".join(map(str, w)), "--t",
                          ",".join(map(str, t)), "--h", "100", "--er", "9.8", "--format", "json"],
                         capture_output=True, text=True, check=True)
    rows = [json.loads(line) for line in run.stdout.splitlines()]
    z0, er_eff, z0_accuracy, er_eff_accuracy = velmoka.field_line(np.array(w)[:, None], 100, t, 9.8)
    model_z0, model_er_eff = velmoka.microstrip_line(np.array(w)[:, None], 100, t, 9.8)
    for row, (i, j) in zip(rows, np.ndindex(3, 3)):
        assert (row["z0"], row["er_eff"]) == (z0[i, j], er_eff[i, j])
        assert (row["z0_accuracy"], row["er_eff_accuracy"]) == (z0_accuracy[i, j], er_eff_accuracy[i, j])
        assert row["model_z0"] == pytest.approx(model_z0[i, j], rel=1e-13)
        assert row["model_er_eff"] == pytest.approx(model_er_eff[i, j], rel=1e-13)
