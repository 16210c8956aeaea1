// The baked rigs against the game's skeleton headers: every animation the
// game plays by number is the rig's animation of that number (a rig that
// built them in another order would play a walk for a punch), a type whose
// header counts its animations has exactly that many, and the joints the
// game reads are the rig's joints of those numbers.
#include "skeletons/BakeSkeletons.h"
#include "3D/SkeletonTypes.h"
#include "Enemies/Blobs.h"
#include "Enemies/CityCreatures.h"
#include "Enemies/CloudCreatures.h"
#include "Enemies/FarmCreatures.h"
#include "Enemies/FireIceCreatures.h"
#include "Enemies/JungleBoss.h"
#include "Enemies/JungleSkeletons.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

namespace
{
	constexpr int NO_COUNT = -1;		// the header names animations but does not count them

	struct RigNumbers
	{
		int type;
		int numAnims;
		std::vector<std::pair<int, const char*>> anims;		// game number, the rig's name for it
		std::vector<std::pair<int, const char*>> joints;
	};

	const std::vector<RigNumbers>& Table()
	{
		static const std::vector<RigNumbers> table = {
			{SKELETON_TYPE_QUOG, NUM_PLAYER_ANIMS,
				{{PLAYER_ANIM_STAND, "stand"}, {PLAYER_ANIM_WALKWITHGUN, "walk with weapon"}, {PLAYER_ANIM_PUNCH, "punch"},
					{PLAYER_ANIM_PICKUP, "pick up"}, {PLAYER_ANIM_JUMPJET, "jump jet"}, {PLAYER_ANIM_FLATTENED, "flattened"},
					{PLAYER_ANIM_CHANGEWEAPON, "change weapon"}, {PLAYER_ANIM_CARRY, "carry"}, {PLAYER_ANIM_ZIPLINE, "zip line"},
					{PLAYER_ANIM_THROWDART, "throw dart"}, {PLAYER_ANIM_ROCKETSLED, "rocket sled"}, {PLAYER_ANIM_SKID, "skid"},
					{PLAYER_ANIM_SWIM, "swim"}},
				{}},
			{SKELETON_TYPE_FARMER, NUM_HUMAN_ANIMS,
				{{HUMAN_ANIM_STAND, "stand"}, {HUMAN_ANIM_WALK, "walk"}, {HUMAN_ANIM_BEAMED, "beamed"}, {HUMAN_ANIM_TELEPORT, "teleport"}}, {}},
			{SKELETON_TYPE_SKIRTLADY, NUM_HUMAN_ANIMS, {{HUMAN_ANIM_TELEPORT, "teleport"}}, {}},
			{SKELETON_TYPE_BRAINALIEN, NUM_BRAINALIEN_ANIMS,
				{{BRAINALIEN_ANIM_STAND, "stand"}, {BRAINALIEN_ANIM_DEATH, "death"}, {BRAINALIEN_ANIM_ZAP, "zap"},
					{BRAINALIEN_ANIM_RUN, "run"}, {BRAINALIEN_ANIM_BITE, "bite"}},
				{}},
			{SKELETON_TYPE_ELITEBRAINALIEN, NUM_BRAINALIEN_ANIMS, {{BRAINALIEN_ANIM_BITE, "bite"}}, {}},
			{SKELETON_TYPE_ONION, NUM_ONION_ANIMS,
				{{ONION_ANIM_HURT, "hurt"}, {ONION_ANIM_GRAB, "grab"}, {ONION_ANIM_CRUSH, "crush"}, {ONION_ANIM_GROW, "grow"}}, {}},
			{SKELETON_TYPE_CORN, NUM_CORN_ANIMS, {{CORN_ANIM_HURT, "hurt"}, {CORN_ANIM_GROW, "grow"}}, {}},
			{SKELETON_TYPE_TOMATO, NUM_TOMATO_ANIMS,
				{{TOMATO_ANIM_ROLL, "rolling stop"}, {TOMATO_ANIM_LEAP, "leap"}, {TOMATO_ANIM_GROW, "grow"}}, {}},
			{SKELETON_TYPE_BLOB, NUM_BLOB_ANIMS,
				{{BLOB_ANIM_WOBBLE, "wobble"}, {BLOB_ANIM_SQUISH, "squish"}, {BLOB_ANIM_LUNGE, "lunge"}, {BLOB_ANIM_SPLAT, "splat"}}, {}},
			{SKELETON_TYPE_SQUOOSHY, NO_COUNT,
				{{SQUOOSHY_ANIM_HOP, "hop"}, {SQUOOSHY_ANIM_LAND, "land"}, {SQUOOSHY_ANIM_SPIT, "spit"}, {SQUOOSHY_ANIM_DEAD, "dead"}},
				{{SQUOOSHY_JOINT_MOUTH, "mouth"}}},
			{SKELETON_TYPE_FLAMESTER, NO_COUNT, {{FLAMESTER_ANIM_WALK, "walk"}, {FLAMESTER_ANIM_SPIN, "spin"}}, {}},
			{SKELETON_TYPE_ICECUBE, NO_COUNT, {{ICECUBE_ANIM_THROW, "throw"}, {ICECUBE_ANIM_HURT, "hurt"}}, {}},
			{SKELETON_TYPE_GIANTLIZARD, NUM_LIZARD_ANIMS,
				{{LIZARD_ANIM_BREATHE_FIRE, "breathe fire"}, {LIZARD_ANIM_LUNGE, "lunge"}, {LIZARD_ANIM_HOLD, "hold"},
					{LIZARD_ANIM_SPIT_OUT, "spit out"}, {LIZARD_ANIM_DEAD, "dead"}, {LIZARD_ANIM_ROAR, "roar"}},
				{{LIZARD_JOINT_JAW, "jaw"}}},
			{SKELETON_TYPE_VENUSFLYTRAP, NUM_FLYTRAP_ANIMS,
				{{FLYTRAP_ANIM_WAIT, "wait"}, {FLYTRAP_ANIM_SNAP, "snap"}, {FLYTRAP_ANIM_CHEW, "chew"}, {FLYTRAP_ANIM_BURNING, "burning"}},
				{{FLYTRAP_JOINT_MOUTH, "mouth"}}},
			{SKELETON_TYPE_MANTIS, NUM_MANTIS_ANIMS, {{MANTIS_ANIM_SPIT, "spit"}, {MANTIS_ANIM_DEAD, "dead"}},
				{{MANTIS_JOINT_HEAD, "head"}}},
			{SKELETON_TYPE_TURTLE, NUM_TURTLE_ANIMS, {{TURTLE_ANIM_WALK, "walk"}}, {}},
			{SKELETON_TYPE_PITCHERPLANT, NO_COUNT,
				{{PITCHER_ANIM_IDLE, "idle"}, {PITCHER_ANIM_ATTACK, "attack"}, {PITCHER_ANIM_HURT, "hurt"}}, {}},
			{SKELETON_TYPE_MUTANT, NUM_MUTANT_ANIMS, {{MUTANT_ANIM_PUNCH, "punch"}, {MUTANT_ANIM_GROW, "grow"}}, {}},
			{SKELETON_TYPE_MUTANTROBOT, NUM_MUTANTROBOT_ANIMS,
				{{MUTANTROBOT_ANIM_AIM, "stand aiming"}, {MUTANTROBOT_ANIM_SHOOT, "shoot"}, {MUTANTROBOT_ANIM_RUN, "run"}},
				{{MUTANTROBOT_JOINT_CANNON, "cannon"}, {MUTANTROBOT_JOINT_EXHAUST, "exhaust"}}},
			{SKELETON_TYPE_CLOWN, NUM_CLOWN_ANIMS, {{CLOWN_ANIM_BLOW, "blow"}, {CLOWN_ANIM_HURT, "hurt"}},
				{{CLOWN_JOINT_MOUTH, "mouth"}}},
			{SKELETON_TYPE_CLOWNFISH, NO_COUNT, {}, {{CLOWNFISH_JOINT_BOMB, "body"}}},
			{SKELETON_TYPE_STRONGMAN, NUM_STRONGMAN_ANIMS, {{STRONGMAN_ANIM_LIFT, "lift and throw"}, {STRONGMAN_ANIM_HURT, "hurt"}}, {}},
		};
		return table;
	}
}

