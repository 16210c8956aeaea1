// Writes the skeleton fuzzer's seeds: the skeleton files of the rig kit's
// sample rigs and of a few baked creatures, as resource-fork sidecars.
#include "skeletons/BakeSkeletons.h"
#include "rig/SampleRigs.h"
#include "rig/SkeletonWriter.h"
#include "3D/SkeletonTypes.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
	if (argc < 2)
	{
		fprintf(stderr, "usage: fuzz_skeleton_seeds DIR\n");
		return 2;
	}
	fs::path dir = argv[1];
	fs::create_directories(dir);
	auto write = [&](const Rig::Skeleton& rig) {
		std::vector<uint8_t> bytes = Rig::BuildSkeletonResources(rig).BuildSidecar();
		std::ofstream out(dir / (rig.name + ".skeleton.rsrc"), std::ios::binary | std::ios::trunc);
		out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
	};
	write(Rig::SampleArm("Arm"));
	write(Rig::SampleChain("Chain", 20));
	for (int type : {SKELETON_TYPE_TOMATO, SKELETON_TYPE_BLOB, SKELETON_TYPE_PITCHERPLANT})
		write(Skeletons::BuildRig(type));
	printf("seeded %s\n", dir.c_str());
	return 0;
}
