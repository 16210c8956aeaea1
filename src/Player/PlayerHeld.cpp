// Creatures catching the robot: the state changes they may ask for.
#include "Player/PlayerHeld.h"
#include "Player/Player.h"
#include "Player/PlayerInternal.h"
#include "3D/Skeleton.h"

void PlayerStartHeld()
{
	if (!gPlayerNode || !gPlayerNode->Skeleton)
		return;
	gPlayerNode->Delta = {0, 0, 0};
	SetPlayerAnim(gPlayerNode, PLAYER_ANIM_GRABBED);
}

void PlacePlayerHeld(const OGLPoint3D& where, float heading)
{
	if (!gPlayerNode)
		return;
	gPlayerNode->Coord = where;
	gPlayerNode->Delta = {0, 0, 0};
	gPlayerNode->Rot.y = heading;
	UpdateObjectTransforms(gPlayerNode);
}

bool IsPlayerHeld()
{
	return gPlayerNode && gPlayerNode->Skeleton && PlayerAnim(gPlayerNode) == PLAYER_ANIM_GRABBED;
}

void PlayerLetGoToGetUp()
{
	if (!gPlayerNode || !gPlayerNode->Skeleton)
		return;
	gPlayerNode->Delta.x = gPlayerNode->Delta.z = 0;
	SetPlayerAnim(gPlayerNode, PLAYER_ANIM_GETUP);
}

void FlattenPlayer()
{
	if (!gPlayerNode || !gPlayerNode->Skeleton || PlayerAnim(gPlayerNode) == PLAYER_ANIM_FLATTENED)
		return;
	SetPlayerAnim(gPlayerNode, PLAYER_ANIM_FLATTENED);
}
