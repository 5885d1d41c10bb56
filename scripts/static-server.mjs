// Serves a folder of static files on 127.0.0.1, for the web page's tests, its benchmark and
// scripts/run-web:
//   node scripts/static-server.mjs FOLDER [PORT]     prints the address, serves until stopped
// or, imported: const server = await serveFolder(folder); ... server.url; server.close().

import { createReadStream } from "node:fs";
import { stat } from "node:fs/promises";
import { createServer } from "node:http";
import { extname, join, resolve, sep } from "node:path";
import { pathToFileURL } from "node:url";

const TYPES = {
    ".html": "text/html; charset=utf-8",
    ".css": "text/css; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".png": "image/png",
    ".woff2": "font/woff2",
};

// The file an address names inside root, or null for one outside it.
function fileOf(root, address) {
    let path;
    try {
        path = decodeURIComponent(new URL(address, "http://127.0.0.1").pathname);
    } catch {
        return null;
    }
    const file = resolve(root, `.${path}`);
    if (file !== root && !file.startsWith(root + sep)) {
        return null;
    }
    return path.endsWith("/") ? join(file, "index.html") : file;
}

export async function serveFolder(folder, port = 0) {
    const root = resolve(folder);
    const server = createServer(async (request, response) => {
        const file = fileOf(root, request.url);
        const found = file && (await stat(file).catch(() => null));
        if (!["GET", "HEAD"].includes(request.method)) {
            response.writeHead(405).end();
            return;
        }
        if (!found?.isFile()) {
            response.writeHead(404).end();
            return;
        }
        response.writeHead(200, {
            "Content-Type": TYPES[extname(file)] ?? "application/octet-stream",
            "Content-Length": found.size,
        });
        if (request.method === "HEAD") {
            response.end();
        } else {
            // A file changed or gone since stat (a page rebuilt meanwhile) ends this answer, not
            // the server.
            createReadStream(file).on("error", () => response.destroy()).pipe(response);
        }
    });
    await new Promise((listening) => server.listen(port, "127.0.0.1", listening));
    return {
        url: `http://127.0.0.1:${server.address().port}/`,
        close: () => new Promise((closed) => server.close(closed)),
    };
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
    const [folder, port] = process.argv.slice(2);
    if (!folder) {
        console.error("usage: node scripts/static-server.mjs FOLDER [PORT]");
        process.exit(2);
    }
    const server = await serveFolder(folder, Number(port ?? 0));
    console.log(`Serving ${resolve(folder)} at ${server.url} (Ctrl+C stops)`);
}
