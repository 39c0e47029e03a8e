// OpenGL back end: letterboxed 4:3 orthographic view, textures enlarged to powers of two. Calls
// are held back while they repeat the last frame's; a frame that repeats it whole costs no drawing.
#include "draw/opengl/OpenGLDrawer.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL/SDL.h>
#include <cstring>
#include <iostream>
#include <vector>

#include "draw/PictureArea.h"

namespace {

void setAttribute(SDL_GLattr attribute, int value, const char* failure)
{
    if (SDL_GL_SetAttribute(attribute, value) < 0)
        std::cout << failure << std::endl;
}

// Copies an image into the top-left of a larger power-of-two buffer. Each row's right-hand fill
// repeats the alpha of its last pixel and the rows below repeat the last row, so linear
// filtering at the image's edge blends with its own colours rather than with black.
Drawer::Pixels enlarge(const unsigned char* pixels, std::uint32_t width, std::uint32_t height,
                       std::uint32_t textureWidth, std::uint32_t textureHeight)
{
    const std::size_t rowBytes = static_cast<std::size_t>(textureWidth) * 4;
    auto buffer = std::make_unique<unsigned char[]>(rowBytes * textureHeight);
    for (std::uint32_t row = 0; row < height; ++row) {
        const unsigned char* src = pixels + static_cast<std::size_t>(row) * width * 4;
        unsigned char* dst = buffer.get() + row * rowBytes;
        std::memcpy(dst, src, static_cast<std::size_t>(width) * 4);
        const unsigned char last = src[static_cast<std::size_t>(width) * 4 - 1];
        std::memset(dst + static_cast<std::size_t>(width) * 4, last, (textureWidth - width) * 4u);
    }
    for (std::uint32_t row = height; row < textureHeight; ++row)
        std::memcpy(buffer.get() + row * rowBytes, buffer.get() + (height - 1) * rowBytes, rowBytes);
    return buffer;
}

} // namespace

OpenGLDrawer::OpenGLDrawer() = default;

OpenGLDrawer::~OpenGLDrawer()
{
    // The textures go with the OpenGL context when SDL closes the window.
    images.clear();
}

bool OpenGLDrawer::isPowerOfTwo(std::uint32_t n)
{
    return n != 0 && powerOfTwo(n) == n;
}

std::uint32_t OpenGLDrawer::powerOfTwo(std::uint32_t n)
{
    std::uint32_t power = 1;
    while (power < n && power < 0x80000000u)
        power <<= 1;
    return power;
}

bool OpenGLDrawer::initialise(std::uint16_t width, std::uint16_t height, bool fullscreen, int antialias)
{
    setAttribute(SDL_GL_RED_SIZE, 8, "OpenGLDrawer: Could not set red pixel size to 8...");
    setAttribute(SDL_GL_GREEN_SIZE, 8, "OpenGLDrawer: Could not set green pixel size to 8...");
    setAttribute(SDL_GL_BLUE_SIZE, 8, "OpenGLDrawer: Could not set blue pixel size to 8...");
    setAttribute(SDL_GL_ALPHA_SIZE, 8, "OpenGLDrawer: Could not set alpha pixel size to 8...");
    setAttribute(SDL_GL_DEPTH_SIZE, 16, "OpenGLDrawer: Could not set depth size to 16...");
    setAttribute(SDL_GL_DOUBLEBUFFER, 1, "OpenGLDrawer: Could not set double buffering...");
    setAttribute(SDL_GL_SWAP_CONTROL, 1, "OpenGLDrawer: Could not set vertical sync...");
    if (antialias > 0) {
        setAttribute(SDL_GL_MULTISAMPLEBUFFERS, 1, "OpenGLDrawer: Could not set multi sample buffers...");
        setAttribute(SDL_GL_MULTISAMPLESAMPLES, antialias, "OpenGLDrawer: Could not set multi sample samples...");
    }

    const Uint32 flags = SDL_OPENGL | (fullscreen ? SDL_FULLSCREEN : 0);
    const bool haveSurface = SDL_SetVideoMode(width, height, 0, flags) != nullptr;
    if (!haveSurface)
        return false;

    initFonts();
    setUpView(width, height);
    return true;
}

