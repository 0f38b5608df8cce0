// SPDX-License-Identifier: MIT
// The page around the game: it opens the window (menu bar and canvas), turns
// pointer events into the game's handler calls, shows the game's boxes as a
// modal dialog and stops everything when the game ends. The game itself runs
// in WebAssembly (vorl.js and vorl.wasm) and calls back through Module.vorlPage.
'use strict';

(() => {
    const table = document.getElementById('table');
    const box = document.getElementById('box');
    let painter = null;
    let menuBar = null;
    let state = 'loading'; // then 'running'; 'box' while a box is open; 'ended'
    const waitingBoxes = [];
    let frameRequested = false;
    // The last pointer move while a box was open; the table hears of it when
    // the box is gone, so that the cue line points where the pointer now is.
    let movedUnderBox = null;

    const ratio = () => window.devicePixelRatio || 1;
    const running = () => state === 'running';

    // Buttons and keys as the game counts them: left 1, right 2, middle 4;
    // shift 1, ctrl 2, alt 4.
    const keys = (e) => (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0);
    const pressed = (e) => ({0: 1, 1: 4, 2: 2})[e.button] || 0;
    // The canvas's logical pixels, whatever the page's zoom or the CSS size.
    const position = (e) => {
        const r = table.getBoundingClientRect();
        return [(e.clientX - r.left) * (painter.width / r.width),
            (e.clientY - r.top) * (painter.height / r.height)];
    };

    function paintNow() {
        frameRequested = false;
        Module._vorl_paint(ratio());
        if (document.body.dataset.firstFrame === undefined) {
            document.body.dataset.firstFrame = String(performance.now());
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
                paintNow();
            }
        });
    }

    function openWindow(caption, menus, width, height) {
        document.title = caption;
        document.getElementById('window').setAttribute('aria-label', caption);
        painter = new VorlCanvasPainter(table, width, height);
        table.style.width = `${width}px`;
        table.style.height = `${height}px`;
        menuBar = new VorlMenuBar(document.getElementById('menubar'), menus,
            (name) => Module.ccall('vorl_menu_click', null, ['string'], [name]), running);

        table.addEventListener('pointermove', (e) => {
            if (running() && !menuBar.isOpen) {
                Module._vorl_mouse_move(e.buttons & 7, keys(e), ...position(e));
            }
        });
        table.addEventListener('pointerdown', (e) => {
            e.preventDefault();
            if (!running() || menuBar.isOpen) {
                return; // the press only closes the menu, as on the desktop
            }
            // A finger or pen has not hovered first: aim where it touched.
            if (e.pointerType !== 'mouse') {
                Module._vorl_mouse_move(0, keys(e), ...position(e));
            }
            Module._vorl_mouse_down(pressed(e), keys(e), ...position(e));
        });
        table.addEventListener('contextmenu', (e) => e.preventDefault());
        document.addEventListener('pointermove', (e) => {
            if (state === 'box' && e.pointerType === 'mouse') {
                movedUnderBox = {buttons: e.buttons & 7, keys: keys(e), clientX: e.clientX,
                    clientY: e.clientY};
            }
        });
        watchPixelRatio();
        state = 'running';
    }

    // A window moved to another screen, or a page zoom, changes the ratio.
    function watchPixelRatio() {
        matchMedia(`(resolution: ${ratio()}dppx)`).addEventListener('change', () => {
            watchPixelRatio();
            if (running()) {
                requestFrame();
            }
        }, {once: true});
    }

    // The page cannot wait for the box, so the game is held instead: it is
    // painted as it stands, then nothing is painted, ticked or passed on
    // until the box is closed.
    function showMessage(title, text) {
        if (state === 'box') {
            waitingBoxes.push([title, text]);
            return;
        }
        paintNow();
        state = 'box';
        movedUnderBox = null;
        menuBar.closeAll();
        document.getElementById('box-title').textContent = title;
        document.getElementById('box-text').textContent = text;
        box.showModal();
        document.getElementById('box-ok').focus();
    }

    // Enter and Escape close the box wherever the focus is.
    document.addEventListener('keydown', (e) => {
        if (state === 'box' && (e.key === 'Enter' || e.key === 'Escape')) {
            e.preventDefault();
            box.close();
        }
    });

    box.addEventListener('close', () => {
        if (state !== 'box') {
            return;
        }
        if (waitingBoxes.length > 0) {
            const moved = movedUnderBox;
            state = 'running';
            showMessage(...waitingBoxes.shift());
            movedUnderBox = moved;
            return;
        }
        state = 'running';
        const moved = movedUnderBox;
        movedUnderBox = null;
        const r = table.getBoundingClientRect();
        if (moved !== null && moved.clientX >= r.left && moved.clientX < r.right &&
                moved.clientY >= r.top && moved.clientY < r.bottom) {
            Module._vorl_mouse_move(moved.buttons, moved.keys, ...position(moved));
        }
        Module._vorl_resume();
    });

    function endGame() {
        state = 'ended';
        if (menuBar !== null) {
            menuBar.closeAll();
        }
        document.getElementById('window').hidden = true;
        document.getElementById('ended').hidden = false;
    }
    document.getElementById('again').addEventListener('click', () => location.reload());

    window.Module = {
        vorlPage: {
            openWindow,
            running,
            requestFrame,
            showMessage,
            endGame,
            get painter() {
                return painter;
            },
        },
        print: (text) => console.log(text),
        printErr: (text) => console.error(text),
    };
})();
