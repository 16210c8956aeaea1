// The animation and joint numbers of the jungle's creatures: the giant
// lizard, the venus flytrap, the mantis and the turtle. The game's move
// routines dispatch on them and the baker builds the rigs in this order, so
// the two cannot drift apart. Header only, no dependencies.
#pragma once

enum GiantLizardAnim : int
{
	LIZARD_ANIM_STAND = 0,
	LIZARD_ANIM_WALK,
	LIZARD_ANIM_BREATHE_FIRE,		// Flag[0] while the fire pours
	LIZARD_ANIM_LUNGE,
	LIZARD_ANIM_HOLD,				// the robot in its mouth
	LIZARD_ANIM_SPIT_OUT,			// Flag[0] at the release
	LIZARD_ANIM_HURT,
	LIZARD_ANIM_DEAD,
	LIZARD_ANIM_ROAR,
	NUM_LIZARD_ANIMS
};
enum { LIZARD_JOINT_JAW = 7 };

enum FlytrapAnim : int
{
	FLYTRAP_ANIM_WAIT = 0,
	FLYTRAP_ANIM_SNAP,				// Flag[0] as the jaws close
	FLYTRAP_ANIM_CHEW,				// Flag[0] at the fling
	FLYTRAP_ANIM_BURNING,
	NUM_FLYTRAP_ANIMS
};
enum { FLYTRAP_JOINT_MOUTH = 11 };

enum MantisAnim : int
{
	MANTIS_ANIM_STAND = 0,
	MANTIS_ANIM_WALK,
	MANTIS_ANIM_SPIT,
	MANTIS_ANIM_HURT,
	MANTIS_ANIM_DEAD,
	NUM_MANTIS_ANIMS
};
enum { MANTIS_JOINT_HEAD = 6 };

enum TurtleAnim : int
{
	TURTLE_ANIM_IDLE = 0,
	TURTLE_ANIM_WALK,
	NUM_TURTLE_ANIMS
};
