// SPDX-License-Identifier: MIT
// Executes the game's drawing steps on a canvas. Every position and size
// arrives in logical pixels, already worked out; the painter only scales them
// to the canvas's backing store and strokes, fills and writes.

/** @implements {VorlPainter} */
export class VorlCanvasPainter {
    /**
     * @param {HTMLCanvasElement} canvas
     * @param {number} width the picture's logical width
     * @param {number} height
     */
    constructor(canvas, width, height) {
        this.canvas = canvas;
        this.width = width;
        this.height = height;
        this.context = /** @type {CanvasRenderingContext2D} */ (
            canvas.getContext('2d', {alpha: false}));
        /** @type {Map<number, string>} */
        this.systemColours = new Map();
    }

    // The page's own faces (vorl.css), so the table's text needs no face the
    // page has not already laid out.
    static faces = 'system-ui, "Segoe UI", "DejaVu Sans", Arial, sans-serif';

    // Stored colours are 0x00BBGGRR, or a system colour (the top bit set,
    // its index below) taken from the browser's own scheme.
    /** @param {number} stored */
    colour(stored) {
        stored >>>= 0;
        if (stored & 0x80000000) {
            return this.systemColour(stored & 0xff);
        }
        return `rgb(${stored & 0xff},${(stored >>> 8) & 0xff},${(stored >>> 16) & 0xff})`;
    }

    // For a new scheme of the browser's.
    forgetSystemColours() {
        this.systemColours.clear();
    }

    /** @param {number} index */
    systemColour(index) {
        let colour = this.systemColours.get(index);
        if (colour === undefined) {
            /** @type {Record<number, string>} */
            const names = {4: 'ButtonFace', 5: 'Canvas', 8: 'CanvasText', 15: 'ButtonFace', 18: 'ButtonText'};
            const probe = document.createElement('span');
            probe.style.color = names[index] || 'ButtonFace';
            document.body.append(probe);
            colour = getComputedStyle(probe).color;
            this.systemColours.set(index, colour);
            probe.remove();
        }
        return colour;
    }

    // The backing store holds the canvas's CSS size in device pixels (the
    // page sizes it); the logical picture is scaled to fill it, so it is as
    // sharp at any size as the screen allows. Resizing clears the canvas;
    // returns whether the size changed.
    /** @param {number} deviceWidth @param {number} deviceHeight */
    resize(deviceWidth, deviceHeight) {
        if (this.canvas.width === deviceWidth && this.canvas.height === deviceHeight) {
            return false;
        }
        this.canvas.width = deviceWidth;
        this.canvas.height = deviceHeight;
        return true;
    }

    begin() {
        this.context.setTransform(this.canvas.width / this.width, 0, 0,
            this.canvas.height / this.height, 0, 0);
    }

    // The window's face, until the game paints.
    blank() {
        this.begin();
        this.context.fillStyle = this.systemColour(15);
        this.context.fillRect(0, 0, this.width, this.height);
    }

    // Makes the browser set up what the first frame needs (the backing
    // store, the default face and its metrics) ahead of it, in small tasks
    // of their own, while the game is still loading.
    warmUp() {
        setTimeout(() => {
            this.blank();
            setTimeout(() => {
                this.context.font = VorlCanvasPainter.fontOf(null);
                this.context.measureText('Mg');
            });
        });
    }

    /**
     * @param {number | null} fill
     * @param {number | null} pen
     * @param {number} penWidth
     * @param {number} join the pen's LineJoin, 0 miter, 1 bevel, 2 round
     */
    fillAndStroke(fill, pen, penWidth, join) {
        const c = this.context;
        if (fill !== null) {
            c.fillStyle = this.colour(fill);
            c.fill();
        }
        if (pen !== null && penWidth > 0) {
            c.strokeStyle = this.colour(pen);
            c.lineWidth = penWidth;
            c.lineJoin = /** @type {const} */ (['miter', 'bevel', 'round'])[join] || 'miter';
            c.lineCap = 'butt';
            c.stroke();
        }
    }

