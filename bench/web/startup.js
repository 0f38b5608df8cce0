// SPDX-License-Identifier: MIT
// Measures the browser version's start in Debian's Chromium, headless, on the
// compressing server of scripts/play-web.sh: the time from the start of
// navigation to the first frame of the table, every main-thread task over
// 50 ms until a second after it (wall and CPU time, from Chromium's trace),
// what the first frame's painting cost against the later ones, and the
// site's size on disk and compressed.
//   node bench/web/startup.js [LOADS]   (after scripts/build-web.sh, and the
//   dev build, which installs the browser tests' npm packages in
//   build/dev/web-npm)
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');

const root = path.join(__dirname, '..', '..');
const site = path.join(root, 'build-web', 'site');
const {chromium} = require(
    path.join(root, 'build', 'dev', 'web-npm', 'node_modules', 'playwright-core'));
const {createSiteServer} = require(path.join(root, 'tools', 'web-server', 'web-server.js'));
const loads = Number(process.argv[2] || 10);

const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const range = (values) => `${Math.min(...values).toFixed(1)} to ` +
    `${Math.max(...values).toFixed(1)} (median ${median(values).toFixed(1)})`;

function siteSize() {
    let [raw, gzip, brotli] = [0, 0, 0];
    const files = fs.readdirSync(site);
    for (const name of files) {
        const body = fs.readFileSync(path.join(site, name));
        raw += body.length;
        gzip += zlib.gzipSync(body, {level: 9}).length;
        brotli += zlib.brotliCompressSync(body).length;
    }
    return `${files.length} files, ${kb(raw)} on disk, ${kb(gzip)} gzipped, ` +
        `${kb(brotli)} with brotli`;
}

// The renderer's main-thread tasks from a trace: [{start, wall, cpu, frame,
// what}], times in ms; `what` names the longest steps inside the task.
function mainThreadTasks(trace) {
    const events = JSON.parse(trace).traceEvents;
    // The renderer that parsed the page.
    const pid = events.find((e) => e.name === 'ParseHTML').pid;
    const tid = events.find((e) => e.pid === pid && e.name === 'thread_name' &&
        e.args.name === 'CrRendererMain').tid;
    const mine = events.filter((e) => e.pid === pid && e.tid === tid && e.ph === 'X');
    const task = 'ThreadControllerImpl::RunTask';
    return mine.filter((e) => e.name === task).map((t) => {
        const inside = mine.filter((e) => e.name !== task && e.ts >= t.ts && e.ts < t.ts + t.dur);
        const steps = new Map();
        for (const e of inside.filter((e) => !e.name.includes('::'))) {
            steps.set(e.name, Math.max(steps.get(e.name) ?? 0, e.dur / 1000));
        }
        return {
            start: t.ts / 1000,
            wall: t.dur / 1000,
            cpu: (t.tdur ?? t.dur) / 1000,
            frame: inside.some((e) => e.name === 'FireAnimationFrame'),
            what: [...steps].sort((x, y) => y[1] - x[1]).slice(0, 4)
                .map(([name, ms]) => `${name} ${ms.toFixed(0)}`).join(', '),
        };
    });
}

(async () => {
    console.log(`site: ${siteSize()}`);
    const server = createSiteServer(site);
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    const address = `http://127.0.0.1:${server.address().port}/`;
    const browser = await chromium.launch({
        executablePath: process.env.VORL_CHROMIUM || '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    });
    const firstFrames = [];
    const firstPaints = [];
    const laterPaints = [];
    const longTasks = [];
    for (let i = 0; i < loads; ++i) {
        const context = await browser.newContext({viewport: {width: 1280, height: 720}});
        const page = await context.newPage();
        await browser.startTracing(page, {categories: ['devtools.timeline', 'toplevel', 'v8']});
        await page.goto(address);
        await page.waitForFunction(() => document.body.dataset.firstFrame !== undefined);
        await page.waitForTimeout(1000);
        // Twenty more frames: the cue line following the mouse.
        const box = await page.locator('#table').boundingBox();
        for (let step = 0; step < 20; ++step) {
            await page.mouse.move(box.x + 700 + step * 5, box.y + 300);
            await page.waitForTimeout(50);
        }
        const tasks = mainThreadTasks((await browser.stopTracing()).toString());
        const frames = tasks.filter((t) => t.frame);
        firstFrames.push(Number(await page.evaluate(() => document.body.dataset.firstFrame)));
        firstPaints.push(frames[0].cpu);
        laterPaints.push(median(frames.slice(1).map((t) => t.cpu)));
        const firstFrameAt = frames[0].start;
        for (const t of tasks.filter((t) => t.wall > 50 && t.start <= firstFrameAt + 1000)) {
            longTasks.push(`load ${i + 1}: ${t.wall.toFixed(0)} ms wall, ` +
                `${t.cpu.toFixed(0)} ms CPU: ${t.what}`);
        }
        await context.close();
    }
    await browser.close();
    server.close();
    console.log(`first frame after the start of navigation, ms: ${range(firstFrames)}`);
    console.log(`the first frame's task, CPU ms: ${range(firstPaints)}`);
    console.log(`a later frame's task, CPU ms (median of each load): ${range(laterPaints)}`);
    console.log(`main-thread tasks over 50 ms: ${longTasks.length}`);
    for (const line of longTasks) {
        console.log(`  ${line}`);
    }
})();
