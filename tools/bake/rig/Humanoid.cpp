#include "rig/Humanoid.h"

#include <stdexcept>

namespace Rig
{
	const std::vector<Role> STANDARD_ROLE_ORDER = {
		ROLE_PELVIS, ROLE_BELLY, ROLE_CHEST, ROLE_NECK, ROLE_HEAD,
		ROLE_LUPPER, ROLE_LFORE, ROLE_LHAND, ROLE_RUPPER, ROLE_RFORE, ROLE_RHAND,
		ROLE_LTHIGH, ROLE_LSHIN, ROLE_LFOOT, ROLE_RTHIGH, ROLE_RSHIN, ROLE_RFOOT,
	};

	Role ParentRole(Role r)
		{
			switch (r)
			{
				case ROLE_PELVIS: return NUM_ROLES;
				case ROLE_BELLY: return ROLE_PELVIS;
				case ROLE_CHEST: return ROLE_BELLY;
				case ROLE_NECK: return ROLE_CHEST;
				case ROLE_HEAD: return ROLE_NECK;
				case ROLE_LUPPER: case ROLE_RUPPER: return ROLE_CHEST;
				case ROLE_LFORE: return ROLE_LUPPER;
				case ROLE_RFORE: return ROLE_RUPPER;
				case ROLE_LHAND: return ROLE_LFORE;
				case ROLE_RHAND: return ROLE_RFORE;
				case ROLE_LTHIGH: case ROLE_RTHIGH: return ROLE_PELVIS;
				case ROLE_LSHIN: return ROLE_LTHIGH;
				case ROLE_RSHIN: return ROLE_RTHIGH;
				case ROLE_LFOOT: return ROLE_LSHIN;
				case ROLE_RFOOT: return ROLE_RSHIN;
				default: return NUM_ROLES;
			}
	}

	const char* RoleName(Role r)
	{
		static const char* const names[NUM_ROLES] = {"pelvis", "belly", "chest", "neck", "head",
			"left upper arm", "left forearm", "left hand", "right upper arm", "right forearm", "right hand",
			"left thigh", "left shin", "left foot", "right thigh", "right shin", "right foot"};
		return names[r];
	}

	Vec3 Humanoid::Pivot(Role r) const
	{
		const float s = p.scale;
		switch (r)
		{
			case ROLE_PELVIS: return Vec3{0, p.hipY + 2, 0} * s;
			case ROLE_BELLY: return Vec3{0, p.bellyY, 0} * s;
			case ROLE_CHEST: return Vec3{0, p.chestY, 0} * s;
			case ROLE_NECK: return Vec3{0, p.neckY, 0} * s;
			case ROLE_HEAD: return Vec3{0, p.headY, 0} * s;
			case ROLE_LUPPER: return Vec3{-p.shoulderX, p.shoulderY, 0} * s;
			case ROLE_RUPPER: return Vec3{p.shoulderX, p.shoulderY, 0} * s;
			case ROLE_LFORE: return Vec3{-p.shoulderX - 1, p.elbowY, 0} * s;
			case ROLE_RFORE: return Vec3{p.shoulderX + 1, p.elbowY, 0} * s;
			case ROLE_LHAND: return Vec3{-p.shoulderX - 1.5f, p.wristY, 0} * s;
			case ROLE_RHAND: return Vec3{p.shoulderX + 1.5f, p.wristY, 0} * s;
			case ROLE_LTHIGH: return Vec3{-p.hipX, p.hipY, 0} * s;
			case ROLE_RTHIGH: return Vec3{p.hipX, p.hipY, 0} * s;
			case ROLE_LSHIN: return Vec3{-p.hipX, p.kneeY, 0} * s;
			case ROLE_RSHIN: return Vec3{p.hipX, p.kneeY, 0} * s;
			case ROLE_LFOOT: return Vec3{-p.hipX, p.ankleY, 0} * s;
			case ROLE_RFOOT: return Vec3{p.hipX, p.ankleY, 0} * s;
			default: return {};
		}
	}

	Biped Humanoid::AsBiped() const
	{
		Biped b;
		b.root = joint[ROLE_PELVIS];
		b.belly = joint[ROLE_BELLY];
		b.chest = joint[ROLE_CHEST];
		b.head = joint[ROLE_HEAD] >= 0 ? joint[ROLE_HEAD] : joint[ROLE_NECK];
		b.lThigh = joint[ROLE_LTHIGH];
		b.lShin = joint[ROLE_LSHIN];
		b.lFoot = joint[ROLE_LFOOT];
		b.rThigh = joint[ROLE_RTHIGH];
		b.rShin = joint[ROLE_RSHIN];
		b.rFoot = joint[ROLE_RFOOT];
		b.lUpper = joint[ROLE_LUPPER];
		b.lFore = joint[ROLE_LFORE];
		b.rUpper = joint[ROLE_RUPPER];
		b.rFore = joint[ROLE_RFORE];
		return b;
	}

