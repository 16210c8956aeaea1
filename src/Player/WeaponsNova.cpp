// The nova: held, it charges between the robot's hands; released, it zaps the
// nearest targets in sight, more and further the fuller the charge. An
// electrocuted robot discharges the same way. GL-free: the arcs are drawn by
// WeaponsNovaDraw.cpp.
#include "Player/Weapons.h"
#include "Player/PlayerInternal.h"
#include "3D/Skeleton.h"
#include "Effects/Sparkles.h"
#include "Enemies/Enemy.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Input.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"

#include <algorithm>
#include <cmath>

float gNovaCharge = 0;
ObjNode* gNovaChargeNode = nullptr;
float gZapTimer = 0;
ZapTarget gZapTable[MAX_ZAP_TARGETS];
OGLPoint3D gNovaHandPoints[2];

namespace
{
	constexpr uint16_t NOVA_SLOT = 3099;
	constexpr OGLPoint3D HAND_POINTS[2] = {{-40, 45, 12}, {40, 45, 12}};	// in the head joint's space
	constexpr uint32_t ZAP_CANDIDATE_MASK = 0xC250;		// enemies, preferred, pick-ups, misc, triggers
	constexpr uint32_t ZAP_PREFERRED = 0x4000;			// their distance counts a quarter
	constexpr float ZAP_HIGH_AIM = 600.0f;				// above this the arc aims at the middle of the box
	constexpr float ZAP_CHARGE_FADE = 0.2f;				// brightness lost per second after a discharge
	constexpr float ELECTROCUTION_CHARGE = 0.6f;
	enum : uint8_t { NOVA_MODE_CHARGING = 0, NOVA_MODE_ZAPS = 1 };

	void UpdateHandPoints(ObjNode* player)
	{
		for (int i = 0; i < 2; i++)
			if (player && player->Skeleton)
				FindCoordOnJoint(player, PLAYER_JOINT_HEAD, &HAND_POINTS[i], &gNovaHandPoints[i]);
			else if (player)
				gNovaHandPoints[i] = player->Coord;
	}

	OGLPoint3D HandsMidpoint()
	{
		return {(gNovaHandPoints[0].x + gNovaHandPoints[1].x) / 2, (gNovaHandPoints[0].y + gNovaHandPoints[1].y) / 2,
			(gNovaHandPoints[0].z + gNovaHandPoints[1].z) / 2};
	}

	void SetSparkle(ObjNode* node, int slot, const OGLPoint3D& where, float scale, float separation)
	{
		int16_t k = GetFreeSparkle(node);
		node->Sparkles[slot] = k;
		if (k < 0)
			return;
		SparkleType& sp = gSparkles[k];
		sp.flags = SPARKLE_FLAG_OMNIDIRECTIONAL;
		sp.where = where;
		sp.color = {1, 1, 1, 0.99f};
		sp.scale = scale;
		sp.separation = separation;
		sp.textureNum = PARTICLE_SPRITE_STARBURST;
	}

	void ClearSparkles(ObjNode* node)
	{
		for (int16_t& k : node->Sparkles)
			if (k >= 0)
			{
				DeleteSparkle(k);
				k = -1;
			}
	}

	void EndNovaNode()
	{
		if (gNovaChargeNode)
		{
			ClearSparkles(gNovaChargeNode);
			StopObjectStreamEffect(gNovaChargeNode);
			DeleteObject(gNovaChargeNode);
			gNovaChargeNode = nullptr;
		}
	}

