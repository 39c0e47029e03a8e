// Recording drawer: the id rule of the real drawers, no pixels shown.
#include "support/RecordingDrawer.h"

#include <algorithm>

#include "draw/ImageLoader.h"
#include "game/screens/StateManager.h"

std::uint32_t RecordingDrawer::loadImage(Pixels pixels, std::uint32_t width, std::uint32_t height)
{
    if (!pixels)
        return 0;
    while (pictures.count(nextId) != 0)
        ++nextId;
    Picture& picture = pictures[nextId];
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(pixels.get(), pixels.get() + static_cast<std::size_t>(width) * height * 4);
    ++loads;
    return nextId;
}

void RecordingDrawer::loadGlyph(Glyph, Pixels pixels, std::uint32_t)
{
    if (!pixels)
        return;
    ++glyphLoads;
}

void RecordingDrawer::beginDrawing()
{
    inFrame = true;
    current.clear();
}

void RecordingDrawer::endDrawing()
{
    inFrame = false;
    finished.swap(current);
}

// DrawCall's fields in their order: kind, id, text, x, y, scaleX, scaleY, size, red, green, blue, alpha.
void RecordingDrawer::drawImage(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY, float red,
                                float green, float blue, float alpha)
{
    current.push_back(DrawCall{DrawCall::Image, id, "", x, y, scaleX, scaleY, 0.0f, red, green, blue, alpha});
}

void RecordingDrawer::drawText(const std::string& text, std::int16_t x, std::int16_t y, float size, float red,
                               float green, float blue, float alpha)
{
    current.push_back(DrawCall{DrawCall::Text, 0, text, x, y, 1.0f, 1.0f, size, red, green, blue, alpha});
}

const RecordingDrawer::Picture* RecordingDrawer::picture(std::uint32_t id) const
{
    const auto found = pictures.find(id);
    return found == pictures.end() ? nullptr : &found->second;
}

bool RecordingDrawer::isPicture(std::uint32_t id, const unsigned char* data, unsigned int length) const
{
    const Picture* loaded = picture(id);
    if (loaded == nullptr)
        return false;
    ImageLoader loader;
    const LoadedImage expected = loader.loadImage(data, length);
    return expected.pixels != nullptr && expected.width == loaded->width && expected.height == loaded->height &&
           std::equal(loaded->pixels.begin(), loaded->pixels.end(), expected.pixels.get());
}

std::vector<DrawCall> RecordingDrawer::callsOf(const unsigned char* data, unsigned int length) const
{
    std::vector<DrawCall> found;
    for (const DrawCall& call : calls())
        if (call.kind == DrawCall::Image && isPicture(call.id, data, length))
            found.push_back(call);
    return found;
}

std::vector<DrawCall> RecordingDrawer::texts() const
{
    std::vector<DrawCall> found;
    for (const DrawCall& call : calls())
        if (call.kind == DrawCall::Text)
            found.push_back(call);
    return found;
}

bool RecordingDrawer::shows(const std::string& text) const
{
    for (const DrawCall& call : texts())
        if (call.text == text)
            return true;
    return false;
}

void drawFrames(RecordingDrawer& drawer, int frames)
{
    for (int i = 0; i < frames; ++i) {
        drawer.beginDrawing();
        StateManager::getInstance()->draw(&drawer);
        drawer.endDrawing();
    }
}
