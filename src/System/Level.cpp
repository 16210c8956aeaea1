// One level: set-up from its row of the level table, the play loop and its
// per-level clocks, and the clean-up after it.
#include "System/Level.h"
#include "System/LevelShow.h"
#include "System/Game.h"
#include "System/Boot.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/Fade.h"
#include "System/FrameTime.h"
#include "System/FrameWatcher.h"
#include "System/Input.h"
#include "System/LevelTable.h"
#include "System/Objects.h"
#include "System/Prefs.h"
#include "System/Sound.h"
#include "System/Window.h"
#include "3D/BG3D.h"
#include "3D/Camera.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/MetaObjectsShapes.h"
#include "3D/OGL_Support.h"
#include "3D/Skeleton.h"
#include "3D/Sprites.h"
#include "Effects/Effects.h"
#include "Effects/Particles.h"
#include "Effects/Sky.h"
#include "Enemies/BrainBoss.h"
#include "Enemies/Enemy.h"
#include "Enemies/JungleBoss.h"
#include "Enemies/RaiderSaucer.h"
#include "Items/Hazards.h"
#include "Items/BlobBoss.h"
#include "Items/Humans.h"
#include "Items/Powerups.h"
#include "Items/TouchItems.h"
#include "Items/Scenery.h"
#include "Items/Rides.h"
#include "Items/Contraptions.h"
#include "Player/Player.h"
#include "Screens/Infobar.h"
#include "Screens/PauseMenu.h"
#include "Screens/Screens.h"
#include "Terrain/Fences.h"
#include "Terrain/Splines.h"
#include "Terrain/Terrain.h"
#include "Terrain/Water.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>

LevelState gLevel;
bool gDrawLensFlare = false;
float gLightDirection[3] = {0, -1, 0};
float gAutoFadeStart = 0;
float gAutoFadeEnd = 0;
float gAutoFadeRate = 0;
uint32_t gAutoFadeStatusBits = 0;

static void LevelEffectsDraw(ObjNode*)
{
	DrawShards();
	DrawVaporTrails();
	DrawLensFlare();
	BeginDrawPass(DRAW_PASS_HUD);
	DrawInfobar();
	DrawDeathTransition();
}

static void SetUpLevelView()
{
	const LevelDef& level = CurrentLevelDef();
	const LevelView& view = level.view;
	const LevelLights& light = level.lights;

	OGLSetupInput setup;
	OGL_DefaultSetupInput(&setup);
	setup.hither = 50;
	setup.yon = 15390;
	setup.fov = 1.2f;
	setup.clearColor = {view.clearColor[0], view.clearColor[1], view.clearColor[2], 1};
	setup.clearBackBuffer = view.clearBackBuffer;
	setup.useFog = view.useFog;
	setup.fogStart = view.fogStart;
	setup.fogEnd = view.fogEnd;
	setup.yon = view.yon;
	gDrawLensFlare = view.drawLensFlare;

	OGLVector3D direction = {light.direction[0], light.direction[1], light.direction[2]};
	OGLVector3D_Normalize(&direction, &direction);
	gLightDirection[0] = direction.x;
	gLightDirection[1] = direction.y;
	gLightDirection[2] = direction.z;
	setup.numFillLights = 1;
	setup.fillDirection[0] = direction;
	setup.fillColor[0] = {light.fillColor[0], light.fillColor[1], light.fillColor[2], light.fillColor[3]};
	setup.ambientColor = {light.ambientColor[0], light.ambientColor[1], light.ambientColor[2], 1};

	if (gGamePrefs.anaglyphMode)
	{
		if (gGamePrefs.anaglyphMode == 2)
		{
			setup.ambientColor.r += 0.1f;
			setup.ambientColor.g += 0.1f;
			setup.ambientColor.b += 0.1f;
		}
		gAnaglyphFocalLength = 300;
		gAnaglyphEyeSeparation = 40;
	}

	OGL_SetupWindow(&setup);

	gAutoFadeStart = level.autoFade.startOfYon * setup.yon;
	gAutoFadeEnd = level.autoFade.endOfYon * setup.yon;
	// Guarded: on a level without fading the end may be at its start.
	gAutoFadeRate = gAutoFadeEnd > gAutoFadeStart ? 1.0f / (gAutoFadeEnd - gAutoFadeStart) : 0.0f;
	gAutoFadeStatusBits = gAutoFadeStart != 0 ? uint32_t(STATUS_BIT_AUTOFADE) : 0u;
}

