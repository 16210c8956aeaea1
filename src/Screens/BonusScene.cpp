// The bonus tally's scene: pad, arrivals, hopper and tokens, the drifting field.
#include "Screens/BonusScene.h"
#include "Screens/ScoreScreenModels.h"
#include "3D/BG3D.h"
#include "3D/Skeleton.h"
#include "3D/SkeletonTypes.h"
#include "3D/Sprites.h"
#include "Items/Humans.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Objects.h"
#include "System/Sound.h"
#include "System/SoundTable.h"

#include <cmath>

namespace
{
	constexpr float FLOOR_Y = -330;				// world units: the scene stands under the numbers
	constexpr float PAD_X = -60;
	constexpr float HOPPER_X = 340;
	constexpr float LINE_SPACING = 70;			// between humans in the line, leftwards of the pad
	constexpr float LINE_START_X = PAD_X - 170;
	constexpr float HUMAN_SCALE = 1.4f;
	constexpr float WALK_SPEED = 260;			// units per second to their place in the line
	constexpr float BEAM_FADE = 1.6f;			// of alpha per second
	constexpr float TOKEN_DROP_HEIGHT = 520;	// above the hopper's mouth
	constexpr float TOKEN_GRAVITY = 1800;		// units per second²
	constexpr float HOPPER_MOUTH_Y = FLOOR_Y + 230;
	constexpr float HOPPER_BUMP = 0.12f;		// extra scale on a drop
	constexpr int16_t SCENE_SLOT = 100;
	constexpr int16_t FIELD_SLOT = 90;

	ObjNodeRef gHumans[BONUS_SCENE_MAX_HUMANS];
	int gHumansArrived;
	ObjNodeRef gHopper;
	bool gSkeletonsLoaded;
	uint32_t gFieldSeed = 1;

	// The field's own numbers: the game's random numbers must not depend on
	// how long a screen was looked at.
	float FieldRandom()
	{
		gFieldSeed = gFieldSeed * 1664525u + 1013904223u;
		return float(gFieldSeed >> 8) / float(1u << 24);
	}

	ObjNode* MakeModel(int type, OGLPoint3D where, float scale, ObjNodeRoutine move, int16_t slot = SCENE_SLOT)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = uint8_t(type);
		def.coord = where;
		def.slot = slot;
		def.flags = STATUS_BIT_DONTCULL;
		def.moveCall = move;
		def.scale = scale;
		return MakeNewDisplayGroupObject(&def);
	}

	void MoveBeam(ObjNode* beam)
	{
		beam->ColorFilter.a -= BEAM_FADE * gFrameTime;
		if (beam->ColorFilter.a <= 0)
			DeleteObject(beam);
	}

	// Arrived on the pad: fade in, then walk to the place in the line.
	void MoveArrival(ObjNode* human)
	{
		human->ColorFilter.a = std::fmin(1.0f, human->ColorFilter.a + 2 * gFrameTime);
		const float target = human->SpecialF[0];
		if (human->ColorFilter.a >= 1 && human->Coord.x > target)
		{
			if (human->Skeleton->AnimNum != HUMAN_ANIM_WALK)
				MorphToSkeletonAnim(human->Skeleton, HUMAN_ANIM_WALK, 6);
			human->Rot.y = -PI / 2;
			human->Coord.x = std::fmax(target, human->Coord.x - WALK_SPEED * gFrameTime);
			if (human->Coord.x <= target)
			{
				MorphToSkeletonAnim(human->Skeleton, HUMAN_ANIM_STAND, 4);
				human->Rot.y = 0;
			}
		}
		UpdateObjectTransforms(human);
	}

	void MoveToken(ObjNode* token)
	{
		token->Delta.y -= TOKEN_GRAVITY * gFrameTime;
		token->Coord.y += token->Delta.y * gFrameTime;
		token->Rot.y += 6 * gFrameTime;
		token->Rot.x += 3 * gFrameTime;
		if (token->Coord.y <= HOPPER_MOUTH_Y)
		{
			if (ObjNode* hopper = gHopper.Get())
				hopper->SpecialF[0] = HOPPER_BUMP;
			DeleteObject(token);
			return;
		}
		UpdateObjectTransforms(token);
	}

	void MoveHopper(ObjNode* hopper)
	{
		hopper->SpecialF[0] = std::fmax(0.0f, hopper->SpecialF[0] - 0.6f * gFrameTime);
		const float s = hopper->SpecialF[1] * (1 + hopper->SpecialF[0]);
		hopper->Scale = {s, s * (1 - 0.5f * hopper->SpecialF[0]), s};
		UpdateObjectTransforms(hopper);
	}

	void MoveFieldBit(ObjNode* bit)
	{
		bit->Coord.x += bit->SpecialF[0] * gFrameTime;
		if (bit->Coord.x > 1700)
			bit->Coord.x -= 3400;
		bit->Rot.y += bit->SpecialF[1] * gFrameTime;
		UpdateObjectTransforms(bit);
	}

	void MovePad(ObjNode* pad)
	{
		pad->Rot.y += 0.4f * gFrameTime;
		UpdateObjectTransforms(pad);
	}
}

