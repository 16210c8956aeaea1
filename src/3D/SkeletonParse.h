// Reading the resources of a skeleton file (the format: SkeletonFormat.h)
// into plain records. Every count,
// size and index is checked against the resource that holds it, the loader's
// limits and the decomposition of the reference model, so nothing built from
// the result can read or write out of bounds. No game state and no file
// access: the caller supplies the resources, which keeps this testable and
// fuzzable on its own.
#pragma once

#include "3D/SkeletonDecompose.h"
#include "3D/SkeletonFormat.h"
#include "System/Math.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One keyframe: the pose of a joint relative to its parent at a tick.
struct JointKeyframeType
{
	int32_t tick;
	int32_t accelerationMode;		// easing of the segment that ends here
	OGLPoint3D coord;
	OGLVector3D rotation;			// radians about x, y, z
	OGLVector3D scale;
};

struct AnimEventType
{
	uint16_t time;					// ticks
	uint8_t type;
	uint8_t value;
};

struct ParsedBone
{
	int32_t parentBone;
	OGLPoint3D coord;
	std::vector<uint16_t> pointList;
	std::vector<uint16_t> normalList;
};

struct SkeletonFileData
{
	int numAnims = 0;
	int numJoints = 0;
	std::vector<ParsedBone> bones;
	std::vector<OGLPoint3D> boneRelPoints;				// one per decomposed point
	std::vector<std::vector<AnimEventType>> events;		// [anim]
	// [joint][anim]: at most MAX_KEYFRAMES each.
	std::vector<std::vector<std::vector<JointKeyframeType>>> keyframes;
	// Children of each joint in ascending order.
	std::vector<std::vector<uint8_t>> children;
};

// Returns the bytes of a resource, or false when the file has none.
using SkeletonResourceGetter = std::function<bool(uint32_t type, int16_t id, std::vector<uint8_t>* bytes)>;

// 'Hedr': version, animation and joint counts (0 … MAX_ANIMS, 0 … MAX_JOINTS).
bool SkeletonParse_Header(const SkeletonResourceGetter& get, SkeletonFileData* out, std::string* error);

// Everything after the header and the model: bones with their point and
// normal lists (indices below numPoints / numNormals), the relative points
// (exactly numPoints), events, keyframe counts and keyframes, and the joint
// hierarchy (joint 0 the only root, parents in range, no cycles, at most
// MAX_CHILDREN children each).
bool SkeletonParse_Body(const SkeletonResourceGetter& get, int numPoints, int numNormals,
		SkeletonFileData* out, std::string* error);
