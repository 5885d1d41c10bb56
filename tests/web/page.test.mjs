// The web page in Debian's Chromium, driven by its controls' ids as an engineer would use it,
// held against the window's layout (window_layout_report) and the calculator core's own answers
// (core_replay).
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { join } from "node:path";
import { pathToFileURL } from "node:url";
import { after, before, test } from "node:test";

import { serveFolder } from "../../scripts/static-server.mjs";
import { launchChromium, openReady } from "./browser.mjs";
import { BOX_NAMES, nativeAnswers } from "./core_answers.mjs";

const INVALID_Z0 = " Invalid Z0";
const KEYBOARD_ORDER = ["cpi_txt", "lpi_txt", "syntht", "synthpi", "ct_txt", "lt_txt", "z0_txt", "w_txt",
    "length1_txt", "er_txt", "h_txt", "t_txt", "microns", "synthesis", "freq_txt", "length2_txt", "analysis",
    "er_eff_txt", "vel_txt", "GetAboutVelmoka"];  // the two option buttons are one stop, as in any page

let server;
let browser;
before(async () => {
    server = await serveFolder(join(process.env.VELMOKA_WEB_BUILD, "page"));
    browser = await launchChromium();
});
after(async () => {
    await browser?.close();
    await server?.close();
});

// The page at the given address fragment, once the core has loaded.
async function openPage(fragment = "", options = {}) {
    return openReady(browser, server.url + fragment, options, (page) => {
        page.errors = [];
        page.on("pageerror", (error) => page.errors.push(error));
    });
}

const boxTexts = (page) => page.evaluate((names) =>
    Object.fromEntries(names.map((name) => [name, document.getElementById(name).value])), BOX_NAMES);

// The core's texts after typing the given texts into a fresh calculator in the given units and
// pressing the given button (none: only typed).
function coreTexts(units, typed, button) {
    const steps = [{ kind: "fresh" }, { kind: "units", name: units },
        ...Object.entries(typed).map(([box, text]) => ({ kind: "edit", box, text }))];
    if (button) {
        steps.push({ kind: "press", name: button });
    }
    return nativeAnswers(steps).at(-1).texts;
}

test("every control, caption and the About window stand where the window has them", async () => {
    const report = spawnSync(process.env.VELMOKA_WINDOW_LAYOUT_REPORT, {
        encoding: "utf8",
        env: { ...process.env, QT_QPA_PLATFORM: "offscreen", QT_SCALE_FACTOR: "1" },
    });
    assert.equal(report.status, 0, report.stderr);
    const page = await openPage();
    await page.click("#GetAboutVelmoka");
    await page.evaluate(() => document.fonts.ready);
    const lines = report.stdout.trim().split("\n").slice(1).map((line) => line.split("\t"));
    for (const [control, rect, , captionWidth] of lines) {
        const [window, name] = control.split("/");
        const shown = await page.evaluate(({ window, name }) => {
            const frame = document.querySelector(window === "velmoka" ? "#velmoka" : "#AboutVelmoka .credits");
            let element = !name ? frame : window === "velmoka" ? document.getElementById(name)
                : frame.querySelector(`[data-name="${name}"]`);
            element = element?.type === "radio" ? element.parentElement : element;
            if (!element) {
                return null;
            }
            const at = (box) => [box.left - frame.getBoundingClientRect().left, box.top - frame.getBoundingClientRect().top,
                box.width, box.height];
            const caption = [...element.childNodes].find((node) => node.nodeType === Node.TEXT_NODE);
            const text = document.createRange();
            text.selectNodeContents(caption ?? element);
            return { rect: at(element.getBoundingClientRect()), captionWidth: text.getBoundingClientRect().width };
        }, { window, name });
        assert.ok(shown, `${control} is on the page`);
        const expected = rect.split(" ").map(Number);
        shown.rect.forEach((value, at) => assert.ok(Math.abs(value - expected[at]) <= 1,
            `${control}: [${shown.rect.map(Math.round)}] on the page, [${expected}] in the window`));
        if (Number(captionWidth) > 0) {
            assert.ok(Math.abs(shown.captionWidth - Number(captionWidth)) <= 1,
                `${control}: caption ${shown.captionWidth} px wide on the page, ${captionWidth} in the window`);
        }
    }
    assert.equal(lines.length, 46);
    assert.deepEqual(page.errors, []);
});

