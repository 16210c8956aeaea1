// The baked models, sprites and font: every number the game relies on
// exists, the files are well formed (read back by an independent walker),
// the robot's mesh fits the skeleton loader's limits, and two bakes give
// identical bytes.
#include "Bake.h"
#include "BakedData.h"
#include "models/BakeGlobalModels.h"
#include "skeletons/BakeRobot.h"
#include "System/ContentNumbers.h"
#include "kit/Model.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace Kit;

namespace
{
	using Bytes = std::vector<uint8_t>;

	Bytes ReadFile(const fs::path& path)
	{
		std::ifstream in(path, std::ios::binary);
		return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
	}

	// The steps this content comes from (plus the strings, whose characters
	// the font must cover).
	const char* const kSteps[] = {"models/global", "skeletons/quog-mesh", "sprites/", "system/font", "system/strings"};

	fs::path BakeInto(const std::string& name)
	{
		fs::path dir = fs::temp_directory_path() / ("zapp-bake-" + name + "-" + std::to_string(::getpid()));
		fs::remove_all(dir);
		Bake::Context context{dir};
		for (const char* step : kSteps)
			EXPECT_GE(Bake::RunSteps(context, step), 1) << step;
		return dir;
	}

	// The shared baked Data folder: the content as the game gets it.
	class BakedContent : public ::testing::Test
	{
	protected:
		static void SetUpTestSuite() { gDir = &BakedData::Folder(); }
		static inline const fs::path* gDir = nullptr;
	};

	//
	// An independent walker of BG3D files: checks the record stream and
	// collects what the game will see.
	//
	struct WalkedGeometry
	{
		int32_t numMaterials = 0;
		uint32_t layer0 = 0, numPoints = 0, numTriangles = 0;
		std::set<uint32_t> arrays;			// array tags seen
	};

	struct WalkedFile
	{
		std::string error;					// empty when well formed
		std::vector<bool> textured;			// per material
		std::vector<std::vector<WalkedGeometry>> models;
	};

	WalkedFile Walk(const Bytes& b)
	{
		WalkedFile f;
		size_t at = 0;
		auto need = [&](size_t n) {
			if (at + n > b.size())
				throw std::runtime_error("truncated at " + std::to_string(at));
		};
		auto u32 = [&]() {
			need(4);
			uint32_t v = uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
			at += 4;
			return v;
		};
		try
		{
			need(20);
			if (memcmp(b.data(), "BG3D", 4) != 0)
				throw std::runtime_error("bad magic");
			at = 20;
			int depth = 0;
			WalkedGeometry* geo = nullptr;
			for (;;)
			{
				uint32_t tag = u32();
				if (tag == 11)
					break;
				switch (tag)
				{
					case 0: u32(); f.textured.push_back(false); break;
					case 1:
						if (f.textured.empty()) throw std::runtime_error("colour before material");
						need(16); at += 16; break;
					case 2:
					{
						if (f.textured.empty()) throw std::runtime_error("texture before material");
						uint32_t w = u32(), h = u32(), src = u32(), dst = u32(), size = u32();
						need(16);
						at += 16;
						uint32_t bpp = src == 0x8366 ? 2 : src == 0x1907 ? 3 : src == 0x1908 ? 4 : 0;
						if (bpp == 0 || size != w * h * bpp || (src == 0x1908) != (dst == 0x1908))
							throw std::runtime_error("bad texture header");
						need(size);
						at += size;
						f.textured.back() = true;
						break;
					}
					case 3:
						if (depth == 0)
							f.models.emplace_back();
						depth++;
						break;
					case 4:
						if (--depth < 0) throw std::runtime_error("unbalanced end group");
						break;
					case 5:
					{
						if (depth == 0)
							f.models.emplace_back();
						WalkedGeometry g;
						if (u32() != 0) throw std::runtime_error("geometry type");
						g.numMaterials = int32_t(u32());
						g.layer0 = u32();
						u32(); u32(); u32(); u32();
						g.numPoints = u32();
						g.numTriangles = u32();
						need(16);
						at += 16;
						if (g.numMaterials < 0 || g.numMaterials > 1 || (g.numMaterials == 1 && g.layer0 >= f.textured.size()))
							throw std::runtime_error("bad material reference");
						f.models.back().push_back(g);
						geo = &f.models.back().back();
						break;
					}
					case 6: case 7: case 8: case 9: case 10:
					{
						if (!geo || !geo->arrays.insert(tag).second)
							throw std::runtime_error("array without geometry, or twice");
						size_t bytes = tag == 6 || tag == 7 ? 12u * geo->numPoints : tag == 8 ? 8u * geo->numPoints
									 : tag == 9 ? 4u * geo->numPoints : 0;
						if (tag == 10)
							for (uint32_t i = 0; i < geo->numTriangles * 3; i++)
								if (u32() >= geo->numPoints)
									throw std::runtime_error("triangle index out of range");
						need(bytes);
						at += bytes;
						break;
					}
					default:
						throw std::runtime_error("unknown tag " + std::to_string(tag));
				}
			}
			if (depth != 0)
				throw std::runtime_error("groups left open");
			if (at != b.size())
				throw std::runtime_error("bytes after the end tag");
		}
		catch (const std::exception& e)
		{
			f.error = e.what();
		}
		return f;
	}

