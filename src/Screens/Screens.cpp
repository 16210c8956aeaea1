// The start-up notice, the level intro, the lose and win screens, and the
// frame loop and view every screen shares.
#include "Screens/Screens.h"
#include "Screens/ScreenModels.h"
#include "Screens/ScreensLogic.h"
#include "3D/BG3D.h"
#include "3D/OGL_Support.h"
#include "3D/Skeleton.h"
#include "3D/Sprites.h"
#include "3D/TextMesh.h"
#include "Items/Humans.h"
#include "System/Boot.h"
#include "System/ContentNumbers.h"
#include "System/Fade.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/Input.h"
#include "System/LevelTable.h"
#include "System/Objects.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/Strings.h"

#include <cmath>
#include <cstdio>

namespace
{
	constexpr float TEXT_SLOT = 5100;
	constexpr float SCREEN_FADE_IN_SPEED = 2.0f;		// per second
	constexpr float LOSE_BELT_START_X = -2200;			// humans step on this far left of the belt's middle
	// The belt (1500 long) and the machine at its right end are placed
	// round the origin so the camera can frame them edge to edge.
	constexpr float LOSE_BELT_X = 0;
	constexpr float LOSE_MACHINE_X = 550;
	constexpr float LOSE_MACHINE_MOUTH_X = LOSE_MACHINE_X - 150;	// captives shrink away from here
	constexpr float LOSE_SWALLOW_DISTANCE = 300;		// units inside the mouth a captive takes to vanish
	constexpr float LOSE_BELT_SPEED = 260;				// units per second
	constexpr float LOSE_HUMAN_EVERY = 2.2f;			// seconds between captives
	constexpr float LOSE_HUMAN_SCALE = 2.0f;
	constexpr float LOSE_BELT_TOP = 10;					// the belt's surface above its origin
	// The brain alien working the machine stands in front of it, turned
	// half towards the camera and half towards the belt.
	constexpr float LOSE_OVERSEER_X = LOSE_MACHINE_X - 40;
	constexpr float LOSE_OVERSEER_Z = 230;
	constexpr float LOSE_OVERSEER_SCALE = 1.6f;
	constexpr float LOSE_OVERSEER_HEADING = -0.8f;		// radians
	constexpr float WIN_PANEL_SECONDS = 6;				// each closing panel

	ObjNode* MakeText(const char* text, float x, float y, float scale, OGLColorRGBA color, int align = TEXTMESH_ALIGN_CENTER)
	{
		ObjectDef def = {};
		def.coord = {x, y, 0};
		def.slot = int16_t(TEXT_SLOT);
		def.scale = scale;
		ObjNode* node = TextMesh_New(text, align, &def);
		node->ColorFilter = color;
		return node;
	}

	ObjNode* MakeModel(int type, OGLPoint3D where, float scale, ObjNodeRoutine move = nullptr, int slot = 100)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = uint8_t(type);
		def.coord = where;
		def.slot = int16_t(slot);
		def.flags = STATUS_BIT_DONTCULL;
		def.moveCall = move;
		def.scale = scale;
		return MakeNewDisplayGroupObject(&def);
	}

	// A picture from the screen's sprite set, `w` × `h` overlay units
	// centred on (x, y). Slots below the models' put it behind the scene.
	ObjNode* MakePicture(int type, float x, float y, float w, float h, int slot = TEXT_SLOT - 1)
	{
		ObjectDef def = {};
		def.group = SPRITE_GROUP_LEVELSPECIFIC;
		def.type = uint8_t(type);
		def.coord = {x - w * 0.5f, y - h * 0.5f, 0};
		def.slot = int16_t(slot);
		def.scale = 1;
		ObjNode* node = MakeSpriteObject(&def);
		node->Scale = {w, h, 1};
		UpdateObjectTransforms(node);
		return node;
	}

	void Spin(ObjNode* node)
	{
		node->Rot.y += node->SpecialF[0] * gFrameTime;
		UpdateObjectTransforms(node);
	}
}

