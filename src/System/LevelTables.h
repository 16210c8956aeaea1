// Per-level view, light and file tables.
#pragma once

struct LevelViewInfo
{
	float clearColor[3];
	bool clearBackBuffer;
	bool useFog;
	float fogStart;
	float fogEnd;
	float yon;
	bool drawLensFlare;
};

struct LevelLightInfo
{
	float ambientColor[3];
	float lightDirection[3];		// before normalisation
	float fillColor[4];
};

struct LevelFiles
{
	const char* terrainFile;
	int song;
	int soundBank;			// released after the level
};

extern const LevelViewInfo kLevelViews[10];
extern const LevelLightInfo kLevelLights[10];
extern const LevelFiles kLevelFiles[10];

// Auto-fade distances for a level, from its view's yon. On the slime world
// the start is 0 (no fading) and `end` keeps its previous value.
void CalcLevelAutoFade(int level, float yon, float* start, float* end);
