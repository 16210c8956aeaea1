// The saucer level: the player flies its own saucer over the map.
// (Its beams — tractor, destroy and unload — and the drop zone come with the
// humans and hazards of that level; until then the saucer flies and takes hits.)
#include "Player/PlayerInternal.h"
#include "3D/BG3D.h"
#include "3D/Camera.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/Input.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"
#include "Terrain/TerrainItems.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float SAUCER_SCALE = 0.6f;
	constexpr float SAUCER_HOVER = 450.0f;
	constexpr float SAUCER_SPIN = 3.0f;
	constexpr float SAUCER_ACCEL = 900.0f;
	constexpr float SAUCER_DRAG = 450.0f;			// without input the saucer coasts to a stop
	constexpr float SAUCER_MAX_SPEED = 900.0f;
	constexpr float SAUCER_EDGE_MARGIN = 7200.0f;

	void KeepInsideMap(ObjNode* node)
	{
		float w = float(gMapUnitWidth), d = float(gMapUnitDepth);
		if (w > 2 * SAUCER_EDGE_MARGIN)
			gObjCoord.x = std::clamp(gObjCoord.x, SAUCER_EDGE_MARGIN, w - SAUCER_EDGE_MARGIN);
		if (d > 2 * SAUCER_EDGE_MARGIN)
			gObjCoord.z = std::clamp(gObjCoord.z, SAUCER_EDGE_MARGIN, d - SAUCER_EDGE_MARGIN);
		(void)node;
	}

	void MovePlayerSaucer(ObjNode* node)
	{
		const float dt = gFrameTime;
		GetObjectInfo(node);
		gPlayerInfo.stateTimer += dt;
		if (gInvincibleTimer > 0)
			gInvincibleTimer = std::max(0.0f, gInvincibleTimer - dt);
		node->Rot.y += SAUCER_SPIN * dt;
		if (AreCheatKeysDown())
		{
			gExitCharge = 1;
			gPlayerUsedCheats = true;
		}

		if (!gPlayerIsDead)
		{
			OGLVector2D d = PlayerSteeringDirection(gAnalogSteering, gCameraLookAngle);
			gObjDelta.x += d.x * SAUCER_ACCEL * dt;
			gObjDelta.z += d.y * SAUCER_ACCEL * dt;
			if (!PlayerHasMoveInput())
			{
				float speed = std::hypot(gObjDelta.x, gObjDelta.z);
				float k = speed > 0 ? std::max(0.0f, speed - SAUCER_DRAG * dt) / speed : 0;
				gObjDelta.x *= k;
				gObjDelta.z *= k;
			}
		}
		float speed = std::hypot(gObjDelta.x, gObjDelta.z);
		if (speed > SAUCER_MAX_SPEED)
		{
			gObjDelta.x *= SAUCER_MAX_SPEED / speed;
			gObjDelta.z *= SAUCER_MAX_SPEED / speed;
		}
		gObjCoord.x += gObjDelta.x * dt;
		gObjCoord.z += gObjDelta.z * dt;
		KeepInsideMap(node);
		gObjCoord.y = TerrainHeightAtNoHoles(gObjCoord.x, gObjCoord.z) + SAUCER_HOVER;

		ResolveCollisions(node, CTYPE_MISC | CTYPE_HURTME, 0.5f);
		for (int i = 0; i < gNumCollisions; i++)
		{
			ObjNode* hit = gCollisionList[i].objectPtr;
			if (hit && hit->CType != INVALID_NODE_FLAG && (hit->CType & CTYPE_HURTME))
			{
				PlayerLoseHealth(hit->Damage, DEATH_KIND_SAUCER);
				DeleteObject(hit);
			}
		}

		node->Coord = gObjCoord;
		node->Delta = gObjDelta;
		node->Speed2D = std::hypot(gObjDelta.x, gObjDelta.z);
		UpdateObjectTransforms(node);
		CalcObjectBoxFromNode(node);
		gPlayerInfo.coord = node->Coord;
		if (node->EffectChannel >= 0)
			Update3DSoundChannel(EFFECT_SAUCER, &node->EffectChannel, &node->Coord);
	}
}

void InitPlayerSaucer()
{
	float x = gPlayerStartX, z = gPlayerStartZ;
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = 0;
	def.coord = {x, TerrainHeightAtNoHoles(x, z) + SAUCER_HOVER, z};
	def.slot = PLAYER_SLOT;
	def.moveCall = MovePlayerSaucer;
	def.rot = gPlayerStartRot;
	def.scale = SAUCER_SCALE;
	ObjNode* node;
	if (BG3D_GetNumModels(MODEL_GROUP_LEVELSPECIFIC) > 0)
	{
		node = MakeNewDisplayGroupObject(&def);
		CreateCollisionBoxFromBoundingBox(node, 1, 1);
		AttachShadowToObject(node, 0, 15, 15, false);
	}
	else
	{
		def.genre = NODRAW_GENRE;
		node = MakeNewObject(&def);
		SetObjectCollisionBounds(node, 60, -60, -200, 200, 200, -200);
		CalcObjectBoxFromNode(node);
		KeepOldCollisionBoxes(node);
	}
	node->CType = CTYPE_PLAYER;
	node->CBits = SIDE_ALL;
	node->EffectChannel = IsSoundEffectLoaded(EFFECT_SAUCER)
			? PlayEffect_Parms3D(EFFECT_SAUCER, &node->Coord, NORMAL_CHANNEL_RATE, 0.5f) : int16_t(-1);
	gPlayerMaxSpeed = SAUCER_MAX_SPEED;
	gPlayerNode = node;
	gPlayerInfo.coord = node->Coord;
}
