// SPDX-License-Identifier: MIT
// The browser version in real browsers (Debian's Chromium, Firefox ESR and
// WebKitGTK), driven by each browser's own pointer and key events and checked
// on the canvas's pixels, as the X tests check the desktop game on
// screenshots. Every check is written once against the thin drivers of
// engines.js, so a new test() here runs in every engine; a check that needs
// what an engine's driver cannot do is skipped there, with the reason.
//   node browser_test.js ENGINE SITE_DIR NATIVE_REPLAY NODE_MODULES_DIR
'use strict';

const assert = require('node:assert/strict');
const {spawnSync} = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const {after, before, test} = require('node:test');
const {setTimeout: sleep} = require('node:timers/promises');
const {createSiteServer} = require('../../tools/web-server/web-server.js');
const {engines} = require('./engines.js');

const [engineName, ...paths] = process.argv.slice(2);
const [site, replay, modules] = paths.map((p) => path.resolve(p));
assert.ok(engineName in engines, `engine: one of ${Object.keys(engines).join(', ')}`);

/** @typedef {import('./engines.js').Tab & {loadMs: number}} Game */
/** @typedef {[number, number, number]} Rgb */
/** @type {Rgb} */ const CLOTH = [0, 128, 0];
/** @type {Rgb} */ const RAIL = [192, 64, 0];
/** @type {Rgb} */ const BLACK = [0, 0, 0];
/** @type {Rgb} */ const WHITE = [255, 255, 255];
/** @type {Rgb} */ const YELLOW = [255, 255, 0];
/** @type {Rgb} */ const RED = [255, 0, 0];
/** @type {Rgb} */ const CYAN = [0, 255, 255];
const hex = (/** @type {number[]} */ c) =>
    '#' + c.map((v) => v.toString(16).padStart(2, '0')).join('');

// The site as scripts/play-web.sh serves it; `served` counts the requests.
let served = 0;
const server = createSiteServer(site, () => ++served);
const engine = engines[engineName];
/** @type {import('./engines.js').Browser} */
let browser;
let address = '';

before(async () => {
    await new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(undefined)));
    const {port} = /** @type {import('node:net').AddressInfo} */ (server.address());
    address = `http://127.0.0.1:${port}/`;
    browser = await engine.launch(modules);
});
after(async () => {
    await browser?.close();
    server.close();
});

// Test options: skipped where the engine's driver cannot drive one of
// `features`, marked to do (run, reported, not failing) where it has a known
// fault with one of them.
const needs = (/** @type {string[]} */ ...features) =>
    ({skip: features.map((f) => engine.skips[f]).find(Boolean),
        todo: features.map((f) => engine.faults?.[f]).find(Boolean)});

// Polls until the predicate holds, for at most `seconds`.
/**
 * @template T
 * @param {() => Promise<T> | T} predicate
 * @param {number} seconds
 * @param {string | (() => string)} what
 * @returns {Promise<T>}
 */
async function eventually(predicate, seconds, what) {
    const deadline = Date.now() + seconds * 1000;
    for (;;) {
        const value = await predicate();
        if (value) {
            return value;
        }
        assert.ok(Date.now() < deadline, `timed out: ${typeof what === 'string' ? what : what()}`);
        await sleep(100);
    }
}

// A page with the game loaded and its first frame shown; by default the
// viewport is as wide as the form, which then shows at 1:1, on a whole pixel.
async function openGame(/** @type {Partial<import('./engines.js').Screen>} */ screen = {}) {
    const began = Date.now();
    const tab = await browser.open(address, {width: 1272, height: 899, ...screen});
    await eventually(() => tab.evaluate(() => document.body.dataset.firstFrame !== undefined),
        30, 'the first frame');
    const loadMs = Date.now() - began;
    // The first tick colours the name label of the player to move: wait for
    // a frame drawn after it.
    await eventually(() => ticks(tab), 10, 'the first tick');
    await tab.evaluate(() => new Promise((done) => {
        requestAnimationFrame(() => requestAnimationFrame(done));
    }));
    return Object.assign(tab, {loadMs});
}

/** @returns {Promise<number>} */
const ticks = (/** @type {import('./engines.js').Tab} */ tab) =>
    tab.evaluate(() => Module._vorl_ticks());
