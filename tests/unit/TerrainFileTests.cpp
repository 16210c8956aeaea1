// Terrain files: the baker's writer against the game's reader (every table,
// the unit conversions, optional resources, the bordered textures), and a
// corpus of broken files that must each stop with a message naming the file.
#include "FilesTestSupport.h"
#include "TerrainTestSupport.h"
#include "System/Error.h"
#include "DataReaders.h"
#include "Resources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace TerrainTestSupport;
using namespace TerrainBake;

namespace
{
	// A 16 × 24 tile world with something in every optional table.
	TerrainFileContent FullContent()
	{
		TerrainFileContent c = SimpleContent(2, 3, [](float x, float z) { return x * 0.1f - z * 0.05f + 7; });
		c.tileSize = 112.5f;							// heights are doubled on reading
		c.attributeFlags = {0, 0x0001, 0x0006};
		c.attributeIndex[5] = 1;
		c.attributeIndex[size_t(c.tilesWide) * 3 + 2] = 2;
		c.items.clear();
		FileItem start;
		start.x = 3;									// map units: world 42.1875, truncated
		start.z = 100;
		start.type = 0;
		start.parm = {2, 9, 8, 7};
		FileItem other = start;
		other.x = 200;
		other.z = 300;
		other.type = 26;
		other.flags = 0x10;
		c.items = {other, start};						// written ordered by x
		FileSpline s;
		s.nubs = {{10, 10}, {50, 10}, {50, 50}, {10, 50}, {10, 14}};		// a loop, its ends 4 apart
		s.points = {{1, 2}, {3, 4}, {5, 6}};
		s.items = {{0.25f, 7, {1, 2, 3, 4}, 0}};
		s.bounds = {1, 2, 3, 4};
		c.splines = {s};
		FileFence f;
		f.type = 3;
		f.nubs = {{10, 20}, {-30, 40}, {50, 60}};
		c.fences = {f};
		FileWaterPatch w;
		w.type = 5;
		w.flags = 0xABCD1234;
		w.height = -7;
		w.nubs = {{1, 1}, {100, 1}, {100, 90}, {1, 80}};
		w.hotSpotX = 50;
		w.hotSpotZ = 40;
		w.bounds = {-1, -2, 300, 400};
		c.water = {w};
		// Texture 1 shows black pixels and a few colours.
		c.textures[1][0] = 0x0000;
		c.textures[1][1] = 0x7C00;
		c.textures[1][2] = 0x03E0 | 0x8000;
		return c;
	}

