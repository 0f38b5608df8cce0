// SPDX-License-Identifier: MIT
// The pointer at the table's edges, in Debian's Chromium: a touch whose lift
// the table never hears, a box opening after a touch stroke, the mouse over
// the page's margins.
//   node pointer_test.js SITE_DIR NODE_MODULES_DIR
'use strict';

const assert = require('node:assert/strict');
const path = require('node:path');
const {test} = require('node:test');
const {createSiteServer} = require('../../tools/web-server/web-server.js');

const [site, modules] = process.argv.slice(2);
const {chromium} = require(path.join(modules, 'playwright-core'));

test('a lost lift ends the touch; a box hears no lifted finger; the margins strike', async (t) => {
    const server = createSiteServer(site);
    await new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(null)));
    /** @type {import('playwright-core').Browser} */
    const browser = await chromium.launch({args: ['--no-sandbox', '--disable-gpu'],
        executablePath: process.env.VORL_CHROMIUM || '/usr/bin/chromium'});
    t.after(() => browser.close().then(() => server.close()));
    // Wider than the table: margins left and right of it.
    const page = await browser.newPage({viewport: {width: 1600, height: 600}, hasTouch: true});
    const load = async () => {
        await page.goto(`http://127.0.0.1:${/** @type {import('node:net').AddressInfo} */ (server.address()).port}/`);
        await page.waitForFunction(() => Module._vorl_ticks?.() === 2); // at rest, painted
    };
    // The strokes played, as the score tells them.
    const struck = async () => {
        await page.waitForTimeout(300);
        return page.locator('#score tbody tr:first-child td:last-child').textContent();
    };
    await load();
    const r = /** @type {{x: number, y: number, width: number}} */ (await page.locator('#table').boundingBox());
    const cdp = await page.context().newCDPSession(page);
    /** @param {'touchStart' | 'touchEnd'} type */
    const touch = (type) => cdp.send('Input.dispatchTouchEvent', {type,
        touchPoints: type === 'touchEnd' ? [] : [{x: r.x + 200, y: r.y + 100}]});
    // The lift goes elsewhere; the touch ends as the table loses it.
    await page.evaluate(() => window.addEventListener('pointerup', (e) => e.stopPropagation(),
        {capture: true, once: true}));
    await touch('touchStart');
    await touch('touchEnd');
    assert.equal(await struck(), '0', 'a lift the table never heard strikes nothing');
    await touch('touchStart');
    await touch('touchEnd');
    assert.equal(await struck(), '1', 'the next touch strikes');

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

    await load();
    assert.ok(r.x > 20, `margins of ${r.x} px`);
    await page.mouse.click(r.x - 10, r.y + (216 * r.width) / 1272); // left of the rail
    assert.equal(await struck(), '1', 'a stroke from the margin');
});