	//
	// A reader for the sprites' 32-bit run-length TGA files.
	//
	struct Tga
	{
		int width = 0, height = 0, type = 0, bpp = 0, descriptor = 0;
		std::vector<std::array<uint8_t, 4>> pixels;		// BGRA
	};

	Tga ReadTga32(const Bytes& b)
	{
		Tga t;
		if (b.size() < 18)
			return t;
		t.type = b[2];
		t.width = b[12] | b[13] << 8;
		t.height = b[14] | b[15] << 8;
		t.bpp = b[16];
		t.descriptor = b[17];
		size_t at = 18 + b[0];
		size_t count = size_t(t.width) * size_t(t.height);
		while (t.pixels.size() < count && at < b.size())
		{
			uint8_t h = b[at++];
			int n = (h & 0x7F) + 1;
			if (h & 0x80)
			{
				if (at + 4 > b.size()) break;
				for (int i = 0; i < n; i++)
					t.pixels.push_back({b[at], b[at + 1], b[at + 2], b[at + 3]});
				at += 4;
			}
			else
				for (int i = 0; i < n && at + 4 <= b.size(); i++, at += 4)
					t.pixels.push_back({b[at], b[at + 1], b[at + 2], b[at + 3]});
		}
		if (at != b.size())
			t.pixels.clear();
		return t;
	}

	bool IsPowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }
}

TEST_F(BakedContent, GlobalModelFileHasEveryModelTheGameNames)
{
	WalkedFile f = Walk(ReadFile(*gDir / "Models/global.bg3d"));
	ASSERT_EQ(f.error, "");
	ASSERT_EQ(f.models.size(), size_t(NUM_GLOBAL_MODELS));
	for (size_t m = 0; m < f.models.size(); m++)
	{
		SCOPED_TRACE("model " + std::to_string(m));
		ASSERT_FALSE(f.models[m].empty());
		for (const WalkedGeometry& g : f.models[m])
		{
			EXPECT_EQ(g.arrays, (std::set<uint32_t>{6, 7, 8, 9, 10}));
			EXPECT_EQ(g.numMaterials, 1);
			EXPECT_GT(g.numTriangles, 0u);
		}
	}
	EXPECT_LE(f.textured.size(), 400u);
}

TEST_F(BakedContent, SphereMappedModelsAreTexturedAndOwnTheirMaterials)
{
	WalkedFile f = Walk(ReadFile(*gDir / "Models/global.bg3d"));
	ASSERT_EQ(f.error, "");
	// The game switches sphere maps on for these models' geometries at load.
	std::vector<int> mapped = {GLOBAL_MODEL_POWERUP_POD, GLOBAL_MODEL_CHECKPOINT_POST};
	for (int m = GLOBAL_MODEL_RIGHT_HAND_OPEN; m <= GLOBAL_MODEL_HELD_ARCSHOT; m++)
		mapped.push_back(m);
	for (int m : mapped)
		for (const WalkedGeometry& g : f.models[size_t(m)])
			EXPECT_TRUE(f.textured[g.layer0]) << "model " << m;

	// A material changed for one model must not change another.
	std::map<uint32_t, size_t> owner;
	for (size_t m = 0; m < f.models.size(); m++)
		for (const WalkedGeometry& g : f.models[m])
		{
			auto [it, fresh] = owner.emplace(g.layer0, m);
			EXPECT_TRUE(fresh || it->second == m) << "material " << g.layer0 << " shared by models " << it->second << " and " << m;
		}

	WalkedFile robot = Walk(ReadFile(*gDir / "Skeletons/Quog.bg3d"));
	ASSERT_EQ(robot.error, "");
	ASSERT_EQ(robot.models.size(), 1u);
	for (const WalkedGeometry& g : robot.models[0])
	{
		EXPECT_TRUE(f.textured.size() > 0 && robot.textured[g.layer0]);
		EXPECT_TRUE(g.arrays.count(7)) << "skinned meshes need normals";
	}
}

