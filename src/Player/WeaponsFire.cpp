// The weapon controls and firing: the shoot need uses the current weapon,
// the punch need punches or picks up, the next/previous needs switch weapons.
// Aimed shots bend toward the nearest auto-target in front of the muzzle.
#include "Player/Weapons.h"
#include "Player/PlayerInternal.h"
#include "3D/Skeleton.h"
#include "Effects/Sparkles.h"
#include "Enemies/Enemy.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Input.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"

#include <cmath>

float gAutoAimTimer = 0, gAutoAimX = 0, gAutoAimZ = 0;

namespace
{
	constexpr OGLPoint3D MUZZLE_ON_HAND = {-1, -70, -22};		// in the right hand joint's space
	constexpr OGLVector3D AIM_ON_HAND = {0, -1, -0.149f};
	constexpr float STUN_SHOT_SPEED = 3500.0f;
	constexpr float FREEZE_SHOT_SPEED = 1500.0f;
	constexpr float ARC_SHOT_SPEED = 1700.0f;
	constexpr float FLARE_SPEED = 1000.0f;
	constexpr float AUTO_AIM_PULL = 4.0f;					// weight of the target direction
	constexpr uint32_t HALF_RATE = 0x8000;
	constexpr uint32_t NORMAL_RATE = 0x10000;
	constexpr float JET_HIT_BOX = 30.0f;					// ± around the hands' midpoint
	constexpr OGLPoint3D JET_HIT_ON_HAND = {0, -50, 0};
	constexpr float FLASH_SCALE = 100.0f;

	void Muzzle(ObjNode* player, OGLPoint3D* muzzle, OGLVector3D* aim)
	{
		if (!player->Skeleton)
		{
			*muzzle = player->Coord;
			*aim = {-std::sin(player->Rot.y), 0, -std::cos(player->Rot.y)};
			return;
		}
		FindCoordOnJoint(player, PLAYER_JOINT_RIGHT_HAND, &MUZZLE_ON_HAND, muzzle);
		OGLMatrix4x4 m;
		FindJointFullMatrix(player, PLAYER_JOINT_RIGHT_HAND, &m);
		OGLVector3D v;
		OGLVector3D_Transform(&AIM_ON_HAND, &m, &v);
		OGLVector3D_Normalize(&v, aim);
	}

	constexpr float FLASH_TIME = 0.12f;					// seconds a muzzle flash lasts
	ObjNodeRef gMuzzleFlash;

	// The flash shrinks away on its own node.
	void MoveMuzzleFlash(ObjNode* node)
	{
		node->Health -= gFrameTime;
		int16_t k = node->Sparkles[0];
		if (node->Health <= 0 || k < 0)
		{
			if (k >= 0)
				DeleteSparkle(k);
			node->Sparkles[0] = -1;
			DeleteObject(node);
			return;
		}
		gSparkles[k].scale = FLASH_SCALE * node->Health / FLASH_TIME;
		if (gPlayerNode && gPlayerNode->Skeleton)
			FindCoordOnJoint(gPlayerNode, PLAYER_JOINT_RIGHT_HAND, &MUZZLE_ON_HAND, &gSparkles[k].where);
	}

	void MuzzleFlash(const OGLPoint3D* muzzle)
	{
		// One flash at a time: a new shot replaces the last one's.
		if (ObjNode* old = gMuzzleFlash.Get())
			old->Health = 0;
		ObjectDef def = {};
		def.genre = NODRAW_GENRE;
		def.coord = *muzzle;
		def.slot = 3000;
		def.moveCall = MoveMuzzleFlash;
		def.scale = 1;
		ObjNode* node = MakeNewObject(&def);
		if (!node)
			return;
		node->Health = FLASH_TIME;
		gMuzzleFlash = ObjNodeRef(node);
		int16_t k = GetFreeSparkle(node);
		node->Sparkles[0] = k;
		if (k < 0)
			return;
		SparkleType& sp = gSparkles[k];
		sp.flags = SPARKLE_FLAG_OMNIDIRECTIONAL;
		sp.where = *muzzle;
		sp.color = {1, 1, 1, 1};
		sp.scale = FLASH_SCALE;
		sp.separation = 10;
		sp.textureNum = PARTICLE_SPRITE_FLASH;
	}

	void PlayAt(int effect, const OGLPoint3D* where, uint32_t rate, float volume)
	{
		if (IsSoundEffectLoaded(effect))
			PlayEffect_Parms3D(effect, where, rate, volume);
	}

	void FireShot(ObjNode* player, int type, float speed)
	{
		OGLPoint3D muzzle;
		OGLVector3D aim;
		Muzzle(player, &muzzle, &aim);
		AutoAimShot(&muzzle, &aim);
		const OGLVector3D delta = aim * speed;
		MakeWeaponProjectile(type, &muzzle, &delta);

		switch (type)
		{
			case WEAPON_STUNGUN:
				PlayAt(EFFECT_STUNGUN, &muzzle, NORMAL_RATE, 1);
				Rumble(0.2f, 150);
				MuzzleFlash(&muzzle);
				break;
			case WEAPON_FREEZEGUN:
			case WEAPON_ARCSHOT:
				PlayAt(EFFECT_FREEZEGUN, &muzzle, HALF_RATE, 1);
				break;
			case WEAPON_FLARE:
				PlayAt(EFFECT_FLARESHOOT, &muzzle, NORMAL_RATE, 1.6f);
				break;
		}
		DecWeaponQuantity(type);
	}
}

