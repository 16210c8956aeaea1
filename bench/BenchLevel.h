// A level running logic-only inside a benchmark process, as --no-draw plays
// it: the game is booted once, and asking for another level cleans up the
// one running and starts the new one. The robot is steered by a virtual
// input source that walks wide circles and jumps now and then.
#pragma once

// Boots the game (once) and makes `level` the running level, played for
// `warmUpFrames` frames when it had to be started. False when there is no
// baked Data folder beside the build.
bool RunLevelForBench(int level, int warmUpFrames);

// One frame of play without drawing: input, the move pass, the camera, the
// clocks, the terrain window and culling.
void PlayBenchFrame();
