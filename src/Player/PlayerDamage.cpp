// Hits, health, death, the closing shutters that take a life, and the respawn.
#include "Player/PlayerInternal.h"
#include "Player/Weapons.h"
#include "Items/Contraptions.h"
#include "Items/Hazards.h"
#include "3D/BG3D.h"
#include "3D/Camera.h"
#include "3D/MetaObjects.h"
#include "3D/OGL_State.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/Game.h"
#include "System/Input.h"
#include "System/LevelTable.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>

DeathTransition gDeathTransition = {};

namespace
{
	constexpr float SHUTTER_SPEED = 300.0f;			// screen units per second
	constexpr float SHUTTER_OPEN = -20.0f;
	constexpr float SHUTTER_SHUT = 320.0f;
	constexpr float DEATH_INVINCIBILITY = 3.0f;
	constexpr float DEATH_SHARD_FORCE = 500.0f;		// how hard the shards of a blown-up robot fly
	constexpr float DEATH_SHARD_DECAY = 0.6f;		// scale the shards lose per second
	ObjNodeRef gPlayerFallDoor;

	bool IsHitProofAnim(int anim)
	{
		switch (anim)
		{
			case PLAYER_ANIM_GRABBED:
			case PLAYER_ANIM_ZAPPED:
			case PLAYER_ANIM_DEATH:
			case PLAYER_ANIM_GOTHIT:
			case PLAYER_ANIM_CARRY:
			case PLAYER_ANIM_BEAMEDUP:
			case PLAYER_ANIM_FLYTRAPPED:
			case PLAYER_ANIM_BUMPERCAR:
			case PLAYER_ANIM_STRONGMANHELD:
				return true;
			default:
				return false;
		}
	}

	// Sparks and the shards of the robot's three models (the saucer's one);
	// whatever it was playing stops.
	void BlowApart(ObjNode* node)
	{
		MakeSparkBurst(node->Coord.x, node->Coord.y, node->Coord.z, 400, PARTICLE_SObjType_WhiteSpark,
				GL_SRC_ALPHA, GL_ONE, 1.0f);
		ExplodeGeometry(node, DEATH_SHARD_FORCE, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN | SHARD_MODE_UPTHRUST, 1,
				DEATH_SHARD_DECAY);
		if (node->Skeleton)
			for (ObjNode* hand : gPlayerHandNodes)
				if (hand && hand->CType != INVALID_NODE_FLAG && !(hand->StatusBits & STATUS_BIT_HIDDEN))
					ExplodeGeometry(hand, DEATH_SHARD_FORCE, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 1, DEATH_SHARD_DECAY);
		StopAChannel(&node->EffectChannel);
	}

	void HidePlayer(ObjNode* node, bool hide)
	{
		if (hide)
		{
			node->StatusBits |= STATUS_BIT_HIDDEN;
			node->CType = 0;
		}
		else
		{
			node->StatusBits &= ~STATUS_BIT_HIDDEN;
			node->CType = CTYPE_PLAYER;
		}
		ShowPlayerHands(!hide);
	}
}

bool PlayerGotHit(ObjNode* attacker, float damage)
{
	if (gPlayerLevel.invincibleTimer > 0)
		return false;
	ObjNode* node = gPlayerNode;
	if (!node || !node->Skeleton)
		FatalAlert("PlayerGotHit: no skeleton on player");

	if (PlayerAnim(node) == PLAYER_ANIM_BUBBLE)
	{
		PopPlayerBubble();
		gPlayerLevel.invincibleTimer = PLAYER_HIT_INVINCIBILITY;
		return true;
	}
	float heading = node->Rot.y;
	if (attacker)
	{
		damage = attacker->Damage;
		heading = attacker->Rot.y;
	}

	// Already reeling, dying or in a vehicle: the damage counts, the knock-back does not.
	if (!IsHitProofAnim(PlayerAnim(node)))
	{
		SetPlayerAnim(node, PLAYER_ANIM_GOTHIT, 7);
		OGLVector3D knock = {-std::sin(heading) * PLAYER_KNOCKBACK_SPEED, 400, -std::cos(heading) * PLAYER_KNOCKBACK_SPEED};
		node->Delta = knock;
		if (gCurrentMoveNode == node)		// the hit came during the robot's own move
			gObjDelta = knock;
		node->StatusBits &= ~STATUS_BIT_ONGROUND;
		gPlayerLevel.heldObject = nullptr;
	}
	PlayerLoseHealth(damage, DEATH_KIND_BLOWN_UP);
	gPlayerLevel.invincibleTimer = PLAYER_HIT_INVINCIBILITY;
	return true;
}

