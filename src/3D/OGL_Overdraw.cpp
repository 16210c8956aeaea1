// The overdraw view: a framebuffer object with a stencil that counts writes.
#include "3D/OGL_Overdraw.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <cstring>

namespace
{
	constexpr GLenum FRAMEBUFFER = 0x8D40, READ_FRAMEBUFFER = 0x8CA8, DRAW_FRAMEBUFFER = 0x8CA9;
	constexpr GLenum RENDERBUFFER = 0x8D41, COLOR_ATTACHMENT0 = 0x8CE0, DEPTH_STENCIL_ATTACHMENT = 0x821A;
	constexpr GLenum DEPTH32F_STENCIL8 = 0x8CAD, FRAMEBUFFER_COMPLETE = 0x8CD5;

	struct FramebufferProcs
	{
		void (*genFramebuffers)(GLsizei, GLuint*);
		void (*deleteFramebuffers)(GLsizei, const GLuint*);
		void (*bindFramebuffer)(GLenum, GLuint);
		void (*genRenderbuffers)(GLsizei, GLuint*);
		void (*deleteRenderbuffers)(GLsizei, const GLuint*);
		void (*bindRenderbuffer)(GLenum, GLuint);
		void (*renderbufferStorage)(GLenum, GLenum, GLsizei, GLsizei);
		void (*framebufferRenderbuffer)(GLenum, GLenum, GLenum, GLuint);
		GLenum (*checkFramebufferStatus)(GLenum);
		void (*blitFramebuffer)(GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLbitfield, GLenum);
	};

	FramebufferProcs gProcs = {};
	int gAvailable = -1;					// -1 not yet checked
	GLuint gFramebuffer = 0, gColor = 0, gDepthStencil = 0;
	int gWidth = 0, gHeight = 0;

	// The heat map's colours by write count.
	const float kHeat[OVERDRAW_LEVELS][3] = {
		{0, 0, 0}, {0, 0, 0.8f}, {0, 0.7f, 0.8f}, {0, 0.75f, 0}, {0.9f, 0.9f, 0},
		{1, 0.55f, 0}, {0.9f, 0, 0}, {0.9f, 0, 0.9f}, {1, 1, 1},
	};

	template <typename T>
	bool Load(T* proc, const char* name)
	{
		*proc = reinterpret_cast<T>(SDL_GL_GetProcAddress(name));
		return *proc != nullptr;
	}

	void FreeBuffers()
	{
		if (gFramebuffer)
			gProcs.deleteFramebuffers(1, &gFramebuffer);
		if (gColor)
			gProcs.deleteRenderbuffers(1, &gColor);
		if (gDepthStencil)
			gProcs.deleteRenderbuffers(1, &gDepthStencil);
		gFramebuffer = gColor = gDepthStencil = 0;
		gWidth = gHeight = 0;
	}
}

bool OGL_OverdrawViewAvailable()
{
	if (gAvailable >= 0)
		return gAvailable == 1;
	const char* ext = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
	bool ok = ext && std::strstr(ext, "GL_ARB_framebuffer_object") && std::strstr(ext, "GL_ARB_depth_buffer_float");
	ok = ok && Load(&gProcs.genFramebuffers, "glGenFramebuffers") && Load(&gProcs.deleteFramebuffers, "glDeleteFramebuffers")
			&& Load(&gProcs.bindFramebuffer, "glBindFramebuffer") && Load(&gProcs.genRenderbuffers, "glGenRenderbuffers")
			&& Load(&gProcs.deleteRenderbuffers, "glDeleteRenderbuffers") && Load(&gProcs.bindRenderbuffer, "glBindRenderbuffer")
			&& Load(&gProcs.renderbufferStorage, "glRenderbufferStorage")
			&& Load(&gProcs.framebufferRenderbuffer, "glFramebufferRenderbuffer")
			&& Load(&gProcs.checkFramebufferStatus, "glCheckFramebufferStatus")
			&& Load(&gProcs.blitFramebuffer, "glBlitFramebuffer");
	gAvailable = ok ? 1 : 0;
	return ok;
}

