// The model viewer. The camera looks at the z = 0 plane from the distance at
// which that plane shows exactly 480 units of height, so world x and −y there
// are the 2D overlay's coordinates: labels line up with their models.
#include "Automation/ModelViewer.h"
#include "3D/BG3D.h"
#include "3D/OGL_Support.h"
#include "3D/Sprites.h"
#include "3D/TextMesh.h"
#include "System/DataFiles.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Input.h"
#include "System/Objects.h"
#include "System/Window.h"
#include "Files.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
	constexpr int VIEW_GROUP = MODEL_GROUP_LEVELSPECIFIC;
	constexpr float FOV = 1.1f;
	constexpr float TITLE_SPACE = 40.0f;		// overlay units above the grid
	constexpr float LABEL_SPACE = 16.0f;		// below each model of the grid
	constexpr float SPIN_RATE = 0.8f;			// radians per second
	constexpr float TILT = 0.35f;				// so tops show too

	struct Viewer
	{
		std::string fileName;
		int numModels = 0;
		int current = -1;						// −1: the grid
		std::vector<ObjNodeRef> nodes;			// everything this screen made
	};

	float CameraDistance()
	{
		return 0.5f * LOGICAL_SCREEN_HEIGHT / std::tan(FOV * 0.5f);
	}

	void SpinModel(ObjNode* node)
	{
		node->Rot.y += SPIN_RATE * gFrameTime;
		UpdateObjectTransforms(node);
	}

	// A node showing one model, scaled to fit `size` and turning about the
	// centre of its bounding box.
	ObjNode* MakeModelNode(int type, float x, float y, float size)
	{
		const OGLBoundingBox& box = BG3D_GetModelBounds(VIEW_GROUP, type);
		OGLPoint3D center = {0, 0, 0};
		float extent = 1;
		if (!box.isEmpty)
		{
			center = {(box.min.x + box.max.x) * 0.5f, (box.min.y + box.max.y) * 0.5f, (box.min.z + box.max.z) * 0.5f};
			extent = std::max({box.max.x - box.min.x, box.max.y - box.min.y, box.max.z - box.min.z, 0.001f});
		}

		ObjectDef def = {};
		def.genre = DISPLAY_GROUP_GENRE;
		def.coord = {x, y, 0};
		def.slot = 100;
		def.flags = STATUS_BIT_DONTCULL | STATUS_BIT_ROTYZX;
		def.moveCall = SpinModel;
		def.scale = size / extent;
		ObjNode* node = MakeNewObject(&def);
		node->Rot.x = TILT;
		CreateBaseGroup(node);

		OGLMatrix4x4 recenter;
		OGLMatrix4x4_SetTranslate(&recenter, -center.x, -center.y, -center.z);
		MetaObjectPtr matrix = MO_CreateNewObjectOfType(MO_TYPE_MATRIX, 0, &recenter);
		AppendToObjectBaseGroup(node, matrix);
		MO_DisposeObjectReference(matrix);		// the base group holds it
		AppendToObjectBaseGroup(node, BG3D_GetModel(VIEW_GROUP, type));
		UpdateObjectTransforms(node);
		return node;
	}

	void AddLabel(Viewer& v, const char* text, float x, float y, float scale)
	{
		ObjectDef def = {};
		def.coord = {x, y, 0};
		def.slot = 200;
		def.scale = scale;
		v.nodes.emplace_back(TextMesh_New(text, TEXTMESH_ALIGN_CENTER, &def));
	}

	int CountTriangles(MetaObjectPtr object)
	{
		if (object->type == MO_TYPE_GEOMETRY)
			return MO_VertexArrayData(object)->numTriangles;
		int n = 0;
		if (object->type == MO_TYPE_GROUP)
			for (int i = 0; i < MO_GroupData(object)->numObjectsInGroup; i++)
				n += CountTriangles(MO_GroupData(object)->groupContents[i]);
		return n;
	}

	void ClearScene(Viewer& v)
	{
		for (ObjNodeRef& ref : v.nodes)
			if (ObjNode* node = ref.Get())
				DeleteObject(node);
		v.nodes.clear();
	}

	float VisibleWidth()
	{
		int w = 0, h = 0;
		SDL_GL_GetDrawableSize(gWindow, &w, &h);
		return LOGICAL_SCREEN_HEIGHT * (h > 0 ? float(w) / float(h) : 4.0f / 3.0f);
	}

	void BuildGrid(Viewer& v)
	{
		const float width = VisibleWidth(), height = LOGICAL_SCREEN_HEIGHT - TITLE_SPACE;
		int columns = 1, rows = 1;
		ModelViewer_CalcGrid(v.numModels, width / height, &columns, &rows);
		const float cell = std::min(width / float(columns), height / float(rows));
		const float left = -0.5f * cell * float(columns), top = 0.5f * LOGICAL_SCREEN_HEIGHT - TITLE_SPACE;

		char text[160];
		snprintf(text, sizeof(text), "%s: %d model%s  (\u2190 \u2192 one at a time, Esc quits)", v.fileName.c_str(), v.numModels,
				v.numModels == 1 ? "" : "s");
		AddLabel(v, text, 0, -0.5f * LOGICAL_SCREEN_HEIGHT + 12, 0.35f);

		for (int i = 0; i < v.numModels; i++)
		{
			float cx = left + (float(i % columns) + 0.5f) * cell;
			float cy = top - (float(i / columns) + 0.5f) * cell;
			v.nodes.emplace_back(MakeModelNode(i, cx, cy + LABEL_SPACE * 0.5f, (cell - LABEL_SPACE) * 0.7f));
			snprintf(text, sizeof(text), "%d", i);
			AddLabel(v, text, cx, -(cy - 0.5f * cell) - LABEL_SPACE, 0.3f);
		}
	}

	void BuildSingle(Viewer& v)
	{
		int type = v.current;
		v.nodes.emplace_back(MakeModelNode(type, 0, 10, 300));

		const OGLBoundingBox& box = BG3D_GetModelBounds(VIEW_GROUP, type);
		char text[200];
		snprintf(text, sizeof(text), "%s  model %d of %d", v.fileName.c_str(), type, v.numModels);
		AddLabel(v, text, 0, -0.5f * LOGICAL_SCREEN_HEIGHT + 12, 0.45f);
		if (box.isEmpty)
			snprintf(text, sizeof(text), "no geometry");
		else
			snprintf(text, sizeof(text), "%d triangles, %.1f \u00D7 %.1f \u00D7 %.1f units",
					CountTriangles(BG3D_GetModel(VIEW_GROUP, type)),
					box.max.x - box.min.x, box.max.y - box.min.y, box.max.z - box.min.z);
		AddLabel(v, text, 0, 0.5f * LOGICAL_SCREEN_HEIGHT - 50, 0.35f);
		AddLabel(v, "\u2190 \u2192 step    G grid    Esc quit", 0, 0.5f * LOGICAL_SCREEN_HEIGHT - 25, 0.3f);
	}

	void BuildScene(Viewer& v)
	{
		ClearScene(v);
		if (v.numModels == 0)
			AddLabel(v, (v.fileName + " holds no models").c_str(), 0, 0, 0.5f);
		else if (v.current < 0)
			BuildGrid(v);
		else
			BuildSingle(v);
	}

	// Where the file is, from any of the accepted forms.
	FSSpec FindModelFile(const char* file, std::string* displayName)
	{
		std::string path = file;
		FSSpec spec = {};
		OSErr err;
		if (path.find('/') != std::string::npos)
		{
			spec = Tamber::Files::HostPathToFSSpec(path);
			err = noErr;
		}
		else
		{
			if (path[0] != ':')
			{
				if (path.find('.') == std::string::npos)
					path += ".bg3d";
				path = ":Models:" + path;
			}
			err = MakeDataFileSpec(path.c_str(), &spec);
		}
		if (err != noErr)
			FatalAlert("Model viewer: can't find \"%s\"", file);
		*displayName = spec.name;
		return spec;
	}
}

