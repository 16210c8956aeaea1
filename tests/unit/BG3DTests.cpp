// BG3D model files: the parser against the baker's writer and against
// malformed files, and the model groups built from them (without OpenGL: the
// files here have no textures, or are only parsed).
#include "3D/BG3D.h"
#include "3D/MetaObjectsRegistry.h"
#include "System/Error.h"
#include "formats/BG3DWriter.h"
#include "formats/BigEndianWriter.h"
#include "FilesTestSupport.h"
#include "kit/Primitives.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace FilesTestSupport;

namespace
{
	// Hand-made files, record by record.
	struct FileBuilder
	{
		Bake::BigEndianWriter w;

		FileBuilder()
		{
			w.Bytes("BG3D", 4);
			w.Zeros(16);
		}
		FileBuilder& Tag(uint32_t tag) { w.U32(tag); return *this; }
		FileBuilder& Material(uint32_t flags) { w.U32(BG3D_TAG_MATERIALFLAGS); w.U32(flags); return *this; }
		FileBuilder& Diffuse(float r, float g, float b, float a)
		{
			w.U32(BG3D_TAG_MATERIALDIFFUSECOLOR);
			for (float c : {r, g, b, a})
				w.F32(c);
			return *this;
		}
		FileBuilder& Texture(uint32_t width, uint32_t height, int32_t src, int32_t dst, uint32_t bufferSize,
				size_t bytesThatFollow)
		{
			w.U32(BG3D_TAG_TEXTUREMAP);
			w.U32(width);
			w.U32(height);
			w.S32(src);
			w.S32(dst);
			w.U32(bufferSize);
			w.Zeros(16);
			w.Zeros(bytesThatFollow);
			return *this;
		}
		FileBuilder& Group() { return Tag(BG3D_TAG_GROUP); }
		FileBuilder& EndGroup() { return Tag(BG3D_TAG_ENDGROUP); }
		FileBuilder& Geometry(uint32_t numPoints, uint32_t numTriangles, int32_t numMaterials = 0,
				std::vector<uint32_t> layers = {}, uint32_t type = 0)
		{
			w.U32(BG3D_TAG_GEOMETRY);
			w.U32(type);
			w.S32(numMaterials);
			layers.resize(4);
			for (uint32_t l : layers)
				w.U32(l);
			w.U32(0);
			w.U32(numPoints);
			w.U32(numTriangles);
			w.Zeros(16);
			return *this;
		}
		FileBuilder& Floats(uint32_t tag, const std::vector<float>& v)
		{
			w.U32(tag);
			for (float f : v)
				w.F32(f);
			return *this;
		}
		FileBuilder& Indices(const std::vector<uint32_t>& v)
		{
			w.U32(BG3D_TAG_TRIANGLEARRAY);
			for (uint32_t i : v)
				w.U32(i);
			return *this;
		}
		// One triangle of the given size at height y.
		FileBuilder& Triangle(float size, float y = 0, int32_t numMaterials = 0, uint32_t material = 0)
		{
			Geometry(3, 1, numMaterials, {material});
			Floats(BG3D_TAG_VERTEXARRAY, {0, y, 0, size, y, 0, 0, y + size, 0});
			return Indices({0, 1, 2});
		}
		std::vector<uint8_t> End() { w.U32(BG3D_TAG_ENDFILE); return w.Take(); }
		std::vector<uint8_t> Unfinished() { return w.Take(); }
	};

	bool Parse(const std::vector<uint8_t>& bytes, BG3DFileData* file, std::string* error = nullptr)
	{
		std::string e;
		bool ok = BG3D_ParseFile(bytes.data(), bytes.size(), file, &e);
		if (error)
			*error = e;
		return ok;
	}

	std::string Refusal(const std::vector<uint8_t>& bytes)
	{
		BG3DFileData file;
		std::string error;
		EXPECT_FALSE(Parse(bytes, &file, &error));
		return error;
	}