	void ExpectTablesOf(const TerrainFileContent& c)
	{
		EXPECT_EQ(gMapTilesWide, 16);
		EXPECT_EQ(gMapTilesDeep, 24);
		EXPECT_EQ(gMapUnitWidth, 16 * 225);
		EXPECT_EQ(gMapUnitDepth, 24 * 225);
		EXPECT_EQ(gSuperTilesWide, 2);
		EXPECT_EQ(gSuperTilesDeep, 3);
		EXPECT_EQ(gNumUniqueSuperTiles, 7);
		EXPECT_EQ(gNumTileAttributes, 3);
		EXPECT_EQ(gTileAttributes[2].flags, 0x0006);
		EXPECT_EQ(gTileAttribIndexGrid[0][5], 1);
		EXPECT_EQ(gTileAttribIndexGrid[3][2], 2);
		EXPECT_EQ(gSuperTileTextureGrid[2][1].textureNum, 6);

		// Heights: scaled by 225 / tileSize into both tables.
		for (int r : {0, 7, 24})
			for (int col : {0, 9, 16})
			{
				float expected = c.heights[size_t(r) * 17 + size_t(col)] * 2.0f;
				EXPECT_FLOAT_EQ(gMapHeights[r][col], expected);
				EXPECT_FLOAT_EQ(gMapBaseHeights[r][col], expected);
			}

		ASSERT_EQ(gNumTerrainItems, 2);
		EXPECT_EQ(gTerrainItemList[0].x, 42u) << "3 map units are 42.1875 world units, truncated";
		EXPECT_EQ(gTerrainItemList[0].z, 1406u);
		EXPECT_EQ(gTerrainItemList[0].parm[1], 9);
		EXPECT_EQ(gTerrainItemList[1].x, 2812u);
		EXPECT_EQ(gTerrainItemList[1].type, 26);
		EXPECT_EQ(gTerrainItemList[1].flags, 0x10);

		ASSERT_EQ(gNumSplines, 1);
		const SplineRecord& s = gSplineList[0];
		ASSERT_EQ(s.numNubs, 5);
		EXPECT_FLOAT_EQ((*s.nubList)[3].z, 50);
		// The loop is closed at its ends' midpoint and baked again: three points
		// per map unit of 40 + 40 + 40 + 36, not the file's three.
		EXPECT_FLOAT_EQ((*s.nubList)[0].z, 12);
		EXPECT_FLOAT_EQ((*s.nubList)[4].z, 12);
		ASSERT_EQ(s.numPoints, 468);
		EXPECT_FLOAT_EQ((*s.pointList)[0].x, 10);
		EXPECT_FLOAT_EQ((*s.pointList)[0].z, 12);
		EXPECT_NEAR((*s.pointList)[120].x, 50, 1e-3) << "span 1 starts on nub 1";
		ASSERT_EQ(s.numItems, 1);
		EXPECT_FLOAT_EQ((*s.itemList)[0].placement, 0.25f);
		EXPECT_EQ((*s.itemList)[0].type, 7);
		EXPECT_EQ((*s.itemList)[0].parm[3], 4);
		EXPECT_EQ(s.bBox[3], 4);
		ASSERT_GE(s.numPoints, 2);

		ASSERT_EQ(gNumFences, 1);
		EXPECT_EQ(gFenceList[0].type, 3);
		ASSERT_EQ(gFenceList[0].numNubs, 3);
		EXPECT_FLOAT_EQ(gFenceList[0].nubList[1].x, -30);
		EXPECT_FLOAT_EQ(gFenceList[0].nubList[1].y, 0);
		EXPECT_FLOAT_EQ(gFenceList[0].nubList[2].z, 60);

		ASSERT_EQ(gNumWaterPatches, 1);
		const WaterPatchRecord& w = gWaterList[0];
		EXPECT_EQ(w.type, 5);
		EXPECT_EQ(w.flags, 0xABCD1234u);
		EXPECT_EQ(w.height, -7);
		EXPECT_EQ(w.numNubs, 4);
		EXPECT_FLOAT_EQ(w.nubList[2].x, 100);
		EXPECT_FLOAT_EQ(w.nubList[2].y, 90);
		EXPECT_FLOAT_EQ(w.hotSpotZ, 40);
		EXPECT_EQ(w.bBox[3], 400);

		// Textures: host order, and opaque everywhere off the Cloud level (black too).
		ASSERT_TRUE(gSuperTileTexturePixels);
		const uint16_t* t1 = gSuperTileTexturePixels + SUPERTILE_TEXTURE_PIXELS;
		EXPECT_EQ(t1[0], 0x8000);
		EXPECT_EQ(t1[1], 0xFC00);
		EXPECT_EQ(t1[2], 0x83E0);
		EXPECT_EQ(t1[3], 0x8001);
		EXPECT_EQ(gSuperTileTexturePixels[6 * SUPERTILE_TEXTURE_PIXELS + 100], 0x8006);
	}

	struct TerrainFile : TerrainTest
	{
		MemoryTerrain terrain = FromContent(FullContent());

		// Reads the (altered) terrain and returns the fatal message, or "" when it loaded.
		std::string ReadMessage()
		{
			gLastFatalMessage.clear();
			try
			{
				ReadFromMemory(terrain, "Broken.ter");
			}
			catch (const Tamber::QuitRequest&)
			{
				DisposeTerrainFileTables();
				return gLastFatalMessage;
			}
			DisposeTerrainFileTables();
			return "";
		}

		void SetBE32(const char (&type)[5], size_t offset, uint32_t v)
		{
			std::vector<uint8_t>& r = terrain.At(type);
			for (int i = 0; i < 4; i++)
				r[offset + size_t(i)] = uint8_t(v >> (24 - 8 * i));
		}
		void SetBE16(const char (&type)[5], size_t offset, uint16_t v, int16_t id = 1000)
		{
			std::vector<uint8_t>& r = terrain.At(type, id);
			r[offset] = uint8_t(v >> 8);
			r[offset + 1] = uint8_t(v);
		}
	};
}