bool OpenGLDrawer::changeMode(std::uint16_t width, std::uint16_t height, bool fullscreen)
{
    if (SDL_SetVideoMode(width, height, 0, SDL_OPENGL | (fullscreen ? SDL_FULLSCREEN : 0)) == nullptr)
        return false;
    // SDL keeps the context where it can; a new one has none of the old textures.
    if (glIsTexture(glyphs[0].texture) == GL_FALSE) {
        images.clear();
        initFonts();
        takeNewSerial();
    }
    setUpView(width, height);
    return true;
}

void OpenGLDrawer::setUpView(std::uint16_t width, std::uint16_t height)
{
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const PictureArea area = PictureArea::fit(width, height);
    glViewport(area.x, area.y, area.width, area.height);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, virtualWidth, virtualHeight, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glShadeModel(GL_SMOOTH);
    glClearDepth(1.0);
    glDisable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    pictureChanged();
}

void OpenGLDrawer::initFonts()
{
    // Until the real glyphs arrive every glyph is an opaque white square.
    const std::vector<unsigned char> white(16 * 16 * 4, 255);
    for (Image& glyph : glyphs) {
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 16, 16, 0, GL_RGBA, GL_UNSIGNED_BYTE, white.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glBindTexture(GL_TEXTURE_2D, 0);
        glyph = Image{texture, 16, 16, 1.0f, 1.0f};
    }
}

std::uint32_t OpenGLDrawer::loadImage(Pixels pixels, std::uint32_t width, std::uint32_t height)
{
    if (!pixels || width == 0 || height == 0)
        return 0;
    Image image;
    image.width = static_cast<std::uint16_t>(width);
    image.height = static_cast<std::uint16_t>(height);
    const std::uint32_t textureWidth = powerOfTwo(width);
    const std::uint32_t textureHeight = powerOfTwo(height);
    if (!isPowerOfTwo(width) || !isPowerOfTwo(height)) {
        pixels = enlarge(pixels.get(), width, height, textureWidth, textureHeight);
        image.u = static_cast<float>(width) / static_cast<float>(textureWidth);
        image.v = static_cast<float>(height) / static_cast<float>(textureHeight);
    }

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, static_cast<GLsizei>(textureWidth), static_cast<GLsizei>(textureHeight), 0,
                 GL_RGBA, GL_UNSIGNED_BYTE, pixels.get());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLfloat>(GL_CLAMP_TO_EDGE));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLfloat>(GL_CLAMP_TO_EDGE));
    glBindTexture(GL_TEXTURE_2D, 0);
    image.texture = texture;
    // A call remembered with this id may have drawn nothing before it existed.
    pictureChanged();

    while (images.count(nextId) != 0)
        ++nextId;
    images[nextId] = image;
    return nextId;
}

void OpenGLDrawer::releaseImage(std::uint32_t id)
{
    const auto found = images.find(id);
    if (found == images.end())
        return;
    pictureChanged();
    glDeleteTextures(1, &found->second.texture);
    images.erase(found);
}

void OpenGLDrawer::loadGlyph(Glyph glyph, Pixels pixels, std::uint32_t size)
{
    if (!pixels)
        return;
    pictureChanged();
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, static_cast<GLsizei>(size), static_cast<GLsizei>(size), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, pixels.get());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
    Image& record = glyphs[glyph];
    if (record.texture != 0)
        glDeleteTextures(1, &record.texture);
    record = Image{texture, static_cast<std::uint16_t>(size), static_cast<std::uint16_t>(size), 1.0f, 1.0f};
}

void OpenGLDrawer::beginDrawing()
{
    inFrame = true;
    if (redrawNext)
        startPicture();
}

