// Spinning platforms: slabs of five shapes hung in the air, all turning with
// one shared angle. They are solid only where the shape really is: between
// the arms of a cross there is nothing to stand on. Whatever stands on one is
// carried round with it.
#include "Items/Rides.h"
#include "Items/ItemsInternal.h"
#include "Effects/Sparkles.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/LevelTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr uint16_t PLATFORM_SLOT = 4;
	constexpr float HEIGHT_STEP = 10.0f;			// per parm[2]
	constexpr int DISC_SPARKLES = 10;
	constexpr float DISC_SPARKLE_RIM = 0.9f;		// of the radius
	constexpr float SPARKLE_SCALE = 20.0f;

	constexpr int TURN_RATE = 0;		// SpecialF[]: radians per second, the way it turns
	constexpr int PHASE = 1;			// SpecialF[]: the item's offset from the shared angle
	constexpr int TURNED = 2;			// SpecialF[]: how far it turned this frame
	constexpr int CARRIED = 0;			// Flag[]: a rider was carried round this frame

	// Platforms turn with the level's wobble angle where the level keeps one;
	// elsewhere with an angle of their own, turned once a frame by one of
	// them, the keeper (another takes over when it goes).
	float gOwnAngle = 0;
	ObjNodeRef gAngleKeeper;

	// The shape's reach from its middle, model units.
	float ShapeReach(SpinningPlatformShape shape)
	{
		switch (shape)
		{
			case SPINNING_SHAPE_RECTANGLE:
				return std::hypot(SPINNING_RECT_HALF_X, SPINNING_RECT_HALF_Z);
			case SPINNING_SHAPE_DISC:
				return SPINNING_DISC_RADIUS;
			case SPINNING_SHAPE_THREE_ARMS:
			case SPINNING_SHAPE_ARMS_PILLAR:
				return std::hypot(SPINNING_ARM_LENGTH, SPINNING_ARM_HALF_WIDTH);
			case SPINNING_SHAPE_CROSS:
				return std::hypot(SPINNING_CROSS_HALF_LENGTH, SPINNING_CROSS_HALF_WIDTH);
		}
		return 0;
	}

	OGLBoundingBox StandInBounds(SpinningPlatformShape shape)
	{
		float r = ShapeReach(shape);
		float hx = shape == SPINNING_SHAPE_RECTANGLE ? SPINNING_RECT_HALF_X : r;
		float hz = shape == SPINNING_SHAPE_RECTANGLE ? SPINNING_RECT_HALF_Z : r;
		return {{-hx, -SPINNING_PLATFORM_THICKNESS, -hz}, {hx, 0, hz}, false};
	}

	void AttachSparkle(ObjNode* platform, const OGLPoint3D& where, uint8_t texture)
	{
		int16_t s = GetFreeSparkle(platform);
		if (s < 0)
			return;
		for (int16_t& slot : platform->Sparkles)
			if (slot < 0)
			{
				slot = s;
				break;
			}
		SparkleType& sp = gSparkles[s];
		sp.flags = SPARKLE_FLAG_OMNIDIRECTIONAL | SPARKLE_FLAG_TRANSFORMWITHOWNER | SPARKLE_FLAG_FLICKER;
		sp.where = where;
		sp.color = {1, 1, 1, 1};
		sp.scale = SPARKLE_SCALE;
		sp.separation = 10;
		sp.textureNum = texture;
	}

	void AddPlatformSparkles(ObjNode* platform, SpinningPlatformShape shape)
	{
		if (shape == SPINNING_SHAPE_DISC)
		{
			float r = platform->BBox.max.x * DISC_SPARKLE_RIM;
			for (int i = 0; i < DISC_SPARKLES; i++)
			{
				float a = PI2 * float(i) / DISC_SPARKLES;
				AttachSparkle(platform, {std::sin(a) * r, 10, std::cos(a) * r},
						(i & 1) ? PARTICLE_SPRITE_FLASH : PARTICLE_SPRITE_FIREBALL);
			}
		}
		else if (shape == SPINNING_SHAPE_RECTANGLE)
		{
			for (float sx : {-1.0f, 1.0f})
				for (float sz : {-1.0f, 1.0f})
					AttachSparkle(platform, {sx * platform->BBox.max.x * 0.9f, 10, sz * platform->BBox.max.z * 0.9f},
							PARTICLE_SPRITE_FLASH);
		}
	}

	float PlatformHeading(const ObjNode* platform)
	{
		float angle = SpinningPlatformAngle();
		return platform->SpecialF[TURN_RATE] > 0 ? angle + platform->SpecialF[PHASE] : -angle - platform->SpecialF[PHASE];
	}

	// The point (x, z) in the platform's own unscaled space at heading `h`.
	void ToPlatformSpace(const ObjNode* platform, float h, float x, float z, float* lx, float* lz)
	{
		float dx = x - platform->Coord.x, dz = z - platform->Coord.z;
		float c = std::cos(h), s = std::sin(h);
		*lx = (dx * c - dz * s) / platform->Scale.x;
		*lz = (dx * s + dz * c) / platform->Scale.x;
	}
}