TEST(BakeGlobalModels, ShapesMeetTheGamesFixedPoints)
{
	ModelFile file = GlobalModels::BuildGlobalModels();
	auto bounds = [&](int m) { return ComputeBounds(file.models[size_t(m)]); };

	// Pod lights ride the bands at radius 16.8, heights 7 and 63 (model units).
	Bounds pod = bounds(GLOBAL_MODEL_POWERUP_POD);
	EXPECT_NEAR(pod.min.y, 0, 0.5f);
	EXPECT_GT(pod.max.y, 63);
	EXPECT_NEAR(pod.max.x, 20, 2);
	EXPECT_LE(bounds(GLOBAL_MODEL_POD_HALF_LEFT).max.x, 0.01f);
	EXPECT_GE(bounds(GLOBAL_MODEL_POD_HALF_RIGHT).min.x, -0.01f);

	// Hands hang from the wrist to about the jump jet's hit points (0, -50, 0).
	for (int m = GLOBAL_MODEL_RIGHT_HAND_OPEN; m <= GLOBAL_MODEL_LEFT_HAND_FIST; m++)
	{
		Bounds b = bounds(m);
		EXPECT_NEAR(b.max.y, 0, 1) << m;
		EXPECT_NEAR(b.min.y, -50, 6) << m;
	}
	EXPECT_NEAR(bounds(GLOBAL_MODEL_LEFT_HAND_OPEN).min.x, -bounds(GLOBAL_MODEL_RIGHT_HAND_OPEN).max.x, 1e-3f);

	// Guns reach the muzzle at (-1, -70, -22).
	for (int m : {GLOBAL_MODEL_HELD_STUNGUN, GLOBAL_MODEL_HELD_FREEZEGUN, GLOBAL_MODEL_HELD_ARCSHOT, GLOBAL_MODEL_HELD_FLARE})
	{
		Bounds b = bounds(m);
		EXPECT_NEAR(b.min.y, -70, 4) << m;
		EXPECT_LT(b.min.z, -22) << m;
	}

	// Pick-ups are centred; the dart flies point first along -z.
	for (int m : {GLOBAL_MODEL_STUNGUN_PICKUP, GLOBAL_MODEL_FREEZEGUN_PICKUP, GLOBAL_MODEL_ARCSHOT_PICKUP, GLOBAL_MODEL_FLARE_PICKUP})
	{
		Vec3 c = bounds(m).Center();
		EXPECT_LT(Length(c), 0.01f) << m;
		EXPECT_GT(bounds(m).Size().z, bounds(m).Size().y) << m;
	}
	EXPECT_GT(bounds(GLOBAL_MODEL_DART).Size().z, 100);

	// The raider's rim lights shine at radius 290.
	EXPECT_NEAR(bounds(GLOBAL_MODEL_RAIDER_SAUCER_RIM).max.x, 290 + 17, 3);

	// The hatch turns about its own origin and lies back along +z.
	Bounds hatch = bounds(GLOBAL_MODEL_EXIT_SAUCER_HATCH);
	EXPECT_NEAR(hatch.min.z, 0, 0.01f);
	EXPECT_NEAR(hatch.max.y, 0, 0.01f);
	EXPECT_LT(hatch.min.y, -5);
	// Opened by 2.5 radians it reaches down to (nearly) the ground.
	float reach = hatch.max.z * std::sin(2.5f);
	EXPECT_NEAR(EXIT_SAUCER_HATCH_HINGE_Y - reach, 0, 12);
	EXPECT_NEAR(bounds(GLOBAL_MODEL_EXIT_SAUCER).min.y, 0, 1);

	// The checkpoint's lamps are where the lit post's sparkles shine.
	Bounds head = bounds(GLOBAL_MODEL_CHECKPOINT_HEAD);
	EXPECT_LT(head.min.x, -7.4f);
	EXPECT_GT(head.max.z, 5.43f);
	EXPECT_LT(head.min.z, -6.68f);
	EXPECT_LT(bounds(GLOBAL_MODEL_CHECKPOINT_POST).max.y, CHECKPOINT_LAMP_Y);

	// The shutters meet in the middle and cover the screen at scale 2.
	Bounds left = bounds(GLOBAL_MODEL_SHUTTER_LEFT), right = bounds(GLOBAL_MODEL_SHUTTER_RIGHT);
	EXPECT_FLOAT_EQ(left.max.x, 0);
	EXPECT_FLOAT_EQ(left.min.x, -SHUTTER_WIDTH);
	EXPECT_FLOAT_EQ(right.min.x, 0);
	EXPECT_FLOAT_EQ(right.max.x, SHUTTER_WIDTH);
	EXPECT_GE(2 * SHUTTER_WIDTH, 320);
	EXPECT_GE(2 * SHUTTER_HALF_HEIGHT * 2, 480);
}

