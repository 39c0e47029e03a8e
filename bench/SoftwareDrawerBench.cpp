// Frame times of the software drawer against the plain way of drawing the same frames, under
// SDL's dummy video driver: the title view, the story view (thirteen lines of size-18 text) and
// a frame of exploding mines. Prints milliseconds per frame.
#include <SDL/SDL.h>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>

#include "draw/ImageLoader.h"
#include "draw/SDLDrawer.h"
#include "draw/assets/Images.h"
#include "game/TitleScreen.h"
#include "support/CaptureStdout.h"
#include "support/GameGlyphs.h"
#include "support/ReferenceSoftwareDrawer.h"

namespace {

double millisecondsPerFrame(int frames, const std::function<void()>& frame)
{
    frame(); // loads the pictures
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i)
        frame();
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / frames;
}

std::uint32_t load(Drawer& drawer, const unsigned char* data, unsigned int length)
{
    ImageLoader loader;
    const LoadedImage image = loader.loadImage(data, length);
    return drawer.loadImage(image.pixels, image.width, image.height);
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::cout << "Could not initialise SDL: " << SDL_GetError() << std::endl;
        return 1;
    }
    {
        auto quick = std::make_unique<SDLDrawer>();
        quick->initialise(1024, 768, false, 0);
        auto plain = std::make_unique<ReferenceSoftwareDrawer>();
        plain->initialise(1024, 768, false, 0);
        loadGameGlyphs(*quick);
        loadGameGlyphs(*plain);

        for (Drawer* drawer : {static_cast<Drawer*>(plain.get()), static_cast<Drawer*>(quick.get())}) {
            const char* name = drawer == quick.get() ? "SDLDrawer" : "plain";
            CaptureStdout quiet;
            TitleScreen title;
            title.mouseMove(300, 300);
            const double titleView = millisecondsPerFrame(frames, [&] { title.draw(drawer); });
            title.mouseDown(1, 500, 480);
            const double storyView = millisecondsPerFrame(frames, [&] { title.draw(drawer); });

            const std::uint32_t background = load(*drawer, Images::background_jpg, Images::background_jpg_length);
            const std::uint32_t mine = load(*drawer, Images::mineexplode_png, Images::mineexplode_png_length);
            const double mines = millisecondsPerFrame(frames, [&] {
                drawer->drawImage(background, 0, 0, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f);
                float blast = 2.0f;
                for (int step = 0; step < 41; ++step, blast -= 0.05f)
                    drawer->drawImage(mine, static_cast<std::int16_t>(20 * step), 300, blast, blast, 1.0f, 1.0f, 1.0f,
                                      1.0f);
            });
            std::cerr << name << ": title view " << titleView << " ms, story view " << storyView
                      << " ms, background and 41 scaled mines " << mines << " ms per frame\n";
        }
    }
    SDL_Quit();
    return 0;
}
