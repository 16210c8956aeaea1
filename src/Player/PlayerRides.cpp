// The robot on the rides: hanging from a zip-line pulley, seated on a rocket
// sled, curled up in a cannon and flying out of it, and the teleport that
// shrinks him away and grows him back at the partner arch. The rides decide
// when he gets on and off; these states keep him where the ride puts him.
#include "Player/PlayerInternal.h"
#include "3D/Camera.h"
#include "3D/Skeleton.h"
#include "Effects/Sparkles.h"
#include "Items/Rides.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Input.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "Terrain/Terrain.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float CANNON_ANIM_SPEED = 1.6f;
	constexpr float CANNON_EXIT_LIFT = 40.0f;
	constexpr float CANNON_LAUNCH_PITCH = PI / 6;		// nose up as he leaves the barrel
	constexpr float CANNON_FLIGHT_GRAVITY = 500.0f;		// a long, floaty arc
	constexpr float CANNON_PITCH_RATE = PI / 7;			// radians per second, nosing over
	constexpr float LANDING_SKID_TIME = 1.0f;
	constexpr float LANDING_CLANG_VOLUME = 0.8f;
	constexpr float TELEPORT_SHRINK_RATE = 2.5f;		// scale per second, x and z
	constexpr float TELEPORT_WALK_OUT_SPEED = 1300.0f;
	constexpr float TELEPORT_SPARKLE_FADE_IN = 1.0f;	// seconds
	// Jumping off a running sled: a sled only stops by crashing, so without a
	// way off a rider heading for a cliff or stuck nose-first against a rock
	// would be trapped.
	constexpr float SLED_BAIL_LIFT = 130.0f;			// units above the seat
	constexpr float SLED_BAIL_JUMP_SPEED = 2000.0f;		// units per second, upward
	constexpr float SLED_BAIL_KEEP_SPEED = 1.0f;		// of the sled's horizontal velocity
	constexpr float SLED_BAIL_SIDE_SPEED = 700.0f;		// units per second to the right: he lands clear of the parked sled
	constexpr float TELEPORT_VOLUME = 1.5f;

	struct TeleportState
	{
		bool arrived;
		OGLPoint3D arrival;
		float heading;
		int16_t sparkle;
		float clock;
	};
	TeleportState gTeleport = {false, {0, 0, 0}, 0, -1, 0};

	void StartSkid(ObjNode* node)
	{
		node->Rot.x = node->Rot.z = 0;
		SetPlayerAnim(node, PLAYER_ANIM_SKID);
		gPlayerLevel.stateCountdown = LANDING_SKID_TIME;
	}

	void LetTheSpeedThrough(float speed)
	{
		gPlayerLevel.maxSpeed = std::max(gPlayerLevel.maxSpeed, speed);
	}

	void EndTeleportSparkle()
	{
		if (gTeleport.sparkle < 0)
			return;
		for (int16_t& slot : gPlayerNode->Sparkles)
			if (slot == gTeleport.sparkle)
				slot = -1;
		DeleteSparkle(gTeleport.sparkle);
		gTeleport.sparkle = -1;
	}
}

//
// Handed over by the rides
//

int CurrentPlayerAnim()
{
	return PlayerAnim(gPlayerNode);
}

void PlayerGrabZipPulley(ObjNode* pulley)
{
	ObjNode* node = gPlayerNode;
	SetPlayerAnim(node, PLAYER_ANIM_ZIPLINE);
	node->Rot.y = pulley->Rot.y;
	node->StatusBits &= ~STATUS_BIT_ONGROUND;
}

void PlayerLetGoOfZipPulley()
{
	if (gPlayerNode && PlayerAnim(gPlayerNode) == PLAYER_ANIM_ZIPLINE)
		SetPlayerAnim(gPlayerNode, PLAYER_ANIM_FALL);
}

bool PlayerIsOnZipLine()
{
	return PlayerAnim(gPlayerNode) == PLAYER_ANIM_ZIPLINE;
}