// The window's own cases (tests/command_line/test_both_faces.cpp): after the values are typed
// and the button pressed, every box shows the core's text.
const PRESS_CASES = [
    ["analysis, opening window", "analysis", "microns", {}],
    ["solve, opening window", "synthesis", "microns", {}],
    ["synth-pi, opening window", "synthpi", "microns", {}],
    ["synth-t, opening window", "syntht", "mils", {}],
    ["analysis of a 50-ohm FR-4 line in mils", "analysis", "mils",
        { w_txt: "11.5", h_txt: "6.3", t_txt: "1.4", er_txt: "4.3", length1_txt: "500", freq_txt: "2.4" }],
    ["solve for 75 ohms, a quarter wave", "synthesis", "microns",
        { er_txt: "3.66", h_txt: "508", t_txt: "35", z0_txt: "75", length2_txt: "90", freq_txt: "5.8" }],
    ["pi network of 5 nH", "synthpi", "microns", { lpi_txt: "5" }],
    ["T network of 2 pF at 2 GHz", "syntht", "mils", { ct_txt: "2", freq_txt: "2", z0_txt: "35" }],
    ["repairs, then results", "analysis", "microns", { er_txt: "0.5", t_txt: "0" }],
    ["stop at the dielectric thickness", "analysis", "mils", { h_txt: "-1" }],
    ["stop beyond the model's reach", "synthesis", "microns", { z0_txt: "140" }],
    ["stop below the pi reactance", "synthpi", "microns", { lpi_txt: "10" }],
    ["stop at no frequency", "syntht", "microns", { ct_txt: "2", freq_txt: "0" }],
    ["entry check on a value given", "synthesis", "microns", { z0_txt: "0.3" }],
];

test("each press shows the core's answer in every box", async () => {
    const page = await openPage();
    const opening = await boxTexts(page);
    for (const [name, button, units, typed] of PRESS_CASES) {
        // The boxes' texts and the units are the calculator's whole state: typing the opening
        // texts back gives the window as it opens.
        for (const [box, text] of Object.entries({ ...opening, ...typed })) {
            await page.fill(`#${box}`, text);
        }
        await page.check(`#${units}`);
        await page.click(`#${button}`);
        assert.deepEqual(await boxTexts(page), coreTexts(units, typed, button), name);
    }
});

test("the impedance box is checked as it is typed, its message left selected", async () => {
    // The keys typed over the whole text, and the text and whether it is selected after each.
    const cases = [
        [["1", "5", "0"], [["1", false], ["15", false], ["150", false]]],
        [["0", ".", "5"], [[INVALID_Z0, true], [INVALID_Z0, true], ["5", false]]],
        [["Backspace", "7", "5"], [[INVALID_Z0, true], ["7", false], ["75", false]]],
    ];
    const page = await openPage();
    for (const [keys, shown] of cases) {
        await page.focus("#z0_txt");
        await page.keyboard.press("Control+A");
        for (const [at, key] of keys.entries()) {
            await page.keyboard.press(key);
            const box = await page.$eval("#z0_txt", (box) => [box.value, box.selectionStart === 0 &&
                box.selectionEnd === box.value.length && box.value.length > 0]);
            assert.deepEqual(box, shown[at], `after ${keys.slice(0, at + 1).join(" ")}`);
        }
    }
});

test("the units options change the unit alone, and a screen reader hears it", async () => {
    const page = await openPage();
    const opening = await boxTexts(page);
    await page.check("#mils");
    assert.deepEqual(await boxTexts(page), opening);
    assert.deepEqual(await page.$$eval("[name=units]", (options) => options.map((option) => option.checked)), [false, true]);
    assert.equal(await page.textContent("#display_unit"), "mils");
    await page.waitForFunction(() => location.hash === "#units=mils");
});

