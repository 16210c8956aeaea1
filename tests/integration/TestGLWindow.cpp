#include "TestGLWindow.h"
#include "3D/OGL_Support.h"
#include "System/Window.h"

#include <SDL.h>

void OpenTestGLWindow(const char* title, int width, int height)
{
	if (gWindow)
		return;
	SDL_Init(SDL_INIT_VIDEO);
	SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
	SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
	SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
	SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
	gWindow = SDL_CreateWindow(title, 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
	if (gWindow)
		OGL_CreateDrawContext();
}

void CloseTestGLWindow()
{
	if (!gWindow)
		return;
	OGL_DestroyDrawContext();
	SDL_DestroyWindow(gWindow);
	gWindow = nullptr;
	SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
