// SPDX-License-Identifier: MIT
// The static server of scripts/play-web.sh and the browser tests, on a small
// site of its own: types, compression, and one validator per coding.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const {buffer} = require('node:stream/consumers');
const {after, before, test} = require('node:test');
const zlib = require('node:zlib');
const {createSiteServer} = require('../../tools/web-server/web-server.js');

const site = fs.mkdtempSync(path.join(os.tmpdir(), 'vorl-site-'));
const page = '<!doctype html><title>Table</title>' + '<p>rail</p>'.repeat(200);
fs.writeFileSync(path.join(site, 'index.html'), page);
fs.writeFileSync(path.join(site, 'vorl.wasm'), Buffer.from([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0]));
fs.writeFileSync(path.join(site, 'manifest.webmanifest'), '{"name": "Table"}');
let served = 0;
const server = createSiteServer(site, () => ++served);
before(() => new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(undefined))));
after(() => server.close() && fs.rmSync(site, {recursive: true}));

/** @typedef {{status?: number, headers: http.IncomingHttpHeaders, body: Buffer}} Reply */

// node's http, since fetch sets an Accept-Encoding of its own.
/** @param {string} file @param {http.OutgoingHttpHeaders} [headers] @returns {Promise<Reply>} */
const get = (file, headers = {}) => new Promise((resolve, reject) => http.get(
    {host: '127.0.0.1', port: /** @type {import('node:net').AddressInfo} */ (server.address()).port,
        path: file, headers}, (response) => buffer(response).then((body) =>
        resolve({status: response.statusCode, headers: response.headers, body}), reject))
    .on('error', reject));

test('each coding has its own ETag, and a 304 answers only its own', async () => {
    const plain = await get('/', {'accept-encoding': 'identity'});
    const gzip = await get('/index.html', {'accept-encoding': 'gzip, deflate, br'});
    assert.equal(plain.body.toString(), page);
    assert.equal(zlib.gunzipSync(gzip.body).toString(), page);
    assert.notEqual(plain.headers.etag, gzip.headers.etag);
    /** @type {[string, Reply, Reply][]} */
    const pairs = [['gzip', gzip, plain], ['identity', plain, gzip]];
    for (const [coding, own, other] of pairs) {
        assert.match(own.headers.vary ?? '', /Accept-Encoding/);
        assert.equal(own.headers['cache-control'], 'no-cache');
        const same = await get('/', {'accept-encoding': coding, 'if-none-match': own.headers.etag});
        assert.deepEqual([same.status, same.headers.etag], [304, own.headers.etag], coding);
        assert.match(same.headers.vary ?? '', /Accept-Encoding/);
        const crossed = await get('/', {'accept-encoding': coding, 'if-none-match':
            other.headers.etag, 'if-modified-since': own.headers['last-modified']});
        assert.equal(crossed.status, 200, `${coding} given the other coding's tag`);
    }
});

test('the game and the manifest have their own types; requests are counted', async () => {
    const before = served;
    const wasm = await get('/vorl.wasm', {'accept-encoding': 'gzip'});
    assert.deepEqual([wasm.headers['content-type'], wasm.headers['content-encoding']],
        ['application/wasm', 'gzip']);
    assert.match((await get('/manifest.webmanifest')).headers['content-type'] ?? '',
        /^application\/manifest\+json/);
    assert.equal((await get('/missing.js')).status, 404);
    assert.equal((await get('http://[')).status, 400, 'a URL node cannot parse');
    assert.equal(served, before + 4);
});