test("About opens one small window with the name and version, the main window still usable", async () => {
    const page = await openPage();
    await page.click("#GetAboutVelmoka");
    await page.click("#GetAboutVelmoka");
    assert.equal(await page.locator("dialog[open]").count(), 1);
    assert.equal(await page.textContent("#about_title"), "About Velmoka   -   Version 1.0");
    assert.deepEqual(await page.$$eval("#AboutVelmoka .credits p", (lines) => lines.map((line) =>
        [line.textContent, getComputedStyle(line).fontFamily.split(",")[0], getComputedStyle(line).color])),
    [["Velmoka Circuits", '"Kaushan Script"', "rgb(255, 255, 128)"],
        ["Tarnwell microstrip tools", '"Liberation Sans"', "rgb(255, 255, 128)"]]);
    await page.fill("#z0_txt", "75");
    assert.equal(await page.inputValue("#z0_txt"), "75");
    await page.click("#AboutVelmoka .close");
    assert.equal(await page.locator("dialog[open]").count(), 0);
    await page.click("#GetAboutVelmoka");
    await page.keyboard.press("Escape");
    assert.equal(await page.locator("dialog[open]").count(), 0);
    assert.equal(await page.evaluate(() => document.activeElement.id), "GetAboutVelmoka");
});

test("the keyboard works as in the window: its focus order, Enter and Space on a button", async () => {
    const page = await openPage();
    const focused = () => page.evaluate(() => document.activeElement.id);
    const order = [await focused()];
    for (let stop = 1; stop < KEYBOARD_ORDER.length; ++stop) {
        await page.keyboard.press("Tab");
        order.push(await focused());
    }
    assert.deepEqual(order, KEYBOARD_ORDER);

    // Enter in a box presses nothing; Enter and Space on a focused button press it.
    const typed = { w_txt: "150" };
    await page.fill("#w_txt", typed.w_txt);
    await page.keyboard.press("Enter");
    assert.deepEqual(await boxTexts(page), coreTexts("microns", typed));
    await page.focus("#analysis");
    await page.keyboard.press("Enter");
    assert.deepEqual(await boxTexts(page), coreTexts("microns", typed, "analysis"));
    await page.focus("#synthesis");
    await page.keyboard.press(" ");
    const steps = [{ kind: "edit", box: "w_txt", text: "150" }, { kind: "press", name: "analysis" },
        { kind: "press", name: "synthesis" }];
    assert.deepEqual(await boxTexts(page), nativeAnswers(steps).at(-1).texts);
});

test("a link fills the boxes as typed text and presses nothing", async () => {
    const page = await openPage("#units=mils&w=10&h=5&er=4.4&z0=0.3");
    const typed = { w_txt: "10", h_txt: "5", er_txt: "4.4", z0_txt: "0.3" };
    assert.deepEqual(await boxTexts(page), coreTexts("mils", typed));
    assert.equal(await page.isChecked("#mils"), true);
    await page.click("#analysis");
    assert.deepEqual(await boxTexts(page), coreTexts("mils", typed, "analysis"));

    // The address keeps the design; opened again, it shows the same boxes.
    await page.waitForFunction(() => location.hash.includes("er_eff="));
    const again = await openPage(await page.evaluate(() => location.hash));
    assert.deepEqual(await boxTexts(again), await boxTexts(page));
});

test("hostile text in a link is typed as text, never run, and answered by the window's rules", async () => {
    const typed = {
        w_txt: "<script>window.injected = 1</script>",
        er_txt: `"'><img src=x onerror="window.injected = 2">`,
        h_txt: "7".repeat(100 * 1024),
        t_txt: "%E0%A4%A",  // does not decode: typed as it stands
        length1_txt: "1e+3 &amp; \u{1F600}",
    };
    const keys = { w_txt: "w", er_txt: "er", h_txt: "h", t_txt: "t", length1_txt: "length" };
    const fragment = Object.entries(typed).map(([box, text]) =>
        `${keys[box]}=${box === "t_txt" ? text : encodeURIComponent(text)}`).join("&");
    const page = await openPage(`#${fragment}&__proto__=1&constructor=2&units=%3Cb%3E`);
    const elements = await page.evaluate(() => document.getElementsByTagName("*").length);
    assert.deepEqual(await boxTexts(page), coreTexts("microns", typed));
    await page.click("#analysis");
    assert.deepEqual(await boxTexts(page), coreTexts("microns", typed, "analysis"));
    assert.equal(await page.evaluate(() => window.injected), undefined);
    assert.equal(await page.evaluate(() => document.getElementsByTagName("*").length), elements);
    assert.equal(await page.locator("img").count(), 0);
    assert.equal(await page.isChecked("#microns"), true);
    assert.deepEqual(page.errors, []);
});

