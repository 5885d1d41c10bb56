// Debian's Chromium, headless, driven by playwright-core: never a browser of Playwright's own.
import { chromium } from "playwright-core";

const CHROMIUM = "/usr/bin/chromium";
const FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync"];

// Playwright gives each launch a fresh profile folder of its own (--user-data-dir).
export function launchChromium() {
    return chromium.launch({ executablePath: CHROMIUM, args: FLAGS });
}