const ScreenText kScreenTexts[] =
{
	{STR_LEGAL_NOTICE, LEGAL_NOTICE_SCALE},
	{STR_LEGAL_NOTICE_2, LEGAL_NOTICE_2_SCALE},
	{STR_LEVEL_NAME_FIRST + 0, LEVEL_NAME_SCALE}, {STR_LEVEL_NAME_FIRST + 1, LEVEL_NAME_SCALE},
	{STR_LEVEL_NAME_FIRST + 2, LEVEL_NAME_SCALE}, {STR_LEVEL_NAME_FIRST + 3, LEVEL_NAME_SCALE},
	{STR_LEVEL_NAME_FIRST + 4, LEVEL_NAME_SCALE}, {STR_LEVEL_NAME_FIRST + 5, LEVEL_NAME_SCALE},
	{STR_LEVEL_NAME_FIRST + 6, LEVEL_NAME_SCALE}, {STR_LEVEL_NAME_FIRST + 7, LEVEL_NAME_SCALE},
	{STR_LEVEL_NAME_FIRST + 8, LEVEL_NAME_SCALE}, {STR_LEVEL_NAME_FIRST + 9, LEVEL_NAME_SCALE},
	{STR_SLOT_LEVEL, LEVEL_NUMBER_SCALE},
	{STR_GAME_OVER, GAME_OVER_SCALE},
	{STR_WIN_TITLE, WIN_TITLE_SCALE},
	{STR_WIN_PANEL_FIRST + 0, WIN_PANEL_TEXT_SCALE},
	{STR_WIN_PANEL_FIRST + 1, WIN_PANEL_TEXT_SCALE},
	{STR_WIN_PANEL_FIRST + 2, WIN_PANEL_TEXT_SCALE},
	{STR_JUNGLE_WAKES, JUNGLE_WAKES_LINE_SCALE},
};
const int kNumScreenTexts = int(sizeof(kScreenTexts) / sizeof(kScreenTexts[0]));

//
// Shared
//

void SetupScreenView(const ScreenViewParams& params)
{
	OGLSetupInput setup;
	OGL_DefaultSetupInput(&setup);
	setup.clearBackBuffer = true;
	setup.clearColor = {params.clearR, params.clearG, params.clearB, 1};
	setup.useFog = params.fog;
	setup.fogStart = params.yon * 0.5f;
	setup.fogEnd = params.yon;
	setup.hither = 10;
	setup.yon = params.yon;
	setup.fov = 1.0f;
	setup.from = {0, params.fromY, params.fromZ};
	setup.to = {0, params.toY, 0};
	setup.ambientColor = {0.35f, 0.35f, 0.4f, 1};
	setup.numFillLights = 1;
	setup.fillDirection[0] = {0.4f, -0.6f, -0.7f};
	setup.fillColor[0] = {1.0f, 0.95f, 0.9f, 1};
	OGL_SetupWindow(&setup);
	StartFade(true, SCREEN_FADE_IN_SPEED);
}

float RunScreenLoop(float seconds, float lockSeconds, void (*everyFrame)(float time))
{
	float time = 0;
	UpdateInput();
	MeasureFrameTime();
	for (;;)
	{
		UpdateInput();
		MeasureFrameTime();
		MoveObjects();
		if (everyFrame)
			everyFrame(time);
		OGL_DrawScene(DrawObjects);
		time += gFrameTime;
		if (seconds > 0 && time >= seconds)
			break;
		if (time >= lockSeconds && UserWantsOut())
			break;
	}
	return time;
}

void EndScreen()
{
	FadeOutScene(DrawObjects, nullptr);
	// Everything a screen loaded goes (nothing outlives a screen or a level).
	DeleteAllObjects();
	FreeAllSkeletonFiles(-1);
	DisposeAllSpriteGroups();
	DeleteAllBG3DContainers();
	OGL_DisposeWindowSetup();
	FlushInputEvents();
}

//
// Start-up notice
//

