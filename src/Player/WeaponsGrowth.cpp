// Growth: the robot swells to three times its size, stays giant for a while
// and shrinks back. Its box, the camera's distance and its shadow follow the
// scale. GL-free.
#include "Player/Weapons.h"
#include "Player/PlayerInternal.h"
#include "3D/Camera.h"

#include <algorithm>

int gGrowthState = GROWTH_STATE_NONE;
float gGrowthTimer = 0;
float gGrowthNodeScale = GROWTH_MIN_SCALE;

namespace
{
	constexpr float GROWTH_RATE = 1.0f;				// node scale per second
	constexpr float BOX_HALF_WIDTH = 40.0f;			// per unit of node scale
	constexpr float SHADOW_SCALE = 3.7f;			// per unit of gPlayerLevel.scale
	constexpr float CAMERA_DIST = 700.0f, CAMERA_DIST_PER_SCALE = 75.0f;
	constexpr float CAMERA_LOOK_Y = 100.0f, CAMERA_LOOK_Y_PER_SCALE = 190.0f;

	// The robot's box offsets at normal size, taken when it starts growing
	// and put back when it is reset.
	int32_t gBaseOffsets[6];
	bool gHaveBaseOffsets = false;

	void KeepBaseOffsets(const ObjNode* p)
	{
		const int32_t o[6] = {p->LeftOff, p->RightOff, p->FrontOff, p->BackOff, p->TopOff, p->BottomOff};
		std::copy(o, o + 6, gBaseOffsets);
		gHaveBaseOffsets = true;
	}

	void RestoreBaseOffsets(ObjNode* p)
	{
		p->LeftOff = gBaseOffsets[0];
		p->RightOff = gBaseOffsets[1];
		p->FrontOff = gBaseOffsets[2];
		p->BackOff = gBaseOffsets[3];
		p->TopOff = gBaseOffsets[4];
		p->BottomOff = gBaseOffsets[5];
		p->Scale = {GROWTH_MIN_SCALE, GROWTH_MIN_SCALE, GROWTH_MIN_SCALE};
		gHaveBaseOffsets = false;
	}
}

void ResetGrowth(ObjNode* player)
{
	if (player && gHaveBaseOffsets)
		RestoreBaseOffsets(player);
	gHaveBaseOffsets = false;
	gGrowthState = GROWTH_STATE_NONE;
	gGrowthTimer = 0;
	gGrowthNodeScale = GROWTH_MIN_SCALE;
}

void UpdateGrowth(ObjNode* player, float dt)
{
	switch (gGrowthState)
	{
		case GROWTH_STATE_GROWING:
			if (gGrowthNodeScale < GROWTH_MAX_SCALE)
				gGrowthNodeScale = std::min(GROWTH_MAX_SCALE, gGrowthNodeScale + GROWTH_RATE * dt);
			else
			{
				gGrowthTimer -= dt;
				if (gGrowthTimer <= 0)
					gGrowthState = GROWTH_STATE_SHRINKING;
			}
			break;
		case GROWTH_STATE_SHRINKING:
			gGrowthNodeScale = std::max(GROWTH_MIN_SCALE, gGrowthNodeScale - GROWTH_RATE * dt);
			if (gGrowthNodeScale <= GROWTH_MIN_SCALE)
				gGrowthState = GROWTH_STATE_NONE;
			break;
		default:
			return;					// normal size: nothing of the robot's is touched
	}

	const float s = gGrowthNodeScale;
	gPlayerLevel.scale = s / GROWTH_MIN_SCALE;
	gCameraDistFromMe = CAMERA_DIST + CAMERA_DIST_PER_SCALE * (gPlayerLevel.scale - 1);
	gCameraLookAtYOff = CAMERA_LOOK_Y + CAMERA_LOOK_Y_PER_SCALE * (gPlayerLevel.scale - 1);
	if (!player)
		return;
	if (!gHaveBaseOffsets)
		KeepBaseOffsets(player);
	const float perScale = 1.0f / GROWTH_MIN_SCALE;
	player->Scale = {s, s, s};
	player->LeftOff = player->BackOff = int32_t(-BOX_HALF_WIDTH * s);
	player->RightOff = player->FrontOff = int32_t(BOX_HALF_WIDTH * s);
	player->TopOff = int32_t(float(gBaseOffsets[4]) * perScale * s);
	player->BottomOff = int32_t(float(gBaseOffsets[5]) * perScale * s);
	if (gGrowthState == GROWTH_STATE_NONE)
		RestoreBaseOffsets(player);		// back to normal size exactly; the next growth takes them afresh
	if (player->ShadowNode)
		player->ShadowNode->SpecialF[0] = player->ShadowNode->SpecialF[1] = SHADOW_SCALE * gPlayerLevel.scale;
}
