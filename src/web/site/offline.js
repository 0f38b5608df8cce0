// SPDX-License-Identifier: MIT
// After the first visit the game loads and plays with no network (sw.js);
// a newer build, once deployed, is played from the next load on.

// The folder of this build, named after its hash (cmake/site_build.cmake).
const build = new URL('.', import.meta.url).pathname.split('/').at(-2) ?? '';
// A page left open looks for a newer build at most this often.
const UPDATE_MS = 60 * 60 * 1000;
const TAKE_OVER_MS = 3000;

/**
 * Tells the service worker, when it asks, which build this page runs, so
 * that it keeps that build's files while the page is open. Call it as soon as
 * the page's module runs.
 */
export function answerServiceWorker() {
    navigator.serviceWorker?.addEventListener('message', (event) => {
        if (event.data === 'build?') {
            event.ports[0]?.postMessage(build);
        }
    });
    navigator.serviceWorker?.startMessages();
}

/**
 * Registers the service worker, where the browser allows one: on https and
 * on this machine only. Call it once the page has shown its first frame. A
 * newer worker takes over by itself; this page keeps its build.
 */
export function installServiceWorker() {
    if (!('serviceWorker' in navigator) || !window.isSecureContext) {
        return;
    }
    navigator.serviceWorker.register('sw.js').then((registration) => {
        // Windows of an older build may have closed: its files may go.
        registration.active?.postMessage('loaded');
        // A newer worker takes over by itself once it has its files. Chromium
        // at times keeps it waiting all the same while the old one is busy:
        // this page asks it again now and then until it has taken over.
        const takeOver = () => {
            if (registration.waiting !== null) {
                registration.waiting.postMessage('take-over');
                setTimeout(takeOver, TAKE_OVER_MS);
            }
        };
        takeOver();
        registration.addEventListener('updatefound', () => {
            registration.installing?.addEventListener('statechange', takeOver);
        });
        // The wall clock, which runs on while the machine sleeps.
        let checked = Date.now();
        const check = () => {
            if (Date.now() - checked >= UPDATE_MS) {
                checked = Date.now();
                registration.update().catch(() => {}); // offline: next time
            }
        };
        // Timers drift and sleep: look often, check hourly.
        setInterval(check, UPDATE_MS / 6);
        document.addEventListener('visibilitychange', () => {
            if (document.visibilityState === 'visible') {
                check();
            }
        });
    }, (error) => console.warn(`No offline play: ${error.message}`));
}
