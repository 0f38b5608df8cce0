// SPDX-License-Identifier: MIT
// The browser version in a real browser (Debian's Chromium, headless), driven
// by the browser's own pointer and key events and checked on the canvas's
// pixels, as the X tests check the desktop game on screenshots.
//   node browser_test.js SITE_DIR NATIVE_REPLAY NODE_MODULES_DIR
'use strict';

const assert = require('node:assert/strict');
const {spawnSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {after, before, test} = require('node:test');
const {createSiteServer} = require('../../tools/web-server/web-server.js');

const [site, replay, modules] = process.argv.slice(2);
const {chromium} = require(path.join(modules, 'playwright-core'));
/** @typedef {import('playwright-core').Page} Page */
/** @typedef {Page & {loadMs: number, errors: string[]}} GamePage */
/** @typedef {{x: number, y: number, width: number, height: number}} Box */

const CLOTH = [0, 128, 0];
const RAIL = [192, 64, 0];
const BLACK = [0, 0, 0];
const WHITE = [255, 255, 255];
const YELLOW = [255, 255, 0];
const RED = [255, 0, 0];
const CYAN = [0, 255, 255];
/** @param {number[]} c an RGB colour */
const hex = (c) => '#' + c.map((v) => v.toString(16).padStart(2, '0')).join('');

// The site as scripts/play-web.sh serves it; `served` counts the requests.
let served = 0;
const server = createSiteServer(site, () => ++served);
const chromiumOptions = {
    executablePath: process.env.VORL_CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
        '--disable-background-networking', '--disable-component-update', '--disable-sync'],
};
/** @type {import('playwright-core').Browser} */
let browser;
/** @type {string} */
let address;

before(async () => {
    await new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(null)));
    const {port} = /** @type {import('node:net').AddressInfo} */ (server.address());
    address = `http://127.0.0.1:${port}/`;
    browser = await chromium.launch(chromiumOptions);
});
after(async () => {
    await browser?.close();
    server.close();
});

// A page with the game loaded and its first frame shown; by default the
// viewport is as wide as the form, which then shows at 1:1, on a whole pixel
// (screenshots are cut at whole CSS pixels).
/**
 * @param {import('playwright-core').BrowserContextOptions} options
 * @param {{newPage(options?: object): Promise<Page>}} context
 */
async function openGame(options = {}, context = browser) {
    const page = /** @type {GamePage} */ (
        await context.newPage({viewport: {width: 1272, height: 899}, ...options}));
    /** @type {string[]} */
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    const began = Date.now();
    await page.goto(address);
    await page.waitForFunction(() => document.body.dataset.firstFrame !== undefined);
    page.loadMs = Date.now() - began;
    // The first tick colours the name label of the player to move: wait for
    // a frame drawn after it.
    await page.waitForFunction(() => Module._vorl_ticks() > 0);
    await page.evaluate(() => new Promise((done) => {
        requestAnimationFrame(() => requestAnimationFrame(done));
    }));
    page.errors = errors;
    return page;
}

// The canvas's pixels as the game drew them, in device pixels, read in the
// page and passed out as base64 text: {width, height, at(x, y) -> [r, g, b]}.
/** @param {Page} page */
async function table(page) {
    const {width, height, base64} = await page.evaluate(() => {
        const canvas = document.getElementById('table');
        const context = /** @type {CanvasRenderingContext2D} */ (canvas.getContext('2d'));
        const {data} = context.getImageData(0, 0, canvas.width, canvas.height);
        let bytes = '';
        for (let i = 0; i < data.length; i += 0x8000) {
            bytes += String.fromCharCode(...data.subarray(i, i + 0x8000));
        }
        return {width: canvas.width, height: canvas.height, base64: btoa(bytes)};
    });
    const rgba = Buffer.from(base64, 'base64');
    /** @param {number} x @param {number} y */
    const at = (x, y) => [...rgba.subarray(4 * (y * width + x), 4 * (y * width + x) + 3)];
    return {width, height, at};
}

/** @param {Page} page */
const ticks = (page) => page.evaluate(() => Module._vorl_ticks());

/** @param {Page} page @param {[[number, number], number[], string][]} points */
async function expectColours(page, points) {
    const shot = await table(page);
    for (const [[x, y], want, where] of points) {
        assert.equal(hex(shot.at(x, y)), hex(want), `${where} at (${x},${y})`);
    }
}

