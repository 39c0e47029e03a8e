// Pictures for comparing the browser's frames with the desktop's: PNG (Chromium's screenshots) and
// XWD (xwd's captures of the desktop window) read into plain RGB, and the mean difference of two.
import zlib from 'node:zlib';

export class Rgb {
    constructor(width, height) {
        this.width = width;
        this.height = height;
        this.data = new Uint8Array(width * height * 3);
    }
}

// 8-bit, non-interlaced RGB or RGBA PNGs, which is what Chromium writes.
export function readPng(buffer) {
    let at = 8;
    let width = 0, height = 0, colourType = 0;
    const compressed = [];
    while (at < buffer.length) {
        const length = buffer.readUInt32BE(at);
        const type = buffer.toString('latin1', at + 4, at + 8);
        const body = buffer.subarray(at + 8, at + 8 + length);
        if (type === 'IHDR') {
            width = body.readUInt32BE(0);
            height = body.readUInt32BE(4);
            colourType = body[9];
            if (body[8] !== 8 || body[12] !== 0 || (colourType !== 2 && colourType !== 6))
                throw new Error(`unsupported PNG: depth ${body[8]}, colour type ${colourType}, interlace ${body[12]}`);
        } else if (type === 'IDAT') {
            compressed.push(body);
        }
        at += 12 + length;
    }
    const raw = zlib.inflateSync(Buffer.concat(compressed));
    const channels = colourType === 6 ? 4 : 3;
    const stride = width * channels;
    const rows = new Uint8Array(stride * height);
    for (let y = 0; y < height; ++y) {
        const filter = raw[y * (stride + 1)];
        const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
        for (let x = 0; x < stride; ++x) {
            const left = x >= channels ? rows[y * stride + x - channels] : 0;
            const up = y > 0 ? rows[(y - 1) * stride + x] : 0;
            const upLeft = y > 0 && x >= channels ? rows[(y - 1) * stride + x - channels] : 0;
            let predicted = 0;
            if (filter === 1) predicted = left;
            else if (filter === 2) predicted = up;
            else if (filter === 3) predicted = (left + up) >> 1;
            else if (filter === 4) {
                const p = left + up - upLeft;
                const pa = Math.abs(p - left), pb = Math.abs(p - up), pc = Math.abs(p - upLeft);
                predicted = pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft;
            }
            rows[y * stride + x] = (line[x] + predicted) & 255;
        }
    }
    const image = new Rgb(width, height);
    for (let i = 0; i < width * height; ++i)
        for (let c = 0; c < 3; ++c)
            image.data[i * 3 + c] = rows[i * channels + c];
    return image;
}

// A 24-bit TrueColor ZPixmap with 32 bits a pixel, as xwd captures an X window.
export function readXwd(buffer) {
    const field = (n) => buffer.readUInt32BE(n * 4);
    const headerSize = field(0), format = field(2), width = field(4), height = field(5);
    const byteOrder = field(7), bitsPerPixel = field(11), bytesPerLine = field(12);
    const redMask = field(14), greenMask = field(15), blueMask = field(16), colours = field(19);
    if (format !== 2 || bitsPerPixel !== 32)
        throw new Error(`unsupported XWD: format ${format}, ${bitsPerPixel} bits a pixel`);
    const pixels = headerSize + colours * 12;
    const shift = (mask) => Math.log2(mask & -mask);
    const image = new Rgb(width, height);
    for (let y = 0; y < height; ++y) {
        for (let x = 0; x < width; ++x) {
            const at = pixels + y * bytesPerLine + x * 4;
            const value = byteOrder === 0 ? buffer.readUInt32LE(at) : buffer.readUInt32BE(at);
            const out = (y * width + x) * 3;
            image.data[out] = (value & redMask) >>> shift(redMask);
            image.data[out + 1] = (value & greenMask) >>> shift(greenMask);
            image.data[out + 2] = (value & blueMask) >>> shift(blueMask);
        }
    }
    return image;
}

// Mean absolute difference per channel (0 to 255) over the pixels outside every box of `masks`
// ({x, y, width, height}).
export function meanDifference(a, b, masks = []) {
    if (a.width !== b.width || a.height !== b.height)
        throw new Error(`sizes differ: ${a.width}x${a.height} and ${b.width}x${b.height}`);
    const masked = (x, y) => masks.some((m) => x >= m.x && x < m.x + m.width && y >= m.y && y < m.y + m.height);
    let sum = 0, count = 0;
    for (let y = 0; y < a.height; ++y) {
        for (let x = 0; x < a.width; ++x) {
            if (masked(x, y))
                continue;
            const i = (y * a.width + x) * 3;
            sum += Math.abs(a.data[i] - b.data[i]) + Math.abs(a.data[i + 1] - b.data[i + 1]) +
                Math.abs(a.data[i + 2] - b.data[i + 2]);
            count += 3;
        }
    }
    return sum / count;
}

// The same over one box only.
export function meanDifferenceIn(a, b, box) {
    let sum = 0;
    for (let y = box.y; y < box.y + box.height; ++y)
        for (let x = box.x; x < box.x + box.width; ++x)
            for (let c = 0; c < 3; ++c) {
                const i = (y * a.width + x) * 3 + c;
                sum += Math.abs(a.data[i] - b.data[i]);
            }
    return sum / (box.width * box.height * 3);
}
