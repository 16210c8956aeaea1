// Terrain files and the streamed supertiles.
// (Stand-in until this module is built: each call does the least that keeps
// the game flow running.)
#pragma once

void LoadLevelContent();
void MakeTriangleTemplates();
void UpdateVisibleTerrain(float x, float z);
void DisposeTerrain();
void DisposeSuperTileMemoryList();
