// SPDX-License-Identifier: MIT
// The browsers the page is checked in, each from Debian and each behind the
// same thin driver, given Playwright's page verbs once by withVerbs, so that
// browser_test.js writes its checks once.
//   chromium  playwright-core, over the DevTools protocol
//   firefox   puppeteer-core, over WebDriver BiDi (no geckodriver)
//   webkit    selenium-webdriver, over W3C WebDriver to WebKitWebDriver,
//             which starts MiniBrowser in an X server (run under xvfb-run)
// Types: page-driver.d.ts.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {setTimeout: sleep} = require('node:timers/promises');

/** @param {() => Promise<unknown>} holds @param {string} what */
async function until(holds, what, deadline = Date.now() + 30000) {
    while (!(await holds())) {
        assert.ok(Date.now() < deadline, `timed out: ${what}`);
        await sleep(100);
    }
}

// Playwright's page verbs, as the checks use them, made of a driver's own.
/** @param {Tab} tab @returns {Page} */
function withVerbs(tab) {
    const visible = (/** @type {string} */ selector) => tab.evaluate((s) => {
        const element = document.querySelector(s);
        return !!element && element.getClientRects().length > 0 &&
            getComputedStyle(element).visibility !== 'hidden';
    }, selector);
    const unsupported = () => Promise.reject(new Error('not in this engine'));
    /** @type {Page} */
    const page = {touch: unsupported, offline: unsupported, emulateMedia: unsupported, ...tab,
        errors: tab.errors ?? [],
        keyboard: {press: tab.press},
        mouse: {...tab, click: (x, y) => tab.move(x, y).then(tab.down).then(tab.up)},
        setViewportSize: ({width, height}) => tab.resize(width, height),
        waitForTimeout: (ms) => sleep(ms),
        waitForFunction: (fn) => until(() => tab.evaluate(fn), `${fn}`),
        click: (selector) => page.locator(selector).click(),
        addScriptTag: ({url}) => tab.evaluate((src) => new Promise((done, fail) => {
            const script = document.createElement('script');
            Object.assign(script, {src, onload: () => done(undefined), onerror: fail});
            document.head.append(script);
        }), url),
        async tap(selector) {
            const {x, y, width, height} = await page.locator(selector).boundingBox();
            const touchPoints = [{x: x + width / 2, y: y + height / 2, id: 0}];
            for (const type of ['touchStart', 'touchEnd']) await page.touch({type, touchPoints});
        },
        locator: (selector) => ({
            count: () => tab.evaluate((s) => document.querySelectorAll(s).length, selector),
            textContent: () => tab.evaluate((s) => String(document.querySelector(s)?.textContent), selector),
            boundingBox: () => tab.evaluate((s) => {
                const {x, y, width, height} = /** @type {Element} */ (document.querySelector(s))
                    .getBoundingClientRect();
                return {x, y, width, height};
            }, selector),
            isHidden: async () => !(await visible(selector)),
            waitFor: ({state}) => until(async () => (await visible(selector)) === (state === 'visible'),
                `${selector} ${state}`),
            click: () => page.locator(selector).boundingBox()
                .then(({x, y, width, height}) => page.mouse.click(x + width / 2, y + height / 2)),
        }),
    };
    return page;
}

// What Playwright's and Puppeteer's pages do alike.
function pageVerbs(/** @type {any} */ page) {
    /** @type {string[]} */
    const errors = [];
    page.on('pageerror', (/** @type {Error} */ error) => errors.push(error.message));
    /** @type {string[]} */
    const warnings = []; // Playwright says 'warning', Puppeteer 'warn'
    page.on('console', (/** @type {any} */ m) => /^warn/.test(m.type()) && warnings.push(m.text()));
    return {errors, warnings, goto: (/** @type {string} */ url) => page.goto(url),
        evaluate: (/** @type {any} */ fn, /** @type {unknown} */ arg) => page.evaluate(fn, arg),
        move: (/** @type {number} */ x, /** @type {number} */ y) => page.mouse.move(x, y),
        down: () => page.mouse.down(), up: () => page.mouse.up(), reload: () => page.reload()};
}

const chromiumOptions = {
    executablePath: process.env.VORL_CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
        '--disable-background-networking', '--disable-component-update', '--disable-sync'],
};

