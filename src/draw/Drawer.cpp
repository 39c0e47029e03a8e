// Character to glyph mapping shared by both back ends.
#include "draw/Drawer.h"

namespace {
std::uint64_t nextSerial = 1;
}

Drawer::Drawer() : serialNumber(nextSerial++) {}

void Drawer::takeNewSerial()
{
    serialNumber = nextSerial++;
}

int Drawer::glyphFor(char c)
{
    if (c >= 'a' && c <= 'z')
        return GlyphA + (c - 'a');
    if (c >= '0' && c <= '9')
        return Glyph0 + (c - '0');
    switch (c) {
    case '.': return GlyphPeriod;
    case ',': return GlyphComma;
    case '+': return GlyphPlus;
    case '-': return GlyphMinus;
    case '!': return GlyphExclaim;
    case '?': return GlyphQuestion;
    default: return -1;
    }
}