void DoLegalScreen()
{
	SetupScreenView({0, 0, 0, 2000, false, 0, 600});
	LoadSpriteGroup(SPRITE_GROUP_LEVELSPECIFIC, NUM_LEGAL_SPRITES, LEGAL_SPRITE_SET);
	MakePicture(LEGAL_SPRITE_PANEL, 0, 0, 560, 280);
	MakeText(GetString(STR_LEGAL_NOTICE), 0, -20, LEGAL_NOTICE_SCALE, {1, 1, 1, 1});
	MakeText(GetString(STR_LEGAL_NOTICE_2), 0, 20, LEGAL_NOTICE_2_SCALE, {0.8f, 0.85f, 1, 1});
	MakeText("version 4.0.1", 0, 80, 0.5f, {0.3f, 0.5f, 0.2f, 1});
	RunScreenLoop(LEGAL_SCREEN_SECONDS, 0, nullptr);
	EndScreen();
}

//
// Level intro
//

bool AutomatedRunSkipsScreens()
{
	return gRunOptions.startLevel >= 0;
}

bool LevelIntroIsShown()
{
	return !gSkipFluff && !AutomatedRunSkipsScreens() && !CurrentLevelHasRule(LEVEL_RULE_NO_INTRO);
}

float LevelIntroSeconds()
{
	return CurrentLevelHasRule(LEVEL_RULE_SHORT_INTRO) ? LEVEL_INTRO_SHORT_SECONDS : LEVEL_INTRO_SECONDS;
}

namespace
{
	void MoveIntroSaucer(ObjNode* node)
	{
		node->SpecialF[1] += gFrameTime;
		node->Coord.x = -900 + node->SpecialF[1] * 160;
		node->Coord.y = 120 + std::sin(node->SpecialF[1] * 2) * 30;
		node->Rot.y += 2 * gFrameTime;
		UpdateObjectTransforms(node);
	}
}

void DoLevelIntro()
{
	if (!LevelIntroIsShown())
		return;

	SetupScreenView({0.02f, 0.02f, 0.06f, 5000, false, 100, 1400});
	LoadBG3D(LEVELINTRO_MODEL_FILE, MODEL_GROUP_LEVELSPECIFIC);

	ObjNode* planet = MakeModel(LEVELINTRO_MODEL_PLANET, {0, -380, -200}, 1.0f, Spin);
	planet->SpecialF[0] = 0.15f;
	MakeModel(LEVELINTRO_MODEL_SAUCER, {-900, 120, 200}, 1.0f, MoveIntroSaucer);

	// The level's name in a colour drawn from its own sky.
	const float* sky = CurrentLevelDef().view.clearColor;
	const OGLColorRGBA color = {0.5f + 0.5f * sky[0], 0.5f + 0.5f * sky[1], 0.5f + 0.5f * sky[2], 1};
	char number[48];
	snprintf(number, sizeof(number), "%s %d", GetString(STR_SLOT_LEVEL), gCurrentLevel + 1);
	MakeText(number, 0, -150, LEVEL_NUMBER_SCALE, {1, 1, 0.7f, 1});
	MakeText(GetString(STR_LEVEL_NAME_FIRST + gCurrentLevel), 0, -100, LEVEL_NAME_SCALE, color);

	RunScreenLoop(LevelIntroSeconds(), 0, nullptr);
	EndScreen();
}

//
// Lose screen
//

namespace
{
	LoseBelt gBelt;
	float gNextHumanTimer;
	ObjNodeRef gLoseOverseer;		// the brain alien working the machine

	// Captives trudge along the moving belt and shrink away into the
	// machine's mouth; the overseer zaps each one that goes in.
	void MoveBeltHuman(ObjNode* node)
	{
		node->Coord.x += LOSE_BELT_SPEED * gFrameTime;
		if (node->Coord.x > LOSE_MACHINE_MOUTH_X)
		{
			if (!node->Flag[0])
			{
				node->Flag[0] = 1;
				if (ObjNode* overseer = gLoseOverseer.Get())
					MorphToSkeletonAnim(overseer->Skeleton, BRAINALIEN_ANIM_ZAP, 8);
				if (IsSoundEffectLoaded(EFFECT_TRANSFORM))
					PlayEffect(EFFECT_TRANSFORM);
			}
			const float s = std::fmax(0.0f, LOSE_HUMAN_SCALE * (1.0f - (node->Coord.x - LOSE_MACHINE_MOUTH_X) / LOSE_SWALLOW_DISTANCE));
			node->Scale = {s, s, s};
			if (s <= 0)
			{
				TakeHumanOffBelt(&gBelt, node->Special[0]);
				DeleteObject(node);
				return;
			}
		}
		UpdateObjectTransforms(node);
	}

