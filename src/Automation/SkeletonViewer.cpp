// The skeleton viewer: a skeleton node on a ground grid under a 3/4 front
// view that frames its reference box, and a line of text with the type, the
// animation, its clock and the node's five flags.
#include "Automation/SkeletonViewer.h"
#include "3D/BG3D.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/MetaObjectsShapes.h"
#include "3D/OGL_Support.h"
#include "3D/Skeleton.h"
#include "3D/Sprites.h"
#include "3D/TextMesh.h"
#include "System/DataFiles.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Input.h"
#include "Files.h"

#include <SDL.h>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
	constexpr float FOV = 0.9f;
	constexpr float VIEW_TURN_RATE = 1.5f;		// radians per second with A or D held

	struct Viewer
	{
		int type = 0;
		int anim = 0;
		bool paused = false;
		float viewAngle = 0.55f;				// about y, 0 = straight at the front
		OGLPoint3D focus = {0, 100, 0};
		float distance = 600;
		ObjNodeRef skeleton;
		ObjNodeRef ground;
		ObjNodeRef label;
		bool open = false;
	};

	Viewer gViewer;

	void PlaceCamera(Viewer& v)
	{
		OGLPoint3D from = {v.focus.x - std::sin(v.viewAngle) * v.distance, v.focus.y + 0.35f * v.distance,
				v.focus.z - std::cos(v.viewAngle) * v.distance};
		OGL_SetCameraFromTo(&from, &v.focus);
	}

	void UpdateLabel(Viewer& v)
	{
		ObjNode* node = v.skeleton.Get();
		ObjNode* label = v.label.Get();
		if (!node || !label)
			return;
		const SkeletonObjDataType* s = node->Skeleton;
		char text[200];
		snprintf(text, sizeof(text), "%s  anim %d/%d  tick %5.1f/%g%s  flags %d%d%d%d%d%s", SKELETON_FILE_NAMES[v.type], v.anim,
				s->skeletonDefinition->NumAnims - 1, s->CurrentAnimTime, s->MaxAnimTime, s->AnimHasStopped ? " stopped" : "",
				node->Flag[0], node->Flag[1], node->Flag[2], node->Flag[3], node->Flag[4], v.paused ? "  (paused)" : "");
		TextMesh_Update(text, TEXTMESH_ALIGN_CENTER, label);
	}

	// A fresh node of the current type and animation. The camera frames the
	// type's first animation, so that every animation is seen alike.
	void MakeSkeletonNode(Viewer& v)
	{
		if (ObjNode* old = v.skeleton.Get())
			DeleteObject(old);
		ObjectDef def = {};
		def.type = uint8_t(v.type);
		def.slot = 100;
		def.flags = STATUS_BIT_DONTCULL;
		def.scale = 1;
		ObjNode* node = MakeNewSkeletonBaseData(&def, 0);
		const OGLBoundingBox box = node->BBox;
		SetSkeletonAnim(node->Skeleton, v.anim);
		for (uint8_t& flag : node->Flag)
			flag = 0;
		v.skeleton = ObjNodeRef(node);

		const float height = std::max(box.max.y - box.min.y, 1.0f);
		const float width = std::max({box.max.x - box.min.x, box.max.z - box.min.z, 1.0f});
		v.focus = {0, box.min.y + 0.5f * height, 0};
		v.distance = 0.75f * std::max(height, 0.7f * width) / std::tan(0.5f * FOV) + 0.5f * width;
		if (ObjNode* ground = v.ground.Get())
		{
			ground->Coord.y = box.min.y - 0.5f;
			ground->Scale = {v.distance / 500, 1, v.distance / 500};
			UpdateObjectTransforms(ground);
		}
		PlaceCamera(v);
	}

	void LoadType(Viewer& v, int type)
	{
		if (ObjNode* old = v.skeleton.Get())
			DeleteObject(old);
		FlushObjectDeleteQueue();
		FreeAllSkeletonFiles(-1);
		const int group = MODEL_GROUP_SKELETONBASE + v.type;
		if (gBG3DContainerList[group])
			DisposeBG3DContainer(group);

		v.type = type;
		v.anim = 0;
		LoadASkeleton(type);
		// The game's own look: the hero and the brain aliens shine.
		if ((type == SKELETON_TYPE_QUOG || type == SKELETON_TYPE_BRAINALIEN || type == SKELETON_TYPE_ELITEBRAINALIEN)
				&& gNumSpritesInGroupList[SPRITE_GROUP_SPHEREMAPS] > SPHEREMAP_CHROME_GLINT)
			BG3D_SphereMapGeomteryMaterial(int16_t(MODEL_GROUP_SKELETONBASE + type), 0, -1, MULTI_TEXTURE_COMBINE_ADD,
					SPHEREMAP_CHROME_GLINT);
	}
}

int SkeletonViewer_ParseType(const char* text)
{
	char* end = nullptr;
	long n = std::strtol(text, &end, 10);
	if (end != text && *end == '\0')
		return n >= 0 && n < MAX_SKELETON_TYPES ? int(n) : -1;
	for (int type = 0; type < MAX_SKELETON_TYPES; type++)
	{
		const char* name = SKELETON_FILE_NAMES[type];
		size_t i = 0;
		while (name[i] && text[i] && std::tolower(uint8_t(name[i])) == std::tolower(uint8_t(text[i])))
			i++;
		if (!name[i] && !text[i])
			return type;
	}
	return -1;
}

