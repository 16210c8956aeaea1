// Sparkles: camera-facing glints (lights, glows, runway lights), free or
// attached to an object node. A directional sparkle shows only toward where
// it aims and is brightest seen head-on.
#pragma once

#include "System/Math.h"
#include "System/Objects.h"

#include <cstdint>

struct Pool;
struct TerrainItemEntryType;

constexpr int MAX_SPARKLES = 600;

enum : uint32_t
{
	SPARKLE_FLAG_OMNIDIRECTIONAL = 0x01,
	SPARKLE_FLAG_TRANSFORMWITHOWNER = 0x04,		// `where` is in the owner's local space
	SPARKLE_FLAG_FLICKER = 0x08,
};

struct SparkleType
{
	ObjNodeRef owner;				// none for a free sparkle
	uint32_t flags;
	OGLPoint3D where;
	OGLVector3D aim;
	OGLColorRGBA color;				// directional: the alpha is rewritten every frame
	float scale;					// half size
	float separation;				// pulled this far toward the camera
	uint8_t textureNum;				// image of sprite group 3
};

extern Pool* gSparklePool;
extern SparkleType gSparkles[MAX_SPARKLES];

// Level start: the pool and the sparkle node. The store alone (no node) for runs without a view.
void InitSparkles();
void InitSparkleStore();
void DisposeSparkles();

// A sparkle number (its record reset, owned by `owner`), or −1 when all are in use.
int16_t GetFreeSparkle(ObjNode* owner);
// −1 is ignored; a sparkle not in use is a caller's bug.
void DeleteSparkle(int16_t sparkleNum);

// Where and how opaque a sparkle shows seen from `eye`; false when it is not
// drawn (its owner hidden, culled or gone, or it faces away).
bool CalcSparkleAppearance(const SparkleType& sparkle, const OGLPoint3D& eye, OGLPoint3D* where, float* alpha);
void DrawSparkles(ObjNode* node);

// Item: a row of runway lights (count, direction in 22.5° steps, image).
bool AddRunwayLights(TerrainItemEntryType* item, float x, float z);
