// A world for driving the robot without a window: the farm terrain and the
// robot skeleton from the shared baked Data folder (loaded without drawing),
// a view record for the camera, and synthetic needs and stick input at a
// fixed frame time.
#pragma once

#include "3D/BG3D.h"
#include "3D/Camera.h"
#include "3D/OGL_Support.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "Items/Humans.h"
#include "Player/Player.h"
#include "System/Boot.h"
#include "System/DataFiles.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/Input.h"
#include "System/InputState.h"
#include "System/Objects.h"
#include "System/LevelTable.h"
#include "System/Prefs.h"
#include "Terrain/Collision.h"
#include "Terrain/SuperTile.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"
#include "BakedData.h"
#include "Files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace PlayerTestSupport
{
	constexpr float FRAME = 1.0f / 30.0f;

	class PlayerWorld : public ::testing::Test
	{
	protected:

		OGLViewInfo view = {};
		OGLViewInfo* savedView = nullptr;
		PrefsType savedPrefs = {};
		int savedLevelNum = 0;
		bool savedSkipFluff = false;
		RunState savedRun;
		PlayerLevelState savedPlayerLevel;
		LevelState savedLevel;

		void SetUp() override
		{
			savedView = gGameViewInfoPtr;
			savedPrefs = gGamePrefs;
			savedLevelNum = gCurrentLevel;
			savedSkipFluff = gSkipFluff;
			savedRun = gRun;
			savedPlayerLevel = gPlayerLevel;
			savedLevel = gLevel;

			Tamber::Files::Init();
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(BakedData::Folder() / "Skeletons");
			InitObjectManager();
			InitBG3DManager();
			InitSkeletonManager();
			InitParticleGroups();
			for (SkeletonType type : kEveryLevelSkeletons)		// the level's items make humans too
				LoadASkeleton(type);

			gRun = RunState{};
			InitPlayerForNewRun();			// before the terrain: it forgets the old start
			gCurrentLevel = LEVEL_NUM_FARM;
			gLevel = LevelState{};
			gLevel.gravity = CurrentLevelDef().gravity;
			gLevel.groundSlip = CurrentLevelDef().groundSlip;
			// The farm's items wake its creatures too.
			for (int i = 0; i < CurrentLevelDef().numSkeletons; i++)
				LoadASkeleton(CurrentLevelDef().skeletons[i]);
			gSkipFluff = false;
			gLevel.firstFrame = true;
			MakeTriangleTemplates();
			FSSpec spec;
			ASSERT_EQ(MakeDataFileSpec(":Terrain:EarthFarm.ter", &spec), noErr);
			LoadLevelTerrainWithoutDrawing(&spec);

			view.yon = 15000;
			view.hither = 50;
			view.fov = 1.2f;
			gGameViewInfoPtr = &view;
			gGamePrefs.freeCameraOrbit = 1;
			gGamePrefs.cameraAutoFollow = 1;
			gGamePrefs.cameraAlwaysFollow = 0;

			ResetInputState();
			gFrameTime = FRAME;
			ClearPlayerLevelFlags();
		}

		void TearDown() override
		{
			DeleteAllObjects();
			gPlayerNode = nullptr;
			gPlayerHandNodes[0] = gPlayerHandNodes[1] = nullptr;
			ClearPlayerLevelFlags();
			FreeAllSkeletonFiles(-1);
			DeleteAllBG3DContainers();
			DisposeParticleGroups();
			DisposeTerrain();
			DisposeSuperTileMemoryList();
			Tamber::Files::Shutdown();
			ResetInputState();

			gGameViewInfoPtr = savedView;
			gGamePrefs = savedPrefs;
			gCurrentLevel = savedLevelNum;
			gSkipFluff = savedSkipFluff;
			gRun = savedRun;
			gPlayerLevel = savedPlayerLevel;
			gLevel = savedLevel;
		}

		// The robot standing at the level's start, with the camera behind it.
		ObjNode* MakeRobotOnGround()
		{
			ClearPlayerLevelFlags();
			gPlayerLevel.checkpointX = gPlayerStartX;
			gPlayerLevel.checkpointZ = gPlayerStartZ;
			gPlayerLevel.checkpointRot = gPlayerStartRot;
			MakeDeathTransitionRunner();
			ObjNode* robot = MakePlayerRobot(gPlayerStartX, gPlayerStartZ, gPlayerStartRot);
			InitCamera();
			return robot;
		}

		// The shutters move on their own node in the game; the same here.
		void MakeDeathTransitionRunner()
		{
			ObjectDef def = {};
			def.genre = NODRAW_GENRE;
			def.slot = 4990;
			def.moveCall = [](ObjNode*) { UpdateDeathTransition(gFrameTime); };
			def.scale = 1;
			MakeNewObject(&def);
		}

		// One frame of play: needs age (a press lasts one frame), objects move, the camera follows.
		void Frame()
		{
			for (uint8_t& n : gInputState.needs)
				if (n == KEYSTATE_DOWN)
					n = KEYSTATE_HELD;
				else if (n == KEYSTATE_UP)
					n = KEYSTATE_OFF;
			if (armed >= 0)
				gInputState.needs[armed] = KEYSTATE_DOWN;
			armed = -1;
			MoveObjects();
			MoveCamera();
		}

		void Run(float seconds, const std::function<void()>& eachFrame = {})
		{
			for (int i = 0; i < int(std::lround(seconds / FRAME)); i++)
			{
				Frame();
				if (eachFrame)
					eachFrame();
			}
		}

		// Runs frames until `done` or the time runs out; true when done.
		bool RunUntil(float maxSeconds, const std::function<bool()>& done)
		{
			for (int i = 0; i < int(maxSeconds / FRAME); i++)
			{
				Frame();
				if (done())
					return true;
			}
			return false;
		}

		// The need reads as newly pressed during the next frame (and held after it).
		void Press(int need) { armed = need; }
		void Release(int need) { gInputState.needs[need] = KEYSTATE_OFF; }
		void Stick(float x, float y) { gAnalogSteering = {x, y}; }

		static float FeetHeight(const ObjNode* robot) { return robot->Coord.y + float(robot->BottomOff); }
		static float GroundUnder(const ObjNode* robot) { return TerrainHeightAt(robot->Coord.x, robot->Coord.z); }
		static float HorizontalSpeed(const ObjNode* robot) { return std::hypot(robot->Delta.x, robot->Delta.z); }
		static int Anim(const ObjNode* robot) { return robot->Skeleton->AnimNum; }

	private:
		int armed = -1;
	};
}
