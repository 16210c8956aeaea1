// Text meshes: the metrics parser, UTF-8 decoding, the layout of text nodes
// (with an untextured font material, so no OpenGL is needed) and the baked font.
#include "3D/MetaObjectsShapes.h"
#include "3D/OGL_DebugOverlay.h"
#include "3D/TGA.h"
#include "3D/TextMesh.h"
#include "System/Boot.h"
#include "System/Error.h"
#include "System/Objects.h"
#include "Bake.h"
#include "FilesTestSupport.h"
#include "formats/FontBaker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

using namespace FilesTestSupport;

namespace
{
	// Line height 40. 'A' advances 24, 'B' 22, space 10; '4' is 16 wide and
	// advances 20, '1' is 8 wide and advances 12; page 1 holds U+0100 only.
	const char* const kMetrics =
		"test font\n"
		"64 40.0\n"
		"codepoint x y width height xoffset yoffset xadvance\n"
		"10\n"
		"65 0 0 20 30 1 -20 24\n"
		"66 20 0 18 30 2 -20 22\n"
		"32 0 0 0 0 0 0 10\n"
		"35 100 0 16 30 0 -20 18\n"
		"63 200 0 14 30 0 -20 16\n"
		"52 300 0 16 30 0 -20 20\n"
		"49 400 0 8 30 0 -20 12\n"
		"48 500 0 16 30 0 -20 20\n"
		"256 600 0 20 40 0 -30 25\n"
		"128512 700 0 30 30 0 -20 30\n"
		"end\n";

	std::vector<std::string> gWarnings;
	void CollectWarning(const char* message) { gWarnings.push_back(message); }

	TextMeshFont ParseOrFail(const std::string& text)
	{
		TextMeshFont font;
		TextMeshParseError error;
		gWarnings.clear();
		EXPECT_TRUE(TextMesh_ParseMetrics(text.c_str(), &font, &error, CollectWarning)) << error.expression;
		return font;
	}

	std::string ParseError(const std::string& text)
	{
		TextMeshFont font;
		TextMeshParseError error;
		EXPECT_FALSE(TextMesh_ParseMetrics(text.c_str(), &font, &error, CollectWarning));
		return std::string(error.function) + ": " + error.expression;
	}

	//
	// Metrics
	//

	TEST(TextMeshMetrics, ReadsGlyphsIntoPagesAndWarnsAboutLargeCodePoints)
	{
		TextMeshFont font = ParseOrFail(kMetrics);
		EXPECT_EQ(font.lineHeight, 40.0f);
		ASSERT_NE(font.pages[0], nullptr);
		ASSERT_NE(font.pages[1], nullptr);
		EXPECT_EQ(font.pages[2], nullptr);
		EXPECT_EQ(font.pages[0]['B'].xadv, 22.0f);
		EXPECT_EQ(font.pages[1][0].h, 40.0f);
		EXPECT_EQ(font.pages[1][1].xadv, 0.0f);		// undefined in an allocated page: all zero

		ASSERT_EQ(gWarnings.size(), 1u);
		EXPECT_EQ(gWarnings[0], "WARNING: codepoint 0x1f600 exceeds supported maximum (0xffff)\n");
	}

	TEST(TextMeshMetrics, DigitsTakeTheAdvanceOfFourAndAreCentredInItsWidth)
	{
		TextMeshFont font = ParseOrFail(kMetrics);
		const TextMeshGlyph* page = font.pages[0].get();
		EXPECT_EQ(page['1'].xadv, 20.0f);
		EXPECT_EQ(page['1'].xoff, 4.0f);		// (16 − 8) / 2
		EXPECT_EQ(page['0'].xoff, 0.0f);
		EXPECT_EQ(page['7'].xadv, 20.0f);		// undefined digits too
		EXPECT_EQ(page['4'].xadv, 20.0f);
	}

	TEST(TextMeshMetrics, NegativeCodePointsAreSkippedWithAWarning)
	{
		TextMeshFont font = ParseOrFail("x\n1 30\nx\n2\n-5 1 1 1 1 1 1 1\n-300 1 1 1 1 1 1 1\nend\n");
		EXPECT_EQ(gWarnings.size(), 2u);
		for (const auto& page : font.pages)
			EXPECT_EQ(page, nullptr);
	}

