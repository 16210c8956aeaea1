// The rides' numbers that the game and the baker share: item types, the
// zip-line posts' height, the teleporter arch and the spinning platforms'
// shapes (model units; the game shows platforms at SPINNING_PLATFORM_SCALE).
#pragma once

#include <cstdint>

// Map item types of the rides.
constexpr uint16_t ITEM_TYPE_SPINNING_PLATFORM = 39;
constexpr uint16_t ITEM_TYPE_TELEPORTER = 57;
constexpr uint16_t ITEM_TYPE_ZIP_LINE_POST = 58;
constexpr uint16_t ITEM_TYPE_CANNON = 75;
constexpr uint16_t ITEM_TYPE_ROCKET_SLED = 83;

constexpr float ZIP_POST_HEIGHT = 500.0f;			// the cable leaves each post this far above the ground

constexpr float TELEPORTER_SCALE = 1.5f;
constexpr float TELEPORTER_HALF_WIDTH = 180.0f;		// the arch's posts, either side of the middle (× the scale)
constexpr float TELEPORTER_POST_HALF = 30.0f;
constexpr float TELEPORTER_HEIGHT = 300.0f;
constexpr int MAX_TELEPORTER_SIGN = 11;				// signs name destinations 0 … 11

constexpr int NUM_SPINNING_PLATFORM_KINDS = 20;
constexpr float SPINNING_PLATFORM_SCALE = 2.0f;
constexpr uint8_t SPINNING_PLATFORM_TURNS_FORWARD = 0x01;	// parm[3]: heading = shared angle + phase (else minus both)
constexpr float SPINNING_PLATFORM_THICKNESS = 40.0f;	// model units
// Shapes in model units (the game scales them by 2).
constexpr float SPINNING_RECT_HALF_X = 260.0f, SPINNING_RECT_HALF_Z = 160.0f;
constexpr float SPINNING_DISC_RADIUS = 260.0f;
constexpr float SPINNING_ARM_HUB = 180.0f;				// the three-armed shape's middle
constexpr float SPINNING_ARM_LENGTH = 420.0f;			// from the middle to an arm's tip
constexpr float SPINNING_ARM_HALF_WIDTH = 75.0f;
constexpr float SPINNING_CROSS_HALF_WIDTH = 230.0f;		// each bar of the cross is 460 × 1340
constexpr float SPINNING_CROSS_HALF_LENGTH = 670.0f;
constexpr float SPINNING_PILLAR_HALF = 60.0f;			// the pillar of kinds 12 … 15, 1010 high
constexpr float SPINNING_PILLAR_HEIGHT = 1010.0f;

enum SpinningPlatformShape
{
	SPINNING_SHAPE_RECTANGLE,		// kinds 0 … 3
	SPINNING_SHAPE_DISC,			// 4 … 7
	SPINNING_SHAPE_THREE_ARMS,		// 8 … 11
	SPINNING_SHAPE_ARMS_PILLAR,		// 12 … 15
	SPINNING_SHAPE_CROSS,			// 16 … 19
};
