#include "3D/SkeletonParse.h"
#include "DataReaders.h"
#include "PlatformTypes.h"

#include <bit>
#include <cstdarg>
#include <cstdio>

namespace
{
	constexpr uint32_t RES_HEADER = SKELETON_RES_HEADER;
	constexpr uint32_t RES_BONE = SKELETON_RES_BONE;
	constexpr uint32_t RES_BONE_POINTS = SKELETON_RES_BONE_POINTS;
	constexpr uint32_t RES_BONE_NORMALS = SKELETON_RES_BONE_NORMALS;
	constexpr uint32_t RES_REL_POINTS = SKELETON_RES_REL_POINTS;
	constexpr uint32_t RES_ANIM_HEADER = SKELETON_RES_ANIM_HEADER;
	constexpr uint32_t RES_EVENTS = SKELETON_RES_EVENTS;
	constexpr uint32_t RES_NUM_KEYFRAMES = SKELETON_RES_NUM_KEYFRAMES;
	constexpr uint32_t RES_KEYFRAMES = SKELETON_RES_KEYFRAMES;

	using Bytes = std::vector<uint8_t>;

	bool Fail(std::string* error, const std::string& message)
	{
		if (error)
			*error = message;
		return false;
	}

	std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
	std::string Format(const char* format, ...)
	{
		char text[256];
		va_list args;
		va_start(args, format);
		vsnprintf(text, sizeof(text), format, args);
		va_end(args);
		return text;
	}

	// Fetches a resource that must exist and hold at least `minSize` bytes.
	bool Fetch(const SkeletonResourceGetter& get, uint32_t type, int16_t id, size_t minSize,
			const char* missingMessage, Bytes* bytes, std::string* error)
	{
		bytes->clear();
		if (!get(type, id, bytes))
			return Fail(error, missingMessage);
		if (bytes->size() < minSize)
			return Fail(error, Format("ReadDataFromSkeletonFile: '%s' %d holds %zu bytes, needs %zu",
					FourCCString(type).c_str(), id, bytes->size(), minSize));
		return true;
	}

	float PeekBEFloat(const uint8_t* p)
	{
		return std::bit_cast<float>(PeekBEU32(p));
	}

	OGLPoint3D PeekPoint(const uint8_t* p)
	{
		return {PeekBEFloat(p), PeekBEFloat(p + 4), PeekBEFloat(p + 8)};
	}

	bool ReadIndexList(const SkeletonResourceGetter& get, uint32_t type, int16_t id, size_t count, int limit,
			const char* missingMessage, const char* what, std::vector<uint16_t>* list, std::string* error)
	{
		Bytes bytes;
		if (!Fetch(get, type, id, 2 * count, missingMessage, &bytes, error))
			return false;
		list->resize(count);
		for (size_t i = 0; i < count; i++)
		{
			uint16_t index = PeekBEU16(&bytes[2 * i]);
			if (int(index) >= limit)
				return Fail(error, Format("ReadDataFromSkeletonFile: '%s' %d lists %s %u of only %d",
						FourCCString(type).c_str(), id, what, index, limit));
			(*list)[i] = index;
		}
		return true;
	}

	bool ReadBones(const SkeletonResourceGetter& get, int numPoints, int numNormals, SkeletonFileData* out, std::string* error)
	{
		out->bones.assign(size_t(out->numJoints), ParsedBone{});
		Bytes bytes;
		for (int j = 0; j < out->numJoints; j++)
		{
			const int16_t id = JointResourceID(j);
			if (!Fetch(get, RES_BONE, id, SKELETON_BONE_SIZE, "Error reading Bone resource!", &bytes, error))
				return false;
			ParsedBone& bone = out->bones[size_t(j)];
			bone.parentBone = int32_t(PeekBEU32(&bytes[0]));
			bone.coord = PeekPoint(&bytes[36]);
			const size_t pointCount = PeekBEU16(&bytes[48]);
			const size_t normalCount = PeekBEU16(&bytes[50]);

			if (!ReadIndexList(get, RES_BONE_POINTS, id, pointCount, numPoints, "Error reading BonP resource!",
					"point", &bone.pointList, error))
				return false;
			if (!ReadIndexList(get, RES_BONE_NORMALS, id, normalCount, numNormals, "Error reading BonN resource!",
					"normal", &bone.normalList, error))
				return false;
		}
		return true;
	}

	bool ReadRelativePoints(const SkeletonResourceGetter& get, int numPoints, SkeletonFileData* out, std::string* error)
	{
		Bytes bytes;
		if (!Fetch(get, RES_REL_POINTS, SKELETON_RES_ID, 0, "Error reading RelP resource!", &bytes, error))
			return false;
		if (bytes.size() / SKELETON_REL_POINT_SIZE != size_t(numPoints))
			return Fail(error, "# of points in Reference Model has changed!");
		out->boneRelPoints.resize(size_t(numPoints));
		for (int i = 0; i < numPoints; i++)
			out->boneRelPoints[size_t(i)] = PeekPoint(&bytes[SKELETON_REL_POINT_SIZE * size_t(i)]);
		return true;
	}

