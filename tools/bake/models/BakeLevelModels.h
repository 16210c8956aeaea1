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

	// Contraptions (BakeLevelModelsContraptions.cpp): the fire-and-ice level's
	// exit lift, its ice and crack (LEVEL_MODEL_EXIT_*, LEVEL_MODEL_ICE_CRACK);
	// the cloud's bumper arena (LEVEL_MODEL_*BUMPER_*).
	// The fire-and-ice robots' parts and the ice cube's block (BakeLevelModelsRobots.cpp).
	Kit::Node ArmBotBody(Kit::ModelFile& file);
	Kit::Node ArmBotArm(Kit::ModelFile& file);
	Kit::Node ArmBotSegment(Kit::ModelFile& file);
	Kit::Node HammerBotBody(Kit::ModelFile& file);
	Kit::Node HammerBotArm(Kit::ModelFile& file);
	Kit::Node HammerBotHead(Kit::ModelFile& file);
	Kit::Node DrillBotBody(Kit::ModelFile& file);
	Kit::Node DrillBotDrill(Kit::ModelFile& file);
	Kit::Node DrillBotWheel(Kit::ModelFile& file);
	Kit::Node SwingerBotBody(Kit::ModelFile& file);
	Kit::Node SwingerBotBase(Kit::ModelFile& file);
	Kit::Node SwingerBotHead(Kit::ModelFile& file);
	Kit::Node SwingerBotTurret(Kit::ModelFile& file);
	Kit::Node SwingerBotArm(Kit::ModelFile& file);
	Kit::Node IceBlock(Kit::ModelFile& file);
	Kit::Node SquooshyGlob(Kit::ModelFile& file);
	Kit::Node ExitIceSheet(Kit::ModelFile& file);
	Kit::Node ExitLiftBase(Kit::ModelFile& file);
	Kit::Node ExitLiftLid(Kit::ModelFile& file);
	Kit::Node IceCrack(Kit::ModelFile& file);
	Kit::Node BumperCar(Kit::ModelFile& file, bool players);
	Kit::Node Bubble(Kit::ModelFile& file);
	Kit::Node BubblePumpBase(Kit::ModelFile& file);
	Kit::Node BubblePumpPlunger(Kit::ModelFile& file);
	// The slime world's boat (LEVEL_MODEL_BOAT_*) and its spiky objects
	// (models 26 and 27, spikes ending on the game's kSpiky*Points).
	Kit::Node BoatHull(Kit::ModelFile& file);
	Kit::Node BoatPropeller(Kit::ModelFile& file);
	Kit::Node SpikyBall(Kit::ModelFile& file);
	Kit::Node SpikyStalk(Kit::ModelFile& file);
	Kit::Node BumperPole(Kit::ModelFile& file);
	Kit::Node BumperPoleTop(Kit::ModelFile& file);
	Kit::Node BumperGate(Kit::ModelFile& file);
	Kit::Node BumperForceField(Kit::ModelFile& file);

	// The farm (BakeLevelModelsFarm.cpp): the tractor's body and wheels
	// (FARM_MODEL_TRACTOR*), and the kernel, popcorn, onion layers and tomato
	// chunks from model 32 on (AddFarmCreatureModels, after the sprouts).
	Kit::Node TractorBody(Kit::ModelFile& file);
	Kit::Node TractorWheel(Kit::ModelFile& file, const std::string& name, float radius, float width, float side);
	void AddFarmCreatureModels(Kit::ModelFile& file);

	// Power-ups (BakeLevelModelsPowerups.cpp): the balloon pod and its balloon
	// (LEVEL_MODEL_BALLOON_POD, LEVEL_MODEL_POWERUP_BALLOON), the models before
	// them filled with placeholders.
	void AddBalloonPodModels(Kit::ModelFile& file);
	// The cloud creatures' bomb, blast and bubble (BakeLevelModelsCreatures.cpp), models 17 … 20.
	void AddCloudCreatureModels(Kit::ModelFile& file);
	// The slime world's bounce pad, bubble pump and bubble, boat, tow handle
	// and spiky objects on their numbers, placeholders between them.
	void AddSlimeBounceModels(Kit::ModelFile& file);
	// The blob boss machine, the goo and the slime world's hazards
	// (BakeLevelModelsBlobBoss.cpp): the arena's models 21 … 30 (placeholders
	// up to the emitter), goo for levels with blobs, falling crystals of kind
	// 0 and 1, the floating pod.
	void AddBlobBossMachineModels(Kit::ModelFile& file);
	Kit::Node BlobGoo(Kit::ModelFile& file);
	Kit::Node FallingCrystal(Kit::ModelFile& file, int kind);
	Kit::Node FloatingPod(Kit::ModelFile& file);
	// The bosses (BakeLevelModelsBosses.cpp): the jungle boss arena's models
	// (LEVEL_MODEL_TENTACLE_GENERATOR … LEVEL_MODEL_JUNGLE_BOSS_LIGHT, after
	// placeholders up to them) and the brain boss with its halves (1 … 3).
	void AddJungleBossModels(Kit::ModelFile& file);
	void AddBrainBossModels(Kit::ModelFile& file);
	// The jungle's growth vial (LEVEL_MODEL_GROWTH_PICKUP).
	Kit::Node GrowthVial(Kit::ModelFile& file);
	// The jungle's creature shots and springy plants (BakeLevelModelsJungle.cpp):
	// the lizard's flame (model 6), the mantis's acid (7), springy plant
	// `kind` 0 … 3 (9 … 12) and the root they stand on (13).
	Kit::Node LizardFlame(Kit::ModelFile& file);
	Kit::Node MantisAcidGlob(Kit::ModelFile& file);
	Kit::Node SpringyPlant(Kit::ModelFile& file, int kind);
	Kit::Node SpringyPlantRoot(Kit::ModelFile& file);
	// Scenery shapes (BakeLevelModelsScenery.cpp), each in world units at the
	// scale its item shows it, coloured by the level's palette.
	Kit::Node SceneryTree(Kit::ModelFile& file, const std::string& name, Kit::Rgba trunk, Kit::Rgba leaves, Kit::Rgba tips, bool conifer, uint32_t seed);
	Kit::Node SceneryBush(Kit::ModelFile& file, const std::string& name, Kit::Rgba leaves, Kit::Rgba flowers, uint32_t seed);
	Kit::Node SceneryRock(Kit::ModelFile& file, const std::string& name, Kit::Rgba dark, Kit::Rgba light, float size, uint32_t seed);
	Kit::Node SceneryFence(Kit::ModelFile& file, const std::string& name, Kit::Rgba wood, uint32_t seed);
	Kit::Node SceneryBarn(Kit::ModelFile& file, const std::string& name, Kit::Rgba walls, Kit::Rgba roof, Kit::Rgba trim);
	Kit::Node SceneryHayBale(Kit::ModelFile& file, const std::string& name);
	Kit::Node ScenerySilo(Kit::ModelFile& file, const std::string& name, Kit::Rgba body, Kit::Rgba cap);
	Kit::Node SceneryCornStalks(Kit::ModelFile& file, const std::string& name);
	// The farm's field and yard pieces of items 18, 14, 21 and 22 (models 20, 22, 23 + 24, 25).
	Kit::Node SceneryPumpkins(Kit::ModelFile& file, const std::string& name);
	Kit::Node SceneryScarecrow(Kit::ModelFile& file, const std::string& name);
	Kit::Node SceneryWindmillTower(Kit::ModelFile& file, const std::string& name);
	Kit::Node SceneryWindmillSails(Kit::ModelFile& file, const std::string& name);
	Kit::Node SceneryWaterTower(Kit::ModelFile& file, const std::string& name);
	Kit::Node ScenerySprout(Kit::ModelFile& file, const std::string& name, Kit::Rgba tip);
	Kit::Node SceneryPlankDoor(Kit::ModelFile& file, const std::string& name, Kit::Rgba wood, Kit::Rgba bands);
	Kit::Node SceneryBarGate(Kit::ModelFile& file, const std::string& name, Kit::Rgba metal, Kit::Rgba stripe);
	Kit::Node SceneryStoneWall(Kit::ModelFile& file, const std::string& name, Kit::Rgba stone, Kit::Rgba vines);
	Kit::Node SceneryCrystals(Kit::ModelFile& file, const std::string& name, Kit::Rgba base, Kit::Rgba glow, int points, float height, uint32_t seed);
	Kit::Node SceneryLampPost(Kit::ModelFile& file, const std::string& name, Kit::Rgba pole, Kit::Rgba light, int style);
	Kit::Node SceneryGraveStone(Kit::ModelFile& file, const std::string& name, Kit::Rgba stone, int style);
	Kit::Node SceneryCrashedShip(Kit::ModelFile& file, const std::string& name, bool longShip);
	Kit::Node SceneryRubble(Kit::ModelFile& file, const std::string& name, Kit::Rgba concrete, Kit::Rgba rebar, uint32_t seed);
	Kit::Node SceneryMapSign(Kit::ModelFile& file, const std::string& name);
	Kit::Node ScenerySlimePipe(Kit::ModelFile& file, const std::string& name, int kind);
	Kit::Node SceneryMushroom(Kit::ModelFile& file, const std::string& name, Kit::Rgba stem, Kit::Rgba cap, Kit::Rgba spots, float height);
	Kit::Node SceneryPillar(Kit::ModelFile& file, const std::string& name, Kit::Rgba stone, Kit::Rgba trim, float height);
	Kit::Node SceneryCloudPuff(Kit::ModelFile& file, const std::string& name, Kit::Rgba shadow, Kit::Rgba white, uint32_t seed);
	Kit::Node SceneryAlienSpire(Kit::ModelFile& file, const std::string& name, Kit::Rgba shell, Kit::Rgba glow, float height);

	// The rides (BakeLevelModelsRides.cpp): zip-line posts and pulleys, the
	// rocket sled, the cannon, the teleporter arch, its glow ring and signs,
	// and spinning platform `kind` (0 … 19).
	Kit::Node ZipLinePost(Kit::ModelFile& file, const std::string& name, Kit::Rgba metal, Kit::Rgba band);
	Kit::Node ZipLinePulley(Kit::ModelFile& file, const std::string& name, Kit::Rgba metal, Kit::Rgba grip);
	Kit::Node RocketSled(Kit::ModelFile& file, const std::string& name, Kit::Rgba body, Kit::Rgba trim);
	Kit::Node CannonBase(Kit::ModelFile& file);
	Kit::Node CannonBarrel(Kit::ModelFile& file);
	Kit::Node TeleporterArch(Kit::ModelFile& file);
	Kit::Node TeleporterGlowRing(Kit::ModelFile& file);
	Kit::Node TeleporterSign(Kit::ModelFile& file, int destination);
	Kit::Node SpinningPlatform(Kit::ModelFile& file, int kind);

	// Hazards (BakeLevelModelsHazards.cpp).
	Kit::Node CrusherFrame(Kit::ModelFile& file);
	Kit::Node CrusherDoor(Kit::ModelFile& file);
	Kit::Node ManholeCover(Kit::ModelFile& file);
	Kit::Node WormPod(Kit::ModelFile& file);
	Kit::Node FloatingMine(Kit::ModelFile& file);
	Kit::Node LandMine(Kit::ModelFile& file);
	Kit::Node TrapDoor(Kit::ModelFile& file);
	Kit::Node LavaRock(Kit::ModelFile& file);
	Kit::Node Snowball(Kit::ModelFile& file);
	Kit::Node SinkingPlatform(Kit::ModelFile& file);
	Kit::Node PowerTower(Kit::ModelFile& file);
	Kit::Node PowerTowerGlow(Kit::ModelFile& file);
	Kit::Node DriftingMine(Kit::ModelFile& file);
	Kit::Node DriftingMineFins(Kit::ModelFile& file);
	Kit::Node TurretBase(Kit::ModelFile& file);
	Kit::Node TurretGun(Kit::ModelFile& file);
	Kit::Node JetDebris(Kit::ModelFile& file, int kind);		// kind 0 … 6

	// The models of a level's model file (the file the level table names for
	// it). Levels that share a file (the jungle boss reads the jungle's) are
	// built by the first level that names it.
	Kit::ModelFile BuildLevelModels(int level);
	// The first level whose row names the same model file as `level`.
	int LevelWritingModelFile(int level);
}
