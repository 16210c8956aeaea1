// Text meshes: all on-screen text is drawn from one bitmap font, a 1024 × 1024
// atlas (":system:font1.tga" or ":system:font2.tga") located by the metrics of
// ":system:font.sfl". A text node is an object node (genre TEXTMESH_GENRE)
// whose base group holds its matrix and one vertex array with a textured quad
// per visible character; it is drawn in the centred 2D overlay (origin at the
// screen centre, y downward, 480 units high). Layout units are half font units.
#pragma once

#include "3D/MetaObjects.h"
#include "3D/TextMeshFont.h"

struct ObjNode;
struct ObjectDef;

struct OGLRect
{
	float top, bottom, left, right;
};

extern MetaObjectPtr gFontMaterial;		// the font atlas of the active view
extern float gFontLineHeight;				// font units

// Loads the metrics once at boot ("Metrics already loaded" if repeated); until
// then views get no font material and no debug text.
void TextMesh_LoadMetrics();
void TextMesh_DisposeMetrics();
bool TextMesh_MetricsLoaded();
// The loaded glyph table (valid while the metrics are loaded).
const TextMeshFont& TextMesh_GetFont();

// The font material of a view: made by OGL_SetupWindow (nothing without the
// metrics), released by OGL_DisposeWindowSetup.
void TextMesh_InitMaterial(bool useAltFont);
void TextMesh_DisposeMaterial();

// A text node laid out with `alignment` (TEXTMESH_ALIGN_…). The definition's
// genre and status bits are replaced.
ObjNode* TextMesh_New(const char* text, int alignment, ObjectDef* def);
// A text node with room for `capacity` characters and no text yet.
ObjNode* TextMesh_NewEmpty(int capacity, ObjectDef* def);
// Lays out new UTF-8 text into a text node (alignment other than 0 … 2: left).
void TextMesh_Update(const char* text, int alignment, ObjNode* textNode);

// The debug overlay's text node: made empty with room for `capacity`
// characters (null without metrics or font material), then laid out
// left-aligned whenever the text changes (nothing without a font).
ObjNode* TextMesh_NewDebugTextNode(int capacity, float x, float y, float scale, int slot);
void TextMesh_SetDebugText(ObjNode* node, const char* text);

// Text reads over any background, bright or dark: before its letters each
// text node lays down their silhouette (the atlas's rimmed glyphs) in a dark
// tone, nudged a unit each way diagonally and once down-right as a shadow;
// the letters then draw as they are, so glowing ones add their light onto
// that dark bed rather than onto a bright scene. Called by the overlay pass
// with the node's colour filter and alpha set; leaves the node's blending.
void TextMesh_DrawUnderlay(ObjNode* textNode);

// The node's extents in screen units: each extent × the node's scale plus its position.
OGLRect TextMesh_GetExtents(const ObjNode* textNode);
// Outlines the extents (debug mode 2): white along the top, blue along the bottom.
void TextMesh_DrawExtents(ObjNode* textNode);
// Sum of the x advances, in font units, of the first n code points, newlines excluded.
float TextMesh_GetCharX(const char* text, int n);
