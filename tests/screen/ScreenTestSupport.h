#pragma once

// Whether the screens are expected to draw with OpenGL in this run.
extern bool g_expectOpenGl;