	TEST(TextMeshMetrics, MalformedFilesFailAtTheCheckThatCatchesThem)
	{
		EXPECT_EQ(ParseError(""), "ParseSFL_SkipLine: *p");
		EXPECT_EQ(ParseError("only a title"), "ParseSFL_SkipLine: *p");
		EXPECT_EQ(ParseError("t\nsixty-four\nx\n0\nend\n"), "ParseSFL: nArgs == 2");
		EXPECT_EQ(ParseError("t\n64 40\nx\nmany\nend\n"), "ParseSFL: nArgs == 1");
		EXPECT_EQ(ParseError("t\n64 40\nx\n1\n65 0 0 20 30 1 -20\nend\n"), "ParseSFL: nArgs == 8");
		// No line after the last glyph line.
		EXPECT_EQ(ParseError("t\n64 40\nx\n1\n65 0 0 20 30 1 -20 24\n"), "ParseSFL_SkipLine: *p");
		// More glyphs announced than there are lines.
		EXPECT_EQ(ParseError("t\n64 40\nx\n3\n65 0 0 20 30 1 -20 24\nend\n"), "ParseSFL: nArgs == 8");
		// CR LF line ends read the same.
		TextMeshFont font = ParseOrFail("t\r\n64 40\r\nx\r\n1\r\n65 0 0 20 30 1 -20 24\r\nend\r\n");
		EXPECT_EQ(font.pages[0]['A'].xadv, 24.0f);
	}

	TEST(TextMeshUTF8, DecodesOneToFourBytesAndStopsAtACutSequence)
	{
		const char* text = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
		EXPECT_EQ(TextMesh_DecodeUTF8(&text), uint32_t('A'));
		EXPECT_EQ(TextMesh_DecodeUTF8(&text), 0xE9u);
		EXPECT_EQ(TextMesh_DecodeUTF8(&text), 0x20ACu);
		EXPECT_EQ(TextMesh_DecodeUTF8(&text), 0x1F600u);
		EXPECT_EQ(TextMesh_DecodeUTF8(&text), 0u);

		const char* cut = "\xE2\x82";
		EXPECT_EQ(TextMesh_DecodeUTF8(&cut), 0u);
		EXPECT_EQ(*cut, '\xE2');		// not advanced
	}

	TEST(TextMeshLayoutPass, MissingPagesShowHashAndLargeCodePointsShowQuestionMark)
	{
		TextMeshFont font = ParseOrFail(kMetrics);
		EXPECT_EQ(&TextMesh_GetGlyph(font, 0x4E00), &font.pages[0]['#']);
		EXPECT_EQ(&TextMesh_GetGlyph(font, 0x1F600), &font.pages[0]['?']);
		EXPECT_EQ(&TextMesh_GetGlyph(font, 0x100), &font.pages[1][0]);

		TextMeshFont empty;
		EXPECT_EQ(TextMesh_GetGlyph(empty, 'A').xadv, 0.0f);		// no page 0 at all: nothing, not a crash
	}

	TEST(TextMeshLayoutPass, CharXSumsWholeAdvancesWithoutNewlines)
	{
		TextMeshFont font = ParseOrFail(kMetrics);
		EXPECT_EQ(TextMesh_CalcCharX(font, "A\nB", 3), 46.0f);
		EXPECT_EQ(TextMesh_CalcCharX(font, "AB", 1), 24.0f);
		EXPECT_EQ(TextMesh_CalcCharX(font, "AB", 9), 46.0f);
	}

	//
	// Text nodes
	//

	class TextNodeTest : public FileLayerTest
	{
	protected:
		FSSpec oldDataFolder;
		int metaObjectsBefore = 0;

		void SetUp() override
		{
			FileLayerTest::SetUp();
			fs::create_directories(dir / "Skeletons");
			WriteText(dir / "System" / "font.sfl", kMetrics);
			oldDataFolder = gDataFolderSpec;
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(dir / "Skeletons");
			InitObjectManager();
			metaObjectsBefore = gNumMetaObjects;
			gWarnings.clear();
			TextMesh_LoadMetrics();
			gFontMaterial = MO_MakeColorMaterial({1, 1, 1, 1});		// stands in for the atlas
		}
		void TearDown() override
		{
			DeleteAllObjects();
			FlushObjectDeleteQueue();
			TextMesh_DisposeMaterial();
			TextMesh_DisposeMetrics();
			EXPECT_EQ(gNumMetaObjects, metaObjectsBefore) << "every meta object released";
			gDataFolderSpec = oldDataFolder;
			FileLayerTest::TearDown();
		}