namespace
{
	// The skeleton loader's decomposition of a reference mesh: points merged
	// within 0.001 per axis, unit normals within 0.02, walked in file order.
	struct Decomposition
	{
		int meshes = 0;
		std::vector<Vec3> points;
		std::vector<std::vector<int>> pointTags;		// the joint tags of each point's references
		std::vector<Vec3> normals;
	};

	Decomposition Decompose(const Node& model)
	{
		Decomposition d;
		ForEachGeometry(model, [&](const Node& g) {
			d.meshes++;
			const Mesh& m = g.mesh;
			for (size_t i = 0; i < m.points.size(); i++)
			{
				Vec3 p = m.points[i];
				size_t k = 0;
				for (; k < d.points.size(); k++)
					if (std::fabs(d.points[k].x - p.x) <= 0.001f && std::fabs(d.points[k].y - p.y) <= 0.001f && std::fabs(d.points[k].z - p.z) <= 0.001f)
						break;
				if (k == d.points.size())
				{
					d.points.push_back(p);
					d.pointTags.emplace_back();
				}
				d.pointTags[k].push_back(m.tags[i]);

				Vec3 n = Normalize(m.normals[i]);
				size_t j = 0;
				for (; j < d.normals.size(); j++)
					if (std::fabs(d.normals[j].x - n.x) <= 0.02f && std::fabs(d.normals[j].y - n.y) <= 0.02f && std::fabs(d.normals[j].z - n.z) <= 0.02f)
						break;
				if (j == d.normals.size())
					d.normals.push_back(n);
			}
		});
		return d;
	}
}

TEST(BakeRobot, BodyFitsTheSkeletonLoadersLimits)
{
	ModelFile file = Robot::BuildBody();
	ASSERT_EQ(file.models.size(), 1u);
	Decomposition d = Decompose(file.models[0]);
	EXPECT_LE(d.meshes, 10);
	EXPECT_LE(d.points.size(), 1000u);
	EXPECT_LE(d.normals.size(), 800u);
	for (size_t k = 0; k < d.points.size(); k++)
	{
		EXPECT_LE(d.pointTags[k].size(), 10u) << "point " << k;
		// Rigid binding: every vertex at a point moves with the same joint.
		for (int tag : d.pointTags[k])
			EXPECT_EQ(tag, d.pointTags[k][0]) << "point " << k << " is shared by two joints";
	}
}