TEST_F(TerrainFile, WriterAndReaderAgreeThroughRealFiles)
{
	FilesTestSupport::TempDir dir;
	Tamber::Files::Init();
	Bake::Context context{dir.path};
	WriteTerrainFile(context, "Terrain/Full.ter", FullContent());
	FSSpec spec = Tamber::Files::HostPathToFSSpec(dir.path / "Terrain" / "Full.ter");
	int before = Tamber::Files::GetNumOpenRefNums();
	ReadTerrainFileData(&spec);
	EXPECT_EQ(Tamber::Files::GetNumOpenRefNums(), before) << "both forks are closed again";
	ExpectTablesOf(FullContent());
	DisposeTerrainFileTables();
	Tamber::Files::Shutdown();
}

TEST_F(TerrainFile, ReadsEveryTableFromMemory)
{
	ReadFromMemory(terrain);
	ExpectTablesOf(FullContent());
}

TEST_F(TerrainFile, MissingOptionalResourcesMeanNoneWhateverTheHeaderSays)
{
	terrain.resources.erase({FOUR_CC("Spln"), 1000});
	terrain.resources.erase({FOUR_CC("Fenc"), 1000});
	terrain.resources.erase({FOUR_CC("Liqd"), 1000});
	ReadFromMemory(terrain);
	EXPECT_EQ(gNumSplines, 0);
	EXPECT_EQ(gNumFences, 0);
	EXPECT_EQ(gNumWaterPatches, 0);
	EXPECT_EQ(gSplineList, nullptr);
}

TEST_F(TerrainFile, BlackIsSeeThroughOnlyOnTheCloudLevel)
{
	gCurrentLevel = LEVEL_NUM_CLOUD;
	ReadFromMemory(terrain);
	const uint16_t* t1 = gSuperTileTexturePixels + SUPERTILE_TEXTURE_PIXELS;
	EXPECT_EQ(t1[0], 0x0000) << "pure black is clear";
	EXPECT_EQ(t1[1], 0xFC00) << "any colour is opaque";
	EXPECT_EQ(gSuperTileTexturePixels[0], 0x0000) << "the blank texture is clear too";
}

TEST_F(TerrainFile, BorderedTexturesTakeTheirFrameFromTheNeighbours)
{
	TerrainFileContent c = SimpleContent(3, 3, [](float, float) { return 0.0f; });
	// Each texture: pixel (r, col) = texture number in the high bits, position in the low.
	for (size_t t = 1; t < c.textures.size(); t++)
		for (int r = 0; r < 128; r++)
			for (int col = 0; col < 128; col++)
				c.textures[t][size_t(r) * 128 + size_t(col)] = uint16_t((t << 11) | ((r & 31) << 5) | (col & 31));
	c.superTileTextures[5] = 0;			// cell (1, 2) is empty: it shows the blank texture
	terrain = FromContent(c);
	ReadFromMemory(terrain);

	auto pixel = [](int t, int r, int col) { return uint16_t(0x8000 | (t << 11) | ((r & 31) << 5) | (col & 31)); };
	std::vector<uint16_t> b(130 * 130);

	// The centre cell (1, 1), texture 5: all eight neighbours exist.
	BuildBorderedSuperTileTexture(1, 1, b.data());
	EXPECT_EQ(b[1 * 130 + 1], pixel(5, 0, 0));
	EXPECT_EQ(b[128 * 130 + 128], pixel(5, 127, 127));
	EXPECT_EQ(b[0 * 130 + 7], pixel(2, 127, 6)) << "row 0: the last row of the cell above";
	EXPECT_EQ(b[129 * 130 + 7], pixel(8, 0, 6)) << "row 129: the first row of the cell below";
	EXPECT_EQ(b[9 * 130 + 0], pixel(4, 8, 127)) << "column 0: the last column of the cell to the left";
	EXPECT_EQ(b[9 * 130 + 129], 0x8000) << "column 129: the empty cell shows the blank texture";
	EXPECT_EQ(b[0], pixel(1, 127, 127));
	EXPECT_EQ(b[129], pixel(3, 127, 0));
	EXPECT_EQ(b[129 * 130], pixel(7, 0, 127));
	EXPECT_EQ(b[129 * 130 + 129], pixel(9, 0, 0));

	// A corner cell: the frame outside the map stays 0.
	BuildBorderedSuperTileTexture(0, 0, b.data());
	EXPECT_EQ(b[0], 0);
	EXPECT_EQ(b[5], 0);
	EXPECT_EQ(b[5 * 130], 0);
	EXPECT_EQ(b[129], 0);
	EXPECT_EQ(b[129 * 130], 0);
	EXPECT_EQ(b[5 * 130 + 129], pixel(2, 4, 0));
	EXPECT_EQ(b[129 * 130 + 129], pixel(5, 0, 0));
}

