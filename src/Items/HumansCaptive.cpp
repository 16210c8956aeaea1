// Humans held captive, and the item routines that place humans: the glass
// capsule a human may stand in until a shot breaks it, and the people huts of
// the saucer level that the saucer's destroy beam smashes to let them out.
#include "Items/HumansInternal.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "Screens/Infobar.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/Level.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <SDL_opengl.h>

#include <algorithm>

namespace
{
	constexpr int CAPSULE_MODEL = LEVEL_MODEL_HUMAN_CAPSULE;
	constexpr uint16_t CAPSULE_SLOT = 2997;
	constexpr float CAPSULE_WIDTH_FACTOR = 1.7f;		// × the human's width and depth
	constexpr float CAPSULE_HEIGHT_FACTOR = 1.1f;		// × the human's height
	constexpr float CAPSULE_HEALTH = 0.5f;
	constexpr uint8_t CAPSULE_ITEM_FLAG = 0x01;			// parm[3]

	constexpr int HUT_MODEL = LEVEL_MODEL_PEOPLE_HUT;
	constexpr float HUT_SCALE = 2.0f;
	constexpr int MAX_HUT_HUMANS = 8;
	constexpr float HUT_SPREAD = 0.8f;					// × the hut's radius
	constexpr float HUT_WALK_MIN = 2.0f;				// seconds the freed humans walk
	constexpr float HUT_WALK_RANDOM = 6.0f;
	constexpr float HELP_SECONDS = 4.0f;

	bool HasLevelModel(int model)
	{
		return model < gNumObjectsInBG3DGroupList[MODEL_GROUP_LEVELSPECIFIC];
	}

	// A level model, or where the level file has no such model (logic-only
	// tests, a level without the art) an invisible node with a stand-in box.
	ObjNode* MakeLevelModelNode(ObjectDef* def, float standInHalfWidth, float standInHeight)
	{
		if (HasLevelModel(def->type))
		{
			ObjNode* node = MakeNewDisplayGroupObject(def);
			CreateCollisionBoxFromBoundingBox(node, 1, 1);
			return node;
		}
		def->genre = NODRAW_GENRE;
		ObjNode* node = MakeNewObject(def);
		float w = standInHalfWidth;
		SetObjectCollisionBounds(node, int16_t(standInHeight), 0, int16_t(-w), int16_t(w), int16_t(w), int16_t(-w));
		return node;
	}

	//
	// The capsule
	//

	// Keeps the captive in range with its capsule: the captive does not move.
	void MoveCapsule(ObjNode* capsule)
	{
		ObjNode* human = capsule->ChainHead;
		if (IsNodeOutOfRange(capsule))
			DeleteObject(human ? human : capsule);
	}

	bool BreakCapsule(ObjNode* weapon, ObjNode* capsule, const OGLPoint3D* where, const OGLVector3D* delta, float damage)
	{
		(void)weapon;
		(void)where;
		(void)delta;
		(void)damage;
		ObjNode* human = capsule->ChainHead;
		ExplodeGeometry(capsule, 500, SHARD_MODE_FROMORIGIN | SHARD_MODE_BOUNCE, 1, 0.6f);
		PlayHumanEffect3D(EFFECT_SHATTER, &capsule->Coord);
		DeleteObject(capsule);
		if (human && human->CType != INVALID_NODE_FLAG)
		{
			human->Skeleton->AnimSpeed = 1;
			human->CType |= CTYPE_TRIGGER;
			human->StatusBits &= ~STATUS_BIT_NOMOVE;
		}
		return true;
	}

	void PutInCapsule(ObjNode* human)
	{
		const float humanW = float(human->RightOff - human->LeftOff);
		const float humanD = float(human->FrontOff - human->BackOff);
		const float humanH = float(human->TopOff - human->BottomOff);
		float sx = CAPSULE_WIDTH_FACTOR * humanW, sy = CAPSULE_HEIGHT_FACTOR * humanH, sz = CAPSULE_WIDTH_FACTOR * humanD;
		float y;
		if (HasLevelModel(CAPSULE_MODEL))
		{
			const OGLBoundingBox& bb = gObjectGroupBBoxList[MODEL_GROUP_LEVELSPECIFIC][CAPSULE_MODEL];
			sx /= std::max(1.0f, bb.max.x - bb.min.x);
			sy /= std::max(1.0f, bb.max.y - bb.min.y);
			sz /= std::max(1.0f, bb.max.z - bb.min.z);
			y = MinTerrainHeightUnderModel(human->Coord.x, human->Coord.z, MODEL_GROUP_LEVELSPECIFIC, CAPSULE_MODEL, sx);
		}
		else
			y = TerrainHeightAt(human->Coord.x, human->Coord.z);

		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = CAPSULE_MODEL;
		def.coord = {human->Coord.x, y, human->Coord.z};
		def.flags = human->StatusBits & STATUS_BIT_AUTOFADE;
		def.slot = CAPSULE_SLOT;
		def.moveCall = MoveCapsule;
		def.scale = 1;
		def.chainTail = human;
		ObjNode* capsule = MakeLevelModelNode(&def, 0.5f * CAPSULE_WIDTH_FACTOR * std::max(humanW, humanD),
				CAPSULE_HEIGHT_FACTOR * humanH);
		if (capsule->Genre != NODRAW_GENRE)
		{
			capsule->Scale = {sx, sy, sz};
			UpdateObjectTransforms(capsule);
			CreateCollisionBoxFromBoundingBox(capsule, 1, 1);
		}
		capsule->ColorFilter.a = 0.99f;					// drawn in the see-through pass
		capsule->CType = CTYPE_AUTOTARGET | CTYPE_MISC;
		capsule->CBits = SIDE_ALL;
		capsule->Health = CAPSULE_HEALTH;
		for (int weapon : {WEAPON_STUNGUN, WEAPON_ARCSHOT, WEAPON_FLARE, WEAPON_NOVA})
			capsule->HitByWeaponHandler[weapon] = BreakCapsule;

		// The captive stands still on the capsule's floor, frozen mid-pose, and
		// cannot be touched until the glass breaks.
		human->Coord.y = y - float(human->BottomOff);
		human->Skeleton->AnimSpeed = 0;
		human->CType &= ~CTYPE_TRIGGER;
		human->StatusBits |= STATUS_BIT_NOMOVE;
		UpdateObjectTransforms(human);
		CalcObjectBoxFromNode(human);
		KeepOldCollisionBoxes(human);
		UpdateShadow(human);
	}