    /** @type {VorlPainter['rectangle']} */
    rectangle(x, y, w, h, radius, fill, pen, penWidth, join) {
        const c = this.context;
        const r = Math.max(0, Math.min(radius, w / 2, h / 2));
        c.beginPath();
        if (r === 0) {
            c.rect(x, y, w, h);
        } else {
            c.moveTo(x + r, y);
            c.arc(x + w - r, y + r, r, -Math.PI / 2, 0);
            c.arc(x + w - r, y + h - r, r, 0, Math.PI / 2);
            c.arc(x + r, y + h - r, r, Math.PI / 2, Math.PI);
            c.arc(x + r, y + r, r, Math.PI, 1.5 * Math.PI);
            c.closePath();
        }
        this.fillAndStroke(fill, pen, penWidth, join);
    }

    /** @type {VorlPainter['ellipse']} */
    ellipse(x, y, w, h, fill, pen, penWidth, join) {
        const c = this.context;
        c.beginPath();
        c.ellipse(x + w / 2, y + h / 2, Math.max(w / 2, 0), Math.max(h / 2, 0), 0, 0, 2 * Math.PI);
        this.fillAndStroke(fill, pen, penWidth, join);
    }

    /** @type {VorlPainter['line']} */
    line(x1, y1, x2, y2, pen, penWidth, roundCap) {
        const c = this.context;
        c.beginPath();
        c.moveTo(x1, y1);
        c.lineTo(x2, y2);
        c.strokeStyle = this.colour(pen);
        c.lineWidth = penWidth;
        c.lineCap = roundCap ? 'round' : 'butt';
        c.stroke();
    }

    // Fonts come from this machine: the control's face if it has it, then a
    // stack of common sans-serif faces. Points are 1/72 inch, pixels 1/96.
    /** @param {VorlFont | null} font */
    static fontOf(font) {
        const stack = VorlCanvasPainter.faces;
        if (font === null) {
            return `11px ${stack}`;
        }
        const name = font.name.replace(/["\\]/g, '');
        const px = (font.points * 96) / 72;
        return `${font.italic ? 'italic ' : ''}${font.weight} ${px}px "${name}", ${stack}`;
    }

    // Lines break at line feeds and, when wrapping, between words; a word
    // wider than the box stays whole.
    /** @param {string} text @param {number} width @param {boolean} wrap */
    lines(text, width, wrap) {
        const out = [];
        for (const paragraph of text.split('\n')) {
            if (!wrap) {
                out.push(paragraph);
                continue;
            }
            let line = '';
            for (const word of paragraph.split(' ')) {
                const candidate = line === '' ? word : `${line} ${word}`;
                if (line !== '' && this.context.measureText(candidate).width > width) {
                    out.push(line);
                    line = word;
                } else {
                    line = candidate;
                }
            }
            out.push(line);
        }
        return out;
    }

    /** @type {VorlPainter['text']} */
    text(text, x, y, w, h, clipX, clipY, clipW, clipH, colour, centred, wrap, font) {
        const c = this.context;
        c.save();
        c.beginPath();
        c.rect(clipX, clipY, clipW, clipH);
        c.clip();
        c.font = VorlCanvasPainter.fontOf(font);
        c.fillStyle = this.colour(colour);
        c.textBaseline = 'alphabetic';
        c.textAlign = 'left';
        const metrics = c.measureText('Mg');
        const ascent = metrics.fontBoundingBoxAscent ?? metrics.actualBoundingBoxAscent;
        const descent = metrics.fontBoundingBoxDescent ?? metrics.actualBoundingBoxDescent;
        let baseline = y + ascent;
        for (const line of this.lines(text, w, wrap)) {
            if (baseline - ascent > y + h) {
                break;
            }
            const lineWidth = c.measureText(line).width;
            const left = centred ? x + (w - lineWidth) / 2 : x;
            c.fillText(line, left, baseline);
            if (font !== null && (font.underline || font.strikeout)) {
                const thickness = Math.max(1, ascent / 12);
                if (font.underline) {
                    c.fillRect(left, baseline + thickness, lineWidth, thickness);
                }
                if (font.strikeout) {
                    c.fillRect(left, baseline - ascent / 3, lineWidth, thickness);
                }
            }
            baseline += ascent + descent;
        }
        c.restore();
    }
}
