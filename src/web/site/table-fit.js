// SPDX-License-Identifier: MIT
// The table as large as fits under the menu bar, its shape kept, centred,
// fitted again whenever the room or the screen's pixels change. All in the
// page's own frame, which an upright phone shows turned (turn.js).

import {pageRect} from './turn.js';

/** @typedef {import('./canvas-painter.js').VorlCanvasPainter} VorlCanvasPainter */

const ratio = () => window.devicePixelRatio || 1;

/**
 * Fits the table to the stage once the browser has laid the stage out, and
 * again on every resize, rotation, zoom or move to another screen. The
 * table's corner and size are whole device pixels, so that each pixel of the
 * backing store lands on one of the screen's. A new size of the backing store
 * clears the canvas: `cleared` then paints it again at once, before the
 * browser shows the frame.
 * @param {HTMLElement} stage
 * @param {HTMLCanvasElement} table
 * @param {VorlCanvasPainter} painter
 * @param {() => void} cleared
 * @returns {() => void} fits it again now
 */
export function fitTable(stage, table, painter, cleared) {
    function fit() {
        const room = pageRect(stage);
        const r = ratio();
        const scale = Math.min(room.width / painter.width, room.height / painter.height);
        const width = Math.max(1, Math.floor(painter.width * scale * r));
        const height = Math.max(1, Math.floor(painter.height * scale * r));
        const left = Math.round(room.left * r + (room.width * r - width) / 2) / r - room.left;
        const top = Math.round(room.top * r + (room.height * r - height) / 2) / r - room.top;
        Object.assign(table.style, {width: `${width / r}px`, height: `${height / r}px`,
            marginLeft: `${left}px`, marginTop: `${top}px`, visibility: 'visible'});
        if (painter.resize(width, height)) {
            cleared();
        }
    }

    // A resize, a rotation or a zoom changes the room; a zoom or a move to
    // another screen changes the device pixels.
    new ResizeObserver(fit).observe(stage);
    function watchPixelRatio() {
        matchMedia(`(resolution: ${ratio()}dppx)`).addEventListener('change', () => {
            watchPixelRatio();
            fit();
        }, {once: true});
    }
    watchPixelRatio();
    return fit;
}
