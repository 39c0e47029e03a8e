// MinGW's GL/gl.h stops at OpenGL 1.1, whose opengl32.dll is what every Windows has; the few names
// the drawer takes from later versions (GL_CLAMP_TO_EDGE) are in glext.h. Given to the OpenGL
// drawer by the compiler (cmake/Windows.cmake), so that its code reads the same on every target.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>
