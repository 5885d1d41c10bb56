"use strict";
// The calculator core, given its WebAssembly's bytes, compiled at once: ready when the call
// returns. Its calculators take and give JavaScript strings; every answer is the JSON the
// core's C interface (binding.cpp) wrote, read as it stands.
//   const core = VelmokaCore({ wasmBinary });
//   const calculator = new core.Calculator();
//   calculator.edit("z0_txt", "75"), .press("synthesis"), .setUnits("mils"), .units(), .text("w_txt"), .delete()
//   core.boxKeyed("er-eff"), core.boxKeys()
function VelmokaCore({ wasmBinary }) {
    const exit = (code) => {
        throw new Error(`the calculator core stopped (${code})`);
    };
    const instance = new WebAssembly.Instance(new WebAssembly.Module(wasmBinary),
        { wasi_snapshot_preview1: { proc_exit: exit } });
    const core = instance.exports;
    core._initialize();
    const ascii = new TextDecoder();

    // A text as argument 0 or 1 of the next call: its address in the core's memory and its
    // length, in UTF-16 code units as JavaScript keeps them.
    const argument = (which, text) => {
        const units = new Uint16Array(core.memory.buffer, core.velmoka_argument(which, text.length), text.length);
        for (let at = 0; at < text.length; ++at) {
            units[at] = text.charCodeAt(at);
        }
        return [units.byteOffset, text.length];
    };
    const reply = (length) => JSON.parse(ascii.decode(new Uint8Array(core.memory.buffer, core.velmoka_reply(), length)));

    class Calculator {
        #calculator = core.velmoka_new();

        edit(box, text) {
            return reply(core.velmoka_edit(this.#calculator, ...argument(0, box), ...argument(1, text)));
        }

        press(command) {
            return reply(core.velmoka_press(this.#calculator, ...argument(0, command)));
        }

        setUnits(units) {
            return reply(core.velmoka_set_units(this.#calculator, ...argument(0, units)));
        }

        units() {
            return reply(core.velmoka_units(this.#calculator));
        }

        text(box) {
            return reply(core.velmoka_text(this.#calculator, ...argument(0, box)));
        }

        delete() {
            core.velmoka_delete(this.#calculator);
        }
    }

    return {
        Calculator,
        boxKeyed: (key) => reply(core.velmoka_box_keyed(...argument(0, key))),
        boxKeys: () => reply(core.velmoka_box_keys()),
    };
}

if (typeof module === "object") {
    module.exports = VelmokaCore;
}