	// A model file using every material and texture form the baker writes.
	Kit::ModelFile SampleModelFile()
	{
		Kit::ModelFile file;
		Kit::Image texture(4, 2);
		for (int i = 0; i < 8; i++)
			texture.pixels[size_t(i)] = {uint8_t(i * 30), uint8_t(255 - i * 20), uint8_t(i * 7), uint8_t(i < 4 ? 255 : 40)};
		int plain = file.AddMaterial(Kit::ColorMaterial(0.5f, Kit::MAT_ALWAYS_BLEND));
		int t1555 = file.AddMaterial(Kit::TextureMaterial(texture, Kit::TextureFormat::ARGB1555));
		int rgb = file.AddMaterial(Kit::TextureMaterial(texture, Kit::TextureFormat::RGB8_TO_1555, Kit::MAT_CLAMP_U));
		int rgba = file.AddMaterial(Kit::TextureMaterial(texture, Kit::TextureFormat::RGBA8));

		Kit::Mesh box = Kit::Box({2, 4, 6});
		for (size_t i = 0; i < box.colors.size(); i++)
			box.colors[i] = {uint8_t(i), 100, 200, 255};
		file.models.push_back(Kit::MakeGroup({Kit::MakeGeometry(box, plain), Kit::MakeGeometry(Kit::Sphere(1, 6, 4), t1555)}, "two"));
		file.models.push_back(Kit::MakeGeometry(Kit::Cone(3, 5, 5), rgb));		// a bare geometry model
		file.models.push_back(Kit::MakeGroup({Kit::MakeGroup({Kit::MakeGeometry(Kit::Quad(8, 8), rgba)})}, "nested"));
		return file;
	}

	void ExpectGeometryMatches(const BG3DGeometryRecord& g, const Kit::Node& node)
	{
		const Kit::Mesh& mesh = node.mesh;
		ASSERT_EQ(g.numPoints, mesh.points.size());
		ASSERT_EQ(g.numTriangles, mesh.triangles.size());
		EXPECT_EQ(g.numMaterials, node.material >= 0 ? 1 : 0);
		if (node.material >= 0)
		{
			EXPECT_EQ(g.layerMaterialNum[0], uint32_t(node.material));
		}
		for (size_t i = 0; i < mesh.points.size(); i++)
		{
			EXPECT_EQ(g.points[i * 3 + 1], mesh.points[i].y);
			EXPECT_EQ(g.normals[i * 3 + 2], mesh.normals[i].z);
			EXPECT_EQ(g.uvs[i * 2 + 0], mesh.uvs[i].x);
			EXPECT_EQ(g.colors[i * 4 + 0], mesh.colors[i].r);
		}
		for (size_t i = 0; i < mesh.triangles.size(); i++)
			EXPECT_EQ(g.triangles[i * 3 + 2], mesh.triangles[i][2]);
	}

	//
	// Parsing
	//

	TEST(BG3DParse, ReadsWhatTheBakerWrites)
	{
		Kit::ModelFile model = SampleModelFile();
		BG3DFileData file;
		std::string error;
		ASSERT_TRUE(Parse(Bake::WriteBG3D(model), &file, &error)) << error;

		ASSERT_EQ(file.materials.size(), 4u);
		EXPECT_EQ(file.materials[0].flags, uint32_t(Kit::MAT_ALWAYS_BLEND));
		EXPECT_EQ(file.materials[0].diffuseColor[3], 0.5f);
		EXPECT_TRUE(file.materials[0].images.empty());

		const BG3DImage& words = file.materials[1].images.at(0);
		EXPECT_EQ(words.width, 4u);
		EXPECT_EQ(words.height, 2u);
		EXPECT_EQ(words.srcPixelFormat, BG3D_GL_UNSIGNED_SHORT_1_5_5_5_REV);
		// Stored big-endian, handed over in host order: pixel 1 is r 30, g 235, b 7, opaque.
		uint16_t pixel1;
		std::memcpy(&pixel1, words.pixels.data() + 2, 2);
		EXPECT_EQ(pixel1, uint16_t(0x8000 | (30 >> 3) << 10 | (235 >> 3) << 5 | (7 >> 3)));

		EXPECT_EQ(file.materials[2].images.at(0).srcPixelFormat, BG3D_GL_RGB);
		EXPECT_EQ(file.materials[2].images.at(0).dstPixelFormat, BG3D_GL_RGB5_A1);
		EXPECT_EQ(file.materials[3].images.at(0).pixels.size(), 4u * 2u * 4u);

		ASSERT_EQ(file.root.members.size(), 3u);
		const BG3DNode& two = file.root.members[0];
		ASSERT_TRUE(two.isGroup);
		ASSERT_EQ(two.members.size(), 2u);
		ExpectGeometryMatches(two.members[0].geometry, model.models[0].members[0]);
		ExpectGeometryMatches(two.members[1].geometry, model.models[0].members[1]);
		EXPECT_FALSE(file.root.members[1].isGroup);
		ExpectGeometryMatches(file.root.members[1].geometry, model.models[1]);
		const BG3DNode& nested = file.root.members[2];
		ASSERT_EQ(nested.members.size(), 1u);
		ASSERT_EQ(nested.members[0].members.size(), 1u);
		ExpectGeometryMatches(nested.members[0].members[0].geometry, model.models[2].members[0].members[0]);
	}

