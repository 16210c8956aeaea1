// Writes a rig as the game's skeleton files: the mesh as "<name>.bg3d" and
// the skeleton as the resource fork of "<name>.skeleton" (a ".rsrc" sidecar
// only). The point and normal numbers come from the very decomposition the
// game's loader runs on the written mesh, so the two always agree.
#pragma once

#include "Bake.h"
#include "formats/ResourceForkWriter.h"
#include "rig/Rig.h"
#include "3D/SkeletonDecompose.h"

#include <string>
#include <vector>

namespace Rig
{
	// The mesh as the loader will see it: decomposed, with each point's joint.
	struct BoundMesh
	{
		SkeletonDecomposer decomposition;
		std::vector<int> pointJoint;					// per decomposed point
		std::vector<std::vector<uint16_t>> bonePoints;	// per joint, ascending
		std::vector<std::vector<uint16_t>> boneNormals;	// per joint: the normals its points use
	};

	// Decomposes the rig's mesh. Throws std::logic_error when it exceeds the
	// loader's limits or a position is shared by vertices of two joints.
	BoundMesh BindMesh(const Skeleton& skeleton);

	// A version 2 alias record naming a file in the same folder.
	std::vector<uint8_t> MakeAliasRecord(const std::string& fileName);

	// Every resource of the skeleton file (validates the rig first).
	std::vector<Bake::ResourceEntry> BuildSkeletonResourceList(const Skeleton& skeleton);
	Bake::ResourceForkWriter BuildSkeletonResources(const Skeleton& skeleton);
	Bake::ResourceForkWriter MakeFork(const std::vector<Bake::ResourceEntry>& resources);

	// Writes Skeletons/<name>.skeleton.rsrc and, unless writeModel is off,
	// Skeletons/<name>.bg3d.
	void WriteSkeleton(const Bake::Context& context, const Skeleton& skeleton);
}