SpinningPlatformShape SpinningPlatformShapeOf(int kind)
{
	if (kind < 0 || kind >= NUM_SPINNING_PLATFORM_KINDS)
		FatalAlert("DoTrig_SpinningPlatform: unknown type");
	return SpinningPlatformShape(kind / 4);
}

float SpinningPlatformAngle()
{
	return CurrentLevelHasRule(LEVEL_RULE_WOBBLE_CLOCK) ? gLevel.wobbleAngle : gOwnAngle;
}

void ResetSpinningPlatformAngle()
{
	gOwnAngle = 0;
	gAngleKeeper.Clear();
}

bool IsOnSpinningShape(SpinningPlatformShape shape, float lx, float lz, float scale, float halfX, float halfZ, float radius)
{
	const float m = SPINNING_PLATFORM_MARGIN;
	const float ax = std::fabs(lx) * scale, az = std::fabs(lz) * scale;
	switch (shape)
	{
		case SPINNING_SHAPE_RECTANGLE:
			return ax < halfX * scale + m && az < halfZ * scale + m;
		case SPINNING_SHAPE_DISC:
			return std::hypot(lx, lz) * scale < radius * scale + m;
		case SPINNING_SHAPE_CROSS:
		{
			const float w = SPINNING_CROSS_HALF_WIDTH * scale, l = SPINNING_CROSS_HALF_LENGTH * scale;
			return (ax < w && az < l) || (ax < l && az < w);
		}
		case SPINNING_SHAPE_THREE_ARMS:
		case SPINNING_SHAPE_ARMS_PILLAR:
		{
			if (std::hypot(lx, lz) * scale < SPINNING_ARM_HUB * scale + m)
				return true;
			for (int k = 0; k < 3; k++)
			{
				float a = PI2 * float(k) / 3;
				float along = lx * std::sin(a) + lz * std::cos(a);
				float across = lx * std::cos(a) - lz * std::sin(a);
				if (along >= 0 && along <= SPINNING_ARM_LENGTH && std::fabs(across) <= SPINNING_ARM_HALF_WIDTH)
					return true;
			}
			return false;
		}
	}
	FatalAlert("DoTrig_SpinningPlatform: unknown type");
}

