// SPDX-License-Identifier: MIT
// The site as a host serves it, in Debian's Chromium: the page's policy
// blocks nothing the game does, and a build deployed while pages are open
// or still loading mixes with none of them.
//   node update_test.js SITE_DIR NODE_MODULES_DIR CMAKE_COMMAND
'use strict';

const assert = require('node:assert/strict');
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const {after, before, test} = require('node:test');
const {createSiteServer} = require('../../tools/web-server/web-server.js');

const [site, modules, cmake] = process.argv.slice(2);
const {chromium} = require(path.join(modules, 'playwright-core'));
const root = path.join(__dirname, '..', '..');
/** @typedef {import('playwright-core').Page} Page */

// The host's folder, a copy of the built site. While `holding`, the next
// request for the game's WebAssembly waits in `held`.
const host = fs.mkdtempSync(path.join(os.tmpdir(), 'vorl-host-'));
fs.cpSync(site, host, {recursive: true});
const files = createSiteServer(host);
let holding = false;
/** @type {(() => void)[]} */
const held = [];
const server = http.createServer((request, response) => {
    const serve = () => files.emit('request', request, response);
    if (holding && request.url?.endsWith('/vorl.wasm')) {
        holding = false;
        held.push(serve);
    } else {
        serve();
    }
});
const builds = () => fs.readdirSync(host).filter((f) => /^[0-9a-f]{16}$/.test(f));
/** @type {import('playwright-core').Browser} */
let browser;
let address = '';

before(async () => {
    await new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(null)));
    address = `http://127.0.0.1:${/** @type {import('node:net').AddressInfo} */ (server.address()).port}/`;
    browser = await chromium.launch({executablePath: process.env.VORL_CHROMIUM || '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking']});
});
after(async () => {
    await browser?.close();
    server.close();
    fs.rmSync(host, {recursive: true});
});

/** @type {string[]} */
const errors = [];
/** @param {Page} page @param {boolean} loaded */
async function open(page, loaded = true) {
    page.on('pageerror', (error) => errors.push(error.message));
    await page.goto(address, {waitUntil: loaded ? 'load' : 'commit'});
    if (loaded) {
        await page.waitForFunction(() => document.body.dataset.firstFrame !== undefined);
    }
    return page;
}

// What a page runs: the build its page names, the folders of every file it
// was served, whether it is the second build, and that a stroke plays.
/** @param {Page} page */
async function runs(page) {
    const box = /** @type {{x: number, y: number}} */ (await page.locator('#table').boundingBox());
    await page.mouse.click(box.x + 640, box.y + 216);
    await page.waitForFunction(() => Module._vorl_ticks() > 10);
    return page.evaluate(() => ({
        build: new URL(/** @type {HTMLScriptElement} */ (document.querySelector('script')).src)
            .pathname.split('/')[1],
        folders: [...new Set(performance.getEntriesByType('resource').map((e) =>
            new URL(e.name).pathname.split('/')).filter((p) => p.length > 2).map((p) => p[1]))],
        second: document.body.dataset.second === '',
    }));
}

test('the game plays a stroke, a menu and a box with nothing blocked by its policy', async () => {
    const page = await open(await browser.newPage());
    /** @type {string[]} */
    const logged = [];
    page.on('console', (message) => message.type() === 'error' && logged.push(message.text()));
    assert.ok(!/\beval\(|new Function/.test(fs.readFileSync(path.join(site, builds()[0], 'vorl.js'), 'utf8')));
    await runs(page);
    await page.click('.menu-title[data-name="mnuHelp"]');
    await page.click('.menu-item[data-name="mnuhtp"]');
    await page.keyboard.press('Alt+h');
    await page.keyboard.press('g');
    await page.locator('dialog#box').waitFor({state: 'visible'});
    await page.click('#box-ok'); // <form method="dialog"> under form-action 'none'
    await page.locator('dialog#box').waitFor({state: 'hidden'});
    assert.deepEqual([await page.evaluate(() => document.body.dataset.cspViolations), logged], ['0', []]);
    await page.evaluate(() => document.head.append(Object.assign(document.createElement('script'),
        {textContent: 'document.body.dataset.inline = ""'})));
    await page.waitForFunction(() => document.body.dataset.cspViolations === '1');
    assert.ok(logged.some((line) => line.startsWith('Blocked by the page\'s policy (script-src')),
        logged.join('\n'));
    assert.deepEqual(errors, []);
    await page.close();
});

test('a build deployed while pages run or load mixes with none; the next load runs it', async () => {
    const context = await browser.newContext({viewport: {width: 1272, height: 899}});
    const [first] = builds();
    const running = [await open(await context.newPage())];
    await running[0].evaluate(() => navigator.serviceWorker.ready);
    running.push(await open(await context.newPage()));
    assert.ok(await running[1].evaluate(() => navigator.serviceWorker.controller !== null));
    // A page that loads from the network, as a shift-reload does, until it
    // asks for the game's WebAssembly.
    const loading = await context.newPage();
    const cdp = await context.newCDPSession(loading);
    await cdp.send('Network.enable');
    await cdp.send('Network.setBypassServiceWorker', {bypass: true});
    holding = true;
    await open(loading, false);
    while (held.length === 0) {
        await loading.waitForTimeout(100);
    }

    // The second build: one statement more in the page's module.
    const stage = fs.mkdtempSync(path.join(os.tmpdir(), 'vorl-build-'));
    fs.cpSync(path.join(host, first), stage, {recursive: true});
    fs.appendFileSync(path.join(stage, 'vorl-page.js'), 'document.body.dataset.second = "";\n');
    execFileSync(cmake, [`-DSITE=${host}`, `-DBUILD=${stage}`, '-DKEEP_OLD_BUILDS=ON',
        `-DINDEX=${root}/src/web/site/index.html.in`, `-DWORKER=${root}/src/web/site/sw.js.in`,
        '-P', `${root}/cmake/site_build.cmake`]);
    fs.rmSync(stage, {recursive: true});
    const second = /** @type {string} */ (builds().find((b) => b !== first));
    // As the page's own check for an update would; the new worker takes over.
    await running[1].evaluate(() => navigator.serviceWorker.ready.then((r) => r.update()));
    await running[1].waitForFunction(async (name) => {
        const registration = await navigator.serviceWorker.ready;
        return !registration.installing && !registration.waiting && await caches.has(name) &&
            registration.active?.state === 'activated';
    }, `vorl-${second}`, {polling: 200});
    await running[1].waitForTimeout(3000); // the new worker has asked every window
    assert.ok(await running[1].evaluate((name) => caches.has(name), `vorl-${first}`));
    assert.equal(await loading.evaluate(() => document.body.dataset.firstFrame), undefined);
    held.forEach((serve) => serve());
    await loading.waitForFunction(() => document.body.dataset.firstFrame !== undefined);
    for (const page of [loading, ...running]) {
        assert.deepEqual(await runs(page), {build: first, folders: [first], second: false});
    }

    await cdp.send('Network.setBypassServiceWorker', {bypass: false});
    await loading.close();
    await running[0].close();
    await running[1].reload();
    await running[1].waitForFunction(() => document.body.dataset.firstFrame !== undefined);
    assert.deepEqual(await runs(running[1]), {build: second, folders: [second], second: true});
    await running[1].waitForFunction((name) => caches.keys().then((names) =>
        names.join() === name), `vorl-${second}`, {timeout: 10000, polling: 200});
    assert.deepEqual(errors, []);
    await context.close();
});