test("until the core has loaded, the boxes, command and units buttons are disabled", async () => {
    const context = await browser.newContext({ javaScriptEnabled: false });
    const page = await context.newPage();
    await page.goto(server.url);
    const enabled = await page.$$eval("input, button", (controls) =>
        controls.filter((control) => !control.matches(":disabled")).map((control) => control.id || control.className));
    assert.deepEqual(enabled, ["GetAboutVelmoka", "close"]);
    await context.close();
});

test("a screen reader hears each box by its caption and unit, each button by its caption", async () => {
    const spoken = [
        ["length1_txt", "Length", "microns"], ["w_txt", "Width", "microns"], ["ct_txt", "C(pF)-T", "pF"],
        ["lpi_txt", "L(nH)-Pi", "nH"], ["lt_txt", "L(nH)-T", "nH"], ["cpi_txt", "C(pF)-Pi", "pF"],
        ["z0_txt", "Impedance", "ohms"], ["er_eff_txt", "Effective Dielectric", "no unit"],
        ["vel_txt", "Relative Velocity", "no unit"], ["length2_txt", "Phase Length (degrees)", "degrees"],
        ["er_txt", "Dielectric Constant", "no unit"], ["h_txt", "Dielectric Thickness", "microns"],
        ["t_txt", "Conductor Thickness", "microns"], ["freq_txt", "Frequency (GHz)", "GHz"],
        ["analysis", "Analysis", ""], ["syntht", "Synth. T", ""], ["synthpi", "Synth.Pi", ""],
        ["synthesis", "Solve Microstrip", ""], ["GetAboutVelmoka", "About", ""], ["microns", "microns", ""],
        ["mils", "mils", ""],
    ];
    const page = await openPage();
    const cdp = await page.context().newCDPSession(page);
    const { root } = await cdp.send("DOM.getDocument");
    for (const [id, name, unit] of spoken) {
        const { nodeId } = await cdp.send("DOM.querySelector", { nodeId: root.nodeId, selector: `#${id}` });
        const { nodes } = await cdp.send("Accessibility.getPartialAXTree", { nodeId, fetchRelatives: false });
        assert.deepEqual([nodes[0].name?.value, nodes[0].description?.value ?? ""], [name, unit], id);
    }
});

test("on a phone the whole window scales to the screen's width", async () => {
    const page = await openPage("", { viewport: { width: 360, height: 740 }, deviceScaleFactor: 3, isMobile: true });
    const fit = await page.evaluate(() => {
        const window = document.getElementById("velmoka").getBoundingClientRect();
        const analysis = document.getElementById("analysis").getBoundingClientRect();
        return { left: window.left, right: window.right, height: window.height, button: analysis.width / window.width,
            scrolls: document.documentElement.scrollWidth > innerWidth };
    });
    assert.ok(fit.left >= 0 && fit.right <= 360 && fit.right > 355, JSON.stringify(fit));
    assert.ok(Math.abs(fit.height - (fit.right - fit.left) * 4980 / 6255) < 1, JSON.stringify(fit));
    assert.ok(Math.abs(fit.button - 1932 / 6255) < 0.005 && !fit.scrolls, JSON.stringify(fit));
});

test("opened straight from the disk, the page needs nothing else", async () => {
    const page = await openReady(browser, `${pathToFileURL(join(process.env.VELMOKA_WEB_BUILD, "page", "index.html"))}#w=10`);
    await page.click("#analysis");
    assert.deepEqual(await boxTexts(page), coreTexts("microns", { w_txt: "10" }, "analysis"));
});