bool PlayerLoseHealth(float amount, uint8_t deathKind)
{
	// A dead robot has nothing left to lose (health is 0 once dead).
	if (gPlayerLevel.isDead || gRun.health < 0)
		return true;
	gRun.health -= amount;
	if (gRun.health > 0)
	{
		Rumble(0.8f, 300);
		return false;
	}
	gRun.health = 0;
	KillPlayer(deathKind);
	return true;
}

void KillPlayer(uint8_t deathKind)
{
	ObjNode* node = gPlayerNode;
	if (!node)
		return;
	if (gPlayerLevel.isDead)
	{
		// Later calls only force the animation of a robot still on show.
		if (!(node->StatusBits & STATUS_BIT_HIDDEN))
		{
			if (deathKind == DEATH_KIND_WORN_OUT && PlayerAnim(node) != PLAYER_ANIM_DEATH)
				SetPlayerAnim(node, PLAYER_ANIM_DEATH, 5);
			else if (deathKind == DEATH_KIND_FELL && PlayerAnim(node) != PLAYER_ANIM_FALL)
				SetPlayerAnim(node, PLAYER_ANIM_FALL);
		}
		return;
	}

	gPlayerLevel.isDead = true;
	gRun.health = 0;
	gPlayerLevel.heldObject = nullptr;
	switch (deathKind)
	{
		case DEATH_KIND_WORN_OUT:
			SetPlayerAnim(node, PLAYER_ANIM_DEATH, 5);
			gPlayerLevel.deathTimer = 3;
			gPlayerLevel.invincibleTimer = DEATH_INVINCIBILITY;
			break;

		case DEATH_KIND_BLOWN_UP:
			BlowApart(node);
			HidePlayer(node, true);
			PlayPlayerEffect3D(EFFECT_PLAYERCRASH, &node->Coord);
			StartDeathTransition(2.5f);
			gPlayerLevel.deathTimer = 3;
			gPlayerLevel.invincibleTimer = DEATH_INVINCIBILITY;
			break;

		case DEATH_KIND_FELL:
			SetPlayerAnim(node, PLAYER_ANIM_FALL);
			gPlayerLevel.deathTimer = 2;
			gPlayerLevel.invincibleTimer = 2;
			PlayPlayerEffect3D(EFFECT_YAAA, &node->Coord);
			StartDeathTransition(2.0f);
			gPlayerFallDoor = ObjNodeRef(FindTrapDoorNear(node->Coord, TRAP_DOOR_FALL_REACH));
			break;

		case DEATH_KIND_SAUCER:
			PlayPlayerEffect(EFFECT_SAUCER_MINEEXPLOSION);
			Rumble(1.0f, 1000);
			BlowApart(node);
			SilencePlayerSaucer();
			// Gone until the respawn shows it again.
			node->StatusBits |= STATUS_BIT_HIDDEN;
			node->CType = 0;
			StartDeathTransition(2.5f);
			break;
	}
}

ObjNode* PlayerFallDoor()
{
	return gPlayerFallDoor.Get();
}

