// The scene after the jungle's tally: a moonlit clearing, the robot walking
// in, the ground heaving and the pitcher plant rising out of it. The beat
// clock (JungleWakesBeatAt) is the story; the nodes follow it every frame.
#include "Screens/AfterTallyScene.h"
#include "Screens/ScreenModels.h"
#include "Screens/Screens.h"
#include "3D/BG3D.h"
#include "3D/Skeleton.h"
#include "3D/TextMesh.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/LevelTable.h"
#include "System/Math.h"
#include "System/Objects.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "System/Strings.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float ROBOT_START_X = -1000, ROBOT_STOP_X = -380, ROBOT_Z = 160;	// units
	constexpr float ROBOT_SCALE = 1.5f;
	constexpr float PLANT_X = 260, PLANT_Z = -260;
	constexpr float PLANT_SCALE = 18.0f;			// towering over the robot, twice its arena size
	constexpr float MOUND_SCALE = 1.6f;
	constexpr float TREE_SHAKE = 0.05f;			// radians of sway at a full quake
	constexpr float QUAKE_THUD_EVERY = 0.55f;	// seconds between the ground's thuds
	constexpr int NUM_FIREFLIES = 28;
	constexpr float LINE_Y = 185;				// overlay units: the line under the scene
	constexpr float LINE_SCALE = JUNGLE_WAKES_LINE_SCALE;
	constexpr float LINE_FADE_IN = 1.0f;		// alpha per second
	constexpr float SNAP_AT = 7.4f;				// seconds: the plant's first attack

	// Trees round the clearing (x, z, kind, scale): a wall at the back,
	// thinner at the sides so the plant's place stays open.
	struct TreeSpot { float x, z; int kind; float scale; };
	constexpr TreeSpot kTrees[] = {
		{-1500, -900, 0, 1.2f}, {-1100, -1150, 1, 1.1f}, {-700, -950, 0, 1.0f}, {-250, -1250, 1, 1.3f},
		{200, -1300, 0, 1.2f}, {750, -1100, 1, 1.0f}, {1150, -900, 0, 1.1f}, {1550, -1050, 1, 1.2f},
		{-1350, -300, 1, 0.9f}, {1300, -350, 0, 0.9f}, {-1250, 250, 0, 0.8f}, {1250, 200, 1, 0.8f},
	};
	struct FernSpot { float x, z, scale; };
	constexpr FernSpot kFerns[] = {
		{-900, -250, 1.6f}, {-600, -450, 1.2f}, {-150, -650, 1.4f}, {650, -500, 1.5f}, {950, -150, 1.3f},
		{-1000, 350, 1.8f}, {1000, 380, 1.7f}, {500, 100, 1.0f}, {-400, 300, 1.1f},
	};

	struct Scene
	{
		ObjNodeRef robot, plant, mound, line;
		ObjNodeRef trees[sizeof(kTrees) / sizeof(kTrees[0])];
		float plantHeight = 0;		// units the plant stands, at its scale
		float thudTimer = 0;
		bool snapped = false;
		bool robotStopped = false;
		uint32_t seed = 1;			// the scene's own numbers: the game's stay untouched
	};
	Scene gScene;

	float SceneRandom()
	{
		gScene.seed = gScene.seed * 1664525u + 1013904223u;
		return float(gScene.seed >> 8) / float(1u << 24);
	}

	float Smooth(float x)
	{
		x = std::clamp(x, 0.0f, 1.0f);
		return x * x * (3 - 2 * x);
	}

	ObjNode* MakeSceneModel(int type, OGLPoint3D where, float scale, ObjNodeRoutine move = nullptr)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = uint8_t(type);
		def.coord = where;
		def.slot = 100;
		def.flags = STATUS_BIT_DONTCULL;
		def.moveCall = move;
		def.scale = scale;
		return MakeNewDisplayGroupObject(&def);
	}

	ObjNode* MakeSceneSkeleton(int type, OGLPoint3D where, float scale, float heading, int anim)
	{
		ObjectDef def = {};
		def.type = uint8_t(type);
		def.coord = where;
		def.slot = 100;
		def.flags = STATUS_BIT_DONTCULL;
		def.scale = scale;
		def.rot = heading;
		return MakeNewSkeletonBaseData(&def, anim);
	}

	// Fireflies wander on slow loops round where they were put; once the
	// ground shakes they flee upward.
	void MoveFirefly(ObjNode* fly)
	{
		fly->SpecialF[0] += gFrameTime;
		const float t = fly->SpecialF[0], phase = fly->SpecialF[1];
		fly->Coord.x = fly->InitCoord.x + std::sin(t * 0.7f + phase) * 60;
		fly->Coord.z = fly->InitCoord.z + std::cos(t * 0.5f + phase * 2) * 40;
		fly->InitCoord.y += fly->Delta.y * gFrameTime;
		fly->Coord.y = fly->InitCoord.y + std::sin(t * 1.3f + phase) * 25;
		fly->ColorFilter.a = 0.5f + 0.5f * std::sin(t * 5 + phase * 3);
		UpdateObjectTransforms(fly);
	}

	void BuildScene()
	{
		gScene = Scene{};
		MakeSceneModel(JUNGLEWAKES_MODEL_GROUND, {0, 0, 0}, 1.0f);
		ObjNode* moon = MakeSceneModel(JUNGLEWAKES_MODEL_MOON, {-900, 1250, -2600}, 1.0f);
		moon->Rot.x = PI / 2;
		moon->StatusBits |= STATUS_BIT_NOLIGHTING | STATUS_BIT_NOFOG;
		UpdateObjectTransforms(moon);
		for (size_t i = 0; i < sizeof(kTrees) / sizeof(kTrees[0]); i++)
		{
			const TreeSpot& spot = kTrees[i];
			ObjNode* tree = MakeSceneModel(JUNGLEWAKES_MODEL_TREE_FIRST + spot.kind, {spot.x, 0, spot.z}, spot.scale);
			tree->Rot.y = float(i) * 1.7f;
			UpdateObjectTransforms(tree);
			gScene.trees[i] = ObjNodeRef(tree);
		}
		for (const FernSpot& spot : kFerns)
			MakeSceneModel(JUNGLEWAKES_MODEL_FERN, {spot.x, 0, spot.z}, spot.scale);
		for (int i = 0; i < NUM_FIREFLIES; i++)
		{
			const OGLPoint3D where = {(SceneRandom() * 2 - 1) * 1300, 60 + SceneRandom() * 380, -900 + SceneRandom() * 1100};
			ObjNode* fly = MakeSceneModel(JUNGLEWAKES_MODEL_FIREFLY, where, 1.0f, MoveFirefly);
			fly->StatusBits |= STATUS_BIT_NOLIGHTING | STATUS_BIT_GLOW | STATUS_BIT_NOZWRITES;
			fly->SpecialF[1] = SceneRandom() * 6.28f;
			fly->Delta.y = 0;
		}

		ObjNode* mound = MakeSceneModel(JUNGLEWAKES_MODEL_MOUND, {PLANT_X, 0, PLANT_Z}, MOUND_SCALE);
		mound->Scale.y = 0.01f;
		UpdateObjectTransforms(mound);
		gScene.mound = ObjNodeRef(mound);

		ObjNode* plant = MakeSceneSkeleton(SKELETON_TYPE_PITCHERPLANT, {PLANT_X, 0, PLANT_Z}, PLANT_SCALE, 0.35f, 0);
		gScene.plantHeight = std::fmax(1.0f, (plant->BBox.max.y - plant->BBox.min.y) * PLANT_SCALE);
		plant->Coord.y = -gScene.plantHeight;
		UpdateObjectTransforms(plant);
		gScene.plant = ObjNodeRef(plant);

		ObjNode* robot = MakeSceneSkeleton(SKELETON_TYPE_QUOG, {ROBOT_START_X, 0, ROBOT_Z}, ROBOT_SCALE, PI / 2, PLAYER_ANIM_WALK);
		gScene.robot = ObjNodeRef(robot);

		ObjectDef def = {};
		def.coord = {0, LINE_Y, 0};
		def.slot = 5100;
		def.scale = LINE_SCALE;
		ObjNode* line = TextMesh_New(GetString(STR_JUNGLE_WAKES), TEXTMESH_ALIGN_CENTER, &def);
		line->ColorFilter = {0.75f, 1.0f, 0.6f, 0};
		gScene.line = ObjNodeRef(line);
	}

	void SceneFrame(float time)
	{
		const JungleWakesBeat beat = JungleWakesBeatAt(time);

		if (ObjNode* robot = gScene.robot.Get())
		{
			robot->Coord.x = ROBOT_START_X + (ROBOT_STOP_X - ROBOT_START_X) * beat.robotWalk;
			if (beat.robotWalk >= 1 && !gScene.robotStopped)
			{
				gScene.robotStopped = true;
				MorphToSkeletonAnim(robot->Skeleton, PLAYER_ANIM_STAND, 4);
			}
			// It turns to face what comes out of the ground.
			if (beat.quake > 0)
				robot->Rot.y += (std::atan2(PLANT_X - robot->Coord.x, PLANT_Z - robot->Coord.z) - robot->Rot.y) * std::fmin(1.0f, 3 * gFrameTime);
			if (beat.plantSnaps && robot->Skeleton->AnimNum != PLAYER_ANIM_STANDWITHGUN)
				MorphToSkeletonAnim(robot->Skeleton, PLAYER_ANIM_STANDWITHGUN, 5);
			UpdateObjectTransforms(robot);
		}

		if (ObjNode* mound = gScene.mound.Get())
		{
			const float heave = std::fmax(beat.quake, beat.plantRise);
			mound->Scale = {MOUND_SCALE, MOUND_SCALE * std::fmax(0.01f, heave * (0.8f + 0.2f * std::sin(time * 23))), MOUND_SCALE};
			UpdateObjectTransforms(mound);
		}
		if (ObjNode* plant = gScene.plant.Get())
		{
			plant->Coord.y = -gScene.plantHeight * (1 - beat.plantRise) + beat.quake * 6 * std::sin(time * 31);
			if (beat.plantSnaps && !gScene.snapped)
			{
				gScene.snapped = true;
				MorphToSkeletonAnim(plant->Skeleton, 1, 6);
			}
			UpdateObjectTransforms(plant);
		}
		for (size_t i = 0; i < sizeof(kTrees) / sizeof(kTrees[0]); i++)
			if (ObjNode* tree = gScene.trees[i].Get())
			{
				tree->Rot.z = TREE_SHAKE * beat.quake * std::sin(time * 17 + float(i));
				UpdateObjectTransforms(tree);
			}
		// The fireflies take off as the ground starts to shake.
		if (beat.quake > 0.2f)
			for (ObjNode* node = gObjectListHead; node; node = node->NextNode)
				if (node->MoveCall == MoveFirefly && node->Delta.y == 0)
					node->Delta.y = 120 + 200 * SceneRandom();

		gScene.thudTimer -= gFrameTime;
		if (beat.quake > 0.3f && gScene.thudTimer <= 0)
		{
			gScene.thudTimer = QUAKE_THUD_EVERY;
			if (IsSoundEffectLoaded(EFFECT_GIANTFOOTSTEP))
				PlayEffect(EFFECT_GIANTFOOTSTEP);
		}

		if (ObjNode* line = gScene.line.Get())
			line->ColorFilter.a = std::fmin(1.0f, std::fmax(0.0f, time - 1.0f) * LINE_FADE_IN);
	}
}