	TEST(BG3DParse, GroupRecordsNestAndEndGroupReturnsToTheParent)
	{
		FileBuilder b;
		b.Group().Group().Triangle(1).EndGroup().Triangle(2).EndGroup();		// model 0: a group and a triangle
		b.Group().EndGroup();												// model 1: empty
		b.Triangle(3);														// model 2: bare geometry, no material
		BG3DFileData file;
		ASSERT_TRUE(Parse(b.End(), &file));
		ASSERT_EQ(file.root.members.size(), 3u);
		const BG3DNode& first = file.root.members[0];
		ASSERT_EQ(first.members.size(), 2u);
		EXPECT_TRUE(first.members[0].isGroup);
		EXPECT_EQ(first.members[0].members.size(), 1u);
		EXPECT_EQ(first.members[1].geometry.points[3], 2.0f);
		EXPECT_TRUE(file.root.members[1].members.empty());
		EXPECT_EQ(file.root.members[2].geometry.numMaterials, 0);
		EXPECT_TRUE(file.materials.empty());
	}

	TEST(BG3DParse, HeaderAndRecordStreamErrors)
	{
		EXPECT_EQ(Refusal({'B', 'G', '3', 'D', 0, 0}), "ReadBG3DHeader: FSRead failed");
		std::vector<uint8_t> badMagic = FileBuilder().End();
		badMagic[3] = 'X';
		EXPECT_EQ(Refusal(badMagic), "ReadBG3DHeader: BG3D file has invalid header.");
		EXPECT_EQ(Refusal(FileBuilder().Tag(12).End()), "ParseBG3DFile: unrecognized tag");
		EXPECT_EQ(Refusal(FileBuilder().Triangle(1).Unfinished()), "ParseBG3DFile: the file ends before its end tag");
		EXPECT_EQ(Refusal(FileBuilder().EndGroup().End()), "EndGroup: stack is empty!");
		EXPECT_EQ(Refusal(FileBuilder().Diffuse(1, 1, 1, 1).End()), "ReadMaterialDiffuseColor: gBG3D_CurrentMaterialObj == nil");
		EXPECT_EQ(Refusal(FileBuilder().Texture(1, 1, BG3D_GL_RGBA, BG3D_GL_RGBA, 4, 4).End()),
			"ReadMaterialTextureMap: gBG3D_CurrentMaterialObj == nil");
	}