TEST(RigGameNumbers, EachAnimationTheGamePlaysByNumberIsTheRigsOfThatNumber)
{
	for (const RigNumbers& row : Table())
	{
		const Rig::Skeleton rig = Skeletons::BuildRig(row.type);
		SCOPED_TRACE(rig.name);
		if (row.numAnims != NO_COUNT)
			EXPECT_EQ(int(rig.anims.size()), row.numAnims);
		for (const auto& [number, name] : row.anims)
		{
			ASSERT_LT(number, int(rig.anims.size()));
			EXPECT_EQ(rig.anims[size_t(number)].name, name) << "animation " << number;
		}
		for (const auto& [number, name] : row.joints)
		{
			ASSERT_LT(number, rig.NumJoints());
			EXPECT_EQ(rig.joints[size_t(number)].name, name) << "joint " << number;
		}
	}
}

TEST(RigGameNumbers, ARigBuildingAnAnimationOutOfTheGamesOrderStopsTheBake)
{
	Rig::Skeleton s;
	s.name = "test";
	s.AddJoint("root", -1, {0, 0, 0});
	Rig::AnimBuilder(s, HUMAN_ANIM_STAND, "stand");
	EXPECT_THROW(Rig::AnimBuilder(s, HUMAN_ANIM_BEAMED, "beamed"), std::logic_error);
}
