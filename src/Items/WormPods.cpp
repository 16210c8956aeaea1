// The city's worm pods. A pod shower drops a pod now and then, while fewer
// than ten lie about; the pod streaks down, cratering the street with a
// shock wave, and lies there. Once the robot comes near, the pod bursts and a
// glowing worm shoots out of it along a curving path through the air toward
// where he is heading and dives back into the ground.
#include "Items/HazardsInternal.h"
#include "3D/Skeleton.h"
#include "3D/SkeletonTypes.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Player/Player.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "Memory.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Splines.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>

namespace
{
	// The shower.
	constexpr float FIRST_DROP_MAX = 3.0f;				// seconds
	constexpr float DROP_MIN_WAIT = 4.0f, DROP_MAX_WAIT = 10.0f;
	constexpr float DROP_HEIGHT = 6000.0f;				// above the ground where it lands
	constexpr float DROP_SPREAD = 900.0f;				// ± in x and z round the shower
	constexpr float DROP_SIDE_SPEED = 5000.0f;			// ± in x and z
	constexpr float DROP_SPEED = 7000.0f;				// down

	// Pods: level model 5.
	constexpr int POD_MODEL = 5;
	constexpr float POD_SCALE = 2.0f;
	constexpr int16_t POD_SLOT = 257;
	constexpr float POD_HATCH_DELAY = 2.5f;				// seconds on the ground before it may burst
	constexpr float POD_HATCH_RANGE = 2700.0f;			// 3D, from the robot
	const OGLBoundingBox POD_STAND_IN = {{-40, 0, -40}, {40, 110, 40}, false};
	enum : uint8_t { POD_FALLING, POD_LYING };

	// Worms: skeleton "PodWorm", joints along −z from the head.
	constexpr float WORM_SCALE = 1.5f;
	constexpr int16_t WORM_SLOT = 551;
	constexpr float WORM_DAMAGE = 0.1f;
	constexpr float WORM_BOX = 40.0f;					// ± round the head
	constexpr float WORM_SPEED = 540.0f;				// path points per second
	constexpr int WORM_JOINTS = 10;
	constexpr int WORM_JOINT_SPACING = 30;				// path points between joints
	constexpr int WORM_LOOK_AHEAD = 10;
	constexpr int WORM_PATH_NUBS = 7;
	constexpr float WORM_UNITS_PER_POINT = 3.0f;		// path spacing, units
	constexpr float WORM_SWAY = 300.0f;					// ± sideways for the inner nubs
	constexpr float WORM_MIN_LIFT = 30.0f, WORM_MAX_EXTRA_LIFT = 400.0f;
	constexpr float WORM_DIVE = 250.0f;					// the path ends this far underground
	constexpr int WORM_SPARKLES = 8;
	const OGLBoundingBox WORM_STAND_IN = {{-30, -30, -30}, {30, 30, 300}, false};

	int gNumWormPods = 0;		// dropped and not yet burst
	int gNumWorms = 0;
	std::vector<OGLPoint3D> gWormPaths[MAX_WORMS];
	bool gWormPathUsed[MAX_WORMS] = {};

	void ForgetPod(ObjNode* pod)
	{
		if (pod->Flag[0])
		{
			pod->Flag[0] = 0;
			gNumWormPods = std::max(0, gNumWormPods - 1);
		}
		StopAChannel(&pod->EffectChannel);
	}

	void ForgetWorm(ObjNode* worm)
	{
		int slot = worm->Special[0];
		if (slot >= 0 && slot < MAX_WORMS && gWormPathUsed[slot])
		{
			gWormPathUsed[slot] = false;
			gWormPaths[slot].clear();
			gNumWorms = std::max(0, gNumWorms - 1);
		}
		worm->Special[0] = -1;
		StopAChannel(&worm->EffectChannel);
	}

	//
	// Worms
	//

	const OGLPoint3D& PathPoint(int slot, float index)
	{
		const std::vector<OGLPoint3D>& path = gWormPaths[slot];
		int i = std::clamp(int(index), 0, int(path.size()) - 1);
		return path[size_t(i)];
	}