	TEST(BG3DParse, LimitsOfMaterialsNestingAndGroupSize)
	{
		FileBuilder materials;
		for (int i = 0; i < 400; i++)
			materials.Material(0);
		BG3DFileData file;
		std::vector<uint8_t> four00 = materials.End();
		ASSERT_TRUE(Parse(four00, &file));
		EXPECT_EQ(file.materials.size(), 400u);
		four00.insert(four00.end() - 4, {0, 0, 0, 0, 0, 0, 0, 0});		// one more material record
		EXPECT_EQ(Refusal(four00), "ReadMaterialFlags: more than 400 materials in the file");

		FileBuilder deep;
		for (int i = 0; i < 49; i++)
			deep.Group();
		for (int i = 0; i < 49; i++)
			deep.EndGroup();
		ASSERT_TRUE(Parse(deep.End(), &file));
		FileBuilder tooDeep;
		for (int i = 0; i < 50; i++)
			tooDeep.Group();
		EXPECT_EQ(Refusal(tooDeep.End()), "ReadGroup: gBG3D_GroupStackIndex overflow!");

		FileBuilder wide;
		wide.Group();
		for (int i = 0; i < 71; i++)
			wide.Group().EndGroup();
		EXPECT_EQ(Refusal(wide.EndGroup().End()), "ParseBG3DFile: too many objects in one group (70 at most)");
	}

	TEST(BG3DParse, TheSeventhImageOfAMaterialIsRefused)
	{
		FileBuilder b;
		b.Material(1);
		for (int i = 0; i < 6; i++)
			b.Texture(1, 1, BG3D_GL_RGBA, BG3D_GL_RGBA, 4, 4);
		std::vector<uint8_t> six = FileBuilder(b).End();
		BG3DFileData file;
		ASSERT_TRUE(Parse(six, &file));
		EXPECT_EQ(file.materials[0].images.size(), 6u);
		b.Texture(1, 1, BG3D_GL_RGBA, BG3D_GL_RGBA, 4, 4);
		EXPECT_EQ(Refusal(b.End()), "ReadMaterialTextureMap: mipmap overflow!");
	}

	TEST(BG3DParse, TextureSizesAndFormatsAreChecked)
	{
		auto texture = [](uint32_t w, uint32_t h, int32_t src, int32_t dst, uint32_t bufferSize, size_t follow) {
			return Refusal(FileBuilder().Material(1).Texture(w, h, src, dst, bufferSize, follow).End());
		};
		EXPECT_EQ(texture(4, 4, BG3D_GL_RGBA, BG3D_GL_RGBA, 63, 63), "ReadMaterialTextureMap: pixel buffer is smaller than the image");
		EXPECT_EQ(texture(4, 4, BG3D_GL_RGB, BG3D_GL_RGB5_A1, 47, 47), "ReadMaterialTextureMap: pixel buffer is smaller than the image");
		EXPECT_EQ(texture(4, 4, BG3D_GL_UNSIGNED_SHORT_1_5_5_5_REV, BG3D_GL_RGB5_A1, 31, 31),
			"ReadMaterialTextureMap: pixel buffer is smaller than the image");
		EXPECT_EQ(texture(0, 4, BG3D_GL_RGBA, BG3D_GL_RGBA, 0, 0), "ReadMaterialTextureMap: texture size out of range");
		EXPECT_EQ(texture(65536, 65536, BG3D_GL_RGBA, BG3D_GL_RGBA, 0, 0), "ReadMaterialTextureMap: texture size out of range");
		EXPECT_EQ(texture(2, 2, 0x1234, BG3D_GL_RGBA, 16, 16), "ReadMaterialTextureMap: unsupported pixel format");
		EXPECT_EQ(texture(2, 2, BG3D_GL_RGBA, 0x1234, 16, 16), "ReadMaterialTextureMap: unsupported pixel format");
		// A buffer size beyond the end of the file.
		EXPECT_EQ(texture(2, 2, BG3D_GL_RGBA, BG3D_GL_RGBA, 0xFFFFFFF0, 16), "ReadMaterialTextureMap: FSRead failed");

		BG3DFileData file;
		ASSERT_TRUE(Parse(FileBuilder().Material(1).Texture(2, 2, BG3D_GL_RGB, BG3D_GL_RGB, 12, 12).End(), &file));
	}

