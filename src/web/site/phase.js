// SPDX-License-Identifier: MIT
// Where the page stands: 'loading' until the game opens its window, then
// 'running'; 'box' while one of the game's boxes is open; 'ended' after Exit.
// Input counts, and the game ticks and paints, only while it is running.

/** @typedef {'loading' | 'running' | 'box' | 'ended'} Phase */

/** @type {{now: Phase}} */
export const phase = {now: 'loading'};

export const running = () => phase.now === 'running';