/** @returns {Promise<string>} */
const text = (/** @type {Game} */ tab, /** @type {string} */ selector) =>
    tab.evaluate((/** @type {string} */ s) => document.querySelector(s)?.textContent, selector);
/** @returns {Promise<number>} */
const count = (/** @type {Game} */ tab, /** @type {string} */ selector) =>
    tab.evaluate((/** @type {string} */ s) => document.querySelectorAll(s).length, selector);
/** @returns {Promise<boolean>} */
const visible = (/** @type {Game} */ tab, /** @type {string} */ selector) =>
    tab.evaluate((/** @type {string} */ s) => {
        const element = document.querySelector(s);
        return !!element && element.getClientRects().length > 0 &&
            getComputedStyle(element).visibility !== 'hidden';
    }, selector);
/** @returns {Promise<{x: number, y: number, width: number, height: number}>} */
const rect = (/** @type {Game} */ tab, /** @type {string} */ selector) =>
    tab.evaluate((/** @type {string} */ s) => {
        const element = /** @type {Element} */ (document.querySelector(s));
        const {x, y, width, height} = element.getBoundingClientRect();
        return {x, y, width, height};
    }, selector);
async function clickAt(/** @type {Game} */ tab, /** @type {number} */ x, /** @type {number} */ y) {
    await tab.move(x, y);
    await tab.down();
    await tab.up();
}
// A click in the middle of an element.
async function click(/** @type {Game} */ tab, /** @type {string} */ selector) {
    const r = await rect(tab, selector);
    await clickAt(tab, r.x + r.width / 2, r.y + r.height / 2);
}
async function pressAll(/** @type {Game} */ tab, /** @type {string[]} */ keys) {
    for (const key of keys) {
        await tab.press(key);
    }
}
const boxOpen = (/** @type {Game} */ tab) =>
    eventually(() => visible(tab, 'dialog#box'), 5, 'the box');
const boxShut = (/** @type {Game} */ tab) =>
    eventually(async () => !(await visible(tab, 'dialog#box')), 5, 'the box closed');

function runReplay(/** @type {string} */ script) {
    const run = spawnSync(replay, {input: script, encoding: 'utf8'});
    assert.equal(run.status, 0, run.stderr);
    return run.stdout;
}

// Where the replay tool puts the cue ball's centre after the same stroke.
function predictedRest(/** @type {number} */ x, /** @type {number} */ y) {
    const twips = (/** @type {number} */ v) => Math.fround(v * 15);
    const out = runReplay(`move ${twips(x)} ${twips(y)}\ndown\ntick 1000\ndump\n`);
    const line = out.split('\n').find((l) => l.startsWith('ball 15 ')) ?? '';
    const f = Object.fromEntries(line.split(' ').slice(2).map((kv) => kv.split('=')));
    return [(Number(f.left) + Number(f.width) / 2) / 15, (Number(f.top) + Number(f.height) / 2) / 15];
}

// The canvas's backing store read in the page, at any scale, in logical
// pixels: the colours at `points`, and the centre of the cue ball's white
// around its row (the head string's white line at x 552 left out).
/** @returns {Promise<{cue: number[] | null, colours: Rgb[]}>} */
const readTable = (/** @type {Game} */ tab, /** @type {number[][]} */ points = []) =>
    tab.evaluate((/** @type {number[][]} */ points) => {
        const canvas = /** @type {HTMLCanvasElement} */ (document.getElementById('table'));
        const k = canvas.width / Module.vorlPage.painter.width;
        const {data, width} = /** @type {CanvasRenderingContext2D} */ (canvas.getContext('2d'))
            .getImageData(0, 0, canvas.width, canvas.height);
        const at = (/** @type {number} */ x, /** @type {number} */ y) =>
            (Math.floor(y) * width + Math.floor(x)) * 4;
        let [sx, sy, n] = [0, 0, 0];
        for (let y = Math.floor(190 * k); y < 245 * k; ++y) {
            for (let x = Math.floor(60 * k); x < 745 * k; ++x) {
                const i = at(x, y);
                if (Math.abs(x / k - 552) > 3 && data[i] + data[i + 1] + data[i + 2] > 764) {
                    [sx, sy, n] = [sx + x, sy + y, n + 1];
                }
            }
        }
        return {cue: n < 20 ? null : [(sx / n + 0.5) / k, (sy / n + 0.5) / k],
            colours: points.map(([x, y]) => [...data.slice(at(x * k, y * k), at(x * k, y * k) + 3)])};
    }, points);