	TEST(BG3DParse, GeometryHeadersAreChecked)
	{
		EXPECT_EQ(Refusal(FileBuilder().Geometry(3, 1, 0, {}, 1).End()), "ReadNewGeometry: unknown geo type");
		EXPECT_EQ(Refusal(FileBuilder().Material(0).Geometry(0, 0, 3, {0, 0, 0}).End()), "ReadNewGeometry: numMaterials out of range");
		EXPECT_EQ(Refusal(FileBuilder().Material(0).Geometry(0, 0, -1).End()), "ReadNewGeometry: numMaterials out of range");
		EXPECT_EQ(Refusal(FileBuilder().Material(0).Geometry(0, 0, 1, {1}).End()), "ReadNewGeometry: material index out of range");
		EXPECT_EQ(Refusal(FileBuilder().Material(0).Material(0).Geometry(0, 0, 2, {1, 2}).End()),
			"ReadNewGeometry: material index out of range");
		EXPECT_EQ(Refusal(FileBuilder().Geometry(0xFFFFFFFF, 1).End()), "ReadNewGeometry: too many points or triangles");
		EXPECT_EQ(Refusal(FileBuilder().Geometry(3, 0x40000000).End()), "ReadNewGeometry: too many points or triangles");

		BG3DFileData file;
		ASSERT_TRUE(Parse(FileBuilder().Material(0).Material(0).Geometry(0, 0, 2, {1, 0}).End(), &file));
		EXPECT_EQ(file.root.members[0].geometry.layerMaterialNum[0], 1u);
	}

	TEST(BG3DParse, ArraysNeedAGeometryComeOnceAndFitTheFile)
	{
		EXPECT_EQ(Refusal(FileBuilder().Floats(BG3D_TAG_VERTEXARRAY, {0, 0, 0}).End()), "ReadVertexArray: no geometry");
		EXPECT_EQ(Refusal(FileBuilder().Indices({0, 0, 0}).End()), "ReadTriangleArray: no geometry");
		EXPECT_EQ(Refusal(FileBuilder().Tag(BG3D_TAG_COLORARRAY).End()), "ReadVertexColorArray: no geometry");
		EXPECT_EQ(Refusal(FileBuilder().Triangle(1).Floats(BG3D_TAG_VERTEXARRAY, {0, 0, 0, 0, 0, 0, 0, 0, 0}).End()),
			"ReadVertexArray: points already assigned!");
		EXPECT_EQ(Refusal(FileBuilder().Triangle(1).Indices({0, 1, 2}).End()), "ReadTriangleArray: triangles already assigned!");
		EXPECT_EQ(Refusal(FileBuilder().Geometry(3, 1).Floats(BG3D_TAG_UVARRAY, {0, 0, 1, 0, 1}).Unfinished()), "ReadUVArray: FSRead failed");
		EXPECT_EQ(Refusal(FileBuilder().Geometry(100000, 1).Floats(BG3D_TAG_NORMALARRAY, {0, 0, 1}).End()),
			"ReadNormalArray: FSRead failed");
	}

	TEST(BG3DParse, TrianglesMustIndexExistingPoints)
	{
		FileBuilder b;
		b.Geometry(3, 1).Floats(BG3D_TAG_VERTEXARRAY, {0, 0, 0, 1, 0, 0, 0, 1, 0}).Indices({0, 1, 3});
		EXPECT_EQ(Refusal(b.End()), "ReadTriangleArray: vertex index out of range");

		EXPECT_EQ(Refusal(FileBuilder().Geometry(3, 1).Floats(BG3D_TAG_VERTEXARRAY, {0, 0, 0, 1, 0, 0, 0, 1, 0}).End()),
			"ParseBG3DFile: geometry has triangles but no vertex or triangle array");
		EXPECT_EQ(Refusal(FileBuilder().Geometry(3, 1).Indices({0, 1, 2}).End()),
			"ParseBG3DFile: geometry has triangles but no vertex or triangle array");

		// Points without triangles are harmless.
		BG3DFileData file;
		EXPECT_TRUE(Parse(FileBuilder().Geometry(3, 0).Floats(BG3D_TAG_VERTEXARRAY, {0, 0, 0, 1, 0, 0, 0, 1, 0}).End(), &file));
	}

