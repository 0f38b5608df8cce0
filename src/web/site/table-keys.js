// SPDX-License-Identifier: MIT
// The keyboard on the focused table, as the game's keyboard aim: Left and
// Right turn the aim round the cue ball, Up and Down lengthen and shorten it
// (finer with Shift), Space and Enter strike. The game hears a pointer's
// move and press; the score's text says the aim. Keys with Alt, Ctrl or Meta
// are left to the menus and the browser, and while a menu is open the menu
// bar takes the keys before the table (menu-bar.js).

import {describeAim} from './score-readout.js';
import {running} from './phase.js';

/** @typedef {import('./table-input.js').TableInput} TableInput */
/** @typedef {import('./menu-bar.js').VorlMenuBar} VorlMenuBar */

/** @type {Record<string, string>} the game's names for the keys */
const names = {ArrowLeft: 'Left', ArrowRight: 'Right', ArrowUp: 'Up', ArrowDown: 'Down',
    ' ': 'Space', Enter: 'Enter'};

/**
 * @param {HTMLCanvasElement} table
 * @param {TableInput} input
 * @param {VorlMenuBar} menuBar
 */
export function listenToKeys(table, input, menuBar) {
    table.addEventListener('keydown', (e) => {
        const name = names[e.key];
        if (name === undefined || e.altKey || e.ctrlKey || e.metaKey || !running() ||
            menuBar.isOpen) {
            return;
        }
        // Space would scroll; Enter would close a box that the stroke opened.
        e.preventDefault();
        e.stopPropagation();
        input.keyboardAims();
        const key = `${e.shiftKey ? 'Shift+' : ''}${name}`;
        describeAim(Module.ccall('vorl_key', 'string', ['string'], [key]));
    });
    // The pointer aims again.
    table.addEventListener('pointermove', () => {
        if (running() && !menuBar.isOpen) {
            describeAim('');
        }
    });
}