/** @param {Game} tab @param {[number[], Rgb, string][]} points */
async function expectColours(tab, points) {
    const {colours} = await readTable(tab, points.map(([point]) => point));
    points.forEach(([[x, y], want, where], i) =>
        assert.equal(hex(colours[i]), hex(want), `${where} at (${x},${y})`));
}

// Waits until the cue ball comes to rest where the replay tool puts it after
// a stroke aimed at `aim`.
async function expectRestAsReplayed(/** @type {Game} */ tab, /** @type {number[]} */ aim) {
    const rest = predictedRest(aim[0], aim[1]);
    /** @type {(number[] | null)[]} */
    let seen = [null, null];
    await eventually(async () => {
        seen = [seen[1], (await readTable(tab)).cue];
        const [a, b] = seen;
        return a && b && Math.hypot(a[0] - b[0], a[1] - b[1]) < 0.2 &&
            Math.hypot(b[0] - rest[0], b[1] - rest[1]) < 1;
    }, 30, () => `cue ball at rest at ${rest}, last seen ${seen[1]}`);
}

// How many rows of the help panel carry ink.
const helpInk = (/** @type {Game} */ tab) => tab.evaluate(() => {
    const canvas = /** @type {HTMLCanvasElement} */ (document.getElementById('table'));
    const {data, width} = /** @type {CanvasRenderingContext2D} */ (canvas.getContext('2d'))
        .getImageData(0, 0, canvas.width, canvas.height);
    const at = (/** @type {number} */ x, /** @type {number} */ y) =>
        data.slice(4 * (y * width + x), 4 * (y * width + x) + 3).join();
    const background = at(1260, 20);
    let rows = 0;
    for (let y = 88; y < 88 + 369; ++y) {
        for (let x = 840; x < 840 + 337; ++x) {
            if (at(x, y) !== background) {
                ++rows;
                break;
            }
        }
    }
    return rows;
});

