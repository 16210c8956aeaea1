// The high-score entry's scene: a spotlit stage, the hero standing on the
// winners' podium beside the table, the trophy, and stars circling them.
#include "Screens/HighScores.h"
#include "Screens/ScoreScreenModels.h"
#include "3D/BG3D.h"
#include "3D/OGL_Camera.h"
#include "3D/Skeleton.h"
#include "3D/SkeletonTypes.h"
#include "3D/Sprites.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Math.h"
#include "System/Objects.h"

#include <cmath>

namespace
{
	constexpr float FLOOR_Y = -300;				// world units
	constexpr float PODIUM_X = -470;			// left of the table
	constexpr float PODIUM_TOP = 162;			// the winner's step, above the floor
	constexpr float TROPHY_X = 470;
	constexpr int NUM_STARS = 6;
	constexpr float STAR_ORBIT = 170;			// units around the hero
	constexpr float STAR_SPEED = 1.3f;			// radians per second
	constexpr int16_t SCENE_SLOT = 100;
	constexpr int16_t BACKDROP_SLOT = 10;

	bool gHeroLoaded;

	ObjNode* MakeModel(int type, OGLPoint3D where, float scale, ObjNodeRoutine move)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = uint8_t(type);
		def.coord = where;
		def.slot = SCENE_SLOT;
		def.flags = STATUS_BIT_DONTCULL;
		def.moveCall = move;
		def.scale = scale;
		return MakeNewDisplayGroupObject(&def);
	}

	void MoveStar(ObjNode* star)
	{
		star->SpecialF[0] += STAR_SPEED * gFrameTime;
		const float a = star->SpecialF[0];
		star->Coord = {PODIUM_X + std::cos(a) * STAR_ORBIT, FLOOR_Y + PODIUM_TOP + 140 + std::sin(2 * a) * 40,
					   std::sin(a) * STAR_ORBIT};
		star->Rot.y += 3 * gFrameTime;
		UpdateObjectTransforms(star);
	}

	void MoveTrophy(ObjNode* trophy)
	{
		trophy->Rot.y += 0.8f * gFrameTime;
		UpdateObjectTransforms(trophy);
	}
}

void MakeHighScoreScene()
{
	LoadBG3D(HIGHSCORES_MODEL_FILE, MODEL_GROUP_LEVELSPECIFIC);
	LoadSpriteGroup(SPRITE_GROUP_LEVELSPECIFIC, NUM_HIGHSCORES_SPRITES, HIGHSCORES_SPRITE_SET);
	LoadASkeleton(SKELETON_TYPE_QUOG);
	gHeroLoaded = true;

	ObjectDef def = {};
	def.group = SPRITE_GROUP_LEVELSPECIFIC;
	def.type = HIGHSCORES_SPRITE_BACKDROP;
	def.coord = {-g2DLogicalWidth * 0.5f, -LOGICAL_SCREEN_HEIGHT * 0.5f, 0};
	def.slot = BACKDROP_SLOT;
	def.scale = 1;
	ObjNode* backdrop = MakeSpriteObject(&def);
	backdrop->Scale = {g2DLogicalWidth, LOGICAL_SCREEN_HEIGHT, 1};
	UpdateObjectTransforms(backdrop);

	MakeModel(HIGHSCORES_MODEL_PODIUM, {PODIUM_X, FLOOR_Y, 0}, 1.0f, nullptr)->Rot.y = 0.35f;
	MakeModel(HIGHSCORES_MODEL_TROPHY, {TROPHY_X, FLOOR_Y, 0}, 1.6f, MoveTrophy);
	for (int i = 0; i < NUM_STARS; i++)
		MakeModel(HIGHSCORES_MODEL_STAR, {PODIUM_X, FLOOR_Y, 0}, 0.8f, MoveStar)->SpecialF[0] = float(i) * 2 * PI / NUM_STARS;

	ObjectDef hero = {};
	hero.type = SKELETON_TYPE_QUOG;
	hero.coord = {PODIUM_X, FLOOR_Y + PODIUM_TOP, 0};
	hero.slot = SCENE_SLOT + 1;
	hero.flags = STATUS_BIT_DONTCULL;
	hero.scale = 1.2f;
	hero.rot = PI - 0.35f;		// facing the viewer, turned toward the table
	ObjNode* node = MakeNewSkeletonBaseData(&hero, PLAYER_ANIM_STAND);
	node->Coord.y -= float(node->BottomOff);		// feet on the step
	UpdateObjectTransforms(node);
}

// The plate under the big score, in overlay units centred on (x, y).
void MakeHighScorePlate(float x, float y, float w, float h, int16_t slot)
{
	ObjectDef def = {};
	def.group = SPRITE_GROUP_LEVELSPECIFIC;
	def.type = HIGHSCORES_SPRITE_SCORE_PLATE;
	def.coord = {x - w * 0.5f, y - h * 0.5f, 0};
	def.slot = slot;
	def.scale = 1;
	ObjNode* plate = MakeSpriteObject(&def);
	plate->Scale = {w, h, 1};
	UpdateObjectTransforms(plate);
}

// The screen's end (EndScreen) has already freed the hero's skeleton and
// model with everything else the screen loaded: only the note goes.
void DisposeHighScoreScene()
{
	gHeroLoaded = false;
}
