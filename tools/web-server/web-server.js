// SPDX-License-Identifier: MIT
// Serves the browser version's static site (build-web/site) as a host
// should: the right types, gzipped for browsers that take it, and
// revalidated on every visit (index.html and sw.js keep their names from
// build to build; the service worker keeps the files for offline play). Debian's
// serve-static and compression do the work (Debian: node-serve-static,
// node-compression; that compression knows gzip and deflate, not brotli).
//   node web-server.js SITE_DIR [PORT [ADDRESS]]
'use strict';

const http = require('node:http');
const Module = require('node:module');
const path = require('node:path');

// Debian's node finds Debian's modules in /usr/share/nodejs; a node from
// elsewhere does not look there, nor would those modules find each other.
const DEBIAN_MODULES = '/usr/share/nodejs';
// Node keeps its search paths private, untyped.
const modules = /** @type {typeof Module & {globalPaths: string[], _initPaths(): void}} */ (Module);
if (!modules.globalPaths.includes(DEBIAN_MODULES)) {
    process.env.NODE_PATH = [process.env.NODE_PATH, DEBIAN_MODULES].filter(Boolean)
        .join(path.delimiter);
    modules._initPaths();
}
const accepts = require('accepts');
const compressible = require('compressible');
const compression = require('compression');
const {contentType} = require('mime-types');
const onHeaders = require('on-headers');
const serveStatic = require('serve-static');
const vary = require('vary');

/** @param {string} file */
const typeOf = (file) => contentType(path.extname(file)) || 'application/octet-stream';

// The coding a GET of this URL is sent with: negotiated here once, and
// compression told nothing else, so that a 304 names the same coding as
// the 200 it stands for. (compression sends HEAD as it is.)
/** @param {http.IncomingMessage} request */
function codingFor(request) {
    let pathname;
    try {
        ({pathname} = new URL(request.url ?? '', 'http://host'));
    } catch {
        return 'identity';
    }
    if (pathname.endsWith('/')) {
        pathname += 'index.html';
    }
    if (request.method === 'HEAD' || !compressible(typeOf(pathname))) {
        return 'identity';
    }
    return accepts(request).encoding(['gzip', 'identity']) || 'identity';
}

// Each coding has a validator of its own: the file's ETag with the coding
// added. A request's If-None-Match keeps only the tags of the coding it gets,
// back in the file's own form, for serve-static to compare.
/** @param {string} tag */
const codingOfTag = (tag) => /-(gzip|deflate|br)"$/.exec(tag)?.[1] || 'identity';
/** @param {string} tag @param {string} coding */
function tagFor(tag, coding) {
    return coding === 'identity' ? tag : tag.replace(/"$/, `-${coding}"`);
}
/** @param {http.IncomingMessage} request @param {string} coding */
function matchCoding(request, coding) {
    const asked = request.headers['if-none-match'];
    if (!asked || asked.trim() === '*') {
        return;
    }
    const kept = asked.split(',').map((tag) => tag.trim())
        .filter((tag) => codingOfTag(tag) === coding)
        .map((tag) => coding === 'identity' ? tag : tag.replace(`-${coding}"`, '"'));
    if (kept.length) {
        request.headers['if-none-match'] = kept.join(', ');
    } else {
        // A tag of another coding: no 304, not even on the date.
        delete request.headers['if-none-match'];
        delete request.headers['if-modified-since'];
    }
}

// Returns an http.Server for the folder; onRequest(url) sees each request.
/** @param {string} site @param {(url: string | undefined) => void} [onRequest] */
function createSiteServer(site, onRequest = () => {}) {
    const files = serveStatic(path.resolve(site), {
        // A range of a gzipped body is no range of the file.
        acceptRanges: false,
        cacheControl: false,
        fallthrough: false,
        setHeaders: (response, file) => {
            response.setHeader('Cache-Control', 'no-cache');
            response.setHeader('Content-Type', typeOf(file));
            response.setHeader('X-Content-Type-Options', 'nosniff');
        },
    });
    const compress = compression({threshold: 0, level: 9});
    return http.createServer((request, response) => {
        onRequest(request.url);
        const coding = codingFor(request);
        request.headers['accept-encoding'] = coding;
        matchCoding(request, coding);
        // Runs after compression's own hook, which is added later.
        onHeaders(response, () => {
            vary(response, 'Accept-Encoding');
            const tag = response.getHeader('ETag');
            const sent = response.statusCode === 304 ? coding
                : String(response.getHeader('Content-Encoding') || 'identity');
            if (typeof tag === 'string') {
                response.setHeader('ETag', tagFor(tag, sent));
            }
        });
        /** @param {number} status */
        const fail = (status) => {
            response.statusCode = status;
            response.setHeader('Content-Type', 'text/plain');
            response.end(`${http.STATUS_CODES[status]}\n`);
        };
        try {
            compress(request, response, () => files(request, response,
                (error) => fail(error?.status || 404)));
        } catch {
            fail(400); // a URL that node's own parser throws at
        }
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
