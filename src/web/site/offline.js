// SPDX-License-Identifier: MIT
// After the first visit the game loads and plays with no network (sw.js).

/**
 * Registers the service worker, where the browser allows one: on https and
 * on this machine only. Call it once the page has shown its first frame.
 */
export function installServiceWorker() {
    if (!('serviceWorker' in navigator) || !window.isSecureContext) {
        return;
    }
    navigator.serviceWorker.register('sw.js').then((registration) => {
        // A newer build waits until this page, fully loaded, lets it take
        // over: this page keeps what it has, the next visit gets the new one.
        /** @param {ServiceWorker | null} worker */
        const takeOver = (worker) => worker?.postMessage('take-over');
        takeOver(registration.waiting);
        registration.addEventListener('updatefound', () => {
            const worker = registration.installing;
            worker?.addEventListener('statechange', () => {
                if (worker.state === 'installed') {
                    takeOver(worker);
                }
            });
        });
    }, (error) => console.warn(`No offline play: ${error.message}`));
}
