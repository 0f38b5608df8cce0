// SPDX-License-Identifier: MIT
// Whatever the page's Content-Security-Policy blocks is a fault of the site:
// it is logged for developers and counted in the page's data-csp-violations.
// The page's first module imports this one first.

let violations = 0;
document.body.dataset.cspViolations = '0';
document.addEventListener('securitypolicyviolation', (e) => {
    document.body.dataset.cspViolations = String(++violations);
    console.error(`Blocked by the page's policy (${e.effectiveDirective}): ` +
        `${e.blockedURI || 'inline'} from ${e.sourceFile || 'the page'}:${e.lineNumber}`);
});
