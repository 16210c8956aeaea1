// ":Models:level*.bg3d": the first version of each level's own model file,
// written where the level table says the game reads it.
#include "BakeLevelModels.h"
#include "BG3DWriter.h"
#include "System/ContentNumbers.h"
#include "System/LevelTable.h"
#include "terrain/WorldKit.h"

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
		// Models 1 … 4 stand in for the level's scenery and contraptions
		// (named for what replaces them) so the capsule gets its fixed
		// number 5.
		void AddHumanCapsule(ModelFile& f, std::initializer_list<const char*> comingFirst)
		{
			for (const char* name : comingFirst)
				f.models.push_back(Placeholder(f, name));
			if (f.models.size() != LEVEL_MODEL_HUMAN_CAPSULE)
				throw std::logic_error("the human capsule must be level model " + std::to_string(LEVEL_MODEL_HUMAN_CAPSULE));
			f.models.push_back(HumanCapsule(f));
		}
	}

	Kit::ModelFile BuildLevelModels(int level)
	{
		ModelFile f;
		switch (level)
		{
			case LEVEL_NUM_FARM:
				f.models.push_back(Backdrop(f, FarmSky, "farm sky"));
				AddHumanCapsule(f, {"farm scenery 1", "farm scenery 2", "wooden jet-breakable gate", "farm scenery 4"});
				break;
			case LEVEL_NUM_BLOB:
				f.models.push_back(SlimeRock(f));
				AddHumanCapsule(f, {"slime scenery 1", "slime scenery 2", "slime scenery 3", "slime scenery 4"});
				AddSlimeBounceModels(f);
				break;
			case LEVEL_NUM_BLOBBOSS:
				f.models.push_back(Backdrop(f, SlimeBossSky, "slime boss sky"));
				break;
			case LEVEL_NUM_APOCALYPSE:
				f.models.push_back(Backdrop(f, ApocalypseSky, "burning city sky"));
				break;
			case LEVEL_NUM_CLOUD:
				f.models.push_back(Backdrop(f, CloudSky, "cloud sky"));
				AddHumanCapsule(f, {"cloud scenery 1", "cloud scenery 2", "cloud scenery 3", "cloud scenery 4"});
				AddBalloonPodModels(f);
				break;
			case LEVEL_NUM_JUNGLE:
				// The jungle boss arena reads the same file: one sky for both.
				f.models.push_back(Backdrop(f, JungleSky, "jungle sky"));
				break;
			case LEVEL_NUM_FIREICE:
				f.models.push_back(Backdrop(f, FireIceSky, "fire and ice sky"));
				AddHumanCapsule(f, {"fire and ice scenery 1", "fire and ice scenery 2", "fire blob and lava rock", "snowball"});
				break;
			case LEVEL_NUM_SAUCER:
				f.models.push_back(PlayerSaucer(f));
				f.models.push_back(PeopleHut(f));
				break;
			case LEVEL_NUM_BRAINBOSS:
				f.models.push_back(AlienPylon(f));
				// The brain boss and its two armoured halves (1 … 3) come with the
				// boss itself; 4 is free for the arena.
				for (const char* name : {"brain boss", "brain boss left half", "brain boss right half", "brain boss arena scenery"})
					f.models.push_back(Placeholder(f, name));
				f.models.push_back(AlienPortal(f));
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
