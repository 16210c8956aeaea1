// The pieces every hazard file uses: model nodes with stand-ins, sparkles,
// and the explosion that removes a hazard for the rest of the level.
#include "Items/HazardsInternal.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Enemies/Enemy.h"
#include "Player/Player.h"
#include "System/ContentNumbers.h"
#include "System/Level.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>

namespace HazardParts
{
	ObjNode* MakeModel(int model, const OGLPoint3D& where, float scale, float rotY, int16_t slot, ObjNodeRoutine moveCall,
			const OGLBoundingBox& standIn, TerrainItemEntryType* item)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = uint8_t(model);
		def.coord = where;
		def.flags = gAutoFadeStatusBits;
		def.slot = slot;
		def.moveCall = moveCall;
		def.rot = rotY;
		def.scale = scale;
		ObjNode* node = MakeItemModelNode(&def, standIn);
		node->TerrainItemPtr = item;
		node->EffectChannel = -1;
		return node;
	}

	ObjNode* MakeChainedModel(ObjNode* head, int model, const OGLPoint3D& where, float scale, float rotY, int16_t slot,
			const OGLBoundingBox& standIn)
	{
		ObjNode* tail = head;
		while (tail->ChainNode)
			tail = tail->ChainNode;
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = uint8_t(model);
		def.coord = where;
		def.flags = gAutoFadeStatusBits;
		def.slot = slot;
		def.rot = rotY;
		def.scale = scale;
		def.chainTail = tail;
		ObjNode* node = MakeItemModelNode(&def, standIn);
		node->EffectChannel = -1;
		return node;
	}

	void BlowUpForGood(ObjNode* node, int effect, float volume, float sparkRadius)
	{
		for (ObjNode* part = node; part; part = part->ChainNode)
			if (part->Genre == DISPLAY_GROUP_GENRE)
				ExplodeGeometry(part, 500, SHARD_MODE_FROMORIGIN | SHARD_MODE_BOUNCE | SHARD_MODE_UPTHRUST, 1, 0.5f);
		MakeSparkBurst(node->Coord.x, node->Coord.y, node->Coord.z, sparkRadius, PARTICLE_SPRITE_FIREBALL, GL_SRC_ALPHA, GL_ONE, 1.0f);
		PlayItemEffect3D(effect, &node->Coord, 1, volume);
		node->TerrainItemPtr = nullptr;
		DeleteObject(node);
	}

	int16_t AttachSparkle(ObjNode* node, int index, const OGLPoint3D& where, const OGLColorRGBA& color, float scale,
			float separation, uint8_t texture, bool flicker)
	{
		int16_t s = GetFreeSparkle(node);
		if (s == -1)
			return -1;
		node->Sparkles[index] = s;
		SparkleType& sparkle = gSparkles[s];
		sparkle.flags = SPARKLE_FLAG_OMNIDIRECTIONAL | SPARKLE_FLAG_TRANSFORMWITHOWNER | (flicker ? uint32_t(SPARKLE_FLAG_FLICKER) : 0u);
		sparkle.where = where;
		sparkle.color = color;
		sparkle.scale = scale;
		sparkle.separation = separation;
		sparkle.textureNum = texture;
		return s;
	}

	ObjNode* LivePlayer()
	{
		return IsRobotInPlay() ? gPlayerNode : nullptr;
	}

	float FlatDistance(const OGLPoint3D& a, const OGLPoint3D& b)
	{
		return CalcQuickDistance(a.x, a.z, b.x, b.z);
	}
}
