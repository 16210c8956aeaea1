// The follow camera: look-at and eye ease after the hero, the eye swings
// behind it, keeps clear of the ground, water, fences and camera blockers,
// and turns with the player's camera input.
#include "3D/Camera.h"
#include "3D/OGL_Support.h"
#include "3D/Skeleton.h"
#include "Player/Player.h"
#include "System/Boot.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/Input.h"
#include "System/LevelTable.h"
#include "System/Prefs.h"
#include "Terrain/Collision.h"
#include "Terrain/Fences.h"
#include "Terrain/Terrain.h"
#include "Terrain/Water.h"

#include <algorithm>
#include <cmath>

float gCameraUserRotY = 0;
float gCameraLookAngle = 0;
bool gAutoRotateCamera = false;
float gAutoRotateCameraSpeed = 0;
bool gCameraRealign = false;
bool gFreezeCameraFromXZ = false;
bool gFreezeCameraFromY = false;
float gCameraLookAtAccel = 15;
float gCameraFromAccelY = 1.5f;
float gCameraFromAccel = 4.5f;
float gCameraHeightFactor = 0.2f;
float gCameraLookAtYOff = 100;
float gCameraDistFromMe = 700;
float gMinHeightOffTerrain = 60;
float gCameraPitch = 0;

namespace
{
	constexpr float LOOK_AT_MAX_STEP = 350.0f;
	constexpr float EYE_BASE_HEIGHT = 120.0f;
	constexpr float EYE_HEIGHT_FREE_DIST = 150.0f;
	constexpr float INIT_DISTANCE = 1800.0f;
	constexpr float INIT_HEIGHT = 500.0f;
	constexpr float INIT_ANGLE_OFF = 0.349066f;		// 20° off straight behind
	constexpr float ORBIT_SPEED = 2.5f;
	constexpr float LOWEST_TARGET = -1400.0f;
	constexpr uint32_t CTYPE_CAMERA_BLOCKER = CTYPE_BLOCKCAMERA;

	// The saucer's direction of flight, kept while it hovers.
	float gSaucerMotionYaw = 0;

	bool IsSaucerLevel()
	{
		return CurrentLevelDef().playerStart == PLAYER_START_FLYING_SAUCER;
	}

	OGLPoint3D HeroTarget(const ObjNode* hero)
	{
		OGLPoint3D p = {hero->Coord.x, std::max(hero->Coord.y + float(hero->BottomOff), LOWEST_TARGET), hero->Coord.z};
		const ObjNode* ride = gPlayerLevel.ridingNode;
		if (ride && ride->CType != INVALID_NODE_FLAG)
			p = {ride->Coord.x, ride->Coord.y - 100, ride->Coord.z + 112.5f};
		return p;
	}

	bool IsRiding()
	{
		return gPlayerLevel.ridingNode && gPlayerLevel.ridingNode->CType != INVALID_NODE_FLAG;
	}

	int HeroAnim(const ObjNode* hero)
	{
		return hero->Skeleton ? hero->Skeleton->AnimNum : -1;
	}

	// The unit x/z direction from p to q, zero when they coincide.
	OGLVector2D UnitXZ(float px, float pz, float qx, float qz)
	{
		OGLVector2D v = {qx - px, qz - pz}, out;
		OGLVector2D_Normalize(&v, &out);
		return out;
	}

	void RotateAbout(OGLPoint3D* eye, const OGLPoint3D& center, float angle)
	{
		float dx = eye->x - center.x, dz = eye->z - center.z;
		float c = std::cos(angle), s = std::sin(angle);
		eye->x = center.x + dx * c + dz * s;
		eye->z = center.z - dx * s + dz * c;
	}

