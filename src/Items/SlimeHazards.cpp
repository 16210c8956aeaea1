// Falling crystals, floating pods and block walls.
#include "Items/SlimeHazards.h"
#include "Items/ItemsInternal.h"
#include "3D/SkeletonTypes.h"
#include "Effects/Shards.h"
#include "Player/Player.h"
#include "Player/PlayerInternal.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"
#include "Terrain/TerrainItems.h"
#include "Terrain/Water.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr uint16_t CRYSTAL_SLOT = 60;
	constexpr float CRYSTAL_BURY_EXTRA = 30.0f;		// units further down than its height
	constexpr float CRYSTAL_BOX_WIDTH = 0.7f;		// of its model's width
	constexpr OGLBoundingBox CRYSTAL_STAND_IN = {{-40, 0, -40}, {40, 300, 40}, false};
	constexpr OGLBoundingBox POD_STAND_IN = {{-100, -40, -100}, {100, 60, 100}, false};
	constexpr OGLBoundingBox BLOCK_STAND_IN = {{-110, 0, -110}, {110, 220, 110}, false};
	constexpr float POD_WOBBLE = 0.06f;
	constexpr float POD_PHASE_X = 10.0f, POD_PHASE_Z = -14.0f;	// radians per second

	// Falling crystal SpecialF.
	enum { PITCH_SPEED = 0, GROUND_X = 1, GROUND_Y = 2, GROUND_Z = 3, HEIGHT = 4, WIDTH = 5 };
	// Floating pod SpecialF.
	enum { WOBBLE_X = 0, WOBBLE_Z = 1 };

	// The crystal's long axis (its up direction) at its pitch and heading.
	OGLVector3D CrystalUp(const ObjNode* crystal)
	{
		float p = crystal->Rot.x, h = crystal->Rot.y;
		return {std::sin(p) * std::sin(h), std::cos(p), std::sin(p) * std::cos(h)};
	}

	float ModelHeight(const ObjNode* node)
	{
		return std::max(1.0f, node->BBox.max.y - node->BBox.min.y);
	}

	float ModelWidth(const ObjNode* node)
	{
		return std::max(1.0f, std::max(node->BBox.max.x - node->BBox.min.x, node->BBox.max.z - node->BBox.min.z));
	}

	// Cubes along its length blow up a robot they touch, unless he lies stunned.
	void CrystalStrikes(ObjNode* crystal)
	{
		if (!gPlayerNode || gPlayerLevel.isDead || PlayerAnim(gPlayerNode) == PLAYER_ANIM_FLATTENED)
			return;
		const float length = crystal->SpecialF[HEIGHT], half = crystal->SpecialF[WIDTH] * CRYSTAL_BOX_WIDTH * 0.5f;
		const int boxes = std::clamp(int(std::ceil(length / (2 * half))), 1, FALLING_CRYSTAL_MAX_BOXES);
		const OGLVector3D up = CrystalUp(crystal);
		for (int i = 0; i < boxes; i++)
		{
			float d = (float(i) + 0.5f) * length / float(boxes);
			OGLPoint3D c = {crystal->Coord.x + up.x * d, crystal->Coord.y + up.y * d, crystal->Coord.z + up.z * d};
			if (BoxHitsPlayer(c.y + half, c.y - half, c.x - half, c.x + half, c.z + half, c.z - half))
			{
				KillPlayer(DEATH_KIND_BLOWN_UP);
				return;
			}
		}
	}

	void MovePod(ObjNode* pod)
	{
		if (IsNodeOutOfRange(pod))
		{
			DeleteObject(pod);
			return;
		}
		const float dt = gFrameTime;
		pod->SpecialF[WOBBLE_X] += POD_PHASE_X * dt;
		pod->SpecialF[WOBBLE_Z] += POD_PHASE_Z * dt;
		pod->Scale.x = FLOATING_POD_SCALE * (1 + POD_WOBBLE * std::sin(pod->SpecialF[WOBBLE_X]));
		pod->Scale.z = FLOATING_POD_SCALE * (1 + POD_WOBBLE * std::sin(pod->SpecialF[WOBBLE_Z]));
		float y;
		if (GetWaterY(pod->Coord.x, pod->Coord.z, &y))
			pod->Coord.y = y;
		UpdateObjectTransforms(pod);
	}
}

