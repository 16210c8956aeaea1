// The fixed-function state the drawing shares: a stack of the switches and
// blend state the draw code flips (pushed and popped around a special pass),
// the lighting switch, the 2D overlay state, a few common draws, and the GL
// error check.
#pragma once

#include "System/Math.h"
#include "System/Objects.h"

#include <cstdint>

constexpr int STATE_STACK_SIZE = 20;

extern bool gLightingOn;

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
