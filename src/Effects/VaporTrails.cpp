// Vapour trail bookkeeping: making trails, adding segments, fading them.
#include "Effects/VaporTrails.h"
#include "3D/MetaObjects.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Random.h"

#include <cmath>

VaporTrailType gVaporTrails[MAX_VAPORTRAILS];
MetaObjectPtr gVaporTrailMaterial = nullptr;

// Points nearer than this add nothing; farther than this are a teleport, not a trail.
static constexpr float TRAIL_MIN_STEP = 0.1f;
static constexpr float TRAIL_MAX_STEP = 1000.0f;

void InitVaporTrails()
{
	for (VaporTrailType& t : gVaporTrails)
	{
		t.isActive = false;
		t.numSegments = 0;
	}
	DisposeVaporTrailMaterial();

	MOMaterialData m = {};
	m.flags = MATERIAL_FLAG_ALWAYS_BLEND;
	m.diffuseColor = {1, 1, 1, 1};
	gVaporTrailMaterial = MO_CreateNewObjectOfType(MO_TYPE_MATERIAL, 0, &m);
}

void DisposeVaporTrailMaterial()
{
	if (gVaporTrailMaterial)
	{
		MO_DisposeObjectReference(gVaporTrailMaterial);
		gVaporTrailMaterial = nullptr;
	}
}

static void StartSmokeSegment(VaporTrailType* t, int s)
{
	t->segScale[s] = 1.0f + RandomFloat();
	t->segGrowth[s] = RandomFloat() * 0.9f;
	for (int k = 0; k < VAPORTRAIL_RING_POINTS; k++)
	{
		float r = t->size * (1.0f + RandomFloatSigned() * 0.2f);
		float a = float(k) * (PI2 / 6.0f);
		t->ring[s][k] = {std::cos(a) * r, std::sin(a) * r};
	}
	t->ring[s][VAPORTRAIL_RING_POINTS - 1] = t->ring[s][0];		// closes the tube
}

int16_t CreateNewVaporTrail(ObjNode* owner, uint8_t ownerID, uint8_t type, const OGLPoint3D* start,
		const OGLColorRGBA* color, float size, float decayRate, float minDist)
{
	if (type != VAPORTRAIL_TYPE_COLORSTREAK && type != VAPORTRAIL_TYPE_SMOKECOLUMN)
		FatalAlert("CreateNewVaporTrail: unsupported type");

	for (int i = 0; i < MAX_VAPORTRAILS; i++)
	{
		VaporTrailType* t = &gVaporTrails[i];
		if (t->isActive)
			continue;
		t->isActive = true;
		t->owner = owner;
		t->ownerID = ownerID;
		t->type = type;
		t->size = size;
		t->decayRate = decayRate;
		t->minDist = minDist;
		t->numSegments = 1;
		t->points[0] = *start;
		t->colors[0] = *color;
		if (type == VAPORTRAIL_TYPE_SMOKECOLUMN)
			StartSmokeSegment(t, 0);
		t->lastSegmentClosed = true;
		return int16_t(i);
	}
	return -1;
}

bool VerifyVaporTrail(int16_t trailNum, const ObjNode* owner, uint8_t ownerID)
{
	if (trailNum < 0 || trailNum >= MAX_VAPORTRAILS)
		return false;
	const VaporTrailType& t = gVaporTrails[trailNum];
	return t.isActive && t.owner == owner && t.ownerID == ownerID;
}

void AddToVaporTrail(int16_t* trailNum, const OGLPoint3D* point, const OGLColorRGBA* color)
{
	int16_t i = *trailNum;
	if (i < 0 || i >= MAX_VAPORTRAILS || !gVaporTrails[i].isActive)
	{
		*trailNum = -1;
		return;
	}
	VaporTrailType* t = &gVaporTrails[i];
	int n = t->numSegments;
	if (n >= MAX_TRAIL_SEGMENTS)
		return;

	// While the last segment is open it is measured from the one before it.
	int from = (t->lastSegmentClosed || n < 2) ? n - 1 : n - 2;
	float d = OGLPoint3D_Distance(point, &t->points[from]);
	if (d > TRAIL_MAX_STEP || d < TRAIL_MIN_STEP)
		return;

	if (t->lastSegmentClosed)
	{
		n = ++t->numSegments;
		if (t->type == VAPORTRAIL_TYPE_SMOKECOLUMN)
			StartSmokeSegment(t, n - 1);
	}
	t->points[n - 1] = *point;
	t->colors[n - 1] = *color;
	t->lastSegmentClosed = d >= t->minDist;
}

static void RemoveSegment(VaporTrailType* t, int s)
{
	for (int k = s; k < t->numSegments - 1; k++)
	{
		t->points[k] = t->points[k + 1];
		t->colors[k] = t->colors[k + 1];
		t->segScale[k] = t->segScale[k + 1];
		t->segGrowth[k] = t->segGrowth[k + 1];
		for (int r = 0; r < VAPORTRAIL_RING_POINTS; r++)
			t->ring[k][r] = t->ring[k + 1][r];
	}
	t->numSegments--;
}

void MoveVaporTrails()
{
	float dt = gFrameTime;
	for (VaporTrailType& t : gVaporTrails)
	{
		if (!t.isActive)
			continue;
		for (int s = 0; s < t.numSegments; s++)
		{
			t.colors[s].a -= dt * t.decayRate;
			if (t.colors[s].a < 0.0f)
				t.colors[s].a = 0.0f;
			if (t.type == VAPORTRAIL_TYPE_SMOKECOLUMN)
				t.segScale[s] += dt * t.segGrowth[s];
		}
		if (t.numSegments == 0 || t.colors[t.numSegments - 1].a <= 0.0f)
		{
			t.isActive = false;
			continue;
		}
		// A faded segment stays while the ribbon still needs it as the start of the next.
		for (int s = 0; s < t.numSegments - 1;)
		{
			if (t.colors[s].a <= 0.0f && t.colors[s + 1].a <= 0.0f)
				RemoveSegment(&t, s);
			else
				s++;
		}
	}
}
