// The draw context, the view and the per-frame scene pass.
#include "3D/OGL_Support.h"
#include "3D/OGL_DebugOverlay.h"
#include "3D/OGL_Overdraw.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Textures.h"
#include "3D/ScreenshotKey.h"
#include "3D/TextMesh.h"
#include "3D/MetaObjects.h"
#include "System/Error.h"
#include "System/FrameWatcher.h"
#include "System/Input.h"
#include "System/Objects.h"
#include "System/Prefs.h"
#include "System/Sound.h"
#include "System/Window.h"
#include "Memory.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <cmath>

OGLViewInfo* gGameViewInfoPtr = nullptr;
void* gGLContext = nullptr;
bool gLogicOnly = false;

float gFadeLevel = 1;
int gTrianglesThisFrame = 0;
bool gLightingOn = false;

MetaObjectPtr gMostRecentMaterial = nullptr;
uint32_t gGlobalMaterialFlags = 0;
float gGlobalTransparency = 1;
OGLColorRGBA gGlobalColorFilter = {1, 1, 1, 1};

int gAnaglyphPass = 0;
float gAnaglyphFocalLength = 150;
float gAnaglyphEyeSeparation = 40;

OGLTextureUnitProc gGL_ActiveTextureARB = nullptr;
OGLTextureUnitProc gGL_ClientActiveTextureARB = nullptr;

static constexpr int DEBUG_TEXT_CAPACITY = 2048;
static constexpr int DEBUG_TEXT_SLOT = 0x7FFF;

//
// Context
//

static void OGL_InitFunctions()
{
	void* procptr_glActiveTextureARB = SDL_GL_GetProcAddress("glActiveTextureARB");
	void* procptr_glClientActiveTextureARB = SDL_GL_GetProcAddress("glClientActiveTextureARB");
	GAME_ASSERT(procptr_glActiveTextureARB);
	GAME_ASSERT(procptr_glClientActiveTextureARB);
	gGL_ActiveTextureARB = reinterpret_cast<OGLTextureUnitProc>(procptr_glActiveTextureARB);
	gGL_ClientActiveTextureARB = reinterpret_cast<OGLTextureUnitProc>(procptr_glClientActiveTextureARB);
}

void OGL_CheckMaxTextureSize(int maxTextureSize)
{
	if (maxTextureSize < 1024)
		FatalAlert("Your video card cannot do 1024x1024 textures, so it is below the game's minimum system requirements.");
}

void OGL_CreateDrawContext()
{
	if (gLogicOnly)
		return;		// no window, no context: nothing is ever drawn
	GAME_ASSERT_MESSAGE(!gGLContext, "GL context already exists");
	GAME_ASSERT_MESSAGE(gWindow, "Window must be created before the DC!");

	gGLContext = SDL_GL_CreateContext(gWindow);
	GAME_ASSERT_MESSAGE(gGLContext, SDL_GetError());
	GAME_ASSERT(glGetError() == GL_NO_ERROR);

	GAME_ASSERT_MESSAGE(SDL_GL_MakeCurrent(gWindow, gGLContext) == 0, SDL_GetError());
	OGL_InitFunctions();

	GLint maxTexSize = 0;
	glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTexSize);
	OGL_CheckMaxTextureSize(maxTexSize);
}

void OGL_DestroyDrawContext()
{
	if (!gGLContext)
		return;
	// A quit can arrive mid-frame, with drawing queued but not yet rendered.
	// Software renderers rasterize on worker threads; tearing the display down
	// while they still hold a frame can leave one waiting forever on the others.
	// So: render what is queued, let go of the context, then delete it, all
	// while the window and the display connection still exist.
	if (gWindow && SDL_GL_MakeCurrent(gWindow, gGLContext) == 0)
	{
		OGL_DisposeOverdrawView();
		glFinish();
	}
	SDL_GL_MakeCurrent(gWindow, nullptr);
	SDL_GL_DeleteContext(gGLContext);
	gGLContext = nullptr;
}

//
// View
//