	// The yaw input: step 3 of the follow. `manualOrbit` tells whether the
	// camera-rotation axis turns the user yaw in this mode.
	void UpdateUserYaw(float dt, float axis, bool manualOrbit, bool bubbleReset)
	{
		if (gAutoRotateCamera)
			gCameraUserRotY += dt * gAutoRotateCameraSpeed;
		else if (bubbleReset)
			gCameraUserRotY = 0;
		else if (manualOrbit && axis != 0)
		{
			gCameraRealign = true;
			gCameraUserRotY += dt * PI * axis;
		}

		if (GetNeedState(NEED_CENTER_CAMERA))
		{
			gCameraUserRotY = 0;
			gCameraRealign = true;
		}
		else if (gGamePrefs.freeCameraOrbit && axis != 0 && !gAutoRotateCamera)
			gCameraRealign = false;
	}

	// Steps 6 and 7: the eye's height, then the free orbit.
	void PlaceEyeHeight(OGLPoint3D* from, const OGLPoint3D& to, const OGLPoint3D& target, bool riding)
	{
		const float dt = gFrameTime;
		if (!gFreezeCameraFromY)
		{
			float dist = CalcQuickDistance(from->x, from->z, to.x, to.z);
			float wantedY = CalcCameraWantedHeight(target.y, dist);

			OGLPoint3D eye = {from->x, wantedY, from->z}, hit;
			bool isAbove = false;
			float fenceTop = 0;
			if (SegmentHitsFence(&eye, &to, &hit, &isAbove, &fenceTop) && !isAbove)
				wantedY = fenceTop + 200;

			int n = FindBoxCollisions(wantedY + 100, wantedY - 100, from->x - 150, from->x + 150,
					from->z + 150, from->z - 150, CTYPE_CAMERA_BLOCKER);
			float blockerTop = -1e30f;
			for (int i = 0; i < n; i++)
			{
				const CollisionRecord& r = gCollisionList[i];
				if (r.objectPtr && r.objectPtr->CType != INVALID_NODE_FLAG)
					blockerTop = std::max(blockerTop, r.objectPtr->CollisionBoxes[r.targetBox].top);
			}
			if (n > 0 && blockerTop > -1e29f)
				wantedY = blockerTop + 100;

			from->y += (wantedY - from->y) * gCameraFromAccelY * dt;
			if (gPlayerLevel.scale <= 1)
				from->y = std::max(from->y, CalcCameraLowestEye(to.y, dist));
			float ground = TerrainHeightAtNoHoles(from->x, from->z) + gMinHeightOffTerrain + (riding ? 100.0f : 0.0f);
			from->y = std::max(from->y, ground);
			float waterY;
			if (GetWaterY(from->x, from->z, &waterY))
				from->y = std::max(from->y, waterY + 50);
		}
	}

	void FinishCamera(OGLPoint3D* from, const OGLPoint3D& to, float axis)
	{
		const float dt = gFrameTime;
		if (gGamePrefs.freeCameraOrbit && axis != 0 && !gAutoRotateCamera)
		{
			gPlayerLevel.stateTimer = -1000;		// no automatic following until the robot's state changes
			gCameraRealign = false;
			RotateAbout(from, to, dt * axis * ORBIT_SPEED);
		}
		if (gAutoRotateCamera && gFreezeCameraFromXZ)
			RotateAbout(from, to, dt * gAutoRotateCameraSpeed);

		OGL_SetCameraFromTo(from, &to);
		gPlayerLevel.cameraFrom = *from;
		gPlayerLevel.cameraTo = to;
	}
}

float CameraApproach(float a, float v, float k, float dt)
{
	float step = k * dt * v;
	if (std::fabs(step) > std::fabs(v))
		step = v;
	return a + step;
}

float CalcCameraWantedHeight(float targetY, float dist)
{
	return targetY + EYE_BASE_HEIGHT + std::max(0.0f, dist - EYE_HEIGHT_FREE_DIST) * gCameraHeightFactor
		   + dist * std::sin(gCameraPitch);
}

