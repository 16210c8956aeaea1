// libFuzzer harness: a skeleton file's resource fork (an AppleDouble sidecar)
// read the way the skeleton loader reads it. Every input must be refused
// with a message or give records whose counts and indices all stay inside
// the limits the loader builds its tables with.
#include "3D/SkeletonParse.h"
#include "DataReaders.h"
#include "FilesAppleDouble.h"
#include "ResourcesInternal.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace
{
	void Check(bool ok)
	{
		if (!ok)
			std::abort();
	}

	// What the loader relies on after a successful parse.
	void CheckInvariants(const SkeletonFileData& f, int numPoints, int numNormals)
	{
		Check(f.numJoints >= 1 && f.numJoints <= MAX_JOINTS && f.numAnims <= MAX_ANIMS);
		Check(f.bones.size() == size_t(f.numJoints) && f.children.size() == size_t(f.numJoints));
		Check(f.boneRelPoints.size() == size_t(numPoints));
		Check(f.bones[0].parentBone == -1);
		for (int j = 0; j < f.numJoints; j++)
		{
			const ParsedBone& b = f.bones[size_t(j)];
			Check(j == 0 || (b.parentBone >= 0 && b.parentBone < f.numJoints));
			for (uint16_t p : b.pointList)
				Check(p < numPoints);
			for (uint16_t n : b.normalList)
				Check(n < numNormals);
			Check(f.children[size_t(j)].size() <= size_t(MAX_CHILDREN));
			for (uint8_t c : f.children[size_t(j)])
				Check(c < f.numJoints && f.bones[c].parentBone == j);
			int steps = 0;
			for (int p = j; p != 0; p = f.bones[size_t(p)].parentBone)
				Check(++steps <= f.numJoints);
			Check(f.keyframes[size_t(j)].size() == size_t(f.numAnims));
			for (const std::vector<JointKeyframeType>& keys : f.keyframes[size_t(j)])
				Check(keys.size() <= size_t(MAX_KEYFRAMES));
		}
		Check(f.events.size() == size_t(f.numAnims));
		for (const std::vector<AnimEventType>& events : f.events)
			Check(events.size() <= size_t(MAX_ANIM_EVENTS));
	}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	memstream in(data, size);
	Tamber::Resources::ResourceIndex index;
	try
	{
		Tamber::Files::ForkRange fork = Tamber::Files::ReadAppleDoubleHeader(in, size);
		index = Tamber::Resources::ParseResourceFork(in, fork.offset, fork.length, 1);
	}
	catch (const std::runtime_error&)
	{
		return 0;		// not a resource fork: the resource layer refuses it
	}

	SkeletonResourceGetter get = [&](uint32_t type, int16_t id, std::vector<uint8_t>* bytes) {
		auto byType = index.find(type);
		if (byType == index.end())
			return false;
		auto it = byType->second.find(id);
		if (it == byType->second.end())
			return false;
		const Tamber::Resources::ResourceMetadata& meta = it->second;
		Check(meta.dataPosition + meta.size <= size);
		bytes->assign(data + meta.dataPosition, data + meta.dataPosition + meta.size);
		return true;
	};

	// The decomposition's counts come from the model: take the relative
	// points at their word, and the most normals a model may have.
	int numPoints = 0;
	std::vector<uint8_t> relative;
	if (get(FOUR_CC("RelP"), 1000, &relative))
		numPoints = int(std::min<size_t>(relative.size() / SKELETON_REL_POINT_SIZE, MAX_DECOMPOSED_POINTS));
	const int numNormals = MAX_DECOMPOSED_NORMALS;

	SkeletonFileData file;
	std::string error;
	if (!SkeletonParse_Header(get, &file, &error) || !SkeletonParse_Body(get, numPoints, numNormals, &file, &error))
	{
		Check(!error.empty());
		return 0;
	}
	CheckInvariants(file, numPoints, numNormals);
	return 0;
}
