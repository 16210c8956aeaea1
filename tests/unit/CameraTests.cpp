// The follow camera: its easing rules, its height rules, and the real
// follow behind a robot running on the baked farm terrain.
#include "PlayerTestSupport.h"
#include "Player/Player.h"

#include <algorithm>
#include <cmath>

using namespace PlayerTestSupport;

namespace
{
	class CameraTest : public PlayerWorld
	{
	protected:
		static float EyeAboveGround()
		{
			const OGLPoint3D& f = gGameViewInfoPtr->cameraPlacement.from;
			return f.y - TerrainHeightAtNoHoles(f.x, f.z);
		}
		static OGLVector2D FromHeroToEye(const ObjNode* hero)
		{
			const OGLPoint3D& f = gGameViewInfoPtr->cameraPlacement.from;
			return {f.x - hero->Coord.x, f.z - hero->Coord.z};
		}
	};
}

TEST(CameraRules, ApproachMovesByRateTimesFrameAndNeverOvershoots)
{
	EXPECT_FLOAT_EQ(CameraApproach(0, 100, 15, 1.0f / 30), 50);
	EXPECT_FLOAT_EQ(CameraApproach(0, 100, 15, 0.1f), 100) << "1.5 × the gap is cut to the gap";
	EXPECT_FLOAT_EQ(CameraApproach(10, -40, 15, 0.1f), -30);
}

TEST(CameraRules, EyeClimbsOneFifthOfTheDistanceBeyond150)
{
	float saved = gCameraHeightFactor;
	gCameraHeightFactor = 0.2f;
	float dist = CalcQuickDistance(0, 0, 300, 100);
	EXPECT_FLOAT_EQ(dist, 337.5f);
	EXPECT_FLOAT_EQ(CalcCameraWantedHeight(1000, dist), 1000 + 120 + 37.5f);
	EXPECT_FLOAT_EQ(CalcCameraWantedHeight(1000, 100), 1000 + 120) << "no climb when close";
	gCameraHeightFactor = saved;
}

TEST(CameraRules, APitchRaisesOrSinksTheEyeByItsSineOfTheDistance)
{
	const float savedFactor = gCameraHeightFactor, savedPitch = gCameraPitch;
	gCameraHeightFactor = 0.2f;
	gCameraPitch = PI / 8;		// on a zip line: higher, looking down
	EXPECT_NEAR(CalcCameraWantedHeight(1000, 400), 1000 + 120 + 50 + 400 * std::sin(PI / 8), 1e-3f);
	EXPECT_FLOAT_EQ(CalcCameraLowestEye(500, 400), 500 + 120) << "looking down keeps the usual floor";

	gCameraPitch = -PI / 2;		// in the cannon: down low, looking up
	EXPECT_NEAR(CalcCameraWantedHeight(1000, 400), 1000 + 120 + 50 - 400, 1e-3f);
	EXPECT_NEAR(CalcCameraLowestEye(500, 400), 500 + 120 - 400, 1e-3f) << "the eye may sink below the look-at";

	gCameraPitch = 0;
	EXPECT_FLOAT_EQ(CalcCameraWantedHeight(1000, 400), 1000 + 120 + 50);
	EXPECT_FLOAT_EQ(CalcCameraLowestEye(500, 400), 500 + 120);
	gCameraHeightFactor = savedFactor;
	gCameraPitch = savedPitch;
}

TEST(CameraRules, FlareIsBrightestLookingAtTheSunAndGoneSideways)
{
	EXPECT_NEAR(CalcFlareBrightness(-1), 1, 1e-6f);
	EXPECT_LE(CalcFlareBrightness(0), 0) << "at 90° only the glow is drawn";
	EXPECT_LE(CalcFlareBrightness(-0.7f), 0);
	EXPECT_GT(CalcFlareBrightness(-0.72f), 0);
	// A dot product rounded just past −1 must not give NaN.
	EXPECT_NEAR(CalcFlareBrightness(-1.0000001f), 1, 1e-6f);
}

TEST_F(CameraTest, InitPlacesTheEyeBehindAndAboveTheHero)
{
	ObjNode* hero = MakeRobotOnGround();
	const OGLCameraPlacement& cam = gGameViewInfoPtr->cameraPlacement;
	EXPECT_NEAR(CalcDistance(cam.from.x, cam.from.z, hero->Coord.x, hero->Coord.z), 1800, 1);
	EXPECT_NEAR(EyeAboveGround(), 500, 1);
	EXPECT_FLOAT_EQ(cam.to.y, hero->Coord.y + gCameraLookAtYOff);
	OGLVector2D back = FromHeroToEye(hero), behind = {std::sin(hero->Rot.y), std::cos(hero->Rot.y)};
	OGLVector2D_Normalize(&back, &back);
	EXPECT_NEAR(OGLVector2D_Dot(&back, &behind), std::cos(0.349066f), 1e-3f) << "20° off straight behind";
}