bool DoWeaponControls(ObjNode* player)
{
	if (GetNewNeedState(NEED_SHOOT))
		return FireWeapon(player);
	if (DoPlayerPunchControls(player))
		return true;
	// During the change animation more presses count only until the swap.
	const bool canSwitch = !(PlayerAnim(player) == PLAYER_ANIM_CHANGEWEAPON && player->Flag[0]);
	if (canSwitch && GetNewNeedState(NEED_NEXT_WEAPON))
		ChangeWeapons(FindWeaponSlot(gRun.currentWeapon), +1, false);
	else if (canSwitch && GetNewNeedState(NEED_PREV_WEAPON))
		ChangeWeapons(FindWeaponSlot(gRun.currentWeapon), -1, false);
	return PlayerAnim(player) == PLAYER_ANIM_CHANGEWEAPON;
}

bool FireWeapon(ObjNode* player)
{
	if (!player || FindWeaponSlot(gRun.currentWeapon) < 0)
		return false;
	switch (gRun.currentWeapon)
	{
		case WEAPON_STUNGUN: FireShot(player, WEAPON_STUNGUN, STUN_SHOT_SPEED); return false;
		case WEAPON_FREEZEGUN: FireShot(player, WEAPON_FREEZEGUN, FREEZE_SHOT_SPEED); return false;
		case WEAPON_ARCSHOT: FireShot(player, WEAPON_ARCSHOT, ARC_SHOT_SPEED); return false;
		case WEAPON_FLARE: FireShot(player, WEAPON_FLARE, FLARE_SPEED); return false;
		case WEAPON_GROWTH:
			if (gGrowthState != GROWTH_STATE_NONE)
				return false;					// already giant: the vial waits
			SetPlayerAnim(player, PLAYER_ANIM_GROWTH);
			return true;
		case WEAPON_FIST:
			player->Flag[0] = 0;
			SetPlayerAnim(player, PLAYER_ANIM_PUNCH);
			PlayPlayerEffect3D(EFFECT_SERVO, &player->Coord);
			return true;
		case WEAPON_NOVA:
			if (!IsPlayerOnGround(player))
				return false;
			SetPlayerAnim(player, PLAYER_ANIM_CHARGING);
			StartNovaCharge(player);
			return true;
		case WEAPON_DART:
			SetPlayerAnim(player, PLAYER_ANIM_THROWDART);
			PlayPlayerEffect3D(EFFECT_SERVO, &player->Coord);
			return true;
	}
	return false;
}

void AutoAimShot(const OGLPoint3D* muzzle, OGLVector3D* aim)
{
	ObjNode* best = nullptr;
	float bestDist = AUTO_AIM_RANGE;
	OGLVector3D bestDir = {0, 0, 0};
	for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
	{
		if (n->CType == INVALID_NODE_FLAG || !(n->CType & CTYPE_AUTOTARGET))
			continue;
		const OGLPoint3D target = n->Coord + n->OffsetVector;
		const float d = std::hypot(target.x - muzzle->x, target.z - muzzle->z);
		if (d >= bestDist)
			continue;
		OGLVector3D to = target - *muzzle, unit;
		OGLVector3D_Normalize(&to, &unit);
		// The cone narrows with distance: 90° close by, 18° at the edge of range.
		const float maxAngle = PI / 2 - d * 0.0002f * 0.4f * PI;
		const float cosAngle = std::clamp(OGLVector3D_Dot(&unit, aim), -1.0f, 1.0f);
		if (std::acos(cosAngle) >= maxAngle)
			continue;
		best = n;
		bestDist = d;
		bestDir = unit;
	}
	if (!best)
		return;
	OGLVector3D bent = *aim + bestDir * AUTO_AIM_PULL;
	OGLVector3D_Normalize(&bent, aim);
	gAutoAimTimer = AUTO_AIM_TIME;
	gAutoAimX = best->Coord.x + best->OffsetVector.x;
	gAutoAimZ = best->Coord.z + best->OffsetVector.z;
}

void FinishGrowthAnim(ObjNode*)
{
	gGrowthTimer = GROWTH_GIANT_TIME;
	gGrowthState = GROWTH_STATE_GROWING;
	if (FindWeaponSlot(WEAPON_GROWTH) >= 0)
		DecWeaponQuantity(WEAPON_GROWTH);
}

void DoJumpJetHits(ObjNode* player)
{
	if (!player || !player->Skeleton)
		return;
	OGLPoint3D a, b;
	FindCoordOnJoint(player, PLAYER_JOINT_LEFT_HAND, &JET_HIT_ON_HAND, &a);
	FindCoordOnJoint(player, PLAYER_JOINT_RIGHT_HAND, &JET_HIT_ON_HAND, &b);
	const OGLPoint3D m = {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};
	const float r = JET_HIT_BOX;
	int n = FindBoxCollisions(m.y + r, m.y - r, m.x - r, m.x + r, m.z + r, m.z - r, CTYPE_ENEMY | CTYPE_MISC);
	ObjNode* hits[MAX_COLLISIONS];
	for (int i = 0; i < n; i++)
		hits[i] = gCollisionList[i].objectPtr;
	for (int i = 0; i < n; i++)
		HitByWeapon(WEAPON_JETHIT, nullptr, hits[i], nullptr, nullptr, 0);
}