	// Back to watching the belt once a zap has played out.
	void MoveOverseer(ObjNode* node)
	{
		if (node->Skeleton->AnimNum == BRAINALIEN_ANIM_ZAP && node->Skeleton->AnimHasStopped)
			MorphToSkeletonAnim(node->Skeleton, BRAINALIEN_ANIM_STAND, 3);
	}

	void LoseFrame(float)
	{
		gNextHumanTimer -= gFrameTime;
		if (gNextHumanTimer > 0)
			return;
		gNextHumanTimer = LOSE_HUMAN_EVERY;
		const int slot = PutNewHumanOnBelt(&gBelt);
		if (slot < 0)
			return;		// the belt is full: this one is skipped
		ObjectDef def = {};
		def.type = uint8_t(GetSkeletonFromHumanType(RandomRange(0, NUM_HUMAN_TYPES - 1)));
		def.coord = {LOSE_BELT_X + LOSE_BELT_START_X * 0.5f, LOSE_BELT_TOP, 0};
		def.slot = 100;
		def.flags = STATUS_BIT_DONTCULL;
		def.moveCall = MoveBeltHuman;
		def.scale = LOSE_HUMAN_SCALE;
		def.rot = -PI / 2;
		ObjNode* human = MakeNewSkeletonBaseData(&def, HUMAN_ANIM_WALK);
		human->Special[0] = slot;
		human->Flag[0] = 0;
		UpdateObjectTransforms(human);
	}
}

void DoLoseScreen()
{
	if (AutomatedRunSkipsScreens())
		return;
	PlaySong(SONG_LOSE, SONG_FLAG_PLAY_ONCE);
	LoadSoundBank(SOUND_BANK_LOSE);
	// Close enough that belt and machine span even a 4:3 screen.
	SetupScreenView({0.12f, 0.02f, 0.1f, 6000, true, 420, 1050, 240});
	LoadBG3D(LOSESCREEN_MODEL_FILE, MODEL_GROUP_LEVELSPECIFIC);
	LoadSpriteGroup(SPRITE_GROUP_LEVELSPECIFIC, NUM_LOSE_SPRITES, LOSE_SPRITE_SET);
	for (int kind = 0; kind < NUM_HUMAN_TYPES; kind++)
		LoadASkeleton(GetSkeletonFromHumanType(kind));
	LoadASkeleton(SKELETON_TYPE_BRAINALIEN);
	MakePicture(LOSE_SPRITE_BACKDROP, 0, 0, g2DLogicalWidth, LOGICAL_SCREEN_HEIGHT, 10);
	MakePicture(LOSE_SPRITE_BANNER, 0, -170, 400, 100);

	gBelt = LoseBelt{};
	gNextHumanTimer = 0;
	MakeModel(LOSESCREEN_MODEL_BELT, {LOSE_BELT_X, 0, 0}, 1.0f);
	MakeModel(LOSESCREEN_MODEL_MACHINE, {LOSE_MACHINE_X, 0, 0}, 1.0f);
	{
		ObjectDef def = {};
		def.type = SKELETON_TYPE_BRAINALIEN;
		def.coord = {LOSE_OVERSEER_X, 0, LOSE_OVERSEER_Z};
		def.slot = 100;
		def.flags = STATUS_BIT_DONTCULL;
		def.moveCall = MoveOverseer;
		def.scale = LOSE_OVERSEER_SCALE;
		def.rot = LOSE_OVERSEER_HEADING;
		ObjNode* overseer = MakeNewSkeletonBaseData(&def, BRAINALIEN_ANIM_STAND);
		gLoseOverseer = ObjNodeRef(overseer);
	}
	// Solid warm yellow on the red banner (a glowing text would add itself
	// onto the red and wash out).
	ObjNode* gameOver = MakeText(GetString(STR_GAME_OVER), 0, -170, GAME_OVER_SCALE, {1, 0.9f, 0.35f, 1});
	gameOver->StatusBits &= ~STATUS_BIT_GLOW;
	if (IsSoundEffectLoaded(EFFECT_CONVEYORBELT))
		PlayEffect(EFFECT_CONVEYORBELT);

	RunScreenLoop(LOSE_SCREEN_SECONDS, 0, LoseFrame);
	gLoseOverseer.Clear();
	EndScreen();
	DisposeSoundBank(SOUND_BANK_LOSE);
}