JungleWakesBeat JungleWakesBeatAt(float t)
{
	JungleWakesBeat beat;
	beat.robotWalk = std::clamp((t - 0.5f) / 3.0f, 0.0f, 1.0f);		// in from the left by 3.5 s
	beat.quake = Smooth((t - 3.6f) / 1.3f) * (1 - Smooth((t - 6.8f) / 1.0f));
	beat.plantRise = Smooth((t - 4.5f) / 2.6f);
	beat.plantSnaps = t >= SNAP_AT;
	return beat;
}

void DoAfterTallyScene()
{
	if (!CurrentLevelHasRule(LEVEL_RULE_SCENE_AFTER_TALLY))
		return;
	LoadSoundBank(SOUND_BANK_JUNGLE);
	// Night: a dark green-blue sky, fog closing in behind the trees.
	SetupScreenView({0.02f, 0.05f, 0.08f, 5200, true, 330, 1500, 170});
	LoadBG3D(JUNGLEWAKES_MODEL_FILE, MODEL_GROUP_LEVELSPECIFIC);
	LoadASkeleton(SKELETON_TYPE_QUOG);
	LoadASkeleton(SKELETON_TYPE_PITCHERPLANT);
	BuildScene();
	RunScreenLoop(JUNGLE_WAKES_SECONDS, JUNGLE_WAKES_LOCK_SECONDS, SceneFrame);
	gScene = Scene{};
	EndScreen();
	DisposeSoundBank(SOUND_BANK_JUNGLE);
}