		static ObjNode* NewText(const char* text, int alignment, float x = 0, float y = 0, float scale = 1)
		{
			ObjectDef def = {};
			def.coord = {x, y, 0};
			def.scale = scale;
			def.slot = 100;
			def.flags = STATUS_BIT_HIDDEN;		// replaced
			return TextMesh_New(text, alignment, &def);
		}

		static MOVertexArrayData* Mesh(ObjNode* node)
		{
			return MO_VertexArrayData(MO_GroupData(node->BaseGroup)->groupContents[1]);
		}
	};

	TEST_F(TextNodeTest, NodeHoldsItsMatrixAndOneTexturedVertexArray)
	{
		ObjNode* node = NewText("AB", TEXTMESH_ALIGN_LEFT);
		EXPECT_EQ(node->Genre, TEXTMESH_GENRE);
		EXPECT_EQ(node->StatusBits, 0xE2880u);
		ASSERT_EQ(MO_GroupData(node->BaseGroup)->numObjectsInGroup, 2);
		EXPECT_EQ(MO_GroupData(node->BaseGroup)->groupContents[0]->type, MO_TYPE_MATRIX);
		MOVertexArrayData* mesh = Mesh(node);
		EXPECT_EQ(mesh->numMaterials, 1);
		EXPECT_EQ(mesh->materials[0], gFontMaterial);
		EXPECT_EQ(mesh->numPoints, 8);
		EXPECT_EQ(mesh->numTriangles, 4);
		EXPECT_EQ(mesh->normals, nullptr);
		EXPECT_EQ(mesh->triangles[3], 0u);
		EXPECT_EQ(mesh->triangles[11], 7u);
	}

	TEST_F(TextNodeTest, GlyphQuadsFollowThePenInHalfFontUnits)
	{
		ObjNode* node = NewText("A", TEXTMESH_ALIGN_LEFT);
		MOVertexArrayData* mesh = Mesh(node);
		// Centre x = (0.5·20 + 1)·0.5 = 5.5, half width 5; y0 = −6, centre y = −6 + (15 − 20)·0.5 = −8.5.
		EXPECT_FLOAT_EQ(mesh->points[0].x, 0.5f);
		EXPECT_FLOAT_EQ(mesh->points[2].x, 10.5f);
		EXPECT_FLOAT_EQ(mesh->points[0].y, -16.0f);
		EXPECT_FLOAT_EQ(mesh->points[2].y, -1.0f);
		EXPECT_FLOAT_EQ(mesh->uvs[0][2].u, 20.0f / 1024.0f);
		EXPECT_FLOAT_EQ(mesh->uvs[0][2].v, 30.0f / 1024.0f);
		EXPECT_EQ(node->LeftOff, 0);
		EXPECT_EQ(node->RightOff, 12);
		EXPECT_EQ(node->TopOff, 0);
		EXPECT_EQ(node->BottomOff, 19);		// trunc(0.475 · 40)
	}

	TEST_F(TextNodeTest, TabMovesToTheNextStopAfterThePen)
	{
		ObjNode* node = NewText("A\tB", TEXTMESH_ALIGN_LEFT);
		MOVertexArrayData* mesh = Mesh(node);
		ASSERT_EQ(mesh->numPoints, 8);
		// After A the pen is at 12; B starts at ceil(13 / 60) · 60 = 60, its quad at 60 + 2 · 0.5.
		EXPECT_FLOAT_EQ(mesh->points[4].x, 61.0f);
		EXPECT_EQ(node->RightOff, 71);		// 60 + 11
	}

	TEST_F(TextNodeTest, CentredLinesArePlacedByTheLastLinesWidth)
	{
		ObjNode* node = NewText("AAAA\nB", TEXTMESH_ALIGN_CENTER);
		MOVertexArrayData* mesh = Mesh(node);
		ASSERT_EQ(mesh->numPoints, 20);
		// The width is B's 11 alone, so every line starts at −5.5.
		EXPECT_FLOAT_EQ(mesh->points[0].x, -5.0f);
		EXPECT_FLOAT_EQ(mesh->points[16].x, -4.5f);
		EXPECT_FLOAT_EQ(mesh->points[16].y, 14.0f + (15.0f - 20.0f) * 0.5f - 7.5f);
		EXPECT_EQ(node->LeftOff, -5);
		EXPECT_EQ(node->RightOff, 5);

		TextMesh_Update("AB", TEXTMESH_ALIGN_RIGHT, node);
		EXPECT_EQ(node->LeftOff, -23);
		EXPECT_EQ(node->RightOff, 0);
		TextMesh_Update("AB", 7, node);		// unknown alignment: left
		EXPECT_EQ(node->LeftOff, 0);
	}

