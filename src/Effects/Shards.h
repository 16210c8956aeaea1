// Shards: an object shattering into its own triangles, which fly, spin,
// bounce and shrink. Making and moving need no GL.
#pragma once

#include "System/Math.h"

#include <cstdint>

struct ObjNode;
struct Pool;
struct MetaObjectHeader;

constexpr int MAX_SHARDS = 1000;

enum : uint8_t
{
	SHARD_MODE_UPTHRUST = 0x01,
	SHARD_MODE_HEAVYGRAVITY = 0x02,
	SHARD_MODE_BOUNCE = 0x04,
	SHARD_MODE_FROMORIGIN = 0x08,		// fly away from the object's centre
};

struct ShardType
{
	OGLVector3D rot, rotDelta;
	OGLPoint3D coord;
	OGLVector3D delta;
	float decaySpeed;
	float scale;
	uint8_t mode;
	OGLMatrix4x4 matrix;
	OGLPoint3D points[3];				// relative to the centre
	OGLTextureCoord uvs[3];
	bool hasUVs;
	MetaObjectHeader* material;			// one reference held, or none
	OGLColorRGBA color;
	bool glow;
};

extern Pool* gShardPool;
extern ShardType gShards[MAX_SHARDS];

void InitShardSystem();
void DisposeShardSystem();

// Breaks the node and its chain into shards: every density-th triangle, while the store has room.
void ExplodeGeometry(ObjNode* node, float boomForce, uint8_t mode, int density, float decaySpeed);
void MoveShards();
void DrawShards();
