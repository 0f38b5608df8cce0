// SPDX-License-Identifier: MIT
// The game kept in this tab's session storage, so that a reload (a discarded
// tab brought back, a phone's browser reloading it) goes on from where it was
// rather than from a new rack. A new tab has storage of its own and starts
// afresh; so does a reload after Exit, which keeps nothing.

import {phase} from './phase.js';

const KEY = 'vorl-game';
// Bytes per step of the binary string: under any engine's argument limit.
const CHUNK = 0x2000;
// The game rests after each pointer move: while the player aims, the storage
// is written at most this often.
const SPACING_MS = 500;
/** @type {Uint8Array | null} */
let pending = null;
let timer = 0;
let written = -Infinity;
let warned = false;

/** @param {string} what @param {unknown} error */
function warn(what, error) {
    console.warn(`vorl: ${what}: ${error instanceof Error ? error.message : error}`);
}

/**
 * The kept game's bytes, as the game wrote them; null when none is kept or
 * the storage cannot be read.
 * @returns {Uint8Array | null}
 */
export function keptGame() {
    try {
        const text = sessionStorage.getItem(KEY);
        return text === null ? null : Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
    } catch (error) {
        warn('the game kept in this tab was not restored', error);
        return null;
    }
}

/**
 * Keeps the game's bytes in place of the last ones, soon; nothing once the
 * game has ended.
 * @param {Uint8Array} bytes
 */
export function keepGame(bytes) {
    if (phase.now === 'ended') {
        return;
    }
    pending = bytes.slice();
    if (timer === 0) {
        timer = setTimeout(writePending, Math.max(0, written + SPACING_MS - performance.now()));
    }
}

// A storage that refuses the game (full, or off) is warned of once.
function writePending() {
    clearTimeout(timer);
    timer = 0;
    if (pending === null) {
        return;
    }
    let text = '';
    for (let i = 0; i < pending.length; i += CHUNK) {
        text += String.fromCharCode(...pending.subarray(i, i + CHUNK));
    }
    pending = null;
    written = performance.now();
    try {
        sessionStorage.setItem(KEY, btoa(text));
    } catch (error) {
        if (!warned) {
            warn('the game cannot be kept in this tab', error);
            warned = true;
        }
    }
}

// The game has ended: the next load starts afresh.
export function forgetGame() {
    pending = null;
    try {
        sessionStorage.removeItem(KEY);
    } catch {
        // Nothing could be kept either.
    }
}

/**
 * Keeps the game at once whenever the page is hidden or left, the last
 * moment a page is sure to run before the browser may discard or reload it;
 * from the time the game has its window (and has restored what was kept)
 * until it ends.
 * @param {() => void} keep hands keepGame the game as it stands
 */
export function keepWhenHidden(keep) {
    const leaving = () => {
        if (phase.now === 'running' || phase.now === 'box') {
            keep();
            writePending();
        }
    };
    document.addEventListener('visibilitychange', () => {
        if (document.visibilityState === 'hidden') {
            leaving();
        }
    });
    addEventListener('pagehide', leaving);
}
