// Two-legged, two-armed bodies (the humans, the brain aliens and several
// creatures): a joint layout built from roles in any order the game's joint
// numbers need, the standard parts of a body, and the Biped for its gaits.
#pragma once

#include "rig/Body.h"
#include "rig/Motion.h"

#include <vector>

namespace Rig
{
	enum Role
	{
		ROLE_PELVIS, ROLE_BELLY, ROLE_CHEST, ROLE_NECK, ROLE_HEAD,
		ROLE_LUPPER, ROLE_LFORE, ROLE_LHAND, ROLE_RUPPER, ROLE_RFORE, ROLE_RHAND,
		ROLE_LTHIGH, ROLE_LSHIN, ROLE_LFOOT, ROLE_RTHIGH, ROLE_RSHIN, ROLE_RFOOT,
		NUM_ROLES
	};

	const char* RoleName(Role r);
	// The role a role hangs from (NUM_ROLES for the pelvis).
	Role ParentRole(Role r);

	// Pelvis, belly, chest, neck, head, left arm, right arm, left leg, right
	// leg: 17 joints, the head at 4 and the right hand at 10.
	extern const std::vector<Role> STANDARD_ROLE_ORDER;

	struct Proportions
	{
		float hipY = 50, hipX = 6.5f;			// thigh pivots
		float kneeY = 27, ankleY = 5;
		float bellyY = 58, chestY = 72;
		float neckY = 91, headY = 96;			// head pivot: the base of the skull
		float shoulderX = 14, shoulderY = 88;
		float elbowY = 71, wristY = 56;
		float scale = 1;						// applied to every figure above
	};

	struct Humanoid
	{
		int joint[NUM_ROLES];					// −1: the body lacks it
		Proportions p;

		int operator[](Role r) const { return joint[r]; }
		Vec3 Pivot(Role r) const;				// scaled
		Biped AsBiped() const;
	};

	// Adds the joints of `order` (each role once; a role's parent must come
	// earlier) to a skeleton that has none yet; extra joints may follow.
	Humanoid AddHumanoidJoints(Skeleton& s, const Proportions& p, const std::vector<Role>& order = STANDARD_ROLE_ORDER);

	struct Look
	{
		Kit::Rgba skin{236, 188, 150, 255};
		Kit::Rgba shirt{200, 60, 50, 255};
		Kit::Rgba sleeve{200, 60, 50, 255};
		Kit::Rgba pants{60, 80, 150, 255};
		Kit::Rgba shoes{70, 50, 40, 255};
		Kit::Rgba eyes{30, 30, 40, 255};
		float girth = 1;						// fatter or thinner trunk and limbs
		float headSize = 1;
		bool bareArms = false;					// forearms in skin colour
		bool head = true;						// false: the caller builds the head
	};

	// The standard parts: legs, feet, pelvis, trunk, neck, head with eyes and
	// nose, arms and hands.
	void AddHumanoidParts(Body& body, const Humanoid& h, const Look& look);

	// Animation building blocks for humanoid bodies.
	Pose HumanoidHurtPose(const Humanoid& h, float amount);
	// Crouched low (0 … 1), e.g. to rise out of the ground.
	Pose HumanoidCrouch(const Humanoid& h, float depth);
	// A fall backwards to the ground ending in a stop: a death.
	void AddHumanoidDeath(AnimBuilder anim, const Humanoid& h, bool forward = false);
	// Recoiling and shaking it off, looping (the game times the hurt).
	void AddHumanoidHurt(AnimBuilder anim, const Humanoid& h);
	// Rising from a crouch, arms up, ending in a stop.
	void AddHumanoidRise(AnimBuilder anim, const Humanoid& h, int ticks);
}