	bool AddHumanOfType(TerrainItemEntryType* item, int humanType, float x, float z)
	{
		ObjNode* human = MakeHuman(humanType, x, z);
		human->TerrainItemPtr = item;
		if (item->parm[3] & CAPSULE_ITEM_FLAG)
			PutInCapsule(human);
		return true;
	}

	//
	// The people hut
	//

	bool SmashPeopleHut(ObjNode* weapon, ObjNode* hut, const OGLPoint3D* where, const OGLVector3D* delta, float damage)
	{
		(void)weapon;
		(void)where;
		(void)delta;
		(void)damage;
		if (hut->CType == 0)
			return false;
		hut->CType = 0;

		const float spread = HUT_SPREAD * hut->Size;
		for (int i = 0; i < hut->Special[0]; i++)
		{
			int kind = hut->Special[1] >= 0 ? hut->Special[1] : RandomRange(0, NUM_HUMAN_TYPES - 1);
			ObjNode* human = MakeHuman(kind, hut->Coord.x + RandomFloatSigned() * spread,
					hut->Coord.z + RandomFloatSigned() * spread);
			human->Rot.y = RandomFloat() * PI2;
			human->Mode = HUMAN_MODE_WALK;
			human->SpecialF[0] = HUT_WALK_MIN + RandomFloat() * HUT_WALK_RANDOM;
			SetSkeletonAnim(human->Skeleton, HUMAN_ANIM_WALK);
		}

		PlayHumanEffect3D(EFFECT_SAUCER_MINEEXPLOSION, &hut->Coord);
		MakeSparkBurst(hut->Coord.x, hut->Coord.y + 0.5f * float(hut->TopOff), hut->Coord.z, 500,
				PARTICLE_SObjType_WhiteSpark, GL_SRC_ALPHA, GL_ONE, 1.0f);
		ExplodeGeometry(hut, 600, SHARD_MODE_FROMORIGIN | SHARD_MODE_UPTHRUST | SHARD_MODE_HEAVYGRAVITY, 1, 0.5f);
		hut->TerrainItemPtr = nullptr;					// smashed for good
		DeleteObject(hut);
		ShowHelpMessage(HELP_SAUCER_HUMANS, HELP_SECONDS, false);
		return true;
	}

	void MovePeopleHut(ObjNode* hut)
	{
		if (IsNodeOutOfRange(hut))
		{
			DeleteObject(hut);
			return;
		}
		if (IsSaucerDestroyBeamOver(hut))
			hut->HitByWeaponHandler[WEAPON_HURT](nullptr, hut, nullptr, nullptr, 1);
	}
}

bool AddHuman(TerrainItemEntryType* item, float x, float z)
{
	if (item->parm[0] >= NUM_HUMAN_TYPES)
		FatalAlert("Human item at (%.0f, %.0f): kind %d is not a human kind (0 to 3)", x, z, item->parm[0]);
	return AddHumanOfType(item, item->parm[0], x, z);
}

bool AddHumanType2(TerrainItemEntryType* item, float x, float z)
{
	return AddHumanOfType(item, HUMAN_TYPE_SCIENTIST, x, z);
}

bool AddPeopleHut(TerrainItemEntryType* item, float x, float z)
{
	GAME_ASSERT_MESSAGE(item->parm[0] != 0, "PeopleHut human count should have been set in InitHumans!");
	if (item->parm[0] > MAX_HUT_HUMANS)
		FatalAlert("PeopleHut item at (%.0f, %.0f): %d humans, at most %d fit", x, z, item->parm[0], MAX_HUT_HUMANS);
	if (item->parm[1] > NUM_HUMAN_TYPES)
		FatalAlert("PeopleHut item at (%.0f, %.0f): kind %d is not 0 (any) or a human kind + 1 (1 to 4)", x, z,
				item->parm[1]);

	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = HUT_MODEL;
	def.coord = {x, TerrainHeightAt(x, z), z};
	def.flags = gAutoFadeStatusBits;
	def.slot = HUMAN_SLOT + 10;
	def.moveCall = MovePeopleHut;
	def.scale = HUT_SCALE;
	ObjNode* hut = MakeLevelModelNode(&def, 150, 250);
	hut->CType = CTYPE_MISC;
	hut->CBits = SIDE_ALL;
	hut->Size = 0.5f * float(std::max(hut->RightOff - hut->LeftOff, hut->FrontOff - hut->BackOff));
	hut->Special[0] = item->parm[0];
	hut->Special[1] = int(item->parm[1]) - 1;
	hut->HitByWeaponHandler[WEAPON_HURT] = SmashPeopleHut;
	hut->TerrainItemPtr = item;
	return true;
}

bool IsHumanCapsule(const ObjNode* node)
{
	return node && node->CType != INVALID_NODE_FLAG && node->MoveCall == MoveCapsule;
}
