// Talking to windows on the test's X display (kept apart: Xlib's macros clash
// with GoogleTest).
#pragma once

// Sends WM_DELETE_WINDOW to the window with this title that belongs to the
// process `pid` (by its _NET_WM_PID; any pid when 0); false when no such
// window exists yet.
bool SendCloseToWindowNamed(const char* title, int pid = 0);