	void MoveWorm(ObjNode* worm)
	{
		const int slot = worm->Special[0];
		float& head = worm->SpecialF[0];
		head += WORM_SPEED * gFrameTime;
		const int tail = int(head) - (WORM_JOINTS - 1) * WORM_JOINT_SPACING;
		if (slot < 0 || tail >= int(gWormPaths[slot].size()) || IsNodeOutOfRange(worm))
		{
			ForgetWorm(worm);
			DeleteObject(worm);
			return;
		}
		const OGLPoint3D& at = PathPoint(slot, head);
		const OGLPoint3D& ahead = PathPoint(slot, head + WORM_LOOK_AHEAD);
		worm->Coord = at;
		float dx = ahead.x - at.x, dy = ahead.y - at.y, dz = ahead.z - at.z;
		if (dx * dx + dz * dz > 0.01f)
			worm->Rot.y = std::atan2(-dx, -dz);
		worm->Rot.x = std::atan2(dy, std::hypot(dx, dz));
		UpdateObjectTransforms(worm);
		worm->NumCollisionBoxes = 1;
		worm->CollisionBoxes[0] = {at.x - WORM_BOX, at.x + WORM_BOX, at.z + WORM_BOX, at.z - WORM_BOX, at.y + WORM_BOX, at.y - WORM_BOX};
		// Each sparkle glows on a joint's point of the path, pulsing along it.
		for (int i = 0; i < WORM_SPARKLES; i++)
		{
			int16_t s = worm->Sparkles[i];
			if (s == -1)
				continue;
			float k = head - float(i * WORM_JOINT_SPACING);
			SparkleType& sparkle = gSparkles[s];
			sparkle.where = PathPoint(slot, k);
			sparkle.color = {(std::cos(0.01f * k) + 1) / 2, 1, 1, 0.7f + 0.3f * float(i % 2)};
		}
		Update3DSoundChannel(EFFECT_PODWORM, &worm->EffectChannel, &worm->Coord);
	}

	void MakeWorm(const OGLPoint3D& from)
	{
		int slot = 0;
		while (slot < MAX_WORMS && gWormPathUsed[slot])
			slot++;
		if (slot == MAX_WORMS)
			return;

		// Seven nubs from the pod toward where the robot is heading, weaving
		// through the air, the last one underground.
		OGLPoint3D to = from;
		if (ObjNode* robot = gPlayerNode)
			to = {robot->Coord.x + robot->Delta.x, 0, robot->Coord.z + robot->Delta.z};
		float dx = to.x - from.x, dz = to.z - from.z, len = std::max(1.0f, std::hypot(dx, dz));
		OGLPoint3D nubs[WORM_PATH_NUBS];
		int32_t perSpan[WORM_PATH_NUBS];
		for (int k = 0; k < WORM_PATH_NUBS; k++)
		{
			float t = float(k) / float(WORM_PATH_NUBS - 1);
			float side = (k == 0 || k == WORM_PATH_NUBS - 1) ? 0 : RandomFloatSigned() * WORM_SWAY;
			float x = from.x + dx * t - dz / len * side, z = from.z + dz * t + dx / len * side;
			float y = TerrainHeightAt(x, z) + WORM_MIN_LIFT + RandomFloat() * WORM_MAX_EXTRA_LIFT;
			if (k == 0)
				y = from.y;
			else if (k == WORM_PATH_NUBS - 1)
				y = TerrainHeightAt(x, z) - WORM_DIVE;
			nubs[k] = {x, y, z};
		}
		for (int k = 0; k < WORM_PATH_NUBS - 1; k++)
			perSpan[k] = std::max(1, int(OGLPoint3D_Distance(&nubs[k], &nubs[k + 1]) / WORM_UNITS_PER_POINT));
		perSpan[WORM_PATH_NUBS - 1] = 1;
		GenerateWormSplinePoints(nubs, WORM_PATH_NUBS, perSpan, &gWormPaths[slot]);
		gWormPathUsed[slot] = true;
		gNumWorms++;

		ObjNode* worm;
		ObjectDef def = {};
		def.type = SKELETON_TYPE_PODWORM;
		def.coord = from;
		def.slot = WORM_SLOT;
		def.moveCall = MoveWorm;
		def.scale = WORM_SCALE;
		if (gLoadedSkeletonsList[SKELETON_TYPE_PODWORM])
			worm = MakeNewSkeletonBaseData(&def, 0);
		else
		{
			def.genre = NODRAW_GENRE;
			worm = MakeNewObject(&def);
			worm->BBox = WORM_STAND_IN;
		}
		worm->Special[0] = slot;
		worm->SpecialF[0] = 0;
		worm->CType = CTYPE_HURTME;
		worm->CBits = SIDE_ALL;
		worm->Damage = WORM_DAMAGE;
		worm->EffectChannel = PlayItemEffect3D(EFFECT_PODWORM, &worm->Coord);
		for (int i = 0; i < WORM_SPARKLES; i++)
		{
			int16_t s = HazardParts::AttachSparkle(worm, i, from, {0.3f, 1, 1, 0.7f}, 90, -60, PARTICLE_SPRITE_SOFT_GLOW, false);
			if (s != -1)
				gSparkles[s].flags &= ~SPARKLE_FLAG_TRANSFORMWITHOWNER;		// placed on the path in world space
		}
	}

