// Screen fades: a node that moves gFadeLevel between 0 (black) and 1.
#pragma once

struct ObjNode;

enum
{
	FADE_MODE_OUT = 0,
	FADE_MODE_IN = 1,
	FADE_MODE_DONE = 2,
};

ObjNode* StartFade(bool fadeIn, float speed);
void MoveFade(ObjNode* node);
// Runs frames until the screen is black (returns at once with skip-fluff).
void FadeOutScene(void (*drawRoutine)(), void (*updateRoutine)());
