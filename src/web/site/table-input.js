// SPDX-License-Identifier: MIT
// The pointer on the table, as the game's mouse. The mouse aims as it hovers
// and strikes as it is pressed, over the table or the page's margins around
// it, as over a desktop window. A finger or a pen aims while it is down on
// the table and strikes where it is lifted: the game still hears a move and
// then a press there, only later than a mouse's.

import {pageRect, toPage} from './turn.js';
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

        // Where the mouse aims: the table and the bare page around it, not
        // the menu bar, a box or the panel after the end.
        const margins = new Set([document.documentElement, document.body,
            ...['page', 'window', 'stage'].map((id) => document.getElementById(id))]);
        /** @param {EventTarget | null} target @param {string} type */
        this.aims = (target, type) => target === table ||
            (type === 'mouse' && margins.has(/** @type {HTMLElement} */ (target)));

        document.addEventListener('pointerdown', (e) => {
            if (this.aims(e.target, e.pointerType)) {
                e.preventDefault();
                this.pointerDown(e);
            }
        });
        document.addEventListener('pointermove', (e) => {
            if (this.aims(e.target, e.pointerType)) {
                this.pointerMove(e);
            }
            if (phase.now === 'box' && e.pointerType === 'mouse') {
                this.movedUnderBox = {buttons: e.buttons & 7, keys: keys(e), clientX: e.clientX,
                    clientY: e.clientY};
            }
        });
        table.addEventListener('pointerup', (e) => this.pointerUp(e));
        // The browser took the touch for a gesture of its own, or the touch
        // ended where the table did not hear it lifted: no stroke.
        for (const type of /** @type {const} */ (['pointercancel', 'lostpointercapture'])) {
            table.addEventListener(type, (e) => {
                if (this.finger !== null && e.pointerId === this.finger.id) {
                    this.finger = null;
                }
            });
        }
        document.addEventListener('contextmenu', (e) => {
            if (this.aims(e.target, 'mouse')) {
                e.preventDefault();
            }
        });
    }

    /**
     * The canvas's logical pixels, whatever its size on the screen, turned
     * or not.
     * @param {At} e
     * @returns {[number, number]}
     */
    position(e) {
        const r = pageRect(this.table);
        const [x, y] = toPage(e.clientX, e.clientY);
        return [(x - r.left) * (this.painter.width / r.width),
            (y - r.top) * (this.painter.height / r.height)];
    }

    /** @param {At} e */
    onTable(e) {
        const [x, y] = this.position(e);
        return x >= 0 && x < this.painter.width && y >= 0 && y < this.painter.height;
    }

    /** @param {PointerEvent} e */
    pointerDown(e) {
        if (!running() || this.menuBar.isOpen || this.menuBar.dismissed(e)) {
            return; // the press only closes the menu, as on the desktop
        }
        // The keys aim from here on, from where the pointer left the cue line;
        // a press shows no keyboard ring.
        this.table.focus({preventScroll: true, focusVisible: false});
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

    // The keyboard aims from now on: a finger lifted earlier no longer
    // stands for the pointer.
    keyboardAims() {
        this.lifted = null;
    }

    // A finger lifted after a stroke stays where it was, as a resting mouse
    // would: before each frame of the running game (not the one painted as a
    // box opens) the game hears it there again, so that the cue line runs
    // from wherever the ball now is.
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
        if (moved !== null &&
            this.aims(document.elementFromPoint(moved.clientX, moved.clientY), 'mouse')) {
            Module._vorl_mouse_move(moved.buttons, moved.keys, ...this.position(moved));
        }
    }

    stop() {
        this.finger = null;
    }
}
