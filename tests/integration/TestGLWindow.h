// The window and GL 2.0 compatibility context that in-process render tests
// share within a suite.
#pragma once

// Opens the window (and the game's draw context) unless one is open already.
void OpenTestGLWindow(const char* title, int width, int height);
// Closes it again; nothing happens when none is open.
void CloseTestGLWindow();
