// The WebAssembly core of the web page answers as this build's native core, step for step:
// every write, how each press ended, and every box's text, over random edits of every box,
// unit choices and presses. The seed is printed; VELMOKA_RANDOM_SEED=<seed> replays a run.
import assert from "node:assert/strict";
import { test } from "node:test";

import { BOX_NAMES, loadWebCore, nativeAnswers, webAnswers } from "./core_answers.mjs";

const STEPS = 20000;
const COMMANDS = ["analysis", "synthesis", "synthpi", "syntht"];

// Texts on the rules' edges: the entry check's bounds, halves of the pictures' last decimals,
// the reading rule's exponents, bases and stops, messages, the ends of the double range, and
// text outside ASCII (a lone surrogate too).
const EDGE_TEXTS = ["", "0", "-0", "1", "75", "150", "150.00000000000003", "200", "0.5", "0.49999999999999994",
    " Invalid Z0", "Too Small", " infinity", "12.9", "2.675", "1.005", "0.00005", "123456.785", "1e400", "1e-400",
    "5e-324", "1.7976931348623157e308", "-3", "&H1F", "&O17", "1D3", "2d-2", "4.7 nH", "1,5", " \t 12", "abc", "+.5e+1",
    "12345678901234567890123", "é", "\u{1F600}", "\uD800", "99999999999999.995"];

// A small, seeded generator, so that a run can be replayed.
function randomOf(seed) {
    let state = seed >>> 0;
    return () => {
        state = (state + 0x6d2b79f5) >>> 0;
        let mixed = Math.imul(state ^ (state >>> 15), 1 | state);
        mixed ^= mixed + Math.imul(mixed ^ (mixed >>> 7), 61 | mixed);
        return ((mixed ^ (mixed >>> 14)) >>> 0) / 2 ** 32;
    };
}

function makeSteps(random) {
    const pick = (list) => list[Math.floor(random() * list.length)];
    // A number as an engineer might type it: 1e-6 to 1e6, either sign, 1 to 17 digits.
    const typedNumber = () => {
        const value = (random() < 0.1 ? -1 : 1) * 10 ** (12 * random() - 6);
        const digits = 1 + Math.floor(random() * 17);
        return random() < 0.5 ? value.toPrecision(digits) : value.toExponential(digits - 1).toUpperCase();
    };
    return Array.from({ length: STEPS }, () => {
        const roll = random();
        if (roll < 0.5) {
            return { kind: "edit", box: pick(BOX_NAMES), text: random() < 0.3 ? pick(EDGE_TEXTS) : typedNumber() };
        }
        if (roll < 0.6) {
            return { kind: "units", name: pick(["microns", "mils"]) };
        }
        return roll < 0.62 ? { kind: "fresh" } : { kind: "press", name: pick(COMMANDS) };
    });
}

test("the WebAssembly core answers every step as the native core", async () => {
    const seed = Number(process.env.VELMOKA_RANDOM_SEED ?? Math.floor(Math.random() * 2 ** 32));
    console.log(`seed ${seed}`);
    const steps = makeSteps(randomOf(seed));
    const expected = nativeAnswers(steps);
    const answers = webAnswers(await loadWebCore(), steps);
    for (let step = 0; step < steps.length; ++step) {
        assert.deepEqual(answers[step], expected[step], `seed ${seed}, step ${step}: ${JSON.stringify(steps[step])}`);
    }
    // Every way a press can end is among the steps.
    const endings = new Set(expected.map((answer) => answer.status));
    assert.deepEqual([...endings].sort(), ["incomplete", "ok", "stopped"]);
});

test("a link's keys name boxes as velmoka-cli's options do", async () => {
    const core = await loadWebCore();
    const keyed = [["w", "w_txt"], ["length", "length1_txt"], ["phase", "length2_txt"], ["er_eff", "er_eff_txt"],
        ["er-eff", "er_eff_txt"], ["ct", "ct_txt"], ["units", null], ["w_txt", null], ["__proto__", null], ["", null]];
    for (const [key, box] of keyed) {
        assert.equal(core.boxKeyed(key), box, key);
    }
    assert.deepEqual(core.boxKeys().map((key) => core.boxKeyed(key)).sort(), [...BOX_NAMES].sort());
});
