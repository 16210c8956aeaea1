// Bounce pads: springy mats that throw whatever lands on them high into the
// air and knock away whatever runs into their sides.
#include "Items/TouchItems.h"
#include "Items/ItemsInternal.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <cmath>

namespace
{
	constexpr float PAD_SCALE = 1.5f;
	constexpr uint16_t PAD_SLOT = 4;
	constexpr float PAD_SCATTER = 50.0f;				// from the item's point, in a random direction
	constexpr float PAD_WOBBLE_TIME = 0.3f;				// seconds
	constexpr float PAD_WOBBLE_SQUASH = 0.15f;			// of its height, at the start of a wobble
	constexpr float PAD_WOBBLE_RATE = 40.0f;			// radians per second

	const OGLBoundingBox PAD_STAND_IN = {{-80, 0, -80}, {80, 40, 80}, false};

	void MoveBouncePad(ObjNode* pad)
	{
		if (IsNodeOutOfRange(pad))
		{
			DeleteObject(pad);
			return;
		}
		float& wobble = pad->SpecialF[0];
		if (wobble > 0)
		{
			wobble = std::max(0.0f, wobble - gFrameTime);
			float k = wobble / PAD_WOBBLE_TIME;
			float squash = PAD_WOBBLE_SQUASH * k * std::sin((PAD_WOBBLE_TIME - wobble) * PAD_WOBBLE_RATE);
			pad->Scale = {PAD_SCALE * (1 + squash), PAD_SCALE * (1 - squash), PAD_SCALE * (1 + squash)};
			UpdateObjectTransforms(pad);
		}
	}
}

bool AddBouncePad(TerrainItemEntryType* item, float x, float z)
{
	float a = RandomFloat() * PI2;
	x += std::sin(a) * PAD_SCATTER;
	z += std::cos(a) * PAD_SCATTER;
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = LEVEL_MODEL_BOUNCE_PAD;
	def.coord = {x, 0, z};
	def.coord.y = IsItemModelLoaded(def.group, def.type)
			? MinTerrainHeightUnderModel(x, z, def.group, def.type, PAD_SCALE) : TerrainHeightAt(x, z);
	def.slot = PAD_SLOT;
	def.moveCall = MoveBouncePad;
	def.scale = PAD_SCALE;
	ObjNode* pad = MakeItemModelNode(&def, PAD_STAND_IN);
	pad->TerrainItemPtr = item;
	pad->Kind = TRIGGER_KIND_BOUNCE_PAD;
	pad->CType = CTYPE_BLOCKCAMERA | CTYPE_SHADOWTOP | CTYPE_MISC | CTYPE_TRIGGER;
	pad->CBits = SIDE_ALL;
	pad->TriggerSides = SIDE_ALL;
	CreateCollisionBoxFromBoundingBox(pad, 0.9f, 0.95f);
	return true;
}

bool DoTrig_BouncePad(ObjNode* pad, ObjNode* mover, uint32_t sides)
{
	if (sides & SIDE_BOTTOM)
		gObjDelta.y = BOUNCE_PAD_LANDING_SPEED;
	else
	{
		float bottom = mover->CollisionBoxes[0].bottom;
		OGLVector3D away = {mover->Coord.x - pad->Coord.x, std::fabs(bottom - pad->Coord.y), mover->Coord.z - pad->Coord.z};
		OGLVector3D_Normalize(&away, &away);
		gObjDelta = away * BOUNCE_PAD_BUMP_SPEED;
	}
	pad->SpecialF[0] = PAD_WOBBLE_TIME;
	PlayItemEffect3D(EFFECT_BUMPERBUBBLE, &pad->Coord);
	return false;
}
