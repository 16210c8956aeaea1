// Vapour trails: ribbons (colour streaks) or smoke tubes that follow a moving
// point, one segment per `minDist` travelled, each segment fading on its own.
// Bookkeeping (adding, fading) needs no GL; drawing builds one mesh per trail.
#pragma once

#include "System/Math.h"

#include <cstdint>

struct ObjNode;

constexpr int MAX_VAPORTRAILS = 100;
constexpr int MAX_TRAIL_SEGMENTS = 40;
constexpr int VAPORTRAIL_RING_POINTS = 7;		// six sides, the last point closes the ring

enum : uint8_t
{
	VAPORTRAIL_TYPE_COLORSTREAK = 0,
	VAPORTRAIL_TYPE_SMOKECOLUMN = 1,
};

struct VaporTrailType
{
	bool isActive;
	ObjNode* owner;						// compared only, never followed
	uint8_t ownerID;					// particle trails: their group number
	uint8_t type;
	int numSegments;
	OGLPoint3D points[MAX_TRAIL_SEGMENTS];
	OGLColorRGBA colors[MAX_TRAIL_SEGMENTS];
	// Smoke columns: per segment its scale, growth per second and ring.
	float segScale[MAX_TRAIL_SEGMENTS];
	float segGrowth[MAX_TRAIL_SEGMENTS];
	OGLVector2D ring[MAX_TRAIL_SEGMENTS][VAPORTRAIL_RING_POINTS];
	float size;
	float decayRate;					// alpha lost per second, per segment
	float minDist;						// length of a segment
	bool lastSegmentClosed;
};

extern VaporTrailType gVaporTrails[MAX_VAPORTRAILS];

// Level start: every trail inactive, and the shared untextured material.
void InitVaporTrails();
void DisposeVaporTrailMaterial();

// A trail number, or −1 when all are in use.
int16_t CreateNewVaporTrail(ObjNode* owner, uint8_t ownerID, uint8_t type, const OGLPoint3D* start,
		const OGLColorRGBA* color, float size, float decayRate, float minDist);
// Extends the trail to `point`; sets *trailNum to −1 when the trail has gone.
void AddToVaporTrail(int16_t* trailNum, const OGLPoint3D* point, const OGLColorRGBA* color);
bool VerifyVaporTrail(int16_t trailNum, const ObjNode* owner, uint8_t ownerID);

void MoveVaporTrails();
void DrawVaporTrails();
