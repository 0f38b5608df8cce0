// SPDX-License-Identifier: MIT
// The global Module that the game (vorl.js, built from src/web/*.cpp) and its
// page (site/vorl-page.js) share: the page's calls into the game's exports,
// and the game's EM_JS calls back into Module.vorlPage. For the type checks
// only; nothing of it is shipped.

/** A menu or item of the game's menu tree; an ampersand marks its access key. */
interface VorlMenu {
    name: string;
    caption: string;
    items: VorlMenu[];
}

/** The score panel's captions, row by row, and who is to move ('' for nobody). */
interface VorlReadout {
    rows: string[][];
    current: string;
}

/** A control's font, in points; null for the default face. */
interface VorlFont {
    name: string;
    points: number;
    weight: number;
    italic: boolean;
    underline: boolean;
    strikeout: boolean;
}

/**
 * The drawing steps the game sends each frame, in logical pixels; colours as
 * stored (0x00BBGGRR, or the top bit and a system colour's index), null for
 * none; join: 0 miter, 1 bevel, 2 round.
 */
interface VorlPainter {
    width: number;
    height: number;
    begin(): void;
    rectangle(x: number, y: number, w: number, h: number, radius: number, fill: number | null,
              pen: number | null, penWidth: number, join: number): void;
    ellipse(x: number, y: number, w: number, h: number, fill: number | null, pen: number | null,
            penWidth: number, join: number): void;
    line(x1: number, y1: number, x2: number, y2: number, pen: number, penWidth: number,
         roundCap: boolean): void;
    text(text: string, x: number, y: number, w: number, h: number, clipX: number, clipY: number,
         clipW: number, clipH: number, colour: number, centred: boolean, wrap: boolean,
         font: VorlFont | null): void;
}

/** What the game calls on the page. */
interface VorlPage {
    openWindow(caption: string, menus: VorlMenu[], width: number, height: number): void;
    running(): boolean;
    requestFrame(): void;
    showMessage(title: string, text: string): void;
    describe(readout: VorlReadout): void;
    endGame(): void;
    /** The game this tab kept, null for none; and the game to keep (soon) in its place. */
    keptGame(): Uint8Array | null;
    keepGame(bytes: Uint8Array): void;
    painter: VorlPainter;
}

/** What the page puts in Module before the game's script runs. */
interface VorlModuleSettings {
    vorlPage: VorlPage;
    print(text: string): void;
    printErr(text: string): void;
}

/** What the game adds: buttons left 1, right 2, middle 4; shift 1, ctrl 2, alt 4. */
interface VorlModule extends VorlModuleSettings {
    _vorl_mouse_move(button: number, shift: number, x: number, y: number): void;
    _vorl_mouse_down(button: number, shift: number, x: number, y: number): void;
    _vorl_resume(): void;
    _vorl_paint(devicePixelRatio: number): void;
    _vorl_ticks(): number;
    /** 1: the table's colours change at most three times a second; 0: at every change. */
    _vorl_reduce_flashing(on: number): void;
    /** Hands the page's keepGame the game as it stands. */
    _vorl_keep(): void;
    ccall(name: 'vorl_menu_click', returnType: null, argTypes: ['string'], args: [string]): void;
    /** A key on the table ("Left", "Shift+Up", "Space", ...): the aim in words, '' for others. */
    ccall(name: 'vorl_key', returnType: 'string', argTypes: ['string'], args: [string]): string;
}

declare var Module: VorlModule;
