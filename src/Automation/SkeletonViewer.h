// A screen for looking at the skeletons: one skeleton type playing one
// animation on a turntable, with its clock, events and flags shown. Left and
// right step through the animations, up and down through the types, space
// pauses, period steps one frame while paused, A and D turn the view, Esc quits.
#pragma once

struct ObjNode;

// Shows `type` (0 … 25) playing `anim` until the program quits.
[[noreturn]] void RunSkeletonViewer(int type, int anim);

// The same one frame at a time, for tests: Open sets up the view and the
// scene, Frame moves and draws one frame (without input), Close releases it all.
void SkeletonViewer_Open(int type, int anim);
void SkeletonViewer_Frame();
// The scene pass of a frame (label and objects), for OGL_DrawScene.
void SkeletonViewer_DrawScene();
void SkeletonViewer_Close();
// The skeleton node on show (null when none).
ObjNode* SkeletonViewer_GetNode();
// Turns the view about the skeleton: 0 looks at its front, π/2 at its left side.
void SkeletonViewer_SetViewAngle(float radians);

// The type named by a switch's value: a number or a file name ("Quog",
// "farmer"), or −1.
int SkeletonViewer_ParseType(const char* text);
