// The overdraw view (debug mode 4, DEBUG_MODE_OVERDRAW): the frame drawn as
// usual into an off-screen buffer whose stencil counts how many times each
// pixel was written (every fragment that passes the depth and alpha tests),
// then shown as a heat map: black never, blue once, cyan twice, green three
// times, yellow four, orange five, red six, magenta seven, white eight or
// more. A costly scene shows as a warm patch.
#pragma once

constexpr int DEBUG_MODE_OVERDRAW = 4;
constexpr int OVERDRAW_LEVELS = 9;			// 0 … 8 or more writes

// Whether the driver can hold the off-screen buffer (framebuffer objects with
// a packed depth-stencil buffer); checked once.
bool OGL_OverdrawViewAvailable();
// Before the frame's clear: draw into the counting buffer (width × height pixels).
// False (and nothing changed) when the view is not available.
bool OGL_BeginOverdrawView(int width, int height);
// After the scene: the heat map into the window's back buffer.
void OGL_EndOverdrawView();
// Frees the buffer (with the draw context).
void OGL_DisposeOverdrawView();
