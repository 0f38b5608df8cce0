// SPDX-License-Identifier: MIT
// The parts of Debian's node modules (/usr/share/nodejs) the server uses,
// which come with no types of their own.

declare module 'accepts' {
    import type {IncomingMessage} from 'node:http';
    interface Accepts {
        // The first of the codings the request takes, or false for none.
        encoding(codings: string[]): string | false;
    }
    function accepts(request: IncomingMessage): Accepts;
    export = accepts;
}

declare module 'compressible' {
    // undefined for a type it knows nothing about.
    function compressible(type: string): boolean | undefined;
    export = compressible;
}

declare module 'compression' {
    import type {IncomingMessage, ServerResponse} from 'node:http';
    interface Options {
        threshold?: number | string;
        level?: number;
    }
    function compression(options?: Options):
        (request: IncomingMessage, response: ServerResponse, next: (error?: Error) => void) => void;
    export = compression;
}

declare module 'mime-types' {
    // The Content-Type, charset included, for a type or an extension.
    export function contentType(type: string): string | false;
}

declare module 'on-headers' {
    import type {ServerResponse} from 'node:http';
    function onHeaders(response: ServerResponse, listener: (this: ServerResponse) => void): void;
    export = onHeaders;
}

declare module 'serve-static' {
    import type {Stats} from 'node:fs';
    import type {IncomingMessage, ServerResponse} from 'node:http';
    interface Options {
        acceptRanges?: boolean;
        cacheControl?: boolean;
        fallthrough?: boolean;
        setHeaders?: (response: ServerResponse, file: string, stats: Stats) => void;
    }
    // What it hands on: an HTTP error, with the status to answer.
    interface HttpError extends Error {
        status: number;
        statusCode: number;
        expose: boolean;
    }
    function serveStatic(root: string, options?: Options): (request: IncomingMessage,
        response: ServerResponse, next: (error?: HttpError) => void) => void;
    export = serveStatic;
}

declare module 'vary' {
    import type {ServerResponse} from 'node:http';
    function vary(response: ServerResponse, field: string | string[]): void;
    export = vary;
}
