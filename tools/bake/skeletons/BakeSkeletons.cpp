// Bakes every skeleton type: Skeletons/<name>.skeleton (its resource fork)
// and the mesh <name>.bg3d beside it (the hero's mesh comes from BakeRobot).
#include "skeletons/BakeSkeletons.h"
#include "Bake.h"
#include "3D/SkeletonTypes.h"
#include "rig/SkeletonWriter.h"

#include <stdexcept>

namespace Skeletons
{
	Rig::Skeleton BuildRig(int type)
	{
		switch (type)
		{
			case SKELETON_TYPE_QUOG: return BuildQuog();
			case SKELETON_TYPE_FARMER:
			case SKELETON_TYPE_BEEWOMAN:
			case SKELETON_TYPE_SCIENTIST:
			case SKELETON_TYPE_SKIRTLADY: return BuildHuman(type);
			case SKELETON_TYPE_BRAINALIEN: return BuildBrainAlien(false);
			case SKELETON_TYPE_ELITEBRAINALIEN: return BuildBrainAlien(true);
			case SKELETON_TYPE_ONION: return BuildOnion();
			case SKELETON_TYPE_CORN: return BuildCorn();
			case SKELETON_TYPE_TOMATO: return BuildTomato();
			case SKELETON_TYPE_BLOB: return BuildBlob();
			case SKELETON_TYPE_SLIMETREE: return BuildSlimeTree();
			case SKELETON_TYPE_SQUOOSHY: return BuildSquooshy();
			case SKELETON_TYPE_FLAMESTER: return BuildFlamester();
			case SKELETON_TYPE_GIANTLIZARD: return BuildGiantLizard();
			case SKELETON_TYPE_VENUSFLYTRAP: return BuildVenusFlytrap();
			case SKELETON_TYPE_MANTIS: return BuildMantis();
			case SKELETON_TYPE_TURTLE: return BuildTurtle();
			case SKELETON_TYPE_PODWORM: return BuildPodWorm();
			case SKELETON_TYPE_MUTANT: return BuildMutant();
			case SKELETON_TYPE_MUTANTROBOT: return BuildMutantRobot();
			case SKELETON_TYPE_PITCHERPLANT: return BuildPitcherPlant();
			case SKELETON_TYPE_CLOWN: return BuildClown();
			case SKELETON_TYPE_CLOWNFISH: return BuildClownFish();
			case SKELETON_TYPE_STRONGMAN: return BuildStrongMan();
			case SKELETON_TYPE_ICECUBE: return BuildIceCube();
			default: throw std::out_of_range("BuildRig: no skeleton type " + std::to_string(type));
		}
	}
}

namespace
{
	void BakeSkeletonRigs(const Bake::Context& context)
	{
		for (int type = 0; type < MAX_SKELETON_TYPES; type++)
			Rig::WriteSkeleton(context, Skeletons::BuildRig(type));
	}
}

// After "skeletons/quog-mesh": the hero's rig binds the mesh that step writes.
BAKE_STEP("skeletons/rigs", BakeSkeletonRigs);