void OGL_DefaultSetupInput(OGLSetupInput* setup)
{
	// Shared template: its two light directions are normalised in place each time.
	static OGLVector3D templateDirections[2] = {{1, 0, -1}, {-1, -0.3f, -0.3f}};
	OGLVector3D_Normalize(&templateDirections[0], &templateDirections[0]);
	OGLVector3D_Normalize(&templateDirections[1], &templateDirections[1]);

	*setup = {};
	setup->clearBackBuffer = true;
	setup->clearColor = {0, 0, 0, 1};
	setup->clip = {0, 0, 0, 0};
	setup->useFog = false;
	setup->fogStart = 2000;
	setup->fogEnd = 4000;
	setup->fogDensity = 1.0f;
	setup->fogMode = GL_LINEAR;
	setup->useAltFont = false;
	setup->from = {0, 0, 0};
	setup->to = {0, 0, -1};
	setup->up = {0, 1, 0};
	setup->hither = 10;
	setup->yon = 4000;
	setup->fov = 1.1f;
	setup->ambientColor = {0.3f, 0.3f, 0.3f, 1};
	setup->numFillLights = 1;
	setup->fillDirection[0] = templateDirections[0];
	setup->fillDirection[1] = templateDirections[1];
	setup->fillColor[0] = {1, 1, 1, 1};
	setup->fillColor[1] = {1, 1, 1, 1};
}

static void AdjustClearColorForAnaglyph(OGLColorRGBA* c)
{
	if (gGamePrefs.anaglyphMode == 1)
	{
		uint8_t r = uint8_t(c->r * 255.0f), g = uint8_t(c->g * 255.0f), b = uint8_t(c->b * 255.0f);
		OGL_BalanceAnaglyphColor(&r, &g, &b);
		c->r = r / 255.0f;
		c->g = g / 255.0f;
		c->b = b / 255.0f;
	}
	else if (gGamePrefs.anaglyphMode == 2)
	{
		float grey = 0.299f * c->r + 0.587f * c->g + 0.114f * c->b;
		c->r = c->g = c->b = grey;
	}
}

// The fill lights the view keeps: at most MAX_FILL_LIGHTS, unit directions.
static void ClampFillLights(OGLSetupInput* setup)
{
	int numLights = setup->numFillLights;
	if (numLights < 0) numLights = 0;
	if (numLights > MAX_FILL_LIGHTS) numLights = MAX_FILL_LIGHTS;
	setup->numFillLights = numLights;
	for (int i = 0; i < numLights; i++)
		OGLVector3D_Normalize(&setup->fillDirection[i], &setup->fillDirection[i]);
}

static void SetupLights(const OGLSetupInput* setup)
{
	OGL_EnableLighting();

	GLfloat ambient[4] = {setup->ambientColor.r, setup->ambientColor.g, setup->ambientColor.b, 1};
	glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);

	for (int i = 0; i < MAX_FILL_LIGHTS; i++)
	{
		if (i >= setup->numFillLights)
		{
			glDisable(GL_LIGHT0 + i);
			continue;
		}
		const OGLVector3D& d = setup->fillDirection[i];
		GLfloat position[4] = {-d.x, -d.y, -d.z, 0};		// directional: shines along d
		GLfloat lightAmbient[4] = {0, 0, 0, 1};
		GLfloat diffuse[4] = {setup->fillColor[i].r, setup->fillColor[i].g, setup->fillColor[i].b, 1};
		glLightfv(GL_LIGHT0 + i, GL_POSITION, position);
		glLightfv(GL_LIGHT0 + i, GL_AMBIENT, lightAmbient);
		glLightfv(GL_LIGHT0 + i, GL_DIFFUSE, diffuse);
		glEnable(GL_LIGHT0 + i);
	}
	OGL_CHECK_ERROR();
}

// The fixed-function state of a new view, and two cleared frames.
static void ApplyViewGLState(const OGLSetupInput* setup)
{
	glEnable(GL_DEPTH_TEST);
	GLfloat white[4] = {1, 1, 1, 1};
	glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, white);
	glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
	glEnable(GL_COLOR_MATERIAL);
	glEnable(GL_NORMALIZE);

	// Two cleared, presented frames so no stale image shows while the scene loads.
	glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
	glClearColor(0, 0, 0, 1);
	glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
	if (gWindow)
		SDL_GL_SwapWindow(gWindow);
	glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
	glClearColor(setup->clearColor.r, setup->clearColor.g, setup->clearColor.b, 1);
	OGL_CHECK_ERROR();

	glEnable(GL_CULL_FACE);
	glCullFace(GL_BACK);
	glFrontFace(GL_CCW);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	glDisable(GL_BLEND);
	glDisable(GL_RESCALE_NORMAL);
	glHint(GL_FOG_HINT, GL_NICEST);
	OGL_CHECK_ERROR();

	glEnable(GL_ALPHA_TEST);
	glAlphaFunc(GL_NOTEQUAL, 0);
	glHint(GL_FOG_HINT, GL_FASTEST);
	if (setup->useFog)
	{
		glFogi(GL_FOG_MODE, setup->fogMode);
		glFogf(GL_FOG_DENSITY, setup->fogDensity);
		glFogf(GL_FOG_START, setup->fogStart);
		glFogf(GL_FOG_END, setup->fogEnd);
		GLfloat fogColor[4] = {setup->clearColor.r, setup->clearColor.g, setup->clearColor.b, 1};
		glFogfv(GL_FOG_COLOR, fogColor);
		glEnable(GL_FOG);
	}
	else
	{
		glDisable(GL_FOG);
	}
	OGL_CHECK_ERROR();
	OGL_CHECK_ERROR();

	SetupLights(setup);

	SDL_GL_SetSwapInterval(gGamePrefs.vsync ? 1 : 0);		// unsupported on some displays: ignored
}

