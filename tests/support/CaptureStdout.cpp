// (Header-only helper; this file keeps the support library's source list honest.)
#include "support/CaptureStdout.h"
