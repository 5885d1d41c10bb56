# Type stub of the velmoka module: the Velmoka microstrip calculator for Python and numpy.
from typing import Literal, Sequence, overload

import numpy as np
import numpy.typing as npt

__version__: str

BoxKey = Literal["length", "w", "h", "t", "er", "freq", "z0", "er_eff", "vel", "phase", "lpi", "cpi", "lt", "ct"]
CommandName = Literal["analysis", "solve", "synth_pi", "synth_t"]
UnitsName = Literal["microns", "mils"]
Numbers = float | npt.ArrayLike

class Write:
    @property
    def key(self) -> BoxKey: ...
    @property
    def text(self) -> str: ...
    @property
    def changed(self) -> bool: ...
    @property
    def by_entry_check(self) -> bool: ...

class Outcome:
    @property
    def writes(self) -> list[Write]: ...
    @property
    def status(self) -> Literal["ok", "incomplete", "stopped"]: ...
    @property
    def message(self) -> str | None: ...
    @property
    def box(self) -> BoxKey | None: ...
    @property
    def select_impedance(self) -> bool: ...

class Calculator:
    units: UnitsName
    def __init__(self, *, units: UnitsName = "microns") -> None: ...
    def __getitem__(self, key: BoxKey) -> str: ...
    def __setitem__(self, key: BoxKey, text: str) -> None: ...
    def edit(self, key: BoxKey, text: str) -> Outcome: ...
    def press(self, command: CommandName) -> Outcome: ...
    def texts(self) -> dict[BoxKey, str]: ...

class Results:
    length: npt.NDArray[np.float64]
    w: npt.NDArray[np.float64]
    h: npt.NDArray[np.float64]
    t: npt.NDArray[np.float64]
    er: npt.NDArray[np.float64]
    freq: npt.NDArray[np.float64]
    z0: npt.NDArray[np.float64]
    er_eff: npt.NDArray[np.float64]
    vel: npt.NDArray[np.float64]
    phase: npt.NDArray[np.float64]
    lpi: npt.NDArray[np.float64]
    cpi: npt.NDArray[np.float64]
    lt: npt.NDArray[np.float64]
    ct: npt.NDArray[np.float64]
    status: npt.NDArray[np.str_]
    message: npt.NDArray[np.str_]
    box: npt.NDArray[np.str_]
    @property
    def texts(self) -> dict[BoxKey, npt.NDArray[np.str_]]: ...
    def __getitem__(self, key: str) -> npt.NDArray[np.float64] | npt.NDArray[np.str_]: ...
    def keys(self) -> list[str]: ...
    def to_dict(self) -> dict[str, npt.NDArray[np.float64] | npt.NDArray[np.str_]]: ...
    def to_structured(self) -> npt.NDArray[np.void]: ...

def analysis(*, units: UnitsName = "microns", texts: bool | Sequence[BoxKey] = False, **boxes: Numbers) -> Results: ...
def solve(*, units: UnitsName = "microns", texts: bool | Sequence[BoxKey] = False, **boxes: Numbers) -> Results: ...
def synth_pi(*, units: UnitsName = "microns", texts: bool | Sequence[BoxKey] = False, **boxes: Numbers) -> Results: ...
def synth_t(*, units: UnitsName = "microns", texts: bool | Sequence[BoxKey] = False, **boxes: Numbers) -> Results: ...
def microstrip_line(
    w: Numbers, h: Numbers, t: Numbers, er: Numbers
) -> tuple[npt.NDArray[np.float64], npt.NDArray[np.float64]]: ...
def strip_width(z0: Numbers, h: Numbers, t: Numbers, er: Numbers) -> npt.NDArray[np.float64]: ...
@overload
def field_line(
    w: Numbers, h: Numbers, t: Numbers, er: Numbers, *, return_status: Literal[False] = False
) -> tuple[npt.NDArray[np.float64], npt.NDArray[np.float64], npt.NDArray[np.float64], npt.NDArray[np.float64]]: ...
@overload
def field_line(
    w: Numbers, h: Numbers, t: Numbers, er: Numbers, *, return_status: Literal[True]
) -> tuple[
    npt.NDArray[np.float64],
    npt.NDArray[np.float64],
    npt.NDArray[np.float64],
    npt.NDArray[np.float64],
    npt.NDArray[np.str_],
]: ...
def spread(
    w: float,
    h: float,
    t: float,
    er: float,
    *,
    units: UnitsName = "microns",
    freq: float | None = None,
    length: float | None = None,
    tol_w: float | str | None = None,
    tol_h: float | str | None = None,
    tol_t: float | str | None = None,
    tol_er: float | str | None = None,
    dist: Literal["normal", "uniform"] = "normal",
    samples: int = 100000,
    seed: int | None = None,
    target: float | None = None,
    band: float | str | None = None,
    centre: bool = False,
) -> dict[str, object]: ...
