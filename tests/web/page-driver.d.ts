// SPDX-License-Identifier: MIT
// The verbs engines.js gives every engine's tab: the Playwright page's that
// the browser checks use. Coordinates are the viewport's CSS pixels.

// The viewport, its device pixel ratio, and whether it is a phone's.
interface Options {
    viewport?: {width: number, height: number};
    deviceScaleFactor?: number;
    isMobile?: boolean;
    hasTouch?: boolean;
}

interface Box {x: number, y: number, width: number, height: number}

interface TouchInput {
    type: string; // touchStart, touchMove, touchEnd or touchCancel
    touchPoints?: {x: number, y: number, id: number}[];
}

// What each driver does in its own way.
interface Tab {
    goto(url: string): Promise<unknown>;
    // Runs fn(arg) in the page; settles with its (awaited, JSON) value.
    evaluate<R, A>(fn: (arg: A) => R, arg?: A): Promise<Awaited<R>>;
    move(x: number, y: number): Promise<void>;
    down(): Promise<void>; // the left button, where the mouse is
    up(): Promise<void>;
    press(keys: string): Promise<void>; // 'Alt+d', 'ArrowDown', 'Enter'
    wheel(dx: number, dy: number): Promise<void>;
    resize(width: number, height: number): Promise<void>; // the viewport, same scale
    reload(): Promise<unknown>;
    close(): Promise<void>;
    errors?: string[]; // the page's uncaught errors, where the engine reports them
    warnings?: string[]; // its console warnings, where the engine reports them
    offline?(on: boolean): Promise<void>; // cuts the tab off the network
    touch?(event: TouchInput): Promise<void>;
    emulateMedia?(features: {[name: string]: string}): Promise<void>; // {forcedColors: 'active'}
}

interface Locator {
    count(): Promise<number>;
    textContent(): Promise<string>;
    boundingBox(): Promise<Box>;
    isHidden(): Promise<boolean>;
    waitFor(options: {state: 'visible' | 'hidden'}): Promise<void>;
    click(): Promise<void>;
}

// The same tab with Playwright's verbs.
interface Page extends Tab {
    errors: string[];
    loadMs?: number;
    // Where the tab has none, these fail.
    offline(on: boolean): Promise<void>;
    touch(event: TouchInput): Promise<void>;
    emulateMedia(features: {[name: string]: string}): Promise<void>;
    keyboard: {press(keys: string): Promise<void>};
    mouse: {
        move(x: number, y: number): Promise<void>;
        down(): Promise<void>;
        up(): Promise<void>;
        click(x: number, y: number): Promise<void>;
        wheel(dx: number, dy: number): Promise<void>;
    };
    setViewportSize(size: {width: number, height: number}): Promise<void>;
    waitForTimeout(ms: number): Promise<void>;
    waitForFunction(fn: () => unknown): Promise<void>;
    locator(selector: string): Locator;
    click(selector: string): Promise<void>;
    tap(selector: string): Promise<void>;
    addScriptTag(script: {url: string}): Promise<void>; // a script from the site's origin
}

interface Browser {
    newPage(options: Options): Promise<Page>;
    close(): Promise<void>;
    // Why the site at `url` cannot be installed, asked once its service worker is ready.
    installabilityErrors?(url: string): Promise<unknown[]>;
}

interface Engine {
    skips: {[feature: string]: string}; // why a feature's checks cannot run here
    faults?: {[feature: string]: string}; // the engine's known faults with a feature
    launch(modules: string): Promise<Browser>;
}