void SkeletonViewer_Open(int type, int anim)
{
	GAME_ASSERT(!gViewer.open);
	if (type < 0 || type >= MAX_SKELETON_TYPES)
		FatalAlert("Skeleton viewer: no skeleton type %d", type);

	OGLSetupInput setup;
	OGL_DefaultSetupInput(&setup);
	setup.clearColor = {0.2f, 0.22f, 0.3f, 1};
	setup.fov = FOV;
	setup.hither = 5;
	setup.yon = 6000;
	setup.ambientColor = {0.35f, 0.35f, 0.38f, 1};
	setup.numFillLights = 2;
	setup.fillDirection[0] = {0.5f, -0.7f, 0.8f};
	setup.fillDirection[1] = {-0.8f, -0.2f, -0.5f};
	setup.fillColor[1] = {0.4f, 0.4f, 0.45f, 1};
	OGL_SetupWindow(&setup);
	gFadeLevel = 1;

	if (DataFileExists(":sprites:spheremap:spheremap000.tga"))
		LoadSpriteGroup(SPRITE_GROUP_SPHEREMAPS, NUM_SPHEREMAP_SPRITES, SPRITE_SET_SPHEREMAPS);

	Viewer& v = gViewer;
	v = Viewer{};
	v.open = true;

	ObjectDef def = {};
	def.genre = DISPLAY_GROUP_GENRE;
	def.slot = 50;
	def.scale = 1;
	ObjNode* ground = MakeNewObject(&def);
	CreateBaseGroup(ground);
	MetaObjectPtr grid = MO_MakeGroundGrid(500, 10, {0.32f, 0.34f, 0.4f, 1}, {0.27f, 0.29f, 0.35f, 1});
	AppendToObjectBaseGroup(ground, grid);
	MO_DisposeObjectReference(grid);
	v.ground = ObjNodeRef(ground);

	if (TextMesh_MetricsLoaded())
	{
		ObjectDef labelDef = {};
		labelDef.coord = {0, 0.5f * LOGICAL_SCREEN_HEIGHT - 20, 0};
		labelDef.slot = 200;
		labelDef.scale = 0.32f;
		v.label = ObjNodeRef(TextMesh_New(" ", TEXTMESH_ALIGN_CENTER, &labelDef));
	}

	v.type = type;
	LoadType(v, type);
	v.anim = std::clamp(anim, 0, gLoadedSkeletonsList[type]->NumAnims - 1);
	MakeSkeletonNode(v);
}

ObjNode* SkeletonViewer_GetNode()
{
	return gViewer.open ? gViewer.skeleton.Get() : nullptr;
}

void SkeletonViewer_SetViewAngle(float radians)
{
	gViewer.viewAngle = radians;
	if (gViewer.open)
		PlaceCamera(gViewer);
}

void SkeletonViewer_Frame()
{
	Viewer& v = gViewer;
	ObjNode* node = v.skeleton.Get();
	if (node && node->Skeleton)
		node->Skeleton->AnimSpeed = v.paused ? 0.0f : 1.0f;
	MoveObjects();
	OGL_DrawScene(SkeletonViewer_DrawScene);
}

void SkeletonViewer_DrawScene()
{
	UpdateLabel(gViewer);
	DrawObjects();
}

void SkeletonViewer_Close()
{
	if (!gViewer.open)
		return;
	DeleteAllObjects();
	FreeAllSkeletonFiles(-1);
	DeleteAllBG3DContainers();
	DisposeAllSpriteGroups();
	OGL_DisposeWindowSetup();
	gViewer = Viewer{};
}

void RunSkeletonViewer(int type, int anim)
{
	SkeletonViewer_Open(type, anim);
	Viewer& v = gViewer;
	for (;;)
	{
		UpdateInput();
		if (GetNewKeyState(SDL_SCANCODE_ESCAPE))
			QuitGame();

		const int numAnims = gLoadedSkeletonsList[v.type]->NumAnims;
		int wantedAnim = v.anim, wantedType = v.type;
		if (GetNewKeyState(SDL_SCANCODE_RIGHT))
			wantedAnim = (v.anim + 1) % numAnims;
		if (GetNewKeyState(SDL_SCANCODE_LEFT))
			wantedAnim = (v.anim + numAnims - 1) % numAnims;
		if (GetNewKeyState(SDL_SCANCODE_UP))
			wantedType = (v.type + 1) % MAX_SKELETON_TYPES;
		if (GetNewKeyState(SDL_SCANCODE_DOWN))
			wantedType = (v.type + MAX_SKELETON_TYPES - 1) % MAX_SKELETON_TYPES;
		if (GetNewKeyState(SDL_SCANCODE_SPACE))
			v.paused = !v.paused;
		if (GetKeyState(SDL_SCANCODE_A))
			v.viewAngle -= VIEW_TURN_RATE * gFrameTime;
		if (GetKeyState(SDL_SCANCODE_D))
			v.viewAngle += VIEW_TURN_RATE * gFrameTime;
		PlaceCamera(v);

		if (wantedType != v.type)
		{
			LoadType(v, wantedType);
			MakeSkeletonNode(v);
		}
		else if (wantedAnim != v.anim || (GetNewKeyState(SDL_SCANCODE_R)))
		{
			v.anim = wantedAnim;
			MakeSkeletonNode(v);
		}

		// While paused, period advances one frame.
		ObjNode* node = v.skeleton.Get();
		if (v.paused && node && GetNewKeyState(SDL_SCANCODE_PERIOD))
		{
			node->Skeleton->AnimSpeed = 1;
			UpdateSkeletonAnimation(node);
		}
		SkeletonViewer_Frame();
		MeasureFrameTime();
	}
}
