// SPDX-License-Identifier: MIT
// The game kept in this tab's session storage, so that a reload (a discarded
// tab brought back, a phone's browser reloading it) goes on from where it was
// rather than from a new rack. A new tab has storage of its own and starts
// afresh; so does a reload after Exit, which keeps nothing.

import {phase} from './phase.js';

const KEY = 'vorl-game';
// Bytes per step of the binary string: under any engine's argument limit.
const CHUNK = 0x2000;
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
 * Keeps the game's bytes in place of the last ones; nothing once the game has
 * ended. A storage that refuses them (full, or off) is warned of once.
 * @param {Uint8Array} bytes
 */
export function keepGame(bytes) {
    if (phase.now === 'ended') {
        return;
    }
    let text = '';
    for (let i = 0; i < bytes.length; i += CHUNK) {
        text += String.fromCharCode(...bytes.subarray(i, i + CHUNK));
    }
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
    try {
        sessionStorage.removeItem(KEY);
    } catch {
        // Nothing could be kept either.
    }
}

/**
 * Keeps the game whenever the page is hidden or left, the last moment a
 * page is sure to run before the browser may discard or reload it; from the
 * time the game has its window (and has restored what was kept) until it ends.
 * @param {() => void} keep hands keepGame the game as it stands
 */
export function keepWhenHidden(keep) {
    const leaving = () => {
        if (phase.now === 'running' || phase.now === 'box') {
            keep();
        }
    };
    document.addEventListener('visibilitychange', () => {
        if (document.visibilityState === 'hidden') {
            leaving();
        }
    });
    addEventListener('pagehide', leaving);
}
