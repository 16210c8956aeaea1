// The robot hero's body mesh, ":Skeletons:Quog.bg3d" (also the data
// folder's marker file), and its joint layout for the rig.
//
// The robot stands on the origin facing -z, its right side toward +x. Every
// vertex carries the number of the joint that moves it (its mesh tag), so a
// rig can bind each decomposed point to exactly one joint: parts of
// different joints never share a vertex position. The hands are not part of
// the body: the game hangs global models 4 … 12 on the wrist joints.
#pragma once

#include "kit/Model.h"

namespace Robot
{
	enum Joint
	{
		PELVIS = 0,				// root
		LEFT_THIGH = 1,			// pivots at the hips, knees and ankles
		LEFT_SHIN = 2,
		LEFT_FOOT = 3,
		RIGHT_THIGH = 4,
		RIGHT_SHIN = 5,
		RIGHT_FOOT = 6,
		BELLY = 7,
		CHEST = 8,
		HEAD = 9,				// pivot at the neck; the nova charge's hand points are in its space
		LEFT_UPPER_ARM = 10,	// pivots at the shoulders, elbows and wrists
		LEFT_FOREARM = 11,
		LEFT_HAND = 12,			// the punching hand
		RIGHT_UPPER_ARM = 13,
		RIGHT_FOREARM = 14,
		RIGHT_HAND = 15,		// the weapon hand
		JETPACK = 16,			// jump-jet thrusters on the back
		NUM_JOINTS = 17
	};

	struct JointInfo
	{
		const char* name;
		int parent;				// -1 for the root
		Kit::Vec3 pivot;		// in model space, reference pose
	};

	extern const JointInfo JOINTS[NUM_JOINTS];

	// Height of the robot's soles (0) to the top of its antenna.
	constexpr float HEIGHT = 206.0f;

	// The head, vertex-coloured, in model space (tags = HEAD).
	Kit::Mesh HeadMesh();

	// The body: one model whose geometries (one per material, all textured so
	// the game can sphere-map them) hold every part, tagged by joint.
	Kit::ModelFile BuildBody();
}
