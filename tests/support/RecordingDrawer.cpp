// Recording drawer: the id rule of the real drawers (or the mirror's own ids), no pixels shown.
#include "support/RecordingDrawer.h"

#include <algorithm>
#include <cmath>

#include "draw/ImageLoader.h"
#include "game/screens/StateManager.h"

std::uint32_t RecordingDrawer::loadImage(Pixels pixels, std::uint32_t width, std::uint32_t height)
{
    if (!pixels)
        return 0;
    while (pictures.count(nextId) != 0)
        ++nextId;
    std::uint32_t id = nextId;
    Picture picture{width, height, {pixels.get(), pixels.get() + static_cast<std::size_t>(width) * height * 4}};
    if (mirror != nullptr)
        id = mirror->loadImage(std::move(pixels), width, height);
    if (id == 0)
        return 0;
    pictures[id] = std::move(picture);
    ++loads;
    return id;
}

void RecordingDrawer::releaseImage(std::uint32_t id)
{
    pictures.erase(id);
    if (mirror != nullptr)
        mirror->releaseImage(id);
}

void RecordingDrawer::beginDrawing()
{
    inFrame = true;
    current.clear();
    if (mirror != nullptr)
        mirror->beginDrawing();
}

void RecordingDrawer::endDrawing()
{
    inFrame = false;
    finished.swap(current);
    if (mirror != nullptr)
        mirror->endDrawing();
}

void RecordingDrawer::loadGlyph(Glyph glyph, Pixels pixels, std::uint32_t size)
{
    if (mirror != nullptr)
        mirror->loadGlyph(glyph, std::move(pixels), size);
}

void RecordingDrawer::drawImage(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY, float red,
                                float green, float blue, float alpha)
{
    current.push_back(DrawCall{DrawCall::Image, id, "", x, y, scaleX, scaleY, 0.0f, red, green, blue, alpha});
    if (mirror != nullptr)
        mirror->drawImage(id, x, y, scaleX, scaleY, red, green, blue, alpha);
}

void RecordingDrawer::drawText(const std::string& text, std::int16_t x, std::int16_t y, float size, float red,
                               float green, float blue, float alpha)
{
    current.push_back(DrawCall{DrawCall::Text, 0, text, x, y, 1.0f, 1.0f, size, red, green, blue, alpha});
    if (mirror != nullptr)
        mirror->drawText(text, x, y, size, red, green, blue, alpha);
}

const std::vector<DrawCall>& RecordingDrawer::record(const std::function<void(Drawer*)>& draw)
{
    beginDrawing();
    draw(this);
    endDrawing();
    return calls();
}

bool RecordingDrawer::isPicture(std::uint32_t id, const unsigned char* data, unsigned int length) const
{
    const auto loaded = pictures.find(id);
    if (loaded == pictures.end())
        return false;
    const Picture& picture = loaded->second;
    const LoadedImage expected = ImageLoader().loadImage(data, length);
    return expected.pixels != nullptr && expected.width == picture.width && expected.height == picture.height &&
           std::equal(picture.pixels.begin(), picture.pixels.end(), expected.pixels.get());
}

namespace {

::testing::AssertionResult verdict(bool right, const DrawCall& call)
{
    if (right)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "drawn: image " << call.id << " \"" << call.text << "\" at " << call.x
                                         << ", " << call.y << ", scale " << call.scaleX << " by " << call.scaleY
                                         << ", size " << call.size << ", colour " << call.red << " " << call.green
                                         << " " << call.blue << " " << call.alpha;
}

} // namespace

::testing::AssertionResult RecordingDrawer::drawsAt(const DrawCall& call, const unsigned char* data,
                                                    unsigned int length, int x, int y) const
{
    return verdict(call.kind == DrawCall::Image && isPicture(call.id, data, length) && call.x == x && call.y == y &&
                       call.scaleX == 1.0f && call.scaleY == 1.0f && call.red == 1.0f && call.green == 1.0f &&
                       call.blue == 1.0f && call.alpha == 1.0f,
                   call);
}

::testing::AssertionResult RecordingDrawer::writes(const DrawCall& call, const std::string& text, int x, int y,
                                                   float size, float alpha)
{
    return verdict(call.kind == DrawCall::Text && call.text == text && call.x == x && call.y == y &&
                       call.size == size && call.red == 0.0f && call.green == 0.0f && call.blue == 0.0f &&
                       std::abs(call.alpha - alpha) < 1e-6f,
                   call);
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
    const std::vector<DrawCall> written = texts();
    return std::any_of(written.begin(), written.end(), [&](const DrawCall& call) { return call.text == text; });
}

void drawFrames(RecordingDrawer& drawer, int frames)
{
    for (int i = 0; i < frames; ++i)
        drawer.record([](Drawer* to) { StateManager::getInstance()->draw(to); });
}
