// SPDX-License-Identifier: MIT
// Serves the browser version's static site (build-web/site) as a host
// should: the right types, compressed for browsers that take it, and
// revalidated on every visit, since the files keep their names from build
// to build (the service worker keeps them for offline play).
//   node web-server.js SITE_DIR [PORT [ADDRESS]]
'use strict';

const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const zlib = require('node:zlib');

/** @type {Record<string, string>} */
const types = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.wasm': 'application/wasm',
    '.webmanifest': 'application/manifest+json',
    '.svg': 'image/svg+xml',
    '.png': 'image/png',
};
// PNG is compressed already.
const compressible = new Set(['.html', '.js', '.css', '.wasm', '.webmanifest', '.svg']);

// Brotli where the browser takes it, else gzip; each file is compressed once.
/** @param {Buffer} body @param {string} encoding 'br' or 'gzip' */
function encode(body, encoding) {
    if (encoding === 'br') {
        return zlib.brotliCompressSync(body, {params: {
            [zlib.constants.BROTLI_PARAM_QUALITY]: 11,
            [zlib.constants.BROTLI_PARAM_SIZE_HINT]: body.length,
        }});
    }
    return zlib.gzipSync(body, {level: 9});
}

/**
 * Returns an http.Server for the folder; onRequest(url) sees each request.
 * @param {string} site
 * @param {(url: string) => void} onRequest
 */
function createSiteServer(site, onRequest = () => {}) {
    const root = path.resolve(site);
    /** @type {Map<string, {mtime: number, body: Buffer}>} path + encoding */
    const cache = new Map();
    // The site's files are compressed ahead, so that no first visitor waits.
    for (const name of fs.readdirSync(root)) {
        const file = path.join(root, name);
        const stat = fs.statSync(file);
        if (stat.isFile() && compressible.has(path.extname(name))) {
            for (const encoding of ['br', 'gzip']) {
                cache.set(`${file}\n${encoding}`,
                    {mtime: stat.mtimeMs, body: encode(fs.readFileSync(file), encoding)});
            }
        }
    }
    return http.createServer((request, response) => {
        const requested = request.url ?? '/';
        onRequest(requested);
        let file;
        try {
            const url = new URL(requested, 'http://host');
            file = path.join(root, path.normalize(decodeURIComponent(url.pathname)));
        } catch {
            response.writeHead(400).end();
            return;
        }
        if (file.endsWith(path.sep)) {
            file = path.join(file, 'index.html');
        }
        fs.stat(file, (error, stat) => {
            if (error || !stat.isFile() || !['GET', 'HEAD'].includes(request.method ?? '')) {
                response.writeHead(error ? 404 : 405, {'Content-Type': 'text/plain'});
                response.end(error ? 'Not found\n' : 'Not allowed\n');
                return;
            }
            const extension = path.extname(file);
            const accepted = request.headers['accept-encoding'] || '';
            const encoding = !compressible.has(extension) ? null
                : /\bbr\b/.test(accepted) ? 'br' : /\bgzip\b/.test(accepted) ? 'gzip' : null;
            const etag = `"${stat.size.toString(16)}-${stat.mtimeMs.toString(16)}"`;
            /** @type {Record<string, string | number>} */
            const headers = {
                'Content-Type': types[extension] || 'application/octet-stream',
                'Cache-Control': 'no-cache',
                'ETag': etag,
                'Vary': 'Accept-Encoding',
                'X-Content-Type-Options': 'nosniff',
            };
            if (request.headers['if-none-match'] === etag) {
                response.writeHead(304, headers).end();
                return;
            }
            const key = `${file}\n${encoding}`;
            let entry = cache.get(key);
            if (!entry || entry.mtime !== stat.mtimeMs) {
                const raw = fs.readFileSync(file);
                entry = {mtime: stat.mtimeMs, body: encoding ? encode(raw, encoding) : raw};
                cache.set(key, entry);
            }
            if (encoding) {
                headers['Content-Encoding'] = encoding;
            }
            headers['Content-Length'] = entry.body.length;
            response.writeHead(200, headers);
            response.end(request.method === 'HEAD' ? undefined : entry.body);
        });
    });
}

module.exports = {createSiteServer};

if (require.main === module) {
    const [site, port = '8000', address = '127.0.0.1'] = process.argv.slice(2);
    if (!site) {
        console.error('usage: node web-server.js SITE_DIR [PORT [ADDRESS]]');
        process.exit(2);
    }
    createSiteServer(site).listen(Number(port), address, () => {
        console.log(`Darvo's Vorl Hall is at http://${address}:${port}/ (Ctrl+C stops the server)`);
    });
}
