// The desktop's loop: a frame, then the pacer's wait for the next one (none with BRICKWRATH_UNPACED=1).
#include "platform/MainLoop.h"

#include "platform/Environment.h"
#include "platform/desktop/FramePacer.h"

void MainLoop::run(Frame frame)
{
    FramePacer pacer;
    pacer.setEnabled(!Environment::isOn("BRICKWRATH_UNPACED"));
    while (frame())
        pacer.frameDone();
}
