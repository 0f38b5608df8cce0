// SPDX-License-Identifier: MIT
// The game's message boxes, as one modal dialog over the table, and the panel
// that stands for the window once the game has ended.

import {announce} from './score-readout.js';
import {phase} from './phase.js';

/** @typedef {import('./menu-bar.js').VorlMenuBar} VorlMenuBar */
/** @typedef {import('./table-input.js').TableInput} TableInput */

const box = /** @type {HTMLDialogElement} */ (document.getElementById('box'));
const byId = (/** @type {string} */ id) => /** @type {HTMLElement} */ (document.getElementById(id));

export class MessageBoxes {
    /**
     * @param {VorlMenuBar} menuBar closed when a box opens
     * @param {TableInput} input held while a box is open
     * @param {() => void} paintNow paints the table as it stands
     */
    constructor(menuBar, input, paintNow) {
        this.menuBar = menuBar;
        this.input = input;
        this.paintNow = paintNow;
        /** @type {[string, string][]} */
        this.waiting = [];
        // Enter and Escape close the box wherever the focus is.
        document.addEventListener('keydown', (e) => {
            if (phase.now === 'box' && (e.key === 'Enter' || e.key === 'Escape')) {
                e.preventDefault();
                box.close();
            }
        });
        box.addEventListener('close', () => this.closed());
    }

    /**
     * The page cannot wait for the box, so the game is held instead: it is
     * painted as it stands, then nothing is painted, ticked or passed on
     * until the box is closed. The box sits over the table; the view stays.
     * A box that comes while one is open waits for it to close.
     * @param {string} title
     * @param {string} text
     */
    show(title, text) {
        if (phase.now === 'box') {
            this.waiting.push([title, text]);
            return;
        }
        this.open(title, text, null);
    }

    /**
     * @param {string} title
     * @param {string} text
     * @param {import('./table-input.js').Moved | null} moved the pointer's
     *     last move under an earlier box
     */
    open(title, text, moved) {
        this.paintNow();
        phase.now = 'box';
        this.input.holdForBox(moved);
        this.menuBar.closeAll();
        byId('box-title').textContent = title;
        byId('box-text').textContent = text;
        announce(text);
        box.showModal();
        byId('box-ok').focus({preventScroll: true});
    }

    closed() {
        if (phase.now !== 'box') {
            return;
        }
        phase.now = 'running';
        const next = this.waiting.shift();
        if (next !== undefined) {
            this.open(...next, this.input.movedUnderBox);
            return;
        }
        this.input.releaseAfterBox();
        Module._vorl_resume();
    }
}

/**
 * Stops the page for good. In a window of its own (the installed game) Exit
 * closes the window, where the browser lets a page do that. Otherwise, or if
 * it does not close, the page says that the game has ended.
 * @param {VorlMenuBar | null} menuBar
 * @param {TableInput | null} input
 */
export function endGame(menuBar, input) {
    phase.now = 'ended';
    input?.stop();
    menuBar?.closeAll();
    byId('window').hidden = true;
    const ended = byId('ended');
    ended.hidden = false;
    ended.focus({preventScroll: true});
    if (!matchMedia('(display-mode: browser)').matches) {
        window.close();
    }
}
byId('again').addEventListener('click', () => location.reload());
