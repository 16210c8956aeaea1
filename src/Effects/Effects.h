// Sparkles, shards and vapour trails.
// (Stand-in until this module is built: each call does the least that keeps
// the game flow running.)
#pragma once

void InitShardSystem();
void InitSparkles();
void InitVaporTrails();
void MoveVaporTrails();
void MoveShards();
void DrawShards();
void DrawVaporTrails();
void DisposeVaporTrailMaterial();
