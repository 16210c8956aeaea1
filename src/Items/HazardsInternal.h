// Shared by the hazard files: making a hazard's model node, its sounds, and
// breaking one apart for good.
#pragma once

#include "Items/Hazards.h"
#include "Items/ItemsInternal.h"
#include "System/Objects.h"

namespace HazardParts
{
	// A node of level model `model` at `where` (an undrawn node of the stand-in
	// size when the model is not loaded), linked to `item`.
	ObjNode* MakeModel(int model, const OGLPoint3D& where, float scale, float rotY, int16_t slot, ObjNodeRoutine moveCall,
			const OGLBoundingBox& standIn, TerrainItemEntryType* item = nullptr);
	// The same, chained behind `head` (deleted with it).
	ObjNode* MakeChainedModel(ObjNode* head, int model, const OGLPoint3D& where, float scale, float rotY, int16_t slot,
			const OGLBoundingBox& standIn);
	// Shards of the node's geometry (when it has some), a spark burst, and the
	// node deleted with its item left in use, so it never comes back this level.
	void BlowUpForGood(ObjNode* node, int effect, float volume, float sparkRadius);
	// A sparkle attached to the node at `where` (in its local space), or −1.
	int16_t AttachSparkle(ObjNode* node, int index, const OGLPoint3D& where, const OGLColorRGBA& color, float scale,
			float separation, uint8_t texture, bool flicker);
	// The robot's node while he is in play and alive, else null.
	ObjNode* LivePlayer();
	// Octagonal distance in x/z.
	float FlatDistance(const OGLPoint3D& a, const OGLPoint3D& b);
}

// Each hazard file's level-start part (InitHazards calls them).
void InitCrushers();
void InitHazardTriggers();
void InitFireIceHazards();
