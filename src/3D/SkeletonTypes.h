// The skeleton types of the game: their files, and the animation, joint and
// event numbers the game code relies on. The content baker builds every rig
// from these same numbers, so the two cannot drift apart. Header only.
#pragma once

#include <cstdint>

enum SkeletonType : int
{
	SKELETON_TYPE_QUOG = 0,				// the robot hero
	SKELETON_TYPE_FARMER,
	SKELETON_TYPE_BRAINALIEN,
	SKELETON_TYPE_ONION,
	SKELETON_TYPE_CORN,
	SKELETON_TYPE_TOMATO,
	SKELETON_TYPE_BLOB,
	SKELETON_TYPE_SLIMETREE,
	SKELETON_TYPE_BEEWOMAN,
	SKELETON_TYPE_SQUOOSHY,
	SKELETON_TYPE_FLAMESTER,
	SKELETON_TYPE_GIANTLIZARD,
	SKELETON_TYPE_VENUSFLYTRAP,
	SKELETON_TYPE_MANTIS,
	SKELETON_TYPE_TURTLE,
	SKELETON_TYPE_PODWORM,
	SKELETON_TYPE_MUTANT,
	SKELETON_TYPE_MUTANTROBOT,
	SKELETON_TYPE_SCIENTIST,
	SKELETON_TYPE_PITCHERPLANT,
	SKELETON_TYPE_CLOWN,
	SKELETON_TYPE_CLOWNFISH,
	SKELETON_TYPE_STRONGMAN,
	SKELETON_TYPE_SKIRTLADY,
	SKELETON_TYPE_ICECUBE,
	SKELETON_TYPE_ELITEBRAINALIEN,
	MAX_SKELETON_TYPES
};

// The base name of each type's files in the Skeletons folder: "<name>.skeleton"
// (resource fork only) and its mesh "<name>.bg3d".
constexpr const char* SKELETON_FILE_NAMES[MAX_SKELETON_TYPES] =
{
	"Quog", "Farmer", "BrainAlien", "Onion", "Corn", "Tomato", "Blob", "SlimeTree", "BeeWoman",
	"Squooshy", "Flamester", "GiantLizard", "VenusFlytrap", "Mantis", "Turtle", "PodWorm", "Mutant",
	"MutantRobot", "Scientist", "PitcherPlant", "Clown", "ClownFish", "StrongMan", "SkirtLady",
	"IceCube", "EliteBrainAlien",
};

// Animation event types and the values of sound events.
enum : uint8_t
{
	ANIMEVENT_TYPE_STOP = 0,
	ANIMEVENT_TYPE_LOOP = 1,
	ANIMEVENT_TYPE_ZIGZAG = 2,
	ANIMEVENT_TYPE_MARKER = 4,
	ANIMEVENT_TYPE_PLAYSOUND = 5,
	ANIMEVENT_TYPE_SETFLAG = 6,
	ANIMEVENT_TYPE_CLEARFLAG = 7,
	ANIMEVENT_TYPE_PAUSE = 8,
};

enum : uint8_t
{
	ANIMSOUND_SWOOSH = 0,				// effect 58, slightly random pitch
	ANIMSOUND_LEFT_FOOT = 3,			// the hero's footsteps (a giant's stomp when big)
	ANIMSOUND_RIGHT_FOOT = 4,
	ANIMSOUND_PITCHER_PUKE = 5,
	ANIMSOUND_FLYTRAP = 6,
};

//
// The robot hero (type 0)
//
enum PlayerAnim : int
{
	PLAYER_ANIM_STAND = 0,
	PLAYER_ANIM_WALK,
	PLAYER_ANIM_WALKWITHGUN,
	PLAYER_ANIM_STANDWITHGUN,
	PLAYER_ANIM_PUNCH,					// Flag[0] when the fist lands
	PLAYER_ANIM_PICKUPLOW,				// Flag[0] when the hands close
	PLAYER_ANIM_PICKUP,					// Flag[0] when the hands close
	PLAYER_ANIM_GRABBED,				// held by a giant lizard
	PLAYER_ANIM_GETUP,
	PLAYER_ANIM_CHARGING,				// the nova charge
	PLAYER_ANIM_JUMPJET,
	PLAYER_ANIM_JUMP,
	PLAYER_ANIM_FALL,
	PLAYER_ANIM_ZAPPED,					// death countdown
	PLAYER_ANIM_DEATH,
	PLAYER_ANIM_GOTHIT,
	PLAYER_ANIM_FLATTENED,				// stunned
	PLAYER_ANIM_CHANGEWEAPON,			// Flag[0] at the swap
	PLAYER_ANIM_BUBBLE,
	PLAYER_ANIM_CARRY,					// tow handle
	PLAYER_ANIM_BEAMEDUP,
	PLAYER_ANIM_GIANTJUMPJET,
	PLAYER_ANIM_THROWN,
	PLAYER_ANIM_FLYTRAPPED,
	PLAYER_ANIM_GROWTH,
	PLAYER_ANIM_ZIPLINE,
	PLAYER_ANIM_INCANNON,
	PLAYER_ANIM_SHOTFROMCANNON,
	PLAYER_ANIM_BUMPERCAR,
	PLAYER_ANIM_STRONGMANHELD,
	PLAYER_ANIM_THROWDART,				// Flag[0] at the release
	PLAYER_ANIM_ROCKETSLED,
	PLAYER_ANIM_WALKALT,
	PLAYER_ANIM_HELDALT,
	PLAYER_ANIM_SKID,
	PLAYER_ANIM_SWIM,					// in water deep enough to swim in
	NUM_PLAYER_ANIMS
};

