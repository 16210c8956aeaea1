#include "rig/Rig.h"
#include "3D/SkeletonParse.h"
#include "3D/SkeletonTypes.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace Rig
{
	int Animation::LastTick() const
	{
		int last = 0;
		for (const std::vector<Rig::Key>& track : keys)
			if (!track.empty())
				last = std::max(last, int(track.back().tick));
		return last;
	}

	int Skeleton::AddJoint(const std::string& jointName, int parent, Vec3 pivot)
	{
		joints.push_back({jointName, parent, pivot});
		return int(joints.size()) - 1;
	}

	Vec3 Skeleton::RestOffset(int joint) const
	{
		const Joint& j = joints.at(size_t(joint));
		return j.parent < 0 ? j.pivot : j.pivot - joints.at(size_t(j.parent)).pivot;
	}

	//
	// Poses
	//

	Pose& Pose::Rot(int joint, Vec3 radians)
	{
		rotation[joint] += radians;
		return *this;
	}

	Pose& Pose::Move(int joint, Vec3 offset)
	{
		move[joint] += offset;
		return *this;
	}

	Pose& Pose::ScaleXYZ(int joint, Vec3 factors)
	{
		auto it = scale.find(joint);
		if (it == scale.end())
			scale[joint] = factors;
		else
			it->second = {it->second.x * factors.x, it->second.y * factors.y, it->second.z * factors.z};
		return *this;
	}

	Pose& Pose::Add(const Pose& other)
	{
		for (const auto& [j, r] : other.rotation)
			Rot(j, r);
		for (const auto& [j, m] : other.move)
			Move(j, m);
		for (const auto& [j, s] : other.scale)
			ScaleXYZ(j, s);
		return *this;
	}

	//
	// Animation authoring
	//

	AnimBuilder::AnimBuilder(Skeleton& skeleton, const std::string& name)
		: mSkeleton(skeleton), mIndex(int(skeleton.anims.size()))
	{
		Animation anim;
		anim.name = name;
		anim.keys.resize(skeleton.joints.size());
		skeleton.anims.push_back(std::move(anim));
	}

	AnimBuilder::AnimBuilder(Skeleton& skeleton, int number, const std::string& name) : AnimBuilder(skeleton, name)
	{
		if (mIndex != number)
			throw std::logic_error(skeleton.name + ": animation \"" + name + "\" is built as number " + std::to_string(mIndex)
					+ ", the game plays it as " + std::to_string(number));
	}

	AnimBuilder& AnimBuilder::Key(int tick, const Pose& pose, Ease ease)
	{
		Animation& anim = mSkeleton.anims[size_t(mIndex)];
		for (int j = 0; j < mSkeleton.NumJoints(); j++)
		{
			Rig::Key key;
			key.tick = tick;
			key.ease = ease;
			key.coord = mSkeleton.RestOffset(j);
			if (auto it = pose.move.find(j); it != pose.move.end())
				key.coord += it->second;
			if (auto it = pose.rotation.find(j); it != pose.rotation.end())
				key.rotation = it->second;
			if (auto it = pose.scale.find(j); it != pose.scale.end())
				key.scale = it->second;
			anim.keys[size_t(j)].push_back(key);
		}
		return *this;
	}

	AnimBuilder& AnimBuilder::Event(int tick, uint8_t type, uint8_t value)
	{
		if (tick < 0 || tick > 0xFFFF)
			throw std::logic_error(mSkeleton.name + ": event tick out of range");
		// Kept in time order; events at the same tick in the order given.
		std::vector<Rig::Event>& events = mSkeleton.anims[size_t(mIndex)].events;
		auto at = std::upper_bound(events.begin(), events.end(), tick,
				[](int t, const Rig::Event& e) { return t < int(e.tick); });
		events.insert(at, {uint16_t(tick), type, value});
		return *this;
	}

	AnimBuilder& AnimBuilder::Loop(int tick) { return Event(tick, ANIMEVENT_TYPE_LOOP); }
	AnimBuilder& AnimBuilder::Marker(int tick) { return Event(tick, ANIMEVENT_TYPE_MARKER); }
	AnimBuilder& AnimBuilder::Stop(int tick) { return Event(tick, ANIMEVENT_TYPE_STOP); }
	AnimBuilder& AnimBuilder::ZigZag(int tick) { return Event(tick, ANIMEVENT_TYPE_ZIGZAG); }
	AnimBuilder& AnimBuilder::SetFlag(int tick, int flag) { return Event(tick, ANIMEVENT_TYPE_SETFLAG, uint8_t(flag)); }
	AnimBuilder& AnimBuilder::ClearFlag(int tick, int flag) { return Event(tick, ANIMEVENT_TYPE_CLEARFLAG, uint8_t(flag)); }
	AnimBuilder& AnimBuilder::Sound(int tick, uint8_t value) { return Event(tick, ANIMEVENT_TYPE_PLAYSOUND, value); }
	AnimBuilder& AnimBuilder::Pause(int tick, int ticks) { return Event(tick, ANIMEVENT_TYPE_PAUSE, uint8_t(ticks)); }

	//
	// Validation
	//

	void Validate(const Skeleton& s)
	{
		auto fail = [&](const std::string& what) { throw std::logic_error("rig " + s.name + ": " + what); };

		const int n = s.NumJoints();
		if (n < 1 || n > MAX_JOINTS)
			fail("needs 1 to 20 joints");
		if (s.joints[0].parent != -1)
			fail("joint 0 must be the root");
		for (int j = 1; j < n; j++)
			if (s.joints[size_t(j)].parent < 0 || s.joints[size_t(j)].parent >= j)
				fail("joint " + s.joints[size_t(j)].name + " must hang from an earlier joint");

		if (s.model.models.size() != 1)
			fail("the mesh file must hold exactly one model");
		Kit::ForEachGeometry(s.model.models[0], [&](const Kit::Node& g) {
			for (int tag : g.mesh.tags)
				if (tag < 0 || tag >= n)
					fail("a vertex is tagged with joint " + std::to_string(tag));
		});

		if (s.anims.empty() || s.anims.size() > size_t(MAX_ANIMS))
			fail("needs 1 to 40 animations");
		for (const Animation& a : s.anims)
		{
			const std::string where = "animation " + a.name;
			if (a.keys.size() != size_t(n))
				fail(where + ": keys for every joint");
			for (const std::vector<Key>& track : a.keys)
			{
				if (track.empty() || track.size() > size_t(MAX_KEYFRAMES))
					fail(where + ": 1 to 15 keys per joint");
				for (size_t k = 1; k < track.size(); k++)
					if (track[k].tick <= track[k - 1].tick)
						fail(where + ": keys must rise in time");
			}
			if (a.events.size() > size_t(MAX_ANIM_EVENTS))
				fail(where + ": more than 30 events");
			for (size_t e = 0; e < a.events.size(); e++)
			{
				const Event& ev = a.events[e];
				if (e > 0 && ev.tick < a.events[e - 1].tick)
					fail(where + ": events must be in time order");
				if ((ev.type == ANIMEVENT_TYPE_SETFLAG || ev.type == ANIMEVENT_TYPE_CLEARFLAG) && ev.value >= 5)
					fail(where + ": flag number above 4");
			}
		}
	}
}
