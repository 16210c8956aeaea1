// What the renderer needs from modules built on top of it (fonts, sound, TGA
// files, gameplay counters). Each module installs its entries when it starts;
// an entry left null means that module has nothing to offer yet, and the
// renderer does without it.
#pragma once

#include "PlatformTypes.h"

#include <cstdint>

struct FSSpec;
struct ObjNode;
struct OGLCameraPlacement;

// Gameplay numbers shown by the debug overlay.
struct OGLDebugCounters
{
	float inputX, inputY;			// analog steering
	bool hasPlayer;
	float playerX, playerY, playerZ;
	bool playerOnGround;
	bool playerHasLink;
	int enemies;
	bool enemyLimitReached;
	bool saucerExists;
	int shards;
	int sparkles;
	int particleGroups;
};

// A TGA image converted to 32-bit RGBA, top row first; pixels is a NewPtr block.
struct OGLTGAImage
{
	void* pixels;
	int width;
	int height;
	int bpp;
	int imageType;
};

struct OGLServices
{
	// 3D audio: the listener follows the camera.
	void (*updateListener)(const OGLCameraPlacement& camera);
	// The font material of a view, made and released with it.
	void (*initFontMaterial)(bool useAltFont);
	void (*disposeFontMaterial)();
	// The overlay's text node: made empty with room for `capacity` characters,
	// then laid out (left-aligned) whenever the text changes.
	ObjNode* (*newDebugTextNode)(int capacity, float x, float y, float scale, int slot);
	void (*setDebugText)(ObjNode* node, const char* text);
	// Reads a TGA from the data folder converted to RGBA; returns the error code.
	OSErr (*readTGA)(const char* dataPath, OGLTGAImage* image);
	void (*getDebugCounters)(OGLDebugCounters* counters);
};

extern OGLServices gOGLServices;