	Humanoid AddHumanoidJoints(Skeleton& s, const Proportions& p, const std::vector<Role>& order)
	{
		if (!s.joints.empty() || order.empty() || order[0] != ROLE_PELVIS)
			throw std::logic_error("AddHumanoidJoints: the pelvis must be the first joint of an empty skeleton");
		Humanoid h;
		h.p = p;
		for (int& j : h.joint)
			j = -1;
		for (Role r : order)
		{
			Role parent = ParentRole(r);
			// A missing parent (a body without a neck) hangs the joint from the one above it.
			while (parent != NUM_ROLES && h.joint[parent] < 0)
				parent = ParentRole(parent);
			if (r != ROLE_PELVIS && parent == NUM_ROLES)
				throw std::logic_error(std::string("AddHumanoidJoints: no parent for ") + RoleName(r));
			h.joint[r] = s.AddJoint(RoleName(r), r == ROLE_PELVIS ? -1 : h.joint[parent], h.Pivot(r));
		}
		return h;
	}

	void AddHumanoidParts(Body& body, const Humanoid& h, const Look& look)
	{
		const float s = h.p.scale, g = look.girth;
		auto P = [&](Role r) { return h.Pivot(r); };
		auto has = [&](Role r) { return h[r] >= 0; };

		// Legs: thigh and shin in trousers, a shoe reaching forward.
		for (int side = 0; side < 2; side++)
		{
			Role thigh = side ? ROLE_RTHIGH : ROLE_LTHIGH, shin = side ? ROLE_RSHIN : ROLE_LSHIN;
			Role foot = side ? ROLE_RFOOT : ROLE_LFOOT;
			if (!has(thigh))
				continue;
			body.Limb(P(thigh), P(shin), 5.2f * s * g, 4.2f * s * g, h[thigh], look.pants);
			body.Limb(P(shin), P(foot) + Vec3{0, 1.5f * s, 0}, 4.0f * s * g, 3.2f * s * g, h[shin], look.pants);
			if (has(foot))
				body.Block(P(foot) + Vec3{0, -2.2f * s, -2.5f * s}, Vec3{6.5f, 5, 12} * s, h[foot], look.shoes, 2 * s);
		}

		// Trunk.
		body.Block(P(ROLE_PELVIS) + Vec3{0, -1, 0} * s, Vec3{17 * g, 9, 11 * g} * s, h[ROLE_PELVIS], look.pants, 3 * s);
		if (has(ROLE_BELLY))
			body.Ball(P(ROLE_BELLY) + Vec3{0, 6, 0} * s, Vec3{8.5f * g, 8, 6.5f * g} * s, h[ROLE_BELLY], look.shirt);
		if (has(ROLE_CHEST))
			body.Block(P(ROLE_CHEST) + Vec3{0, 9, 0} * s, Vec3{22 * g, 19, 11 * g} * s, h[ROLE_CHEST], look.shirt, 4.5f * s);
		if (has(ROLE_NECK))
			body.Limb(P(ROLE_NECK) + Vec3{0, -2, 0} * s, P(ROLE_HEAD) + Vec3{0, 1, 0} * s, 2.6f * s, 2.6f * s, h[ROLE_NECK], look.skin);

		// Head: a skull with eyes and a nose on the front (−z).
		if (has(ROLE_HEAD) && look.head)
		{
			const float hs = look.headSize * s;
			const Vec3 c = P(ROLE_HEAD) + Vec3{0, 9.5f * hs, 0};
			body.Ball(c, Vec3{8, 9.5f, 8.5f} * hs, h[ROLE_HEAD], look.skin);
			for (float x : {-3.0f, 3.0f})
				body.Ball(c + Vec3{x, 1, -7.4f} * hs, Vec3{1.4f, 1.6f, 1.0f} * hs, h[ROLE_HEAD], look.eyes, 6, 3);
			body.Ball(c + Vec3{0, -1.8f, -8.2f} * hs, Vec3{1.3f, 1.6f, 1.5f} * hs, h[ROLE_HEAD], look.skin, 6, 3);
		}

		// Arms: sleeves, forearms, hands.
		for (int side = 0; side < 2; side++)
		{
			Role upper = side ? ROLE_RUPPER : ROLE_LUPPER, fore = side ? ROLE_RFORE : ROLE_LFORE;
			Role hand = side ? ROLE_RHAND : ROLE_LHAND;
			if (!has(upper))
				continue;
			body.Ball(P(upper), Vec3{4.6f, 4.6f, 4.6f} * s * g, h[upper], look.sleeve, 6, 4);
			body.Limb(P(upper) + Vec3{0, -1.5f, 0} * s, P(fore), 3.6f * s * g, 3.1f * s * g, h[upper], look.sleeve);
			body.Limb(P(fore), P(hand), 3.0f * s * g, 2.5f * s * g, h[fore], look.bareArms ? look.skin : look.sleeve);
			if (has(hand))
				body.Ball(P(hand) + Vec3{0, -3.5f, 0} * s, Vec3{2.8f, 4, 2.2f} * s, h[hand], look.skin, 6, 4);
		}
	}
}

