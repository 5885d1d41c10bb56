// Debian's Chromium, headless, driven by playwright-core: never a browser of Playwright's own.
import { chromium } from "playwright-core";

const CHROMIUM = "/usr/bin/chromium";
const FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync"];

// Playwright gives each launch a fresh profile folder of its own (--user-data-dir).
export function launchChromium() {
    return chromium.launch({ executablePath: CHROMIUM, args: FLAGS });
}

// The page at an address in a new tab, once it has marked itself ready: its core loaded.
export async function openReady(browser, address, options = {}, beforeLoad = () => {}) {
    const page = await browser.newPage(options);
    beforeLoad(page);
    await page.goto(address);
    await page.waitForFunction(() => performance.getEntriesByName("ready").length > 0);
    return page;
}
