// SPDX-License-Identifier: MIT
// The page around the game: it opens the window (menu bar and canvas), keeps
// the table fitted to the viewport, hands the pointer and the keyboard to the
// game, shows the game's boxes, mirrors the score as text, holds the table's
// colours for those who ask for less motion, keeps the game for a reload of
// the tab and stops everything when the game ends. The game itself runs in
// WebAssembly (vorl.js and vorl.wasm, a classic
// script that runs after this module) and calls back through Module.vorlPage.

import './policy-watch.js';
import {MessageBoxes, endGame} from './message-box.js';
import {phase, running} from './phase.js';
import {VorlCanvasPainter} from './canvas-painter.js';
import {VorlMenuBar} from './menu-bar.js';
import {TableInput} from './table-input.js';
import {listenToKeys} from './table-keys.js';
import {describe} from './score-readout.js';
import {fitTable} from './table-fit.js';
import {forgetGame, keepGame, keepWhenHidden, keptGame} from './kept-game.js';
import {answerServiceWorker, installServiceWorker} from './offline.js';

answerServiceWorker();
const table = /** @type {HTMLCanvasElement} */ (document.getElementById('table'));
const stage = /** @type {HTMLElement} */ (document.getElementById('stage'));
// Until the game opens its window the canvas's own size stands for the
// form's, so that the table is fitted and its canvas set up while the game
// loads.
const painter = new VorlCanvasPainter(table, table.width, table.height);
/** @type {VorlMenuBar | null} */
let menuBar = null;
/** @type {TableInput | null} */
let input = null;
/** @type {MessageBoxes | null} */
let boxes = null;
let frameRequested = false;

function paintNow() {
    frameRequested = false;
    Module._vorl_paint(table.width / painter.width);
    if (document.body.dataset.firstFrame === undefined) {
        document.body.dataset.firstFrame = String(performance.now());
        setTimeout(installServiceWorker, 1000);
    }
}

function requestFrame() {
    if (frameRequested) {
        return;
    }
    frameRequested = true;
    requestAnimationFrame(() => {
        frameRequested = false;
        // Behind an open box the game stays as it was when the box opened.
        if (running()) {
            input?.restLifted();
            paintNow();
        }
    });
}

// The first fit comes before the page is first shown, once the game's script
// has started loading the game.
function repaint() {
    if (running()) {
        input?.restLifted();
    }
    if (running() || phase.now === 'box') {
        paintNow();
    } else {
        painter.blank();
    }
}
const fit = fitTable(stage, table, painter, repaint);
painter.warmUp();

// The table's system colours follow forced colours and the colour scheme:
// paint them again, even at rest, when the game would not.
for (const query of ['(forced-colors: active)', '(prefers-color-scheme: dark)']) {
    matchMedia(query).addEventListener('change', () => {
        painter.forgetSystemColours();
        repaint();
    });
}

/**
 * @param {string} caption
 * @param {VorlMenu[]} menus
 * @param {number} width the form's client area in logical pixels
 * @param {number} height
 */
function openWindow(caption, menus, width, height) {
    document.title = caption;
    document.getElementById('page')?.setAttribute('aria-label', caption);
    painter.width = width;
    painter.height = height;
    const bar = new VorlMenuBar(/** @type {HTMLElement} */ (document.getElementById('menubar')),
        menus, (name) => Module.ccall('vorl_menu_click', null, ['string'], [name]), running);
    input = new TableInput(table, painter, bar);
    listenToKeys(table, input, bar);
    boxes = new MessageBoxes(bar, input, paintNow, table);
    menuBar = bar;
    phase.now = 'running';
    fit();
    // With one ball left the table changes colour at every tick: where the
    // player's system asks for less motion, at most three times a second.
    const lessMotion = matchMedia('(prefers-reduced-motion: reduce)');
    const reduceFlashing = () => Module._vorl_reduce_flashing(lessMotion.matches ? 1 : 0);
    lessMotion.addEventListener('change', reduceFlashing);
    reduceFlashing();
}

/** @type {VorlModuleSettings} */
const settings = {
    vorlPage: {
        openWindow,
        running,
        requestFrame,
        showMessage: (title, text) => boxes?.show(title, text),
        describe,
        endGame: () => {
            forgetGame();
            endGame(menuBar, input);
        },
        keptGame,
        keepGame,
        painter,
    },
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
};
// The game's script finds it there and adds its exports to it.
window.Module = /** @type {VorlModule} */ (settings);
keepWhenHidden(() => Module._vorl_keep());
