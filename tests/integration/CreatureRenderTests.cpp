// A clown and a strong man drawn from their baked rigs in a real GL context
// under the virtual display: each shows its red costume where it stands, the
// clear colour everywhere else.
#include "PixelTest.h"
#include "3D/Skeleton.h"
#include "Enemies/CloudCreatures.h"
#include "Enemies/CreatureKit.h"

namespace
{
	constexpr int WIDTH = 320, HEIGHT = 240;

	// Costume red: red well above green and blue.
	bool IsCostumeRed(int r, int g, int b)
	{
		return r > 110 && g < 0.5f * r && b < 0.5f * r;
	}

	struct CreatureRender : PixelTest
	{
		CreatureRender() : PixelTest(WIDTH, HEIGHT) {}

		// Stands the creature at (x, y, z) facing the camera.
		static void Stand(ObjNode* creature, float x, float y, float z)
		{
			creature->Coord = {x, y, z};
			creature->Rot.y = 0;
			UpdateObjectTransforms(creature);
		}
	};
}

TEST_F(CreatureRender, AClownAndAStrongManShowTheirRedCostumesWhereTheyStand)
{
	LoadASkeleton(SKELETON_TYPE_CLOWN);
	LoadASkeleton(SKELETON_TYPE_STRONGMAN);
	Stand(MakeCreature(kClownKind, 0, 0), -170, -260, -900);
	Stand(MakeCreature(kStrongManKind, 0, 0), 170, -260, -900);
	const PixelFrame frame = Render();
	const int left = frame.Count({10, 20, WIDTH / 2 - 10, HEIGHT - 10}, IsCostumeRed);
	const int right = frame.Count({WIDTH / 2 + 10, 20, WIDTH - 10, HEIGHT - 10}, IsCostumeRed);
	EXPECT_GT(left, 60) << "the clown's trousers and shoes";
	EXPECT_GT(right, 60) << "the strong man's vest";
	// Above their heads: only the clear colour.
	EXPECT_EQ(frame.Count({0, 0, WIDTH, 12}, IsCostumeRed), 0);
}
