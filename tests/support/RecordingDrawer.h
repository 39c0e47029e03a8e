// A drawer for tests: keeps every image it is given and the draw calls of each frame, so screens
// can be checked call by call without a window.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "draw/Drawer.h"
#include "draw/assets/Images.h"

// One of the pictures compiled into the game, as isPicture, callsOf and drawsAt take it.
#define PICTURE(name) Images::name, Images::name##_length

// A picture drawn at a place, for drawsAt; a null picture: nothing drawn.
struct Seen {
    const unsigned char* data;
    unsigned int length;
    int x;
    int y;
};

struct DrawCall {
    enum Kind { Image, Text } kind = Image;
    std::uint32_t id = 0; // images
    std::string text;     // texts
    std::int16_t x = 0;
    std::int16_t y = 0;
    float scaleX = 1.0f; // images
    float scaleY = 1.0f;
    float size = 0.0f; // texts
    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
    float alpha = 1.0f;
};

class RecordingDrawer : public Drawer {
public:
    bool initialise(std::uint16_t, std::uint16_t, bool, int) override { return true; }
    std::uint32_t loadImage(Pixels pixels, std::uint32_t width, std::uint32_t height) override;
    void releaseImage(std::uint32_t id) override;
    void beginDrawing() override;
    void endDrawing() override;
    void drawImage(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY, float red, float green,
                   float blue, float alpha) override;
    void drawText(const std::string& text, std::int16_t x, std::int16_t y, float size, float red, float green,
                  float blue, float alpha) override;
    void loadGlyph(Glyph glyph, Pixels pixels, std::uint32_t size) override;

    // Records one frame of what `draw` draws; its calls.
    const std::vector<DrawCall>& record(const std::function<void(Drawer*)>& draw);
    // Calls of the frame being drawn, or of the last finished frame once endDrawing was called.
    const std::vector<DrawCall>& calls() const { return inFrame ? current : finished; }
    // Calls of the last frame whose image was loaded from the given embedded bytes.
    std::vector<DrawCall> callsOf(const unsigned char* data, unsigned int length) const;
    std::vector<DrawCall> texts() const;
    // Whether the last frame wrote this text.
    bool shows(const std::string& text) const;
    // Whether the image behind `id` is the decoded form of the embedded bytes.
    bool isPicture(std::uint32_t id, const unsigned char* data, unsigned int length) const;
    // Success when `call` draws the picture at (x, y) at its own size and in its own colours.
    ::testing::AssertionResult drawsAt(const DrawCall& call, const unsigned char* data, unsigned int length, int x,
                                       int y) const;
    ::testing::AssertionResult drawsAt(const DrawCall& call, const Seen& seen) const
    {
        return drawsAt(call, seen.data, seen.length, seen.x, seen.y);
    }
    // Success when `call` writes the text in black at (x, y), of that size and opacity.
    static ::testing::AssertionResult writes(const DrawCall& call, const std::string& text, int x, int y, float size,
                                             float alpha);

    std::size_t liveImages() const { return pictures.size(); }
    std::size_t imagesLoaded() const { return loads; }

protected:
    // A drawer that gets every call too and hands out the ids (see MirroringDrawer).
    Drawer* mirror = nullptr;

private:
    struct Picture {
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        std::vector<unsigned char> pixels;
    };
    std::map<std::uint32_t, Picture> pictures;
    std::uint32_t nextId = 1;
    std::size_t loads = 0;
    bool inFrame = false;
    std::vector<DrawCall> current;
    std::vector<DrawCall> finished;
};

// Draws `frames` frames of the current screen into the drawer.
void drawFrames(RecordingDrawer& drawer, int frames);
