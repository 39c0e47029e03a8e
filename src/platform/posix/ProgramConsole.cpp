// A Linux program and a page have their standard streams from the start: nothing to attach.
#include "platform/ProgramConsole.h"

void ProgramConsole::attach() {}
