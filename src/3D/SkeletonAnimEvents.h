// The sounds of animation events: the event's value picks the effect, where
// it plays and how.
#pragma once

#include "System/Math.h"

#include <cstdint>

struct ObjNode;

struct AnimSoundEvent
{
	int effect;
	OGLPoint3D where;
	bool defaultParms;			// the effect's own pitch and volume
	uint32_t rate;				// 16.16 fixed point
	float volume;
	bool deformTerrain;			// a giant's footstep also shakes the ground at `where`
};

// What sound event `value` of `node` plays; false for a value that plays nothing.
bool DescribeAnimSoundEvent(const ObjNode* node, uint8_t value, AnimSoundEvent* out);

// Plays it.
void PlayAnimSoundEvent(const ObjNode* node, uint8_t value);