//
// Win screen
//

// One stage for the whole screen: the earth spinning in a field of stars,
// the hero jetting round it, the raiders' saucers leaving for good, the
// rescued humans at home on their hill in front, fireworks once the title
// shows. The closing panels then say what the stage shows, each acting its
// words out: a last flight of saucers, the humans hopping for joy, a finale
// of fireworks.
namespace
{
	constexpr OGLPoint3D WIN_EARTH_AT = {0, -100, -300};
	constexpr float WIN_ORBIT_RADIUS = 640;				// units round the earth's middle
	constexpr float WIN_ORBIT_SPEED = 0.55f;			// radians per second
	constexpr float WIN_ORBIT_TILT = 0.35f;				// of the radius, up and down over a turn
	constexpr float WIN_HERO_SCALE = 1.2f;
	constexpr int WIN_NUM_STARS = 160;
	constexpr float WIN_SAUCER_EVERY = 2.6f;			// seconds between leaving saucers
	constexpr float WIN_SAUCER_SPEED = 900;				// units per second, away and up
	constexpr float WIN_SAUCER_LIFE = 5;				// seconds
	constexpr float WIN_FIREWORK_EVERY = 1.6f;			// seconds between bursts (a third in the finale)
	constexpr int WIN_SPARKS_PER_BURST = 26;
	constexpr float WIN_SPARK_SPEED = 420;				// units per second at the burst
	constexpr float WIN_SPARK_GRAVITY = 260;			// units per second²
	constexpr float WIN_SPARK_FADE = 0.45f;				// alpha per second
	constexpr float WIN_SPARK_SCALE = 2.6f;
	constexpr OGLPoint3D WIN_HILL_AT = {0, -470, 420};
	constexpr float WIN_HUMAN_SCALE = 1.3f;
	constexpr float WIN_HOP_HEIGHT = 40;				// units of a hop for joy
	constexpr float WIN_HOP_SPEED = 7;					// radians per second of the hop's sine
	constexpr float WIN_TITLE_LEAVE_SPEED = 500;		// units per second the title rises as the panels come
	const float kWinHumanX[NUM_HUMAN_TYPES] = {-240, -80, 80, 240};
	const OGLColorRGBA kSparkColors[5] = {{1, 0.4f, 0.3f, 1}, {1, 0.9f, 0.3f, 1}, {0.4f, 1, 0.5f, 1}, {0.4f, 0.7f, 1, 1},
			{1, 0.5f, 1, 1}};

	bool gWinTitleShown;
	ObjNodeRef gWinTitleText;		// under the earth in the first phase; the panels' texts take its place
	ObjNodeRef gWinHumans[NUM_HUMAN_TYPES];
	float gWinSaucerTimer, gWinFireworkTimer;
	bool gWinHopping, gWinFinale;
	uint32_t gWinSeed = 1;

	// The stage's own numbers: the game's random numbers must not depend on
	// how long the end was watched.
	float WinRandom()
	{
		gWinSeed = gWinSeed * 1664525u + 1013904223u;
		return float(gWinSeed >> 8) / float(1u << 24);
	}

	int gWinPanel = -1;				// the closing panel shown (-1: still the first phase)