	//
	// Pods
	//

	void LandPod(ObjNode* pod, float ground)
	{
		pod->Coord.y = ground;
		pod->Delta = {0, 0, 0};
		pod->Rot.x = pod->Rot.z = 0;
		pod->Mode = POD_LYING;
		pod->SpecialF[0] = POD_HATCH_DELAY;
		StopAChannel(&pod->EffectChannel);
		PlayItemEffect3D(EFFECT_PODCRASH, &pod->Coord);
		MakeSparkBurst(pod->Coord.x, ground + 30, pod->Coord.z, 350, PARTICLE_SPRITE_DUST, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, 0.8f);
		MakeDustRing(pod->Coord.x, ground, pod->Coord.z);
		MakeRingWaveDeformation(300, 20, 3000, 0.002f, 800, 190, pod->Coord.x, pod->Coord.z);
		pod->CType = CTYPE_MISC;
		pod->CBits = SIDE_ALL;
		UpdateObjectTransforms(pod);
		CreateCollisionBoxFromBoundingBox(pod, 1, 1);
	}

	void MovePod(ObjNode* pod)
	{
		if (IsNodeOutOfRange(pod))
		{
			ForgetPod(pod);
			DeleteObject(pod);
			return;
		}
		const float dt = gFrameTime;
		if (pod->Mode == POD_FALLING)
		{
			pod->Coord.x += pod->Delta.x * dt;
			pod->Coord.y += pod->Delta.y * dt;
			pod->Coord.z += pod->Delta.z * dt;
			Update3DSoundChannel(EFFECT_PODBUZZ, &pod->EffectChannel, &pod->Coord);
			float ground = TerrainHeightAt(pod->Coord.x, pod->Coord.z);
			if (pod->Coord.y <= ground)
				LandPod(pod, ground);
			else
				UpdateObjectTransforms(pod);
			return;
		}
		float& wait = pod->SpecialF[0];
		wait -= dt;
		ObjNode* robot = HazardParts::LivePlayer();
		if (wait > 0 || !robot || gNumWorms >= MAX_WORMS || OGLPoint3D_Distance(&robot->Coord, &pod->Coord) >= POD_HATCH_RANGE)
			return;
		const OGLPoint3D at = {pod->Coord.x, pod->Coord.y + 40, pod->Coord.z};
		if (pod->Genre == DISPLAY_GROUP_GENRE)
			ExplodeGeometry(pod, 400, SHARD_MODE_FROMORIGIN | SHARD_MODE_BOUNCE | SHARD_MODE_UPTHRUST, 1, 0.6f);
		ForgetPod(pod);
		DeleteObject(pod);
		MakeWorm(at);
	}

