// The skeleton file format: a resource fork only (the mesh is the BG3D file
// its alias names). ID 1000 holds the header and the relative points; each
// joint j has its bone records at 1000 + j; each animation a its header,
// events and keyframe counts at 1000 + a, and its keyframes of joint j at
// 1000 + 100 a + j. The game's parser and the rig kit's writer both take
// their numbers from here, so the two cannot drift apart. Header only.
#pragma once

#include "PlatformTypes.h"

#include <cstddef>
#include <cstdint>

constexpr uint16_t SKELETON_FILE_VERSION = 0x0110;

constexpr int16_t SKELETON_RES_ID = 1000;					// base of every number below
constexpr int16_t SKELETON_RES_ALIAS_ID = 1001;				// the alias of the mesh file

constexpr OSType SKELETON_RES_HEADER = FOUR_CC("Hedr");		// version, animation and joint counts
constexpr OSType SKELETON_RES_ALIAS = FOUR_CC("alis");
constexpr OSType SKELETON_RES_BONE = FOUR_CC("Bone");
constexpr OSType SKELETON_RES_BONE_POINTS = FOUR_CC("BonP");
constexpr OSType SKELETON_RES_BONE_NORMALS = FOUR_CC("BonN");
constexpr OSType SKELETON_RES_REL_POINTS = FOUR_CC("RelP");
constexpr OSType SKELETON_RES_ANIM_HEADER = FOUR_CC("AnHd");
constexpr OSType SKELETON_RES_EVENTS = FOUR_CC("Evnt");
constexpr OSType SKELETON_RES_NUM_KEYFRAMES = FOUR_CC("NumK");
constexpr OSType SKELETON_RES_KEYFRAMES = FOUR_CC("KeyF");

// What the game's loader accepts.
constexpr int MAX_JOINTS = 20;
constexpr int MAX_CHILDREN = MAX_JOINTS - 1;
constexpr int MAX_ANIMS = 40;
constexpr int MAX_ANIM_EVENTS = 30;
constexpr int MAX_KEYFRAMES = 15;

// Resource sizes (bytes) of one record of each kind.
constexpr size_t SKELETON_HEADER_SIZE = 6;
constexpr size_t SKELETON_BONE_SIZE = 52;
constexpr size_t SKELETON_ANIM_HEADER_SIZE = 36;
constexpr size_t SKELETON_EVENT_SIZE = 4;
constexpr size_t SKELETON_KEYFRAME_SIZE = 44;
constexpr size_t SKELETON_REL_POINT_SIZE = 12;

// The records of joint j (bone, its point and normal lists).
constexpr int16_t JointResourceID(int joint)
{
	return int16_t(SKELETON_RES_ID + joint);
}

// The records of animation a (header, events, keyframe counts).
constexpr int16_t AnimResourceID(int anim)
{
	return int16_t(SKELETON_RES_ID + anim);
}

// 'KeyF' resources are numbered by animation and joint.
constexpr int16_t KeyframeResourceID(int anim, int joint)
{
	return int16_t(SKELETON_RES_ID + anim * 100 + joint);
}
