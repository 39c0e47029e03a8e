// Reads smaps line by line; the groups are by file name, so shared libraries show by library.
#include "MemoryReport.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "draw/opengl/OpenGLDrawer.h"
#include "draw/software/SDLDrawer.h"
#include "sound/BackgroundMusic.h"
#include "sound/Sounds.h"

namespace {

std::string groupOf(const std::string& path)
{
    if (path.empty())
        return "anonymous (malloc arenas, surfaces, driver buffers)";
    if (path == "[heap]")
        return "[heap] (malloc)";
    if (path[0] == '[')
        return path;
    const std::string file = path.substr(path.rfind('/') + 1);
    for (const char* library :
         {"libLLVM", "swrast_dri", "libgallium", "libGL", "libGLX", "libglapi", "libSDL2", "libSDL-1.2", "libstdc++",
          "libc.so", "libm.so", "libasound", "libportaudio", "libvorbis", "libX11", "libjpeg", "libpng"})
        if (file.rfind(library, 0) == 0)
            return file;
    if (path.find("brickwrath") != std::string::npos || path.find("bench") != std::string::npos)
        return "the program (code and embedded pictures)";
    return "other files and libraries";
}

std::size_t sdlDrawerBytes(const SDLDrawer& drawer, std::size_t& pixelBuffers)
{
    std::size_t bytes = 0;
    std::size_t found = 0;
    for (std::uint32_t id = 1; found < drawer.imageCount() && id < 100000; ++id) {
        const SDLDrawer::Image* image = drawer.findImage(id);
        if (image == nullptr)
            continue;
        ++found;
        if (image->surface)
            bytes += static_cast<std::size_t>(image->surface->pitch) * image->surface->h;
        if (image->pixels)
            pixelBuffers += static_cast<std::size_t>(image->width) * image->height * 4;
    }
    return bytes;
}

} // namespace

long MemoryReport::residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

void MemoryReport::print(const std::string& title, Drawer* drawer)
{
    std::ifstream smaps("/proc/self/smaps");
    std::map<std::string, long> byGroup;
    std::string line;
    std::string current;
    long total = 0;
    while (std::getline(smaps, line)) {
        if (line.empty())
            continue;
        // A mapping's header starts with its address range; its fields start with a capital.
        if (std::isxdigit(static_cast<unsigned char>(line[0])) && line.find('-') < 17 && line.find(':') > 17) {
            std::istringstream fields(line);
            std::string range, perms, offset, device, inode, path;
            fields >> range >> perms >> offset >> device >> inode;
            std::getline(fields >> std::ws, path);
            current = groupOf(path);
        } else if (line.rfind("Rss:", 0) == 0) {
            const long kib = std::stol(line.substr(4));
            byGroup[current] += kib;
            total += kib;
        }
    }
    std::printf("%s: resident %.1f MiB (VmRSS %.1f MiB)\n", title.c_str(), total / 1024.0, residentKiB() / 1024.0);
    for (const auto& [group, kib] : byGroup)
        if (kib >= 256)
            std::printf("  %8.1f MiB  %s\n", kib / 1024.0, group.c_str());

    std::size_t sounds = 0;
    for (int type = 0; type < Sounds::typeCount; ++type)
        sounds +=
            static_cast<std::size_t>(Sounds::getInstance()->getFile(static_cast<Sounds::SoundType>(type)).frames) * 2 *
            sizeof(float);
    std::printf("  of which the game holds: decoded effects %.1f MiB, music ring %.2f MiB", sounds / 1048576.0,
                BackgroundMusic::bufferCount * BackgroundMusic::defaultBufferFrames * 2 * sizeof(float) / 1048576.0);
    if (const auto* software = dynamic_cast<const SDLDrawer*>(drawer)) {
        std::size_t pixelBuffers = 0;
        const std::size_t surfaces = sdlDrawerBytes(*software, pixelBuffers);
        const double screenMiB = SDLDrawer::windowWidth * SDLDrawer::windowHeight * 4 / 1048576.0;
        std::printf(", %zu pictures as surfaces %.1f MiB, their RGBA buffers kept %.1f MiB, screen %.1f MiB, "
                    "still picture %.1f MiB, scratch surface %.1f MiB (virtual; resident only where scaled draws "
                    "touched it)",
                    software->imageCount(), surfaces / 1048576.0, pixelBuffers / 1048576.0, screenMiB,
                    software->stillCallCount() > 0 ? screenMiB : 0.0,
                    SDLDrawer::scratchSize * SDLDrawer::scratchSize * 4 / 1048576.0);
    } else if (const auto* gl = dynamic_cast<const OpenGLDrawer*>(drawer)) {
        std::size_t textures = 0;
        std::size_t found = 0;
        for (std::uint32_t id = 1; found < gl->imageCount() && id < 100000; ++id)
            if (const OpenGLDrawer::Image* image = gl->findImage(id)) {
                ++found;
                textures += static_cast<std::size_t>(OpenGLDrawer::powerOfTwo(image->width)) *
                            OpenGLDrawer::powerOfTwo(image->height) * 4;
            }
        std::printf(", %zu textures %.1f MiB (held by the driver)", gl->imageCount(), textures / 1048576.0);
    }
    std::printf("\n");
}
