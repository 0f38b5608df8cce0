// SPDX-License-Identifier: MIT
// Executes the game's drawing steps on a canvas. Every position and size
// arrives in logical pixels, already worked out; the painter only scales the
// backing store to the device pixel ratio and strokes, fills and writes.
'use strict';

// eslint-disable-next-line no-unused-vars
class VorlCanvasPainter {
    constructor(canvas, width, height) {
        this.canvas = canvas;
        this.width = width;
        this.height = height;
        this.context = canvas.getContext('2d', {alpha: false});
        this.systemColours = new Map();
    }

    // Stored colours are 0x00BBGGRR, or a system colour (the top bit set,
    // its index below) taken from the browser's own scheme.
    colour(stored) {
        stored >>>= 0;
        if (stored & 0x80000000) {
            return this.systemColour(stored & 0xff);
        }
        return `rgb(${stored & 0xff},${(stored >>> 8) & 0xff},${(stored >>> 16) & 0xff})`;
    }

    systemColour(index) {
        if (!this.systemColours.has(index)) {
            const names = {4: 'ButtonFace', 5: 'Canvas', 8: 'CanvasText', 15: 'ButtonFace', 18: 'ButtonText'};
            const probe = document.createElement('span');
            probe.style.color = names[index] || 'ButtonFace';
            document.body.append(probe);
            this.systemColours.set(index, getComputedStyle(probe).color);
            probe.remove();
        }
        return this.systemColours.get(index);
    }

    // The backing store has `ratio` device pixels to a logical one; the CSS
    // size stays logical, so the picture is sharp rather than blown up.
    begin(ratio) {
        const width = Math.round(this.width * ratio);
        const height = Math.round(this.height * ratio);
        if (this.canvas.width !== width || this.canvas.height !== height) {
            this.canvas.width = width;
            this.canvas.height = height;
        }
        this.context.setTransform(ratio, 0, 0, ratio, 0, 0);
    }

    // join: the pen's LineJoin, 0 miter, 1 bevel, 2 round.
    fillAndStroke(fill, pen, penWidth, join) {
        const c = this.context;
        if (fill !== null) {
            c.fillStyle = this.colour(fill);
            c.fill();
        }
        if (pen !== null && penWidth > 0) {
            c.strokeStyle = this.colour(pen);
            c.lineWidth = penWidth;
            c.lineJoin = ['miter', 'bevel', 'round'][join] || 'miter';
            c.lineCap = 'butt';
            c.stroke();
        }
    }

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

    ellipse(x, y, w, h, fill, pen, penWidth, join) {
        const c = this.context;
        c.beginPath();
        c.ellipse(x + w / 2, y + h / 2, Math.max(w / 2, 0), Math.max(h / 2, 0), 0, 0, 2 * Math.PI);
        this.fillAndStroke(fill, pen, penWidth, join);
    }

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
    static fontOf(font) {
        const stack = 'system-ui, "Segoe UI", "DejaVu Sans", Arial, sans-serif';
        if (font === null) {
            return `11px ${stack}`;
        }
        const name = font.name.replace(/["\\]/g, '');
        const px = (font.points * 96) / 72;
        return `${font.italic ? 'italic ' : ''}${font.weight} ${px}px "${name}", ${stack}`;
    }

    // Lines break at line feeds and, when wrapping, between words; a word
    // wider than the box stays whole.
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