void MakeBonusScene(bool field)
{
	LoadBG3D(BONUS_MODEL_FILE, MODEL_GROUP_LEVELSPECIFIC);
	LoadSpriteGroup(SPRITE_GROUP_LEVELSPECIFIC, NUM_BONUS_SPRITES, BONUS_SPRITE_SET);
	for (int kind = 0; kind < NUM_HUMAN_TYPES; kind++)
		LoadASkeleton(GetSkeletonFromHumanType(kind));
	gSkeletonsLoaded = true;

	for (ObjNodeRef& human : gHumans)
		human = ObjNodeRef();
	gHumansArrived = 0;
	MakeModel(BONUS_MODEL_PAD, {PAD_X, FLOOR_Y, 0}, 0.8f, MovePad);
	ObjNode* hopper = MakeModel(BONUS_MODEL_HOPPER, {HOPPER_X, FLOOR_Y, 0}, 1.0f, MoveHopper);
	hopper->SpecialF[1] = 1.0f;
	gHopper = ObjNodeRef(hopper);

	if (!field)
		return;
	gFieldSeed = 1;
	for (int i = 0; i < BONUS_SCENE_FIELD_BITS; i++)
	{
		const OGLPoint3D where = {(FieldRandom() * 2 - 1) * 1700, (FieldRandom() * 2 - 1) * 700, -600 - FieldRandom() * 900};
		ObjNode* bit = MakeModel(BONUS_MODEL_BACKGROUND_BIT, where, 0.2f + FieldRandom() * 0.5f, MoveFieldBit, FIELD_SLOT);
		bit->SpecialF[0] = 30 + FieldRandom() * 60;
		bit->SpecialF[1] = FieldRandom() * 2 - 1;
		const OGLColorRGBA tints[4] = {{0.6f, 0.8f, 1, 0.8f}, {1, 0.9f, 0.5f, 0.8f}, {0.7f, 1, 0.6f, 0.8f}, {1, 0.6f, 0.9f, 0.8f}};
		bit->ColorFilter = tints[i % 4];
	}
}

void BonusSceneHumanCounted(int humanKind)
{
	// The line is full: the first in it steps out of the picture.
	const int place = gHumansArrived % BONUS_SCENE_MAX_HUMANS;
	if (ObjNode* old = gHumans[place].Get())
		DeleteObject(old);

	ObjectDef def = {};
	def.type = uint8_t(GetSkeletonFromHumanType(humanKind));
	def.coord = {PAD_X, FLOOR_Y + 20, 40};
	def.slot = SCENE_SLOT + 1;
	def.flags = STATUS_BIT_DONTCULL;
	def.moveCall = MoveArrival;
	def.scale = HUMAN_SCALE;
	ObjNode* human = MakeNewSkeletonBaseData(&def, HUMAN_ANIM_STAND);
	human->ColorFilter.a = 0;
	human->SpecialF[0] = LINE_START_X - LINE_SPACING * float(place % 6) + (place >= 6 ? -LINE_SPACING * 0.5f : 0);
	human->Coord.z = place >= 6 ? -60 : 40;
	gHumans[place] = ObjNodeRef(human);
	gHumansArrived++;

	ObjNode* beam = MakeModel(BONUS_MODEL_BEAM, {PAD_X, FLOOR_Y + 20, 0}, 1.0f, MoveBeam, SCENE_SLOT + 2);
	beam->StatusBits |= STATUS_BIT_GLOW | STATUS_BIT_NOZWRITES;
	beam->ColorFilter = {0.6f, 0.9f, 1.0f, 0.8f};
	if (IsSoundEffectLoaded(EFFECT_BONUS_TELEPORTHUMAN))
		PlayEffect(EFFECT_BONUS_TELEPORTHUMAN);
}

void BonusSceneItemCounted(int weaponType)
{
	if (weaponType < 0 || weaponType >= BONUS_NUM_WEAPON_MODELS)
		return;
	ObjNode* token = MakeModel(BONUS_MODEL_WEAPON_FIRST + weaponType,
			{HOPPER_X, HOPPER_MOUTH_Y + TOKEN_DROP_HEIGHT, 0}, 1.0f, MoveToken, SCENE_SLOT + 3);
	token->Delta = {0, 0, 0};
}

// The screen's end (EndScreen) has already freed the humans' skeletons and
// models with everything else the screen loaded: only the note goes.
void DisposeBonusScene()
{
	gSkeletonsLoaded = false;
}
