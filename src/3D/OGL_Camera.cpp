// The camera of the view: placement, projection and the shared matrices.
#include "3D/OGL_Camera.h"
#include "3D/OGL_Support.h"
#include "System/Sound.h"
#include "System/Error.h"
#include "System/Prefs.h"
#include "System/Window.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <cmath>

OGLMatrix4x4 gWorldToViewMatrix = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
OGLMatrix4x4 gViewToFrustumMatrix = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
// Identity until the first camera is applied, so early frustum tests see the unit cube.
OGLMatrix4x4 gWorldToFrustumMatrix = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
OGLMatrix4x4 gFrustumToWindowMatrix = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
OGLMatrix4x4 gWorldToWindowMatrix = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
OGLMatrix4x4 gWorldToRulesViewMatrix = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

float g2DLogicalWidth = 640;
float g2DLogicalHeight = LOGICAL_SCREEN_HEIGHT;
float g2DLogicalAspect = 4.0f / 3.0f;

void OGL_CalcViewport(int drawableWidth, int drawableHeight, const OGLClipRect& clip,
		int* x, int* y, int* width, int* height)
{
	*x = clip.left;
	*y = clip.top;
	*width = drawableWidth - clip.right - clip.left;
	*height = drawableHeight - clip.bottom - clip.top;
}

void OGL_GetViewport(int* x, int* y, int* width, int* height)
{
	int w = 0, h = 0;
	if (gWindow)
		SDL_GL_GetDrawableSize(gWindow, &w, &h);
	else if (gLogicOnly)
		w = LOGIC_ONLY_VIEW_WIDTH, h = LOGIC_ONLY_VIEW_HEIGHT;
	OGLClipRect clip = gGameViewInfoPtr ? gGameViewInfoPtr->clip : OGLClipRect{0, 0, 0, 0};
	OGL_CalcViewport(w, h, clip, x, y, width, height);
}

float OGL_CalcLogicalWidth(int viewportWidth, int viewportHeight)
{
	float aspect = float(viewportWidth) / float(viewportHeight > 0 ? viewportHeight : 1);
	if (aspect < 4.0f / 3.0f)
		return 640.0f;
	return LOGICAL_SCREEN_HEIGHT * aspect;
}

void OGL_CalcAnaglyphFrustum(float fov, float aspect, float hither, float eyeSeparation,
		float focalLength, int pass, float* left, float* right, float* bottom, float* top)
{
	*top = std::tan(fov * 0.5f) * hither;
	*bottom = -*top;
	float s = eyeSeparation * 0.5f * hither / focalLength;
	if (pass == 0)
	{
		*left = s - *top * aspect;
		*right = s + *top * aspect;
	}
	else
	{
		*left = -*top * aspect - s;
		*right = *top * aspect - s;
	}
}

OGLCameraPlacement OGL_CalcAnaglyphEye(const OGLCameraPlacement& saved, float eyeSeparation, int pass)
{
	OGLVector3D forward = saved.to - saved.from;
	OGLVector3D_Normalize(&forward, &forward);
	OGLVector3D side;
	OGLVector3D_Cross(&saved.up, &forward, &side);
	float d = pass == 1 ? -eyeSeparation : eyeSeparation;

	OGLCameraPlacement eye = saved;
	eye.from = saved.from + side * d;
	eye.to = saved.to + side * d;
	return eye;
}

void OGL_CalcFrustumToWindow(OGLMatrix4x4* m, float viewportWidth, float viewportHeight)
{
	OGLMatrix4x4_SetIdentity(m);
	m->value[0] = viewportWidth * 0.5f;
	m->value[5] = -viewportHeight * 0.5f;
	m->value[12] = viewportWidth * 0.5f;
	m->value[13] = viewportHeight * 0.5f;
}