bool AddFallingCrystal(TerrainItemEntryType* item, float x, float z)
{
	if (item->parm[1] >= FALLING_CRYSTAL_KINDS)
		FatalAlert("Falling crystal at (%d, %d): kind %d is not 0 … %d", int(item->x), int(item->z), int(item->parm[1]),
				FALLING_CRYSTAL_KINDS - 1);
	if (item->parm[0] >= 8)
		FatalAlert("Falling crystal at (%d, %d): heading %d is not 0 … 7", int(item->x), int(item->z), int(item->parm[0]));
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = uint8_t(FALLING_CRYSTAL_FIRST_MODEL + item->parm[1]);
	def.coord = {x, IsTerrainSetUp() ? TerrainHeightAt(x, z) : 0.0f, z};
	def.slot = int16_t(CRYSTAL_SLOT);
	def.moveCall = MoveFallingCrystal;
	def.rot = float(item->parm[0]) * (PI / 4);
	def.scale = FALLING_CRYSTAL_SCALE;
	ObjNode* crystal = MakeItemModelNode(&def, CRYSTAL_STAND_IN);
	crystal->TerrainItemPtr = item;
	crystal->Rot.x = FALLING_CRYSTAL_TILT;
	crystal->Mode = CRYSTAL_HIDDEN;
	crystal->CType = 0;
	crystal->SpecialF[GROUND_X] = def.coord.x;
	crystal->SpecialF[GROUND_Y] = def.coord.y;
	crystal->SpecialF[GROUND_Z] = def.coord.z;
	crystal->SpecialF[HEIGHT] = ModelHeight(crystal) * FALLING_CRYSTAL_SCALE;
	crystal->SpecialF[WIDTH] = ModelWidth(crystal) * FALLING_CRYSTAL_SCALE;
	// Buried along its own axis, out of sight until it rises.
	const OGLVector3D up = CrystalUp(crystal);
	const float depth = crystal->SpecialF[HEIGHT] + CRYSTAL_BURY_EXTRA;
	crystal->Coord = {def.coord.x - up.x * depth, def.coord.y - up.y * depth, def.coord.z - up.z * depth};
	crystal->StatusBits |= STATUS_BIT_HIDDEN;
	UpdateObjectTransforms(crystal);
	return true;
}

void MoveFallingCrystal(ObjNode* crystal)
{
	if (crystal->Mode == CRYSTAL_HIDDEN && IsNodeOutOfRange(crystal))
	{
		DeleteObject(crystal);
		return;
	}
	const float dt = gFrameTime;
	switch (crystal->Mode)
	{
		case CRYSTAL_HIDDEN:
			if (!gPlayerNode || !IsPlayerNear(crystal, FALLING_CRYSTAL_WAKE))
				return;
			crystal->Mode = CRYSTAL_RISING;
			crystal->StatusBits &= ~STATUS_BIT_HIDDEN;
			break;
		case CRYSTAL_RISING:
		{
			const OGLVector3D up = CrystalUp(crystal);
			crystal->Coord = crystal->Coord + up * (FALLING_CRYSTAL_RISE_SPEED * dt);
			// Out once its foot is back at the ground point.
			if (crystal->Coord.y >= crystal->SpecialF[GROUND_Y])
			{
				crystal->Coord = {crystal->SpecialF[GROUND_X], crystal->SpecialF[GROUND_Y], crystal->SpecialF[GROUND_Z]};
				crystal->Mode = CRYSTAL_TOPPLING;
				crystal->SpecialF[PITCH_SPEED] = 0;
				PlayItemEffect3D(EFFECT_CRYSTALCRACK, &crystal->Coord, 0.5f);
			}
			break;
		}
		case CRYSTAL_TOPPLING:
			crystal->SpecialF[PITCH_SPEED] -= FALLING_CRYSTAL_TOPPLE * dt;
			crystal->Rot.x += crystal->SpecialF[PITCH_SPEED] * dt;
			if (crystal->Rot.x <= -PI_HALF)
			{
				crystal->Rot.x = -PI_HALF;
				UpdateObjectTransforms(crystal);
				ExplodeGeometry(crystal, 500, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 1, 0.8f);
				PlayItemEffect3D(EFFECT_CRYSTALCRASH, &crystal->Coord);
				crystal->TerrainItemPtr = nullptr;		// shattered for good
				DeleteObject(crystal);
				return;
			}
			CrystalStrikes(crystal);
			break;
	}
	UpdateObjectTransforms(crystal);
}

