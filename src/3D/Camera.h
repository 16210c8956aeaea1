// The camera that follows the robot, and the lens flare.
// (Stand-in until this module is built: each call does the least that keeps
// the game flow running.)
#pragma once

void InitCamera();
void MoveCamera();
void DrawLensFlare();
