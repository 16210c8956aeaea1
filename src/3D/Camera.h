// The camera that trails the hero, and the lens flare.
//
// The look-at point eases toward the hero, the eye swings behind it at a set
// distance and height and keeps clear of the ground, water, fences and
// solid objects; the player can turn it. Its yaw around the hero is
// published so the hero's controls are camera-relative.
#pragma once

#include "System/Math.h"

//
// Camera state (defaults set by InitCamera for the level)
//

extern float gCameraUserRotY;			// the player's own yaw offset
extern float gCameraLookAngle;			// the camera's yaw around the hero (the controls turn by it)
extern bool gAutoRotateCamera;
extern float gAutoRotateCameraSpeed;	// radians per second
extern bool gCameraRealign;				// swing back behind the hero
extern bool gFreezeCameraFromXZ;
extern bool gFreezeCameraFromY;
extern float gCameraLookAtAccel;
extern float gCameraFromAccelY;
extern float gCameraFromAccel;
extern float gCameraHeightFactor;
extern float gCameraLookAtYOff;
extern float gCameraDistFromMe;
extern float gMinHeightOffTerrain;
// The rides tilt the view: the eye rises above its usual height by the eye's
// distance × sin(pitch), so a positive pitch looks down on the hero (π/8 on a
// zip line) and a negative one up at him from low down (−π/2 in the cannon).
// Level start and the rides' ends set it back to 0.
extern float gCameraPitch;

// Lens flare
extern OGLVector3D gLensFlareVector;	// from the sun toward the scene
extern OGLColorRGBA gLensFlareColor;
extern OGLPoint3D gSunCoord;
extern float gFlareBrightness;

void InitCamera();
void MoveCamera();
void MoveCamera_Saucer();
void DrawLensFlare();

// The fly-over of automated runs that look at a level (the --fly-over
// switch): the camera tours the map instead of following the hero. Each
// returns false when the fly-over is not running.
bool InitCameraFlyOver();
bool MoveCameraFlyOver();
void StopCameraFlyOver();

//
// Pieces of the follow, exposed for tests
//

// a moved toward a + v at rate k per second, never past a + v.
float CameraApproach(float a, float v, float k, float dt);
// The eye's wanted height above the target's feet for an eye `dist` (octagonal
// distance) from the look-at, tilted by gCameraPitch.
float CalcCameraWantedHeight(float targetY, float dist);
// The least height of the eye for a look-at at `lookAtY`: 120 above it, less
// what a downward-looking pitch asks for (the eye may then sink below it).
float CalcCameraLowestEye(float lookAtY, float dist);
// The flare's brightness for c = cos(angle between the view and the sun's
// light); −1 is looking straight at the sun.
float CalcFlareBrightness(float c);
