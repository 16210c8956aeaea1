// Spinning rings: four flat rings stacked over the ground, each turning its
// own way, the stack bobbing slowly: a solid obstacle drawn by its own routine.
#include "Items/Scenery.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/Objects.h"
#include "System/Random.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <cmath>

namespace
{
	constexpr uint16_t RINGS_SLOT = 2995;
	constexpr float RING_SIZE_FACTOR[NUM_SPINNING_RINGS] = {0.5f, 0.7f, 0.9f, 0.6f};
	constexpr float RING_TURN_RATE[NUM_SPINNING_RINGS] = {0.5f, -0.6f, 0.1f, -0.3f};	// radians per second
	constexpr float BOX_BELOW = 200.0f, BOX_ABOVE = 10.0f;
	constexpr int PHASE = NUM_SPINNING_RINGS;				// SpecialF[]: the bob's phase
}

float SpinningRingHalfSize(int ring)
{
	return SPINNING_RINGS_HALF_SIZE * RING_SIZE_FACTOR[ring];
}

float SpinningRingSpin(const ObjNode* node, int ring)
{
	return node->SpecialF[ring];
}

bool AddSpinningRings(TerrainItemEntryType* item, float x, float z)
{
	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.coord = {x, TerrainHeightAtNoHoles(x, z) + SPINNING_RINGS_LIFT, z};
	def.flags = gAutoFadeStatusBits;
	def.slot = RINGS_SLOT;
	def.moveCall = MoveSpinningRings;
	def.drawCall = DrawSpinningRings;
	def.scale = 1;
	ObjNode* node = MakeNewObject(&def);
	node->CType = CTYPE_BLOCKCAMERA | CTYPE_MISC;
	node->CBits = SIDE_ALL;
	float w = SPINNING_RINGS_HALF_SIZE;
	SetObjectCollisionBounds(node, int16_t(BOX_ABOVE), int16_t(-BOX_BELOW), int16_t(-w), int16_t(w), int16_t(w), int16_t(-w));
	for (int i = 0; i < NUM_SPINNING_RINGS; i++)
		node->SpecialF[i] = RandomFloat() * 6.2831853f;
	node->SpecialF[PHASE] = 0;
	node->TerrainItemPtr = item;
	return true;
}

void MoveSpinningRings(ObjNode* node)
{
	if (IsNodeOutOfRange(node))
	{
		DeleteObject(node);
		return;
	}
	for (int i = 0; i < NUM_SPINNING_RINGS; i++)
		node->SpecialF[i] += RING_TURN_RATE[i] * gFrameTime;
	float& phase = node->SpecialF[PHASE];
	phase += SPINNING_RINGS_BOB_RATE * gFrameTime;
	node->Coord.y = node->InitCoord.y + SPINNING_RINGS_BOB * std::sin(phase);
	UpdateObjectTransforms(node);
	CalcObjectBoxFromNode(node);
}
