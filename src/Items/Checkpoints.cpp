// Checkpoint posts: reaching one lights it and, unless a later post was
// reached already, makes it where the robot comes back after a death.
#include "Items/TouchItems.h"
#include "Items/ItemsInternal.h"
#include "Effects/Sparkles.h"
#include "Player/Player.h"
#include "Screens/Infobar.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <cmath>

namespace
{
	constexpr float POST_SCALE = 5.0f;
	constexpr float POST_LIFT = 3.0f;					// above the highest surface under it
	constexpr uint16_t POST_SLOT = 4;
	constexpr float HEAD_SPIN = -4.0f;					// radians per second, once lit
	constexpr float POST_HELP_DISTANCE = 500.0f;
	constexpr float POST_HELP_SECONDS = 4.0f;
	constexpr int HELP_CHECKPOINTS = 10;
	constexpr uint32_t POST_FALL_MASK = CTYPE_PLATFORM | CTYPE_TERRAIN;
	constexpr int POST_FLAG_LIT = 0;

	// The three lamps of a lit post, in its own space.
	constexpr OGLPoint3D LAMP_SPOTS[3] = {{-7.4f, 21, -0.25f}, {4.125f, 21, -6.68f}, {4.188f, 21, 5.43f}};

	const OGLBoundingBox POST_STAND_IN = {{-10, 0, -10}, {10, 30, 10}, false};
	const OGLBoundingBox HEAD_STAND_IN = {{-10, 25, -10}, {10, 35, 10}, false};

	void MoveCheckpoint(ObjNode* post)
	{
		if (IsNodeOutOfRange(post))
		{
			StopAChannel(&post->EffectChannel);
			DeleteObject(post);
			return;
		}
		const float dt = gFrameTime;
		GetObjectInfo(post);
		gObjDelta.y -= gLevel.gravity * dt;
		gObjCoord.y += gObjDelta.y * dt;
		ResolveCollisions(post, POST_FALL_MASK, 0);
		UpdateObject(post);

		ObjNode* head = post->ChainNode;
		if (head)
		{
			head->Coord = post->Coord;
			if (post->Flag[POST_FLAG_LIT])
				head->Rot.y += HEAD_SPIN * dt;
			UpdateObjectTransforms(head);
		}
		if (post->Flag[POST_FLAG_LIT])
		{
			if (post->EffectChannel == -1)
				post->EffectChannel = PlayItemEffect3D(EFFECT_CHECKPOINTLOOP, &post->Coord);
			else
				Update3DSoundChannel(EFFECT_CHECKPOINTLOOP, &post->EffectChannel, &post->Coord);
		}
		if (IsPlayerNear(post, POST_HELP_DISTANCE))
			ShowHelpMessage(HELP_CHECKPOINTS, POST_HELP_SECONDS, true);
	}
}

void InitTouchItems()
{
	SetTriggerHandler(TRIGGER_KIND_CHECKPOINT, DoTrig_Checkpoint);
	SetTriggerHandler(TRIGGER_KIND_BOUNCE_PAD, DoTrig_BouncePad);
}

bool AddCheckpoint(TerrainItemEntryType* item, float x, float z)
{
	ObjectDef def = {};
	def.group = MODEL_GROUP_GLOBAL;
	def.type = GLOBAL_MODEL_CHECKPOINT_POST;
	def.coord = {x, HighestSurfaceAt(x, z, CTYPE_PLATFORM | CTYPE_TERRAIN | CTYPE_MISC) + POST_LIFT, z};
	def.slot = POST_SLOT;
	def.moveCall = MoveCheckpoint;
	def.rot = float(item->parm[1]) * (PI / 4);
	def.scale = POST_SCALE;
	ObjNode* post = MakeItemModelNode(&def, POST_STAND_IN);
	post->TerrainItemPtr = item;
	post->Kind = TRIGGER_KIND_CHECKPOINT;
	post->Special[0] = item->parm[0];
	post->CType = CTYPE_BLOCKCAMERA | CTYPE_TRIGGER | CTYPE_MISC;
	post->CBits = SIDE_ALL;
	post->TriggerSides = SIDE_ALL;
	CreateCollisionBoxFromBoundingBox(post, 1.1f, 1);

	def.type = GLOBAL_MODEL_CHECKPOINT_HEAD;
	def.slot = SLOT_OF_DUMB;
	def.moveCall = nullptr;
	def.chainTail = post;
	MakeItemModelNode(&def, HEAD_STAND_IN);

	AttachShadowToObject(post, 0, 5, 5, false);

	if (post->Special[0] <= gPlayerLevel.checkpointNum)
	{
		post->Flag[POST_FLAG_LIT] = 1;
		post->CType &= ~CTYPE_TRIGGER;
		LightCheckpoint(post);
	}
	return true;
}

void LightCheckpoint(ObjNode* post)
{
	for (int i = 0; i < 3; i++)
	{
		int16_t s = GetFreeSparkle(post);
		if (s == -1)
			return;
		post->Sparkles[i] = s;
		SparkleType& sparkle = gSparkles[s];
		sparkle.flags = SPARKLE_FLAG_OMNIDIRECTIONAL | SPARKLE_FLAG_TRANSFORMWITHOWNER;
		sparkle.where = LAMP_SPOTS[i];
		sparkle.color = {1, 1, 1, 1};
		sparkle.scale = 30;
		sparkle.separation = 20;
		sparkle.textureNum = PARTICLE_SPRITE_FLASH;
	}
}

bool DoTrig_Checkpoint(ObjNode* post, ObjNode* mover, uint32_t)
{
	if (mover != gPlayerNode || post->Flag[POST_FLAG_LIT])
		return true;
	post->Flag[POST_FLAG_LIT] = 1;
	post->CType = CTYPE_MISC;
	int num = post->Special[0];
	if (num >= gPlayerLevel.checkpointNum)
	{
		gPlayerLevel.checkpointX = mover->Coord.x;
		gPlayerLevel.checkpointZ = mover->Coord.z;
		gPlayerLevel.checkpointNum = num;
		gPlayerLevel.checkpointRot = post->Rot.y;
	}
	LightCheckpoint(post);
	SwitchOffHelp(HELP_CHECKPOINTS);
	PlayItemEffect3D(EFFECT_CHECKPOINTHIT, &post->Coord);
	return true;
}