//
// Backdrop
//

// Centred on the camera every frame, just inside the far plane.
static void DrawBackdrop(ObjNode* node)
{
	node->Coord = gGameViewInfoPtr->cameraPlacement.from;
	UpdateObjectTransforms(node);
	MO_DrawObject(node->BaseGroup);
}

static void MakeBackdrop()
{
	ObjectDef def = {};
	def.group = 1;
	def.type = 0;
	def.slot = 2;
	def.flags = STATUS_BIT_DONTCULL | STATUS_BIT_NOLIGHTING | STATUS_BIT_NOFOG;
	def.coord = {0, 0, 0};
	def.rot = 0;
	def.scale = 0.995f * gGameViewInfoPtr->yon / 100.0f;
	def.drawCall = DrawBackdrop;
	def.drawPass = DRAW_PASS_SKY;

	if (gNumObjectsInBG3DGroupList[1] > 0)
	{
		MakeNewDisplayGroupObject(&def);
		return;
	}

	// Until the level's models exist, a level that does not clear its frames
	// gets a dome of radius 100 around its fog colour; the others show their clear colour.
	const LevelView& view = CurrentLevelDef().view;
	if (view.clearBackBuffer)
		return;
	const float* c = view.clearColor;
	OGLColorRGBA horizon = {c[0], c[1], c[2], 1};
	OGLColorRGBA zenith = {c[0] * 0.5f, c[1] * 0.5f, std::min(1.0f, c[2] * 0.5f + 0.3f), 1};
	OGLColorRGBA below = {c[0] * 0.3f, c[1] * 0.3f, c[2] * 0.3f, 1};
	def.genre = DISPLAY_GROUP_GENRE;
	ObjNode* node = MakeNewObject(&def);
	CreateBaseGroup(node);
	MetaObjectPtr dome = MO_MakeSkyDome(100, 12, 24, below, horizon, zenith);
	AppendToObjectBaseGroup(node, dome);
	MO_DisposeObjectReference(dome);
}

//
// Stand-in scenery, shown while the level's own models are not loaded: a
// ground grid and a row of boxes running into the distance, so the level's
// lights, fog and colours show.
//

static void AddShapeNode(MetaObjectPtr shape, const OGLPoint3D& at, float rotY, uint32_t flags)
{
	ObjectDef def = {};
	def.genre = DISPLAY_GROUP_GENRE;
	def.coord = at;
	def.slot = 50;
	def.flags = flags | gAutoFadeStatusBits;
	def.rot = rotY;
	def.scale = 1;
	ObjNode* node = MakeNewObject(&def);
	CreateBaseGroup(node);
	AppendToObjectBaseGroup(node, shape);
	MO_CalcBoundingBox(shape, &node->BBox);
	MO_DisposeObjectReference(shape);		// the node's group holds it now
}

static void MakeStandInScenery()
{
	const float* c = CurrentLevelDef().view.clearColor;
	OGLColorRGBA groundA = {0.25f + c[0] * 0.3f, 0.35f + c[1] * 0.3f, 0.2f + c[2] * 0.3f, 1};
	OGLColorRGBA groundB = {groundA.r * 0.75f, groundA.g * 0.75f, groundA.b * 0.75f, 1};
	AddShapeNode(MO_MakeGroundGrid(16000, 32, groundA, groundB), {0, 0, 0}, 0, STATUS_BIT_DONTCULL);

	static const OGLColorRGBA kColors[] = {
		{0.9f, 0.2f, 0.2f, 1}, {0.2f, 0.8f, 0.3f, 1}, {0.25f, 0.4f, 0.95f, 1},
		{0.95f, 0.85f, 0.2f, 1}, {0.85f, 0.3f, 0.9f, 1}, {0.2f, 0.85f, 0.9f, 1},
	};
	static const float kDistances[] = {900, 2200, 4000, 6500, 9500, 13000};
	for (int i = 0; i < 6; i++)
	{
		// Spread out with distance, so each one shows how far the fog has reached.
		float side = (i & 1) ? 1.0f : -1.0f;
		float size = 120.0f + kDistances[i] * 0.03f;
		MetaObjectPtr material = MO_MakeColorMaterial(kColors[i]);
		MetaObjectPtr box = MO_MakeBox(size, size, size, material);
		MO_DisposeObjectReference(material);		// the box holds it
		float spread = 0.12f + 0.07f * float(i);		// a different bearing from the camera for each
		AddShapeNode(box, {side * (kDistances[i] + 900.0f) * spread, size, -kDistances[i]}, float(i) * 0.4f, 0);
	}

	OGLPoint3D from = {0, 450, 900}, to = {0, 200, -3000};
	OGL_SetCameraFromTo(&from, &to);
}