bool OGL_BeginOverdrawView(int width, int height)
{
	if (!OGL_OverdrawViewAvailable() || width <= 0 || height <= 0)
		return false;
	if (width != gWidth || height != gHeight)
	{
		FreeBuffers();
		gProcs.genFramebuffers(1, &gFramebuffer);
		gProcs.genRenderbuffers(1, &gColor);
		gProcs.genRenderbuffers(1, &gDepthStencil);
		gProcs.bindFramebuffer(FRAMEBUFFER, gFramebuffer);
		gProcs.bindRenderbuffer(RENDERBUFFER, gColor);
		gProcs.renderbufferStorage(RENDERBUFFER, GL_RGBA8, width, height);
		gProcs.framebufferRenderbuffer(FRAMEBUFFER, COLOR_ATTACHMENT0, RENDERBUFFER, gColor);
		// A float depth like the window's, so the view fights over the same pixels the game does.
		gProcs.bindRenderbuffer(RENDERBUFFER, gDepthStencil);
		gProcs.renderbufferStorage(RENDERBUFFER, DEPTH32F_STENCIL8, width, height);
		gProcs.framebufferRenderbuffer(FRAMEBUFFER, DEPTH_STENCIL_ATTACHMENT, RENDERBUFFER, gDepthStencil);
		gProcs.bindRenderbuffer(RENDERBUFFER, 0);
		bool complete = gProcs.checkFramebufferStatus(FRAMEBUFFER) == FRAMEBUFFER_COMPLETE;
		gProcs.bindFramebuffer(FRAMEBUFFER, 0);
		if (!complete)
		{
			FreeBuffers();
			gAvailable = 0;
			return false;
		}
		gWidth = width;
		gHeight = height;
	}
	gProcs.bindFramebuffer(FRAMEBUFFER, gFramebuffer);
	glClearStencil(0);
	glClear(GL_STENCIL_BUFFER_BIT);
	glEnable(GL_STENCIL_TEST);
	glStencilFunc(GL_ALWAYS, 0, 0xFF);
	glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);		// counts what passes the depth test (and the alpha test before it)
	return true;
}

void OGL_EndOverdrawView()
{
	if (!gFramebuffer)
		return;
	OGL_PushState();
	glViewport(0, 0, gWidth, gHeight);
	glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
	glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
	OGL_DisableLighting();
	glDisable(GL_TEXTURE_2D);
	glDisable(GL_BLEND);
	glDisable(GL_FOG);
	glDisable(GL_ALPHA_TEST);
	glDisable(GL_DEPTH_TEST);
	glDisable(GL_CULL_FACE);
	glDisableClientState(GL_COLOR_ARRAY);
	glMatrixMode(GL_PROJECTION);
	glLoadIdentity();
	glMatrixMode(GL_MODELVIEW);
	glLoadIdentity();
	glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
	for (int count = 0; count < OVERDRAW_LEVELS; count++)
	{
		// The last colour takes every count from there up (ref <= stencil).
		glStencilFunc(count == OVERDRAW_LEVELS - 1 ? GL_LEQUAL : GL_EQUAL, count, 0xFF);
		glColor4f(kHeat[count][0], kHeat[count][1], kHeat[count][2], 1);
		glBegin(GL_QUADS);
		glVertex2f(-1, -1);
		glVertex2f(1, -1);
		glVertex2f(1, 1);
		glVertex2f(-1, 1);
		glEnd();
	}
	glDisable(GL_STENCIL_TEST);
	glEnable(GL_ALPHA_TEST);
	OGL_PopState();

	gProcs.bindFramebuffer(READ_FRAMEBUFFER, gFramebuffer);
	gProcs.bindFramebuffer(DRAW_FRAMEBUFFER, 0);
	gProcs.blitFramebuffer(0, 0, gWidth, gHeight, 0, 0, gWidth, gHeight, GL_COLOR_BUFFER_BIT, GL_NEAREST);
	gProcs.bindFramebuffer(FRAMEBUFFER, 0);
}

void OGL_DisposeOverdrawView()
{
	if (gAvailable == 1)
		FreeBuffers();
	gAvailable = -1;
}