	TEST_F(TextNodeTest, EmptyTextHasNoPointsAndNoWidth)
	{
		ObjNode* node = NewText("", TEXTMESH_ALIGN_CENTER);
		EXPECT_EQ(Mesh(node)->numPoints, 0);
		EXPECT_EQ(Mesh(node)->numTriangles, 0);
		EXPECT_EQ(node->LeftOff, 0);
		EXPECT_EQ(node->RightOff, 0);
		EXPECT_EQ(node->TextMesh, 0);

		TextMesh_Update("  \n\t ", TEXTMESH_ALIGN_LEFT, node);		// only invisible characters
		EXPECT_EQ(Mesh(node)->numPoints, 0);
	}

	TEST_F(TextNodeTest, FallbackGlyphsAndMonospacedDigitsInTheMesh)
	{
		ObjNode* node = NewText("\xE4\xB8\x80\xF0\x9F\x98\x80", TEXTMESH_ALIGN_LEFT);		// U+4E00, U+1F600
		MOVertexArrayData* mesh = Mesh(node);
		ASSERT_EQ(mesh->numPoints, 8);
		EXPECT_FLOAT_EQ(mesh->uvs[0][0].u, 100.0f / 1024.0f);		// '#'
		EXPECT_FLOAT_EQ(mesh->uvs[0][4].u, 200.0f / 1024.0f);		// '?'

		TextMesh_Update("11", TEXTMESH_ALIGN_LEFT, node);
		EXPECT_FLOAT_EQ(Mesh(node)->points[4].x - Mesh(node)->points[0].x, 10.0f);		// 0.5 · advance of '4'
		EXPECT_EQ(node->RightOff, 20);
	}

	TEST_F(TextNodeTest, ArraysGrowToTwiceTheNeedAndAreReusedWhileTheyFit)
	{
		ObjNode* node = NewText("AB", TEXTMESH_ALIGN_LEFT);
		EXPECT_EQ(node->TextMesh, 4);
		OGLPoint3D* points = Mesh(node)->points;
		TextMesh_Update("A B A", TEXTMESH_ALIGN_LEFT, node);
		EXPECT_EQ(node->TextMesh, 4);
		EXPECT_EQ(Mesh(node)->points, points);
		EXPECT_EQ(Mesh(node)->numPoints, 12);
		TextMesh_Update("ABABA", TEXTMESH_ALIGN_LEFT, node);
		EXPECT_EQ(node->TextMesh, 10);
		EXPECT_EQ(Mesh(node)->numPoints, 20);
		TextMesh_Update("A", TEXTMESH_ALIGN_LEFT, node);
		EXPECT_EQ(node->TextMesh, 10);
		EXPECT_EQ(Mesh(node)->numTriangles, 2);
	}

	TEST_F(TextNodeTest, ExtentsAreScaledAndPlacedExactly)
	{
		ObjNode* node = NewText("A\tB", TEXTMESH_ALIGN_CENTER, 100, -50, 0.5f);
		node->Scale.y = 2;
		OGLRect r = TextMesh_GetExtents(node);
		EXPECT_EQ(r.left, float(node->LeftOff) * 0.5f + 100);
		EXPECT_EQ(r.right, float(node->RightOff) * 0.5f + 100);
		EXPECT_EQ(r.top, -50.0f);
		EXPECT_EQ(r.bottom, 19.0f * 2 - 50);
	}

	TEST_F(TextNodeTest, LayoutNeedsTheMaterialAndATextNode)
	{
		ObjNode* node = NewText("A", TEXTMESH_ALIGN_LEFT);
		MetaObjectPtr material = gFontMaterial;
		gFontMaterial = nullptr;
		EXPECT_THROW(TextMesh_Update("B", 0, node), Tamber::QuitRequest);
		EXPECT_NE(gLastFatalMessage.find("Can't lay out text if the font material isn't loaded!"), std::string::npos);
		ObjectDef def = {};
		def.scale = 1;
		EXPECT_THROW(TextMesh_NewEmpty(10, &def), Tamber::QuitRequest);
		EXPECT_NE(gLastFatalMessage.find("TextMesh_InitMesh:"), std::string::npos) << gLastFatalMessage;
		gFontMaterial = material;

		node->Genre = DISPLAY_GROUP_GENRE;
		EXPECT_THROW(TextMesh_Update("B", 0, node), Tamber::QuitRequest);
		EXPECT_NE(gLastFatalMessage.find("textNode->Genre == TEXTMESH_GENRE"), std::string::npos);
		node->Genre = TEXTMESH_GENRE;

		EXPECT_THROW(TextMesh_LoadMetrics(), Tamber::QuitRequest);
		EXPECT_NE(gLastFatalMessage.find("Metrics already loaded"), std::string::npos);
	}

