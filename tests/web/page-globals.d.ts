// SPDX-License-Identifier: MIT
// The game's page as the browser tests' page.evaluate callbacks see it.

interface Document {
    // The page's canvas, where the game paints.
    getElementById(elementId: 'table'): {getContext(id: '2d'): CanvasRenderingContext2D} & HTMLCanvasElement;
}

interface Window {
    // Where the last pointer was lifted off the table, as a test records it.
    lift: [number, number];
    // Whether the table kept the last Space from the page.
    spaceKept: boolean;
}

// Put in the page by the accessibility check.
declare var axe: typeof import('axe-core');

interface Document {
    getElementById(elementId: 'box'): HTMLDialogElement;
    getElementById(elementId: 'menubar'): HTMLElement;
}