	// After the discharge the arcs fade; then the node goes.
	void MoveNovaZaps(ObjNode* node)
	{
		const float dt = gFrameTime;
		gZapTimer -= dt;
		gNovaCharge -= ZAP_CHARGE_FADE * dt;
		for (int i = 0; i < MAX_NODE_SPARKLES; i++)
			if (node->Sparkles[i] >= 0)
				gSparkles[node->Sparkles[i]].scale = i == 0 ? 100 + RandomFloat() * 50 : 250 + RandomFloat() * 50;
		if (gZapTimer <= 0 || gNovaCharge <= 0)
		{
			if (gNovaChargeNode == node)
				gNovaChargeNode = nullptr;
			ClearSparkles(node);
			DeleteObject(node);
			if (gPlayerNode && PlayerAnim(gPlayerNode) == PLAYER_ANIM_CHARGING)
				SetPlayerAnim(gPlayerNode, PLAYER_ANIM_STAND);
		}
	}

	ObjNode* MakeNovaNode(ObjNodeRoutine draw, uint8_t mode)
	{
		ObjectDef def = {};
		def.genre = CUSTOM_GENRE;
		def.coord = gPlayerNode ? gPlayerNode->Coord : OGLPoint3D{0, 0, 0};
		def.slot = int16_t(NOVA_SLOT);
		def.drawCall = draw;
		def.flags = STATUS_BIT_DONTCULL | STATUS_BIT_NOLIGHTING | STATUS_BIT_GLOW | STATUS_BIT_NOZWRITES;
		def.scale = 1;
		ObjNode* node = MakeNewObject(&def);
		if (node)
			node->Mode = mode;
		return node;
	}
}

void StartNovaCharge(ObjNode* player)
{
	EndNovaNode();
	gNovaCharge = 0.1f;
	UpdateHandPoints(player);
	gNovaChargeNode = MakeNovaNode(DrawNovaCharge, NOVA_MODE_CHARGING);
	if (gNovaChargeNode)
		for (int i = 0; i < 2; i++)
			SetSparkle(gNovaChargeNode, i, gNovaHandPoints[i], 80, 30);
}

void UpdateNovaCharge(ObjNode* player, float dt)
{
	ObjNode* node = gNovaChargeNode;
	if (!node || node->Mode != NOVA_MODE_CHARGING)
		return;
	UpdateHandPoints(player);
	for (int i = 0; i < 2; i++)
		if (node->Sparkles[i] >= 0)
			gSparkles[node->Sparkles[i]].where = gNovaHandPoints[i];
	gNovaCharge = std::min(1.0f, gNovaCharge + NOVA_CHARGE_RATE * dt);
	if (IsSoundEffectLoaded(EFFECT_NOVACHARGE))
	{
		if (node->EffectChannel < 0 || !IsEffectChannelBusy(node->EffectChannel))
			node->EffectChannel = PlayEffect3D(EFFECT_NOVACHARGE, &player->Coord);
		if (node->EffectChannel >= 0)
			ChangeChannelRate(node->EffectChannel, int32_t((gNovaCharge + 0.8f) * 0x10000));
	}
	if (!GetNeedState(NEED_SHOOT))
		ReleaseNovaCharge();
}

bool IsNovaCharging()
{
	return gNovaChargeNode && gNovaChargeNode->Mode == NOVA_MODE_CHARGING;
}

bool ReleaseNovaCharge()
{
	ObjNode* node = gNovaChargeNode;
	if (!node || node->Mode != NOVA_MODE_CHARGING)
		return false;
	ClearSparkles(node);
	StopObjectStreamEffect(node);
	node->CustomDrawFunction = DrawNovaZaps;
	node->Mode = NOVA_MODE_ZAPS;
	node->MoveCall = MoveNovaZaps;

	auto standUp = [] {
		if (gPlayerNode && PlayerAnim(gPlayerNode) == PLAYER_ANIM_CHARGING)
			SetPlayerAnim(gPlayerNode, PLAYER_ANIM_STAND);
	};

	if (gNovaCharge < NOVA_FIZZLE_CHARGE)
	{
		EndNovaNode();
		standUp();
		return false;
	}

	const OGLPoint3D mid = HandsMidpoint();
	const int maxTargets = int(gNovaCharge * MAX_ZAP_TARGETS);
	const int struck = ZapNearbyTargets(node, mid.x, mid.y, mid.z, maxTargets, gNovaCharge * NOVA_FULL_RADIUS);
	standUp();
	if (struck == 0)
	{
		EndNovaNode();
		return false;
	}
	if (FindWeaponSlot(WEAPON_NOVA) >= 0)
		DecWeaponQuantity(WEAPON_NOVA);
	if (gPlayerNode)
		PlayPlayerEffect3D(EFFECT_ZAP, &gPlayerNode->Coord);
	return true;
}