test('the opening table shows the desktop colours at the same points', async () => {
    const tab = await openGame();
    console.log(`# first frame ${tab.loadMs} ms after the page was asked for`);
    await expectColours(tab, [
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
    assert.deepEqual(tab.errors ?? [], []);
    await tab.close();
});

test('menus from the keyboard recolour the table and toggle the help panel', async () => {
    const tab = await openGame();
    await pressAll(tab, ['Alt+d', 'b', 'c', 'Alt+d', 'ArrowDown', 'ArrowDown', 'ArrowRight', 'r']);
    await eventually(async () => hex((await readTable(tab, [[25, 180]])).colours[0]) === hex(RED),
        2, 'red rail');
    await expectColours(tab, [
        [[400, 133], CYAN, 'cloth'],
        [[228, 228], CYAN, 'cloth through ring ball 8'],
        [[25, 180], RED, 'rail'],
    ]);
    assert.equal(await count(tab, '.popup'), 0, 'the menus closed');

    assert.equal(await helpInk(tab), 0, 'help panel hidden at first');
    await pressAll(tab, ['Alt+h', 't']);
    const rows = await eventually(() => helpInk(tab), 2, 'help text');
    assert.ok(rows >= 100, `help text shown (${rows} rows of ink)`);
    // The pointer works the menus too.
    await click(tab, '.menu-title[data-name="mnuHelp"]');
    await click(tab, '.menu-item[data-name="mnuhtp"]');
    await eventually(async () => (await helpInk(tab)) === 0, 2, 'help hidden again');
    await tab.close();
});

test('after a rest a stroke sends the cue ball to where the replay tool puts it', async () => {
    const tab = await openGame();
    await sleep(3000);
    assert.equal(await ticks(tab), 2, 'the second tick finds the table at rest: none after it');
    const aim = [640, 216];
    const box = await rect(tab, '#table');
    await clickAt(tab, box.x + aim[0], box.y + aim[1]);
    await expectRestAsReplayed(tab, aim);
    await tab.close();
});

// Strikes from the right into the rack and waits until the balls only creep:
// the tick runs on, as friction never quite stops them, and hardly a frame
// is painted.
async function breakTheRack(/** @type {Game} */ tab) {
    const box = await rect(tab, '#table');
    await clickAt(tab, box.x + 1000, box.y + 216);
    await sleep(5000);
}

test('Programer opens a modal box; the tick holds while it is open', needs('pace'), async () => {
    const tab = await openGame();
    await breakTheRack(tab);
    const expected = runReplay('click mnuprog\n').match(/^msgbox "(.*)"$/m)?.[1];
    await pressAll(tab, ['Alt+h', 'g']);
    await boxOpen(tab);
    assert.ok(await tab.evaluate(() => document.getElementById('box')?.matches(':modal')));
    assert.equal(await text(tab, '#box-title'), 'Vorl');
    assert.equal(await text(tab, '#box-text'), expected);
    assert.equal(await count(tab, 'dialog#box button'), 1);

    const held = await ticks(tab);
    await sleep(1000);
    assert.equal(await ticks(tab), held, 'no tick while the box is open');
    await clickAt(tab, 300, 300); // the table is inert under the box
    await tab.press('Enter');
    await boxShut(tab);
    const resumed = await ticks(tab);
    await sleep(500);
    const after = (await ticks(tab)) - resumed;
    assert.ok(after >= 25 && after <= 36, `${after} ticks in the half second after: no burst`);
    await tab.close();
});

test('a pointer moved while a box was open aims the cue line once it is closed', async () => {
    const tab = await openGame();
    const box = await rect(tab, '#table');
    await tab.move(box.x + 540, box.y + 216); // left of the cue ball
    await pressAll(tab, ['Alt+h', 'g']);
    await boxOpen(tab);
    await tab.move(box.x + 640, box.y + 216); // now right of it
    await tab.press('Enter');
    await boxShut(tab);
    // The close event has run.
    await eventually(() => tab.evaluate(() => Module.vorlPage.running()), 2, 'running again');
    await tab.down(); // no move in between
    await tab.up();
    /** @type {number[] | null} */
    let centre = null;
    await eventually(async () => {
        centre = (await readTable(tab)).cue;
        return centre && centre[0] < 588;
    }, 5, () => `the cue ball goes left, away from where the pointer went (at ${centre})`);
    await tab.close();
});

test('the tick runs at 64 a second while the balls roll', needs('pace'), async () => {
    const tab = await openGame();
    await breakTheRack(tab);
    const [t0, c0] = await tab.evaluate(() => [performance.now(), Module._vorl_ticks()]);
    await sleep(10000);
    const [t1, c1] = await tab.evaluate(() => [performance.now(), Module._vorl_ticks()]);
    const rate = ((c1 - c0) * 1000) / (t1 - t0);
    console.log(`# ${rate.toFixed(2)} ticks a second over ${((t1 - t0) / 1000).toFixed(1)} s`);
    assert.ok(Math.abs(rate - 64) <= 1, `${rate} ticks a second`);
    await tab.close();
});

test('at device pixel ratio 2 the table is drawn at device resolution', needs('scale'), async () => {
    const tab = await openGame({scale: 2});
    const size = await tab.evaluate(() => {
        const canvas = /** @type {HTMLCanvasElement} */ (document.getElementById('table'));
        return [canvas.width, canvas.height];
    });
    assert.deepEqual(size, [2544, 1424]);
    // The cue ball's rim ends at 604.5 logical pixels: drawn at device
    // resolution, device pixel 1208 is white and 1209 cloth.
    const [rim, ...rest] = (await readTable(tab, [[604, 216.5], [592, 216.5], [604.5, 216.5],
        [20, 180], [60, 180]])).colours;
    assert.ok(Math.min(...rim) >= 240, `rim fills device pixel 1208 (${hex(rim)})`);
    assert.deepEqual(rest.map(hex), [WHITE, CLOTH, RAIL, CLOTH].map(hex),
        'cue ball, the first device pixel past its rim, the rail\'s outer edge, the cloth inside');
    await tab.close();
});

test('File > Exit stops the game', async () => {
    const tab = await openGame();
    await pressAll(tab, ['Alt+f', 'e']);
    await eventually(() => visible(tab, '#ended'), 5, 'the end');
    assert.match(await text(tab, '#ended'), /ended[\s\S]*reload/i);
    assert.ok(!(await visible(tab, '#window')));
    const stopped = await ticks(tab);
    await tab.press('Alt+f');
    await sleep(500);
    assert.equal(await ticks(tab), stopped, 'no tick after the end');
    assert.equal(await count(tab, '.popup'), 0, 'no menu after the end');
    await tab.close();
});

const strokes = (/** @type {Game} */ tab) => text(tab, '#score tbody tr:first-child td:last-child');
/**
 * @typedef {{left: number, top: number, right: number, bottom: number, width: number,
 *     height: number, store: number[], menu: number, inner: number[], scrolled: boolean}} Geometry
 * @returns {Promise<Geometry>}
 */
const geometry = (/** @type {Game} */ tab) => tab.evaluate(() => {
    const canvas = /** @type {HTMLCanvasElement} */ (document.getElementById('table'));
    const {left, top, right, bottom, width, height} = canvas.getBoundingClientRect();
    const {scrollWidth, scrollHeight} = document.documentElement;
    return {left, top, right, bottom, width, height, store: [canvas.width, canvas.height],
        menu: document.getElementById('menubar')?.getBoundingClientRect().bottom,
        inner: [innerWidth, innerHeight], scrolled: [scrollX, scrollY, scrollWidth - innerWidth,
            scrollHeight - innerHeight].some((v) => v > 0)};
});

test('the table fits a phone and a laptop, at device resolution; a box moves nothing',
    needs('scale'), async () => {
        /** @type {[number, number, number, number[]][]} */
        const screens = [[844, 390, 3, [390, 844]], [1280, 560, 1.25, [999, 700]]]; // then turned
        for (const [width, height, scale, turned] of screens) {
            const phone = scale > 2 && !engine.skips.phone;
            const tab = await openGame({width, height, scale, phone});
            for (const [w, h] of [[width, height], turned]) { // turned: the table fits again
                await tab.resize(w, h);
                await tab.wheel(500, 500);
                const g = await geometry(tab);
                const where = `${g.inner.join('x')} at ${scale}${phone ? ', a phone' : ''}`;
                // Within a layout unit (Firefox's is 1/60 pixel).
                assert.ok(!g.scrolled && g.left >= 0 && g.right <= g.inner[0] + 0.01 &&
                    g.bottom <= g.inner[1] + 0.01 && g.top >= g.menu - 0.01, `all in view: ${where}`);
                assert.ok(g.inner[0] - g.width < 1 || g.inner[1] - g.menu - g.height < 1, where);
                assert.ok(Math.abs(g.width / g.height - 1272 / 712) < 0.005, `shape kept: ${where}`);
                assert.deepEqual(g.store, [g.width * scale, g.height * scale].map(Math.round), where);
                const {colours} = await readTable(tab, [[592, 216], [400, 133]]);
                assert.deepEqual(colours.map(hex), [WHITE, CLOTH].map(hex), `ball, cloth: ${where}`);
            }
            const before = await geometry(tab);
            await pressAll(tab, ['Alt+h', 'g']); // Programer's box
            assert.deepEqual(await geometry(tab), before, 'the box moves nothing');
            await tab.press('Enter');
            assert.deepEqual(await geometry(tab), before, 'nor does closing it');
            await tab.close();
        }
    });

test('a finger aims, strikes on lifting; a cancelled touch or a second finger does not',
    needs('phone', 'touch'), async () => {
        const tab = await openGame({width: 844, height: 390, scale: 3, phone: true});
        const touchEvent = /** @type {NonNullable<Game['touch']>} */ (tab.touch);
        const r = await geometry(tab);
        // Points are [x, y, id] in logical pixels; a touchEnd names the points that go.
        const touch = (/** @type {string} */ type, /** @type {number[][]} */ ...points) =>
            touchEvent(type, points.map(([x, y, id = 0]) =>
                ({x: r.left + (x * r.width) / 1272, y: r.top + (y * r.height) / 712, id})));
        const lineAt = async (/** @type {number[]} */ from, /** @type {number[]} */ to) =>
            hex((await readTable(tab, [[(from[0] + to[0]) / 2, (from[1] + to[1]) / 2]])).colours[0]);
        const cue = /** @type {number[]} */ ((await readTable(tab)).cue);
        const title = await rect(tab, '[data-name="mnuFile"]');
        const tap = {x: title.x + title.width / 2, y: title.y + title.height / 2, id: 0};
        await touchEvent('touchStart', [tap]);
        await touchEvent('touchEnd', [tap]);
        await touch('touchStart', [700, 330]); // only closes the menu
        await touch('touchEnd', [700, 330]);
        assert.equal(await lineAt(cue, [700, 330]), hex(CLOTH), 'no cue line there at first');
        await touch('touchStart', [700, 300]);
        await touch('touchMove', [700, 330]);
        await touch('touchStart', [700, 330], [300, 400, 1]); // a second finger comes and goes
        await touch('touchEnd', [300, 400, 1]);
        await sleep(100);
        assert.notEqual(await lineAt(cue, [700, 330]), hex(CLOTH), 'the cue line follows the finger');
        await touch('touchCancel');
        await sleep(300);
        assert.equal(await strokes(tab), '0', 'no stroke yet');

        await tab.evaluate(() => document.getElementById('table')?.addEventListener('pointerup',
            (e) => (window.lift = [e.clientX, e.clientY])));
        await touch('touchStart', [640, 216]);
        await touch('touchEnd', [640, 216]);
        await eventually(async () => (await strokes(tab)) === '1', 2, 'one stroke on lifting');
        const lift = await tab.evaluate(() => window.lift);
        const aim = [(lift[0] - r.left) * (1272 / r.width), (lift[1] - r.top) * (712 / r.height)];
        await expectRestAsReplayed(tab, aim);
        await eventually(async () => (await lineAt(/** @type {number[]} */ (
            (await readTable(tab)).cue), aim)) !== hex(CLOTH),
        10, 'the cue line shown again, from where the ball is now');
        await tab.close();
    });

test('the site installs', needs('install'), async () => {
    const errors = /** @type {NonNullable<typeof browser.installabilityErrors>} */ (
        browser.installabilityErrors);
    assert.deepEqual(await errors(address), []);
});

test('after one visit the site loads and plays with the network off', needs('offline'), async () => {
    const tab = await openGame();
    const cached = await tab.evaluate(async () => {
        await navigator.serviceWorker.ready;
        const names = await caches.keys();
        const files = await (await caches.open(names[0])).keys();
        return [names.length, files.map((file) => new URL(file.url).pathname.slice(1)).sort()];
    });
    const built = fs.readdirSync(site).filter((f) => f !== 'sw.js');
    assert.deepEqual(cached, [1, ['', ...built].sort()], 'every file of the site, one cache');

    const offline = /** @type {NonNullable<Game['offline']>} */ (tab.offline);
    await offline(true);
    served = 0;
    await tab.reload();
    await eventually(() => tab.evaluate(() => document.body.dataset.firstFrame !== undefined),
        10, 'the first frame offline');
    const box = await rect(tab, '#table');
    await clickAt(tab, box.x + 640, box.y + 216);
    await eventually(async () => ((await readTable(tab)).cue?.[0] ?? 1e9) < 580, 5,
        'a stroke offline');
    assert.equal(served, 0, 'nothing asked of the server');
    await offline(false);
    await tab.close();
});

test('axe-core finds nothing open, in a menu, a box, after Exit; the focus follows',
    async () => {
        const tab = await openGame();
        const axeSource = fs.readFileSync(path.join(modules, 'axe-core', 'axe.min.js'), 'utf8');
        /** @type {string[]} */
        const found = [];
        const audit = async (/** @type {string} */ state) => {
            /** @type {string[]} */
            const violations = await tab.evaluate(async (/** @type {string} */ source) => {
                if (!('axe' in window)) {
                    (0, eval)(source);
                }
                /** @type {{violations: {id: string, nodes: {target: string[]}[]}[]}} */
                const results = await /** @type {any} */ (window).axe.run();
                return results.violations.map(
                    (v) => `${v.id}: ${v.nodes.map((n) => n.target).join(', ')}`);
            }, axeSource);
            found.push(...violations.map((v) => `${state}: ${v}`));
        };
        const inFocus = () => tab.evaluate(() => {
            const element = /** @type {HTMLElement} */ (document.activeElement);
            return element.dataset.name || element.id;
        });
        await audit('the opening page');
        assert.match(await text(tab, '#score'), /Balls Sunk.*Player 1.*Player 2.*Player 1 to move/s);
        const keys = [['Tab', 'mnuFile'], ['ArrowRight', 'mnuedit'], ['Enter', 'mnuDiff'],
            ['ArrowDown', 'mnuBC']];
        for (const [key, name] of keys) {
            await tab.press(key);
            assert.equal(await inFocus(), name, `focus after ${key}`);
        }
        await audit('a menu open');
        await tab.press('Escape');
        assert.equal(await inFocus(), 'mnuedit', 'the focus goes back to the title');
        await pressAll(tab, ['Alt+h', 'g']);
        await boxOpen(tab);
        await audit('a box open');
        assert.equal(await tab.evaluate(() =>
            document.getElementById('box')?.getAttribute('aria-describedby')), 'box-text');
        assert.notEqual(await text(tab, '#news'), await text(tab, '#box-text'), 'said once');
        await pressAll(tab, ['Enter', 'Alt+f', 'e']);
        assert.equal(await inFocus(), 'ended', 'the end takes the focus');
        await audit('after Exit');
        assert.deepEqual(found, []);
        await tab.close();
    });

// Each step would fail on a menu bar that traps Tab, leaves Escape's focus on
// the page, builds a menu inside its opener, or a box that drops the focus.
test('menu keys Home, End, Tab, Escape; menus beside their openers; focus back after a box',
    async () => {
        const tab = await openGame();
        const inFocus = () => tab.evaluate(() =>
            document.activeElement?.getAttribute('data-name'));
        const keys = [['Tab', 'mnuFile'], ['End', 'mnuHelp'], ['Home', 'mnuFile'],
            ['ArrowRight', 'mnuedit'], ['Enter', 'mnuDiff'], ['End', 'mnuBoC'],
            ['Home', 'mnuDiff'], ['ArrowRight', 'mnuDiff0']];
        for (const [key, name] of keys) {
            await tab.press(key);
            assert.equal(await inFocus(), name, `focus after ${key}`);
        }
        const beside = await tab.evaluate(() => ['mnuedit', 'mnuDiff'].map((name) => {
            const opener = document.querySelector(`[data-name=${name}]`);
            const menu = document.getElementById(opener?.getAttribute('aria-controls') ?? '');
            return menu?.getAttribute('role') === 'menu' &&
                menu.parentElement === opener?.parentElement;
        }));
        assert.deepEqual(beside, [true, true], 'Edit\'s and Difficulty\'s menus, by aria-controls');
        await tab.press('Tab');
        assert.equal(await count(tab, '.popup'), 0, 'Tab closes the menus');
        assert.notEqual(await inFocus(), 'mnuDiff0', 'and moves on');
        const byPointer = async () => {
            await tab.evaluate(() => /** @type {HTMLElement} */ (document.activeElement).blur());
            await click(tab, '.menu-title[data-name="mnuHelp"]');
            const item = await rect(tab, '.menu-item[data-name="mnuprog"]');
            await tab.move(item.x + item.width / 2, item.y + item.height / 2);
        };
        await byPointer();
        await tab.press('Escape');
        assert.equal(await inFocus(), 'mnuHelp', 'Escape: the focus to a pointer\'s menu\'s title');
        await byPointer();
        await click(tab, '.menu-item[data-name="mnuprog"]');
        await boxOpen(tab);
        await tab.press('Enter');
        await boxShut(tab);
        assert.equal(await inFocus(), 'mnuHelp', 'the box gives the focus back to its menu');
        await tab.close();
    });

test('forced colours on and off repaint the table at rest', needs('media'), async () => {
    const tab = await openGame();
    const media = /** @type {NonNullable<Game['media']>} */ (tab.media);
    const face = async () => hex((await readTable(tab, [[1260, 20]])).colours[0]);
    await sleep(3000); // at rest the game paints nothing of its own
    const before = await face();
    await media({forcedColors: 'active'});
    await eventually(async () => (await face()) !== before, 2, 'the window\'s face repainted');
    await media({forcedColors: 'none'});
    await eventually(async () => (await face()) === before, 2, 'and back');
    await tab.close();
});
