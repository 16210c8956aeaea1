// The level model files (":Models:level*.bg3d", BG3D group 1). Model 0 is
// the level's backdrop: a sky shell drawn around the camera just inside the
// far plane (every level but the slime world, the saucer level and the brain
// boss); on the saucer level it is the player's saucer.
#pragma once

#include "kit/Model.h"

#include <string>

namespace LevelModels
{
	// Radius of the backdrop shell; the game scales it to just inside the far plane.
	constexpr float BACKDROP_RADIUS = 100.0f;
	constexpr int SKY_WIDTH = 1024, SKY_HEIGHT = 512;

	// A panorama: colour at an azimuth (radians, 0 toward +z, π/2 toward +x)
	// and an elevation (degrees, −90 … 90).
	using SkyPainter = Kit::Rgba (*)(float azimuth, float elevation);

	// The panorama image: x runs once round the horizon, y from the zenith
	// (top row) to the nadir.
	Kit::Image PaintSky(SkyPainter painter);
	// The shell, faces turned inward, mapped with a panorama.
	Kit::Mesh SkyShell(int segments = 48, int rings = 24);
	Kit::Node Backdrop(Kit::ModelFile& file, SkyPainter painter, const std::string& name);

	// The panoramas (BakeLevelModelsSky.cpp).
	Kit::Rgba FarmSky(float azimuth, float elevation);
	Kit::Rgba SlimeBossSky(float azimuth, float elevation);
	Kit::Rgba ApocalypseSky(float azimuth, float elevation);
	Kit::Rgba CloudSky(float azimuth, float elevation);
	Kit::Rgba JungleSky(float azimuth, float elevation);
	Kit::Rgba FireIceSky(float azimuth, float elevation);

	// Models of the levels without a backdrop (BakeLevelModelsProps.cpp).
	Kit::Node SlimeRock(Kit::ModelFile& file);
	Kit::Node PlayerSaucer(Kit::ModelFile& file);
	Kit::Node AlienPylon(Kit::ModelFile& file);

	// The rescue and the last battle (BakeLevelModelsRescue.cpp): the human
	// capsule (LEVEL_MODEL_HUMAN_CAPSULE), the people hut and the alien
	// portal; and a named grey block holding a model number whose real model
	// is not built yet.
	Kit::Node HumanCapsule(Kit::ModelFile& file);
	Kit::Node PeopleHut(Kit::ModelFile& file);
	Kit::Node AlienPortal(Kit::ModelFile& file);
	Kit::Node Placeholder(Kit::ModelFile& file, const std::string& name);

	// Power-ups (BakeLevelModelsPowerups.cpp): the balloon pod and its balloon
	// (LEVEL_MODEL_BALLOON_POD, LEVEL_MODEL_POWERUP_BALLOON), the models before
	// them filled with placeholders.
	void AddBalloonPodModels(Kit::ModelFile& file);
	// The slime world's bounce pad (LEVEL_MODEL_BOUNCE_PAD) and tow handle
	// (LEVEL_MODEL_TOW_HANDLE), placeholders before each.
	void AddSlimeBounceModels(Kit::ModelFile& file);

	// The models of a level's model file (the file the level table names for
	// it). Levels that share a file (the jungle boss reads the jungle's) are
	// built by the first level that names it.
	Kit::ModelFile BuildLevelModels(int level);
	// The first level whose row names the same model file as `level`.
	int LevelWritingModelFile(int level);
}
