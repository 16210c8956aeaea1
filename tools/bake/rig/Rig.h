// The rig kit: skeletons for the game's animated characters. A rig is a joint
// hierarchy (pivots in model space, the reference pose), a mesh whose every
// vertex is tagged with the joint that moves it, and animations: per-joint
// keyframes (translation relative to the parent, rotation, scale, each with
// an ease) and events. SkeletonWriter turns a rig into the game's files.
//
// Conventions: y is up, a character faces -z with its left side toward -x.
// Rotations are radians about x, y, z applied in that order. Time is in
// animation ticks, 30 a second.
#pragma once

#include "kit/Model.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Rig
{
	using Kit::Vec3;

	// Easing of the segment that starts at a key.
	enum Ease : int32_t
	{
		EASE_LINEAR = 0,
		EASE_INOUT = 1,		// slow start and end
		EASE_OUT = 2,		// fast start, slow end
		EASE_IN = 3,		// slow start, fast end
	};

	struct Joint
	{
		std::string name;
		int parent;			// −1 for the root, which is joint 0
		Vec3 pivot;			// model space, reference pose
	};

	struct Key
	{
		int32_t tick = 0;
		int32_t ease = EASE_INOUT;
		Vec3 coord;				// translation relative to the parent joint
		Vec3 rotation;
		Vec3 scale{1, 1, 1};
	};

	struct Event
	{
		uint16_t tick;
		uint8_t type;
		uint8_t value;
	};

	struct Animation
	{
		std::string name;
		std::vector<std::vector<Key>> keys;		// [joint], ascending ticks
		std::vector<Event> events;				// ascending ticks (AnimBuilder keeps them so)
		int LastTick() const;
	};

	struct Skeleton
	{
		std::string name;					// file base name: "<name>.skeleton", "<name>.bg3d"
		std::vector<Joint> joints;
		Kit::ModelFile model;				// one model; vertex tags are joint numbers
		bool writeModel = true;				// false when another bake step writes the mesh
		std::vector<Animation> anims;

		int AddJoint(const std::string& jointName, int parent, Vec3 pivot);
		// Translation of a joint relative to its parent in the reference pose.
		Vec3 RestOffset(int joint) const;
		int NumJoints() const { return int(joints.size()); }
	};

	// A pose as offsets from the reference pose: joints not named keep it.
	struct Pose
	{
		std::map<int, Vec3> rotation;
		std::map<int, Vec3> move;		// added to the joint's rest offset
		std::map<int, Vec3> scale;

		Pose& Rot(int joint, Vec3 radians);
		Pose& RotX(int joint, float radians) { return Rot(joint, {radians, 0, 0}); }
		Pose& RotY(int joint, float radians) { return Rot(joint, {0, radians, 0}); }
		Pose& RotZ(int joint, float radians) { return Rot(joint, {0, 0, radians}); }
		Pose& Move(int joint, Vec3 offset);
		Pose& Scale(int joint, float uniform) { return ScaleXYZ(joint, {uniform, uniform, uniform}); }
		Pose& ScaleXYZ(int joint, Vec3 factors);
		// Adds another pose's offsets to this one (rotations and moves add, scales multiply).
		Pose& Add(const Pose& other);
	};

	// Builds one animation of a skeleton. Every Key keys every joint, so all
	// joints share the same ticks (at most 15 keys per animation).
	class AnimBuilder
	{
	public:
		AnimBuilder(Skeleton& skeleton, const std::string& name);
		// The same for the animation the game knows as `number` (its skeleton
		// header's enum): the rig must build its animations in that order, and
		// throws std::logic_error when this one would not land at `number`.
		AnimBuilder(Skeleton& skeleton, int number, const std::string& name);

		AnimBuilder& Key(int tick, const Pose& pose, Ease ease = EASE_INOUT);
		AnimBuilder& Event(int tick, uint8_t type, uint8_t value = 0);

		AnimBuilder& Loop(int tick);					// back to tick 0 (or the marker)
		AnimBuilder& Marker(int tick);				// where later loops return to
		AnimBuilder& Stop(int tick);
		AnimBuilder& ZigZag(int tick);
		AnimBuilder& SetFlag(int tick, int flag);
		AnimBuilder& ClearFlag(int tick, int flag);
		AnimBuilder& Sound(int tick, uint8_t value);
		AnimBuilder& Pause(int tick, int ticks);

		int Index() const { return mIndex; }

	private:
		Skeleton& mSkeleton;
		int mIndex;
	};

	// Checks a rig against the game's limits and its own consistency (tree,
	// tags, ticks, events). Throws std::logic_error naming the fault.
	void Validate(const Skeleton& skeleton);
}