	// Events and the keyframe counts of every joint, per animation.
	bool ReadAnimHeaders(const SkeletonResourceGetter& get, SkeletonFileData* out,
			std::vector<Bytes>* keyframeCounts, std::string* error)
	{
		out->events.assign(size_t(out->numAnims), {});
		keyframeCounts->assign(size_t(out->numAnims), {});
		Bytes bytes;
		for (int a = 0; a < out->numAnims; a++)
		{
			const int16_t id = AnimResourceID(a);
			if (!Fetch(get, RES_ANIM_HEADER, id, SKELETON_ANIM_HEADER_SIZE, "Error getting anim header resource", &bytes, error))
				return false;
			const size_t numEvents = bytes[35];		// the low byte of the count
			if (numEvents > size_t(MAX_ANIM_EVENTS))
				return Fail(error, Format("ReadDataFromSkeletonFile: animation %d has %zu events, more than %d",
						a, numEvents, MAX_ANIM_EVENTS));

			if (!Fetch(get, RES_EVENTS, id, SKELETON_EVENT_SIZE * numEvents, "Error reading anim-event data resource!", &bytes, error))
				return false;
			std::vector<AnimEventType>& events = out->events[size_t(a)];
			events.resize(numEvents);
			for (size_t e = 0; e < numEvents; e++)
			{
				const uint8_t* p = &bytes[SKELETON_EVENT_SIZE * e];
				events[e] = {PeekBEU16(p), p[2], p[3]};
			}

			if (!Fetch(get, RES_NUM_KEYFRAMES, id, size_t(out->numJoints), "Error reading # keyframes/joint resource!",
					&(*keyframeCounts)[size_t(a)], error))
				return false;
		}
		return true;
	}

	bool ReadKeyframes(const SkeletonResourceGetter& get, const std::vector<Bytes>& keyframeCounts,
			SkeletonFileData* out, std::string* error)
	{
		out->keyframes.assign(size_t(out->numJoints), std::vector<std::vector<JointKeyframeType>>(size_t(out->numAnims)));
		Bytes bytes;
		for (int j = 0; j < out->numJoints; j++)
			for (int a = 0; a < out->numAnims; a++)
			{
				const size_t count = keyframeCounts[size_t(a)][size_t(j)];
				if (count > size_t(MAX_KEYFRAMES))
					return Fail(error, "Error: numKeyframes > MAX_KEYFRAMES");
				if (!Fetch(get, RES_KEYFRAMES, KeyframeResourceID(a, j), SKELETON_KEYFRAME_SIZE * count,
						"Error reading joint keyframes resource!", &bytes, error))
					return false;
				std::vector<JointKeyframeType>& keys = out->keyframes[size_t(j)][size_t(a)];
				keys.resize(count);
				for (size_t k = 0; k < count; k++)
				{
					const uint8_t* p = &bytes[SKELETON_KEYFRAME_SIZE * k];
					JointKeyframeType& key = keys[k];
					key.tick = int32_t(PeekBEU32(p));
					key.accelerationMode = int32_t(PeekBEU32(p + 4));
					key.coord = PeekPoint(p + 8);
					OGLPoint3D r = PeekPoint(p + 20), s = PeekPoint(p + 32);
					key.rotation = {r.x, r.y, r.z};
					key.scale = {s.x, s.y, s.z};
				}
			}
		return true;
	}

	// One root (joint 0), every other parent an existing joint, no cycles;
	// then the child lists in ascending joint order.
	bool BuildHierarchy(SkeletonFileData* out, std::string* error)
	{
		const int n = out->numJoints;
		if (n == 0)
			return Fail(error, "PrimeBoneData: # = 0??");
		if (out->bones[0].parentBone != -1)
			return Fail(error, Format("ReadDataFromSkeletonFile: joint 0 must be the root, but its parent is %d",
					out->bones[0].parentBone));
		for (int j = 1; j < n; j++)
		{
			int32_t parent = out->bones[size_t(j)].parentBone;
			if (parent < 0 || parent >= n || parent == j)
				return Fail(error, Format("ReadDataFromSkeletonFile: joint %d has an impossible parent %d", j, parent));
		}
		for (int j = 1; j < n; j++)
		{
			int steps = 0;
			for (int p = j; p != 0; p = out->bones[size_t(p)].parentBone)
				if (++steps > n)
					return Fail(error, Format("ReadDataFromSkeletonFile: joint %d is its own ancestor", j));
		}

		out->children.assign(size_t(n), {});
		for (int j = 1; j < n; j++)
		{
			std::vector<uint8_t>& siblings = out->children[size_t(out->bones[size_t(j)].parentBone)];
			if (int(siblings.size()) >= MAX_CHILDREN)
				return Fail(error, "CreateSkeletonFromBones: MAX_CHILDREN exceeded!");
			siblings.push_back(uint8_t(j));
		}
		return true;
	}
}

bool SkeletonParse_Header(const SkeletonResourceGetter& get, SkeletonFileData* out, std::string* error)
{
	Bytes bytes;
	if (!Fetch(get, RES_HEADER, SKELETON_RES_ID, SKELETON_HEADER_SIZE, "ReadDataFromSkeletonFile: Error reading header resource!", &bytes, error))
		return false;
	if (PeekBEU16(&bytes[0]) != SKELETON_FILE_VERSION)
		return Fail(error, "Skeleton file has wrong version #");
	out->numAnims = bytes[3];		// the low bytes of the two counts
	out->numJoints = bytes[5];
	if (out->numJoints > MAX_JOINTS)
		return Fail(error, "ReadDataFromSkeletonFile: numJoints > MAX_JOINTS");
	if (out->numAnims > MAX_ANIMS)
		return Fail(error, "ReadDataFromSkeletonFile: numAnims > MAX_ANIMS");
	return true;
}

bool SkeletonParse_Body(const SkeletonResourceGetter& get, int numPoints, int numNormals,
		SkeletonFileData* out, std::string* error)
{
	std::vector<Bytes> keyframeCounts;
	return ReadBones(get, numPoints, numNormals, out, error)
		&& ReadRelativePoints(get, numPoints, out, error)
		&& ReadAnimHeaders(get, out, &keyframeCounts, error)
		&& ReadKeyframes(get, keyframeCounts, out, error)
		&& BuildHierarchy(out, error);
}
