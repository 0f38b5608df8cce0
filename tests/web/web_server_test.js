// SPDX-License-Identifier: MIT
// The static server of scripts/play-web.sh and the browser tests, on a small
// site of its own: types, compression, and one validator per coding.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
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
let address;
before(() => new Promise((resolve) => server.listen(0, '127.0.0.1', () => {
    address = `http://127.0.0.1:${server.address().port}`;
    resolve();
})));
after(() => {
    server.close();
    fs.rmSync(site, {recursive: true});
});

// fetch would add its own Accept-Encoding and undo the coding: node's http.
function get(file, headers = {}) {
    return new Promise((resolve, reject) => {
        require('node:http').get(`${address}${file}`, {headers}, (response) => {
            const chunks = [];
            response.on('data', (chunk) => chunks.push(chunk));
            response.on('end', () => resolve({statusCode: response.statusCode,
                headers: response.headers, body: Buffer.concat(chunks)}));
        }).on('error', reject);
    });
}

test('each coding has its own ETag, and a 304 answers only its own', async () => {
    const plain = await get('/', {'accept-encoding': 'identity'});
    const gzip = await get('/index.html', {'accept-encoding': 'gzip, deflate, br'});
    assert.equal(plain.body.toString(), page);
    assert.equal(gzip.headers['content-encoding'], 'gzip');
    assert.equal(zlib.gunzipSync(gzip.body).toString(), page);
    assert.notEqual(plain.headers.etag, gzip.headers.etag);
    for (const response of [plain, gzip]) {
        assert.match(response.headers.vary, /Accept-Encoding/);
        assert.equal(response.headers['cache-control'], 'no-cache');
        assert.match(response.headers['content-type'], /^text\/html/);
    }
    for (const [encoding, own, other] of [['gzip', gzip, plain], ['identity', plain, gzip]]) {
        const revalidated = await get('/', {'accept-encoding': encoding,
            'if-none-match': own.headers.etag});
        assert.equal(revalidated.statusCode, 304, encoding);
        assert.equal(revalidated.headers.etag, own.headers.etag);
        assert.match(revalidated.headers.vary, /Accept-Encoding/);
        const crossed = await get('/', {'accept-encoding': encoding,
            'if-none-match': other.headers.etag, 'if-modified-since': own.headers['last-modified']});
        assert.equal(crossed.statusCode, 200, `${encoding} given the other coding's tag`);
    }
});

test('the game and the manifest have their own types; requests are counted', async () => {
    const before = served;
    const wasm = await get('/vorl.wasm', {'accept-encoding': 'gzip'});
    assert.equal(wasm.headers['content-type'], 'application/wasm');
    assert.equal(wasm.headers['content-encoding'], 'gzip');
    const manifest = await get('/manifest.webmanifest');
    assert.match(manifest.headers['content-type'], /^application\/manifest\+json/);
    assert.equal((await get('/missing.js')).statusCode, 404);
    assert.equal(served, before + 3);
});
