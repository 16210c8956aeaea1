// The camera of the one active view and the matrices it yields: placement,
// projection, the viewport within the window's clip margins, the 2D logical
// screen, and the two eyes of the stereo mode. The maths is GL-free apart
// from loading the finished matrices (OGL_UpdateCameraMatrices).
#pragma once

#include "System/Math.h"

#include <cstdint>

constexpr float LOGICAL_SCREEN_HEIGHT = 480.0f;

struct OGLClipRect
{
	int16_t top, left, bottom, right;		// margins in pixels
};

struct OGLCameraPlacement
{
	OGLPoint3D from;
	OGLPoint3D to;
	OGLVector3D up;
};

// Camera matrices, rebuilt whenever the camera is applied.
extern OGLMatrix4x4 gWorldToViewMatrix;
extern OGLMatrix4x4 gViewToFrustumMatrix;
extern OGLMatrix4x4 gWorldToFrustumMatrix;
extern OGLMatrix4x4 gFrustumToWindowMatrix;
extern OGLMatrix4x4 gWorldToWindowMatrix;
// The view the game's rules call "in view" (STATUS_BIT_ISCULLED: an atom
// regrowing out of sight, a corpse cleared away, a clown fish's reload): the
// camera with the nominal LOGIC_ONLY_VIEW shape whatever the window's, so a
// seed plays alike drawn, logic-only and in any window.
extern OGLMatrix4x4 gWorldToRulesViewMatrix;

// The 2D logical screen: 480 high, 640 or wider, y downward.
extern float g2DLogicalWidth;
extern float g2DLogicalHeight;
extern float g2DLogicalAspect;

// Stereo: the eye being drawn (0 or 1; 0 outside the stereo mode) and the
// eyes' geometry in world units.
extern int gAnaglyphPass;
extern float gAnaglyphFocalLength;
extern float gAnaglyphEyeSeparation;

// Computes the shared camera matrices (no GL), then loads them into GL.
void OGL_CalcCameraMatrices();
void OGL_UpdateCameraMatrices();
void OGL_SetCameraFromTo(const OGLPoint3D* from, const OGLPoint3D* to);
void OGL_SetCameraFromToUp(const OGLPoint3D* from, const OGLPoint3D* to, const OGLVector3D* up);
void OGL_MoveCameraFrom(float dx, float dy, float dz);
void OGL_MoveCameraFromTo(float dx, float dy, float dz, float tx, float ty, float tz);

// The drawable size less the clip margins. Width or height may come out 0 or
// negative (a minimised window, margins wider than the window): no drawing then.
void OGL_GetViewport(int* x, int* y, int* width, int* height);
void OGL_CalcViewport(int drawableWidth, int drawableHeight, const OGLClipRect& clip,
		int* x, int* y, int* width, int* height);
// 2D logical width for a viewport: 640 below 4:3, else 480 × aspect.
float OGL_CalcLogicalWidth(int viewportWidth, int viewportHeight);
// Off-axis frustum of one stereo eye (pass 0 or 1).
void OGL_CalcAnaglyphFrustum(float fov, float aspect, float hither, float eyeSeparation,
		float focalLength, int pass, float* left, float* right, float* bottom, float* top);
// Camera placement of one stereo eye, from the placement saved for the frame.
OGLCameraPlacement OGL_CalcAnaglyphEye(const OGLCameraPlacement& saved, float eyeSeparation, int pass);
// Viewport scaling to window pixels (y downward).
void OGL_CalcFrustumToWindow(OGLMatrix4x4* m, float viewportWidth, float viewportHeight);
