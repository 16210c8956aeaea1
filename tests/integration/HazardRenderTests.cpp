// A crusher drawn from the city's own model file in a real GL context under
// the virtual display: its striped beam and door show where it stands, the
// sky's clear colour everywhere else.
#include "PixelTest.h"
#include "3D/BG3D.h"
#include "Items/Hazards.h"
#include "System/ContentNumbers.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

namespace
{
	constexpr int WIDTH = 320, HEIGHT = 240;

	// The crusher's hazard yellow.
	bool IsHazardYellow(int r, int g, int b)
	{
		return r > 120 && g > 90 && b < 0.6f * g;
	}

	struct HazardRender : PixelTest
	{
		HazardRender() : PixelTest(WIDTH, HEIGHT) {}

		void SetUp() override
		{
			PixelTest::SetUp();
			if (!IsSkipped() && !HasFatalFailure())
				InitHazards();
		}
	};
}

TEST_F(HazardRender, ACrusherShowsItsStripedFrameAndDoorWhereItStands)
{
	ASSERT_GT(LoadBG3D(":Models:level4_apocalypse.bg3d", MODEL_GROUP_LEVELSPECIFIC), 2);
	TerrainItemEntryType item = {};
	item.type = 45;
	ASSERT_TRUE(AddCrusher(&item, 0, -2600));
	// Without a terrain it stands at the no-terrain height: bring it in front of the camera.
	for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
	{
		n->Coord.y += -TERRAIN_HEIGHT_NO_TERRAIN - 350;
		UpdateObjectTransforms(n);
	}
	const PixelFrame frame = Render();
	// The crusher fills the middle of the view; the corners are sky.
	EXPECT_GT(frame.Count({WIDTH / 2 - 50, 40, WIDTH / 2 + 50, HEIGHT - 20}, IsHazardYellow), 150);
	EXPECT_EQ(frame.Count({0, 0, 40, 40}, IsHazardYellow), 0);
	EXPECT_EQ(frame.Count({WIDTH - 40, HEIGHT - 40, WIDTH, HEIGHT}, IsHazardYellow), 0);
	item.flags = 0;
	for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
		n->TerrainItemPtr = nullptr;
}
