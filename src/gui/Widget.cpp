// Widget statics: the window size in pixels.
#include "gui/Widget.h"

float Widget::screenWidth = 0.0f;
float Widget::screenHeight = 0.0f;
