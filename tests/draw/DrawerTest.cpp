// Characters to glyphs, and the text layout every drawer shares.
#include <gtest/gtest.h>

#include "draw/Drawer.h"

TEST(Drawer, GlyphTableCoversLowerCaseDigitsAndSixMarks)
{
    EXPECT_EQ(Drawer::glyphFor('a'), Drawer::GlyphA);
    EXPECT_EQ(Drawer::glyphFor('z'), Drawer::GlyphZ);
    EXPECT_EQ(Drawer::glyphFor('0'), Drawer::Glyph0);
    EXPECT_EQ(Drawer::glyphFor('9'), Drawer::Glyph9);
    EXPECT_EQ(Drawer::glyphFor('.'), Drawer::GlyphPeriod);
    EXPECT_EQ(Drawer::glyphFor(','), Drawer::GlyphComma);
    EXPECT_EQ(Drawer::glyphFor('+'), Drawer::GlyphPlus);
    EXPECT_EQ(Drawer::glyphFor('-'), Drawer::GlyphMinus);
    EXPECT_EQ(Drawer::glyphFor('!'), Drawer::GlyphExclaim);
    EXPECT_EQ(Drawer::glyphFor('?'), Drawer::GlyphQuestion);
    EXPECT_EQ(Drawer::GlyphQuestion, 41);

    int withGlyph = 0;
    for (int byte = 0; byte < 256; ++byte)
        if (Drawer::glyphFor(static_cast<char>(byte)) >= 0)
            ++withGlyph;
    EXPECT_EQ(withGlyph, 42);
    for (const char c : std::string(" AZ\n\x92\x85:'"))
        EXPECT_EQ(Drawer::glyphFor(c), -1) << int(static_cast<unsigned char>(c));
}