// The level's physics, terrain waves and own set-up steps, from its row.
static void SetUpLevelRules(const LevelDef& level)
{
	gLevel.gravity = level.gravity;
	gLevel.groundSlip = level.groundSlip;

	if (level.setUp & LEVEL_SETUP_BLOB_BOSS_MACHINE)
		MakeBlobBossMachine();
	else
		ForgetBlobBossMachine();
	for (const LevelWave& wave : level.waves)
		if (wave.amplitude != 0)
			MakeWaveDeformation(wave.amplitude, wave.speed, wave.frequency,
					wave.centerXOfMapWidth * float(gMapUnitWidth), wave.centerZOfMapDepth * float(gMapUnitDepth));
	if (level.setUp & LEVEL_SETUP_ZIP_LINES)
		InitZipLines();
	if (level.setUp & LEVEL_SETUP_TELEPORTERS)
		InitTeleporters();
	if (level.setUp & LEVEL_SETUP_POD_WORMS)
		ResetWormState();
	if (level.setUp & LEVEL_SETUP_BUMPER_CARS)
		InitBumperCars();
	if (level.setUp & LEVEL_SETUP_JUNGLE_BOSS)
		InitJungleBoss();
	if (level.setUp & LEVEL_SETUP_BRAIN_BOSS_PORTALS)
		InitBrainBossPortals();
}

void InitLevel()
{
	const LevelDef& level = CurrentLevelDef();
	gLevel = LevelState{};
	gPlayerNode = nullptr;
	ClearPlayerLevelFlags();

	SetUpLevelView();

	LoadLevelContent();
	if (gNumObjectsInBG3DGroupList[1] == 0)
		MakeStandInScenery();
	InitInfobar();
	ClearRaiderSaucerPointers();
	InitEnemyManager();
	InitHumans();
	InitPowerupPods();
	InitTouchItems();
	InitBreakables();
	InitHazards();
	ResetSceneryWarnings();
	InitParticleSystem();
	InitShardSystem();
	InitSparkles();
	BlendASprite(3, 6);
	InitVaporTrails();

	ClearRideItemPointers();
	InitExitLift();
	InitBubblePumps();
	InitBoats();
	if (level.hasBackdrop)
		MakeBackdrop();
	CreateSky();

	ObjectDef def{};
	def.genre = CUSTOM_GENRE;
	def.slot = 5000;
	def.flags = STATUS_BIT_DONTCULL;
	def.drawCall = LevelEffectsDraw;
	def.drawPass = DRAW_PASS_TRANSLUCENT;		// then the infobar and shutters: the HUD
	def.scale = 1;
	MakeNewObject(&def);

	SetUpLevelRules(level);

	PrimeWater();
	InitPlayerAtStartOfLevel();
	PrimeSplines();
	PrimeFences();
	InitCamera();
	SDL_ShowCursor(0);
}

static void UpdateTerrainAtCamera()
{
	const OGLPoint3D& camera = gGameViewInfoPtr->cameraPlacement.from;
	UpdateVisibleTerrain(camera.x, camera.z);
}

void UpdateSceneWithoutDrawing()
{
	CullObjects();
	UpdateSuperTilesWithoutDrawing();
}

// Models that scroll their textures, when the level's models are loaded.
static bool HasModel(int model)
{
	return model < gNumObjectsInBG3DGroupList[MODEL_GROUP_LEVELSPECIFIC];
}

