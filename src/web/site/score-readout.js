// SPDX-License-Identifier: MIT
// The score panel as text, for those who cannot see the canvas, and the
// page's one live region, which says what changed.

const news = /** @type {HTMLElement} */ (document.getElementById('news'));
const turnLine = /** @type {HTMLElement} */ (document.getElementById('turn'));
const aimLine = /** @type {HTMLElement} */ (document.getElementById('aim'));
// The aim is said once the keys pause, not at every step.
const aimPauseMs = 500;
/** @type {ReturnType<typeof setTimeout> | undefined} */
let aimSaid;
/** @type {string | null} */
let turn = null;

/**
 * Mirrors the game's rows of captions (column headings first, then each
 * player's name, balls sunk and strokes) and whose turn it is into the score
 * section. A change of turn is announced.
 * @param {VorlReadout} readout
 */
export function describe({rows, current: toMove}) {
    document.querySelectorAll('#score tr').forEach((row, r) => {
        row.querySelectorAll('th, td').forEach((cell, i) => {
            cell.textContent = rows[r]?.[i] ?? '';
        });
    });
    const said = toMove === '' ? '' : `${toMove} to move.`;
    turnLine.textContent = said;
    if (turn !== null && turn !== toMove && said !== '') {
        announce(said);
    }
    turn = toMove;
}

/** @param {string} text said once by a screen reader, politely */
export function announce(text) {
    news.textContent = text;
}

/**
 * The aim as the keyboard set it, in words; an empty text once the pointer
 * aims instead.
 * @param {string} aim
 */
export function describeAim(aim) {
    clearTimeout(aimSaid);
    aimLine.textContent = aim;
    if (aim !== '') {
        aimSaid = setTimeout(() => announce(aim), aimPauseMs);
    }
}