bool AddSpinningPlatform(TerrainItemEntryType* item, float x, float z)
{
	const int kind = item->parm[0];
	if (kind >= NUM_SPINNING_PLATFORM_KINDS)
		FatalAlert("AddSpinningPlatform: unknown type");
	const SpinningPlatformShape shape = SpinningPlatformShapeOf(kind);
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = uint8_t(1 + kind);
	def.coord = {x, BaseTerrainHeightAt(x, z) + SPINNING_PLATFORM_LIFT + HEIGHT_STEP * float(item->parm[2]), z};
	def.flags = gAutoFadeStatusBits;
	def.slot = PLATFORM_SLOT;
	def.moveCall = MoveSpinningPlatform;
	def.scale = SPINNING_PLATFORM_SCALE;
	ObjNode* platform = MakeItemModelNode(&def, StandInBounds(shape));
	platform->TerrainItemPtr = item;
	platform->SubKind = uint8_t(kind);
	platform->Kind = TRIGGER_KIND_SPINNING_PLATFORM;
	platform->CType = CTYPE_BLOCKCAMERA | CTYPE_SHADOWTOP | CTYPE_MISC | CTYPE_TRIGGER | CTYPE_TRIGGER2;
	platform->CBits = SIDE_TOP;
	platform->TriggerSides = SIDE_TOP;
	// The way it turns is parm[3] bit 0: bit 0 of the flags is the item's in-use mark.
	platform->SpecialF[TURN_RATE] = (item->parm[3] & SPINNING_PLATFORM_TURNS_FORWARD) ? SPINNING_PLATFORM_TURN_RATE
			: -SPINNING_PLATFORM_TURN_RATE;
	platform->SpecialF[PHASE] = float(item->parm[1]) * (PI / 4);
	platform->Rot.y = PlatformHeading(platform);
	UpdateObjectTransforms(platform);

	// A square box round everything the shape can sweep, its top at the origin.
	const int16_t r = int16_t(ShapeReach(shape) * def.scale);
	SetObjectCollisionBounds(platform, 0, int16_t(-SPINNING_PLATFORM_THICKNESS * def.scale), -r, r, r, -r);

	if (shape == SPINNING_SHAPE_ARMS_PILLAR)
	{
		ObjectDef pillarDef = def;
		pillarDef.genre = NODRAW_GENRE;
		pillarDef.moveCall = nullptr;
		pillarDef.chainTail = platform;
		ObjNode* pillar = MakeNewObject(&pillarDef);
		pillar->CType = CTYPE_BLOCKCAMERA | CTYPE_MISC;
		pillar->CBits = SIDE_ALL;
		const int16_t p = int16_t(SPINNING_PILLAR_HALF);
		SetObjectCollisionBounds(pillar, int16_t(SPINNING_PILLAR_HEIGHT), 0, -p, p, p, -p);
	}
	AddPlatformSparkles(platform, shape);
	return true;
}

void MoveSpinningPlatform(ObjNode* platform)
{
	if (IsNodeOutOfRange(platform))
	{
		DeleteObject(platform);
		return;
	}
	if (!CurrentLevelHasRule(LEVEL_RULE_WOBBLE_CLOCK))
	{
		if (!gAngleKeeper.IsAlive())
			gAngleKeeper = ObjNodeRef(platform);
		if (gAngleKeeper.Get() == platform)
		{
			gOwnAngle += SPINNING_PLATFORM_TURN_RATE * gFrameTime;
			if (gOwnAngle > PI2)
				gOwnAngle -= PI2;
		}
	}
	const float before = platform->Rot.y;
	platform->Rot.y = PlatformHeading(platform);
	platform->SpecialF[TURNED] = AngleDifference(platform->Rot.y, before);
	platform->Flag[CARRIED] = 0;
	UpdateObjectTransforms(platform);
}

bool DoTrig_SpinningPlatform(ObjNode* platform, ObjNode* mover, uint32_t)
{
	const SpinningPlatformShape shape = SpinningPlatformShapeOf(platform->SubKind);
	const float h = platform->Rot.y;
	float lx, lz;
	ToPlatformSpace(platform, h, gObjCoord.x, gObjCoord.z, &lx, &lz);
	const OGLBoundingBox& b = platform->BBox;
	if (!IsOnSpinningShape(shape, lx, lz, platform->Scale.x, b.max.x, b.max.z, b.max.x))
		return false;

	// Once a frame the rider turns with the platform: the same place in its
	// space as a moment ago, at the new heading.
	if (!platform->Flag[CARRIED])
	{
		platform->Flag[CARRIED] = 1;
		const float turn = platform->SpecialF[TURNED];
		float ox, oz;
		ToPlatformSpace(platform, h - turn, gObjCoord.x, gObjCoord.z, &ox, &oz);
		ox *= platform->Scale.x;
		oz *= platform->Scale.x;
		const float c = std::cos(h), s = std::sin(h);
		gObjCoord.x = platform->Coord.x + ox * c + oz * s;
		gObjCoord.z = platform->Coord.z - ox * s + oz * c;
		mover->Rot.y += turn;
	}
	return true;
}
