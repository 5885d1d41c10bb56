"use strict";
// The window's behaviour in the page. Every change of a box goes to the calculator core as an
// edit, every click of a command button as a press, and the page shows each text the core
// wrote, in order: nothing here reads, checks or computes a value. Texts only ever go into a
// box's value, never into the page's markup.
(() => {
    const ADDRESS_DELAY_MS = 300;
    const controls = document.getElementById("controls");
    const boxes = [...document.querySelectorAll("input.box")];
    const impedance = document.getElementById("z0_txt");
    const displayUnit = document.getElementById("display_unit");
    const about = document.getElementById("AboutVelmoka");
    const aboutButton = document.getElementById("GetAboutVelmoka");

    // About opens the one About window, or brings it forward; the main window stays usable.
    aboutButton.addEventListener("click", () => about.open ? about.querySelector(".close").focus() : about.show());
    about.querySelector(".close").addEventListener("click", () => about.close());
    about.addEventListener("keydown", (event) => event.key === "Escape" && about.close());
    about.addEventListener("close", () => aboutButton.focus());

    // The core's WebAssembly, carried in the page in base64, is compiled at once: the core is
    // ready once the call returns.
    const base64 = document.getElementById("velmoka_core_wasm").textContent;
    const wasmBinary = Uint8Array.fromBase64?.(base64) ?? Uint8Array.from(atob(base64), (letter) => letter.charCodeAt(0));
    const core = VelmokaCore({ wasmBinary });
    const calculator = new core.Calculator();
    const openingTexts = new Map(boxes.map((box) => [box.id, calculator.text(box.id)]));
    const keyedBoxes = core.boxKeys().map((key) => [key, document.getElementById(core.boxKeyed(key))]);

    const showUnits = () => {
        document.getElementById(calculator.units()).checked = true;
        displayUnit.textContent = calculator.units();
    };

    // The boxes that differ from the window as it opens, and the units, kept in the
    // address so that it can be sent as a link, with no entry in the history: once the page
    // has been left alone for a moment, as a browser ignores a flood of address changes.
    let addressTimer;
    const keepInAddress = () => {
        clearTimeout(addressTimer);
        addressTimer = setTimeout(() => {
            const pairs = calculator.units() === "microns" ? [] : [["units", calculator.units()]];
            for (const [key, box] of keyedBoxes) {
                if (box.value !== openingTexts.get(box.id)) {
                    pairs.push([key, box.value]);
                }
            }
            history.replaceState(null, "", designLink.write(pairs) || location.pathname + location.search);
        }, ADDRESS_DELAY_MS);
    };

    // Every write into its box, in order; a changed text leaves the caret at its end. The
    // entry check's message is left selected, so that the next key typed replaces it.
    const show = (outcome) => {
        for (const write of outcome.writes) {
            document.getElementById(write.box).value = write.text;
        }
        if (outcome.selectImpedance && document.activeElement === impedance) {
            impedance.select();
        }
    };

    for (const box of boxes) {
        box.value = openingTexts.get(box.id);
        box.addEventListener("input", () => {
            show(calculator.edit(box.id, box.value));
            keepInAddress();
        });
    }
    for (const button of document.querySelectorAll("button.command")) {
        button.addEventListener("click", () => {
            show(calculator.press(button.id));
            keepInAddress();
        });
    }
    for (const option of document.querySelectorAll("input[name=units]")) {
        option.addEventListener("change", () => {
            calculator.setUnits(option.id);
            showUnits();
            keepInAddress();
        });
    }

    // A link's values are typed into their boxes in the link's order; nothing is pressed.
    for (const [key, text] of designLink.read(location.hash)) {
        if (key === "units") {
            calculator.setUnits(text);
            continue;
        }
        const box = core.boxKeyed(key);
        if (box !== null) {
            document.getElementById(box).value = text;
            show(calculator.edit(box, text));
        }
    }
    showUnits();
    keepInAddress();
    // A link opened in this tab again starts the window afresh.
    window.addEventListener("hashchange", () => location.reload());

    controls.disabled = false;
    document.getElementById("cpi_txt").focus();
    performance.mark("ready");
})();
