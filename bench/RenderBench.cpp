// The draw pass over display-group nodes in a real GL context (needs an X
// display; Mesa's software renderer under Xvfb gives comparable numbers).
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsShapes.h"
#include "3D/OGL_Support.h"
#include "System/Objects.h"
#include "System/Window.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <benchmark/benchmark.h>
#include <cstdlib>

static bool OpenContext()
{
	if (gGLContext)
		return true;
	if (!std::getenv("DISPLAY") || SDL_Init(SDL_INIT_VIDEO) != 0)
		return false;
	SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
	SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
	SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
	gWindow = SDL_CreateWindow("render bench", 0, 0, 320, 240, SDL_WINDOW_OPENGL);
	if (!gWindow)
		return false;
	OGL_CreateDrawContext();
	return true;
}

// 1,000 display-group nodes (lit boxes in a grid in front of the camera,
// `visible` of every 10 in view, the rest culled): culling, state changes
// and drawing of one pass.
static void BM_DrawObjects1000(benchmark::State& state)
{
	if (!OpenContext())
	{
		state.SkipWithError("no X display");
		return;
	}
	OGLSetupInput setup;
	OGL_DefaultSetupInput(&setup);
	setup.yon = 20000;
	OGL_SetupWindow(&setup);
	InitObjectManager();

	const int visiblePerTen = int(state.range(0));
	MetaObjectPtr material = MO_MakeColorMaterial({0.8f, 0.5f, 0.2f, 1});
	MetaObjectPtr box = MO_MakeBox(20, 20, 20, material);
	MO_DisposeObjectReference(material);
	OGLBoundingBox bbox;
	MO_CalcBoundingBox(box, &bbox);
	for (int i = 0; i < 1000; i++)
	{
		ObjectDef def = {};
		def.genre = DISPLAY_GROUP_GENRE;
		bool inView = (i % 10) < visiblePerTen;
		def.coord = {float(i % 40 - 20) * 50, float(i / 40 % 5) * 50 - 100, inView ? -1500.0f - float(i / 200) * 100 : 3000.0f};
		def.slot = int16_t(100 + i % 7);
		def.flags = (i % 3 == 0) ? uint32_t(STATUS_BIT_NOFOG) : 0u;
		def.scale = 1;
		ObjNode* node = MakeNewObject(&def);
		CreateBaseGroup(node);
		AppendToObjectBaseGroup(node, box);
		node->BBox = bbox;
	}
	MO_DisposeObjectReference(box);

	for (auto _ : state)
	{
		OGL_DrawScene(DrawObjects);
		glFinish();
	}
	state.SetItemsProcessed(state.iterations() * 1000);

	DeleteAllObjects();
	OGL_DisposeWindowSetup();
}
BENCHMARK(BM_DrawObjects1000)->Arg(0)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