TEST(BakeRobot, JointsFormATreeAndBindTheRightSides)
{
	static_assert(Robot::NUM_JOINTS >= 16 && Robot::NUM_JOINTS <= 20);
	static_assert(Robot::LEFT_HAND == 12 && Robot::RIGHT_HAND == 15);
	std::array<int, Robot::NUM_JOINTS> children{};
	for (int j = 0; j < Robot::NUM_JOINTS; j++)
	{
		int parent = Robot::JOINTS[j].parent;
		EXPECT_EQ(parent == -1, j == 0) << j;
		if (j == 0)
			continue;
		ASSERT_GE(parent, 0);
		ASSERT_LT(parent, Robot::NUM_JOINTS);
		children[size_t(parent)]++;
		int steps = 0;		// walking up must reach the root
		for (int p = j; p != 0 && steps <= Robot::NUM_JOINTS; p = Robot::JOINTS[p].parent)
			steps++;
		EXPECT_LE(steps, Robot::NUM_JOINTS) << "cycle at joint " << j;
	}
	for (int c : children)
		EXPECT_LE(c, 19);

	ModelFile file = Robot::BuildBody();
	std::set<int> used;
	Bounds all = ComputeBounds(file.models[0]);
	ForEachGeometry(file.models[0], [&](const Node& g) {
		for (size_t i = 0; i < g.mesh.points.size(); i++)
		{
			int tag = g.mesh.tags[i];
			ASSERT_GE(tag, 0);
			ASSERT_LT(tag, Robot::NUM_JOINTS);
			used.insert(tag);
			std::string name = Robot::JOINTS[tag].name;
			float x = g.mesh.points[i].x;
			// The robot faces -z, so its left side is -x.
			if (name.rfind("left", 0) == 0)
			{
				EXPECT_LT(x, 0) << name;
			}
			if (name.rfind("right", 0) == 0)
			{
				EXPECT_GT(x, 0) << name;
			}
			// Every vertex is near its joint.
			EXPECT_LT(Length(g.mesh.points[i] - Robot::JOINTS[tag].pivot), 70) << name;
		}
	});
	for (int j = 0; j < Robot::NUM_JOINTS; j++)
	{
		if (j != Robot::LEFT_HAND && j != Robot::RIGHT_HAND)
		{
			EXPECT_TRUE(used.count(j)) << "joint " << Robot::JOINTS[j].name << " moves nothing";
		}
	}
	EXPECT_NEAR(all.min.y, 0, 0.01f);
	EXPECT_NEAR(all.max.y, Robot::HEIGHT, 2);
	// The wrists hang where the hand models attach.
	EXPECT_NEAR(Robot::JOINTS[Robot::RIGHT_HAND].pivot.x, -Robot::JOINTS[Robot::LEFT_HAND].pivot.x, 1e-4f);
}

TEST_F(BakedContent, SpriteSetsHaveTheirImagesAsDrawnPictures)
{
	const std::pair<const char*, int> sets[] =
	{
		{SPRITE_SET_SPHEREMAPS, NUM_SPHEREMAP_SPRITES}, {SPRITE_SET_INFOBAR, NUM_INFOBAR_SPRITES},
		{SPRITE_SET_PARTICLES, NUM_PARTICLE_SPRITES}, {SPRITE_SET_FENCES, NUM_FENCE_SPRITES},
		{SPRITE_SET_GLOBAL, NUM_GLOBAL_SPRITES},
	};
	for (auto [set, count] : sets)
	{
		for (int i = 0; i <= count; i++)
		{
			char name[64];
			snprintf(name, sizeof(name), "sprites/%s/%s%03d.tga", set, set, i);
			fs::path path = *gDir / name;
			if (i == count)
			{
				EXPECT_FALSE(fs::exists(path)) << "extra image " << name;
				continue;
			}
			SCOPED_TRACE(name);
			Tga t = ReadTga32(ReadFile(path));
			EXPECT_EQ(t.type, 10);
			EXPECT_EQ(t.bpp, 32);
			EXPECT_EQ(t.descriptor, 0x28);
			EXPECT_TRUE(IsPowerOfTwo(t.width) && IsPowerOfTwo(t.height));
			ASSERT_EQ(t.pixels.size(), size_t(t.width) * size_t(t.height));
			// A drawn picture, not one flat colour (some are simple shapes the game tints).
			std::set<uint32_t> distinct;
			for (const auto& p : t.pixels)
				distinct.insert(uint32_t(p[0]) | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24);
			EXPECT_GT(distinct.size(), 2u);
		}
	}
}

