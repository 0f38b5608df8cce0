// SPDX-License-Identifier: MIT
// The page around the game: it opens the window (menu bar and canvas), fits
// the table to the viewport, turns pointer events into the game's handler
// calls, shows the game's boxes as a modal dialog, mirrors the score as text
// and stops everything when the game ends. The game itself runs in
// WebAssembly (vorl.js and vorl.wasm) and calls back through Module.vorlPage.
'use strict';

(() => {
    const table = document.getElementById('table');
    const stage = document.getElementById('stage');
    const box = document.getElementById('box');
    const news = document.getElementById('news');
    // Until the game opens its window the canvas's own size stands for the
    // form's, so that the table is fitted and its canvas set up while the
    // game loads.
    const painter = new VorlCanvasPainter(table, table.width, table.height);
    let menuBar = null;
    let state = 'loading'; // then 'running'; 'box' while a box is open; 'ended'
    const waitingBoxes = [];
    let frameRequested = false;
    // The last pointer move while a box was open; the table hears of it when
    // the box is gone, so that the cue line points where the pointer now is.
    let movedUnderBox = null;
    // The finger or pen that aims: {id, button, keys, at}, `at` in logical
    // pixels. Only one at a time.
    let finger = null;
    // Where the last finger or pen was lifted, while no mouse has moved since.
    let lifted = null;
    let turn = null;

    const ratio = () => window.devicePixelRatio || 1;
    const running = () => state === 'running';

    // Buttons and keys as the game counts them: left 1, right 2, middle 4;
    // shift 1, ctrl 2, alt 4.
    const keys = (e) => (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0);
    const pressed = (e) => ({0: 1, 1: 4, 2: 2})[e.button] || 0;
    // The canvas's logical pixels, whatever its size on the screen.
    const position = (e) => {
        const r = table.getBoundingClientRect();
        return [(e.clientX - r.left) * (painter.width / r.width),
            (e.clientY - r.top) * (painter.height / r.height)];
    };
    const onTable = (e) => {
        const r = table.getBoundingClientRect();
        return e.clientX >= r.left && e.clientX < r.right && e.clientY >= r.top &&
            e.clientY < r.bottom;
    };

    function paintNow() {
        frameRequested = false;
        // A finger lifted after a stroke stays where it was, as a resting
        // mouse would: the cue line runs from wherever the ball now is.
        if (lifted !== null && running()) {
            Module._vorl_mouse_move(0, lifted.keys, ...lifted.at);
        }
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
                paintNow();
            }
        });
    }

    // The table as large as fits under the menu bar, its shape kept, centred.
    // Its corner and its size are whole device pixels, so that each pixel of
    // the backing store lands on one of the screen's. A new size of the
    // backing store clears the canvas: the game is painted again at once,
    // before the browser shows the frame.
    function fit() {
        const room = stage.getBoundingClientRect();
        const r = ratio();
        const scale = Math.min(room.width / painter.width, room.height / painter.height);
        const width = Math.max(1, Math.floor(painter.width * scale * r));
        const height = Math.max(1, Math.floor(painter.height * scale * r));
        const left = Math.round(room.left * r + (room.width * r - width) / 2) / r - room.left;
        const top = Math.round(room.top * r + (room.height * r - height) / 2) / r - room.top;
        Object.assign(table.style, {width: `${width / r}px`, height: `${height / r}px`,
            marginLeft: `${left}px`, marginTop: `${top}px`, visibility: 'visible'});
        if (!painter.resize(width, height)) {
            return;
        }
        if (running() || state === 'box') {
            paintNow();
        } else {
            painter.blank();
        }
    }

    // A resize, a rotation or a zoom changes the room; a zoom or a move to
    // another screen changes the device pixels. The first fit comes before
    // the page is first shown, once the game's script has started loading
    // the game.
    new ResizeObserver(fit).observe(stage);
    function watchPixelRatio() {
        matchMedia(`(resolution: ${ratio()}dppx)`).addEventListener('change', () => {
            watchPixelRatio();
            fit();
        }, {once: true});
    }
    watchPixelRatio();
    painter.warmUp();

    // The mouse aims as it hovers and strikes as it is pressed. A finger or
    // a pen aims while it is down and strikes where it is lifted: the game
    // still hears a move and then a press there, only later than a mouse's.
    function pointerDown(e) {
        if (!running() || menuBar.isOpen || menuBar.dismissed(e)) {
            return; // the press only closes the menu, as on the desktop
        }
        if (e.pointerType === 'mouse') {
            lifted = null;
            Module._vorl_mouse_down(pressed(e), keys(e), ...position(e));
            return;
        }
        if (finger !== null) {
            return; // a second finger is not a second pointer
        }
        finger = {id: e.pointerId, button: pressed(e), keys: keys(e), at: position(e)};
        lifted = null;
        Module._vorl_mouse_move(0, finger.keys, ...finger.at);
    }

    function pointerMove(e) {
        if (!running() || menuBar.isOpen) {
            return;
        }
        if (e.pointerType === 'mouse') {
            lifted = null;
            Module._vorl_mouse_move(e.buttons & 7, keys(e), ...position(e));
        } else if (finger !== null && e.pointerId === finger.id && onTable(e)) {
            finger.keys = keys(e);
            finger.at = position(e);
            Module._vorl_mouse_move(0, finger.keys, ...finger.at);
        }
    }

    // Lifted off the table, the finger strikes nothing.
    function pointerUp(e) {
        if (finger === null || e.pointerId !== finger.id) {
            return;
        }
        const {button} = finger;
        finger = null;
        if (!running() || !onTable(e)) {
            return;
        }
        lifted = {keys: keys(e), at: position(e)};
        Module._vorl_mouse_move(0, lifted.keys, ...lifted.at);
        Module._vorl_mouse_down(button, lifted.keys, ...lifted.at);
    }

    function openWindow(caption, menus, width, height) {
        document.title = caption;
        document.getElementById('page').setAttribute('aria-label', caption);
        painter.width = width;
        painter.height = height;
        menuBar = new VorlMenuBar(document.getElementById('menubar'), menus,
            (name) => Module.ccall('vorl_menu_click', null, ['string'], [name]), running);
        table.addEventListener('pointerdown', (e) => {
            e.preventDefault();
            pointerDown(e);
        });
        table.addEventListener('pointermove', pointerMove);
        table.addEventListener('pointerup', pointerUp);
        // The browser took the touch for a gesture of its own: no stroke.
        table.addEventListener('pointercancel', (e) => {
            if (finger !== null && e.pointerId === finger.id) {
                finger = null;
            }
        });
        table.addEventListener('contextmenu', (e) => e.preventDefault());
        document.addEventListener('pointermove', (e) => {
            if (state === 'box' && e.pointerType === 'mouse') {
                movedUnderBox = {buttons: e.buttons & 7, keys: keys(e), clientX: e.clientX,
                    clientY: e.clientY};
            }
        });
        state = 'running';
        fit();
    }

    // The page cannot wait for the box, so the game is held instead: it is
    // painted as it stands, then nothing is painted, ticked or passed on
    // until the box is closed. The box sits over the table; the view stays.
    function showMessage(title, text) {
        if (state === 'box') {
            waitingBoxes.push([title, text]);
            return;
        }
        paintNow();
        state = 'box';
        movedUnderBox = null;
        finger = null;
        menuBar.closeAll();
        document.getElementById('box-title').textContent = title;
        document.getElementById('box-text').textContent = text;
        announce(text);
        box.showModal();
        document.getElementById('box-ok').focus({preventScroll: true});
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
        if (moved !== null && onTable(moved)) {
            Module._vorl_mouse_move(moved.buttons, moved.keys, ...position(moved));
        }
        Module._vorl_resume();
    });

    // The score panel as text, for those who cannot see the canvas: the
    // game's rows of captions (column headings first, then each player's name,
    // balls sunk and strokes) and whose turn it is. A change of turn is
    // announced.
    function describe({rows, current: toMove}) {
        const cells = (row) => row.querySelectorAll('th, td');
        document.querySelectorAll('#score tr').forEach((row, r) => {
            cells(row).forEach((cell, i) => {
                cell.textContent = rows[r]?.[i] ?? '';
            });
        });
        const said = toMove === '' ? '' : `${toMove} to move.`;
        document.getElementById('turn').textContent = said;
        if (turn !== null && turn !== toMove && said !== '') {
            announce(said);
        }
        turn = toMove;
    }

    function announce(text) {
        news.textContent = text;
    }

    // In a window of its own (the installed game) Exit closes the window, where
    // the browser lets a page do that. Otherwise, or if it does not close,
    // the page says that the game has ended.
    function endGame() {
        state = 'ended';
        finger = null;
        if (menuBar !== null) {
            menuBar.closeAll();
        }
        document.getElementById('window').hidden = true;
        const ended = document.getElementById('ended');
        ended.hidden = false;
        ended.focus({preventScroll: true});
        if (!matchMedia('(display-mode: browser)').matches) {
            window.close();
        }
    }
    document.getElementById('again').addEventListener('click', () => location.reload());

    // After the first visit the game loads and plays with no network (sw.js).
    // Browsers allow a service worker on https and on this machine only.
    function installServiceWorker() {
        if (!('serviceWorker' in navigator) || !window.isSecureContext) {
            return;
        }
        navigator.serviceWorker.register('sw.js').then((registration) => {
            // A newer build waits until this page, fully loaded, lets it take
            // over: this page keeps what it has, the next visit gets the new one.
            const takeOver = (worker) => worker?.postMessage('take-over');
            takeOver(registration.waiting);
            registration.addEventListener('updatefound', () => {
                const worker = registration.installing;
                worker.addEventListener('statechange', () => {
                    if (worker.state === 'installed') {
                        takeOver(worker);
                    }
                });
            });
        }, (error) => console.warn(`No offline play: ${error.message}`));
    }

    window.Module = {
        vorlPage: {
            openWindow,
            running,
            requestFrame,
            showMessage,
            describe,
            endGame,
            painter,
        },
        print: (text) => console.log(text),
        printErr: (text) => console.error(text),
    };
})();
