// The robot's projectiles: one frame of fifty shots in flight round the robot
// on the farm (every kind that flies: stun, freeze, arc, flare, dart), each
// mover moving its shot, leaving its trail and testing it for hits against
// the level's objects; and the hit test on its own. Logic only, per frame of
// fifty shots. The shots fly level 400 above the ground and are made anew
// (untimed) every few frames so none runs out of lifetime or into a hill.
#include "BenchLevel.h"
#include "Player/Player.h"
#include "Player/Weapons.h"
#include "System/Objects.h"
#include "Terrain/Terrain.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace
{
	constexpr int LEVEL = 0;
	constexpr int WARM_UP_FRAMES = 300;
	constexpr int NUM_SHOTS = 50;
	constexpr int FRAMES_PER_VOLLEY = 10;
	constexpr float HEIGHT_ABOVE_GROUND = 400;
	constexpr int KINDS[] = {WEAPON_STUNGUN, WEAPON_FREEZEGUN, WEAPON_ARCSHOT, WEAPON_FLARE, WEAPON_DART};

	double Seconds(uint64_t ticks)
	{
		return double(ticks) / double(SDL_GetPerformanceFrequency());
	}

	void ClearShots(std::vector<ObjNode*>& shots)
	{
		for (ObjNode* s : shots)
			if (s->CType != INVALID_NODE_FLAG)
				DeleteObject(s);
		FlushObjectDeleteQueue();
		shots.clear();
	}

	// Fifty shots fanned out round the robot, flying outward.
	void MakeVolley(std::vector<ObjNode*>& shots)
	{
		ClearShots(shots);
		const OGLPoint3D c = gPlayerNode ? gPlayerNode->Coord : OGLPoint3D{0, 0, 0};
		for (int i = 0; i < NUM_SHOTS; i++)
		{
			const float a = float(i) * PI2 / NUM_SHOTS;
			const float r = 150 + 10 * float(i);
			OGLPoint3D at = {c.x + std::sin(a) * r, 0, c.z + std::cos(a) * r};
			at.y = TerrainHeightAt(at.x, at.z) + HEIGHT_ABOVE_GROUND;
			const OGLVector3D delta = {std::sin(a) * 300, 0, std::cos(a) * 300};
			if (ObjNode* s = MakeWeaponProjectile(KINDS[i % 5], &at, &delta))
				shots.push_back(s);
		}
	}

	bool Ready(benchmark::State& state)
	{
		if (RunLevelForBench(LEVEL, WARM_UP_FRAMES))
			return true;
		state.SkipWithError("no baked Data folder beside the build");
		return false;
	}
}

static void BM_FiftyShotsOneFrame(benchmark::State& state)
{
	if (!Ready(state))
		return;
	std::vector<ObjNode*> shots;
	long frames = 0;
	for (auto _ : state)
	{
		if (frames++ % FRAMES_PER_VOLLEY == 0)
			MakeVolley(shots);
		uint64_t start = SDL_GetPerformanceCounter();
		BeginObjectMovePass();
		for (ObjNode* s : shots)
			if (s->CType != INVALID_NODE_FLAG && s->MoveCall)
				s->MoveCall(s);
		EndObjectMovePass();
		state.SetIterationTime(Seconds(SDL_GetPerformanceCounter() - start));
	}
	ClearShots(shots);
	state.counters["shots"] = NUM_SHOTS;
}
BENCHMARK(BM_FiftyShotsOneFrame)->UseManualTime()->Iterations(600)->Unit(benchmark::kMicrosecond);

static void BM_FiftyShotsHitTestOnly(benchmark::State& state)
{
	if (!Ready(state))
		return;
	std::vector<ObjNode*> shots;
	MakeVolley(shots);
	long spent = 0;
	for (auto _ : state)
	{
		int spentNow = 0;
		for (ObjNode* s : shots)
			if (s->CType != INVALID_NODE_FLAG)
				spentNow += ProjectileHitTest(s) ? 1 : 0;
		if (spentNow)
		{
			state.PauseTiming();
			MakeVolley(shots);			// a shot that struck something is gone: a fresh set
			state.ResumeTiming();
		}
		spent += spentNow;
	}
	ClearShots(shots);
	state.counters["spent"] = double(spent);
}
BENCHMARK(BM_FiftyShotsHitTestOnly)->Iterations(2000)->Unit(benchmark::kMicrosecond);
