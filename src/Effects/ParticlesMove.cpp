// Moving particles: gravity, spin, mutual attraction, the ground, fading, and
// the trails some groups leave. No GL here, so it runs without a view.
#include "Effects/Particles.h"
#include "Effects/VaporTrails.h"
#include "3D/MetaObjects.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Objects.h"
#include "System/Pool.h"
#include "Terrain/Terrain.h"

#include <algorithm>
#include <cmath>

// A particle never floats closer to the ground than this.
static constexpr float PARTICLE_GROUND_CLEARANCE = 10.0f;
// Particles at least this opaque can hurt what they touch.
static constexpr float PARTICLE_HIT_MIN_ALPHA = 0.4f;
static constexpr float PARTICLE_HIT_REACH = 40.0f;

float CalcParticleAttraction(float distance, float baseScale)
{
	// Coincident particles pull in no direction at all.
	if (distance <= 0.0f)
		return 0.0f;
	float m = 1.0f / (distance * distance);
	if (baseScale > 0.0f)
		m = std::min(m, 1.0f / (baseScale * baseScale));
	return m;
}

// Pair attractions of one group, each computed once (smaller index first).
static float gPairAttraction[MAX_PARTICLES][MAX_PARTICLES];

static void AttractParticles(ParticleGroupType* pg, float dt)
{
	Pool* pool = pg->pool;
	for (int32_t i = Pool_First(pool); i >= 0; i = Pool_Next(pool, i))
		for (int32_t j = Pool_First(pool); j >= 0; j = Pool_Next(pool, j))
			if (i < j)
				gPairAttraction[i][j] = CalcParticleAttraction(OGLPoint3D_Distance(&pg->coord[i], &pg->coord[j]),
						pg->baseScale);

	for (int32_t i = Pool_First(pool); i >= 0; i = Pool_Next(pool, i))
	{
		for (int32_t j = Pool_First(pool); j >= 0; j = Pool_Next(pool, j))
		{
			if (i == j)
				continue;
			float m = i < j ? gPairAttraction[i][j] : gPairAttraction[j][i];
			if (m == 0.0f)
				continue;
			OGLVector3D toOther = pg->coord[j] - pg->coord[i], unit;
			OGLVector3D_Normalize(&toOther, &unit);
			pg->delta[i] = pg->delta[i] + unit * (m * pg->magnetism * dt);
		}
		pg->coord[i] = pg->coord[i] + pg->delta[i] * dt;
	}
}

// Returns true when the particle sank into the ground and must die.
static bool HandleGround(ParticleGroupType* pg, int32_t p)
{
	if (pg->flags & PARTICLE_FLAGS_DONTCHECKGROUND)
		return false;
	OGLPoint3D& c = pg->coord[p];
	OGLVector3D& d = pg->delta[p];
	float ground = TerrainHeightAt(c.x, c.z) + PARTICLE_GROUND_CLEARANCE;
	if (c.y >= ground)
		return false;
	if (!(pg->flags & PARTICLE_FLAGS_BOUNCE))
		return true;
	if (d.y < 0.0f)
	{
		c.y = ground;
		d.y *= -0.4f;
		d.x += gLastTerrainNormal.x * 300.0f;
		d.z += gLastTerrainNormal.z * 300.0f;
		if (pg->flags & PARTICLE_FLAGS_EXTRABOUNCE)
		{
			d.y *= 0.4f;
			d.x *= 5.0f;
			d.z *= 5.0f;
		}
	}
	return false;
}

static void ContinueTrail(ParticleGroupType* pg, int group, int32_t p)
{
	int16_t& trail = pg->vaporTrail[p];
	if (trail < 0)
		return;
	if (!VerifyVaporTrail(trail, nullptr, uint8_t(group)))
	{
		trail = -1;
		return;
	}
	OGLColorRGBA color = {0.9f, 1.0f, 0.8f, pg->alpha[p]};
	AddToVaporTrail(&trail, &pg->coord[p], &color);
}

static void FreeGroup(int32_t g)
{
	MOVertexArrayData* mesh = MO_VertexArrayData(gParticleGroups[g].geometryObj);
	mesh->numPoints = 0;
	mesh->numTriangles = 0;
	Pool_ReleaseIndex(gParticleGroupPool, g);
}

void MoveParticleGroups(ObjNode*)
{
	if (!gParticleGroupPool)
		return;
	float dt = gFrameTime;

	for (int32_t g = Pool_First(gParticleGroupPool); g >= 0;)
	{
		int32_t nextGroup = Pool_Next(gParticleGroupPool, g);
		ParticleGroupType* pg = &gParticleGroups[g];
		Pool* pool = pg->pool;

		for (int32_t p = Pool_First(pool); p >= 0; p = Pool_Next(pool, p))
		{
			pg->delta[p].y -= pg->gravity * dt;
			pg->rotZ[p] += pg->rotDZ[p] * dt;
		}

		if (pg->type == PARTICLE_TYPE_FALLINGSPARKS)
		{
			for (int32_t p = Pool_First(pool); p >= 0; p = Pool_Next(pool, p))
				pg->coord[p] = pg->coord[p] + pg->delta[p] * dt;
		}
		else if (pg->type == PARTICLE_TYPE_GRAVITOIDS)
		{
			AttractParticles(pg, dt);
		}

		for (int32_t p = Pool_First(pool); p >= 0;)
		{
			int32_t next = Pool_Next(pool, p);
			bool hitGround = HandleGround(pg, p);
			pg->scale[p] -= pg->decayRate * dt;
			pg->alpha[p] -= pg->fadeRate * dt;
			if (pg->flags & PARTICLE_FLAGS_VAPORTRAIL)
				ContinueTrail(pg, g, p);
			if (hitGround || pg->alpha[p] <= 0.0f || pg->scale[p] <= 0.0f)
				Pool_ReleaseIndex(pool, p);
			p = next;
		}

		if (Pool_IsEmpty(pool))
			FreeGroup(g);
		g = nextGroup;
	}
}

static bool CubeTouchesBox(const OGLPoint3D& c, float r, const CollisionBoxType& box)
{
	float minZ = std::min(box.front, box.back), maxZ = std::max(box.front, box.back);
	float minY = std::min(box.top, box.bottom), maxY = std::max(box.top, box.bottom);
	return c.x + r >= box.left && c.x - r <= box.right
		&& c.z + r >= minZ && c.z - r <= maxZ
		&& c.y + r >= minY && c.y - r <= maxY;
}

bool ParticleHitObject(ObjNode* node, uint32_t flagMask)
{
	if (!gParticleGroupPool)
		return false;
	int numBoxes = std::min<int>(node->NumCollisionBoxes, MAX_COLLISION_BOXES);
	for (int32_t g = Pool_First(gParticleGroupPool); g >= 0; g = Pool_Next(gParticleGroupPool, g))
	{
		const ParticleGroupType* pg = &gParticleGroups[g];
		if (flagMask && !(pg->flags & flagMask))
			continue;
		for (int32_t p = Pool_First(pg->pool); p >= 0; p = Pool_Next(pg->pool, p))
		{
			if (pg->alpha[p] < PARTICLE_HIT_MIN_ALPHA)
				continue;
			for (int b = 0; b < numBoxes; b++)
				if (CubeTouchesBox(pg->coord[p], PARTICLE_HIT_REACH, node->CollisionBoxes[b]))
					return true;
		}
	}
	return false;
}