void PlayerBoardRocketSled(ObjNode* sled)
{
	ObjNode* node = gPlayerNode;
	SetPlayerAnim(node, PLAYER_ANIM_ROCKETSLED);
	node->Rot.y = sled->Rot.y;
	node->StatusBits &= ~STATUS_BIT_ONGROUND;
}

bool PlayerIsOnRocketSled()
{
	return PlayerAnim(gPlayerNode) == PLAYER_ANIM_ROCKETSLED;
}

void PlayerThrownFromSled(const OGLVector3D& velocity)
{
	ObjNode* node = gPlayerNode;
	if (!node)
		return;
	StartSkid(node);
	node->Delta = velocity;
	LetTheSpeedThrough(std::hypot(velocity.x, velocity.z));
}

void PlayerClimbIntoCannon(ObjNode* cannon, const OGLPoint3D& mouth)
{
	ObjNode* node = gPlayerNode;
	SetPlayerAnim(node, PLAYER_ANIM_INCANNON, CANNON_ANIM_SPEED);
	gObjCoord = {mouth.x, mouth.y - float(node->BottomOff), mouth.z};
	gObjDelta = {0, 0, 0};
	node->Rot.y = cannon->Rot.y + PI;
}

bool PlayerIsInCannon()
{
	return PlayerAnim(gPlayerNode) == PLAYER_ANIM_INCANNON;
}

void PlayerFiredFromCannon(ObjNode* cannon)
{
	ObjNode* node = gPlayerNode;
	const float h = cannon->Rot.y;
	node->Coord.y += CANNON_EXIT_LIFT;
	SetPlayerAnim(node, PLAYER_ANIM_SHOTFROMCANNON);
	node->Rot.y = h;
	node->Rot.x = CANNON_LAUNCH_PITCH;
	node->Delta = {-std::sin(h) * CANNON_SHOT_SPEED, CANNON_SHOT_RISE, -std::cos(h) * CANNON_SHOT_SPEED};
	node->StatusBits &= ~STATUS_BIT_ONGROUND;
	LetTheSpeedThrough(CANNON_SHOT_SPEED);
}

void StartPlayerTeleport(const OGLPoint3D& arrival, float heading)
{
	ObjNode* node = gPlayerNode;
	if (!node)
		return;
	node->MoveCall = MovePlayerTeleporting;
	node->Delta = {0, 0, 0};
	node->Rot.y += PI;
	gTeleport = {false, arrival, heading, -1, 0};
	int16_t s = GetFreeSparkle(node);
	if (s >= 0)
	{
		for (int16_t& slot : node->Sparkles)
			if (slot < 0)
			{
				slot = s;
				break;
			}
		SparkleType& sp = gSparkles[s];
		sp.flags = SPARKLE_FLAG_OMNIDIRECTIONAL | SPARKLE_FLAG_TRANSFORMWITHOWNER;
		sp.where = {0, 80, 0};
		sp.color = {1, 1, 1, 0};
		sp.scale = 240;
		sp.separation = 100;
		sp.textureNum = PARTICLE_SPRITE_FLASH;
		gTeleport.sparkle = s;
	}
	if (IsSoundEffectLoaded(EFFECT_TELEPORT))
		PlayEffect_Parms3D(EFFECT_TELEPORT, &node->Coord, NORMAL_CHANNEL_RATE, TELEPORT_VOLUME);
}

bool IsPlayerTeleporting()
{
	return gPlayerNode && gPlayerNode->MoveCall == MovePlayerTeleporting;
}

//
// States
//

void HangFromZipLine(ObjNode* node)
{
	if (!gZipPulley)
	{
		SetPlayerAnim(node, PLAYER_ANIM_FALL);
		return;
	}
	OGLPoint3D p = ZipHangPoint(gZipPulley);
	if (gFrameTime > 0)
		gObjDelta = {(p.x - gObjCoord.x) / gFrameTime, (p.y - gObjCoord.y) / gFrameTime, (p.z - gObjCoord.z) / gFrameTime};
	gObjCoord = p;
	node->Rot.y = gZipPulley->Rot.y;
	node->StatusBits &= ~STATUS_BIT_ONGROUND;
	LetTheSpeedThrough(std::hypot(gObjDelta.x, gObjDelta.z));
}