TEST_F(BakedContent, FontMetricsMatchTheAtlasAndCoverTheStrings)
{
	std::ifstream in(*gDir / "System/font.sfl");
	std::vector<std::string> lines;
	for (std::string line; std::getline(in, line);)
		lines.push_back(line);
	ASSERT_GE(lines.size(), 5u);
	int size = 0;
	float lineHeight = 0;
	ASSERT_EQ(sscanf(lines[1].c_str(), "%d %f", &size, &lineHeight), 2);
	EXPECT_GT(lineHeight, size);
	int n = 0;
	ASSERT_EQ(sscanf(lines[3].c_str(), "%d", &n), 1);
	ASSERT_GE(int(lines.size()), 4 + n + 1) << "a line must follow the last glyph";

	struct Rect { int x, y, w, h; };
	std::map<uint32_t, Rect> glyphs;
	for (int i = 0; i < n; i++)
	{
		int cp, x, y, w, h;
		float ox, oy, adv;
		ASSERT_EQ(sscanf(lines[size_t(4 + i)].c_str(), "%d %d %d %d %d %f %f %f", &cp, &x, &y, &w, &h, &ox, &oy, &adv), 8);
		EXPECT_GE(cp, 0);
		EXPECT_LT(cp, 0x10000);
		EXPECT_GT(adv, 0) << cp;
		EXPECT_GE(x, 0);
		EXPECT_GE(y, 0);
		EXPECT_LE(x + w, 1024);
		EXPECT_LE(y + h, 1024);
		glyphs[uint32_t(cp)] = {x, y, w, h};
	}
	for (uint32_t c : {uint32_t('#'), uint32_t('?'), uint32_t(' '), uint32_t('|'), uint32_t('<'), uint32_t('>')})
		EXPECT_TRUE(glyphs.count(c)) << c;
	for (char c = '0'; c <= '9'; c++)
		EXPECT_TRUE(glyphs.count(uint32_t(c)));

	// No two glyphs overlap in the atlas.
	std::vector<Rect> rects;
	for (auto& [cp, r] : glyphs)
		if (r.w > 0)
			rects.push_back(r);
	for (size_t i = 0; i < rects.size(); i++)
		for (size_t j = i + 1; j < rects.size(); j++)
		{
			const Rect &a = rects[i], &b = rects[j];
			bool overlap = a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
			EXPECT_FALSE(overlap) << i << " and " << j;
		}

	// The atlas has ink inside a glyph's rectangle: check the middle of 'A'.
	for (const char* atlas : {"System/font1.tga", "System/font2.tga"})
	{
		Tga t = ReadTga32(ReadFile(*gDir / atlas));
		ASSERT_EQ(t.width, 1024);
		ASSERT_EQ(t.height, 1024);
		ASSERT_EQ(t.pixels.size(), 1024u * 1024u);
		Rect a = glyphs['A'];
		int inked = 0;
		for (int y = a.y; y < a.y + a.h; y++)
			for (int x = a.x; x < a.x + a.w; x++)
				inked += t.pixels[size_t(y) * 1024 + size_t(x)][3] > 128;
		EXPECT_GT(inked, a.w * a.h / 8) << atlas;
	}

	// Every character of every language's strings has a glyph.
	Bytes text = ReadFile(*gDir / "System/strings.tsv");
	ASSERT_FALSE(text.empty());
	for (size_t i = 0; i < text.size();)
	{
		uint32_t c = text[i];
		int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
		c &= extra == 0 ? 0x7F : extra == 1 ? 0x1F : extra == 2 ? 0x0F : 0x07;
		for (int k = 1; k <= extra && i + size_t(k) < text.size(); k++)
			c = c << 6 | (text[i + size_t(k)] & 0x3F);
		i += size_t(extra) + 1;
		if (c != '\t' && c != '\n' && c != '\r')
		{
			EXPECT_TRUE(glyphs.count(c)) << "no glyph for U+" << std::hex << c;
		}
	}
}

TEST(BakeDeterminism, TwoBakesGiveIdenticalBytes)
{
	fs::path a = BakeInto("first"), b = BakeInto("second");
	size_t files = 0;
	for (const auto& entry : fs::recursive_directory_iterator(a))
	{
		if (!entry.is_regular_file())
			continue;
		fs::path rel = fs::relative(entry.path(), a);
		ASSERT_TRUE(fs::exists(b / rel)) << rel;
		EXPECT_TRUE(ReadFile(entry.path()) == ReadFile(b / rel)) << rel << " differs between bakes";
		files++;
	}
	EXPECT_GT(files, 130u);
	fs::remove_all(a);
	fs::remove_all(b);
}