int ZapNearbyTargets(ObjNode* owner, float x, float y, float z, int maxTargets, float radius)
{
	maxTargets = std::clamp(maxTargets, 0, MAX_ZAP_TARGETS);
	for (ZapTarget& t : gZapTable)
		t = {false, 1e8f, {0, 0, 0}, nullptr};

	const OGLPoint3D from = {x, y, z};
	const OGLPoint3D robot = gPlayerNode ? gPlayerNode->Coord : from;
	for (ObjNode* n = gObjectListHead; n && maxTargets > 0; n = n->NextNode)
	{
		if (n->CType == INVALID_NODE_FLAG || (n->CType & CTYPE_PLAYER) || !(n->CType & ZAP_CANDIDATE_MASK))
			continue;
		float d = CalcQuickDistance(x, z, n->Coord.x, n->Coord.z);
		if (n->CType & ZAP_PREFERRED)
			d *= 0.25f;
		if (d > radius)
			continue;
		if (SegmentHitsAnything(&n->Coord, &robot, n, CTYPE_BLOCKSIGHT | CTYPE_FENCE))
			continue;

		// A free entry first; when all are taken, the farthest kept one gives way to a nearer one.
		int entry = -1;
		for (int i = 0; i < maxTargets; i++)
			if (!gZapTable[i].used)
			{
				entry = i;
				break;
			}
		if (entry < 0)
		{
			int far = 0;
			for (int i = 1; i < maxTargets; i++)
				if (gZapTable[i].distance > gZapTable[far].distance)
					far = i;
			if (d >= gZapTable[far].distance)
				continue;
			entry = far;
		}
		OGLPoint3D aim = {n->Coord.x, n->Coord.y + n->BBox.max.y, n->Coord.z};
		if (aim.y - y > ZAP_HIGH_AIM)
			aim.y = n->Coord.y + n->Scale.y * (n->BBox.min.y + n->BBox.max.y) / 2;
		gZapTable[entry] = {true, d, aim, n};
	}

	int count = 0;
	for (int i = 0; i < maxTargets; i++)
	{
		if (!gZapTable[i].used)
			continue;
		count++;
		HitByWeapon(WEAPON_NOVA, nullptr, gZapTable[i].node, nullptr, nullptr, 0);
	}
	if (count > 0)
	{
		if (owner)
		{
			ClearSparkles(owner);
			SetSparkle(owner, 0, from, 130, 100);
			for (int i = 0, s = 1; i < maxTargets && s < MAX_NODE_SPARKLES; i++)
				if (gZapTable[i].used)
					SetSparkle(owner, s++, gZapTable[i].aim, 300, 200);
		}
		gZapTimer = ZAP_SHOW_TIME;
	}
	return count;
}

void ElectrocutionDischarge(ObjNode* player)
{
	if (gZapTimer > 0 || !player)
		return;
	EndNovaNode();
	UpdateHandPoints(player);
	gNovaChargeNode = MakeNovaNode(DrawNovaZaps, NOVA_MODE_ZAPS);
	if (!gNovaChargeNode)
		return;
	gNovaChargeNode->MoveCall = MoveNovaZaps;
	gNovaCharge = ELECTROCUTION_CHARGE;
	ZapNearbyTargets(gNovaChargeNode, player->Coord.x, player->Coord.y, player->Coord.z, MAX_ZAP_TARGETS,
		NOVA_FULL_RADIUS);
	gZapTimer = SHOCK_ZAP_COOLDOWN;
}