//
// The malformed corpus
//

TEST_F(TerrainFile, ASoundFileReadsWithoutAMessage)
{
	EXPECT_EQ(ReadMessage(), "");
}

TEST_F(TerrainFile, BadHeadersStopWithAMessageNamingTheFile)
{
	struct Case { const char* what; std::function<void(TerrainFile&)> damage; const char* message; };
	const Case cases[] = {
		{"no header", [](TerrainFile& t) { t.terrain.resources.erase({FOUR_CC("Hedr"), 1000}); }, "Error reading header resource!"},
		{"short header", [](TerrainFile& t) { t.terrain.At("Hedr").resize(40); }, "'Hedr' 1000 holds 40 bytes"},
		{"width 0", [](TerrainFile& t) { t.SetBE32("Hedr", 8, 0); }, "terrain width 0 is not between"},
		{"width 12", [](TerrainFile& t) { t.SetBE32("Hedr", 8, 12); }, "terrain width not a supertile multiple"},
		{"negative depth", [](TerrainFile& t) { t.SetBE32("Hedr", 12, uint32_t(-8)); }, "terrain depth -8 is not between"},
		{"depth 20", [](TerrainFile& t) { t.SetBE32("Hedr", 12, 20); }, "terrain depth not a supertile multiple"},
		{"huge map", [](TerrainFile& t) { t.SetBE32("Hedr", 8, 1 << 20); }, "terrain width 1048576"},
		{"tile size 0", [](TerrainFile& t) { t.SetBE32("Hedr", 24, 0); }, "tile size 0 is not a positive number"},
		{"tile size NaN", [](TerrainFile& t) { t.SetBE32("Hedr", 24, 0x7FC00000); }, "is not a positive number"},
		{"no textures", [](TerrainFile& t) { t.SetBE32("Hedr", 44, 0); }, "0 supertile textures"},
		{"too many textures", [](TerrainFile& t) { t.SetBE32("Hedr", 44, 2501); }, "2501 supertile textures"},
		{"negative items", [](TerrainFile& t) { t.SetBE32("Hedr", 4, uint32_t(-1)); }, "negative item count"},
	};
	for (const Case& c : cases)
	{
		terrain = FromContent(FullContent());
		c.damage(*this);
		std::string message = ReadMessage();
		EXPECT_NE(message.find(c.message), std::string::npos) << c.what << ": " << message;
		EXPECT_NE(message.find("Broken.ter"), std::string::npos) << c.what << ": " << message;
	}
}

