// SPDX-License-Identifier: MIT
// The browser version in real browsers (Debian's Chromium, Firefox ESR and
// WebKitGTK), driven by each browser's own pointer and key events and checked
// on the canvas's pixels, as the X tests check the desktop game on
// screenshots. Every check is written once against the Playwright-shaped page
// that engines.js gives each engine, so a new test() here runs in every
// engine; a check that needs what an engine's driver cannot do is skipped
// there, with the reason.
//   node browser_test.js ENGINE SITE_DIR NATIVE_REPLAY NODE_MODULES_DIR
'use strict';

const assert = require('node:assert/strict');
const {spawnSync} = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const {after, before, test} = require('node:test');
const {createSiteServer} = require('../../tools/web-server/web-server.js');
const {engines} = require('./engines.js');

const [engineName, site, replay, modules] = process.argv.slice(2);
assert.ok(engineName in engines, `engine: one of ${Object.keys(engines).join(', ')}`);

const CLOTH = [0, 128, 0];
const RAIL = [192, 64, 0];
const BLACK = [0, 0, 0];
const WHITE = [255, 255, 255];
const YELLOW = [255, 255, 0];
const RED = [255, 0, 0];
const CYAN = [0, 255, 255];
const hex = (/** @type {number[]} */ c) => '#' + c.map((v) => v.toString(16).padStart(2, '0')).join('');

// The site as scripts/play-web.sh serves it; `served` counts the requests.
let served = 0;
const siteServer = createSiteServer(site, () => ++served);
// axe-core from the site's own origin, since the page's policy runs no other script.
const axeSource = fs.readFileSync(path.join(modules, 'axe-core', 'axe.min.js'));
const server = http.createServer((request, response) => request.url === '/axe.min.js'
    ? response.writeHead(200, {'Content-Type': 'text/javascript'}).end(axeSource)
    : siteServer.emit('request', request, response));
const engine = engines[engineName];
/** @type {Browser} */
let browser;
let address = '';

before(async () => {
    await new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(undefined)));
    address = `http://127.0.0.1:${/** @type {any} */ (server.address()).port}/`;
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

// A page with the game loaded and its first frame shown; by default the
// viewport is as wide as the form, which then shows at 1:1, on a whole pixel.
async function openGame(/** @type {Options} */ options = {}) {
    const page = await browser.newPage({viewport: {width: 1272, height: 899}, ...options});
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
    return page;
}

const ticks = (/** @type {Page} */ page) => page.evaluate(() => Module._vorl_ticks());

/** @param {Page} page @param {[number[], number[], string][]} points */
async function expectColours(page, points) {
    const {colours} = await readTable(page, points.map(([point]) => point));
    points.forEach(([[x, y], want, where], i) =>
        assert.equal(hex(colours[i]), hex(want), `${where} at (${x},${y})`));
}

// Polls until the predicate holds, for at most `seconds`.
/** @template T @param {() => Promise<T> | T} predicate @param {number} seconds */
async function eventually(predicate, seconds, /** @type {string | (() => string)} */ what) {
    const deadline = Date.now() + seconds * 1000;
    for (;;) {
        const value = await predicate();
        if (value) {
            return value;
        }
        assert.ok(Date.now() < deadline, `timed out: ${typeof what === 'string' ? what : what()}`);
        await new Promise((resolve) => setTimeout(resolve, 100));
    }
}

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

// Waits until the cue ball comes to rest where the replay tool puts it after
// a stroke aimed at `aim`.
async function expectRestAsReplayed(/** @type {Page} */ page, /** @type {number[]} */ aim) {
    const rest = predictedRest(aim[0], aim[1]);
    /** @type {(number[] | null)[]} */
    let seen = [null, null];
    await eventually(async () => {
        seen = [seen[1], (await readTable(page)).cue];
        const [a, b] = seen;
        return a && b && Math.hypot(a[0] - b[0], a[1] - b[1]) < 0.2 &&
            Math.hypot(b[0] - rest[0], b[1] - rest[1]) < 1;
    }, 30, () => `cue ball at rest at ${rest}, last seen ${seen[1]}`);
}