enum
{
	PLAYER_JOINT_LEFT_FOOT = 3,			// the jump jet's flame leaves the soles
	PLAYER_JOINT_RIGHT_FOOT = 6,
	PLAYER_JOINT_HEAD = 9,				// the nova charge's hand points are in its space
	PLAYER_JOINT_LEFT_HAND = 12,		// the punching hand
	PLAYER_JOINT_RIGHT_HAND = 15,		// the weapon hand: muzzle and dart origin
	PLAYER_MIN_JOINTS = 16,
};

//
// The humans (types 1, 8, 18, 23)
//
enum HumanAnim : int
{
	HUMAN_ANIM_STAND = 0,
	HUMAN_ANIM_WALK,
	HUMAN_ANIM_BEAMED,					// rising into the saucer
	HUMAN_ANIM_TELEPORT,
	NUM_HUMAN_ANIMS
};

//
// The brain aliens (types 2 and 25)
//
enum BrainAlienAnim : int
{
	BRAINALIEN_ANIM_STAND = 0,
	BRAINALIEN_ANIM_WALK,
	BRAINALIEN_ANIM_DEATH,
	BRAINALIEN_ANIM_ZAP,
	BRAINALIEN_ANIM_HIT,
	BRAINALIEN_ANIM_RUN,
	BRAINALIEN_ANIM_BITE,
	NUM_BRAINALIEN_ANIMS
};

enum { BRAINALIEN_JOINT_HEAD = 4 };

//
// What the code asks of each type: the animations it switches to (at least
// this many) and the joints it reads (at least this many).
//
struct SkeletonNeeds
{
	int minAnims;
	int minJoints;
};

constexpr SkeletonNeeds SKELETON_NEEDS[MAX_SKELETON_TYPES] =
{
	{NUM_PLAYER_ANIMS, PLAYER_MIN_JOINTS},	// Quog
	{NUM_HUMAN_ANIMS, 1},					// Farmer
	{NUM_BRAINALIEN_ANIMS, 5},				// BrainAlien: head 4
	{6, 11},								// Onion: stand, walk, hurt, grab, crush, grow; joint 10 holds the robot
	{4, 1},									// Corn: stand, walk, hurt, rise
	{5, 1},									// Tomato: stand, walk, stop, leap (Flag[0]), grow; eye glints on joint 0
	{1, 1},									// Blob
	{1, 1},									// SlimeTree
	{NUM_HUMAN_ANIMS, 1},					// BeeWoman
	{6, 2},									// Squooshy: stand, hop, hurt, land, spit, dead; glob from joint 1
	{3, 4},									// Flamester: stand, walk, spin; eye glints on joint 3
	{9, 8},									// GiantLizard: stand … roar; mouth 7; Flag[0] fire, Flag[1] hold
	{4, 12},								// VenusFlytrap: wait, snap, chew, burn; mouth 11
	{5, 7},									// Mantis: stand, walk, spit, hurt, dead; acid from joint 6
	{2, 1},									// Turtle: walk is 1
	{1, 2},									// PodWorm: joints driven along a path
	{5, 11},								// Mutant: stand, walk, punch (Flag[0]), hurt, grow; fist 10
	{6, 16},								// MutantRobot: stand, walk, -, shoot, hurt, run; muzzle 4, exhaust 15
	{NUM_HUMAN_ANIMS, 1},					// Scientist
	{4, 1},									// PitcherPlant: idle, attack (Flag[0], Flag[1]), hurt, spare
	{4, 17},								// Clown: stand, walk, blow (Flag[0]), hurt; bubble mouth 16
	{1, 1},									// ClownFish: the bomb hangs on joint 0
	{4, 2},									// StrongMan: stand, walk, lift and throw (Flag[0]), hurt; joint 1 holds the robot
	{NUM_HUMAN_ANIMS, 1},					// SkirtLady
	{4, 16},								// IceCube: stand, walk, throw (Flag[0]), hurt; eyes 3, hand 15
	{NUM_BRAINALIEN_ANIMS, 5},				// EliteBrainAlien
};