	void DropPod(ObjNode* shower)
	{
		// Aimed to land on a random spot near the shower.
		const float tx = shower->Coord.x + RandomFloatSigned() * DROP_SPREAD;
		const float tz = shower->Coord.z + RandomFloatSigned() * DROP_SPREAD;
		const OGLVector3D v = {RandomFloatSigned() * DROP_SIDE_SPEED, -DROP_SPEED, RandomFloatSigned() * DROP_SIDE_SPEED};
		const float fall = DROP_HEIGHT / DROP_SPEED;			// seconds
		const OGLPoint3D from = {tx - v.x * fall, TerrainHeightAt(tx, tz) + DROP_HEIGHT, tz - v.z * fall};
		ObjNode* pod = HazardParts::MakeModel(POD_MODEL, from, POD_SCALE, std::atan2(-v.x, -v.z), POD_SLOT, MovePod, POD_STAND_IN);
		pod->Delta = v;
		pod->Rot.x = -std::atan2(DROP_SPEED, std::hypot(v.x, v.z));		// nose down along its flight
		pod->Mode = POD_FALLING;
		pod->Flag[0] = 1;
		gNumWormPods++;
		pod->EffectChannel = PlayItemEffect3D(EFFECT_PODBUZZ, &pod->Coord);
		UpdateObjectTransforms(pod);
	}

	void MovePodShower(ObjNode* shower)
	{
		if (IsNodeOutOfRange(shower))
		{
			DeleteObject(shower);
			return;
		}
		float& wait = shower->SpecialF[0];
		wait -= gFrameTime;
		if (wait > 0)
			return;
		wait = RandomFloatRange(DROP_MIN_WAIT, DROP_MAX_WAIT);
		if (gNumWormPods < MAX_WORM_PODS)
			DropPod(shower);
	}
}

void GenerateWormSplinePoints(const OGLPoint3D* nubs, int numNubs, const int32_t* pointsPerSpan, std::vector<OGLPoint3D>* out)
{
	int64_t total = 0;
	for (int i = 0; i < numNubs; i++)
		total += pointsPerSpan[i];
	if (total >= MAX_SPLINE_POINTS)
		FatalAlert("GenerateWormSplinePoints: numPoints >= MAX_SPLINE_POINTS");
	// The loops' spline in x and z, and again with y in place of x.
	std::vector<SplinePointType> xz(static_cast<size_t>(numNubs)), y0(static_cast<size_t>(numNubs));
	for (int i = 0; i < numNubs; i++)
	{
		xz[size_t(i)] = {nubs[i].x, nubs[i].z};
		y0[size_t(i)] = {nubs[i].y, 0};
	}
	SplinePointType** flat = BakeSpline(numNubs, xz.data(), pointsPerSpan);
	SplinePointType** height = BakeSpline(numNubs, y0.data(), pointsPerSpan);
	out->resize(size_t(total));
	for (size_t i = 0; i < size_t(total); i++)
		(*out)[i] = {(*flat)[i].x, (*height)[i].x, (*flat)[i].z};
	DisposeHandle(reinterpret_cast<Handle>(flat));
	DisposeHandle(reinterpret_cast<Handle>(height));
}

void ResetWormState()
{
	gNumWormPods = 0;
	gNumWorms = 0;
	for (int i = 0; i < MAX_WORMS; i++)
	{
		gWormPaths[i].clear();
		gWormPathUsed[i] = false;
	}
}

int CountWormPods()
{
	return gNumWormPods;
}

int CountWorms()
{
	return gNumWorms;
}

bool AddPodShower(TerrainItemEntryType* item, float x, float z)
{
	ObjectDef def = {};
	def.genre = NODRAW_GENRE;
	def.coord = {x, TerrainHeightAt(x, z), z};
	def.slot = 302;
	def.moveCall = MovePodShower;
	ObjNode* shower = MakeNewObject(&def);
	shower->TerrainItemPtr = item;
	shower->SpecialF[0] = RandomFloat() * FIRST_DROP_MAX;
	return true;
}