	TEST(BG3DParse, EveryTruncationOfABakedFileFailsCleanly)
	{
		std::vector<uint8_t> bytes = Bake::WriteBG3D(SampleModelFile());
		for (size_t n = 0; n + 1 < bytes.size(); n += (n < 400 ? 1 : 7))
		{
			BG3DFileData file;
			std::string error;
			EXPECT_FALSE(BG3D_ParseFile(bytes.data(), n, &file, &error)) << "cut at " << n;
			EXPECT_FALSE(error.empty());
		}
	}

	TEST(BG3DParse, RGBWordsAreOpaque1555)
	{
		const uint8_t rgb[] = {255, 0, 8, 7, 255, 128};
		uint16_t words[2];
		BG3D_ConvertRGBTo1555(rgb, 2, words);
		EXPECT_EQ(words[0], 0x8000 | 31 << 10 | 0 << 5 | 1);
		EXPECT_EQ(words[1], 0x8000 | 0 << 10 | 31 << 5 | 16);
	}

	//
	// Model groups
	//

	class BG3DGroupTest : public FileLayerTest
	{
	protected:
		int metaObjectsBefore = 0;

		void SetUp() override
		{
			FileLayerTest::SetUp();
			InitBG3DManager();
			metaObjectsBefore = gNumMetaObjects;
		}
		void TearDown() override
		{
			DeleteAllBG3DContainers();
			EXPECT_EQ(gNumMetaObjects, metaObjectsBefore) << "every meta object released";
			FileLayerTest::TearDown();
		}

		int Import(const std::vector<uint8_t>& bytes, int group, const char* name = "models.bg3d")
		{
			WriteBytes(dir / name, bytes);
			FSSpec spec = Spec((std::string(":") + name).c_str());
			return ImportBG3D(&spec, group);
		}

		// A file with three models: two groups and a bare geometry.
		static std::vector<uint8_t> ThreeModels()
		{
			FileBuilder b;
			b.Material(0).Diffuse(1, 0, 0, 1).Material(0);
			b.Group().Triangle(10, 0, 1, 0).Triangle(20, 5, 1, 1).EndGroup();
			b.Group().Group().Triangle(4, -2).EndGroup().EndGroup();
			b.Triangle(6, 0, 1, 1);
			return b.End();
		}

		static MOMaterialData* FirstMaterial(MetaObjectPtr vertexArray)
		{
			return MO_MaterialData(MO_VertexArrayData(vertexArray)->materials[0]);
		}
	};

	TEST_F(BG3DGroupTest, RootMembersBecomeNumberedModelsWithBoundingBoxes)
	{
		EXPECT_EQ(Import(ThreeModels(), 2), 3);
		EXPECT_EQ(gNumObjectsInBG3DGroupList[2], 3);
		EXPECT_EQ(gBG3DGroupList[2][0]->type, MO_TYPE_GROUP);
		EXPECT_EQ(gBG3DGroupList[2][2]->type, MO_TYPE_GEOMETRY);
		EXPECT_EQ(gBG3DGroupList[2][3], nullptr);

		const OGLBoundingBox& box = gObjectGroupBBoxList[2][0];
		EXPECT_FALSE(box.isEmpty);
		EXPECT_EQ(box.min.y, 0.0f);
		EXPECT_EQ(box.max.x, 20.0f);
		EXPECT_EQ(box.max.y, 25.0f);
		EXPECT_EQ(gObjectGroupBBoxList[2][1].min.y, -2.0f);

		// The diffuse colour reached the first material, and the container holds both.
		BG3DContainer* container = gBG3DContainerList[2];
		ASSERT_NE(container, nullptr);
		EXPECT_EQ(container->numMaterials, 2);
		MetaObjectPtr firstTriangle = MO_GroupData(gBG3DGroupList[2][0])->groupContents[0];
		EXPECT_EQ(MO_VertexArrayData(firstTriangle)->materials[0], container->materials[0]);
		EXPECT_EQ(FirstMaterial(firstTriangle)->diffuseColor.g, 0.0f);
		// One reference by the container, one by each vertex array using it.
		EXPECT_EQ(container->materials[1]->refCount, 3);
	}

