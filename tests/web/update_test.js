// SPDX-License-Identifier: MIT
// The site as a host serves it, in Debian's Chromium: a build deployed while
// pages run or load mixes with none of them, and the page's policy blocks
// nothing the game does.
//   node update_test.js SITE_DIR NODE_MODULES_DIR CMAKE_COMMAND
'use strict';

const assert = require('node:assert/strict');
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const {test} = require('node:test');
const {createSiteServer} = require('../../tools/web-server/web-server.js');

const [site, modules, cmake] = process.argv.slice(2);
const {chromium} = require(path.join(modules, 'playwright-core'));
/** @typedef {import('playwright-core').Page} Page */

// The host's folder, a copy of the built site; while `holding`, the next
// request for the game's WebAssembly waits in `held`.
const host = fs.mkdtempSync(path.join(os.tmpdir(), 'vorl-host-'));
fs.cpSync(site, host, {recursive: true});
const files = createSiteServer(host);
let holding = false;
/** @type {(() => void)[]} */
const held = [];
const server = http.createServer((request, response) => {
    const serve = () => files.emit('request', request, response);
    holding && request.url?.endsWith('/vorl.wasm') ? held.push(serve) : serve();
    holding &&= held.length === 0;
});
const builds = () => fs.readdirSync(host).filter((f) => /^[0-9a-f]{16}$/.test(f));
/** @type {string[]} */
const errors = [];

// What a page runs once a stroke has played: the build its page names, the
// folders of every file it was served, whether it is the second build, and
// how many times its policy blocked something.
/** @param {Page} page */
async function runs(page) {
    await page.waitForFunction(() => document.body.dataset.firstFrame !== undefined);
    const box = /** @type {{x: number, y: number}} */ (await page.locator('#table').boundingBox());
    await page.mouse.click(box.x + 640, box.y + 216);
    await page.waitForFunction(() => Module._vorl_ticks() > 10);
    return page.evaluate(() => ({
        build: new URL(document.scripts[0].src).pathname.split('/')[1],
        folders: [...new Set(performance.getEntriesByType('resource').map((e) =>
            new URL(e.name).pathname.split('/')).filter((p) => p.length > 2).map((p) => p[1]))],
        second: document.body.dataset.second === '', blocked: document.body.dataset.cspViolations,
    }));
}

test('a build deployed while pages run or load mixes with none; nothing is blocked', async (t) => {
    await new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(null)));
    const address = `http://127.0.0.1:${/** @type {import('node:net').AddressInfo} */ (server.address()).port}/`;
    /** @type {import('playwright-core').Browser} */
    const browser = await chromium.launch({args: ['--no-sandbox', '--disable-gpu'],
        executablePath: process.env.VORL_CHROMIUM || '/usr/bin/chromium'});
    t.after(async () => {
        await browser.close();
        server.close();
        fs.rmSync(host, {recursive: true});
    });
    const context = await browser.newContext({viewport: {width: 1272, height: 899}});
    context.on('page', (page) => page.on('pageerror', (error) => errors.push(error.message)));
    const open = async () => {
        const page = await context.newPage();
        await page.goto(address);
        return page;
    };
    const [first] = builds();
    const running = [await open()];
    await running[0].evaluate(() => navigator.serviceWorker.ready);
    running.push(await open());
    await runs(running[1]);
    // Its own registration, a second after its first frame, done: a deploy
    // racing it leaves the new worker waiting in Chromium at times.
    await running[1].waitForTimeout(2000);
    assert.ok(await running[1].evaluate(() => navigator.serviceWorker.controller !== null));
    // A page of another browser, loading from the network, waits for its WebAssembly.
    const elsewhere = await browser.newContext();
    const loading = await elsewhere.newPage();
    loading.on('pageerror', (error) => errors.push(error.message));
    holding = true;
    await loading.goto(address, {waitUntil: 'commit'});
    while (held.length === 0) {
        await loading.waitForTimeout(100);
    }

    // The second build, one statement more in the page's module, deployed
    // beside the first; the pages' worker finds it as their hourly check would.
    const stage = fs.mkdtempSync(path.join(os.tmpdir(), 'vorl-build-'));
    fs.cpSync(path.join(host, first), stage, {recursive: true});
    fs.appendFileSync(path.join(stage, 'vorl-page.js'), 'document.body.dataset.second = "";\n');
    const sources = path.join(__dirname, '..', '..');
    execFileSync(cmake, [`-DSITE=${host}`, `-DBUILD=${stage}`, '-DKEEP_OLD_BUILDS=ON',
        `-DINDEX=${sources}/src/web/site/index.html.in`,
        `-DWORKER=${sources}/src/web/site/sw.js.in`, '-P', `${sources}/cmake/site_build.cmake`]);
    const second = /** @type {string} */ (builds().find((b) => b !== first));
    await running[1].evaluate(() => new Promise((tookOver) => {
        navigator.serviceWorker.addEventListener('controllerchange', tookOver);
        navigator.serviceWorker.ready.then((registration) => registration.update());
    }).then(() => null));
    await running[1].waitForTimeout(3000); // it has asked every window which build it runs
    assert.ok(await running[1].evaluate((name) => caches.has(name), `vorl-${first}`));
    assert.equal(await loading.evaluate(() => document.body.dataset.firstFrame), undefined);
    held.forEach((serve) => serve());
    for (const page of [loading, ...running]) {
        assert.deepEqual(await runs(page), {build: first, folders: [first], second: false, blocked: '0'});
    }

    // A menu and a box (closed by its <form method="dialog">) under the policy.
    await running[0].click('.menu-title[data-name="mnuHelp"]');
    await running[0].click('.menu-item[data-name="mnuprog"]');
    await running[0].click('#box-ok');
    await running[0].locator('dialog#box').waitFor({state: 'hidden'});
    assert.equal(await running[0].evaluate(() => document.body.dataset.cspViolations), '0');
    await running[0].evaluate(() => document.head.append(Object.assign(
        document.createElement('script'), {textContent: 'document.title = ""'})));
    await running[0].waitForFunction(() => document.body.dataset.cspViolations === '1');

    // The next load runs the second build; the first's cache goes with its last window.
    await Promise.all([elsewhere.close(), running[0].close()]);
    await running[1].reload();
    assert.deepEqual(await runs(running[1]), {build: second, folders: [second], second: true, blocked: '0'});
    await running[1].waitForFunction((name) => caches.keys().then((names) => names.join() === name),
        `vorl-${second}`, {polling: 200});
    assert.deepEqual(errors, []);
});
