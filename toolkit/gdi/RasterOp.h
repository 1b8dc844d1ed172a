#pragma once

#include "toolkit/gdi/ColorValue.h"

#include <QRgb>
#include <cstdint>

// Raster operations: the ternary operation code in bits 16..23 decides every
// bit of the result from the pattern (the brush), the source and the
// destination bits.
using TRasterOp = std::uint32_t;
constexpr TRasterOp SRCCOPY = 0x00CC0020;
constexpr TRasterOp SRCPAINT = 0x00EE0086;
constexpr TRasterOp SRCAND = 0x008800C6;
constexpr TRasterOp SRCINVERT = 0x00660046;
constexpr TRasterOp SRCERASE = 0x00440328;
constexpr TRasterOp NOTSRCCOPY = 0x00330008;
constexpr TRasterOp NOTSRCERASE = 0x001100A6;
constexpr TRasterOp MERGECOPY = 0x00C000CA;
constexpr TRasterOp MERGEPAINT = 0x00BB0226;
constexpr TRasterOp PATCOPY = 0x00F00021;
constexpr TRasterOp PATPAINT = 0x00FB0A09;
constexpr TRasterOp PATINVERT = 0x005A0049;
constexpr TRasterOp DSTINVERT = 0x00550009;
constexpr TRasterOp BLACKNESS = 0x00000042;
constexpr TRasterOp WHITENESS = 0x00FF0062;
// Source pixels that are set take the brush, clear ones keep the
// destination: painting through a monochrome mask.
constexpr TRasterOp ROP_MASKED_BRUSH = 0x00E20746;

constexpr unsigned TernaryCode(TRasterOp rop)
{
    return (rop >> 16) & 0xFF;
}

// Whether the result depends on the source at all: a code whose bits for a
// set and a clear source agree leaves the source unread.
constexpr bool UsesSource(unsigned code)
{
    return ((code >> 2) & 0x33) != (code & 0x33);
}

// The result for pattern p, source s and destination d, all RGB bits
// without alpha: bit (p·4 + s·2 + d) of the ternary code is the result for
// that case. Called for every pixel of a copy, so it stays inline, with the
// common codes answered directly.
inline QRgb ApplyTernary(unsigned code, QRgb p, QRgb s, QRgb d)
{
    switch (code) {
    case 0xCC: return s;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    case 0x66: return s ^ d;
    case 0xE2: return ((s & p) | (~s & d)) & kRgbBits;
    default: break;
    }
    QRgb result = 0;
    for (unsigned index = 0; index < 8; ++index) {
        if (!(code & (1u << index)))
            continue;
        const QRgb pm = (index & 4) ? p : ~p;
        const QRgb sm = (index & 2) ? s : ~s;
        const QRgb dm = (index & 1) ? d : ~d;
        result |= pm & sm & dm;
    }
    return result & kRgbBits;
}
