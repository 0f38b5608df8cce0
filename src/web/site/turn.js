// SPDX-License-Identifier: MIT
// On an upright phone the page shows the whole game a quarter turn round, so
// that it reads as on a phone held sideways (vorl.css says when, and how). The
// page's own frame, in which the table is laid out and fitted, is then not
// the screen's: these map the screen's points and boxes into it.

const page = /** @type {HTMLElement} */ (document.getElementById('page'));

// The page's turn as the style sheet sets it now: a point of the page's frame
// times it is a point on the screen (the page is fixed at the screen's
// corner and turned about its own). A quarter turn's cosine and sine are
// whole: rounding them keeps the table's edges on whole device pixels.
function turn() {
    const style = getComputedStyle(page).transform;
    if (style === 'none') {
        return new DOMMatrixReadOnly();
    }
    const m = new DOMMatrixReadOnly(style);
    return new DOMMatrixReadOnly([Math.round(m.a), Math.round(m.b), Math.round(m.c),
        Math.round(m.d), m.e, m.f]);
}

/**
 * A point on the screen (a pointer event's client point) in the page's frame.
 * @param {number} x
 * @param {number} y
 * @returns {[number, number]}
 */
export function toPage(x, y) {
    const p = turn().inverse().transformPoint({x, y});
    return [p.x, p.y];
}

/**
 * An element's box in the page's frame: where it is laid out, turned or not.
 * @param {Element} element
 */
export function pageRect(element) {
    const r = element.getBoundingClientRect();
    const back = turn().inverse();
    const a = back.transformPoint({x: r.left, y: r.top});
    const b = back.transformPoint({x: r.right, y: r.bottom});
    const left = Math.min(a.x, b.x);
    const top = Math.min(a.y, b.y);
    return {left, top, width: Math.abs(b.x - a.x), height: Math.abs(b.y - a.y)};
}