void OGL_SetupWindow(OGLSetupInput* setup)
{
	GAME_ASSERT_MESSAGE(!gGameViewInfoPtr, "gGameViewInfoPtr is already active");
	SDL_ShowCursor(0);

	OGLViewInfo* view = reinterpret_cast<OGLViewInfo*>(NewPtrClear(sizeof(OGLViewInfo)));
	if (!view)
		FatalAlert("OGL_SetupWindow: AllocPtr failed");

	AdjustClearColorForAnaglyph(&setup->clearColor);

	ClampFillLights(setup);
	if (!gLogicOnly)
		ApplyViewGLState(setup);

	view->clip = setup->clip;
	view->hither = setup->hither;
	view->yon = setup->yon;
	view->useFog = setup->useFog;
	view->clearBackBuffer = setup->clearBackBuffer;
	view->clearColor = setup->clearColor;
	view->isActive = true;
	view->lights.ambientColor = setup->ambientColor;
	view->lights.numFillLights = setup->numFillLights;
	for (int i = 0; i < MAX_FILL_LIGHTS; i++)
	{
		view->lights.fillDirection[i] = setup->fillDirection[i];
		view->lights.fillColor[i] = setup->fillColor[i];
	}
	view->fov = setup->fov;
	view->cameraPlacement.up = {0, 1, 0};
	view->cameraPlacement.from = setup->from;
	view->cameraPlacement.to = setup->to;
	gGameViewInfoPtr = view;

	UpdateListenerLocation(view->cameraPlacement);
	TextMesh_InitMaterial(setup->useAltFont);

	gDebugTextNode = {};
	if (ObjNode* text = TextMesh_NewDebugTextNode(DEBUG_TEXT_CAPACITY, -320, -100, 0.45f, DEBUG_TEXT_SLOT))
	{
		text->StatusBits |= STATUS_BIT_HIDDEN;
		gDebugTextNode = ObjNodeRef(text);
	}
}

void OGL_DisposeWindowSetup()
{
	GAME_ASSERT(gGameViewInfoPtr);
	TextMesh_DisposeMaterial();
	gGameViewInfoPtr->isActive = false;
	DisposePtr(reinterpret_cast<Ptr>(gGameViewInfoPtr));
	gGameViewInfoPtr = nullptr;
	gMostRecentMaterial = nullptr;
}

//
// Frame
//

static void SetAnaglyphColorMaskForPass(int pass)
{
	if (pass == 0)
		glColorMask(GL_TRUE, GL_FALSE, GL_FALSE, GL_TRUE);
	else
		glColorMask(GL_FALSE, gGamePrefs.anaglyphMode == 1 ? GL_TRUE : GL_FALSE, GL_TRUE, GL_TRUE);
}

static void UpdateDebugOverlay()
{
	if (GetNewKeyState(SDL_SCANCODE_F8))
	{
		gDebugMode = OGL_NextDebugMode(gDebugMode);
		glPolygonMode(GL_FRONT_AND_BACK, gDebugMode == 3 ? GL_LINE : GL_FILL);
	}

	ObjNode* text = gDebugTextNode.Get();
	if (!text)
		return;
	if (gDebugMode == 1 || gDebugMode == 2)
	{
		TextMesh_SetDebugText(text, OGL_ComposeDebugText().c_str());
		text->StatusBits &= ~STATUS_BIT_HIDDEN;
	}
	else
	{
		text->StatusBits |= STATUS_BIT_HIDDEN;
	}
}