void RideRocketSled(ObjNode* node)
{
	if (!gRocketSled)
	{
		SetPlayerAnim(node, PLAYER_ANIM_FALL);
		return;
	}
	AlignPlayerInRocketSled(node);
	gObjCoord = node->Coord;
	gObjDelta = node->Delta;
	node->StatusBits &= ~STATUS_BIT_ONGROUND;
	if (GetNewNeedState(NEED_JUMP))
	{
		// The sled notices its empty seat on its next move and parks.
		SetPlayerAnim(node, PLAYER_ANIM_JUMP);
		PlayPlayerEffect3D(EFFECT_JUMP, &gObjCoord);
		gObjCoord.y += SLED_BAIL_LIFT;
		const float h = gRocketSled->Rot.y;
		gObjDelta = {gRocketSled->Delta.x * SLED_BAIL_KEEP_SPEED + std::cos(h) * SLED_BAIL_SIDE_SPEED, SLED_BAIL_JUMP_SPEED,
					 gRocketSled->Delta.z * SLED_BAIL_KEEP_SPEED - std::sin(h) * SLED_BAIL_SIDE_SPEED};
		return;
	}
	LetTheSpeedThrough(std::hypot(gObjDelta.x, gObjDelta.z));
}

void SitInCannon(ObjNode*)
{
	gObjDelta = {0, 0, 0};
}

void FlyFromCannon(ObjNode* node)
{
	gObjDelta.y -= CANNON_FLIGHT_GRAVITY * gFrameTime;
	node->Rot.x -= CANNON_PITCH_RATE * gFrameTime;
	MovePlayerStep(node);
	if (IsPlayerOnGround(node))
	{
		StartSkid(node);
		if (IsSoundEffectLoaded(EFFECT_PLAYERCLANG))
			PlayEffect_Parms3D(EFFECT_PLAYERCLANG, &gObjCoord, NORMAL_CHANNEL_RATE, LANDING_CLANG_VOLUME);
	}
}

void MovePlayerTeleporting(ObjNode* node)
{
	const float dt = gFrameTime;
	gTeleport.clock += dt;
	if (gTeleport.sparkle >= 0)
		gSparkles[gTeleport.sparkle].color.a = std::min(1.0f, gTeleport.clock / TELEPORT_SPARKLE_FADE_IN);

	const float fullScale = PLAYER_NODE_SCALE * gPlayerLevel.scale;
	if (!gTeleport.arrived)
	{
		node->Scale.x = node->Scale.z = std::max(0.0f, node->Scale.x - TELEPORT_SHRINK_RATE * dt);
		if (node->Scale.x <= 0)
		{
			// Gone: out of the partner arch, the camera behind him again.
			const OGLPoint3D& a = gTeleport.arrival;
			node->Coord = {a.x, TerrainHeightAt(a.x, a.z) - float(node->BottomOff), a.z};
			node->OldCoord = node->Coord;
			node->Rot.y = gTeleport.heading;
			gTeleport.arrived = true;
			gPlayerLevel.coord = node->Coord;
			InitCamera();
		}
	}
	else
	{
		node->Scale.x = node->Scale.z = std::min(fullScale, node->Scale.x + TELEPORT_SHRINK_RATE * dt);
		if (node->Scale.x >= fullScale)
		{
			EndTeleportSparkle();
			node->MoveCall = MovePlayerRobot;
			const float h = node->Rot.y;
			node->Delta = {-std::sin(h) * TELEPORT_WALK_OUT_SPEED, 0, -std::cos(h) * TELEPORT_WALK_OUT_SPEED};
			LetTheSpeedThrough(TELEPORT_WALK_OUT_SPEED);
			SetPlayerAnim(node, PLAYER_ANIM_WALK);
		}
	}
	UpdateObjectTransforms(node);
	CalcObjectBoxFromNode(node);
	gPlayerLevel.coord = node->Coord;
	UpdatePlayerHands(node);
}