// Polls until the predicate holds, for at most `seconds`.
/** @template T @param {() => Promise<T>} predicate @param {number} seconds @param {string} what */
async function eventually(predicate, seconds, what) {
    const deadline = Date.now() + seconds * 1000;
    for (;;) {
        const value = await predicate();
        if (value) {
            return value;
        }
        assert.ok(Date.now() < deadline, `timed out: ${what}`);
        await new Promise((resolve) => setTimeout(resolve, 100));
    }
}

/** @param {string} script */
function runReplay(script) {
    const run = spawnSync(replay, {input: script, encoding: 'utf8'});
    assert.equal(run.status, 0, run.stderr);
    return run.stdout;
}

// Where the replay tool puts the cue ball's centre after the same stroke.
/** @param {number} x @param {number} y @returns {[number, number]} */
function predictedRest(x, y) {
    /** @param {number} v */
    const twips = (v) => Math.fround(v * 15);
    const out = runReplay(`move ${twips(x)} ${twips(y)}\ndown\ntick 1000\ndump\n`);
    const line = out.split('\n').find((l) => l.startsWith('ball 15 '));
    assert.ok(line, out);
    const f = Object.fromEntries(line.split(' ').slice(2).map((kv) => kv.split('=')));
    return [(Number(f.left) + Number(f.width) / 2) / 15, (Number(f.top) + Number(f.height) / 2) / 15];
}

// The centre of the pure white pixels around the cue ball's row, the head
// string's white line at x 552 left out.
/** @param {{at: (x: number, y: number) => number[]}} shot @returns {[number, number] | null} */
function cueBallCentre(shot) {
    let sx = 0;
    let sy = 0;
    let n = 0;
    for (let y = 190; y < 245; ++y) {
        for (let x = 60; x < 745; ++x) {
            if (Math.abs(x - 552) > 3 && hex(shot.at(x, y)) === hex(WHITE)) {
                sx += x;
                sy += y;
                ++n;
            }
        }
    }
    return n < 100 ? null : [sx / n, sy / n];
}

