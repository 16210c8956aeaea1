// The fixed-function state stack, lighting switch, error checks and the 2D
// overlay state.
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "3D/MetaObjects.h"
#include "System/Error.h"

#include <SDL_opengl.h>
#include <cstring>

struct OGLStateEntry
{
	bool lighting;
	bool cullFace;
	bool depthTest;
	bool normalize;
	bool texture2D;
	bool fog;
	bool blend;
	GLfloat color[4];
	GLint blendSrc;
	GLint blendDst;
	GLboolean depthMask;
};

static OGLStateEntry gStateStack[STATE_STACK_SIZE];
static int gStateStackDepth = 0;

int OGL_GetStateStackDepth()
{
	return gStateStackDepth;
}

void OGL_PushState()
{
	// Checked before anything is pushed, so a caught overflow leaves GL balanced.
	if (gStateStackDepth >= STATE_STACK_SIZE)
		FatalAlert("OGL_PushState: stack overflow");
	int depth = gStateStackDepth++;

	glMatrixMode(GL_MODELVIEW);
	glPushMatrix();
	glMatrixMode(GL_PROJECTION);
	glPushMatrix();
	glMatrixMode(GL_MODELVIEW);

	OGLStateEntry& e = gStateStack[depth];
	e.lighting = gLightingOn;
	e.cullFace = glIsEnabled(GL_CULL_FACE);
	e.depthTest = glIsEnabled(GL_DEPTH_TEST);
	e.normalize = glIsEnabled(GL_NORMALIZE);
	e.texture2D = glIsEnabled(GL_TEXTURE_2D);
	e.fog = glIsEnabled(GL_FOG);
	e.blend = glIsEnabled(GL_BLEND);
	glGetFloatv(GL_CURRENT_COLOR, e.color);
	glGetIntegerv(GL_BLEND_SRC, &e.blendSrc);
	glGetIntegerv(GL_BLEND_DST, &e.blendDst);
	glGetBooleanv(GL_DEPTH_WRITEMASK, &e.depthMask);
}

static void SetEnabled(GLenum cap, bool on)
{
	if (on)
		glEnable(cap);
	else
		glDisable(cap);
}

void OGL_PopState()
{
	if (gStateStackDepth <= 0)
		FatalAlert("OGL_PopState: stack underflow!");

	glMatrixMode(GL_PROJECTION);
	glPopMatrix();
	glMatrixMode(GL_MODELVIEW);
	glPopMatrix();

	const OGLStateEntry& e = gStateStack[--gStateStackDepth];

	if (e.lighting)
		OGL_EnableLighting();
	else
		OGL_DisableLighting();
	SetEnabled(GL_CULL_FACE, e.cullFace);
	SetEnabled(GL_DEPTH_TEST, e.depthTest);
	SetEnabled(GL_NORMALIZE, e.normalize);
	SetEnabled(GL_TEXTURE_2D, e.texture2D);
	SetEnabled(GL_BLEND, e.blend);
	SetEnabled(GL_FOG, e.fog);
	glDepthMask(e.depthMask);
	glBlendFunc(GLenum(e.blendSrc), GLenum(e.blendDst));
	glColor4fv(e.color);
}

void OGL_EnableLighting()
{
	gLightingOn = true;
	glEnable(GL_LIGHTING);
}

void OGL_DisableLighting()
{
	gLightingOn = false;
	glDisable(GL_LIGHTING);
}

uint32_t OGL_CheckError(const char* file, int line)
{
	GLenum err = glGetError();
	if (err == GL_NO_ERROR)
		return 0;
	const char* slash = std::strrchr(file, '/');
	FatalAlert("OpenGL Error 0x%x in %s:%d", unsigned(err), slash ? slash + 1 : file, line);
}

void OGL_Set2DOverlayState(bool centered)
{
	OGL_DisableLighting();
	glDisable(GL_CULL_FACE);
	glDisable(GL_DEPTH_TEST);
	gGlobalMaterialFlags = MATERIAL_FLAG_CLAMP_U | MATERIAL_FLAG_CLAMP_V;

	glMatrixMode(GL_PROJECTION);
	glLoadIdentity();
	float w = g2DLogicalWidth, h = g2DLogicalHeight;
	if (centered)
		glOrtho(-w * 0.5f, w * 0.5f, h * 0.5f, -h * 0.5f, 0, 1);
	else
		glOrtho(0, w, h, 0, 0, 1);
	glMatrixMode(GL_MODELVIEW);
	glLoadIdentity();
}

void OGL_DrawTexturedQuad(const OGLPoint3D& center, const OGLVector3D& side, const OGLVector3D& top)
{
	OGLPoint3D c0 = center - side - top, c1 = center + side - top, c2 = center + side + top, c3 = center - side + top;
	glBegin(GL_QUADS);
	glTexCoord2f(0, 1); glVertex3f(c0.x, c0.y, c0.z);
	glTexCoord2f(1, 1); glVertex3f(c1.x, c1.y, c1.z);
	glTexCoord2f(1, 0); glVertex3f(c2.x, c2.y, c2.z);
	glTexCoord2f(0, 0); glVertex3f(c3.x, c3.y, c3.z);
	glEnd();
	gTrianglesThisFrame += 2;
}

void OGL_DrawFadeOverlay(ObjNode*)
{
	OGL_PushState();
	OGL_Set2DOverlayState(false);
	glColor4f(0, 0, 0, 1.0f - gFadeLevel);
	glDisable(GL_TEXTURE_2D);
	glEnable(GL_BLEND);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	glBegin(GL_QUADS);
	glVertex2f(0, 0);
	glVertex2f(g2DLogicalWidth, 0);
	glVertex2f(g2DLogicalWidth, LOGICAL_SCREEN_HEIGHT);
	glVertex2f(0, LOGICAL_SCREEN_HEIGHT);
	glEnd();
	glDisable(GL_BLEND);
	OGL_PopState();
}