	// The title fades in; once the panels come it rises out of their way.
	void FadeInTitle(ObjNode* node)
	{
		node->ColorFilter.a = std::fmin(1.0f, node->ColorFilter.a + 0.5f * gFrameTime);
		if (gWinPanel >= 0)
			node->Coord.y += WIN_TITLE_LEAVE_SPEED * gFrameTime;
		Spin(node);
	}

	void TwinkleStar(ObjNode* star)
	{
		star->SpecialF[0] += gFrameTime;
		star->ColorFilter.a = 0.55f + 0.45f * std::sin(star->SpecialF[0] * star->SpecialF[1]);
		star->Rot.z += gFrameTime * 0.3f;
		UpdateObjectTransforms(star);
	}

	// The hero circles the earth on a tilted ring, jets lit, facing along its path.
	void OrbitHero(ObjNode* hero)
	{
		hero->SpecialF[0] += WIN_ORBIT_SPEED * gFrameTime;
		const float a = hero->SpecialF[0];
		hero->Coord = {WIN_EARTH_AT.x + std::sin(a) * WIN_ORBIT_RADIUS, WIN_EARTH_AT.y + 180 + std::cos(a) * WIN_ORBIT_RADIUS * WIN_ORBIT_TILT,
				WIN_EARTH_AT.z + std::cos(a) * WIN_ORBIT_RADIUS};
		hero->Rot.y = a + PI / 2;
		UpdateObjectTransforms(hero);
	}

	void FleeSaucer(ObjNode* saucer)
	{
		saucer->SpecialF[0] += gFrameTime;
		saucer->Coord.x += saucer->Delta.x * gFrameTime;
		saucer->Coord.y += saucer->Delta.y * gFrameTime;
		saucer->Coord.z += saucer->Delta.z * gFrameTime;
		saucer->Rot.y += 3 * gFrameTime;
		saucer->Rot.z = 0.25f * std::sin(saucer->SpecialF[0] * 4);
		saucer->ColorFilter.a = std::fmin(1.0f, 2 * (WIN_SAUCER_LIFE - saucer->SpecialF[0]) / WIN_SAUCER_LIFE);
		if (saucer->SpecialF[0] >= WIN_SAUCER_LIFE)
		{
			DeleteObject(saucer);
			return;
		}
		UpdateObjectTransforms(saucer);
	}

	// A saucer lifts off the earth's edge and makes for the dark.
	void LaunchSaucer()
	{
		const float side = WinRandom() < 0.5f ? -1.0f : 1.0f;
		ObjNode* saucer = MakeModel(WINSCREEN_MODEL_ALIEN_SAUCER,
				{WIN_EARTH_AT.x + side * 380, WIN_EARTH_AT.y + 150 + WinRandom() * 200, WIN_EARTH_AT.z + 100}, 0.8f, FleeSaucer, 150);
		saucer->Delta = {side * WIN_SAUCER_SPEED * (0.4f + 0.3f * WinRandom()), WIN_SAUCER_SPEED * (0.2f + 0.2f * WinRandom()),
				-WIN_SAUCER_SPEED};
		saucer->SpecialF[0] = 0;
	}

	void MoveSpark(ObjNode* spark)
	{
		spark->Delta.y -= WIN_SPARK_GRAVITY * gFrameTime;
		spark->Coord.x += spark->Delta.x * gFrameTime;
		spark->Coord.y += spark->Delta.y * gFrameTime;
		spark->Coord.z += spark->Delta.z * gFrameTime;
		spark->ColorFilter.a -= WIN_SPARK_FADE * gFrameTime;
		if (spark->ColorFilter.a <= 0)
		{
			DeleteObject(spark);
			return;
		}
		UpdateObjectTransforms(spark);
	}