// A logic-only frame: the camera matrices that culling reads, the pass's
// GL-free work, and the frame still counts.
static void LogicOnlyFrame(void (*logicRoutine)())
{
	g2DLogicalHeight = LOGICAL_SCREEN_HEIGHT;
	g2DLogicalAspect = float(LOGIC_ONLY_VIEW_WIDTH) / float(LOGIC_ONLY_VIEW_HEIGHT);
	g2DLogicalWidth = OGL_CalcLogicalWidth(LOGIC_ONLY_VIEW_WIDTH, LOGIC_ONLY_VIEW_HEIGHT);
	gAnaglyphPass = 0;
	if (gFadeLevel > 0)
	{
		OGL_CalcCameraMatrices();
		if (logicRoutine)
			logicRoutine();
	}
	if (gFrameWatcher.frameDrawn)
		gFrameWatcher.frameDrawn();
}

void OGL_DrawScene(void (*drawRoutine)(), void (*logicRoutine)())
{
	GAME_ASSERT(gGameViewInfoPtr);
	GAME_ASSERT(gGameViewInfoPtr->isActive);
	if (gLogicOnly)
	{
		LogicOnlyFrame(logicRoutine);
		return;
	}
	GAME_ASSERT_MESSAGE(SDL_GL_MakeCurrent(gWindow, gGLContext) == 0, SDL_GetError());

	if (gFadeLevel <= 0)
	{
		// Fully faded out: a black frame, and the scene is not even drawn.
		glClearColor(0, 0, 0, 1);
		glClear(GL_COLOR_BUFFER_BIT);
		if (gFrameWatcher.frameDrawn)
			gFrameWatcher.frameDrawn();
		SDL_GL_SwapWindow(gWindow);
		return;
	}

	const bool anaglyph = gGamePrefs.anaglyphMode != 0;
	OGLCameraPlacement savedCamera = gGameViewInfoPtr->cameraPlacement;
	if (anaglyph)
		gAnaglyphPass = 0;

	int drawableWidth = 0, drawableHeight = 0;
	SDL_GL_GetDrawableSize(gWindow, &drawableWidth, &drawableHeight);
	if (gDebugMode != 0)
		gVRAMEstimate = drawableWidth * drawableHeight * 10;

	gTrianglesThisFrame = 0;
	gMostRecentMaterial = nullptr;
	gGlobalMaterialFlags = 0;
	glColor4f(1, 1, 1, 1);
	glEnable(GL_COLOR_MATERIAL);

	const bool overdraw = gDebugMode == DEBUG_MODE_OVERDRAW && OGL_BeginOverdrawView(drawableWidth, drawableHeight);

	const OGLColorRGBA& c = gGameViewInfoPtr->clearColor;
	glClearColor(c.r, c.g, c.b, 1);
	if (gGameViewInfoPtr->clearBackBuffer || gDebugMode == 3)
	{
		if (gGamePrefs.anaglyphMode == 1)
			glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
		else if (gGamePrefs.anaglyphMode == 2)
			glColorMask(GL_TRUE, GL_FALSE, GL_TRUE, GL_TRUE);
		glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
	}
	else
	{
		glClear(GL_DEPTH_BUFFER_BIT);
	}

	const int numPasses = anaglyph ? 2 : 1;
	for (int pass = 0; pass < numPasses; pass++)
	{
		if (anaglyph)
		{
			gAnaglyphPass = pass;
			SetAnaglyphColorMaskForPass(pass);
			if (pass == 1)
				glClear(GL_DEPTH_BUFFER_BIT);
			gGameViewInfoPtr->cameraPlacement = OGL_CalcAnaglyphEye(savedCamera, gAnaglyphEyeSeparation, pass);
		}
		else
		{
			gAnaglyphPass = 0;
			glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
		}

		SDL_GL_GetDrawableSize(gWindow, &drawableWidth, &drawableHeight);
		int x, y, width, height;
		OGL_CalcViewport(drawableWidth, drawableHeight, gGameViewInfoPtr->clip, &x, &y, &width, &height);
		if (width <= 0 || height <= 0)
			continue;		// minimised or clipped away: nothing to draw into
		glViewport(x, y, width, height);

		g2DLogicalHeight = LOGICAL_SCREEN_HEIGHT;
		g2DLogicalAspect = float(width) / float(height);
		g2DLogicalWidth = OGL_CalcLogicalWidth(width, height);

		OGL_UpdateCameraMatrices();
		if (drawRoutine)
			drawRoutine();
	}

	if (overdraw)
		OGL_EndOverdrawView();
	UpdateDebugOverlay();
	ScreenshotKey_Frame();

	if (gFrameWatcher.frameDrawn)
		gFrameWatcher.frameDrawn();
	SDL_GL_SwapWindow(gWindow);

	if (anaglyph)
		gGameViewInfoPtr->cameraPlacement = savedCamera;
}
