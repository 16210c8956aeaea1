// The robot in a creature's grip: limp, moved only by its holder, which sets
// the robot's whole transform (turned, shrunk, up over a strong man's head)
// after the robot's own move each frame; let go, it reels and is knocked off.
#include "Player/Player.h"
#include "Player/PlayerInternal.h"
#include "3D/Skeleton.h"
#include "Enemies/CloudCreatures.h"

#include <cmath>

void GrabPlayerIntoHold()
{
	ObjNode* node = gPlayerNode;
	if (!node || !node->Skeleton)
		return;
	SetPlayerAnim(node, PLAYER_ANIM_STRONGMANHELD, 8);
	node->Delta = {0, 0, 0};
	if (gCurrentMoveNode == node)
		gObjDelta = node->Delta;
	gHeldObject = nullptr;
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

void PlacePlayerInHold(const OGLMatrix4x4& transform, const OGLPoint3D& at)
{
	ObjNode* node = gPlayerNode;
	if (!node)
		return;
	node->Coord = at;
	node->OldCoord = at;
	gPlayerInfo.coord = at;
	node->BaseTransformMatrix = transform;
	SyncBaseTransformObject(node);
	CalcObjectBoxFromNode(node);
	UpdatePlayerHands(node);
}

void ReleasePlayerFromHold(float heading)
{
	ObjNode* node = gPlayerNode;
	if (!node || !node->Skeleton || gPlayerIsDead)
		return;
	SetPlayerAnim(node, PLAYER_ANIM_GOTHIT, 7);
	node->Delta = {-std::sin(heading) * PLAYER_KNOCKBACK_SPEED, 400, -std::cos(heading) * PLAYER_KNOCKBACK_SPEED};
	if (gCurrentMoveNode == node)
		gObjDelta = node->Delta;
	node->Rot.y = heading + PI;			// facing the one who threw it
	UpdateObjectTransforms(node);
}
