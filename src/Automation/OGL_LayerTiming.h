// One full-screen layer's cost on the game's own context, so a timedemo's
// frame times can be read against what the machine fills per frame.
#pragma once

// The mean time (ms) of one full-screen quad, textured, lit and fogged, over
// `layers` of them drawn on the current context (finished before and after).
// The frame in the back buffer is overwritten. 0 without a context.
double OGL_TimeFullScreenLayers(int layers);
