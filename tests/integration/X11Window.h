// Talking to windows on the test's X display (kept apart: Xlib's macros clash
// with GoogleTest).
#pragma once

// Sends WM_DELETE_WINDOW to the first window with this title; false when no
// such window exists yet.
bool SendCloseToWindowNamed(const char* title);