bool AddFloatingPod(TerrainItemEntryType* item, float x, float z)
{
	float waterY;
	if (!GetWaterY(x, z, &waterY) || (IsTerrainSetUp() && waterY <= TerrainHeightAt(x, z)))
		return false;
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = FLOATING_POD_MODEL;
	def.coord = {x, waterY, z};
	def.slot = int16_t(CRYSTAL_SLOT + 1);
	def.moveCall = MovePod;
	def.rot = float(item->x % 628) * 0.01f;
	def.scale = FLOATING_POD_SCALE;
	ObjNode* pod = MakeItemModelNode(&def, POD_STAND_IN);
	pod->TerrainItemPtr = item;
	pod->CType = 0;
	pod->SpecialF[WOBBLE_X] = float(item->z % 100) * 0.06f;
	pod->SpecialF[WOBBLE_Z] = 0;
	return true;
}

bool AddBlockWall(TerrainItemEntryType* item, float x, float z)
{
	const int blocks = item->parm[0];
	if (blocks < 1 || blocks > BLOCK_WALL_MAX_BLOCKS)
		FatalAlert("Block wall at (%d, %d): %d blocks (1 … %d)", int(item->x), int(item->z), blocks, BLOCK_WALL_MAX_BLOCKS);
	if (item->parm[1] >= 4)
		FatalAlert("Block wall at (%d, %d): direction %d is not 0 … 3", int(item->x), int(item->z), int(item->parm[1]));
	const float a = float(item->parm[1]) * PI_HALF;
	const float dx = std::sin(a), dz = std::cos(a);
	ObjNode* first = nullptr;
	ObjNode* last = nullptr;
	for (int i = 0; i < blocks; i++)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = BLOCK_WALL_MODEL;
		float bx = x + dx * BLOCK_WALL_SPACING * float(i), bz = z + dz * BLOCK_WALL_SPACING * float(i);
		def.coord = {bx, IsTerrainSetUp() ? BaseTerrainHeightAt(bx, bz) : 0.0f, bz};
		def.slot = int16_t(CRYSTAL_SLOT + 2);
		def.moveCall = first ? nullptr : MoveBlockWall;
		def.rot = a;
		def.scale = BLOCK_WALL_SCALE;
		def.chainTail = last;
		ObjNode* block = MakeItemModelNode(&def, BLOCK_STAND_IN);
		if (!first)
			first = block;
		last = block;
	}
	// One box over the whole row.
	const float half = std::max(first->BBox.max.x, first->BBox.max.z) * BLOCK_WALL_SCALE;
	const float length = BLOCK_WALL_SPACING * float(blocks - 1);
	float x0 = x - half, x1 = x + half, z0 = z - half, z1 = z + half;
	if (dx > 0.5f) x1 += length;
	if (dx < -0.5f) x0 -= length;
	if (dz > 0.5f) z1 += length;
	if (dz < -0.5f) z0 -= length;
	first->TerrainItemPtr = item;
	first->CType = CTYPE_SHADOWTOP | CTYPE_MISC;
	first->CBits = SIDE_ALL;
	first->NumCollisionBoxes = 1;
	CollisionBoxType& b = first->CollisionBoxes[0];
	b.left = x0;
	b.right = x1;
	b.back = z0;
	b.front = z1;
	b.bottom = first->Coord.y;
	b.top = first->Coord.y + first->BBox.max.y * BLOCK_WALL_SCALE;
	KeepOldCollisionBoxes(first);
	return true;
}

void MoveBlockWall(ObjNode* wall)
{
	if (IsNodeOutOfRange(wall))
		DeleteObject(wall);
}