float CalcCameraLowestEye(float lookAtY, float dist)
{
	return lookAtY + EYE_BASE_HEIGHT + std::min(0.0f, dist * std::sin(gCameraPitch));
}

void InitCamera()
{
	StopCameraFlyOver();
	if (gRunOptions.flyOver && InitCameraFlyOver())
		return;

	gCameraUserRotY = 0;
	gCameraPitch = 0;
	gAutoRotateCamera = false;
	gAutoRotateCameraSpeed = 0;
	gCameraRealign = false;
	gFreezeCameraFromXZ = false;
	gFreezeCameraFromY = false;
	gCameraFromAccelY = 1.5f;
	gCameraFromAccel = 4.5f;
	if (IsSaucerLevel())
	{
		gCameraLookAtAccel = 10;
		gCameraHeightFactor = 0.6f;
		gCameraLookAtYOff = -200;
		gCameraDistFromMe = 800;
	}
	else
	{
		gCameraLookAtAccel = 15;
		gCameraHeightFactor = 0.2f;
		gCameraLookAtYOff = 100;
		gCameraDistFromMe = 700;
	}
	gMinHeightOffTerrain = CurrentLevelDef().cameraMinHeight;

	const ObjNode* hero = gPlayerNode;
	if (!hero || !gGameViewInfoPtr)
		return;
	float a = hero->Rot.y + PI + INIT_ANGLE_OFF;
	OGLPoint3D from = {hero->Coord.x - std::sin(a) * INIT_DISTANCE, 0, hero->Coord.z - std::cos(a) * INIT_DISTANCE};
	from.y = TerrainHeightAtNoHoles(from.x, from.z) + INIT_HEIGHT;
	OGLPoint3D to = {hero->Coord.x, hero->Coord.y + gCameraLookAtYOff, hero->Coord.z};
	gCameraLookAngle = PI - CalcYAngleFromPointToPoint(0, hero->Coord.x, hero->Coord.z, from.x, from.z);
	OGL_SetCameraFromTo(&from, &to);
	gPlayerLevel.cameraFrom = from;
	gPlayerLevel.cameraTo = to;
}

void MoveCamera()
{
	if (MoveCameraFlyOver())
		return;
	ObjNode* hero = gPlayerNode;
	if (!hero || !gGameViewInfoPtr)
		return;
	if (IsSaucerLevel())
	{
		MoveCamera_Saucer();
		return;
	}
	if (!hero->Skeleton)
		FatalAlert("MoveCamera: player has no skeleton!");

	const float dt = gFrameTime;
	const OGLCameraPlacement& cam = gGameViewInfoPtr->cameraPlacement;
	OGLPoint3D from = cam.from, to = cam.to;
	OGLPoint3D p = HeroTarget(hero);
	bool riding = IsRiding();
	float axis = gCameraSwivelInput;

	gCameraLookAngle = PI - CalcYAngleFromPointToPoint(PI - gCameraLookAngle, p.x, p.z, from.x, from.z);
	UpdateUserYaw(dt, axis, !gGamePrefs.freeCameraOrbit, HeroAnim(hero) == PLAYER_ANIM_BUBBLE);

	// The look-at.
	OGLPoint3D wanted = {p.x, p.y + gCameraLookAtYOff, p.z};
	to.x = CameraApproach(to.x, std::clamp(wanted.x - to.x, -LOOK_AT_MAX_STEP, LOOK_AT_MAX_STEP), gCameraLookAtAccel, dt);
	to.z = CameraApproach(to.z, std::clamp(wanted.z - to.z, -LOOK_AT_MAX_STEP, LOOK_AT_MAX_STEP), gCameraLookAtAccel, dt);
	to.y = CameraApproach(to.y, wanted.y - to.y, 0.7f * gCameraLookAtAccel, dt);

	// The eye in x/z.
	if (!gFreezeCameraFromXZ)
	{
		OGLVector2D d = UnitXZ(p.x, p.z, from.x, from.z);
		if (gCameraRealign || (gGamePrefs.cameraAutoFollow && (gPlayerLevel.stateTimer > 0.5f || gGamePrefs.cameraAlwaysFollow)))
		{
			float a = gCameraUserRotY + hero->Rot.y;
			OGLVector2D blend = {0.5f * std::sin(a) + 0.5f * d.x, 0.5f * std::cos(a) + 0.5f * d.y};
			OGLVector2D_Normalize(&blend, &d);
			if (std::fabs(d.x) < VECTOR_ZERO_TOLERANCE && std::fabs(d.y) < VECTOR_ZERO_TOLERANCE)
				d = {1, 0};
		}
		float dist = gCameraDistFromMe;
		if (HeroAnim(hero) == PLAYER_ANIM_CARRY)
			dist = 400;
		else if (riding)
			dist = 200;
		from.x = CameraApproach(from.x, p.x + dist * d.x - from.x, gCameraFromAccel, dt);
		from.z = CameraApproach(from.z, p.z + dist * d.y - from.z, gCameraFromAccel, dt);
	}

	PlaceEyeHeight(&from, to, p, riding);
	FinishCamera(&from, to, axis);
}

