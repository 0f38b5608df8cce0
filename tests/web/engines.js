// SPDX-License-Identifier: MIT
// The browsers the page is checked in, each from Debian and each behind the
// same thin driver: open the page at a viewport, run a function in it, move
// and press the mouse, press keys. browser_test.js writes its checks once
// against these verbs.
//   chromium  playwright-core, over the DevTools protocol
//   firefox   puppeteer-core, over WebDriver BiDi (no geckodriver)
//   webkit    selenium-webdriver, over W3C WebDriver to WebKitWebDriver,
//             which starts MiniBrowser in an X server (run under xvfb-run)
'use strict';

const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

/**
 * A viewport in CSS pixels, its device pixel ratio and whether it is a
 * phone's (mobile layout and touch).
 * @typedef {{width: number, height: number, scale?: number, phone?: boolean}} Screen
 */
/**
 * One tab showing the page. Coordinates are the viewport's CSS pixels.
 * @typedef {object} Tab
 * @property {(fn: Function, arg?: unknown) => Promise<any>} evaluate
 *   runs `fn(arg)` in the page and settles with its (awaited, JSON) value
 * @property {(x: number, y: number) => Promise<void>} move the mouse
 * @property {() => Promise<void>} down the left button, where the mouse is
 * @property {() => Promise<void>} up
 * @property {(keys: string) => Promise<void>} press 'Alt+d', 'ArrowDown', 'Enter'
 * @property {(dx: number, dy: number) => Promise<void>} wheel
 * @property {(width: number, height: number) => Promise<void>} resize the viewport, same scale
 * @property {() => Promise<void>} reload
 * @property {() => Promise<void>} close
 * @property {string[]} [errors] the page's uncaught errors, where the engine reports them
 * @property {(on: boolean) => Promise<void>} [offline] cuts the tab off the network
 * @property {(type: string, points: {x: number, y: number, id: number}[]) => Promise<void>} [touch]
 *   a touch event: touchStart, touchMove, touchEnd or touchCancel
 * @property {(features: {[name: string]: string}) => Promise<void>} [media]
 *   emulates media features: {forcedColors: 'active'}, {reducedMotion: 'reduce'}
 */
/**
 * One browser, running.
 * @typedef {object} Browser
 * @property {(url: string, screen: Screen) => Promise<Tab>} open
 * @property {() => Promise<void>} close
 * @property {(url: string) => Promise<unknown[]>} [installabilityErrors]
 *   why the site at `url` cannot be installed, asked once its service worker is ready
 */
/**
 * @typedef {object} Engine
 * @property {{[feature: string]: string}} skips why a feature's checks cannot run here
 * @property {{[feature: string]: string}} [faults] the engine's known faults with a
 *   feature, found by its checks
 * @property {(modules: string) => Promise<Browser>} launch
 */

