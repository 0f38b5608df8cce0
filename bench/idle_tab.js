// SPDX-License-Identifier: MIT
// What a browser tab left on the game costs: the timer and animation-frame
// callbacks the page runs in 5 s once the table is at rest, counted in the
// page itself (setTimeout, setInterval and requestAnimationFrame wrapped
// before the game's scripts load), over a few fresh loads.
//   node bench/idle_tab.js SITE_DIR NODE_MODULES_DIR [RUNS]
'use strict';

const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');

const [site, modules, runs = '3'] = process.argv.slice(2);
const {chromium} = require(path.resolve(modules, 'playwright-core'));

const types = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
    '.wasm': 'application/wasm', '.svg': 'image/svg+xml'};
const server = http.createServer((request, response) => {
    let file = path.join(site, path.normalize(new URL(request.url, 'http://x').pathname));
    if (file.endsWith(path.sep)) {
        file = path.join(file, 'index.html');
    }
    fs.readFile(file, (error, body) => {
        response.writeHead(error ? 404 : 200,
            {'Content-Type': types[path.extname(file)] || 'application/octet-stream'});
        response.end(error ? '' : body);
    });
});

function countCallbacks() {
    window.vorlCallbacks = 0;
    for (const name of ['setTimeout', 'setInterval', 'requestAnimationFrame']) {
        const original = window[name];
        window[name] = (callback, ...rest) => original.call(window, (...args) => {
            ++window.vorlCallbacks;
            return typeof callback === 'function' ? callback(...args) : undefined;
        }, ...rest);
    }
}

(async () => {
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    const address = `http://127.0.0.1:${server.address().port}/`;
    const browser = await chromium.launch({
        executablePath: process.env.VORL_CHROMIUM || '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    });
    try {
        for (let run = 0; run < Number(runs); ++run) {
            const page = await browser.newPage({viewport: {width: 1400, height: 900}});
            await page.addInitScript(countCallbacks);
            await page.goto(address);
            await page.waitForFunction(() => document.body.dataset.firstFrame !== undefined);
            await page.waitForTimeout(2000); // the opening table comes to rest
            const [c0, t0] = await page.evaluate(() => [window.vorlCallbacks, Module._vorl_ticks()]);
            await page.waitForTimeout(5000);
            const [c1, t1] = await page.evaluate(() => [window.vorlCallbacks, Module._vorl_ticks()]);
            console.log(`tab at rest, 5 s: ${c1 - c0} timer or frame callbacks, ${t1 - t0} ticks`);
            await page.close();
        }
    } finally {
        await browser.close();
        server.close();
    }
})().catch((error) => {
    console.error(error);
    process.exit(1);
});