	void BurstFirework()
	{
		const OGLPoint3D at = {(WinRandom() * 2 - 1) * 700, 250 + WinRandom() * 350, -100 + WinRandom() * 300};
		const OGLColorRGBA color = kSparkColors[int(WinRandom() * 5) % 5];
		for (int i = 0; i < WIN_SPARKS_PER_BURST; i++)
		{
			ObjNode* spark = MakeModel(WINSCREEN_MODEL_FIREWORK, at, WIN_SPARK_SCALE, MoveSpark, 160);
			spark->StatusBits |= STATUS_BIT_GLOW | STATUS_BIT_NOLIGHTING | STATUS_BIT_NOZWRITES;
			spark->ColorFilter = {0.5f + 0.5f * color.r, 0.5f + 0.5f * color.g, 0.5f + 0.5f * color.b, 1};
			// Evenly round a sphere, a little ragged.
			const float u = (float(i) + 0.5f) / WIN_SPARKS_PER_BURST, a = float(i) * 2.39996f;
			const float y = 1 - 2 * u, r = std::sqrt(std::fmax(0.0f, 1 - y * y));
			const float v = WIN_SPARK_SPEED * (0.8f + 0.4f * WinRandom());
			spark->Delta = {std::cos(a) * r * v, y * v, std::sin(a) * r * v};
		}
	}

	// The humans stand on their hill, turned a little to each other; while
	// the second panel shows they hop for joy, each on its own beat.
	void MoveWinHuman(ObjNode* human)
	{
		human->SpecialF[0] += gFrameTime;
		const float hop = gWinHopping ? std::fabs(std::sin(human->SpecialF[0] * WIN_HOP_SPEED + human->SpecialF[1])) : 0;
		human->Coord.y = human->InitCoord.y + hop * WIN_HOP_HEIGHT;
		UpdateObjectTransforms(human);
	}

	void BuildWinStage()
	{
		gWinSeed = 1;
		for (int i = 0; i < WIN_NUM_STARS; i++)
		{
			const OGLPoint3D at = {(WinRandom() * 2 - 1) * 3600, (WinRandom() * 2 - 1) * 2000 + 300, -1600 - WinRandom() * 2400};
			ObjNode* star = MakeModel(WINSCREEN_MODEL_STAR, at, 0.4f + WinRandom() * 0.9f, TwinkleStar, 50);
			star->StatusBits |= STATUS_BIT_NOLIGHTING;
			star->SpecialF[0] = WinRandom() * 6.28f;
			star->SpecialF[1] = 1 + WinRandom() * 3;
		}
		ObjNode* earth = MakeModel(WINSCREEN_MODEL_EARTH, WIN_EARTH_AT, 1.0f, Spin);
		earth->SpecialF[0] = 0.25f;

		ObjectDef def = {};
		def.type = SKELETON_TYPE_QUOG;
		def.coord = WIN_EARTH_AT;
		def.slot = 120;
		def.flags = STATUS_BIT_DONTCULL;
		def.moveCall = OrbitHero;
		def.scale = WIN_HERO_SCALE;
		ObjNode* hero = MakeNewSkeletonBaseData(&def, PLAYER_ANIM_JUMPJET);
		hero->SpecialF[0] = 0.6f;
		OrbitHero(hero);

		MakeModel(WINSCREEN_MODEL_HOME_HILL, WIN_HILL_AT, 1.0f, nullptr, 130);
		for (int kind = 0; kind < NUM_HUMAN_TYPES; kind++)
		{
			ObjectDef h = {};
			h.type = uint8_t(GetSkeletonFromHumanType(kind));
			h.coord = {WIN_HILL_AT.x + kWinHumanX[kind], WIN_HILL_AT.y + 166 - std::fabs(kWinHumanX[kind]) * 0.12f, WIN_HILL_AT.z + 60};
			h.slot = 131;
			h.flags = STATUS_BIT_DONTCULL;
			h.moveCall = MoveWinHuman;
			h.scale = WIN_HUMAN_SCALE;
			h.rot = PI + kWinHumanX[kind] * 0.0015f;		// facing us, a little towards each other
			ObjNode* human = MakeNewSkeletonBaseData(&h, HUMAN_ANIM_STAND);
			human->SpecialF[1] = float(kind) * 0.9f;
			gWinHumans[kind] = ObjNodeRef(human);
		}
		gWinSaucerTimer = 0.5f;
		gWinFireworkTimer = 0;
		gWinHopping = gWinFinale = false;
	}