// Chromium through playwright-core, which also speaks the DevTools protocol
// for touch and installability.
/** @param {string} modules @returns {Promise<Browser>} */
async function launchChromium(modules) {
    const {chromium} = require(path.join(modules, 'playwright-core'));
    const options = {
        executablePath: process.env.VORL_CHROMIUM || '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    };
    const browser = await chromium.launch(options);
    return {
        close: () => browser.close(),
        // In a profile of its own: a private context is never installable.
        async installabilityErrors(url) {
            const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vorl-profile-'));
            const context = await chromium.launchPersistentContext(profile, options);
            try {
                const page = await context.newPage();
                await page.goto(url);
                await page.evaluate(() => navigator.serviceWorker.ready.then(() => undefined));
                const cdp = await context.newCDPSession(page);
                return (await cdp.send('Page.getInstallabilityErrors')).installabilityErrors;
            } finally {
                await context.close();
                fs.rmSync(profile, {recursive: true});
            }
        },
        async open(url, {width, height, scale = 1, phone = false}) {
            const page = await browser.newPage({viewport: {width, height},
                deviceScaleFactor: scale, isMobile: phone, hasTouch: phone});
            /** @type {string[]} */
            const errors = [];
            page.on('pageerror', (/** @type {Error} */ error) => errors.push(error.message));
            await page.goto(url);
            const cdp = await page.context().newCDPSession(page);
            return {
                errors,
                evaluate: (fn, arg) => page.evaluate(fn, arg),
                move: (x, y) => page.mouse.move(x, y),
                down: () => page.mouse.down(),
                up: () => page.mouse.up(),
                press: (keys) => page.keyboard.press(keys),
                wheel: (dx, dy) => page.mouse.wheel(dx, dy),
                resize: (w, h) => page.setViewportSize({width: w, height: h}),
                reload: async () => void await page.reload(),
                close: () => page.close(),
                offline: (on) => page.context().setOffline(on),
                media: (features) => page.emulateMedia(features),
                touch: async (type, touchPoints) =>
                    void await cdp.send('Input.dispatchTouchEvent', {type, touchPoints}),
            };
        },
    };
}

// Firefox through puppeteer-core over WebDriver BiDi; each tab in a context of
// its own, as Playwright gives Chromium's.
/** @param {string} modules @returns {Promise<Browser>} */
async function launchFirefox(modules) {
    const puppeteer = require(path.join(modules, 'puppeteer-core'));
    const browser = await puppeteer.launch({browser: 'firefox', protocol: 'webDriverBiDi',
        executablePath: process.env.VORL_FIREFOX || '/usr/bin/firefox-esr', headless: true});
    return {
        close: () => browser.close(),
        async open(url, {width, height, scale = 1}) {
            const context = await browser.createBrowserContext();
            const page = await context.newPage();
            /** @type {string[]} */
            const errors = [];
            page.on('pageerror', (/** @type {Error} */ error) => errors.push(error.message));
            await page.setViewport({width, height, deviceScaleFactor: scale});
            await page.goto(url);
            return {
                errors,
                evaluate: (fn, arg) => page.evaluate(fn, arg),
                move: (x, y) => page.mouse.move(x, y),
                down: () => page.mouse.down(),
                up: () => page.mouse.up(),
                async press(keys) {
                    const [key, ...held] = keys.split('+').reverse();
                    for (const k of held) {
                        await page.keyboard.down(k);
                    }
                    await page.keyboard.press(key);
                    for (const k of held) {
                        await page.keyboard.up(k);
                    }
                },
                wheel: (deltaX, deltaY) => page.mouse.wheel({deltaX, deltaY}),
                resize: (w, h) => page.setViewport({width: w, height: h, deviceScaleFactor: scale}),
                reload: async () => void await page.reload(),
                close: () => context.close(),
                offline: (on) => page.setOfflineMode(on),
            };
        },
    };
}

// WebKitGTK's MiniBrowser through selenium-webdriver and WebKitWebDriver: one
// window for the whole run, each page loaded into it afresh.
/** @param {string} modules @returns {Promise<Browser>} */
async function launchWebKit(modules) {
    const {Builder, Key, Origin} = require(path.join(modules, 'selenium-webdriver'));
    const {DriverService} = require(path.join(modules, 'selenium-webdriver', 'remote'));
    const {findFreePort} = require(path.join(modules, 'selenium-webdriver', 'net', 'portprober'));
    const port = await findFreePort();
    // The X server's GL is software: drawn through it, the canvas cost the
    // game up to two thirds of its ticks (18 to 36 a second, 56 to 64 without).
    const service = new DriverService(process.env.VORL_WEBKIT_DRIVER || 'WebKitWebDriver',
        {port, args: [`--port=${port}`], loopback: true,
            env: {...process.env, WEBKIT_DISABLE_COMPOSITING_MODE: '1'}});
    // Debian keeps MiniBrowser in the library folder of its architecture.
    const binary = process.env.VORL_MINIBROWSER || fs.readdirSync('/usr/lib')
        .map((dir) => `/usr/lib/${dir}/webkit2gtk-4.1/MiniBrowser`).find(fs.existsSync);
    const driver = await new Builder().usingServer(await service.start(10000)).withCapabilities({
        browserName: 'MiniBrowser',
        'webkitgtk:browserOptions':
            {binary, args: ['--automation', '--enable-2d-canvas-acceleration=false']},
    }).build();
    // The window's frame, to size the viewport rather than the window.
    const frame = await driver.executeScript(
        'return [outerWidth - innerWidth, outerHeight - innerHeight]');
    /** @type {{[name: string]: string}} */
    const keyNames = {Alt: Key.ALT, Control: Key.CONTROL, Shift: Key.SHIFT, Enter: Key.ENTER,
        Escape: Key.ESCAPE, Tab: Key.TAB, ArrowDown: Key.ARROW_DOWN, ArrowUp: Key.ARROW_UP,
        ArrowLeft: Key.ARROW_LEFT, ArrowRight: Key.ARROW_RIGHT};
    const resize = (/** @type {number} */ w, /** @type {number} */ h) =>
        driver.manage().window().setRect({width: w + frame[0], height: h + frame[1]});
    const act = (/** @type {(a: any) => any} */ steps) => steps(driver.actions()).perform();
    return {
        close: async () => {
            await driver.quit();
            await service.kill();
        },
        async open(url, {width, height}) {
            await resize(width, height);
            await driver.get(url);
            return {
                evaluate: (fn, arg) => driver.executeScript(`return (${fn})(...arguments)`,
                    ...(arg === undefined ? [] : [arg])),
                move: (x, y) => act((a) => a.move({x: Math.round(x), y: Math.round(y),
                    origin: Origin.VIEWPORT})),
                down: () => act((a) => a.press()),
                up: () => act((a) => a.release()),
                press: (keys) => act((a) => {
                    const [key, ...held] = keys.split('+').reverse().map((k) => keyNames[k] ?? k);
                    held.forEach((k) => a.keyDown(k));
                    a.keyDown(key).keyUp(key);
                    held.forEach((k) => a.keyUp(k));
                    return a;
                }),
                wheel: (dx, dy) => act((a) => a.scroll(0, 0, dx, dy, Origin.VIEWPORT)),
                resize: async (w, h) => void await resize(w, h),
                reload: () => driver.navigate().refresh(),
                close: () => driver.get('about:blank'),
            };
        },
    };
}

/** @type {{[name: string]: Engine}} */
const engines = {
    chromium: {skips: {}, launch: launchChromium},
    firefox: {
        skips: {
            phone: 'WebDriver BiDi emulates no mobile viewport or touch screen',
            touch: 'WebDriver actions cannot cancel a touch',
            install: 'installability is asked of Chromium\'s DevTools protocol',
            media: 'WebDriver BiDi emulates no forced colours or reduced motion',
        },
        launch: launchFirefox,
    },
    webkit: {
        skips: {
            scale: 'WebDriver cannot set the device pixel ratio',
            phone: 'WebDriver emulates no mobile viewport or touch screen',
            touch: 'WebDriver actions cannot cancel a touch',
            install: 'installability is asked of Chromium\'s DevTools protocol',
            offline: 'WebDriver cannot take a tab off the network',
            media: 'WebDriver emulates no forced colours or reduced motion',
        },
        launch: launchWebKit,
    },
};

module.exports = {engines};
