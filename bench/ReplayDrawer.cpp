// Recording, replaying and the alpha census of the pictures a frame draws.
#include "ReplayDrawer.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string_view>

#include "draw/ImageLoader.h"
#include "draw/assets/Images.h"
#include "draw/software/SDLDrawer.h"
#include "support/SolidImage.h"

namespace {

std::size_t contentKey(const unsigned char* pixels, std::uint32_t width, std::uint32_t height)
{
    return std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(pixels), static_cast<std::size_t>(width) * height * 4));
}

// The embedded pictures by the hash of their decoded pixels: the drawer only ever sees pixels.
const std::map<std::size_t, std::string>& namesByContent()
{
    static const std::map<std::size_t, std::string> names = [] {
        std::map<std::size_t, std::string> table;
        ImageLoader loader;
        for (const Images::File& picture : Images::all) {
            const LoadedImage image = loader.loadImage(picture.data, picture.length);
            if (image.pixels != nullptr)
                table[contentKey(image.pixels.get(), image.width, image.height)] = picture.name;
        }
        return table;
    }();
    return names;
}

} // namespace

ReplayDrawer::ReplayDrawer(Drawer& first, Drawer& second) : targets{&first, &second} {}

ReplayDrawer::Picture ReplayDrawer::describe(const unsigned char* pixels, std::uint32_t width, std::uint32_t height)
{
    Picture picture;
    picture.width = width;
    picture.height = height;
    const std::size_t count = static_cast<std::size_t>(width) * height;
    picture.alpha.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t a = pixels[4 * i + 3];
        picture.alpha[i] = a;
        if (a == 0)
            ++picture.counts.transparent;
        else if (a == 255)
            ++picture.counts.opaque;
        else
            ++picture.counts.partial;
    }
    const auto& names = namesByContent();
    const auto found = names.find(contentKey(pixels, width, height));
    picture.name = found == names.end() ? "unnamed" : found->second;
    return picture;
}

std::uint32_t ReplayDrawer::loadImage(Pixels pixels, std::uint32_t width, std::uint32_t height)
{
    if (!pixels)
        return 0;
    const std::size_t bytes = static_cast<std::size_t>(width) * height * 4;
    Picture picture = describe(pixels.get(), width, height);
    picture.ids[1] = targets[1]->loadImage(copyOf(pixels.get(), bytes), width, height);
    picture.ids[0] = targets[0]->loadImage(std::move(pixels), width, height);
    const bool opaque = picture.counts.opaque == picture.counts.total();
    picture.way.assign(picture.alpha.size(), opaque ? Picture::Way::Copied : Picture::Way::Blended);
    const auto* software = dynamic_cast<const SDLDrawer*>(targets[0]);
    const SDLDrawer::Image* drawn = software != nullptr ? software->findImage(picture.ids[0]) : nullptr;
    if (drawn != nullptr && !drawn->patches.empty()) {
        std::fill(picture.way.begin(), picture.way.end(), Picture::Way::LeftOut);
        for (const SDLDrawer::Patch& patch : drawn->patches)
            for (int row = patch.area.y; row < patch.area.y + patch.area.h; ++row)
                std::fill_n(picture.way.begin() + static_cast<std::ptrdiff_t>(row) * width + patch.area.x, patch.area.w,
                            patch.copy ? Picture::Way::Copied : Picture::Way::Blended);
    }
    const std::uint32_t id = nextId++;
    pictures[id] = std::move(picture);
    return id;
}

void ReplayDrawer::releaseImage(std::uint32_t id)
{
    const auto found = pictures.find(id);
    if (found == pictures.end())
        return;
    targets[0]->releaseImage(found->second.ids[0]);
    targets[1]->releaseImage(found->second.ids[1]);
    pictures.erase(found);
}