void OGL_CalcCameraMatrices()
{
	GAME_ASSERT(gGameViewInfoPtr);
	OGLViewInfo* view = gGameViewInfoPtr;

	int x, y, width, height;
	OGL_GetViewport(&x, &y, &width, &height);
	// A collapsed viewport must not turn the matrices into infinities.
	float aspect = float(width > 0 ? width : 1) / float(height > 0 ? height : 1);

	if (gGamePrefs.anaglyphMode == 0)
	{
		OGLMatrix4x4_SetPerspective(&gViewToFrustumMatrix, view->fov, aspect, view->hither, view->yon);
	}
	else
	{
		float left, right, bottom, top;
		OGL_CalcAnaglyphFrustum(view->fov, aspect, view->hither, gAnaglyphEyeSeparation,
				gAnaglyphFocalLength, gAnaglyphPass, &left, &right, &bottom, &top);
		OGLMatrix4x4_SetFrustum(&gViewToFrustumMatrix, left, right, bottom, top, view->hither, view->yon);
	}

	const OGLCameraPlacement& cam = view->cameraPlacement;
	OGLMatrix4x4_SetLookAt(&gWorldToViewMatrix, &cam.from, &cam.to, &cam.up);

	OGLMatrix4x4_Multiply(&gWorldToViewMatrix, &gViewToFrustumMatrix, &gWorldToFrustumMatrix);
	// The rules' view has the nominal shape whatever the window's (or the eye's).
	OGLMatrix4x4 rulesFrustum;
	OGLMatrix4x4_SetPerspective(&rulesFrustum, view->fov, float(LOGIC_ONLY_VIEW_WIDTH) / float(LOGIC_ONLY_VIEW_HEIGHT),
			view->hither, view->yon);
	OGLMatrix4x4_Multiply(&gWorldToViewMatrix, &rulesFrustum, &gWorldToRulesViewMatrix);
	OGL_CalcFrustumToWindow(&gFrustumToWindowMatrix, float(width), float(height));
	OGLMatrix4x4_Multiply(&gWorldToFrustumMatrix, &gFrustumToWindowMatrix, &gWorldToWindowMatrix);

	UpdateListenerLocation(cam);
}

void OGL_UpdateCameraMatrices()
{
	OGL_CalcCameraMatrices();
	const OGLViewInfo* view = gGameViewInfoPtr;

	glMatrixMode(GL_PROJECTION);
	glLoadMatrixf(gViewToFrustumMatrix.value);
	glMatrixMode(GL_MODELVIEW);
	glLoadMatrixf(gWorldToViewMatrix.value);

	// Light positions are taken through the model-view matrix: resend them so
	// the lights stay fixed in the world.
	for (int i = 0; i < view->lights.numFillLights && i < MAX_FILL_LIGHTS; i++)
	{
		const OGLVector3D& d = view->lights.fillDirection[i];
		GLfloat position[4] = {-d.x, -d.y, -d.z, 0};
		glLightfv(GL_LIGHT0 + i, GL_POSITION, position);
	}
}

static void CameraMoved()
{
	UpdateListenerLocation(gGameViewInfoPtr->cameraPlacement);
}

void OGL_SetCameraFromTo(const OGLPoint3D* from, const OGLPoint3D* to)
{
	GAME_ASSERT(gGameViewInfoPtr);
	gGameViewInfoPtr->cameraPlacement.from = *from;
	gGameViewInfoPtr->cameraPlacement.to = *to;
	gGameViewInfoPtr->cameraPlacement.up = {0, 1, 0};
	CameraMoved();
}

void OGL_SetCameraFromToUp(const OGLPoint3D* from, const OGLPoint3D* to, const OGLVector3D* up)
{
	GAME_ASSERT(gGameViewInfoPtr);
	gGameViewInfoPtr->cameraPlacement.from = *from;
	gGameViewInfoPtr->cameraPlacement.to = *to;
	gGameViewInfoPtr->cameraPlacement.up = *up;
	CameraMoved();
}

void OGL_MoveCameraFrom(float dx, float dy, float dz)
{
	GAME_ASSERT(gGameViewInfoPtr);
	OGLPoint3D& from = gGameViewInfoPtr->cameraPlacement.from;
	from.x += dx;
	from.y += dy;
	from.z += dz;
	CameraMoved();
}

void OGL_MoveCameraFromTo(float dx, float dy, float dz, float tx, float ty, float tz)
{
	GAME_ASSERT(gGameViewInfoPtr);
	OGLCameraPlacement& cam = gGameViewInfoPtr->cameraPlacement;
	cam.from.x += dx;
	cam.from.y += dy;
	cam.from.z += dz;
	cam.to.x += tx;
	cam.to.y += ty;
	cam.to.z += tz;
	CameraMoved();
}
