// Characters to glyphs, and the text layout every drawer shares.
#include <gtest/gtest.h>

#include "draw/Drawer.h"

TEST(Drawer, GlyphTableCoversLowerCaseDigitsAndSixMarks)
{
    const std::string characters = "az09.,+-!?";
    const Drawer::Glyph glyphs[] = {Drawer::GlyphA,       Drawer::GlyphZ,       Drawer::Glyph0,    Drawer::Glyph9,
                                    Drawer::GlyphPeriod,  Drawer::GlyphComma,   Drawer::GlyphPlus, Drawer::GlyphMinus,
                                    Drawer::GlyphExclaim, Drawer::GlyphQuestion};
    for (std::size_t i = 0; i < characters.size(); ++i)
        EXPECT_EQ(Drawer::glyphFor(characters[i]), glyphs[i]) << characters[i];

    int withGlyph = 0;
    for (int byte = 0; byte < 256; ++byte)
        if (Drawer::glyphFor(static_cast<char>(byte)) >= 0)
            ++withGlyph;
    EXPECT_EQ(withGlyph, 42) << "no other byte, capitals included, has a glyph";
}
