// The robot in water: what each kind of water does to it (slime slows it and
// eats at its health, lava slows it hard and burns it, any other water makes
// it swim), and the swimming state itself.
#include "Player/PlayerInternal.h"
#include "3D/Skeleton.h"
#include "3D/SkeletonTypes.h"
#include "Effects/Particles.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/SoundTable.h"
#include "Terrain/TerrainFile.h"
#include "Terrain/Water.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float SLIME_DRAG = 300.0f;			// units per second of speed lost per second
	constexpr float SLIME_DAMAGE = 0.3f;			// health per second
	constexpr float LAVA_DRAG = 2000.0f;
	constexpr float LAVA_DAMAGE = 0.5f;
	constexpr float SPLASH_INTERVAL = 0.15f;		// seconds between the splashes or sparks of wading
	constexpr float FRICTION_SWIM = 900.0f;
	constexpr float SWIM_MAX_SPEED = 450.0f;		// units per second
	constexpr float SWIM_ANIM_SPEED = 0.8f;			// at rest; faster with speed
	constexpr float SWIM_ANIM_PER_SPEED = 0.003f;

	float gWaterEffectTimer = 0;

	// Horizontal speed taken down by `drag` per second, never reversed.
	void Drag(float drag, float dt)
	{
		float speed = std::hypot(gObjDelta.x, gObjDelta.z);
		if (speed <= 0)
			return;
		float k = std::max(0.0f, speed - drag * dt) / speed;
		gObjDelta.x *= k;
		gObjDelta.z *= k;
	}

	bool IsSwimmableKind(int kind)
	{
		return kind != WATER_KIND_SLIME && kind != WATER_KIND_LAVA;
	}

	// States that take the robot out of its own hands: the water leaves them be.
	bool IsFreeToSwim(int anim)
	{
		switch (anim)
		{
			case PLAYER_ANIM_STAND:
			case PLAYER_ANIM_STANDWITHGUN:
			case PLAYER_ANIM_WALK:
			case PLAYER_ANIM_WALKWITHGUN:
			case PLAYER_ANIM_WALKALT:
			case PLAYER_ANIM_JUMP:
			case PLAYER_ANIM_FALL:
			case PLAYER_ANIM_JUMPJET:
			case PLAYER_ANIM_SKID:
			case PLAYER_ANIM_GETUP:
			case PLAYER_ANIM_GOTHIT:
				return true;
			default:
				return false;
		}
	}
}

int GetPlayerWaterKind(const ObjNode* node, int patch)
{
	if (!(node->StatusBits & STATUS_BIT_INWATER) || !gWaterMeshes || patch < 0 || patch >= gNumWaterPatches)
		return -1;
	return gWaterMeshes[patch].kind;
}

float PlayerWaterStandHeight(int kind, float surface)
{
	// Swimming, the robot rides chest-deep; in slime and lava it wades on top.
	return IsSwimmableKind(kind) ? surface - PLAYER_SWIM_DEPTH : surface;
}

void DoPlayerWaterEffects(ObjNode* node, int patch, bool wasInWater)
{
	const int kind = GetPlayerWaterKind(node, patch);
	if (kind < 0)
	{
		gWaterEffectTimer = 0;
		return;
	}
	const float dt = gFrameTime;
	gWaterEffectTimer -= dt;
	const bool puff = gWaterEffectTimer <= 0;
	if (puff)
		gWaterEffectTimer = SPLASH_INTERVAL;
	const float surface = gWaterMeshes[patch].y;

	if (kind == WATER_KIND_SLIME)
	{
		Drag(SLIME_DRAG, dt);
		if (!gPlayerLevel.isDead)
			PlayerLoseHealth(SLIME_DAMAGE * dt, DEATH_KIND_WORN_OUT);
		if (puff)
			MakeRadialPuff(gObjCoord.x, surface, gObjCoord.z, 250, 25, PARTICLE_SPRITE_DROPLET, 6);
	}
	else if (kind == WATER_KIND_LAVA)
	{
		Drag(LAVA_DRAG, dt);
		if (!gPlayerLevel.isDead)
			PlayerLoseHealth(LAVA_DAMAGE * dt, DEATH_KIND_BLOWN_UP);
		if (puff)
		{
			OGLVector3D up = {0, 600, 0};
			MakeBouncingSparks(gObjCoord.x, gObjCoord.z, &up);
		}
	}
	else if (!wasInWater && !gPlayerLevel.isDead && IsFreeToSwim(PlayerAnim(node)))
	{
		MakeRadialPuff(gObjCoord.x, surface, gObjCoord.z, 400, 30, PARTICLE_SPRITE_DROPLET, 12);
		SetPlayerAnim(node, PLAYER_ANIM_SWIM, SWIM_ANIM_SPEED);
	}
}

void MovePlayerSwimming(ObjNode* node)
{
	DoPlayerSteering(node, true);
	ApplyPlayerFriction(node, FRICTION_SWIM);
	float speed = std::hypot(gObjDelta.x, gObjDelta.z);
	if (speed > SWIM_MAX_SPEED)
	{
		gObjDelta.x *= SWIM_MAX_SPEED / speed;
		gObjDelta.z *= SWIM_MAX_SPEED / speed;
		speed = SWIM_MAX_SPEED;
	}
	MovePlayerStep(node);
	if (PlayerAnim(node) != PLAYER_ANIM_SWIM)
		return;			// the water test already changed state (or the robot died)
	node->Skeleton->AnimSpeed = SWIM_ANIM_SPEED + speed * SWIM_ANIM_PER_SPEED;

	// Out on a shore: back on its feet.
	if (!(node->StatusBits & STATUS_BIT_INWATER))
	{
		SetPlayerAnim(node, PLAYER_ANIM_STAND);
		return;
	}
	DoPlayerJumpControls(node);
}
