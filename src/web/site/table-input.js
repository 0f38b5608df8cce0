// SPDX-License-Identifier: MIT
// The pointer on the table, as the game's mouse. The mouse aims as it hovers
// and strikes as it is pressed. A finger or a pen aims while it is down and
// strikes where it is lifted: the game still hears a move and then a press
// there, only later than a mouse's.

import {phase, running} from './phase.js';

/** @typedef {import('./canvas-painter.js').VorlCanvasPainter} VorlCanvasPainter */
/** @typedef {import('./menu-bar.js').VorlMenuBar} VorlMenuBar */
/** @typedef {{clientX: number, clientY: number}} At */
/** @typedef {{buttons: number, keys: number, clientX: number, clientY: number}} Moved */

// Buttons and keys as the game counts them: left 1, right 2, middle 4;
// shift 1, ctrl 2, alt 4.
/** @param {MouseEvent} e */
const keys = (e) => (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0);
/** @param {MouseEvent} e */
const pressed = (e) => /** @type {Record<number, number>} */ ({0: 1, 1: 4, 2: 2})[e.button] || 0;

export class TableInput {
    /**
     * Listens to the table's pointer events from now on.
     * @param {HTMLCanvasElement} table
     * @param {VorlCanvasPainter} painter logical pixels: its width and height
     * @param {VorlMenuBar} menuBar a press that only closes it strikes nothing
     */
    constructor(table, painter, menuBar) {
        this.table = table;
        this.painter = painter;
        this.menuBar = menuBar;
        // The finger or pen that aims, `at` in logical pixels. Only one at a time.
        /** @type {{id: number, button: number, keys: number, at: [number, number]} | null} */
        this.finger = null;
        // Where the last finger or pen was lifted, while no mouse has moved since.
        /** @type {{keys: number, at: [number, number]} | null} */
        this.lifted = null;
        // The last pointer move while a box was open; the table hears of it
        // when the box is gone, so that the cue line points where the pointer
        // now is.
        /** @type {Moved | null} */
        this.movedUnderBox = null;

        table.addEventListener('pointerdown', (e) => {
            e.preventDefault();
            this.pointerDown(e);
        });
        table.addEventListener('pointermove', (e) => this.pointerMove(e));
        table.addEventListener('pointerup', (e) => this.pointerUp(e));
        // The browser took the touch for a gesture of its own: no stroke.
        table.addEventListener('pointercancel', (e) => {
            if (this.finger !== null && e.pointerId === this.finger.id) {
                this.finger = null;
            }
        });
        table.addEventListener('contextmenu', (e) => e.preventDefault());
        document.addEventListener('pointermove', (e) => {
            if (phase.now === 'box' && e.pointerType === 'mouse') {
                this.movedUnderBox = {buttons: e.buttons & 7, keys: keys(e), clientX: e.clientX,
                    clientY: e.clientY};
            }
        });
    }

    /**
     * The canvas's logical pixels, whatever its size on the screen.
     * @param {At} e
     * @returns {[number, number]}
     */
    position(e) {
        const r = this.table.getBoundingClientRect();
        return [(e.clientX - r.left) * (this.painter.width / r.width),
            (e.clientY - r.top) * (this.painter.height / r.height)];
    }

    /** @param {At} e */
    onTable(e) {
        const r = this.table.getBoundingClientRect();
        return e.clientX >= r.left && e.clientX < r.right && e.clientY >= r.top &&
            e.clientY < r.bottom;
    }

    /** @param {PointerEvent} e */
    pointerDown(e) {
        if (!running() || this.menuBar.isOpen || this.menuBar.dismissed(e)) {
            return; // the press only closes the menu, as on the desktop
        }
        if (e.pointerType === 'mouse') {
            this.lifted = null;
            Module._vorl_mouse_down(pressed(e), keys(e), ...this.position(e));
            return;
        }
        if (this.finger !== null) {
            return; // a second finger is not a second pointer
        }
        this.finger = {id: e.pointerId, button: pressed(e), keys: keys(e), at: this.position(e)};
        this.lifted = null;
        Module._vorl_mouse_move(0, this.finger.keys, ...this.finger.at);
    }

    /** @param {PointerEvent} e */
    pointerMove(e) {
        if (!running() || this.menuBar.isOpen) {
            return;
        }
        const finger = this.finger;
        if (e.pointerType === 'mouse') {
            this.lifted = null;
            Module._vorl_mouse_move(e.buttons & 7, keys(e), ...this.position(e));
        } else if (finger !== null && e.pointerId === finger.id && this.onTable(e)) {
            finger.keys = keys(e);
            finger.at = this.position(e);
            Module._vorl_mouse_move(0, finger.keys, ...finger.at);
        }
    }

    // Lifted off the table, the finger strikes nothing.
    /** @param {PointerEvent} e */
    pointerUp(e) {
        if (this.finger === null || e.pointerId !== this.finger.id) {
            return;
        }
        const {button} = this.finger;
        this.finger = null;
        if (!running() || !this.onTable(e)) {
            return;
        }
        const lifted = {keys: keys(e), at: this.position(e)};
        this.lifted = lifted;
        Module._vorl_mouse_move(0, lifted.keys, ...lifted.at);
        Module._vorl_mouse_down(button, lifted.keys, ...lifted.at);
    }

    // A finger lifted after a stroke stays where it was, as a resting mouse
    // would: before each frame the game hears it there again, so that the cue
    // line runs from wherever the ball now is.
    restLifted() {
        if (this.lifted !== null && running()) {
            Module._vorl_mouse_move(0, this.lifted.keys, ...this.lifted.at);
        }
    }

    /**
     * A box opens: the finger that aimed is gone; the pointer's moves under
     * the box are kept from `moved` on.
     * @param {Moved | null} moved
     */
    holdForBox(moved) {
        this.movedUnderBox = moved;
        this.finger = null;
    }

    // The last box closed: the table hears where the pointer went meanwhile.
    releaseAfterBox() {
        const moved = this.movedUnderBox;
        this.movedUnderBox = null;
        if (moved !== null && this.onTable(moved)) {
            Module._vorl_mouse_move(moved.buttons, moved.keys, ...this.position(moved));
        }
    }

    stop() {
        this.finger = null;
    }
}