// How many rows of the help panel carry ink.
/** @param {Page} page */
async function helpInk(page) {
    const shot = await table(page);
    const background = hex(shot.at(1260, 20));
    let rows = 0;
    for (let y = 88; y < 88 + 369; ++y) {
        for (let x = 840; x < 840 + 337; ++x) {
            if (hex(shot.at(x, y)) !== background) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

test('the opening table shows the desktop colours at the same points', async () => {
    const page = await openGame();
    console.log(`# first frame ${page.loadMs} ms after the page was asked for`);
    await expectColours(page, [
        [[400, 133], CLOTH, 'cloth'],
        [[25, 180], RAIL, 'rail outside the bed\'s edge'],
        [[50, 180], RAIL, 'rail inside it'],
        [[372, 48], BLACK, 'top middle pocket'],
        [[308, 212], YELLOW, 'solid ball 0'],
        [[228, 228], CLOTH, 'cloth through ring ball 8'],
        [[221, 228], YELLOW, 'ring of ball 8'],
        [[592, 216], WHITE, 'cue ball'],
        [[602, 216], WHITE, 'cue ball\'s rim'],
        [[50, 574], RED, 'player 1\'s name label'],
    ]);
    assert.deepEqual(page.errors, []);
    await page.close();
});

test('menus from the keyboard recolour the table and toggle the help panel', async () => {
    const page = await openGame();
    await page.keyboard.press('Alt+d');
    await page.keyboard.press('b');
    await page.keyboard.press('c');
    await page.keyboard.press('Alt+d');
    for (const key of ['ArrowDown', 'ArrowDown', 'ArrowRight', 'r']) {
        await page.keyboard.press(key);
    }
    await eventually(async () => hex((await table(page)).at(25, 180)) === hex(RED), 2, 'red rail');
    await expectColours(page, [
        [[400, 133], CYAN, 'cloth'],
        [[228, 228], CYAN, 'cloth through ring ball 8'],
        [[25, 180], RED, 'rail'],
    ]);
    assert.equal(await page.locator('.popup').count(), 0, 'the menus closed');

    assert.equal(await helpInk(page), 0, 'help panel hidden at first');
    await page.keyboard.press('Alt+h');
    await page.keyboard.press('t');
    const rows = await eventually(() => helpInk(page), 2, 'help text');
    assert.ok(rows >= 100, `help text shown (${rows} rows of ink)`);
    // The pointer works the menus too.
    await page.click('.menu-title[data-name="mnuHelp"]');
    await page.click('.menu-item[data-name="mnuhtp"]');
    await eventually(async () => (await helpInk(page)) === 0, 2, 'help hidden again');
    await page.close();
});

test('after a rest a stroke sends the cue ball to where the replay tool puts it', async () => {
    const page = await openGame();
    await page.waitForTimeout(3000);
    assert.equal(await ticks(page), 2, 'the second tick finds the table at rest: none after it');
    /** @type {[number, number]} */
    const aim = [640, 216];
    const box = /** @type {Box} */ (await page.locator('#table').boundingBox());
    await page.mouse.move(box.x + aim[0], box.y + aim[1]);
    await page.mouse.down();
    await page.mouse.up();
    const rest = predictedRest(...aim);
    /** @type {(number[] | null)[]} */
    let seen = [null, null];
    await eventually(async () => {
        seen = [seen[1], cueBallCentre(await table(page))];
        return seen[0] && seen[1] && seen[1][0] < 590 &&
            Math.hypot(seen[0][0] - seen[1][0], seen[0][1] - seen[1][1]) < 0.2 &&
            Math.abs(seen[1][0] - rest[0]) < 1 && Math.abs(seen[1][1] - rest[1]) < 1;
    }, 30, `cue ball at rest at ${rest}, last seen ${seen[1]}`);
    await page.close();
});

// Strikes from the right into the rack and waits until the balls only creep:
// the tick runs on, as friction never quite stops them, and hardly a frame
// is painted.
/** @param {Page} page */
async function breakTheRack(page) {
    const box = /** @type {Box} */ (await page.locator('#table').boundingBox());
    await page.mouse.click(box.x + 1000, box.y + 216);
    await page.waitForTimeout(5000);
}

test('Programer opens a modal box; the tick holds while it is open', async () => {
    const page = await openGame();
    await breakTheRack(page);
    const expected = runReplay('click mnuprog\n').match(/^msgbox "(.*)"$/m)?.[1];
    await page.keyboard.press('Alt+h');
    await page.keyboard.press('g');
    const dialog = page.locator('dialog#box');
    await dialog.waitFor({state: 'visible'});
    assert.ok(await page.evaluate(() => document.getElementById('box').matches(':modal')));
    assert.equal(await page.locator('#box-title').textContent(), 'Vorl');
    assert.equal(await page.locator('#box-text').textContent(), expected);
    assert.equal(await page.locator('dialog#box button').count(), 1);

    const held = await ticks(page);
    await page.waitForTimeout(1000);
    assert.equal(await ticks(page), held, 'no tick while the box is open');
    await page.mouse.click(300, 300); // the table is inert under the box
    await page.keyboard.press('Enter');
    await dialog.waitFor({state: 'hidden'});
    const resumed = await ticks(page);
    await page.waitForTimeout(500);
    const after = (await ticks(page)) - resumed;
    assert.ok(after >= 25 && after <= 36, `${after} ticks in the half second after: no burst`);
    await page.close();
});

test('a pointer moved while a box was open aims the cue line once it is closed', async () => {
    const page = await openGame();
    const box = /** @type {Box} */ (await page.locator('#table').boundingBox());
    await page.mouse.move(box.x + 540, box.y + 216); // left of the cue ball
    await page.keyboard.press('Alt+h');
    await page.keyboard.press('g');
    const dialog = page.locator('dialog#box');
    await dialog.waitFor({state: 'visible'});
    await page.mouse.move(box.x + 640, box.y + 216); // now right of it
    await page.keyboard.press('Enter');
    await dialog.waitFor({state: 'hidden'});
    await page.waitForFunction(() => Module.vorlPage.running()); // the close event has run
    await page.mouse.down(); // no move in between
    await page.mouse.up();
    let centre = null;
    await eventually(async () => {
        centre = cueBallCentre(await table(page));
        return centre && centre[0] < 588;
    }, 5, `the cue ball goes left, away from where the pointer went (at ${centre})`);
    await page.close();
});

test('the tick runs at 64 a second while the balls roll', async () => {
    const page = await openGame();
    await breakTheRack(page);
    const [t0, c0] = await page.evaluate(() => [performance.now(), Module._vorl_ticks()]);
    await page.waitForTimeout(10000);
    const [t1, c1] = await page.evaluate(() => [performance.now(), Module._vorl_ticks()]);
    const rate = ((c1 - c0) * 1000) / (t1 - t0);
    console.log(`# ${rate.toFixed(2)} ticks a second over ${((t1 - t0) / 1000).toFixed(1)} s`);
    assert.ok(Math.abs(rate - 64) <= 1, `${rate} ticks a second`);
    await page.close();
});

test('at device pixel ratio 2 the table is drawn at device resolution', async () => {
    const page = await openGame({deviceScaleFactor: 2});
    const size = await page.evaluate(() => {
        const canvas = document.getElementById('table');
        return [canvas.width, canvas.height];
    });
    assert.deepEqual(size, [2544, 1424]);
    const shot = await table(page);
    // The cue ball's rim ends at 604.5 logical pixels: drawn at device
    // resolution, device pixel 1208 is white and 1209 cloth.
    const rim = shot.at(1208, 433);
    assert.ok(Math.min(...rim) >= 240, `rim fills device pixel 1208 (${hex(rim)})`);
    assert.equal(hex(shot.at(1184, 433)), hex(WHITE), 'cue ball');
    assert.equal(hex(shot.at(1209, 433)), hex(CLOTH), 'first device pixel past the rim');
    assert.equal(hex(shot.at(40, 360)), hex(RAIL), 'rail\'s outer edge, 20 logical');
    assert.equal(hex(shot.at(120, 360)), hex(CLOTH), 'cloth just inside the rail');
    await page.close();
});

test('File > Exit stops the game', async () => {
    const page = await openGame();
    await page.keyboard.press('Alt+f');
    await page.keyboard.press('e');
    await page.locator('#ended').waitFor({state: 'visible'});
    assert.match(await text(page, '#ended'), /ended[\s\S]*reload/i);
    assert.ok(await page.locator('#window').isHidden());
    const stopped = await ticks(page);
    await page.keyboard.press('Alt+f');
    await page.waitForTimeout(500);
    assert.equal(await ticks(page), stopped, 'no tick after the end');
    assert.equal(await page.locator('.popup').count(), 0, 'no menu after the end');
    await page.close();
});

// The canvas's backing store read in the page, at any scale, in logical
// pixels: the colours at `points`, and the centre of the cue ball's white.
/** @param {Page} page @param {number[][]} points */
const readTable = (page, points = []) => page.evaluate((points) => {
    const canvas = document.getElementById('table');
    const k = canvas.width / Module.vorlPage.painter.width;
    const context = /** @type {CanvasRenderingContext2D} */ (canvas.getContext('2d'));
    const {data, width} = context.getImageData(0, 0, canvas.width, canvas.height);
    /** @param {number} x @param {number} y */
    const at = (x, y) => (Math.floor(y) * width + Math.floor(x)) * 4;
    let [sx, sy, n] = [0, 0, 0];
    for (let y = Math.floor(190 * k), i; y < 245 * k; ++y) {
        for (let x = Math.floor(60 * k); x < 745 * k; ++x) {
            if (Math.abs(x / k - 552) > 3 && data[i = at(x, y)] + data[i + 1] + data[i + 2] > 764) {
                [sx, sy, n] = [sx + x, sy + y, n + 1];
            }
        }
    }
    return {cue: n < 20 ? null : [(sx / n + 0.5) / k, (sy / n + 0.5) / k],
        colours: points.map(([x, y]) => [...data.slice(at(x * k, y * k), at(x * k, y * k) + 3)])};
}, points);
/** @param {Page} page @param {string} selector */
const text = async (page, selector) => (await page.locator(selector).textContent()) ?? '';
/** @param {Page} page */
const strokes = (page) => text(page, '#score tbody tr:first-child td:last-child');
/** @param {Page} page */
const geometry = (page) => page.evaluate(() => {
    const canvas = document.getElementById('table');
    const {left, top, right, bottom, width, height} = canvas.getBoundingClientRect();
    const {scrollWidth, scrollHeight} = document.documentElement;
    return {left, top, right, bottom, width, height, store: [canvas.width, canvas.height],
        menu: document.getElementById('menubar').getBoundingClientRect().bottom,
        inner: [innerWidth, innerHeight], scrolled: [scrollX, scrollY, scrollWidth - innerWidth,
            scrollHeight - innerHeight].some((v) => v > 0)};
});

test('the table fits a phone and a laptop, at device resolution; a box moves nothing', async () => {
    /** @type {[number, number, number, [number, number]][]} */
    const screens = [[844, 390, 3, [390, 844]], [1280, 560, 1.25, [999, 700]]]; // then turned
    for (const [width, height, scale, turned] of screens) {
        const page = await openGame({viewport: {width, height}, deviceScaleFactor: scale,
            isMobile: scale > 2, hasTouch: scale > 2});
        for (const [w, h] of [[width, height], turned]) { // turned: the table fits again
            await page.setViewportSize({width: w, height: h});
            await page.mouse.wheel(500, 500);
            const g = await geometry(page);
            const where = `${g.inner.join('x')} at ${scale}`;
            assert.ok(!g.scrolled && g.left >= 0 && g.right <= g.inner[0] &&
                g.bottom <= g.inner[1] && g.top >= g.menu - 0.01, `all in view: ${where}`);
            assert.ok(g.inner[0] - g.width < 1 || g.inner[1] - g.menu - g.height < 1, where);
            assert.ok(Math.abs(g.width / g.height - 1272 / 712) < 0.005, `shape kept: ${where}`);
            assert.deepEqual(g.store, [g.width * scale, g.height * scale].map(Math.round), where);
            const {colours} = await readTable(page, [[592, 216], [400, 133]]);
            assert.deepEqual(colours.map(hex), [WHITE, CLOTH].map(hex), `ball, cloth: ${where}`);
        }
        const before = await geometry(page);
        await page.keyboard.press('Alt+h');
        await page.keyboard.press('g'); // Programer's box
        assert.deepEqual(await geometry(page), before, 'the box moves nothing');
        await page.keyboard.press('Enter');
        assert.deepEqual(await geometry(page), before, 'nor does closing it');
        await page.close();
    }
});

test('a finger aims, strikes on lifting; a cancelled touch or a second finger does not', async () => {
    const page = await openGame({viewport: {width: 844, height: 390}, deviceScaleFactor: 3,
        isMobile: true, hasTouch: true});
    const cdp = await page.context().newCDPSession(page);
    const r = await geometry(page);
    // Points are [x, y, id] in logical pixels; a touchEnd names the points that go.
    /** @param {'touchStart' | 'touchMove' | 'touchEnd' | 'touchCancel'} type
     * @param {[number, number, number?][]} points */
    const touch = (type, ...points) => cdp.send('Input.dispatchTouchEvent', {type,
        touchPoints: points.map(([x, y, id = 0]) =>
            ({x: r.left + (x * r.width) / 1272, y: r.top + (y * r.height) / 712, id}))});
    /** @param {number[]} from @param {number[]} to */
    const lineAt = async (from, to) => hex((await readTable(page,
        [[(from[0] + to[0]) / 2, (from[1] + to[1]) / 2]])).colours[0]);
    const {cue} = await readTable(page);
    assert.ok(cue, 'the cue ball on the table');
    await page.tap('[data-name="mnuFile"]');
    await touch('touchStart', [700, 330]); // only closes the menu
    await touch('touchEnd', [700, 330]);
    assert.equal(await lineAt(cue, [700, 330]), hex(CLOTH), 'no cue line there at first');
    await touch('touchStart', [700, 300]);
    await touch('touchMove', [700, 330]);
    await touch('touchStart', [700, 330], [300, 400, 1]); // a second finger comes and goes
    await touch('touchEnd', [300, 400, 1]);
    await page.waitForTimeout(100);
    assert.notEqual(await lineAt(cue, [700, 330]), hex(CLOTH), 'the cue line follows the finger');
    await touch('touchCancel');
    await page.waitForTimeout(300);
    assert.equal(await strokes(page), '0', 'no stroke yet');

    await page.evaluate(() => document.getElementById('table').addEventListener('pointerup',
        (e) => (window.lift = [e.clientX, e.clientY])));
    await touch('touchStart', [640, 216]);
    await touch('touchEnd', [640, 216]);
    await eventually(async () => (await strokes(page)) === '1', 2, 'one stroke on lifting');
    const lift = await page.evaluate(() => window.lift);
    /** @type {[number, number]} */
    const aim = [(lift[0] - r.left) * (1272 / r.width), (lift[1] - r.top) * (712 / r.height)];
    const rest = predictedRest(...aim);
    /** @type {(number[] | null)[]} */
    let seen = [null, null];
    await eventually(async () => {
        seen = [seen[1], (await readTable(page)).cue];
        return seen[0] && seen[1] && Math.hypot(seen[0][0] - seen[1][0], seen[0][1] - seen[1][1]) <
            0.2 && Math.hypot(seen[1][0] - rest[0], seen[1][1] - rest[1]) < 1;
    }, 30, `cue ball at rest at ${rest}, last seen ${seen[1]}`);
    const cueNow = async () => /** @type {number[]} */ ((await readTable(page)).cue);
    await eventually(async () => (await lineAt(await cueNow(), aim)) !== hex(CLOTH),
        10, 'the cue line shown again, from where the ball is now');
    await page.close();
});

test('the site installs; after one visit it loads and plays with the network off', async (t) => {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vorl-profile-'));
    const context = await chromium.launchPersistentContext(profile,
        {...chromiumOptions, viewport: {width: 1272, height: 899}});
    t.after(() => context.close().then(() => fs.rmSync(profile, {recursive: true})));
    const page = await openGame({}, context);
    const cached = await page.evaluate(async () => {
        await navigator.serviceWorker.ready;
        const names = await caches.keys();
        const files = await (await caches.open(names[0])).keys();
        return [names.length, files.map((file) => new URL(file.url).pathname.slice(1)).sort()];
    });
    // The build's folder too, and the worker's list of the builds before it.
    const built = fs.readdirSync(site, {recursive: true, encoding: 'utf8'})
        .filter((f) => f !== 'sw.js' && fs.statSync(path.join(site, f)).isFile());
    assert.deepEqual(cached, [1, ['', '.older-builds', ...built].sort()], 'every file, one cache');
    const cdp = await context.newCDPSession(page);
    assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);

    await context.setOffline(true);
    served = 0;
    await page.reload();
    await page.waitForFunction(() => document.body.dataset.firstFrame !== undefined);
    const box = /** @type {Box} */ (await page.locator('#table').boundingBox());
    await page.mouse.click(box.x + 640, box.y + 216);
    await eventually(async () => ((await readTable(page)).cue?.[0] ?? 640) < 580, 5,
        'a stroke offline');
    assert.equal(served, 0, 'nothing asked of the server');
});

test('axe-core finds nothing open, in a menu, a box, after Exit; the focus follows', async () => {
    const page = await openGame({bypassCSP: true}); // axe-core comes as an inline script
        /** @param {string} state */
    const axe = async (state) => {
        await page.addScriptTag({path: path.join(modules, 'axe-core', 'axe.min.js')});
        const found = await page.evaluate(async () => (await window.axe.run()).violations.map(
            (v) => `${v.id}: ${v.nodes.map((n) => n.target).join(', ')}`));
        assert.deepEqual(found, [], state);
    };
    const inFocus = () => page.evaluate(() =>
        document.activeElement?.getAttribute('data-name') || document.activeElement?.id);
    await axe('the opening page');
    assert.match(await text(page, '#score'), /Balls Sunk.*Player 1.*Player 2.*Player 1 to move/s);
    const keys = [['Tab', 'mnuFile'], ['ArrowRight', 'mnuedit'], ['Enter', 'mnuDiff'],
        ['ArrowDown', 'mnuBC']];
    for (const [key, name] of keys) {
        await page.keyboard.press(key);
        assert.equal(await inFocus(), name, `focus after ${key}`);
    }
    await axe('a menu open');
    await page.keyboard.press('Escape');
    assert.equal(await inFocus(), 'mnuedit', 'the focus goes back to the title');
    await page.keyboard.press('Alt+h');
    await page.keyboard.press('g');
    await axe('a box open');
    assert.equal(await text(page, '#news'), await text(page, '#box-text'), 'the box is announced');
    for (const key of ['Enter', 'Alt+f', 'e']) {
        await page.keyboard.press(key);
    }
    assert.equal(await inFocus(), 'ended', 'the end takes the focus');
    await axe('after Exit');
    await page.close();
});
