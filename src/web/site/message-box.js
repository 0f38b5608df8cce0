// SPDX-License-Identifier: MIT
// The game's message boxes, as one modal dialog over the table, and the panel
// that stands for the window once the game has ended. A screen reader says a
// box's text once, as the dialog's description.

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
     * @param {HTMLElement} table takes the focus after a box that no control led to
     */
    constructor(menuBar, input, paintNow, table) {
        this.menuBar = menuBar;
        this.input = input;
        this.paintNow = paintNow;
        this.table = table;
        /** @type {[string, string][]} */
        this.waiting = [];
        /** @type {HTMLElement} */
        this.returnFocus = table;
        // Enter and Escape close the box wherever the focus is, and the game
        // goes on at once: the next key already counts.
        document.addEventListener('keydown', (e) => {
            if (phase.now === 'box' && (e.key === 'Enter' || e.key === 'Escape')) {
                e.preventDefault();
                box.close();
                this.closed();
            }
        });
        // Closed by its button; the event comes late, maybe after the next box opened.
        box.addEventListener('close', () => {
            if (!box.open) {
                this.closed();
            }
        });
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
        // The focus goes back where it was, or to the menu that led here.
        const focused = document.activeElement;
        this.returnFocus = focused instanceof HTMLElement && focused !== document.body &&
            focused !== this.table ? focused : this.menuBar.commandFrom ?? this.table;
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
        this.returnFocus.focus({preventScroll: true});
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