	TEST_F(BG3DGroupTest, DisposingReleasesEverythingAndClearsTheGroup)
	{
		Import(ThreeModels(), 1);
		DisposeBG3DContainer(1);
		EXPECT_EQ(gNumMetaObjects, metaObjectsBefore);
		EXPECT_EQ(gNumObjectsInBG3DGroupList[1], 0);
		EXPECT_EQ(gBG3DGroupList[1][0], nullptr);
		EXPECT_THROW(DisposeBG3DContainer(1), Tamber::QuitRequest);
		EXPECT_EQ(gLastFatalMessage, "DisposeBG3DContainer: this BG3D container is already gone.");
	}

	TEST_F(BG3DGroupTest, AModelHeldElsewhereOutlivesItsContainer)
	{
		Import(ThreeModels(), 1);
		MetaObjectPtr model = MO_AddReference(gBG3DGroupList[1][0]);
		DisposeBG3DContainer(1);
		EXPECT_EQ(model->cookie, MO_COOKIE_LIVE);
		EXPECT_EQ(FirstMaterial(MO_GroupData(model)->groupContents[0])->diffuseColor.r, 1.0f);
		MO_DisposeObjectReference(model);
	}

	TEST_F(BG3DGroupTest, LoadingOverALoadedGroupReplacesIt)
	{
		Import(ThreeModels(), 1);
		EXPECT_EQ(Import(FileBuilder().Triangle(1).End(), 1, "other.bg3d"), 1);
		EXPECT_EQ(gNumObjectsInBG3DGroupList[1], 1);
		DisposeBG3DContainer(1);
		EXPECT_EQ(gNumMetaObjects, metaObjectsBefore);
	}

	TEST_F(BG3DGroupTest, BadFilesAndGroupNumbersStopWithTheFileName)
	{
		EXPECT_THROW(Import(FileBuilder().Triangle(1).Indices({0, 1, 2}).End(), 1, "broken.bg3d"), Tamber::QuitRequest);
		EXPECT_NE(gLastFatalMessage.find("ReadTriangleArray: triangles already assigned!"), std::string::npos) << gLastFatalMessage;
		EXPECT_NE(gLastFatalMessage.find("broken.bg3d"), std::string::npos) << gLastFatalMessage;
		EXPECT_EQ(gBG3DContainerList[1], nullptr);

		EXPECT_THROW(Import(ThreeModels(), MAX_BG3D_GROUPS), Tamber::QuitRequest);
		EXPECT_NE(gLastFatalMessage.find("out of range"), std::string::npos) << gLastFatalMessage;

		FSSpec missing = Spec(":nothing.bg3d", fnfErr);
		EXPECT_THROW(ImportBG3D(&missing, 1), Tamber::QuitRequest);
		EXPECT_NE(gLastFatalMessage.find("ImportBG3D: FSpOpenDF failed"), std::string::npos) << gLastFatalMessage;
	}

	TEST_F(BG3DGroupTest, MaterialFlagsGoToOneOrEveryGeometry)
	{
		Import(ThreeModels(), 1);
		MetaObjectPtr* members = MO_GroupData(gBG3DGroupList[1][0])->groupContents;
		BG3D_SetContainerMaterialFlags(1, 0, 1, MATERIAL_FLAG_CLAMP_U);
		EXPECT_EQ(FirstMaterial(members[0])->flags, 0u);
		EXPECT_EQ(FirstMaterial(members[1])->flags, uint32_t(MATERIAL_FLAG_CLAMP_U));
		BG3D_SetContainerMaterialFlags(1, 0, -1, MATERIAL_FLAG_CLAMP_V);
		EXPECT_EQ(FirstMaterial(members[0])->flags, uint32_t(MATERIAL_FLAG_CLAMP_V));

		// A bare vertex array model is used directly.
		BG3D_SetContainerMaterialFlags(1, 2, 0, MATERIAL_FLAG_ALWAYS_BLEND);
		EXPECT_TRUE(FirstMaterial(gBG3DGroupList[1][2])->flags & MATERIAL_FLAG_ALWAYS_BLEND);

		EXPECT_THROW(BG3D_SetContainerMaterialFlags(1, 0, 2, 1), Tamber::QuitRequest);
		EXPECT_EQ(gLastFatalMessage, "BG3D_SetContainerMaterialFlags: geometryNum out of range");
		EXPECT_THROW(BG3D_SetContainerMaterialFlags(1, 1, -1, 1), Tamber::QuitRequest);		// a group inside
		EXPECT_EQ(gLastFatalMessage, "BG3D_SetContainerMaterialFlags:  object isnt a vertex array");
		EXPECT_THROW(BG3D_SetContainerMaterialFlags(1, 3, 0, 1), Tamber::QuitRequest);		// no model 3
	}