void ReplayDrawer::loadGlyph(Glyph glyph, Pixels pixels, std::uint32_t size)
{
    if (!pixels)
        return;
    glyphPictures[glyph] = describe(pixels.get(), size, size);
    targets[1]->loadGlyph(glyph, copyOf(pixels.get(), static_cast<std::size_t>(size) * size * 4), size);
    targets[0]->loadGlyph(glyph, std::move(pixels), size);
}

void ReplayDrawer::drawImage(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY, float, float,
                             float, float)
{
    calls.push_back(Call{id, x, y, scaleX, scaleY, {}, 0.0f});
}

void ReplayDrawer::drawText(const std::string& text, std::int16_t x, std::int16_t y, float size, float, float, float,
                            float)
{
    calls.push_back(Call{0, x, y, 1.0f, 1.0f, text, size});
}

void ReplayDrawer::replay(int which)
{
    Drawer* target = targets[static_cast<std::size_t>(which)];
    target->beginDrawing();
    for (const Call& call : calls) {
        if (call.id == 0) {
            target->drawText(call.text, call.x, call.y, call.size, 1.0f, 1.0f, 1.0f, 1.0f);
            continue;
        }
        const auto found = pictures.find(call.id);
        const std::uint32_t id = found == pictures.end() ? 0 : found->second.ids[static_cast<std::size_t>(which)];
        target->drawImage(id, call.x, call.y, call.scaleX, call.scaleY, 1.0f, 1.0f, 1.0f, 1.0f);
    }
    target->endDrawing();
}

void ReplayDrawer::cover(const Picture& picture, int x, int y, Coverage& into) const
{
    for (std::uint32_t row = 0; row < picture.height; ++row) {
        const int screenY = y + static_cast<int>(row);
        if (screenY < 0 || screenY >= virtualHeight)
            continue;
        for (std::uint32_t column = 0; column < picture.width; ++column) {
            const int screenX = x + static_cast<int>(column);
            if (screenX < 0 || screenX >= virtualWidth)
                continue;
            const std::uint8_t a = picture.alpha[row * picture.width + column];
            const Picture::Way way = picture.way[row * picture.width + column];
            if (way == Picture::Way::Copied)
                ++into.copied;
            else if (way == Picture::Way::LeftOut)
                ++into.leftOut;
            else if (a == 0)
                ++into.blended.transparent;
            else if (a == 255)
                ++into.blended.opaque;
            else {
                ++into.blended.partial;
                ++into.partialByPicture[picture.name];
            }
        }
    }
}

ReplayDrawer::Coverage ReplayDrawer::coverage() const
{
    Coverage into;
    for (const Call& call : calls) {
        if (call.id == 0) {
            // Text: every glyph cell is blended; cells of another size than the glyph's are
            // counted by the glyph's share of each kind of pixel.
            const int cell = static_cast<int>(call.size);
            float pen = call.x;
            for (const char c : call.text) {
                const int glyph = glyphFor(c);
                if (glyph >= 0 && cell > 0) {
                    const Picture& picture = glyphPictures[static_cast<std::size_t>(glyph)];
                    const double share =
                        picture.counts.total() == 0 ? 0.0 : static_cast<double>(cell) * cell / picture.counts.total();
                    into.blended.transparent += static_cast<std::size_t>(picture.counts.transparent * share);
                    into.blended.opaque += static_cast<std::size_t>(picture.counts.opaque * share);
                    const auto partial = static_cast<std::size_t>(picture.counts.partial * share);
                    into.blended.partial += partial;
                    into.partialByPicture["text"] += partial;
                }
                pen += call.size;
            }
            continue;
        }
        const auto found = pictures.find(call.id);
        if (found == pictures.end())
            continue;
        const Picture& picture = found->second;
        const auto width = static_cast<int>(picture.width * call.scaleX);
        const auto height = static_cast<int>(picture.height * call.scaleY);
        if (width == static_cast<int>(picture.width) && height == static_cast<int>(picture.height))
            cover(picture, call.x, call.y, into);
        else if (width > 0 && height > 0)
            into.scaled += static_cast<std::size_t>(width) * height;
    }
    return into;
}