void ModelViewer_CalcGrid(int numModels, float aspect, int* columns, int* rows)
{
	int bestColumns = 1;
	float bestCell = 0;
	const int n = std::max(numModels, 1);
	for (int c = 1; c <= n; c++)
	{
		int r = (n + c - 1) / c;
		float cell = std::min(aspect / float(c), 1.0f / float(r));
		if (cell > bestCell + 1e-6f)
		{
			bestCell = cell;
			bestColumns = c;
		}
	}
	*columns = bestColumns;
	*rows = (n + bestColumns - 1) / bestColumns;
}

void RunModelViewer(const char* file, int startModel)
{
	OGLSetupInput setup;
	OGL_DefaultSetupInput(&setup);
	setup.clearColor = {0.16f, 0.18f, 0.24f, 1};
	setup.from = {0, 0, CameraDistance()};
	setup.to = {0, 0, 0};
	setup.fov = FOV;
	setup.hither = 10;
	setup.yon = 3000;
	setup.ambientColor = {0.35f, 0.35f, 0.38f, 1};
	setup.numFillLights = 2;
	setup.fillDirection[0] = {0.6f, -0.5f, -1.0f};
	setup.fillDirection[1] = {-0.8f, 0.3f, -0.4f};
	setup.fillColor[1] = {0.45f, 0.45f, 0.5f, 1};
	OGL_SetupWindow(&setup);

	Viewer v;
	FSSpec spec = FindModelFile(file, &v.fileName);
	// Sphere-mapped materials draw their second layer from the sphere maps.
	if (DataFileExists(":sprites:spheremap:spheremap000.tga"))
		LoadSpriteGroup(SPRITE_GROUP_SPHEREMAPS, NUM_SPHEREMAP_SPRITES, SPRITE_SET_SPHEREMAPS);
	v.numModels = ImportBG3D(&spec, VIEW_GROUP);
	v.current = startModel < v.numModels ? startModel : -1;
	BuildScene(v);

	for (;;)
	{
		UpdateInput();
		int wanted = v.current;
		if (GetNewKeyState(SDL_SCANCODE_ESCAPE))
			QuitGame();
		if (v.numModels > 0 && GetNewKeyState(SDL_SCANCODE_RIGHT))
			wanted = (v.current + 1) % v.numModels;
		if (v.numModels > 0 && GetNewKeyState(SDL_SCANCODE_LEFT))
			wanted = v.current <= 0 ? v.numModels - 1 : v.current - 1;
		if (GetNewKeyState(SDL_SCANCODE_G))
			wanted = -1;
		if (wanted != v.current)
		{
			v.current = wanted;
			BuildScene(v);
		}

		MoveObjects();
		OGL_DrawScene(DrawObjects);
		MeasureFrameTime();
	}
}