	// The stage's clock: saucers always, fireworks once the title shows.
	void WinStageFrame()
	{
		gWinSaucerTimer -= gFrameTime;
		if (gWinSaucerTimer <= 0)
		{
			gWinSaucerTimer = WIN_SAUCER_EVERY;
			LaunchSaucer();
		}
		if (gWinTitleShown)
		{
			gWinFireworkTimer -= gFrameTime;
			if (gWinFireworkTimer <= 0)
			{
				gWinFireworkTimer = gWinFinale ? WIN_FIREWORK_EVERY / 3 : WIN_FIREWORK_EVERY;
				BurstFirework();
			}
		}
	}

	void WinFrame(float time)
	{
		if (!gWinTitleShown && time >= WIN_LOCK_SECONDS)
		{
			gWinTitleShown = true;
			ObjNode* title = MakeModel(WINSCREEN_MODEL_TITLE, {0, 430, 0}, 1.4f, FadeInTitle, 200);
			title->ColorFilter.a = 0;
			title->SpecialF[0] = 0.3f;
			gWinTitleText = ObjNodeRef(MakeText(GetString(STR_WIN_TITLE), 0, 185, WIN_TITLE_SCALE, {1, 1, 0.5f, 1}));
		}
		WinStageFrame();
	}

	ObjNodeRef gWinPanelText;
	ObjNodeRef gWinPanelPicture;

	// Each panel's picture sits in the top corner, clear of the stage; its
	// words run along the bottom while the stage acts them out.
	void WinPanelsFrame(float time)
	{
		WinStageFrame();
		const int panel = std::min(2, int(time / WIN_PANEL_SECONDS));
		if (panel == gWinPanel)
			return;
		gWinPanel = panel;
		if (ObjNode* old = gWinPanelText.Get())
			DeleteObject(old);
		if (ObjNode* old = gWinPanelPicture.Get())
			DeleteObject(old);
		gWinPanelPicture = ObjNodeRef(MakePicture(WIN_PANEL_SPRITE_FIRST + panel, 0, -150, 150, 150));
		gWinPanelText = ObjNodeRef(MakeText(GetString(STR_WIN_PANEL_FIRST + panel), 0, 200, WIN_PANEL_TEXT_SCALE, {1, 1, 1, 1}));
		gWinHopping = panel == 1;
		gWinFinale = panel == 2;
		if (panel == 0)
			for (int i = 0; i < 4; i++)
				LaunchSaucer();
	}
}

void DoWinScreen()
{
	if (AutomatedRunSkipsScreens())
		return;
	PlaySong(SONG_WIN, SONG_FLAG_PLAY_ONCE);
	// The earth fills the middle of the screen with the hero circling it.
	SetupScreenView({0.0f, 0.02f, 0.08f, 8000, false, 250, 1350, 60});
	LoadBG3D(WINSCREEN_MODEL_FILE, MODEL_GROUP_LEVELSPECIFIC);
	LoadASkeleton(SKELETON_TYPE_QUOG);
	for (int kind = 0; kind < NUM_HUMAN_TYPES; kind++)
		LoadASkeleton(GetSkeletonFromHumanType(kind));
	BuildWinStage();

	gWinTitleShown = false;
	gWinTitleText.Clear();
	gWinPanel = -1;
	RunScreenLoop(WIN_PHASE1_SECONDS, WIN_LOCK_SECONDS, WinFrame);

	// The closing panels, one after another.
	if (ObjNode* title = gWinTitleText.Get())
		DeleteObject(title);
	gWinTitleText.Clear();
	gWinPanel = -1;
	gWinPanelText.Clear();
	gWinPanelPicture.Clear();
	LoadSpriteGroup(SPRITE_GROUP_LEVELSPECIFIC, NUM_WIN_PANEL_SPRITES, WIN_PANEL_SPRITE_SET);
	RunScreenLoop(WIN_PHASE2_SECONDS, 0, WinPanelsFrame);
	for (ObjNodeRef& human : gWinHumans)
		human.Clear();
	EndScreen();
}
