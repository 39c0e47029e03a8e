// Quit signals on the desktop: SIGINT and SIGTERM.
#include "platform/QuitSignals.h"

#include <csignal>

namespace QuitSignals {

void leaveToSdl()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

void ignore()
{
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGTERM, SIG_IGN);
}

} // namespace QuitSignals
