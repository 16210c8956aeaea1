// The OpenGL draw context, the one active view (camera, lights, fog, clip
// margins) and the per-frame scene pass with its two-colour stereo passes.
// The rest of the GL support lives by concern beside it: the camera and its
// matrices (3D/OGL_Camera.h), the shared fixed-function state
// (3D/OGL_State.h), textures (3D/OGL_Textures.h) and the debug overlay
// (3D/OGL_DebugOverlay.h).
#pragma once

#include "3D/OGL_Camera.h"
#include "System/Math.h"

#include <cstdint>

constexpr int MAX_FILL_LIGHTS = 4;

struct OGLSetupInput
{
	bool clearBackBuffer;
	OGLColorRGBA clearColor;				// also the fog colour
	OGLClipRect clip;
	bool useFog;
	float fogStart;
	float fogEnd;
	float fogDensity;
	uint16_t fogMode;						// GL enum
	bool useAltFont;
	OGLPoint3D from;
	OGLPoint3D to;
	OGLVector3D up;							// the view always uses (0, 1, 0)
	float hither;
	float yon;
	float fov;								// vertical, radians
	OGLColorRGBA ambientColor;
	int numFillLights;
	OGLVector3D fillDirection[MAX_FILL_LIGHTS];	// direction each light shines in
	OGLColorRGBA fillColor[MAX_FILL_LIGHTS];
};

struct OGLLightBlock
{
	OGLColorRGBA ambientColor;
	int numFillLights;
	OGLVector3D fillDirection[MAX_FILL_LIGHTS];
	OGLColorRGBA fillColor[MAX_FILL_LIGHTS];
};

struct OGLViewInfo
{
	bool isActive;
	OGLClipRect clip;
	OGLLightBlock lights;
	OGLCameraPlacement cameraPlacement;
	float fov;
	float hither;
	float yon;
	bool useFog;
	bool clearBackBuffer;
	OGLColorRGBA clearColor;				// as set after the stereo adjustment
};

extern OGLViewInfo* gGameViewInfoPtr;
extern void* gGLContext;

// Logic-only runs (--no-draw): no window and no GL context. Context creation,
// texture upload, the view's GL state and the scene pass skip their GL work;
// everything else (loading, moving, culling, the terrain window) runs as usual.
extern bool gLogicOnly;
// The drawable size a logic-only run computes its camera and culling for (pixels).
constexpr int LOGIC_ONLY_VIEW_WIDTH = 1280;
constexpr int LOGIC_ONLY_VIEW_HEIGHT = 720;

extern float gFadeLevel;					// 1 = fully visible, 0 = black
extern int gTrianglesThisFrame;

// ARB multitexture entry points, fetched at context creation.
typedef void (*OGLTextureUnitProc)(uint32_t unit);
extern OGLTextureUnitProc gGL_ActiveTextureARB;
extern OGLTextureUnitProc gGL_ClientActiveTextureARB;

//
// Context and view
//

void OGL_CreateDrawContext();
// Waits for queued drawing, makes no context current and deletes the context;
// call before the window is destroyed. Safe to call twice.
void OGL_DestroyDrawContext();
// Stops the program unless a driver can hold 1024×1024 textures.
void OGL_CheckMaxTextureSize(int maxTextureSize);

void OGL_DefaultSetupInput(OGLSetupInput* setup);
void OGL_SetupWindow(OGLSetupInput* setup);
void OGL_DisposeWindowSetup();

//
// Frame
//

// One frame: clear, `drawRoutine`, the frame watcher's frameDrawn
// (System/FrameWatcher.h), swap. In a logic-only run nothing is drawn: the
// camera matrices are still computed, `logicRoutine` (if any) does the pass's
// GL-free work (culling, the terrain window) and the frame is still watched.
void OGL_DrawScene(void (*drawRoutine)(), void (*logicRoutine)() = nullptr);