	TEST_F(TextNodeTest, TheDebugOverlayTextIsLaidOutIntoItsNode)
	{
		ObjNode* node = TextMesh_NewDebugTextNode(2048, -320, -100, 0.45f, 0x7FFF);
		ASSERT_NE(node, nullptr);
		EXPECT_EQ(node->TextMesh, 2048);
		EXPECT_EQ(node->Slot, 0x7FFF);
		EXPECT_EQ(node->Coord.x, -320);
		EXPECT_EQ(node->Scale.x, 0.45f);
		EXPECT_EQ(Mesh(node)->numPoints, 0);

		std::string text = OGL_ComposeDebugText();
		TextMesh_SetDebugText(node, text.c_str());
		int visible = 0;
		for (const char* p = text.c_str(); uint32_t c = TextMesh_DecodeUTF8(&p);)
			visible += c != '\n' && c != '\t' && c != ' ';
		EXPECT_GT(visible, 100);
		EXPECT_EQ(Mesh(node)->numPoints, 4 * visible);
		EXPECT_EQ(node->TextMesh, 2048);		// fits: no reallocation
	}

	//
	// The baked font
	//

	TEST(TextMeshBakedFont, MetricsAndAtlasMatchAndCoverTheGamesCharacters)
	{
		TempDir dir;
		ASSERT_EQ(Bake::RunSteps(Bake::Context{dir.path}, "system/font"), 1);

		TextMeshFont font = ParseOrFail(ReadText(dir.path / "System" / "font.sfl"));
		EXPECT_TRUE(gWarnings.empty());
		EXPECT_GT(font.lineHeight, 10.0f);
		std::set<uint32_t> missing;
		for (uint32_t c : Bake::FontCodePoints())
		{
			const TextMeshGlyph* page = font.pages[c >> 8].get();
			if (!page || (page[c & 0xFF].xadv <= 0 && c != 0))
				missing.insert(c);
		}
		EXPECT_TRUE(missing.empty()) << missing.size() << " code points without a glyph, e.g. U+" << std::hex << *missing.begin();
		for (uint32_t c : {uint32_t('#'), uint32_t('?'), uint32_t('4'), uint32_t('|'), 0xE9u, 0xF6u, 0xC5u})
			EXPECT_GT(font.pages[0] ? TextMesh_GetGlyph(font, c).w : 0.0f, 0.0f) << c;

		// Every glyph rectangle lies inside the atlas, and both atlases are 1024 × 1024.
		for (const auto& page : font.pages)
			if (page)
				for (int i = 0; i < TEXTMESH_GLYPHS_PER_PAGE; i++)
				{
					const TextMeshGlyph& g = page[size_t(i)];
					EXPECT_TRUE(g.x >= 0 && g.y >= 0 && g.x + g.w <= 1024 && g.y + g.h <= 1024) << i;
				}
		for (const char* atlas : {"font1.tga", "font2.tga"})
		{
			std::vector<uint8_t> bytes = ReadAll(dir.path / "System" / atlas);
			std::vector<uint8_t> pixels;
			TGAHeader header;
			TGAError error;
			ASSERT_EQ(int(TGA_Decode(bytes.data(), bytes.size(), true, &header, &pixels, &error)), int(TGAStatus::OK)) << atlas;
			EXPECT_EQ(header.width, 1024);
			EXPECT_EQ(header.height, 1024);

			// The glyph 'W' has ink inside its rectangle.
			const TextMeshGlyph& w = font.pages[0]['W'];
			int ink = 0;
			for (int y = int(w.y); y < int(w.y + w.h); y++)
				for (int x = int(w.x); x < int(w.x + w.w); x++)
					ink += pixels[(size_t(y) * 1024 + size_t(x)) * 4 + 3] > 128;
			EXPECT_GT(ink, int(w.w * w.h) / 8) << atlas;
		}
	}
}