// The level's clocks and texture scrolls.
static void RunLevelClocksAndScrolls(float dt)
{
	const LevelDef& level = CurrentLevelDef();
	if (level.rules & LEVEL_RULE_WOBBLE_CLOCK)
	{
		gLevel.wobbleAngle += dt * 0.5f;
		if (gLevel.wobbleAngle > PI2)
			gLevel.wobbleAngle -= PI2;
	}
	if (level.rules & LEVEL_RULE_CLOUD_CLOCK)
		gLevel.cloudClock += dt;

	for (int i = 0; i < level.numUVScrolls; i++)
	{
		const LevelUVScroll& scroll = level.uvScrolls[i];
		if (!HasModel(scroll.model))
			continue;
		if (scroll.geometry < 0)
			MO_Group_OffsetUVs(gBG3DGroupList[MODEL_GROUP_LEVELSPECIFIC][scroll.model], dt * scroll.du, dt * scroll.dv);
		else
			MO_Geometry_OffserUVs(MODEL_GROUP_LEVELSPECIFIC, scroll.model, scroll.geometry, dt * scroll.du, dt * scroll.dv);
	}
}

void UpdateLevelFrame()
{
	float dt = gFrameTime;

	MoveVaporTrails();
	MoveObjects();
	MoveSplineObjects();
	MoveShards();
	MoveCamera();

	RunLevelClocksAndScrolls(dt);
	UpdateHelpMessage(dt);

	UpdateTerrainAtCamera();
}

void PlayCurrentLevel()
{
	GrabMouse(true);
	UpdateInput();
	MeasureFrameTime();
	MeasureFrameTime();
	gLevel.firstFrame = true;
	StartFade(true, 1.0f);

	for (;;)
	{
		if (gFrameWatcher.playFrameStarted)
			gFrameWatcher.playFrameStarted(gLevel.frameCount);
		UpdateInput();
		UpdateLevelFrame();
		if (gFrameWatcher.playFrameMoved)
			gFrameWatcher.playFrameMoved();
		if (gFrameWatcher.drawingStarted)
			gFrameWatcher.drawingStarted();
		OGL_DrawScene(DrawObjects, UpdateSceneWithoutDrawing);

		// A level shown for watching ends at a person's press before the
		// press can pause it.
		if (gLevelShow.active && LevelShowFrameEnds())
			break;

		if (GetNewNeedState(NEED_PAUSE))
		{
			GrabMouse(false);
			DoPauseMenu();
			GrabMouse(true);
		}

		MeasureFrameTime();
		gLevel.frameCount++;

		if (GetKeyState(SDL_SCANCODE_GRAVE))
		{
			if (GetNewKeyState(SDL_SCANCODE_F9))
				DoWarpCheat();
			else if (GetNewKeyState(SDL_SCANCODE_F10))
				break;		// level completed
		}

		// Automated runs may end a level on a clock instead of at its exit.
		gLevel.playSeconds += gFrameTime;
		if (gRunOptions.endLevelAfter > 0 && gLevel.playSeconds >= gRunOptions.endLevelAfter && !gLevel.done)
		{
			gLevel.done = true;
			gLevel.doneTimer = 0.5f;
		}

		if (gLevel.gameOver)
			break;
		if (gLevel.done)
		{
			gLevel.doneTimer -= gFrameTime;
			if (gLevel.doneTimer <= 0)
				break;
		}

		gLevel.firstFrame = false;
	}

	if (gFrameWatcher.levelEnded)
		gFrameWatcher.levelEnded();
	if (gLevelShow.ending != LEVEL_SHOW_PERSON_PRESSED)		// a person asked for the menu: at once
		FadeOutScene(DrawObjects, UpdateTerrainAtCamera);
	GrabMouse(false);
}

void CleanupLevel()
{
	ClearExitBeamArea();
	StopAllEffectChannels();
	DeleteAllSplineObjects();
	ClearHelpMessage();
	DeleteAllObjects();
	ForgetFrozenLook();
	FreeAllSkeletonFiles(-1);
	DisposeVaporTrailMaterial();
	DisposeSuperTileMemoryList();
	DisposeTerrain();
	DisposeParticleSystem();
	DisposeAllSpriteGroups();
	DisposeFences();
	DisposeWater();
	DeleteAllBG3DContainers();
	DisposeSoundBank(CurrentLevelDef().soundBank);
	OGL_DisposeWindowSetup();
	gPlayerNode = nullptr;
	gPlayerHandNodes[0] = gPlayerHandNodes[1] = nullptr;
	ClearRaiderSaucerPointers();
}
