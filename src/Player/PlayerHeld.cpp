// The robot in a creature's grip: caught, placed by its captor (its whole
// transform: turned, shrunk, up over a strong man's head), thrown or let go.
#include "Player/PlayerHeld.h"
#include "Player/PlayerInternal.h"
#include "3D/Skeleton.h"
#include "Enemies/CloudCreatures.h"
#include "System/Sound.h"
#include "System/SoundTable.h"

#include <cmath>

namespace
{
	constexpr float THROW_SWOOSH_VOLUME = 2.0f;
	constexpr float FLATTEN_DAMAGE = 0.3f;				// health a flattening costs

	bool CanChangeState()
	{
		return gPlayerNode && gPlayerNode->Skeleton && !gPlayerLevel.isDead;
	}

	// Motion set on the robot, also while his own move routine runs (it
	// copies gObjDelta back over his Delta at its end).
	void SetPlayerDelta(const OGLVector3D& delta)
	{
		gPlayerNode->Delta = delta;
		if (gCurrentMoveNode == gPlayerNode)
			gObjDelta = delta;
	}
}

void CatchPlayer(int anim)
{
	if (!CanChangeState())
		return;
	SetPlayerAnim(gPlayerNode, anim);
	SetPlayerDelta({0, 0, 0});
	gPlayerNode->StatusBits &= ~STATUS_BIT_ONGROUND;
	gPlayerLevel.heldObject = nullptr;
}

bool IsPlayerHeldIn(int anim)
{
	return CanChangeState() && PlayerAnim(gPlayerNode) == anim;
}

bool IsPlayerHeld()
{
	if (!CanChangeState())
		return false;
	switch (PlayerAnim(gPlayerNode))
	{
		case PLAYER_ANIM_GRABBED:
		case PLAYER_ANIM_FLYTRAPPED:
		case PLAYER_ANIM_STRONGMANHELD:
		case PLAYER_ANIM_HELDALT:
			return true;
		default:
			return false;
	}
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
	gPlayerLevel.coord = where;
	UpdatePlayerHands(node);
}

void PlacePlayerUpright(const OGLPoint3D& where, float heading)
{
	ObjNode* node = gPlayerNode;
	if (!node)
		return;
	// Kept on the node too, so he stands up facing the way he was held.
	node->Rot = {0, heading, 0};
	OGLMatrix4x4 scale, turn, scaled;
	OGLMatrix4x4_SetScale(&scale, node->Scale.x, node->Scale.y, node->Scale.z);
	OGLMatrix4x4_SetRotate_Y(&turn, heading);
	OGLMatrix4x4_Multiply(&scale, &turn, &scaled);
	scaled.value[12] = where.x;
	scaled.value[13] = where.y;
	scaled.value[14] = where.z;
	PlacePlayerInGrip(scaled, where);
}

void ThrowPlayerFree(const OGLVector3D& velocity, float maxSpeed)
{
	if (!CanChangeState())
		return;
	ObjNode* node = gPlayerNode;
	SetPlayerAnim(node, PLAYER_ANIM_THROWN);
	SetPlayerDelta(velocity);
	node->StatusBits &= ~STATUS_BIT_ONGROUND;
	gPlayerLevel.maxSpeed = maxSpeed;
	// His own transform again: the captor's matrix let go.
	UpdateObjectTransforms(node);
	if (IsSoundEffectLoaded(EFFECT_THROWNSWOOSH))
		PlayEffect_Parms3D(EFFECT_THROWNSWOOSH, &node->Coord, NORMAL_CHANNEL_RATE, THROW_SWOOSH_VOLUME);
}

void PlayerLetGoToGetUp()
{
	if (!CanChangeState())
		return;
	ObjNode* node = gPlayerNode;
	SetPlayerDelta({0, 0, node->Delta.y});
	UpdateObjectTransforms(node);
	SetPlayerAnim(node, PLAYER_ANIM_GETUP);
}

void FlattenPlayer()
{
	if (!CanChangeState() || PlayerAnim(gPlayerNode) == PLAYER_ANIM_FLATTENED)
		return;
	SetPlayerAnim(gPlayerNode, PLAYER_ANIM_FLATTENED);
	PlayPlayerEffect3D(EFFECT_PLAYERCRUSH, &gPlayerNode->Coord);
	// Squashed flat costs health; the last of it blows the robot apart.
	PlayerLoseHealth(FLATTEN_DAMAGE, DEATH_KIND_BLOWN_UP);
}

void HeldByCreature(ObjNode* node)
{
	if (!StrongManHoldingPlayer())
	{
		// Nobody holds it any more (the holder left the level): it drops.
		SetPlayerAnim(node, PLAYER_ANIM_FALL);
		return;
	}
	gObjDelta = {0, 0, 0};
	node->StatusBits &= ~STATUS_BIT_ONGROUND;
}

void ReleasePlayerFromHold(float heading)
{
	ObjNode* node = gPlayerNode;
	if (!node || !node->Skeleton || gPlayerLevel.isDead)
		return;
	SetPlayerAnim(node, PLAYER_ANIM_GOTHIT, 7);
	node->Delta = {-std::sin(heading) * PLAYER_KNOCKBACK_SPEED, 400, -std::cos(heading) * PLAYER_KNOCKBACK_SPEED};
	if (gCurrentMoveNode == node)
		gObjDelta = node->Delta;
	node->Rot.y = heading + PI;			// facing the one who threw it
	UpdateObjectTransforms(node);
}
