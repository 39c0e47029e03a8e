// Frame-to-frame bookkeeping of draw calls.
#include "draw/DrawCallHistory.h"

void DrawCallHistory::endFrame()
{
    previous.swap(current);
    current.clear();
}

std::size_t DrawCallHistory::sharedWithLastFrame() const
{
    std::size_t shared = 0;
    while (shared < current.size() && shared < previous.size() && current[shared] == previous[shared])
        ++shared;
    return shared;
}
