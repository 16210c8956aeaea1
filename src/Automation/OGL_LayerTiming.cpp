// One full-screen layer's cost, measured on the game's own context so a
// timedemo's frame times can be read against what the machine fills per frame.
#include "Automation/OGL_LayerTiming.h"
#include "3D/OGL_Support.h"
#include "System/Window.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <vector>

static constexpr int LAYER_TEXTURE_SIZE = 256;		// texels a side: a typical model texture

double OGL_TimeFullScreenLayers(int layers)
{
	if (!gGLContext || layers <= 0)
		return 0;

	int x, y, width, height;
	OGL_GetViewport(&x, &y, &width, &height);
	if (width <= 0 || height <= 0)
		return 0;

	// A checker, so the texture unit really samples.
	std::vector<uint32_t> texels(LAYER_TEXTURE_SIZE * LAYER_TEXTURE_SIZE);
	for (int j = 0; j < LAYER_TEXTURE_SIZE; j++)
		for (int i = 0; i < LAYER_TEXTURE_SIZE; i++)
			texels[size_t(j * LAYER_TEXTURE_SIZE + i)] = ((i ^ j) & 16) ? 0xFFC08040u : 0xFF4080C0u;
	GLuint texture = 0;
	glGenTextures(1, &texture);
	glBindTexture(GL_TEXTURE_2D, texture);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
	glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, LAYER_TEXTURE_SIZE, LAYER_TEXTURE_SIZE, 0, GL_RGBA, GL_UNSIGNED_BYTE,
			texels.data());

	glPushAttrib(GL_ALL_ATTRIB_BITS);
	glMatrixMode(GL_PROJECTION);
	glPushMatrix();
	glLoadIdentity();
	glOrtho(0, 1, 0, 1, 0.5, 10);
	glMatrixMode(GL_MODELVIEW);
	glPushMatrix();
	glLoadIdentity();

	glViewport(x, y, width, height);
	glDisable(GL_DEPTH_TEST);
	glDisable(GL_CULL_FACE);
	glDisable(GL_BLEND);
	glDisable(GL_ALPHA_TEST);
	glEnable(GL_TEXTURE_2D);
	glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

	glEnable(GL_LIGHTING);
	glEnable(GL_LIGHT0);
	GLfloat lightPosition[4] = {0.3f, 0.5f, 1, 0};
	GLfloat white[4] = {1, 1, 1, 1};
	glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
	glLightfv(GL_LIGHT0, GL_DIFFUSE, white);

	glEnable(GL_FOG);
	glFogi(GL_FOG_MODE, GL_LINEAR);
	glFogf(GL_FOG_START, 0.5f);
	glFogf(GL_FOG_END, 4);
	GLfloat fogColor[4] = {0.5f, 0.6f, 0.7f, 1};
	glFogfv(GL_FOG_COLOR, fogColor);

	glFinish();
	uint64_t start = SDL_GetPerformanceCounter();
	for (int i = 0; i < layers; i++)
	{
		glBegin(GL_QUADS);
		glNormal3f(0, 0, 1);
		glTexCoord2f(0, 0); glVertex3f(0, 0, -2);
		glTexCoord2f(4, 0); glVertex3f(1, 0, -2);
		glTexCoord2f(4, 3); glVertex3f(1, 1, -2);
		glTexCoord2f(0, 3); glVertex3f(0, 1, -2);
		glEnd();
	}
	glFinish();
	uint64_t end = SDL_GetPerformanceCounter();

	glMatrixMode(GL_PROJECTION);
	glPopMatrix();
	glMatrixMode(GL_MODELVIEW);
	glPopMatrix();
	glPopAttrib();
	glDeleteTextures(1, &texture);

	return double(end - start) * 1000.0 / double(SDL_GetPerformanceFrequency()) / layers;
}
