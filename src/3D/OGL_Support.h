// The OpenGL draw context, the one active view (camera, lights, fog, clip
// margins), the per-frame scene pass, the fixed-function state stack, texture
// upload, the two-colour stereo mode and the debug overlay.
#pragma once

#include "System/Math.h"
#include "System/Objects.h"

#include <cstdint>
#include <string>

constexpr int MAX_FILL_LIGHTS = 4;
constexpr int STATE_STACK_SIZE = 20;
constexpr float LOGICAL_SCREEN_HEIGHT = 480.0f;

struct OGLClipRect
{
	int16_t top, left, bottom, right;		// margins in pixels
};

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

struct OGLCameraPlacement
{
	OGLPoint3D from;
	OGLPoint3D to;
	OGLVector3D up;
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

extern float gFadeLevel;					// 1 = fully visible, 0 = black
extern int gTrianglesThisFrame;
extern bool gLightingOn;
extern int gDebugMode;						// 0..3, cycled by F8
extern ObjNodeRef gDebugTextNode;		// the overlay text, while its node lives
extern int32_t gVRAMEstimate;

extern int gAnaglyphPass;
extern float gAnaglyphFocalLength;
extern float gAnaglyphEyeSeparation;

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

// One frame: clear, `drawRoutine`, the automation hook, swap. In a logic-only
// run nothing is drawn: the camera matrices are still computed and
// `logicRoutine` (if any) does the pass's GL-free work (culling, the terrain window).
void OGL_DrawScene(void (*drawRoutine)(), void (*logicRoutine)() = nullptr);

// Benchmarks: the mean time (ms) of one full-screen quad, textured, lit and
// fogged, over `layers` of them drawn on the current context (finished before
// and after). The frame in the back buffer is overwritten. 0 without a context.
double OGL_TimeFullScreenLayers(int layers);

//
// Camera
//

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

//
// State
//

void OGL_PushState();
void OGL_PopState();
int OGL_GetStateStackDepth();
void OGL_EnableLighting();
void OGL_DisableLighting();
void OGL_Set2DOverlayState(bool centered = false);
void OGL_DrawFadeOverlay(ObjNode* node);
// One textured quad centred on `center`, spanning ±side and ±top (the whole
// texture, v running down the quad), counted as two triangles.
void OGL_DrawTexturedQuad(const OGLPoint3D& center, const OGLVector3D& side, const OGLVector3D& top);
// 0 when no error is pending; otherwise a fatal "OpenGL Error 0x%x in %s:%d".
uint32_t OGL_CheckError(const char* file, int line);
#define OGL_CHECK_ERROR() OGL_CheckError(__FILE__, __LINE__)

//
// Textures
//

uint32_t OGL_TextureMap_Load(void* pixels, int width, int height,
		uint32_t srcFormat, uint32_t destFormat, uint32_t dataType);
// flags bit 1 set: keep the alpha channel (GL_RGBA), else GL_RGB.
uint32_t OGL_TextureMap_LoadTGA(const char* path, int flags, int* width, int* height);
void OGL_BindTexture(uint32_t textureName);

// Stereo colour conversions of the calibrated two-colour mode (channels 0..255).
void OGL_BalanceAnaglyphColor(uint8_t* r, uint8_t* g, uint8_t* b);
// Converts pixels in place for the current anaglyph mode; alpha is kept. Layouts
// other than RGBA bytes, 8-8-8-8-rev words and 1-5-5-5-rev words are untouched.
void OGL_ConvertTextureToAnaglyph(void* pixels, int width, int height, uint32_t srcFormat, uint32_t dataType);

//
// Debug overlay
//

// Cycles gDebugMode 0 → 1 → 2 → 3 → 0.
int OGL_NextDebugMode(int mode);

// The gameplay numbers the overlay shows, read from their modules.
struct OGLDebugCounters
{
	float inputX, inputY;			// analog steering
	bool hasPlayer;
	float playerX, playerY, playerZ;
	bool playerOnGround;
	bool playerHasLink;
	int enemies;
	bool enemyLimitReached;
	bool saucerExists;
	int shards;
	int sparkles;
	int particleGroups;
};
OGLDebugCounters OGL_GatherDebugCounters();
// The overlay text for the current frame.
std::string OGL_ComposeDebugText();