// How many rows of the help panel carry ink.
const helpInk = (/** @type {Page} */ page) => page.evaluate(() => {
    const canvas = document.getElementById('table');
    const {data, width} = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
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
    await eventually(async () => hex((await readTable(page, [[25, 180]])).colours[0]) === hex(RED),
        2, 'red rail');
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
    const aim = [640, 216];
    const box = await page.locator('#table').boundingBox();
    await page.mouse.move(box.x + aim[0], box.y + aim[1]);
    await page.mouse.down();
    await page.mouse.up();
    await expectRestAsReplayed(page, aim);
    await page.close();
});

// Strikes from the right into the rack and waits until the balls only creep:
// the tick runs on, as friction never quite stops them, and hardly a frame
// is painted.
async function breakTheRack(/** @type {Page} */ page) {
    const box = await page.locator('#table').boundingBox();
    await page.mouse.click(box.x + 1000, box.y + 216);
    await page.waitForTimeout(5000);
}

test('Programer opens a modal box; the tick holds while it is open', needs('pace'), async () => {
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
    const box = await page.locator('#table').boundingBox();
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
    /** @type {number[] | null} */
    let centre = null;
    await eventually(async () => {
        centre = (await readTable(page)).cue;
        return centre && centre[0] < 588;
    }, 5, () => `the cue ball goes left, away from where the pointer went (at ${centre})`);
    await page.close();
});