TEST_F(CameraTest, FollowsARunningRobotFromBehindAndAboveNeverUnderTheGround)
{
	ObjNode* hero = MakeRobotOnGround();
	float lowest = 1e9f;
	auto watch = [&] { lowest = std::min(lowest, EyeAboveGround()); };
	Stick(0.4f, -1);
	Run(4, watch);
	Stick(-0.6f, -1);		// a long left curve
	Run(4, watch);

	EXPECT_GE(lowest, gMinHeightOffTerrain - 0.01f);
	OGLVector2D back = FromHeroToEye(hero);
	float dist = OGLVector2D_Length(&back);
	OGLVector2D_Normalize(&back, &back);
	OGLVector2D behind = {std::sin(hero->Rot.y), std::cos(hero->Rot.y)};
	EXPECT_GT(OGLVector2D_Dot(&back, &behind), 0.8f) << "behind the robot";
	EXPECT_NEAR(dist, gCameraDistFromMe, 250);
	const OGLCameraPlacement& cam = gGameViewInfoPtr->cameraPlacement;
	EXPECT_GT(cam.from.y, hero->Coord.y + float(hero->BottomOff) + 150) << "above it";
	EXPECT_NEAR(cam.to.x, hero->Coord.x, 60) << "looking at it";
	EXPECT_NEAR(cam.to.z, hero->Coord.z, 60);
}

TEST_F(CameraTest, LookAtStepIsClampedForAFarHero)
{
	ObjNode* hero = MakeRobotOnGround();
	float before = gGameViewInfoPtr->cameraPlacement.to.x;
	hero->Coord.x += 3000;		// teleported far along x
	MoveCamera();
	float moved = gGameViewInfoPtr->cameraPlacement.to.x - before;
	EXPECT_NEAR(moved, 350 * 15 * FRAME, 0.01f);
}

TEST_F(CameraTest, PublishedYawTurnsTheControlsWithTheCamera)
{
	ObjNode* hero = MakeRobotOnGround();
	gGamePrefs.cameraAutoFollow = 0;
	// Orbit the camera a quarter turn or so with the camera-rotation input.
	gCameraSwivelInput = 1;
	Run(0.6f);
	gCameraSwivelInput = 0;
	EXPECT_LT(gPlayerLevel.stateTimer, 0) << "the orbit holds off the automatic follow";
	Run(0.2f);
	const OGLCameraPlacement& cam = gGameViewInfoPtr->cameraPlacement;
	OGLVector2D view = {cam.to.x - cam.from.x, cam.to.z - cam.from.z};
	OGLVector2D_Normalize(&view, &view);

	OGLPoint3D start = hero->Coord;
	Stick(0, -1);
	Run(0.3f);
	OGLVector2D moved = {hero->Coord.x - start.x, hero->Coord.z - start.z};
	OGLVector2D_Normalize(&moved, &moved);
	EXPECT_GT(OGLVector2D_Dot(&moved, &view), 0.9f) << "forward is where the camera looks";
}

TEST_F(CameraTest, RecentreNeedRealignsBehindTheHero)
{
	MakeRobotOnGround();
	gCameraUserRotY = 1.2f;
	Press(NEED_CENTER_CAMERA);
	Frame();
	EXPECT_EQ(gCameraUserRotY, 0);
	EXPECT_TRUE(gCameraRealign);
}

TEST_F(CameraTest, TheFirstBossArenaKeepsTheEyeHigh)
{
	gCurrentLevel = LEVEL_NUM_BLOBBOSS;
	ObjNode* hero = MakeRobotOnGround();
	EXPECT_EQ(gMinHeightOffTerrain, 400);
	gPlayerLevel.invincibleTimer = 100;
	gRun.health = 100;			// the arena floor hurts; this test is about the camera
	float lowest = 1e9f;
	Run(2, [&] { lowest = std::min(lowest, EyeAboveGround()); });
	EXPECT_GE(lowest, 400 - 0.01f);
	(void)hero;
}

TEST_F(CameraTest, CameraBlockersLiftTheEye)
{
	ObjNode* hero = MakeRobotOnGround();
	Run(2);
	const OGLPoint3D eye = gGameViewInfoPtr->cameraPlacement.from;
	// A tall block where the eye is.
	ObjectDef def = {};
	def.genre = NODRAW_GENRE;
	def.slot = 100;
	def.coord = {eye.x, TerrainHeightAt(eye.x, eye.z), eye.z};
	def.scale = 1;
	ObjNode* block = MakeNewObject(&def);
	block->CType = CTYPE_BLOCKCAMERA | CTYPE_MISC;
	block->CBits = SIDE_ALL;
	float top = eye.y + 50 - def.coord.y;
	SetObjectCollisionBounds(block, int16_t(top), 0, -100, 100, 100, -100);
	CalcObjectBoxFromNode(block);
	KeepOldCollisionBoxes(block);
	Run(3);
	EXPECT_GT(gGameViewInfoPtr->cameraPlacement.from.y, block->CollisionBoxes[0].top) << "risen over the blocker";
	(void)hero;
}
