#include "System/LevelTables.h"

const LevelViewInfo kLevelViews[10] =
{
	//  clear colour            clear  fog    start     end        yon    flare
	{{0.1f, 0.5f, 0.1f},        false, false, 12312,    15390,     15390, true},
	{{0.8f, 0.6f, 0.8f},        true,  true,  923.4f,   8772.3f,   9234,  true},
	{{0.17f, 0.05f, 0.29f},     true,  true,  6156,     16929,     15390, false},
	{{0, 0, 0},                 true,  true,  2308.5f,  16159.499f,15390, false},
	{{0.686f, 0.137f, 0.431f},  false, true,  4617,     12312,     15390, false},
	{{0.6f, 0.6f, 0.3f},        false, true,  6156,     16929,     15390, false},
	{{0.1f, 0.5f, 0.1f},        false, false, 12312,    15390,     15390, true},
	{{0, 0, 0},                 false, true,  6156,     16929,     15390, false},
	{{0.2f, 0.4f, 0.7f},        true,  true,  2462.4f,  11080.8f,  12312, false},
	{{0.1f, 0, 0},              true,  true,  6463.8f,  10773,     10773, false},
};

const LevelLightInfo kLevelLights[10] =
{
	{{0.4f, 0.4f, 0.36f}, {0.5f, -0.35f, 0.8f}, {0.9f, 0.9f, 0.85f, 1}},
	{{0.4f, 0.4f, 0.36f}, {0.5f, -0.35f, 0.8f}, {0.9f, 0.9f, 0.85f, 1}},
	{{0.2f, 0.2f, 0.2f},  {0.5f, -0.35f, 0.8f}, {0.9f, 0.9f, 0.85f, 1}},
	{{0.2f, 0.2f, 0.2f},  {0.5f, -0.6f, 0.8f},  {0.6f, 0.6f, 0.7f, 1}},
	{{0.4f, 0.4f, 0.36f}, {0.5f, -0.35f, 0.8f}, {0.9f, 0.9f, 0.85f, 1}},
	{{0.3f, 0.3f, 0.3f},  {0.5f, -0.8f, 0.8f},  {0.9f, 0.9f, 0.85f, 1}},
	{{0.3f, 0.3f, 0.3f},  {0.1f, -0.5f, -1.0f}, {0.9f, 0.9f, 0.85f, 1}},
	{{0.3f, 0.3f, 0.2f},  {0.5f, -1.0f, 0},     {0.7f, 0.6f, 0.6f, 1}},
	{{0.3f, 0.25f, 0.25f},{0.5f, -0.35f, -0.8f},{0.9f, 0.9f, 0.85f, 1}},
	{{0.3f, 0.3f, 0.3f},  {-0.5f, -0.7f, 0.8f}, {0.9f, 0.9f, 0.85f, 1}},
};

// Songs: 0 theme, 1 farm, 2 slime, 3 slime boss, 4 apocalypse, 5 cloud,
// 6 jungle, 7 jungle boss, 8 fire-ice, 9 saucer, 10 bonus, 11 high score,
// 12 brain boss, 13 lose, 14 win.
const LevelFiles kLevelFiles[10] =
{
	{":Terrain:EarthFarm.ter",  1, 3},
	{":Terrain:BlobWorld.ter",  2, 4},
	{":Terrain:BlobBoss.ter",   3, 4},
	{":Terrain:Apocalypse.ter", 4, 5},
	{":Terrain:Cloud.ter",      5, 6},
	{":Terrain:Jungle.ter",     6, 7},
	{":Terrain:JungleBoss.ter", 7, 7},
	{":Terrain:FireIce.ter",    8, 8},
	{":Terrain:Saucer.ter",     9, 9},
	{":Terrain:BrainBoss.ter", 12, 10},
};

void CalcLevelAutoFade(int level, float yon, float* start, float* end)
{
	switch (level)
	{
		case 1:
			*start = 0;
			break;
		case 3:
			*start = 0.75f * yon;
			*end = 0.85f * yon;
			break;
		case 8:
			*start = 0.9f * yon;
			*end = yon;
			break;
		default:
			*start = 0.8f * yon;
			*end = 0.9f * yon;
			break;
	}
}