void OpenGLDrawer::endDrawing()
{
    // A frame that stopped short of the last one's calls has not started its picture yet.
    if (!drawing && !calls.repeatsLastFrame())
        startPicture();
    // Skipping the swap leaves the shown picture alone; what the back buffer holds after a swap
    // is never used, as every drawn frame clears it first.
    if (drawing)
        SDL_GL_SwapBuffers();
    lastDrawn = drawing;
    inFrame = false;
    drawing = false;
    redrawNext = false;
    calls.endFrame();
}

void OpenGLDrawer::windowExposed()
{
    pictureChanged();
}

void OpenGLDrawer::pictureChanged()
{
    // Within a frame the calls so far are drawn now, with the textures they were meant for.
    if (!inFrame)
        redrawNext = true;
    else if (!drawing)
        startPicture();
}

void OpenGLDrawer::startPicture()
{
    drawing = true;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    for (const DrawCall& call : calls.thisFrame())
        execute(call);
}

void OpenGLDrawer::drawImage(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY, float red,
                             float green, float blue, float alpha)
{
    submit(DrawCall{id, x, y, scaleX, scaleY, {}, red, green, blue, alpha});
}

void OpenGLDrawer::drawText(const std::string& text, std::int16_t x, std::int16_t y, float size, float red, float green,
                            float blue, float alpha)
{
    submit(DrawCall{0, x, y, size, size, text, red, green, blue, alpha});
}

void OpenGLDrawer::submit(DrawCall call)
{
    calls.record(std::move(call));
    if (drawing)
        execute(calls.thisFrame().back());
    else if (!calls.repeatsLastFrameSoFar())
        startPicture();
}

void OpenGLDrawer::execute(const DrawCall& call)
{
    if (call.image != 0)
        drawImageNow(call);
    else
        drawTextNow(call);
}

void OpenGLDrawer::drawImageNow(const DrawCall& call)
{
    const auto found = images.find(call.image);
    if (found == images.end())
        return;
    const Image& image = found->second;
    const float w = image.width;
    const float h = image.height;
    // Scaling keeps the centre of the unscaled picture where it was.
    const float left = call.x - (w * call.scaleX - w) * 0.5f;
    const float top = call.y - (h * call.scaleY - h) * 0.5f;
    const float right = left + w * call.scaleX;
    const float bottom = top + h * call.scaleY;

    glBindTexture(GL_TEXTURE_2D, image.texture);
    glColor4f(call.red, call.green, call.blue, call.alpha);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(left, top);
    glTexCoord2f(image.u, 0.0f);
    glVertex2f(right, top);
    glTexCoord2f(image.u, image.v);
    glVertex2f(right, bottom);
    glTexCoord2f(0.0f, image.v);
    glVertex2f(left, bottom);
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void OpenGLDrawer::drawTextNow(const DrawCall& call)
{
    const float size = call.scaleX;
    float pen = call.x;
    const float top = call.y;
    for (const char c : call.text) {
        const int glyph = glyphFor(c);
        if (glyph >= 0) {
            glBindTexture(GL_TEXTURE_2D, glyphs[static_cast<std::size_t>(glyph)].texture);
            glColor4f(call.red, call.green, call.blue, call.alpha);
            glBegin(GL_QUADS);
            glTexCoord2f(0.0f, 0.0f);
            glVertex2f(pen, top);
            glTexCoord2f(1.0f, 0.0f);
            glVertex2f(pen + size, top);
            glTexCoord2f(1.0f, 1.0f);
            glVertex2f(pen + size, top + size);
            glTexCoord2f(0.0f, 1.0f);
            glVertex2f(pen, top + size);
            glEnd();
            glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
            glBindTexture(GL_TEXTURE_2D, 0);
        }
        pen += size;
    }
}

const OpenGLDrawer::Image* OpenGLDrawer::findImage(std::uint32_t id) const
{
    const auto found = images.find(id);
    return found == images.end() ? nullptr : &found->second;
}
