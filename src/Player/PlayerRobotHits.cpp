// The robot under the machines' blows: flattened, skewered, flung.
#include "Player/PlayerRobotHits.h"
#include "Player/Player.h"
#include "Player/PlayerHeld.h"
#include "Player/PlayerInternal.h"
#include "3D/SkeletonTypes.h"

#include <cmath>

namespace
{
	float Length(const OGLVector3D& v)
	{
		return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
	}

	void UnrollPlayer(ObjNode* node)
	{
		node->StatusBits &= ~STATUS_BIT_ROTZXY;
		node->Rot.x = node->Rot.z = 0;
	}
}

void PlayerThrownByMachine(const OGLVector3D& velocity)
{
	ThrowPlayerFree(velocity, Length(velocity));
}

bool PlayerFlattenedByEnemy()
{
	ObjNode* node = gPlayerNode;
	if (!node || gPlayerLevel.isDead || gPlayerLevel.invincibleTimer > 0 || PlayerAnim(node) == PLAYER_ANIM_FLATTENED)
		return false;
	FlattenPlayer();
	node->Delta = {0, 0, 0};
	if (gCurrentMoveNode == node)
		gObjDelta = node->Delta;
	return true;
}

void PlayerSkeweredOnDrill()
{
	ObjNode* node = gPlayerNode;
	if (!node || gPlayerLevel.isDead)
		return;
	CatchPlayer(PLAYER_ANIM_HELDALT);
	node->StatusBits |= STATUS_BIT_ROTZXY;
	gPlayerLevel.invincibleTimer = SKEWERED_INVINCIBILITY;
}

bool HoldPlayerOnDrill(const OGLPoint3D& where, float heading, float roll)
{
	ObjNode* node = gPlayerNode;
	if (!node || !IsPlayerHeldIn(PLAYER_ANIM_HELDALT))
	{
		if (node)
			UnrollPlayer(node);
		return false;
	}
	OGLPoint3D at = where;
	at.y -= float(node->BottomOff) / 2;
	node->StatusBits |= STATUS_BIT_ROTZXY;
	node->Rot = {0, heading, roll};
	node->Coord = at;
	UpdateObjectTransforms(node);
	PlacePlayerInGrip(node->BaseTransformMatrix, at);
	gPlayerLevel.invincibleTimer = SKEWERED_INVINCIBILITY;
	return true;
}

void PlayerReleasedFromDrill(const OGLVector3D& velocity)
{
	ObjNode* node = gPlayerNode;
	if (!node)
		return;
	UnrollPlayer(node);
	PlayerThrownByMachine(velocity);
}