TEST_F(TerrainFile, TablesThatDoNotFitTheMapStopWithAMessage)
{
	struct Case { const char* what; std::function<void(TerrainFile&)> damage; const char* message; };
	const Case cases[] = {
		{"no attributes", [](TerrainFile& t) { t.terrain.resources.erase({FOUR_CC("Atrb"), 1000}); }, "Error reading tile attrib resource!"},
		{"empty attributes", [](TerrainFile& t) { t.terrain.At("Atrb").clear(); }, "'Atrb' holds no tile attributes"},
		{"no grid", [](TerrainFile& t) { t.terrain.resources.erase({FOUR_CC("STgd"), 1000}); }, "Error reading supertile rez resource!"},
		{"short grid", [](TerrainFile& t) { t.terrain.At("STgd").resize(20); }, "'STgd' 1000 holds 20 bytes"},
		{"texture past the table", [](TerrainFile& t) { t.SetBE16("STgd", 2, 7); }, "uses texture 7 of 7"},
		{"texture twice", [](TerrainFile& t) { t.SetBE16("STgd", 6, 1); }, "supertile isn't unique!"},
		{"no layer", [](TerrainFile& t) { t.terrain.resources.erase({FOUR_CC("Layr"), 1000}); }, "Error reading map layer rez"},
		{"short layer", [](TerrainFile& t) { t.terrain.At("Layr").resize(100); }, "'Layr' 1000 holds 100 bytes"},
		{"attribute past the list", [](TerrainFile& t) { t.SetBE16("Layr", 10, 3); }, "uses attribute 3 of 3"},
		{"no heights", [](TerrainFile& t) { t.terrain.resources.erase({FOUR_CC("YCrd"), 1000}); }, "Error reading height data resource!"},
		{"short heights", [](TerrainFile& t) { t.terrain.At("YCrd").resize(16 * 24 * 4); }, "'YCrd' 1000 holds 1536 bytes"},
		{"infinite height", [](TerrainFile& t) { t.SetBE32("YCrd", 40, 0x7F800000); }, "is not a number"},
		{"no items", [](TerrainFile& t) { t.terrain.resources.erase({FOUR_CC("Itms"), 1000}); }, "Error reading itemlist resource!"},
		{"items short", [](TerrainFile& t) { t.terrain.At("Itms").resize(20); }, "GetHandleSize(hand) == (Size)(gNumTerrainItems * sizeof(TerrainItemEntryType))"},
		{"item count huge", [](TerrainFile& t) { t.SetBE32("Hedr", 4, 0x10000001); }, "GetHandleSize(hand)"},
	};
	for (const Case& c : cases)
	{
		terrain = FromContent(FullContent());
		c.damage(*this);
		std::string message = ReadMessage();
		EXPECT_NE(message.find(c.message), std::string::npos) << c.what << ": " << message;
		EXPECT_NE(message.find("Broken.ter"), std::string::npos) << c.what << ": " << message;
	}
}

TEST_F(TerrainFile, BrokenSplinesFencesAndWaterStopWithAMessage)
{
	struct Case { const char* what; std::function<void(TerrainFile&)> damage; const char* message; };
	const Case cases[] = {
		{"spline list short", [](TerrainFile& t) { t.SetBE32("Hedr", 36, 3); }, "'Spln' 1000 holds 32 bytes, too few for 3"},
		{"spline count past the IDs", [](TerrainFile& t) { t.SetBE32("Hedr", 36, 40000); }, "40000 splines"},
		{"negative spline count", [](TerrainFile& t) { t.SetBE32("Hedr", 36, uint32_t(-2)); }, "negative spline count"},
		{"one nub", [](TerrainFile& t) { t.SetBE16("Spln", 0, 1); }, "spline->numNubs >= 2"},
		{"one point", [](TerrainFile& t) { t.SetBE32("Spln", 8, 1); }, "spline->numPoints >= 2"},
		{"negative spline items", [](TerrainFile& t) { t.SetBE16("Spln", 16, 0xFFFF); }, "spline 0 has a negative item count"},
		{"nubs missing", [](TerrainFile& t) { t.terrain.resources.erase({FOUR_CC("SpNb"), 1000}); }, "hand"},
		{"nubs short", [](TerrainFile& t) { t.terrain.At("SpNb").resize(12); }, "'SpNb' 1000 holds 12 bytes"},
		{"points past the resource", [](TerrainFile& t) { t.SetBE32("Spln", 8, 0x7FFFFFFF); }, "'SpPt' 1000 holds"},
		{"spline items short", [](TerrainFile& t) { t.terrain.At("SpIt").resize(11); }, "'SpIt' 1000 holds 11 bytes"},
		{"loop of three nubs", [](TerrainFile& t) { t.SetBE16("Spln", 0, 3); }, "PatchSplineLoop: spline 0: numNubs > numWrapNubs"},
		{"loop left open", [](TerrainFile& t) { t.SetBE32("SpNb", 36, 0x42700000); }, "too far apart for seamless looping"},	// last z 60
		{"loop of infinite length", [](TerrainFile& t) { t.SetBE32("SpNb", 8, 0x7F800000); }, "spline too long"},
		{"fence list short", [](TerrainFile& t) { t.SetBE32("Hedr", 40, 2); }, "'Fenc' 1000 holds 16 bytes"},
		{"negative fence nubs", [](TerrainFile& t) { t.SetBE16("Fenc", 2, 0xFFF0); }, "fence 0 has a negative nub count"},
		{"fence nubs missing", [](TerrainFile& t) { t.terrain.resources.erase({FOUR_CC("FnNb"), 1000}); }, "cant get fence nub rez"},
		{"fence nubs short", [](TerrainFile& t) { t.SetBE16("Fenc", 2, 80); }, "'FnNb' 1000 holds 24 bytes"},
		{"water list short", [](TerrainFile& t) { t.SetBE32("Hedr", 48, 2); }, "'Liqd' 1000 holds 836 bytes"},
		{"water nubs past the record", [](TerrainFile& t) { t.SetBE16("Liqd", 12, 101); }, "water patch 0 has 101 nubs"},
		{"negative water nubs", [](TerrainFile& t) { t.SetBE16("Liqd", 12, 0x8000); }, "water patch 0 has -32768 nubs"},
	};
	for (const Case& c : cases)
	{
		terrain = FromContent(FullContent());
		c.damage(*this);
		std::string message = ReadMessage();
		EXPECT_NE(message.find(c.message), std::string::npos) << c.what << ": " << message;
		EXPECT_NE(message.find("Broken.ter"), std::string::npos) << c.what << ": " << message;
	}
}

