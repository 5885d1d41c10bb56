// The calculator core's answers to steps (fresh, units, edit, press), from this build's native
// core_replay, and from the WebAssembly core of the web page through its binding, in one form.
import { spawnSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { join } from "node:path";

export const BOX_NAMES = ["length1_txt", "w_txt", "ct_txt", "lpi_txt", "lt_txt", "cpi_txt", "z0_txt", "er_eff_txt",
    "vel_txt", "length2_txt", "er_txt", "h_txt", "t_txt", "freq_txt"];

const hex = (text) => Array.from({ length: text.length }, (_, at) => text.charCodeAt(at).toString(16).padStart(4, "0")).join("");

function stepLine(step) {
    switch (step.kind) {
        case "edit":
            return `edit ${step.box} ${hex(step.text)}`;
        case "fresh":
            return "fresh";
        default:
            return `${step.kind} ${step.name}`;
    }
}

// Each step's answer from the native core: what it wrote, how it ended, the units and texts.
export function nativeAnswers(steps) {
    const replay = spawnSync(process.env.VELMOKA_CORE_REPLAY, {
        input: steps.map((step) => `${stepLine(step)}\n`).join(""),
        encoding: "utf8",
        maxBuffer: 1 << 30,
    });
    if (replay.status !== 0) {
        throw new Error(`core_replay failed: ${replay.stderr}`);
    }
    return replay.stdout.trimEnd().split("\n").map((line) => JSON.parse(line));
}

// The web page's core, src/web/velmoka_core.js given the WebAssembly build's velmoka_core.wasm,
// ready once loaded.
export function loadWebCore() {
    const require = createRequire(import.meta.url);
    const wasmBinary = readFileSync(join(process.env.VELMOKA_WEB_BUILD, "src", "web", "velmoka_core.wasm"));
    return require("../../src/web/velmoka_core.js")({ wasmBinary });
}

const NOTHING_DONE = { writes: [], selectImpedance: false, status: "ok", message: null, messageBox: null };

// Each step's answer from the WebAssembly core, in the native answers' form.
export function webAnswers(core, steps) {
    let calculator = new core.Calculator();
    return steps.map((step) => {
        let outcome = NOTHING_DONE;
        if (step.kind === "fresh") {
            calculator.delete();
            calculator = new core.Calculator();
        } else if (step.kind === "units") {
            calculator.setUnits(step.name);
        } else if (step.kind === "edit") {
            outcome = calculator.edit(step.box, step.text);
        } else {
            outcome = calculator.press(step.name);
        }
        const texts = Object.fromEntries(BOX_NAMES.map((box) => [box, calculator.text(box)]));
        return { ...outcome, units: calculator.units(), texts };
    });
}
