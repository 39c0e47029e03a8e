// The embedded glyph files in the order of Drawer::Glyph.
#include "support/GameGlyphs.h"

#include "draw/Drawer.h"
#include "draw/ImageLoader.h"
#include "draw/assets/Fonts.h"

namespace {

struct GlyphFile {
    const unsigned char* data;
    unsigned int length;
};

#define GLYPH_FILE(name)                                                                                               \
    GlyphFile                                                                                                          \
    {                                                                                                                  \
        Fonts::name, Fonts::name##_length                                                                              \
    }
const GlyphFile glyphFiles[Drawer::glyphCount] = {
    GLYPH_FILE(fonta_png),       GLYPH_FILE(fontb_png),        GLYPH_FILE(fontc_png),    GLYPH_FILE(fontd_png),
    GLYPH_FILE(fonte_png),       GLYPH_FILE(fontf_png),        GLYPH_FILE(fontg_png),    GLYPH_FILE(fonth_png),
    GLYPH_FILE(fonti_png),       GLYPH_FILE(fontj_png),        GLYPH_FILE(fontk_png),    GLYPH_FILE(fontl_png),
    GLYPH_FILE(fontm_png),       GLYPH_FILE(fontn_png),        GLYPH_FILE(fonto_png),    GLYPH_FILE(fontp_png),
    GLYPH_FILE(fontq_png),       GLYPH_FILE(fontr_png),        GLYPH_FILE(fonts_png),    GLYPH_FILE(fontt_png),
    GLYPH_FILE(fontu_png),       GLYPH_FILE(fontv_png),        GLYPH_FILE(fontw_png),    GLYPH_FILE(fontx_png),
    GLYPH_FILE(fonty_png),       GLYPH_FILE(fontz_png),        GLYPH_FILE(font0_png),    GLYPH_FILE(font1_png),
    GLYPH_FILE(font2_png),       GLYPH_FILE(font3_png),        GLYPH_FILE(font4_png),    GLYPH_FILE(font5_png),
    GLYPH_FILE(font6_png),       GLYPH_FILE(font7_png),        GLYPH_FILE(font8_png),    GLYPH_FILE(font9_png),
    GLYPH_FILE(fontperiod_png),  GLYPH_FILE(fontcomma_png),    GLYPH_FILE(fontplus_png), GLYPH_FILE(fontminus_png),
    GLYPH_FILE(fontexclaim_png), GLYPH_FILE(fontquestion_png),
};
#undef GLYPH_FILE

} // namespace

void loadGameGlyphs(Drawer& drawer)
{
    ImageLoader loader;
    for (int glyph = 0; glyph < Drawer::glyphCount; ++glyph) {
        const LoadedImage image = loader.loadImage(glyphFiles[glyph].data, glyphFiles[glyph].length);
        drawer.loadGlyph(static_cast<Drawer::Glyph>(glyph), image.pixels, image.width);
    }
}
