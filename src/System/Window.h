// The game window and the display mode.
#pragma once

struct SDL_Window;

extern SDL_Window* gWindow;
extern int gFullscreenWidth;
extern int gFullscreenHeight;
extern int gFullscreenRefreshRate;

// Applies gGamePrefs.fullscreen / displayNumber / vsync to the window.
void ApplyDisplayMode();
// Relative mouse mode and hidden cursor while grabbed.
void GrabMouse(bool grab);
// Leaves fullscreen and hides the window (before an alert box).
void HideGameWindow();

// Window size for a usable display area: two thirds of it, at 16:9.
void CalcDefaultWindowSize(int usableWidth, int usableHeight, int* width, int* height);
