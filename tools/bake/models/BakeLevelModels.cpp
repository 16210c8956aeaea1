// ":Models:level*.bg3d": the first version of each level's own model file,
// written where the level table says the game reads it.
#include "models/BakeLevelModels.h"
#include "formats/BG3DWriter.h"
#include "kit/Art.h"
#include "System/ContentNumbers.h"
#include "System/LevelTable.h"
#include "Items/RidesContent.h"
#include "Enemies/FarmContent.h"
#include "worlds/WorldKit.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace LevelModels
{
	using namespace Kit;

	Image PaintSky(SkyPainter painter)
	{
		static const float BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
		Image img(SKY_WIDTH, SKY_HEIGHT);
		for (int y = 0; y < SKY_HEIGHT; y++)
		{
			for (int x = 0; x < SKY_WIDTH; x++)
			{
				// Four samples a pixel keep the skylines' edges smooth.
				float sum[3] = {0, 0, 0};
				for (float sy : {0.25f, 0.75f})
					for (float sx : {0.25f, 0.75f})
					{
						Rgba one = painter(2 * PI * (float(x) + sx) / SKY_WIDTH, 90.0f - 180.0f * (float(y) + sy) / SKY_HEIGHT);
						sum[0] += one.r;
						sum[1] += one.g;
						sum[2] += one.b;
					}
				Rgba c = {uint8_t(sum[0] / 4 + 0.5f), uint8_t(sum[1] / 4 + 0.5f), uint8_t(sum[2] / 4 + 0.5f), 255};
				// Ordered dither so gradients survive the 16-bit texture.
				float d = (BAYER[y & 3][x & 3] / 16.0f - 0.47f) * 8.0f;
				auto ch = [d](uint8_t v) { return uint8_t(std::clamp(int(std::lround(float(v) + d)), 0, 255)); };
				img.At(x, y) = {ch(c.r), ch(c.g), ch(c.b), 255};
			}
		}
		return img;
	}

	Mesh SkyShell(int segments, int rings)
	{
		Mesh m;
		for (int k = 0; k <= rings; k++)
		{
			float v = float(k) / float(rings);
			float elevation = (90.0f - 180.0f * v) * PI / 180.0f;
			for (int s = 0; s <= segments; s++)
			{
				float u = float(s) / float(segments);
				float azimuth = 2 * PI * u;
				Vec3 dir{std::cos(elevation) * std::sin(azimuth), std::sin(elevation), std::cos(elevation) * std::cos(azimuth)};
				m.AddVertex(dir * BACKDROP_RADIUS, -dir, {u, v});
			}
		}
		uint32_t row = uint32_t(segments + 1);
		for (int k = 0; k < rings; k++)
			for (int s = 0; s < segments; s++)
			{
				uint32_t a = uint32_t(k) * row + uint32_t(s), b = a + 1, c = a + row + 1, d = a + row;
				for (std::array<uint32_t, 3> t : {std::array<uint32_t, 3>{a, b, c}, std::array<uint32_t, 3>{a, c, d}})
				{
					Vec3 p0 = m.points[t[0]], p1 = m.points[t[1]], p2 = m.points[t[2]];
					Vec3 n = Cross(p1 - p0, p2 - p0);
					if (Length(n) < 1e-6f)
						continue;		// the poles' empty slivers
					// Seen from inside: the face must point toward the centre.
					if (Dot(n, p0 + p1 + p2) > 0)
						std::swap(t[1], t[2]);
					m.AddTriangle(t[0], t[1], t[2]);
				}
			}
		return m;
	}

	Node Backdrop(ModelFile& file, SkyPainter painter, const std::string& name)
	{
		ModelBuilder b(file);
		int sky = b.AddMaterial(TextureMaterial(PaintSky(painter), TextureFormat::ARGB1555, MAT_CLAMP_V));
		b.Add(SkyShell(), sky);
		return b.Build(name);
	}

	namespace
	{
		// The next model must land on `index`: numbers are fixed by the game.
		void Put(ModelFile& f, size_t index, Node model)
		{
			if (f.models.size() != index)
				throw std::logic_error(model.name + " must be level model " + std::to_string(index) + ", not "
						+ std::to_string(f.models.size()));
			f.models.push_back(std::move(model));
		}
		// Stand-ins for numbers the game fixes for things built elsewhere.
		void Hold(ModelFile& f, std::initializer_list<const char*> names)
		{
			for (const char* name : names)
				f.models.push_back(Placeholder(f, name));
		}
	}

	Kit::ModelFile BuildLevelModels(int level)
	{
		ModelFile f;
		switch (level)
		{
			case LEVEL_NUM_FARM:
				f.models.push_back(Backdrop(f, FarmSky, "farm sky"));
				// Red barns, round trees, a plank door for the jump jet, hay, a
				// metal gate for the tractor, fences, bushes, rocks, a silo, corn.
				Put(f, 1, SceneryBarn(f, "barn", Hex(0xC8322A), Hex(0x5A3A32), Hex(0xF4EEE0)));
				Put(f, 2, SceneryTree(f, "oak", Hex(0x7A5230), Hex(0x3F9A2E), Hex(0x9CDB50), false, 1));
				Put(f, 3, SceneryPlankDoor(f, "wooden jet-breakable gate", Hex(0xB07A44), Hex(0x5C3A20)));
				Put(f, 4, SceneryHayBale(f, "hay bale"));
				Put(f, LEVEL_MODEL_HUMAN_CAPSULE, HumanCapsule(f));
				Put(f, 6, SceneryBarGate(f, "metal speed gate", Hex(0xA8B4C4), Art::HAZARD_YELLOW));
				Put(f, 7, SceneryFence(f, "rail fence", Hex(0xE8E0D0), 7));
				Put(f, 8, SceneryBush(f, "flowering bush", Hex(0x4CAF3A), Hex(0xFFE45C), 8));
				Put(f, 9, SceneryRock(f, "field boulder", Hex(0x6E6A66), Hex(0xB8B2A8), 220, 9));
				Put(f, 10, ScenerySilo(f, "silo", Hex(0xD8DEE6), Hex(0x4A7AC8)));
				Put(f, FARM_MODEL_TRACTOR, TractorBody(f));
				Put(f, 12, TractorWheel(f, "tractor rear wheel left", 99, 46, -1));
				Put(f, 13, TractorWheel(f, "tractor rear wheel right", 99, 46, 1));
				Put(f, 14, TractorWheel(f, "tractor front wheel left", 37, 24, -1));
				Put(f, 15, TractorWheel(f, "tractor front wheel right", 37, 24, 1));
				Put(f, 16, SceneryCornStalks(f, "corn stalks"));
				Put(f, 17, ScenerySprout(f, "corn sprout", Hex(0xF5D442)));
				Put(f, 18, ScenerySprout(f, "onion sprout", Hex(0xF2E8F8)));
				Put(f, 19, ScenerySprout(f, "tomato sprout", Hex(0xE83A2A)));
				// Pumpkins, a scarecrow, a windmill and a water tower: items 18, 14, 21, 22.
				Put(f, 20, SceneryPumpkins(f, "pumpkin patch"));
				Hold(f, {"farm spare 21"});
				Put(f, 22, SceneryScarecrow(f, "scarecrow"));
				Put(f, 23, SceneryWindmillTower(f, "windmill"));
				Put(f, 24, SceneryWindmillSails(f, "windmill sails"));
				Put(f, 25, SceneryWaterTower(f, "water tower"));
				AddFarmCreatureModels(f);
				break;
			case LEVEL_NUM_BLOB:
				f.models.push_back(SlimeRock(f));
				// Slime pipes are models 1 … 6 by their kind (5 is the capsule, so kind 5 is never placed).
				for (int kind = 1; kind <= 4; kind++)
					Put(f, size_t(kind), ScenerySlimePipe(f, "slime pipe " + std::to_string(kind), kind));
				Put(f, LEVEL_MODEL_HUMAN_CAPSULE, HumanCapsule(f));
				Put(f, 6, ScenerySlimePipe(f, "slime pipe 6", 6));
				Put(f, 7, SceneryMushroom(f, "slime toadstool", Hex(0xE8E0C0), Hex(0xB040E0), Hex(0x90FF60), 260));
				Put(f, 8, SceneryRock(f, "slimy boulder", Hex(0x3A4A3A), Hex(0x8AB870), 240, 81));
				Put(f, 9, SceneryMushroom(f, "slime puffball", Hex(0xC0E0A0), Hex(0x50D060), Hex(0xF0FF80), 160));
				Put(f, 10, SceneryCrystals(f, "green crystal", Hex(0x208040), Hex(0xA0FF90), 5, 220, 10));
				Put(f, 11, SceneryCrystals(f, "blue crystal", Hex(0x204890), Hex(0x90E0FF), 4, 260, 11));
				Put(f, 12, SceneryCrystals(f, "pink crystal spike", Hex(0x902070), Hex(0xFFA0E0), 1, 300, 12));
				Put(f, 13, SceneryCrystals(f, "amber crystal spike", Hex(0x905010), Hex(0xFFE070), 2, 260, 13));
				Put(f, 14, FallingCrystal(f, 0));
				Put(f, 15, FallingCrystal(f, 1));
				AddSlimeBounceModels(f);
				Put(f, size_t(GetLevelDef(LEVEL_NUM_BLOB).blobGooModel), BlobGoo(f));
				// Squooshies live here too: their glob has the fire-and-ice file's number.
				while (f.models.size() < 58)
					Hold(f, {"slime model"});
				Put(f, 58, SquooshyGlob(f));
				break;
			case LEVEL_NUM_BLOBBOSS:
				f.models.push_back(Backdrop(f, SlimeBossSky, "slime boss sky"));
				for (int kind = 0; kind < NUM_SPINNING_PLATFORM_KINDS; kind++)
					Put(f, size_t(1 + kind), SpinningPlatform(f, kind));
				AddBlobBossMachineModels(f);
				if (f.models.size() != size_t(GetLevelDef(LEVEL_NUM_BLOBBOSS).blobGooModel) + 1)
					throw std::logic_error("the arena's goo is not the level table's goo model");
				break;
			case LEVEL_NUM_APOCALYPSE:
				f.models.push_back(Backdrop(f, ApocalypseSky, "burning city sky"));
				// The ruined city's street furniture sits on the numbers its
				// routines fix; the contraptions' numbers are held for them.
				Put(f, 1, CrusherFrame(f));
				Put(f, 2, CrusherDoor(f));
				Put(f, 3, SceneryTree(f, "dead tree", Hex(0x3A3030), Hex(0x4A4038), Hex(0x6A5A48), true, 3));
				Put(f, 4, ManholeCover(f));
				Put(f, 5, WormPod(f));
				Put(f, 6, TeleporterArch(f));
				Put(f, 7, TeleporterGlowRing(f));
				for (int sign = 0; sign <= MAX_TELEPORTER_SIGN; sign++)
					Put(f, size_t(8 + sign), TeleporterSign(f, sign));
				Put(f, 20, ZipLinePost(f, "zip line post", Hex(0x6A6E78), Art::HAZARD_YELLOW));
				Put(f, 21, ZipLinePulley(f, "zip line pulley", Hex(0xA0A8B8), Hex(0x303030)));
				Put(f, 22, FloatingMine(f));
				Put(f, 23, LandMine(f));
				for (int style = 0; style < 3; style++)
					Put(f, size_t(24 + style), SceneryLampPost(f, "lamp post " + std::to_string(style), Hex(0x4A5060), Hex(0xFFE890), style));
				for (int kind = 0; kind < 7; kind++)
					Put(f, size_t(27 + kind), JetDebris(f, kind));
				for (int style = 0; style < 5; style++)
					Put(f, size_t(34 + style), SceneryGraveStone(f, "grave stone " + std::to_string(style), Hex(0xA8A8B0), style));
				Put(f, 39, SceneryCrashedShip(f, "crashed saucer", false));
				Put(f, 40, SceneryCrashedShip(f, "crashed cruiser", true));
				Put(f, 41, SceneryRock(f, "scorched boulder", Hex(0x2A2624), Hex(0x7A6050), 240, 41));
				Put(f, 42, SceneryBush(f, "withered shrub", Hex(0x6A6030), Hex(0xC05030), 42));
				for (int kind = 0; kind < 7; kind++)
					Put(f, size_t(43 + kind), SceneryRubble(f, "rubble " + std::to_string(kind), Hex(0xA89C90), Hex(0x8A4A30), uint32_t(430 + kind)));
				Put(f, 50, SceneryMapSign(f, "teleporter map"));
				break;
			case LEVEL_NUM_CLOUD:
				f.models.push_back(Backdrop(f, CloudSky, "cloud sky"));
				Put(f, 1, SceneryCloudPuff(f, "cloud puff", Hex(0xB8C8F0), Hex(0xFFFFFF), 1));
				Put(f, 2, SceneryPillar(f, "sky column", Hex(0xF4F0FF), Hex(0xFFC8E8), 300));
				Put(f, 3, SceneryPlankDoor(f, "candy-striped jet-breakable gate", Hex(0xFF9AC8), Hex(0xFFFFFF)));
				Put(f, 4, SceneryTree(f, "cotton-candy tree", Hex(0xF0E0FF), Hex(0xFF8AD0), Hex(0xFFE0F4), false, 4));
				Put(f, LEVEL_MODEL_HUMAN_CAPSULE, HumanCapsule(f));
				Put(f, 6, SceneryCrystals(f, "sky crystal", Hex(0x6080F0), Hex(0xF0FFFF), 4, 240, 6));
				Put(f, 7, SceneryBush(f, "balloon bush", Hex(0x80D8FF), Hex(0xFF60A0), 7));
				Put(f, 8, CannonBase(f));
				Put(f, 9, CannonBarrel(f));
				Put(f, LEVEL_MODEL_PLAYER_BUMPER_CAR, BumperCar(f, true));
				Put(f, LEVEL_MODEL_BUMPER_CAR, BumperCar(f, false));
				Hold(f, {"cloud scenery 12"});
				Put(f, LEVEL_MODEL_BUMPER_POLE, BumperPole(f));
				Put(f, LEVEL_MODEL_BUMPER_POLE_TOP, BumperPoleTop(f));
				Put(f, LEVEL_MODEL_BUMPER_GATE, BumperGate(f));
				Put(f, LEVEL_MODEL_BUMPER_FORCE_FIELD, BumperForceField(f));
				AddCloudCreatureModels(f);
				AddBalloonPodModels(f);
				Hold(f, {"cloud scenery 23", "cloud scenery 24", "cloud scenery 25"});
				Put(f, 26, RocketSled(f, "cloud rocket sled", Hex(0xE83A6A), Hex(0xF0F0FF)));
				Put(f, 27, TrapDoor(f));
				break;
			case LEVEL_NUM_JUNGLE:
				// The jungle boss arena reads the same file: one sky for both.
				f.models.push_back(Backdrop(f, JungleSky, "jungle sky"));
				Put(f, 1, SceneryTree(f, "jungle giant", Hex(0x5A4028), Hex(0x1E7A2A), Hex(0x6CD040), false, 51));
				Put(f, 2, SceneryTree(f, "jungle spire tree", Hex(0x4A3A24), Hex(0x2A8A3A), Hex(0x90E060), true, 52));
				Put(f, 3, SceneryPlankDoor(f, "bamboo jet-breakable gate", Hex(0xC8C060), Hex(0x6A5A20)));
				Put(f, 4, SceneryRock(f, "mossy boulder", Hex(0x4A5A40), Hex(0x90A070), 260, 54));
				Put(f, 5, SceneryStoneWall(f, "giant-breakable temple wall", Hex(0xB0A888), Hex(0x3A9A30)));
				Put(f, 6, LizardFlame(f));
				Put(f, 7, MantisAcidGlob(f));
				Put(f, LEVEL_MODEL_GROWTH_PICKUP, GrowthVial(f));
				for (int kind = 0; kind < 4; kind++)
					Put(f, size_t(9 + kind), SpringyPlant(f, kind));
				Put(f, 13, SpringyPlantRoot(f));
				Put(f, 14, SceneryBush(f, "broad jungle bush", Hex(0x2E8A30), Hex(0xFF5080), 14));
				Put(f, 15, SceneryMushroom(f, "jungle bloom", Hex(0x60B040), Hex(0xFF7020), Hex(0xFFF060), 200));
				Put(f, 16, SceneryBush(f, "fern clump", Hex(0x3AA040), Hex(0x9AF070), 16));
				AddJungleBossModels(f);
				break;
			case LEVEL_NUM_FIREICE:
				f.models.push_back(Backdrop(f, FireIceSky, "fire and ice sky"));
				Put(f, 1, SceneryCrystals(f, "ice spikes", Hex(0x70B0E8), Hex(0xF0FFFF), 5, 260, 71));
				Put(f, 2, SceneryRock(f, "lava boulder", Hex(0x2A1810), Hex(0xE05020), 200, 72));
				Put(f, 3, LavaRock(f));
				Put(f, 4, Snowball(f));
				Put(f, LEVEL_MODEL_HUMAN_CAPSULE, HumanCapsule(f));
				Put(f, LEVEL_MODEL_EXIT_ICE, ExitIceSheet(f));
				Put(f, LEVEL_MODEL_EXIT_LIFT, ExitLiftBase(f));
				Put(f, LEVEL_MODEL_EXIT_LIFT_LID, ExitLiftLid(f));
				Put(f, LEVEL_MODEL_ICE_CRACK, IceCrack(f));
				Put(f, 10, ArmBotBody(f));
				Put(f, 11, ArmBotArm(f));
				Put(f, 12, ArmBotSegment(f));
				Put(f, 13, SceneryTree(f, "snowy pine", Hex(0x5A4030), Hex(0x2A6A50), Hex(0xF0F8FF), true, 73));
				Put(f, 14, SceneryCrystals(f, "fire crystal", Hex(0xA02010), Hex(0xFFD040), 4, 240, 74));
				Put(f, 15, SceneryRock(f, "snow-capped rock", Hex(0x5A6070), Hex(0xF4F8FF), 240, 75));
				Put(f, 16, HammerBotBody(f));
				Put(f, 17, HammerBotArm(f));
				Put(f, 18, HammerBotHead(f));
				while (f.models.size() < 22)
					Hold(f, {"fire and ice model"});
				Put(f, 22, DrillBotBody(f));
				Put(f, 23, DrillBotDrill(f));
				Put(f, 24, DrillBotWheel(f));
				while (f.models.size() < 27)
					Hold(f, {"fire and ice model"});
				Put(f, 27, SwingerBotBody(f));
				Put(f, 28, SwingerBotBase(f));
				Put(f, 29, SwingerBotHead(f));
				Put(f, 30, SwingerBotTurret(f));
				Put(f, 31, SwingerBotArm(f));
				while (f.models.size() < 37)
					Hold(f, {"fire and ice model"});
				Put(f, 37, IceBlock(f));
				Put(f, 38, ZipLinePost(f, "zip line post", Hex(0x5A4A48), Hex(0x80D0FF)));
				Put(f, 39, ZipLinePulley(f, "zip line pulley", Hex(0xB0B8C8), Hex(0xE04020)));
				while (f.models.size() < 54)
					Hold(f, {"fire and ice model"});
				Put(f, 54, SinkingPlatform(f));
				Put(f, 55, RocketSled(f, "ice rocket sled", Hex(0x3A80E0), Hex(0xF0F8FF)));
				while (f.models.size() < 58)
					Hold(f, {"fire and ice model"});
				Put(f, 58, SquooshyGlob(f));
				break;
			case LEVEL_NUM_SAUCER:
				f.models.push_back(PlayerSaucer(f));
				f.models.push_back(PeopleHut(f));
				Put(f, 2, PowerTower(f));
				Put(f, 3, PowerTowerGlow(f));
				Put(f, 4, DriftingMine(f));
				Put(f, 5, DriftingMineFins(f));
				Put(f, 6, TurretBase(f));
				Put(f, 7, TurretGun(f));
				Put(f, 8, SceneryTree(f, "village tree", Hex(0x6A4A2A), Hex(0x4AA83A), Hex(0xB0E860), false, 81));
				Put(f, 9, SceneryRock(f, "meadow rock", Hex(0x787068), Hex(0xC8C0B0), 200, 82));
				Put(f, 10, SceneryFence(f, "village fence", Hex(0x9A6A3A), 83));
				Put(f, 11, SceneryHayBale(f, "village hay bale"));
				Put(f, 12, SceneryTree(f, "village pine", Hex(0x5A3A22), Hex(0x2A7A3A), Hex(0x70C060), true, 84));
				break;
			case LEVEL_NUM_BRAINBOSS:
				f.models.push_back(AlienPylon(f));
				AddBrainBossModels(f);
				Put(f, 4, SceneryAlienSpire(f, "alien spire", Hex(0x503070), Hex(0x60FF90), 600));
				Put(f, LEVEL_MODEL_ALIEN_PORTAL, AlienPortal(f));
				Put(f, 6, SceneryCrystals(f, "alien crystal", Hex(0x402060), Hex(0xE080FF), 5, 260, 96));
				Put(f, 7, SceneryMushroom(f, "alien pod plant", Hex(0x90C070), Hex(0x8040C0), Hex(0x60FF90), 220));
				break;
			default:
				throw std::out_of_range("no level model file of its own for level " + std::to_string(level));
		}
		return f;
	}

	int LevelWritingModelFile(int level)
	{
		const char* path = kLevelDefs[level].modelFile;
		for (int first = 0; first < level; first++)
			if (strcmp(kLevelDefs[first].modelFile, path) == 0)
				return first;
		return level;
	}
}

