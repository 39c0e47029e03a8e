// The embedded glyph files in the order of Drawer::Glyph, decoded and given to a drawer.
#include "draw/EmbeddedGlyphs.h"

#include <utility>

#include "draw/ImageLoader.h"
#include "draw/assets/Fonts.h"

namespace {

struct EmbeddedFile {
    const unsigned char* data;
    unsigned int length;
};

#define BRICKWRATH_FONT(name)                                                                                          \
    EmbeddedFile                                                                                                       \
    {                                                                                                                  \
        Fonts::name, Fonts::name##_length                                                                              \
    }
// In the order of Drawer::Glyph.
const EmbeddedFile glyphFiles[Drawer::glyphCount] = {
    BRICKWRATH_FONT(fonta_png),      BRICKWRATH_FONT(fontb_png),       BRICKWRATH_FONT(fontc_png),
    BRICKWRATH_FONT(fontd_png),      BRICKWRATH_FONT(fonte_png),       BRICKWRATH_FONT(fontf_png),
    BRICKWRATH_FONT(fontg_png),      BRICKWRATH_FONT(fonth_png),       BRICKWRATH_FONT(fonti_png),
    BRICKWRATH_FONT(fontj_png),      BRICKWRATH_FONT(fontk_png),       BRICKWRATH_FONT(fontl_png),
    BRICKWRATH_FONT(fontm_png),      BRICKWRATH_FONT(fontn_png),       BRICKWRATH_FONT(fonto_png),
    BRICKWRATH_FONT(fontp_png),      BRICKWRATH_FONT(fontq_png),       BRICKWRATH_FONT(fontr_png),
    BRICKWRATH_FONT(fonts_png),      BRICKWRATH_FONT(fontt_png),       BRICKWRATH_FONT(fontu_png),
    BRICKWRATH_FONT(fontv_png),      BRICKWRATH_FONT(fontw_png),       BRICKWRATH_FONT(fontx_png),
    BRICKWRATH_FONT(fonty_png),      BRICKWRATH_FONT(fontz_png),       BRICKWRATH_FONT(font0_png),
    BRICKWRATH_FONT(font1_png),      BRICKWRATH_FONT(font2_png),       BRICKWRATH_FONT(font3_png),
    BRICKWRATH_FONT(font4_png),      BRICKWRATH_FONT(font5_png),       BRICKWRATH_FONT(font6_png),
    BRICKWRATH_FONT(font7_png),      BRICKWRATH_FONT(font8_png),       BRICKWRATH_FONT(font9_png),
    BRICKWRATH_FONT(fontperiod_png), BRICKWRATH_FONT(fontcomma_png),   BRICKWRATH_FONT(fontplus_png),
    BRICKWRATH_FONT(fontminus_png),  BRICKWRATH_FONT(fontexclaim_png), BRICKWRATH_FONT(fontquestion_png),
};
#undef BRICKWRATH_FONT

} // namespace

void loadEmbeddedGlyphs(Drawer& drawer)
{
    ImageLoader loader;
    for (int glyph = 0; glyph < Drawer::glyphCount; ++glyph) {
        LoadedImage image = loader.loadImage(glyphFiles[glyph].data, glyphFiles[glyph].length);
        drawer.loadGlyph(static_cast<Drawer::Glyph>(glyph), std::move(image.pixels), image.width);
    }
}
