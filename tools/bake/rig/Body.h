// Building a rig's mesh from parts: each part is a primitive placed in model
// space, coloured, and tagged with the joint that moves it. Parts of
// different joints must not share a vertex position (the loader binds each
// position to one joint), so limbs stop just short of their end points.
#pragma once

#include "rig/Rig.h"

#include <vector>

namespace Rig
{
	class Body
	{
	public:
		// A body with one textured material: a faint surface painted over by
		// vertex colours (so every geometry can take a sphere map).
		explicit Body(uint32_t textureSeed);

		// Adds a part: colours it, tags it and returns it for chaining.
		void Add(Kit::Mesh part, int joint, Kit::Rgba color, bool accent = false);

		// A tapered, capped tube from `from` to `to` (radii r0, r1).
		void Limb(Vec3 from, Vec3 to, float r0, float r1, int joint, Kit::Rgba color, int segments = 6);
		// An ellipsoid with radii `size` at `at`.
		void Ball(Vec3 at, Vec3 size, int joint, Kit::Rgba color, int segments = 8, int rings = 5);
		// A box (rounded when `radius` > 0).
		void Block(Vec3 at, Vec3 size, int joint, Kit::Rgba color, float radius = 0);
		// A cone pointing along `dir` from its base centre `at`.
		void Spike(Vec3 at, Vec3 dir, float radius, float length, int joint, Kit::Rgba color, int segments = 6);

		// The model file: the body and, separately, its accent parts (a second
		// geometry, e.g. for eyes or glowing bits).
		Kit::ModelFile Build(const std::string& name) const;

	private:
		Kit::Mesh mMain, mAccent;
		uint32_t mSeed;
	};

	// A mesh standing from `from` to `to` (its local +y along the segment).
	Kit::Mesh AlongSegment(Kit::Mesh mesh, float length, Vec3 from, Vec3 to);
}