namespace
{
	// The model file of a level, written where the level table says the
	// game reads it (once, by the first level that names it).
	template <int LEVEL>
	void BakeLevelModelFile(const Bake::Context& context)
	{
		static_assert(LEVEL >= 0 && LEVEL < NUM_LEVELS);
		if (LevelModels::LevelWritingModelFile(LEVEL) != LEVEL)
			throw std::logic_error(std::string("level ") + kLevelDefs[LEVEL].name + " shares an earlier level's model file");
		Bake::WriteBG3DFile(context, Bake::DataFolderPath(kLevelDefs[LEVEL].modelFile), LevelModels::BuildLevelModels(LEVEL));
	}
}

BAKE_STEP("models/level1-farm", BakeLevelModelFile<LEVEL_NUM_FARM>);
BAKE_STEP("models/level2-slime", BakeLevelModelFile<LEVEL_NUM_BLOB>);
BAKE_STEP("models/level3-blobboss", BakeLevelModelFile<LEVEL_NUM_BLOBBOSS>);
BAKE_STEP("models/level4-apocalypse", BakeLevelModelFile<LEVEL_NUM_APOCALYPSE>);
BAKE_STEP("models/level5-cloud", BakeLevelModelFile<LEVEL_NUM_CLOUD>);
BAKE_STEP("models/level6-jungle", BakeLevelModelFile<LEVEL_NUM_JUNGLE>);		// the jungle boss reads it too
BAKE_STEP("models/level8-fireice", BakeLevelModelFile<LEVEL_NUM_FIREICE>);
BAKE_STEP("models/level9-saucer", BakeLevelModelFile<LEVEL_NUM_SAUCER>);
BAKE_STEP("models/level10-brainboss", BakeLevelModelFile<LEVEL_NUM_BRAINBOSS>);
