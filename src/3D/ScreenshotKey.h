// The screenshot key: F12 (bound to nothing else, and apart from the debug
// keys F8 – F10) writes the frame just drawn as a PNG where ScreenshotPaths
// says, in play and on every screen, then shows a short notice naming the file
// over the following frames. The shot is read before the notice is drawn, so
// the notice never shows in the picture. Nothing here makes object nodes or
// touches the game's state: a recorded run plays back the same with or
// without shots taken during it.
#pragma once

#include <SDL_scancode.h>

constexpr int SCREENSHOT_KEY = SDL_SCANCODE_F12;
constexpr float SCREENSHOT_NOTICE_SECONDS = 3.0f;		// how long the notice shows
constexpr float SCREENSHOT_NOTICE_FADE_SECONDS = 0.5f;	// its fade-out, at the end of that
constexpr float SCREENSHOT_NOTICE_SCALE = 0.35f;		// text scale, as text nodes count it
constexpr float SCREENSHOT_NOTICE_Y = 170.0f;			// 2D overlay units below the screen's centre
constexpr float SCREENSHOT_NOTICE_MARGIN = 8.0f;		// overlay units of backing around the text

// Once the scene is drawn, before the swap (OGL_DrawScene): takes a shot when
// the key was just pressed and draws the notice while it lasts.
void ScreenshotKey_Frame();
