// A full particle store (120 groups of 250): one move step without GL, and
// one draw pass (mesh building and 120 draw calls) in a real GL context
// (needs an X display); plus one attracting group, whose pairs cost n².
#include "Effects/Particles.h"
#include "3D/OGL_Support.h"
#include "System/FrameTime.h"
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
	gWindow = SDL_CreateWindow("effects bench", 0, 0, 320, 240, SDL_WINDOW_OPENGL);
	if (!gWindow)
		return false;
	OGL_CreateDrawContext();
	return true;
}

// Particles that never die (no fading, no shrinking, no ground), spread in front of the camera.
static void FillStore(int groups, uint8_t type)
{
	for (int g = 0; g < groups; g++)
	{
		NewParticleGroupDefType def = {};
		def.type = type;
		def.flags = PARTICLE_FLAGS_DONTCHECKGROUND;
		def.gravity = 10;
		def.magnetism = 1000;
		def.baseScale = 10;
		def.srcBlend = GL_SRC_ALPHA;
		def.dstBlend = (g & 1) ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA;
		int16_t group = NewParticleGroup(&def);
		for (int p = 0; p < MAX_PARTICLES; p++)
		{
			OGLPoint3D at = {float(p % 25 - 12) * 30, float(p / 25) * 30 - 150, -800.0f - float(g) * 20};
			OGLVector3D delta = {float(p % 7) - 3, 5, float(p % 5) - 2};
			NewParticleDefType def2 = {group, &at, &delta, 1, 0, 0.1f, 0.8f};
			AddParticleToGroup(&def2);
		}
	}
}

static void BM_MoveFullParticleStore(benchmark::State& state)
{
	InitParticleGroups();
	FillStore(MAX_PARTICLE_GROUPS, PARTICLE_TYPE_FALLINGSPARKS);
	gFrameTime = 1.0f / 60;
	for (auto _ : state)
		MoveParticleGroups(nullptr);
	state.SetItemsProcessed(state.iterations() * MAX_PARTICLE_GROUPS * MAX_PARTICLES);
	DisposeParticleGroups();
}
BENCHMARK(BM_MoveFullParticleStore)->Unit(benchmark::kMicrosecond);

static void BM_MoveAttractingGroup(benchmark::State& state)
{
	InitParticleGroups();
	FillStore(1, PARTICLE_TYPE_GRAVITOIDS);
	gFrameTime = 1.0f / 60;
	for (auto _ : state)
		MoveParticleGroups(nullptr);
	state.SetItemsProcessed(state.iterations() * MAX_PARTICLES * MAX_PARTICLES);
	DisposeParticleGroups();
}
BENCHMARK(BM_MoveAttractingGroup)->Unit(benchmark::kMicrosecond);

static void DrawParticlesOnly()
{
	DrawParticleGroup(nullptr);
}

static void BM_DrawFullParticleStore(benchmark::State& state)
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
	InitParticleGroups();		// untextured: the images are not loaded
	FillStore(MAX_PARTICLE_GROUPS, PARTICLE_TYPE_FALLINGSPARKS);

	for (auto _ : state)
	{
		OGL_DrawScene(DrawParticlesOnly);
		glFinish();
	}
	state.SetItemsProcessed(state.iterations() * MAX_PARTICLE_GROUPS * MAX_PARTICLES);

	DisposeParticleGroups();
	OGL_DisposeWindowSetup();
}
BENCHMARK(BM_DrawFullParticleStore)->Unit(benchmark::kMillisecond);
