#include "System/Fade.h"
#include "System/Boot.h"
#include "System/FrameTime.h"
#include "System/Input.h"
#include "System/Objects.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"

static ObjNode* MakeFadeNode(float speed, bool fadeIn)
{
	ObjectDef def{};
	def.genre = CUSTOM_GENRE;
	def.slot = 5200;
	def.moveCall = MoveFade;
	def.drawCall = OGL_DrawFadeOverlay;
	def.drawPass = DRAW_PASS_HUD;
	def.scale = 1;
	ObjNode* node = MakeNewObject(&def);
	node->Mode = fadeIn ? FADE_MODE_IN : FADE_MODE_OUT;
	node->SpeedParam = speed;
	return node;
}

ObjNode* StartFade(bool fadeIn, float speed)
{
	if (ObjNode* node = FindObjectWithMoveCall(MoveFade))
	{
		node->Mode = fadeIn ? FADE_MODE_IN : FADE_MODE_OUT;
		node->SpeedParam = speed;
		return node;
	}
	gFadeLevel = fadeIn ? 0.0f : 1.0f;
	return MakeFadeNode(speed, fadeIn);
}

void MoveFade(ObjNode* node)
{
	float step = gFrameTime * node->SpeedParam;
	if (node->Mode == FADE_MODE_IN)
	{
		gFadeLevel += step;
		if (gFadeLevel >= 1)
		{
			gFadeLevel = 1;
			node->Mode = FADE_MODE_DONE;
			DeleteObject(node);
		}
	}
	else if (node->Mode == FADE_MODE_OUT)
	{
		gFadeLevel -= step;
		if (gFadeLevel <= 0)
		{
			gFadeLevel = 0;
			node->Mode = FADE_MODE_DONE;
			node->MoveCall = nullptr;	// stays, drawing black, until the scene is cleared
		}
	}
}

void FadeOutScene(void (*drawRoutine)(), void (*updateRoutine)())
{
	if (gSkipFluff)
		return;

	ObjNode* node = FindObjectWithMoveCall(MoveFade);
	if (node)
		node->Mode = FADE_MODE_OUT;
	else
	{
		gFadeLevel = 1;
		node = MakeFadeNode(3.0f, false);
	}
	node->SpeedParam = 3.0f;

	while (node->Mode != FADE_MODE_DONE)
	{
		MeasureFrameTime();
		UpdateInput();
		if (updateRoutine)
			updateRoutine();
		MoveFade(node);
		OGL_DrawScene(drawRoutine);
	}

	gFadeLevel = 0;
	MeasureFrameTime();
	UpdateInput();
	OGL_DrawScene(drawRoutine);
}
