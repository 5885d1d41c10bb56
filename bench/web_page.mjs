#!/usr/bin/env node
// The web page in Debian's Chromium, headless, served on 127.0.0.1 (build it first with
// scripts/build-web; needs scripts/prepare-web):
//   node bench/web_page.mjs [RUNS] [PAGE_FOLDER]      20 runs, build-web/page unless given
//
// - Start-up: from navigation to the page ready for input, against a static page of the same
//   controls without the core (the page with its scripts and the core's WebAssembly taken out),
//   loaded in turn in the same run. A page is ready at the first frame after it has marked
//   "ready": the real page once the core has loaded and the buttons are enabled, the static one
//   when its markup is parsed.
//   Prints the medians of both, their ratio and the median of the pairs' ratios.
// - Presses: each command button clicked in the page, the core's writes shown in the boxes.
// - Size: the page compressed with gzip -9.
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { gzipSync } from "node:zlib";

import { serveFolder } from "../scripts/static-server.mjs";
import { launchChromium, openReady } from "../tests/web/browser.mjs";

const repository = dirname(dirname(fileURLToPath(import.meta.url)));
const runs = Number(process.argv[2] ?? 20);
const folder = process.argv[3] ?? join(repository, "build-web", "page");
const PRESSES = 500;                 // of each command, for its time
const PRESS_TARGET_MS = 1;
const START_TARGET_RATIO = 1.5;
const SIZE_TARGET_KB = 300;          // gzip-compressed, fonts included
const KB = 1000;

const page = readFileSync(join(folder, "index.html"), "utf8");
const DISABLED_CONTROLS = '<fieldset id="controls" disabled>';
if (!page.includes(DISABLED_CONTROLS)) {
    throw new Error(`the page has no ${DISABLED_CONTROLS}: the static page would not be the same controls`);
}
const staticFolder = mkdtempSync(join(tmpdir(), "velmoka-static-"));
// The static page: the same markup without the scripts, and without the wait for them before the
// first frame, which only a page with scripts needs.
writeFileSync(join(staticFolder, "index.html"), page
    .replace(/<script[^>]*>[\s\S]*?<\/script>/g, "")
    .replace(/<link rel="expect"[^>]*>/, "")
    .replace(DISABLED_CONTROLS, '<fieldset id="controls">')
    .replace("</body>", '<script>performance.mark("ready")</script>\n</body>'));

// Before any script of the page: the time of the first frame after the "ready" mark.
function timeFirstFrameAfterReady() {
    new PerformanceObserver((marks, observer) => {
        if (marks.getEntriesByName("ready").length > 0) {
            observer.disconnect();
            requestAnimationFrame(() => { window.readyFrame = performance.now(); });
        }
    }).observe({ type: "mark" });
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const calculatorServer = await serveFolder(folder);
const staticServer = await serveFolder(staticFolder);
const browser = await launchChromium();
try {
    const startUp = async (url) => {
        const context = await browser.newContext();
        await context.addInitScript(timeFirstFrameAfterReady);
        const tab = await context.newPage();
        await tab.goto(url);
        const time = await (await tab.waitForFunction(() => window.readyFrame)).jsonValue();
        await context.close();
        return time;
    };
    await startUp(calculatorServer.url);  // warm-up of both
    await startUp(staticServer.url);
    const calculator = [];
    const still = [];
    for (let run = 0; run < runs; ++run) {
        calculator.push(await startUp(calculatorServer.url));
        still.push(await startUp(staticServer.url));
    }
    const ratio = median(calculator) / median(still);
    const pairs = median(calculator.map((time, run) => time / still[run]));
    console.log(`Start-up, navigation to ready for input (medians of ${runs} runs each):`);
    console.log(`  the page with its core      ${median(calculator).toFixed(1)} ms`);
    console.log(`  static page, same controls  ${median(still).toFixed(1)} ms`);
    console.log(`  ratio ${ratio.toFixed(2)} (median of the pairs' ratios ${pairs.toFixed(2)}), ` +
        `target at most ${START_TARGET_RATIO}`);

    const tab = await openReady(browser, calculatorServer.url);
    console.log(`One press, click to every write shown (mean of ${PRESSES} after as many to warm up), ` +
        `target at most ${PRESS_TARGET_MS} ms:`);
    for (const command of ["analysis", "synthesis", "synthpi", "syntht"]) {
        const time = await tab.evaluate(({ command, presses }) => {
            const button = document.getElementById(command);
            for (let press = 0; press < presses; ++press) {
                button.click();
            }
            const start = performance.now();
            for (let press = 0; press < presses; ++press) {
                button.click();
            }
            return (performance.now() - start) / presses;
        }, { command, presses: PRESSES });
        console.log(`  ${command.padEnd(10)} ${(time * 1000).toFixed(0)} µs`);
    }

    const size = gzipSync(page, { level: 9 }).length / KB;
    console.log(`Size: ${(page.length / KB).toFixed(1)} KB, ${size.toFixed(1)} KB with gzip -9, ` +
        `target under ${SIZE_TARGET_KB} KB`);
} finally {
    await browser.close();
    await calculatorServer.close();
    await staticServer.close();
    rmSync(staticFolder, { recursive: true });
}
