// The terrain of a level: loading its file, the streamed
// supertiles, ground height and normal queries, range tests and the animated
// deformations of the ground.
#pragma once

#include "Terrain/TerrainFile.h"
#include "System/Math.h"

#include <cstdint>

struct ObjNode;

//
// Set-up and teardown
//

// The level's terrain alone, for runs without a view (no materials): file
// tables, supertile pool, split table, status grid and items.
void LoadLevelTerrainWithoutDrawing(const FSSpec* spec);
// The set-up that follows reading the file: supertile pool, split table,
// status grid, items; and the terrain queries object nodes use.
void SetUpLevelTerrain();

void MakeTriangleTemplates();					// once at boot
void CreateSuperTileMemoryList();
void DisposeSuperTileMemoryList();
void BuildTileSplitTable();
void InitSuperTileStatus();
// The terrain's draw node (slot 1); the window starts at the player's start.
void CreateTerrainDrawNode();
// Releases every terrain table and material; safe when nothing is loaded.
void DisposeTerrain();
// True from SetUpLevelTerrain to DisposeTerrain. Without a terrain (tests,
// tools, screens) object nodes stand on flat ground at 0 and stay in range.
bool IsTerrainSetUp();

//
// Per frame
//

// Marks the window of supertiles around (x, z), builds those newly needed,
// wakes the items of the supertiles that came into range, animates the deformations.
void UpdateVisibleTerrain(float x, float z);
// The terrain node's draw routine.
void DrawSuperTiles(ObjNode* node);
// The draw pass's bookkeeping alone (culling, deformations, returning
// supertiles to the pool), for frames that are not drawn.
void UpdateSuperTilesWithoutDrawing();

//
// Queries
//

extern OGLVector3D gLastTerrainNormal;		// normal of the triangle found by the last height query

constexpr float TERRAIN_HEIGHT_NO_TERRAIN = -10000.0f;
constexpr float TERRAIN_HEIGHT_HOLE = -100000.0f;

// Ground height at (x, z); 0 outside the map, −10000 with no terrain loaded,
// −100000 in a hole of the Cloud level.
float TerrainHeightAt(float x, float z);
float TerrainHeightAtNoHoles(float x, float z);
// The same on the heights before any deformation.
float BaseTerrainHeightAt(float x, float z);
// The lowest ground under a model's footprint (its box scaled, at (x, z)).
float MinTerrainHeightUnderModel(float x, float z, int group, int type, float scale);
// Stands the node on the ground (+ yOffset), tilted to the normal (or to the
// ground's own when null) and facing its heading.
void AlignNodeToTerrain(ObjNode* node, float yOffset, const OGLVector3D* normal);

bool IsPositionOutOfRange(float x, float z);
bool IsNodeOutOfRange(ObjNode* node);
bool IsNodeStartOutOfRange(ObjNode* node);

//
// Deformations
//

constexpr int MAX_DEFORMATIONS = 8;

enum : uint8_t
{
	DEFORM_RIPPLE = 0,
	DEFORM_RING_WAVE = 1,
	DEFORM_DAMPED_RIPPLE = 2,
	DEFORM_FLATTEN = 3,
	DEFORM_DENT = 4,
};

struct SuperTileDeformation
{
	uint8_t active;
	uint8_t type;
	float amplitude;
	float radius;			// phase distance; grows with speed
	float speed;			// units per second
	float frequency;		// radians per unit
	float width;
	float decay;
	float centerX;
	float centerZ;
};
static_assert(sizeof(SuperTileDeformation) == 36);

extern SuperTileDeformation gDeformationList[MAX_DEFORMATIONS];
extern int gNumDeformations;
extern bool gDeformationsEnded;

// Copies the record into the first free slot; −1 when all are active.
int NewSuperTileDeformation(const SuperTileDeformation* deformation);
void MoveSuperTileDeformation(int slot, float x, float z);
void DeleteSuperTileDeformation(int slot);
// A ripple spreading from (x, z) for the whole level (the slime levels' waves).
int MakeWaveDeformation(float amplitude, float speed, float frequency, float x, float z);
// A ring wave leaving (x, z) that ends once its amplitude has decayed (a
// giant's footstep, an explosion): radius and width in units, speed in units
// per second, frequency in radians per unit, decay in amplitude per second.
// −1 when no terrain is set up or every slot is taken.
int MakeRingWaveDeformation(float amplitude, float radius, float speed, float frequency,
		float width, float decay, float x, float z);
// Clears every slot (level start).
void ClearSuperTileDeformations();
// Advances the active deformations by dt seconds.
void AnimateSuperTileDeformations(float dt);
// Height change of all active deformations at a corner with base height `base`.
float CalcDeformedHeight(float x, float z, float base);
// Applies the deformations to a built supertile's vertices and the live heights.
void DeformSuperTile(int memIndex);
