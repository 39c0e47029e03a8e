// Frame-to-frame bookkeeping of draw calls.
#include "draw/DrawCallHistory.h"

#include <utility>

void DrawCallHistory::record(Call call)
{
    if (shared == current.size() && shared < previous.size() && previous[shared] == call)
        ++shared;
    current.push_back(std::move(call));
}

void DrawCallHistory::endFrame()
{
    previous.swap(current);
    current.clear();
    shared = 0;
}

void DrawCallHistory::forgetLastFrame()
{
    previous.clear();
    shared = 0;
}
