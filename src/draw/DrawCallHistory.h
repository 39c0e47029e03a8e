// The draw calls of the frame being drawn and of the frame before it. Screens draw most of a frame
// the way they drew the last one, so the calls the two share tell a drawer what it need not redo.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class DrawCallHistory {
public:
    // One drawImage or drawText as a screen asked for it. A drawer that draws in the pictures'
    // own colours leaves the tint at opaque white, so that a fade alone is no change to it.
    struct Call {
        std::uint32_t image = 0; // 0 for text
        std::int16_t x = 0;
        std::int16_t y = 0;
        float scaleX = 0.0f; // the text size for text
        float scaleY = 0.0f;
        std::string text;
        float red = 1.0f;
        float green = 1.0f;
        float blue = 1.0f;
        float alpha = 1.0f;

        bool operator==(const Call&) const = default;
    };

    void record(Call call);
    // The frame is over: its calls become the last frame's.
    void endFrame();
    // The last frame is no longer on the screen as its calls say (a picture they name has gone
    // or changed): this frame shares nothing with it.
    void forgetLastFrame();

    const std::vector<Call>& thisFrame() const { return current; }
    const std::vector<Call>& lastFrame() const { return previous; }
    // How many first calls this frame shares with the last, in the same order.
    std::size_t sharedWithLastFrame() const { return shared; }
    // Every call so far is the last frame's at the same place.
    bool repeatsLastFrameSoFar() const { return shared == current.size(); }
    // The same, and there are no more and no fewer of them.
    bool repeatsLastFrame() const { return shared == current.size() && shared == previous.size(); }

    // Calls `visit` with every call, in either list, at a position from `from` on where the two
    // lists differ (a call the other list lacks included).
    template <typename Visit>
    static void forEachDifference(const std::vector<Call>& one, const std::vector<Call>& other, std::size_t from,
                                  Visit visit)
    {
        for (std::size_t i = from; i < std::max(one.size(), other.size()); ++i) {
            if (i < one.size() && i < other.size() && one[i] == other[i])
                continue;
            if (i < one.size())
                visit(one[i]);
            if (i < other.size())
                visit(other[i]);
        }
    }

private:
    std::vector<Call> current;
    std::vector<Call> previous;
    std::size_t shared = 0; // kept as the calls come, so that asking after every call costs nothing
};