	TEST_F(BG3DGroupTest, SphereMapsSwitchOnTheMultitextureLayer)
	{
		Import(ThreeModels(), 1);
		BG3D_SphereMapGeomteryMaterial(1, 2, -1, MULTI_TEXTURE_COMBINE_ADD, 5);
		MOMaterialData* m = FirstMaterial(gBG3DGroupList[1][2]);
		EXPECT_TRUE(m->flags & MATERIAL_FLAG_MULTITEXTURE);
		EXPECT_EQ(m->multiTextureCombine, MULTI_TEXTURE_COMBINE_ADD);
		EXPECT_EQ(m->envMapNum, 5);
		EXPECT_EQ(m->multiTextureMode, 0);

		MetaObjectPtr first = MO_GroupData(gBG3DGroupList[1][0])->groupContents[0];
		BG3D_SphereMapGeometryObject(first, MULTI_TEXTURE_COMBINE_MODULATE, 2);
		EXPECT_EQ(FirstMaterial(first)->envMapNum, 2);

		EXPECT_THROW(BG3D_SphereMapGeomteryMaterial(1, 0, 5, 0, 0), Tamber::QuitRequest);
		EXPECT_EQ(gLastFatalMessage, "BG3D_SphereMapGeomteryMaterial: geometryNum out of range");
		EXPECT_THROW(BG3D_SphereMapGeometryObject(gBG3DGroupList[1][1], 0, 0), Tamber::QuitRequest);
		EXPECT_EQ(gLastFatalMessage, "SetSphereMapInfo:  object isnt a vertex array");
	}

	TEST_F(BG3DGroupTest, GeometryWithoutMaterialsCannotTakeFlags)
	{
		Import(FileBuilder().Triangle(2).End(), 1);
		EXPECT_EQ(MO_VertexArrayData(gBG3DGroupList[1][0])->numMaterials, 0);
		EXPECT_THROW(BG3D_SetContainerMaterialFlags(1, 0, 0, 1), Tamber::QuitRequest);
		EXPECT_EQ(gLastFatalMessage, "BG3D_SetContainerMaterialFlags:  no materials!");
		EXPECT_THROW(BG3D_SphereMapGeomteryMaterial(1, 0, 0, 0, 0), Tamber::QuitRequest);
		EXPECT_EQ(gLastFatalMessage, "SetSphereMapInfo:  no materials!");
	}

	TEST_F(BG3DGroupTest, VertexColoursComeAsBytesAndFloats)
	{
		FileBuilder b;
		b.Geometry(3, 1).Floats(BG3D_TAG_VERTEXARRAY, {0, 0, 0, 1, 0, 0, 0, 1, 0}).Indices({0, 1, 2});
		b.Tag(BG3D_TAG_COLORARRAY);
		b.w.Bytes(std::vector<uint8_t>{255, 0, 51, 255, 0, 0, 0, 0, 1, 2, 3, 4});
		Import(b.End(), 1);
		const MOVertexArrayData* va = MO_VertexArrayData(gBG3DGroupList[1][0]);
		ASSERT_NE(va->colorsByte, nullptr);
		ASSERT_NE(va->colorsFloat, nullptr);
		EXPECT_EQ(va->colorsByte[2].a, 4);
		EXPECT_FLOAT_EQ(va->colorsFloat[0].b, 0.2f);
		EXPECT_EQ(va->normals, nullptr);
		EXPECT_EQ(va->uvs[0], nullptr);
	}
}
