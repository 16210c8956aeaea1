// The rigs of every skeleton type (SkeletonTypes.h): the hero, the humans and
// brain aliens as finished characters, the other creatures as first rigs of
// their body plans. Each builder is deterministic.
#pragma once

#include "rig/Rig.h"

namespace Skeletons
{
	// The rig of a skeleton type, 0 … MAX_SKELETON_TYPES − 1.
	Rig::Skeleton BuildRig(int skeletonType);

	Rig::Skeleton BuildQuog();
	Rig::Skeleton BuildHuman(int skeletonType);			// Farmer, BeeWoman, Scientist, SkirtLady
	Rig::Skeleton BuildBrainAlien(bool elite);
	// Farm, slime, jungle, city, cloud and fire-and-ice creatures.
	Rig::Skeleton BuildOnion();
	Rig::Skeleton BuildCorn();
	Rig::Skeleton BuildTomato();
	Rig::Skeleton BuildBlob();
	Rig::Skeleton BuildSlimeTree();
	Rig::Skeleton BuildSquooshy();
	Rig::Skeleton BuildGiantLizard();
	Rig::Skeleton BuildVenusFlytrap();
	Rig::Skeleton BuildMantis();
	Rig::Skeleton BuildTurtle();
	Rig::Skeleton BuildPitcherPlant();
	Rig::Skeleton BuildPodWorm();
	Rig::Skeleton BuildMutant();
	Rig::Skeleton BuildMutantRobot();
	Rig::Skeleton BuildClown();
	Rig::Skeleton BuildClownFish();
	Rig::Skeleton BuildStrongMan();
	Rig::Skeleton BuildFlamester();
	Rig::Skeleton BuildIceCube();
}
