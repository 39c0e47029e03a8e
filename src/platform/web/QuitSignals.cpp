// A page gets no quit signals: the browser closes it without asking the game.
#include "platform/QuitSignals.h"

namespace QuitSignals {

void leaveToSdl() {}
void ignore() {}

} // namespace QuitSignals