void ResetPlayerAtCheckpoint()
{
	ObjNode* node = gPlayerNode;
	if (!node)
		return;
	UpdateVisibleTerrain(gPlayerLevel.checkpointX, gPlayerLevel.checkpointZ);
	gPlayerFallDoor.Clear();

	node->Coord.x = gPlayerLevel.checkpointX;
	node->Coord.z = gPlayerLevel.checkpointZ;
	if (CurrentLevelDef().playerStart != PLAYER_START_FLYING_SAUCER)
	{
		float top = HighestSurfaceAt(gPlayerLevel.checkpointX, gPlayerLevel.checkpointZ, CTYPE_MISC | CTYPE_TERRAIN);
		node->Coord.y = top - float(node->BottomOff) + 20;
		node->Rot.y = gPlayerLevel.checkpointRot;
		ResetGrowth(node);
		node->Scale = {PLAYER_NODE_SCALE, PLAYER_NODE_SCALE, PLAYER_NODE_SCALE};
		gPlayerLevel.scale = 1;
		HidePlayer(node, false);
		SetPlayerAnim(node, PLAYER_ANIM_STAND);
	}
	else
	{
		node->StatusBits &= ~STATUS_BIT_HIDDEN;
		node->CType = CTYPE_PLAYER;
		RestartPlayerSaucerSound();
	}
	node->OldCoord = node->Coord;
	node->Delta = {0, 0, 0};
	if (gCurrentMoveNode == node)
	{
		gObjCoord = node->Coord;
		gObjDelta = node->Delta;
	}
	gRun.health = 1;
	gPlayerLevel.burnTimer = 0;
	gPlayerLevel.isDead = false;
	gPlayerLevel.deathTimer = 0;
	UpdateObjectTransforms(node);
	CalcObjectBoxFromNode(node);
	KeepOldCollisionBoxes(node);
	gPlayerLevel.coord = node->Coord;
	UpdatePlayerHands(node);

	InitCamera();
	PlayPlayerEffect3D(EFFECT_NEWLIFE, &node->Coord);
}

//
// The death transition
//

void StartDeathTransition(float delay)
{
	gDeathTransition.active = true;
	gDeathTransition.closing = true;
	gDeathTransition.delay = delay;
	gDeathTransition.position = SHUTTER_OPEN;
}

void StopDeathTransition()
{
	gDeathTransition = {};
}

void UpdateDeathTransition(float dt)
{
	DeathTransition& t = gDeathTransition;
	if (!t.active)
		return;
	if (t.delay > 0)
	{
		t.delay -= dt;
		return;
	}
	if (t.closing)
	{
		t.position += SHUTTER_SPEED * dt;
		if (t.position >= SHUTTER_SHUT)
		{
			t.position = SHUTTER_SHUT;
			if (gRun.lives > 0)
			{
				gRun.lives--;
				ResetPlayerAtCheckpoint();
				t.closing = false;
			}
			else
			{
				gLevel.gameOver = true;
				t.active = false;
			}
		}
	}
	else
	{
		t.position -= SHUTTER_SPEED * dt;
		if (t.position < SHUTTER_OPEN)
			t.active = false;
	}
}

void DrawDeathTransition()
{
	const DeathTransition& t = gDeathTransition;
	if (!t.active || BG3D_GetNumModels(MODEL_GROUP_GLOBAL) < NUM_GLOBAL_MODELS)
		return;

	OGL_PushState();
	OGL_Set2DOverlayState(false);
	glMatrixMode(GL_PROJECTION);
	glLoadIdentity();
	glOrtho(0, 640, 480, 0, -1000, 1000);
	glMatrixMode(GL_MODELVIEW);

	const float x[2] = {t.position, 640 - t.position};
	const int model[2] = {GLOBAL_MODEL_SHUTTER_LEFT, GLOBAL_MODEL_SHUTTER_RIGHT};
	for (int i = 0; i < 2; i++)
	{
		glLoadIdentity();
		glTranslatef(x[i], 240, 0);
		glScalef(2, -2, 2);
		MO_DrawObject(BG3D_GetModel(MODEL_GROUP_GLOBAL, model[i]));
	}
	OGL_PopState();
}
