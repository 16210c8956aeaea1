// The baked model files as the game loads them: every model number the game
// code names exists and has something to draw, and the data folder's marker
// model is a proper mesh.
#include "3D/BG3DParse.h"
#include "System/ContentNumbers.h"
#include "BakedData.h"
#include "FilesTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using namespace FilesTestSupport;

namespace
{
	class BakedModelsTest : public ::testing::Test
	{
	protected:
		static inline BG3DFileData global, robot;
		static inline std::string globalError, robotError;
		static inline bool globalParsed = false, robotParsed = false;

		static void SetUpTestSuite()
		{
			std::vector<uint8_t> bytes = ReadAll(BakedData::Folder() / "Models" / "global.bg3d");
			globalParsed = BG3D_ParseFile(bytes.data(), bytes.size(), &global, &globalError);
			bytes = ReadAll(BakedData::Folder() / "Skeletons" / "Quog.bg3d");
			robotParsed = BG3D_ParseFile(bytes.data(), bytes.size(), &robot, &robotError);
		}

		static void ForEachGeometry(const BG3DNode& node, const std::function<void(const BG3DGeometryRecord&)>& fn)
		{
			if (!node.isGroup)
				fn(node.geometry);
			for (const BG3DNode& m : node.members)
				ForEachGeometry(m, fn);
		}

		static uint32_t Triangles(const BG3DNode& node)
		{
			uint32_t n = 0;
			ForEachGeometry(node, [&](const BG3DGeometryRecord& g) { n += g.numTriangles; });
			return n;
		}
	};

	TEST_F(BakedModelsTest, EveryGlobalModelTheGameNamesIsThereWithTriangles)
	{
		ASSERT_TRUE(globalParsed) << globalError;
		ASSERT_GE(global.root.members.size(), size_t(NUM_GLOBAL_MODELS));
		for (int type = 0; type < NUM_GLOBAL_MODELS; type++)
			EXPECT_GT(Triangles(global.root.members[size_t(type)]), 0u) << "global model " << type;
		EXPECT_LE(global.root.members.size(), size_t(BG3D_MAX_MODELS));
	}

	TEST_F(BakedModelsTest, TexturedGlobalMaterialsHaveOneUsableImage)
	{
		ASSERT_TRUE(globalParsed) << globalError;
		for (size_t i = 0; i < global.materials.size(); i++)
		{
			const BG3DMaterialRecord& m = global.materials[i];
			bool textured = m.flags & 1;
			EXPECT_EQ(textured, !m.images.empty()) << "material " << i;
			if (!m.images.empty())
			{
				EXPECT_GT(BG3D_BytesPerPixel(m.images[0].srcPixelFormat, m.images[0].dstPixelFormat), 0) << "material " << i;
			}
		}
		// Geometry of a textured material brings texture coordinates along.
		ForEachGeometry(global.root, [&](const BG3DGeometryRecord& g) {
			if (g.numMaterials > 0 && !global.materials[g.layerMaterialNum[0]].images.empty())
			{
				EXPECT_TRUE(g.hasUVs);
			}
		});
	}

	TEST_F(BakedModelsTest, TheMarkerModelIsTheRobotsLitMesh)
	{
		ASSERT_TRUE(robotParsed) << robotError;
		ASSERT_GE(robot.root.members.size(), 1u);
		EXPECT_GT(Triangles(robot.root), 100u);
		int geometries = 0;
		ForEachGeometry(robot.root, [&](const BG3DGeometryRecord& g) {
			geometries++;
			EXPECT_TRUE(g.hasNormals) << "a skinned mesh needs normals";
		});
		EXPECT_LE(geometries, 10) << "a skeleton's mesh has at most 10 vertex arrays";
	}
}
