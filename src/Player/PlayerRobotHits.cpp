// The robot under the machines' blows: thrown, flattened, skewered.
#include "Player/PlayerRobotHits.h"
#include "Player/Player.h"
#include "Player/PlayerInternal.h"
#include "3D/SkeletonTypes.h"

#include <cmath>

void PlayerThrownByEnemy(const OGLVector3D& velocity)
{
	ObjNode* node = gPlayerNode;
	if (!node || gPlayerIsDead)
		return;
	SetPlayerAnim(node, PLAYER_ANIM_THROWN);
	node->Delta = velocity;
	node->StatusBits &= ~STATUS_BIT_ONGROUND;
	// Lift it clear of the ground so the first step of the flight is not a landing.
	node->Coord.y += 10;
	gPlayerMaxSpeed = std::sqrt(velocity.x * velocity.x + velocity.y * velocity.y + velocity.z * velocity.z);
}

bool PlayerFlattenedByEnemy()
{
	ObjNode* node = gPlayerNode;
	if (!node || gPlayerIsDead || gInvincibleTimer > 0 || PlayerAnim(node) == PLAYER_ANIM_FLATTENED)
		return false;
	SetPlayerAnim(node, PLAYER_ANIM_FLATTENED);
	node->Delta = {0, 0, 0};
	return true;
}

void PlayerSkeweredOnDrill()
{
	ObjNode* node = gPlayerNode;
	if (!node)
		return;
	SetPlayerAnim(node, PLAYER_ANIM_HELDALT, 8);
	node->StatusBits |= STATUS_BIT_ROTZXY;
	gInvincibleTimer = SKEWERED_INVINCIBILITY;
}

void HoldPlayerOnDrill(const OGLPoint3D& where, float heading, float roll)
{
	ObjNode* node = gPlayerNode;
	if (!node)
		return;
	// The held state lets go by itself without a zip line: the drill takes it back every frame.
	if (PlayerAnim(node) != PLAYER_ANIM_HELDALT)
		SetPlayerAnim(node, PLAYER_ANIM_HELDALT, 8);
	node->StatusBits |= STATUS_BIT_ROTZXY;
	node->StatusBits &= ~STATUS_BIT_ONGROUND;
	node->Coord = where;
	node->Coord.y -= float(node->BottomOff) / 2;
	node->Delta = {0, 0, 0};
	node->Rot.y = heading;
	node->Rot.z = roll;
	gInvincibleTimer = SKEWERED_INVINCIBILITY;
	UpdateObjectTransforms(node);
	CalcObjectBoxFromNode(node);
}

void PlayerReleasedFromDrill(const OGLVector3D& velocity)
{
	ObjNode* node = gPlayerNode;
	if (!node)
		return;
	node->StatusBits &= ~STATUS_BIT_ROTZXY;
	node->Rot.z = 0;
	PlayerThrownByEnemy(velocity);
}