test('the tick runs at 64 a second while the balls roll', needs('pace'), async () => {
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

test('at device pixel ratio 2 the table is drawn at device resolution', needs('scale'), async () => {
    const page = await openGame({deviceScaleFactor: 2});
    const size = await page.evaluate(() => {
        const canvas = document.getElementById('table');
        return [canvas.width, canvas.height];
    });
    assert.deepEqual(size, [2544, 1424]);
    // The cue ball's rim ends at 604.5 logical pixels: drawn at device
    // resolution, device pixel 1208 is white and 1209 cloth.
    const [rim, ...rest] = (await readTable(page, [[604, 216.5], [592, 216.5], [604.5, 216.5],
        [20, 180], [60, 180]])).colours;
    assert.ok(Math.min(...rim) >= 240, `rim fills device pixel 1208 (${hex(rim)})`);
    assert.deepEqual(rest.map(hex), [WHITE, CLOTH, RAIL, CLOTH].map(hex),
        'cue ball, the first device pixel past its rim, the rail\'s outer edge, the cloth inside');
    await page.close();
});

test('File > Exit stops the game', async () => {
    const page = await openGame();
    await page.keyboard.press('Alt+f');
    await page.keyboard.press('e');
    await page.locator('#ended').waitFor({state: 'visible'});
    assert.match(await page.locator('#ended').textContent(), /ended[\s\S]*reload/i);
    assert.ok(await page.locator('#window').isHidden());
    const stopped = await ticks(page);
    await page.keyboard.press('Alt+f');
    await page.waitForTimeout(500);
    assert.equal(await ticks(page), stopped, 'no tick after the end');
    assert.equal(await page.locator('.popup').count(), 0, 'no menu after the end');
    await page.close();
});

// The canvas's backing store read in the page, at any scale, in logical
// pixels: the colours at `points`, and the centre of the cue ball's white
// around its row (the head string's white line at x 552 left out).
/** @param {Page} page @param {number[][]} points */
const readTable = (page, points = []) => page.evaluate((points) => {
    const canvas = document.getElementById('table');
    const k = canvas.width / Module.vorlPage.painter.width;
    const {data, width} = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
    const at = (/** @type {number} */ x, /** @type {number} */ y) => (Math.floor(y) * width + Math.floor(x)) * 4;
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
const text = (/** @type {Page} */ page, /** @type {string} */ selector) => page.locator(selector).textContent();
const strokes = (/** @type {Page} */ page) => text(page, '#score tbody tr:first-child td:last-child');
const geometry = (/** @type {Page} */ page) => page.evaluate(() => {
    const canvas = document.getElementById('table');
    const turn = getComputedStyle(/** @type {Element} */ (document.getElementById('page'))).transform;
    const back = new DOMMatrix(turn === 'none' ? undefined : turn).inverse();
    /** @param {Element} element */
    const rect = (element) => {
        const r = element.getBoundingClientRect();
        const [a, b] = [[r.left, r.top], [r.right, r.bottom]].map(([x, y]) => back.transformPoint({x, y}));
        const [left, right] = [Math.min(a.x, b.x), Math.max(a.x, b.x)];
        const [top, bottom] = [Math.min(a.y, b.y), Math.max(a.y, b.y)];
        return {left, top, right, bottom, width: right - left, height: bottom - top};
    };
    const {scrollWidth, scrollHeight} = document.documentElement;
    return {...rect(canvas), store: [canvas.width, canvas.height],
        menu: rect(document.getElementById('menubar')).bottom,
        inner: turn === 'none' ? [innerWidth, innerHeight] : [innerHeight, innerWidth],
        scrolled: [scrollX, scrollY, scrollWidth - innerWidth, scrollHeight - innerHeight].some((v) => v > 0)};
});

test('the table fits a phone and a laptop, at device resolution; a box moves nothing',
    needs('scale'), async () => {
    /** @type {[number, number, number, number[]][]} */
    const screens = [[844, 390, 3, [390, 844]], [1280, 560, 1.25, [999, 700]]]; // then turned
    for (const [width, height, scale, turned] of screens) {
        const page = await openGame({viewport: {width, height}, deviceScaleFactor: scale,
            isMobile: scale > 2, hasTouch: scale > 2});
        for (const [w, h] of [[width, height], turned]) { // turned: the table fits again
            await page.setViewportSize({width: w, height: h});
            await page.mouse.wheel(500, 500);
            const g = await geometry(page);
            const where = `${g.inner.join('x')} at ${scale}`;
            // Within a layout unit (Firefox's is 1/60 pixel).
            assert.ok(!g.scrolled && g.left >= 0 && g.right <= g.inner[0] + 0.01 &&
                g.bottom <= g.inner[1] + 0.01 && g.top >= g.menu - 0.01, `all in view: ${where}`);
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

test('a finger aims, strikes on lifting; a cancelled touch or a second finger does not',
    needs('phone', 'touch'), async () => {
    const page = await openGame({viewport: {width: 844, height: 390}, deviceScaleFactor: 3,
        isMobile: true, hasTouch: true});
    const r = await geometry(page);
    // Points are [x, y, id] in logical pixels; a touchEnd names the points that go.
    /** @param {string} type @param {number[][]} points */
    const touch = (type, ...points) => page.touch({type,
        touchPoints: points.map(([x, y, id = 0]) =>
            ({x: r.left + (x * r.width) / 1272, y: r.top + (y * r.height) / 712, id}))});
    /** @param {any} from @param {number[]} to */
    const lineAt = async (from, to) => hex((await readTable(page,
        [[(from[0] + to[0]) / 2, (from[1] + to[1]) / 2]])).colours[0]);
    const {cue} = await readTable(page);
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
    const aim = [(lift[0] - r.left) * (1272 / r.width), (lift[1] - r.top) * (712 / r.height)];
    await expectRestAsReplayed(page, aim);
    await eventually(async () => (await lineAt((await readTable(page)).cue, aim)) !== hex(CLOTH),
        10, 'the cue line shown again, from where the ball is now');
    await page.close();
});

test('the site installs', needs('install'), async () => {
    assert.deepEqual(await browser.installabilityErrors?.(address), []);
});

test('after one visit the site loads and plays with the network off', needs('offline'), async () => {
    const page = await openGame();
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

    await page.offline(true);
    served = 0;
    await page.reload();
    await page.waitForFunction(() => document.body.dataset.firstFrame !== undefined);
    const box = await page.locator('#table').boundingBox();
    await page.mouse.click(box.x + 640, box.y + 216);
    await eventually(async () => ((await readTable(page)).cue?.[0] ?? 1e9) < 580, 5, 'a stroke offline');
    assert.equal(served, 0, 'nothing asked of the server');
    await page.offline(false);
    await page.close();
});

test('axe-core finds nothing open, in a menu, a box, after Exit; the focus follows', async () => {
    const page = await openGame();
    /** @type {string[]} */
    const found = [];
    const audit = async (/** @type {string} */ state) => {
        if (!(await page.evaluate(() => 'axe' in window))) {
            await page.addScriptTag({url: '/axe.min.js'});
        }
        const violations = await page.evaluate(async () => (await axe.run()).violations.map(
            (v) => `${v.id}: ${v.nodes.map((n) => n.target).join(', ')}`));
        found.push(...violations.map((v) => `${state}: ${v}`));
    };
    const inFocus = () => page.evaluate(() =>
        document.activeElement?.getAttribute('data-name') || document.activeElement?.id);
    await audit('the opening page');
    assert.match(await text(page, '#score'), /Balls Sunk.*Player 1.*Player 2.*Player 1 to move/s);
    const keys = [['Tab', 'mnuFile'], ['ArrowRight', 'mnuedit'], ['Enter', 'mnuDiff'],
        ['ArrowDown', 'mnuBC']];
    for (const [key, name] of keys) {
        await page.keyboard.press(key);
        assert.equal(await inFocus(), name, `focus after ${key}`);
    }
    await audit('a menu open');
    await page.keyboard.press('Escape');
    assert.equal(await inFocus(), 'mnuedit', 'the focus goes back to the title');
    await page.keyboard.press('Alt+h');
    await page.keyboard.press('g');
    await page.locator('dialog#box').waitFor({state: 'visible'});
    await audit('a box open');
    assert.equal(await page.evaluate(() =>
        document.getElementById('box').getAttribute('aria-describedby')), 'box-text');
    assert.notEqual(await text(page, '#news'), await text(page, '#box-text'), 'said once');
    for (const key of ['Enter', 'Alt+f', 'e']) {
        await page.keyboard.press(key);
    }
    assert.equal(await inFocus(), 'ended', 'the end takes the focus');
    await audit('after Exit');
    assert.deepEqual(found, []);
    assert.equal(await page.evaluate(() => document.body.dataset.cspViolations), '0',
        'nothing blocked by the page\'s policy');
    await page.close();
});

// Each step would fail on a menu bar that traps Tab, leaves Escape's focus on
// the page, builds a menu inside its opener, or a box that drops the focus.
test('menu keys Home, End, Tab, Escape; menus beside their openers; focus back after a box',
    async () => {
    const page = await openGame();
    const inFocus = () => page.evaluate(() => document.activeElement?.getAttribute('data-name'));
    const keys = [['Tab', 'mnuFile'], ['End', 'mnuHelp'], ['Home', 'mnuFile'],
        ['ArrowRight', 'mnuedit'], ['Enter', 'mnuDiff'], ['End', 'mnuBoC'],
        ['Home', 'mnuDiff'], ['ArrowRight', 'mnuDiff0']];
    for (const [key, name] of keys) {
        await page.keyboard.press(key);
        assert.equal(await inFocus(), name, `focus after ${key}`);
    }
    const beside = await page.evaluate(() => ['mnuedit', 'mnuDiff'].map((name) => {
        const opener = document.querySelector(`[data-name=${name}]`);
        const menu = document.getElementById(opener?.getAttribute('aria-controls') ?? '');
        return menu?.getAttribute('role') === 'menu' && menu.parentElement === opener?.parentElement;
    }));
    assert.deepEqual(beside, [true, true], 'Edit\'s and Difficulty\'s menus, by aria-controls');
    await page.keyboard.press('Tab');
    assert.equal(await page.locator('.popup').count(), 0, 'Tab closes the menus');
    assert.notEqual(await inFocus(), 'mnuDiff0', 'and moves on');
    const byPointer = async () => {
        await page.evaluate(() => /** @type {HTMLElement} */ (document.activeElement).blur());
        await page.click('.menu-title[data-name="mnuHelp"]');
        const item = await page.locator('.menu-item[data-name="mnuprog"]').boundingBox();
        await page.mouse.move(item.x + item.width / 2, item.y + item.height / 2);
    };
    await byPointer();
    await page.keyboard.press('Escape');
    assert.equal(await inFocus(), 'mnuHelp', 'Escape: the focus to a pointer\'s menu\'s title');
    await byPointer();
    await page.click('.menu-item[data-name="mnuprog"]');
    const dialog = page.locator('dialog#box');
    await dialog.waitFor({state: 'visible'});
    await page.keyboard.press('Enter');
    await dialog.waitFor({state: 'hidden'});
    assert.equal(await inFocus(), 'mnuHelp', 'the box gives the focus back to its menu');
    await page.close();
});

test('forced colours on and off repaint the table at rest', needs('media'), async () => {
    const page = await openGame();
    const face = async () => hex((await readTable(page, [[1260, 20]])).colours[0]);
    await page.waitForTimeout(3000); // at rest the game paints nothing of its own
    const before = await face();
    await page.emulateMedia({forcedColors: 'active'});
    await eventually(async () => (await face()) !== before, 2, 'the window\'s face repainted');
    await page.emulateMedia({forcedColors: 'none'});
    await eventually(async () => (await face()) === before, 2, 'and back');
    await page.close();
});

// Loads the page again in the same tab, as a browser that discarded it does.
async function reloadGame(/** @type {Page} */ page) {
    await page.reload();
    await page.waitForFunction(() => document.body.dataset.firstFrame !== undefined);
}
const kept = (/** @type {Page} */ page) => page.evaluate(() => sessionStorage.getItem('vorl-game'));
async function expectFreshRack(/** @type {Page} */ page) {
    await eventually(async () => (await strokes(page)) === '0', 5, 'no stroke on a fresh rack');
    await expectColours(page, [[[308, 212], YELLOW, 'solid ball 0'], [[592, 216], WHITE, 'cue ball'],
        [[400, 216], CLOTH, 'cloth where the cue ball went']]);
}
const exitGame = async (/** @type {Page} */ page) => {
    await page.keyboard.press('Alt+f');
    await page.keyboard.press('e');
};

test('a reload goes on bit for bit, balls rolling; after Exit or damage a fresh rack', async () => {
    const page = await openGame();
    const aim = [640, 216];
    const box = await page.locator('#table').boundingBox();
    await page.mouse.click(box.x + aim[0], box.y + aim[1]);
    await eventually(async () => (await strokes(page)) === '1', 2, 'the stroke');
    await page.waitForTimeout(300);
    await reloadGame(page);
    assert.equal(await strokes(page), '1', 'the stroke counted once');
    const rolling = (await readTable(page)).cue ?? [0, 0];
    assert.ok(rolling[0] - predictedRest(aim[0], aim[1])[0] > 5, `still rolling at ${rolling}`);
    await expectRestAsReplayed(page, aim);
    assert.equal(await page.evaluate(() => document.body.dataset.cspViolations), '0', 'policy');

    const played = String(await kept(page));
    await exitGame(page);
    assert.equal(await kept(page), null, 'Exit forgets the game');
    await reloadGame(page);
    await expectFreshRack(page);
    // Cut short, the played game would half load; after Exit nothing overwrites it.
    await exitGame(page);
    await page.evaluate((cut) => sessionStorage.setItem('vorl-game', cut),
        played.slice(0, (played.length >> 3) * 4));
    await reloadGame(page);
    await expectFreshRack(page);
    assert.deepEqual(page.errors, []);
    if (page.warnings) {
        assert.match(page.warnings.join('\n'), /kept in this tab was not restored/);
    }
    await page.close();
});

// Waits for the cue ball to stop where the replay tool's dump puts it.
/** @param {Page} page @param {string} dump */
async function restsAsDumped(page, dump) {
    const f = Object.fromEntries((dump.match(/^ball 15 (.*)$/m)?.[1] ?? '').split(' ')
        .map((kv) => kv.split('=')));
    const rest = [(+f.left + f.width / 2) / 15, (+f.top + f.height / 2) / 15];
    /** @type {(number[] | null)[]} */
    let seen = [null, null];
    await eventually(async () => {
        seen = [seen[1], (await readTable(page)).cue];
        return seen[0] && seen[1] && Math.hypot(seen[0][0] - seen[1][0], seen[0][1] - seen[1][1]) < 0.2 &&
            Math.hypot(seen[1][0] - rest[0], seen[1][1] - rest[1]) < 1.5;
    }, 30, `cue ball at rest at ${rest}, last seen ${seen[1]}`);
}

// Would fail on a page that squeezes the table into an upright phone's width,
// turns it the wrong way, or maps the finger without the turn.
test('an upright phone shows the game turned: a large table, its menus, a finger through the turn',
    needs('phone', 'touch'), async () => {
        /** @param {number} width @param {number} height */
        const upright = async (width, height) => {
            const page = await openGame({viewport: {width, height}, deviceScaleFactor: 3, isMobile: true,
                hasTouch: true});
            const [r, menu] = await Promise.all(['#table', '#menubar'].map(async (s) =>
                /** @type {Box} */ (await page.locator(s).boundingBox())));
            const short = Math.min(r.width, r.height) / Math.min(width, height);
            console.log(`# ${width}x${height}: the table's short edge ${(100 * short).toFixed(1)} %`);
            assert.ok(short >= 0.85 && !(await geometry(page)).scrolled && menu.x >= r.x + r.width,
                'large, no scrolling, the menu bar on the right: the table reads upright');
            await page.tap('[data-name="mnuFile"]');
            assert.equal(await page.locator('.popup [data-name="mnuExit"]').count(), 1, 'File opens');
            await page.tap('[data-name="mnuFile"]');
            return {page, r};
        };
        await (await upright(360, 740)).page.close();
        await (await upright(412, 915)).page.close();
        const {page, r} = await upright(390, 844);
        // Turned clockwise: the table's x runs down the screen, its y leftwards.
        /** @param {'touchStart' | 'touchMove' | 'touchEnd'} type @param {number} x @param {number} y */
        const touch = (type, x, y) => page.touch({type,
            touchPoints: [{x: r.x + r.width - (y * r.width) / 712, y: r.y + (x * r.height) / 1272, id: 0}]});
        await touch('touchStart', 700, 300);
        await touch('touchMove', 640, 216);
        await touch('touchEnd', 640, 216);
        await eventually(async () => (await strokes(page)) === '1', 2, 'one stroke, on lifting');
        await restsAsDumped(page, runReplay('move 9600 3240\ndown\ntick 1000\ndump\n'));
        await page.close();
    });

// Would fail if the table were no Tab stop, an open menu's arrow aimed, Space
// scrolled, the keys aimed unlike the core's keyboard aim, or went unsaid.
test('the keyboard alone: Tab to the table, aim and strike as the replay tool does', async () => {
    const page = await openGame();
    for (const key of ['Tab', 'Tab', 'Alt+d', 'ArrowDown', 'Escape', 'Tab']) { // the menu's arrow
        await page.keyboard.press(key);
    }
    assert.deepEqual(await page.evaluate(() => [document.activeElement?.id,
        getComputedStyle(document.getElementById('table')).outlineStyle]), ['table', 'solid'], 'ringed');
    assert.equal(await text(page, '#aim'), '', 'no aim from the menu\'s arrow');
    await page.evaluate(() => document.getElementById('table').addEventListener('keydown',
        (e) => (window.spaceKept = e.key === ' ' && e.defaultPrevented)));
    const keys = ['Left', 'Up', 'Down', 'Shift+Up']; // the cue ball comes to rest in its own row
    for (const key of keys) {
        await page.keyboard.press(key.replace(/\w+$/, 'Arrow$&'));
    }
    const aim = await text(page, '#aim');
    assert.match(aim, /^Aim: .+, strength \d+ %$/);
    await eventually(async () => (await text(page, '#news')) === aim, 3, 'the aim said');
    await page.keyboard.press('Space');
    assert.ok(await page.evaluate(() => window.spaceKept), 'Space scrolls nothing');
    await restsAsDumped(page, runReplay(`${keys.map((k) => `key ${k}\n`).join('')}key Space\ntick 1000\ndump\n`));
    await page.close();
});

// The cloth chosen cyan and blue in turn on every frame (the form's own menu
// commands) flashes as with one ball left. Would fail if the hold were
// missing, not followed live, or left a held colour unpainted once due.
test('with reduced motion the table\'s colours change at most three times a second', needs('media'),
    async () => {
    const page = await openGame();
    /** @typedef {{changes: number[], frames: number, last: [string, string]}} Seen */
    const flicker = () => page.evaluate(() => /** @type {Promise<Seen>} */ (new Promise((done) => {
        const context = /** @type {CanvasRenderingContext2D} */ (document.getElementById('table').getContext('2d'));
        const k = context.canvas.width / Module.vorlPage.painter.width;
        const cloth = () => context.getImageData(400 * k, 133 * k, 1, 1).data.slice(0, 3).join();
        const choose = (/** @type {string} */ name) =>
            Module.ccall('vorl_menu_click', null, ['string'], [name]);
        const [changes, start] = [/** @type {number[]} */ ([]), performance.now()];
        let [shown, frames] = [cloth(), 0];
        const frame = (/** @type {number} */ now) => {
            if (cloth() !== shown) {
                [shown] = [cloth(), changes.push(now - start)];
            }
            if (now - start < 1500) {
                choose(++frames % 2 ? 'mnuCB' : 'mnuCyan');
                requestAnimationFrame(frame);
                return;
            }
            choose(shown === '0,255,255' ? 'mnuCB' : 'mnuCyan'); // then once the colour not shown
            setTimeout(() => done({changes, frames, last: [shown, cloth()]}), 500);
        };
        requestAnimationFrame(frame);
    })));
    await page.emulateMedia({reducedMotion: 'reduce'});
    const held = await flicker();
    // Sampled a frame after the paint, give or take a few milliseconds.
    const {changes, frames} = held;
    const most = Math.max(...changes.map((t) => changes.filter((u) => u >= t && u < t + 980).length));
    assert.ok(most <= 3 && changes.length >= 3, `${changes.map(Math.round)} in ${frames} frames`);
    assert.notEqual(...held.last, 'the last choice shown once due, though nothing else changed');
    await page.emulateMedia({reducedMotion: 'no-preference'});
    const free = await flicker();
    assert.ok(free.changes.length >= free.frames * 0.8, `${free.changes.length} in ${free.frames} frames`);
    await page.close();
});

// The pointer at the table's edges: a touch whose lift the table never hears,
// a box opening after a touch stroke, the mouse over the page's margins.
test('a lost lift ends the touch; a box hears no lifted finger', needs('phone', 'touch'),
    async () => {
        const page = await openGame({hasTouch: true});
        const r = await page.locator('#table').boundingBox();
        const touch = (/** @type {string} */ type) => page.touch({type,
            touchPoints: type === 'touchEnd' ? [] : [{x: r.x + 200, y: r.y + 100, id: 0}]});
        // The lift goes elsewhere; the touch ends as the table loses it.
        await page.evaluate(() => window.addEventListener('pointerup', (e) => e.stopPropagation(),
            {capture: true, once: true}));
        await touch('touchStart');
        await touch('touchEnd');
        await page.waitForTimeout(300);
        assert.equal(await strokes(page), '0', 'a lift the table never heard strikes nothing');
        await touch('touchStart');
        await touch('touchEnd');
        await eventually(async () => (await strokes(page)) === '1', 2, 'the next touch strikes');
        // The game's own box (Programer's), opening after the stroke.
        await page.evaluate(() => {
            const {vorlPage} = Module;
            const [show, move] = [vorlPage.showMessage, Module._vorl_mouse_move];
            vorlPage.showMessage = (title, text) => {
                Module._vorl_mouse_move = () => (document.body.dataset.movedAsBoxOpened = '');
                show(title, text);
                Module._vorl_mouse_move = move;
            };
        });
        await page.keyboard.press('Alt+h');
        await page.keyboard.press('g');
        await page.locator('dialog#box').waitFor({state: 'visible'});
        assert.equal(await page.evaluate(() => document.body.dataset.movedAsBoxOpened), undefined);
        await page.close();
    });

test('the mouse over the page\'s margins strikes, as over the desktop window\'s', async () => {
    const page = await openGame({viewport: {width: 1600, height: 600}});
    const r = await page.locator('#table').boundingBox();
    assert.ok(r.x > 20, `margins of ${r.x} px`);
    await page.mouse.click(r.x - 10, r.y + (216 * r.width) / 1272); // left of the rail
    await eventually(async () => (await strokes(page)) === '1', 2, 'a stroke from the margin');
    await page.close();
});
