// The robot in a creature's grip: caught, placed by its captor, thrown free.
#include "Player/PlayerHeld.h"
#include "Player/PlayerInternal.h"
#include "3D/Skeleton.h"
#include "System/Sound.h"
#include "System/SoundTable.h"

namespace
{
	constexpr float THROW_SWOOSH_VOLUME = 2.0f;
}

void CatchPlayer(int anim)
{
	ObjNode* node = gPlayerNode;
	if (!node || !node->Skeleton || gPlayerIsDead)
		return;
	SetPlayerAnim(node, anim);
	node->Delta = {0, 0, 0};
	if (gCurrentMoveNode == node)
		gObjDelta = node->Delta;
	node->StatusBits &= ~STATUS_BIT_ONGROUND;
	gHeldObject = nullptr;
}

bool IsPlayerHeldIn(int anim)
{
	return gPlayerNode && gPlayerNode->Skeleton && !gPlayerIsDead && PlayerAnim(gPlayerNode) == anim;
}

void PlacePlayerInGrip(const OGLMatrix4x4& transform, const OGLPoint3D& where)
{
	ObjNode* node = gPlayerNode;
	if (!node)
		return;
	node->Coord = where;
	node->OldCoord = where;
	node->BaseTransformMatrix = transform;
	SyncBaseTransformObject(node);
	CalcObjectBoxFromNode(node);
	gPlayerInfo.coord = where;
}

void ThrowPlayerFree(const OGLVector3D& velocity, float maxSpeed)
{
	ObjNode* node = gPlayerNode;
	if (!node || !node->Skeleton || gPlayerIsDead)
		return;
	SetPlayerAnim(node, PLAYER_ANIM_THROWN);
	node->Delta = velocity;
	if (gCurrentMoveNode == node)
		gObjDelta = velocity;
	node->StatusBits &= ~STATUS_BIT_ONGROUND;
	gPlayerMaxSpeed = maxSpeed;
	// Its own transform again: the captor's matrix let go.
	UpdateObjectTransforms(node);
	if (IsSoundEffectLoaded(EFFECT_THROWNSWOOSH))
		PlayEffect_Parms3D(EFFECT_THROWNSWOOSH, &node->Coord, NORMAL_CHANNEL_RATE, THROW_SWOOSH_VOLUME);
}
