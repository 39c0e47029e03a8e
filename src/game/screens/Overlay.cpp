// The pause's picture and the short notices, drawn in white over the screen.
#include "game/screens/Overlay.h"

#include "draw/Drawer.h"
#include "draw/assets/Images.h"

namespace {

void drawWhite(Drawer* drawer, const std::string& text, int x, int y, float size)
{
    drawer->drawText(text, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), size, 1.0f, 1.0f, 1.0f, 1.0f);
}

// The x at which fixed-pitch text of that size stands centred.
int centred(const std::string& text, float size)
{
    return (Drawer::virtualWidth - static_cast<int>(static_cast<float>(text.size()) * size)) / 2;
}

} // namespace

Overlay::Overlay() : dim(Images::dim_png, Images::dim_png_length) {}

void Overlay::notify(const std::string& text)
{
    noticeText = text;
    noticeLeft = noticeSteps;
}

void Overlay::step()
{
    if (noticeLeft > 0 && --noticeLeft == 0)
        noticeText.clear();
}

void Overlay::render(Drawer* drawer) const
{
    if (pausedFlag) {
        drawer->drawImage(dim.get(drawer), 0, 0);
        const std::string title = "paused";
        const std::string hint = "p or click to go on";
        drawWhite(drawer, title, centred(title, 64.0f), 300, 64.0f);
        drawWhite(drawer, hint, centred(hint, 32.0f), 420, 32.0f);
    }
    // In the bottom right corner, below the go button: the top is the records' and the points'.
    if (!noticeText.empty())
        drawWhite(drawer, noticeText, Drawer::virtualWidth - 12 - static_cast<int>(noticeText.size()) * 20, 744, 20.0f);
}