namespace Rig
{
	Pose HumanoidHurtPose(const Humanoid& h, float a)
	{
		Pose p;
		p.RotX(h[ROLE_CHEST], 0.4f * a).RotX(h[ROLE_BELLY], 0.15f * a).Move(h[ROLE_PELVIS], Vec3{0, -2, 4} * a * h.p.scale);
		if (h[ROLE_HEAD] >= 0)
			p.RotX(h[ROLE_HEAD], 0.35f * a);
		if (h[ROLE_LUPPER] >= 0)
			p.Rot(h[ROLE_LUPPER], {0.8f * a, 0, -0.7f * a}).Rot(h[ROLE_RUPPER], {0.8f * a, 0, 0.7f * a});
		if (h[ROLE_LTHIGH] >= 0)
			p.RotX(h[ROLE_LTHIGH], 0.3f * a).RotX(h[ROLE_LSHIN], -0.4f * a);
		return p;
	}

	Pose HumanoidCrouch(const Humanoid& h, float d)
	{
		const float leg = (h.p.hipY - h.p.ankleY) * h.p.scale;
		Pose p;
		p.Move(h[ROLE_PELVIS], {0, -0.42f * leg * d, 0}).RotX(h[ROLE_BELLY], -0.3f * d);
		for (Role r : {ROLE_LTHIGH, ROLE_RTHIGH})
			if (h[r] >= 0)
				p.RotX(h[r], 1.1f * d);
		for (Role r : {ROLE_LSHIN, ROLE_RSHIN})
			if (h[r] >= 0)
				p.RotX(h[r], -1.9f * d);
		for (Role r : {ROLE_LFOOT, ROLE_RFOOT})
			if (h[r] >= 0)
				p.RotX(h[r], 0.8f * d);
		return p;
	}

	void AddHumanoidDeath(AnimBuilder anim, const Humanoid& h, bool forward)
	{
		const float leg = (h.p.hipY - h.p.ankleY) * h.p.scale;
		const float dir = forward ? -1.0f : 1.0f;
		Pose buckle = HumanoidCrouch(h, 0.45f);
		if (h[ROLE_HEAD] >= 0)
			buckle.RotX(h[ROLE_HEAD], -0.4f);
		Pose down;
		down.RotX(h[ROLE_PELVIS], 1.5f * dir).Move(h[ROLE_PELVIS], {0, -0.82f * leg, 0.25f * leg * dir});
		if (h[ROLE_LUPPER] >= 0)
			down.RotZ(h[ROLE_LUPPER], -1.3f).RotZ(h[ROLE_RUPPER], 1.0f);
		if (h[ROLE_LTHIGH] >= 0)
			down.RotX(h[ROLE_LTHIGH], 0.25f).RotX(h[ROLE_LSHIN], -0.4f);
		if (h[ROLE_HEAD] >= 0)
			down.RotY(h[ROLE_HEAD], 0.6f);
		anim.Key(0, Pose()).Key(8, buckle, EASE_IN).Key(20, down, EASE_OUT).Key(24, down).Stop(24);
	}

	void AddHumanoidHurt(AnimBuilder anim, const Humanoid& h)
	{
		anim.Key(0, HumanoidHurtPose(h, 0.7f), EASE_INOUT).Key(6, HumanoidHurtPose(h, 1.0f))
			.Key(12, HumanoidHurtPose(h, 0.7f)).Loop(12);
	}

	void AddHumanoidRise(AnimBuilder anim, const Humanoid& h, int ticks)
	{
		Pose low = HumanoidCrouch(h, 1.0f), reach = HumanoidCrouch(h, 0.3f);
		if (h[ROLE_LUPPER] >= 0)
		{
			low.Rot(h[ROLE_LUPPER], {0.8f, 0, 0.3f}).Rot(h[ROLE_RUPPER], {0.8f, 0, -0.3f});
			reach.Rot(h[ROLE_LUPPER], {0.3f, 0, -2.4f}).Rot(h[ROLE_RUPPER], {0.3f, 0, 2.4f});
		}
		anim.Key(0, low).Key(ticks / 2, reach, EASE_OUT).Key(ticks, Pose()).Stop(ticks);
	}
}
