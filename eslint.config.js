// SPDX-License-Identifier: MIT
// ESLint's recommended rules for the browser version's page, its service
// worker and the Node scripts that serve and test it (tests/web installs it).
'use strict';

const js = require('@eslint/js');
const globals = require('globals');

module.exports = [
    {ignores: ['build*/**']},
    js.configs.recommended,
    {
        files: ['src/web/site/*.js'],
        languageOptions: {sourceType: 'module', globals: {...globals.browser, Module: 'readonly'}},
    },
    {
        files: ['src/web/site/sw.js.in'],
        languageOptions: {sourceType: 'script', globals: globals.serviceworker},
    },
    {
        files: ['tests/web/*.js', 'tools/web-server/*.js', 'eslint.config.js'],
        languageOptions: {sourceType: 'commonjs', globals: globals.node},
    },
    {
        // page.evaluate's callbacks run in the page.
        files: ['tests/web/*.js'],
        languageOptions: {globals: {...globals.browser, Module: 'readonly', axe: 'readonly'}},
    },
];