void MoveCamera_Saucer()
{
	ObjNode* hero = gPlayerNode;
	if (!hero || !gGameViewInfoPtr)
		return;
	const float dt = gFrameTime;
	const OGLCameraPlacement& cam = gGameViewInfoPtr->cameraPlacement;
	OGLPoint3D from = cam.from, to = cam.to;
	OGLPoint3D p = {hero->Coord.x, hero->Coord.y + float(hero->BottomOff), hero->Coord.z};
	float axis = gCameraSwivelInput;

	gCameraLookAngle = PI - CalcYAngleFromPointToPoint(PI - gCameraLookAngle, p.x, p.z, from.x, from.z);
	UpdateUserYaw(dt, axis, gGamePrefs.freeCameraOrbit, false);

	OGLPoint3D wanted = {p.x, p.y + gCameraLookAtYOff, p.z};
	to.x += gCameraLookAtAccel * dt * std::clamp(wanted.x - to.x, -LOOK_AT_MAX_STEP, LOOK_AT_MAX_STEP);
	to.z += gCameraLookAtAccel * dt * std::clamp(wanted.z - to.z, -LOOK_AT_MAX_STEP, LOOK_AT_MAX_STEP);
	to.y += 0.7f * gCameraLookAtAccel * dt * (wanted.y - to.y);

	if (!gFreezeCameraFromXZ)
	{
		OGLVector2D d = UnitXZ(p.x, p.z, from.x, from.z);
		if (gCameraRealign || (gGamePrefs.cameraAutoFollow && gPlayerLevel.stateTimer > 1.1f))
		{
			// Behind the direction of flight (kept while hovering).
			if (std::fabs(hero->Delta.x) > VECTOR_ZERO_TOLERANCE || std::fabs(hero->Delta.z) > VECTOR_ZERO_TOLERANCE)
				gSaucerMotionYaw = std::atan2(-hero->Delta.x, -hero->Delta.z);
			float a = gSaucerMotionYaw + gCameraUserRotY;
			OGLVector2D blend = {0.5f * std::sin(a) + 0.5f * d.x, 0.5f * std::cos(a) + 0.5f * d.y};
			OGLVector2D_Normalize(&blend, &d);
			if (std::fabs(d.x) < VECTOR_ZERO_TOLERANCE && std::fabs(d.y) < VECTOR_ZERO_TOLERANCE)
				d = {1, 0};
		}
		from.x += gCameraFromAccel * dt * (p.x + gCameraDistFromMe * d.x - from.x);
		from.z += gCameraFromAccel * dt * (p.z + gCameraDistFromMe * d.y - from.z);
	}

	PlaceEyeHeight(&from, to, p, false);
	FinishCamera(&from, to, axis);
}