TEST_F(TerrainFile, BrokenTextureStreamsStopWithAMessage)
{
	auto withFork = [&](std::function<void(std::vector<uint8_t>&)> damage) {
		terrain = FromContent(FullContent());
		damage(terrain.dataFork);
		return ReadMessage();
	};
	// The first texture's stream: 4 length bytes, then the stream.
	uint32_t firstLength = PeekBEU32(terrain.dataFork.data());

	EXPECT_NE(withFork([](std::vector<uint8_t>& f) { f.clear(); }).find("the data fork ends before texture 0 of 7"), std::string::npos);
	EXPECT_NE(withFork([](std::vector<uint8_t>& f) { f.resize(f.size() - 3); }).find("claims"), std::string::npos);
	EXPECT_NE(withFork([](std::vector<uint8_t>& f) { f[0] = 0x7F; }).find("claims"), std::string::npos);
	// A stream cut short decodes to too few bytes; one run on too far to too many.
	std::string shortStream = withFork([&](std::vector<uint8_t>& f) {
		uint32_t cut = firstLength / 2;
		f.erase(f.begin() + 4 + long(cut), f.begin() + 4 + long(firstLength));
		f[0] = uint8_t(cut >> 24); f[1] = uint8_t(cut >> 16); f[2] = uint8_t(cut >> 8); f[3] = uint8_t(cut);
	});
	EXPECT_NE(shortStream.find("LZSS_Decode size is wrong!"), std::string::npos) << shortStream;
	std::string longStream = withFork([&](std::vector<uint8_t>& f) {
		// Append the second texture's stream to the first one's.
		uint32_t second = PeekBEU32(&f[4 + firstLength]);
		std::vector<uint8_t> extra(f.begin() + 8 + long(firstLength), f.begin() + 8 + long(firstLength + second));
		f.insert(f.begin() + 4 + long(firstLength), extra.begin(), extra.end());
		uint32_t total = firstLength + second;
		f[0] = uint8_t(total >> 24); f[1] = uint8_t(total >> 16); f[2] = uint8_t(total >> 8); f[3] = uint8_t(total);
	});
	EXPECT_NE(longStream.find("LZSS_Decode size is wrong!"), std::string::npos) << longStream;
}

TEST_F(TerrainFile, AFailedReadLeavesNothingBehindOnceDisposed)
{
	auto before = Tamber::GetMemoryStats();
	terrain.At("SpIt").resize(3);
	EXPECT_NE(ReadMessage(), "");
	auto after = Tamber::GetMemoryStats();
	EXPECT_EQ(after.liveBlocks, before.liveBlocks) << "every resource and table of the failed read is released";
}

TEST_F(TerrainFile, TheBakerWritesTheSameBytesEveryTime)
{
	// Painting and compression run on several threads; the bytes must not care.
	for (int level : {LEVEL_NUM_BLOBBOSS, LEVEL_NUM_BRAINBOSS})
	{
		MemoryTerrain a = FromContent(BakeWorld(MakeWorldDesign(level)));
		MemoryTerrain b = FromContent(BakeWorld(MakeWorldDesign(level)));
		EXPECT_TRUE(a.dataFork == b.dataFork) << "level " << level;
		EXPECT_TRUE(a.resources == b.resources) << "level " << level;
	}
}