// Chromium through playwright-core, which also speaks the DevTools protocol
// for touch and installability.
/** @param {string} modules @returns {Promise<Browser>} */
async function launchChromium(modules) {
    const {chromium} = require(path.resolve(modules, 'playwright-core'));
    const browser = await chromium.launch(chromiumOptions);
    return {
        close: () => browser.close(),
        // In a profile of its own: a private context is never installable.
        async installabilityErrors(url) {
            const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vorl-profile-'));
            const context = await chromium.launchPersistentContext(profile, chromiumOptions);
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
        async newPage(options) {
            const page = await browser.newPage(options);
            const cdp = await page.context().newCDPSession(page);
            return withVerbs({...pageVerbs(page), press: (keys) => page.keyboard.press(keys),
                wheel: (dx, dy) => page.mouse.wheel(dx, dy),
                resize: (width, height) => page.setViewportSize({width, height}),
                close: () => page.close(),
                offline: (on) => page.context().setOffline(on),
                emulateMedia: (features) => page.emulateMedia(features),
                touch: (event) => cdp.send('Input.dispatchTouchEvent', event),
            });
        },
    };
}

// Firefox through puppeteer-core over WebDriver BiDi; each tab in a context of
// its own, as Playwright gives Chromium's.
/** @param {string} modules @returns {Promise<Browser>} */
async function launchFirefox(modules) {
    const puppeteer = require(path.resolve(modules, 'puppeteer-core'));
    const browser = await puppeteer.launch({browser: 'firefox', protocol: 'webDriverBiDi',
        executablePath: process.env.VORL_FIREFOX || '/usr/bin/firefox-esr', headless: true});
    return {
        close: () => browser.close(),
        async newPage({viewport = {width: 0, height: 0}, deviceScaleFactor = 1}) {
            const context = await browser.createBrowserContext();
            const page = await context.newPage();
            const resize = (/** @type {number} */ width, /** @type {number} */ height) =>
                page.setViewport({width, height, deviceScaleFactor});
            await resize(viewport.width, viewport.height);
            return withVerbs({...pageVerbs(page), resize,
                async press(keys) { // Alt+d: Puppeteer's keyboard holds the modifier itself
                    const [key, ...held] = keys.split('+').reverse().map((k) => k === 'Space' ? ' ' : k);
                    for (const k of held) await page.keyboard.down(k);
                    await page.keyboard.press(key);
                    for (const k of held) await page.keyboard.up(k);
                },
                wheel: (deltaX, deltaY) => page.mouse.wheel({deltaX, deltaY}),
                close: () => context.close(),
                offline: (on) => page.setOfflineMode(on),
            });
        },
    };
}

// WebKitGTK's MiniBrowser through selenium-webdriver and WebKitWebDriver: each
// page in a new window, with session storage of its own as a new tab has.
/** @param {string} modules @returns {Promise<Browser>} */
async function launchWebKit(modules) {
    const {Builder, Key, Origin} = require(path.resolve(modules, 'selenium-webdriver'));
    const {DriverService} = require(path.resolve(modules, 'selenium-webdriver', 'remote'));
    const {findFreePort} = require(path.resolve(modules, 'selenium-webdriver', 'net', 'portprober'));
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
    // Playwright's key names in Selenium's: ArrowDown is Key.ARROW_DOWN.
    const key = (/** @type {string} */ k) => Key[k.replace(/(?<=.)(?=[A-Z])/g, '_').toUpperCase()] ?? k;
    const act = (/** @type {(a: any) => any} */ steps) => steps(driver.actions()).perform();
    const home = await driver.getWindowHandle();
    return {
        close: () => driver.quit().then(() => service.kill()),
        async newPage({viewport = {width: 0, height: 0}}) {
            const resize = async (/** @type {number} */ w, /** @type {number} */ h) =>
                void await driver.manage().window().setRect({width: w + frame[0], height: h + frame[1]});
            await driver.switchTo().newWindow('window');
            await resize(viewport.width, viewport.height);
            return withVerbs({resize,
                goto: (url) => driver.get(url),
                evaluate: (fn, arg) => driver.executeScript(`return (${fn})(...arguments)`,
                    ...(arg === undefined ? [] : [arg])),
                move: (x, y) => act((a) => a.move({x: Math.round(x), y: Math.round(y),
                    origin: Origin.VIEWPORT})),
                down: () => act((a) => a.press()),
                up: () => act((a) => a.release()),
                press: (keys) => act((a) => {
                    const [last, ...held] = keys.split('+').reverse().map(key);
                    held.forEach((k) => a.keyDown(k));
                    a.keyDown(last).keyUp(last);
                    held.forEach((k) => a.keyUp(k));
                    return a;
                }),
                wheel: (dx, dy) => act((a) => a.scroll(0, 0, dx, dy, Origin.VIEWPORT)),
                reload: () => driver.navigate().refresh(),
                close: () => driver.close().then(() => driver.switchTo().window(home)),
            });
        },
    };
}

const webDriverSkips = {
    phone: 'WebDriver emulates no mobile viewport or touch screen',
    touch: 'WebDriver actions cannot cancel a touch',
    install: 'installability is asked of Chromium\'s DevTools protocol',
    media: 'WebDriver emulates no forced colours or reduced motion',
};
/** @type {{[name: string]: Engine}} */
const engines = {
    chromium: {skips: {}, launch: launchChromium},
    firefox: {launch: launchFirefox, skips: {...webDriverSkips,
        phone: 'WebDriver BiDi emulates no mobile viewport or touch screen',
        media: 'WebDriver BiDi emulates no forced colours or reduced motion'}},
    webkit: {launch: launchWebKit, skips: {...webDriverSkips,
        scale: 'WebDriver cannot set the device pixel ratio',
        offline: 'WebDriver cannot take a tab off the network'}},
};

module.exports = {engines};
