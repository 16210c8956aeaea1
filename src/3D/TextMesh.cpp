// Text nodes, the font material and the font metrics of the run.
#include "3D/TextMesh.h"
#include "3D/OGL_DebugOverlay.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "3D/OGL_Textures.h"
#include "3D/TGA.h"
#include "System/DataFiles.h"
#include "System/Error.h"
#include "System/Objects.h"
#include "Files.h"
#include "Memory.h"

#include <SDL_opengl.h>
#include <vector>

MetaObjectPtr gFontMaterial = nullptr;
float gFontLineHeight = 0;

static TextMeshFont gFont;
static bool gMetricsLoaded = false;

// Text draws additively, over everything, without fog or lighting.
static constexpr uint32_t TEXT_NODE_STATUS_BITS = STATUS_BIT_NOFOG | STATUS_BIT_NOZWRITES | STATUS_BIT_NOZBUFFER
		| STATUS_BIT_NOLIGHTING | STATUS_BIT_GLOW | STATUS_BIT_KEEPBACKFACES;

// Bytes per character of the mesh arrays: 4 points, 4 texture coordinates, 2 triangles.
static constexpr size_t POINT_BYTES_PER_CHAR = 4 * sizeof(OGLPoint3D);
static constexpr size_t UV_BYTES_PER_CHAR = 4 * sizeof(OGLTextureCoord);
static constexpr size_t TRIANGLE_BYTES_PER_CHAR = 6 * sizeof(uint32_t);

//
// The debug overlay's text
//

ObjNode* TextMesh_NewDebugTextNode(int capacity, float x, float y, float scale, int slot)
{
	if (!gMetricsLoaded || !gFontMaterial)
		return nullptr;
	ObjectDef def = {};
	def.coord = {x, y, 0};
	def.scale = scale;
	def.slot = int16_t(slot);
	return TextMesh_NewEmpty(capacity, &def);
}

void TextMesh_SetDebugText(ObjNode* node, const char* text)
{
	if (gMetricsLoaded && gFontMaterial)
		TextMesh_Update(text, TEXTMESH_ALIGN_LEFT, node);
}

//
// Metrics
//

void TextMesh_LoadMetrics()
{
	GAME_ASSERT_MESSAGE(!gMetricsLoaded, "Metrics already loaded");

	FSSpec spec;
	OSErr err = MakeDataFileSpec(FONT_METRICS_PATH, &spec);
	int16_t refNum = -1;
	if (err == noErr)
		err = FSpOpenDF(&spec, fsRdPerm, &refNum);
	if (err != noErr)
		FatalAlert("Couldn't open the font metrics file \"%s\" (error %d).", FONT_METRICS_PATH, int(err));

	int32_t length = 0;
	err = GetEOF(refNum, &length);
	std::vector<char> text(size_t(length > 0 ? length : 0) + 1, '\0');		// zero-terminated
	int32_t count = length;
	if (err == noErr)
		err = FSRead(refNum, &count, text.data());
	FSClose(refNum);
	if (err != noErr)
		FatalAlert("Couldn't read the font metrics file \"%s\" (error %d).", FONT_METRICS_PATH, int(err));

	for (auto& page : gFont.pages)
		page.reset();
	gFont.lineHeight = 0;
	TextMeshParseError error;
	if (!TextMesh_ParseMetrics(text.data(), &gFont, &error))
		FatalAlert("Assertion failed! %s:%d: %s (in \"%s\")", error.function, error.line, error.expression, spec.name);

	gFontLineHeight = gFont.lineHeight;
	gMetricsLoaded = true;
}

void TextMesh_DisposeMetrics()
{
	if (!gMetricsLoaded)
		return;
	for (auto& page : gFont.pages)
		page.reset();
	// Views made from now on have no text. Releasing a font material still
	// works: it may outlive the metrics.
	gMetricsLoaded = false;
}

bool TextMesh_MetricsLoaded()
{
	return gMetricsLoaded;
}

const TextMeshFont& TextMesh_GetFont()
{
	return gFont;
}

float TextMesh_GetCharX(const char* text, int n)
{
	return TextMesh_CalcCharX(gFont, text, n);
}

//
// Material
//

void TextMesh_InitMaterial(bool useAltFont)
{
	GAME_ASSERT_MESSAGE(!gFontMaterial, "gFontMaterial already created");
	if (!gMetricsLoaded)
		return;			// a run without the font (tests, tools): views have no text

	const char* path = FONT_ATLAS_PATHS[useAltFont ? 1 : 0];
	FSSpec spec;
	OSErr err = MakeDataFileSpec(path, &spec);
	GAME_ASSERT_MESSAGE(err == noErr, path);
	TGAHeader header;
	Ptr pixels = nullptr;
	err = ReadTGA(&spec, &pixels, &header, true);
	GAME_ASSERT_MESSAGE(err == noErr, path);

	MOMaterialData m = {};
	m.drawContext = gGameViewInfoPtr;
	m.flags = MATERIAL_FLAG_TEXTURED | MATERIAL_FLAG_ALWAYS_BLEND | MATERIAL_FLAG_CLAMP_U | MATERIAL_FLAG_CLAMP_V;
	m.diffuseColor = {1, 1, 1, 1};
	m.numMipmaps = 1;
	m.width = header.width;
	m.height = header.height;
	m.pixelSrcFormat = GL_RGBA;
	m.pixelDstFormat = GL_RGBA;
	m.textureName[0] = OGL_TextureMap_Load(pixels, header.width, header.height, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
	DisposePtr(pixels);

	gFontMaterial = MO_CreateNewObjectOfType(MO_TYPE_MATERIAL, 0, &m);
	GAME_ASSERT(gFontMaterial);
}

void TextMesh_DisposeMaterial()
{
	// The overlay's text node belongs to the view that is going: its texture
	// could never be drawn again, and nobody else would delete it.
	if (ObjNode* debugText = gDebugTextNode.Get())
		DeleteObject(debugText);

	if (!gFontMaterial)
		return;
	MO_DisposeObjectReference(gFontMaterial);		// text nodes still shown keep their own references
	gFontMaterial = nullptr;
}

//
// Text nodes
//

static void* NewBlock(size_t bytes)
{
	if (bytes > size_t(INT32_MAX))
		FatalAlert("TextMesh: text too long (%zu bytes of mesh)", bytes);
	Ptr block = NewPtr(int32_t(bytes));
	if (!block)
		FatalAlert("TextMesh: AllocPtr failed");
	return block;
}

static void AllocateArrays(MOVertexArrayData* mesh, int capacity)
{
	mesh->points = static_cast<OGLPoint3D*>(NewBlock(POINT_BYTES_PER_CHAR * size_t(capacity)));
	mesh->uvs[0] = static_cast<OGLTextureCoord*>(NewBlock(UV_BYTES_PER_CHAR * size_t(capacity)));
	mesh->triangles = static_cast<uint32_t*>(NewBlock(TRIANGLE_BYTES_PER_CHAR * size_t(capacity)));
}

static void FreeArrays(MOVertexArrayData* mesh)
{
	if (mesh->points)
		DisposePtr(reinterpret_cast<Ptr>(mesh->points));
	if (mesh->uvs[0])
		DisposePtr(reinterpret_cast<Ptr>(mesh->uvs[0]));
	if (mesh->triangles)
		DisposePtr(reinterpret_cast<Ptr>(mesh->triangles));
	mesh->points = nullptr;
	mesh->uvs[0] = nullptr;
	mesh->triangles = nullptr;
}

static ObjNode* TextMesh_InitMesh(ObjectDef* def, int capacity)
{
	GAME_ASSERT(gFontMaterial);

	def->genre = TEXTMESH_GENRE;
	def->flags = TEXT_NODE_STATUS_BITS;
	ObjNode* node = MakeNewObject(def);
	GAME_ASSERT(node);

	MOVertexArrayData data = {};
	data.numMaterials = 1;
	data.materials[0] = gFontMaterial;
	if (capacity > 0)
		AllocateArrays(&data, capacity);
	MetaObjectPtr mesh = MO_CreateNewObjectOfType(MO_TYPE_GEOMETRY, MO_GEOMETRY_SUBTYPE_VERTEXARRAY, &data);
	GAME_ASSERT(mesh);

	CreateBaseGroup(node);
	AppendToObjectBaseGroup(node, mesh);
	MO_DisposeObjectReference(mesh);		// the base group holds it
	node->TextMesh = capacity > 0 ? capacity : 0;
	UpdateObjectTransforms(node);
	return node;
}

ObjNode* TextMesh_New(const char* text, int alignment, ObjectDef* def)
{
	ObjNode* node = TextMesh_InitMesh(def, 0);
	TextMesh_Update(text, alignment, node);
	return node;
}

ObjNode* TextMesh_NewEmpty(int capacity, ObjectDef* def)
{
	return TextMesh_InitMesh(def, capacity);
}

void TextMesh_Update(const char* text, int alignment, ObjNode* textNode)
{
	GAME_ASSERT_MESSAGE(gFontMaterial, "Can't lay out text if the font material isn't loaded!");
	GAME_ASSERT_MESSAGE(gMetricsLoaded, "Can't lay out text if the font metrics aren't loaded!");
	GAME_ASSERT(textNode->Genre == TEXTMESH_GENRE);
	GAME_ASSERT(textNode->BaseGroup);
	GAME_ASSERT(textNode->BaseGroup->type == MO_TYPE_GROUP);
	GAME_ASSERT(MO_GroupData(textNode->BaseGroup)->numObjectsInGroup >= 2);
	MetaObjectPtr metaObjectHeader = MO_GroupData(textNode->BaseGroup)->groupContents[1];
	GAME_ASSERT(metaObjectHeader->type == MO_TYPE_GEOMETRY);
	GAME_ASSERT(metaObjectHeader->subType == MO_GEOMETRY_SUBTYPE_VERTEXARRAY);
	MOVertexArrayData* mesh = MO_VertexArrayData(metaObjectHeader);

	if (!text)
		text = "";
	if (alignment < TEXTMESH_ALIGN_LEFT || alignment > TEXTMESH_ALIGN_RIGHT)
		alignment = TEXTMESH_ALIGN_LEFT;

	TextMeshLayout layout = TextMesh_Measure(gFont, text, alignment);
	textNode->LeftOff = layout.leftOff;
	textNode->RightOff = layout.rightOff;
	textNode->TopOff = layout.topOff;
	textNode->BottomOff = layout.bottomOff;

	const int k = layout.visibleChars;
	if (textNode->TextMesh < k)
	{
		// Room for twice as much: text that grows a character at a time
		// reallocates rarely.
		int capacity = k > INT32_MAX / 2 ? INT32_MAX : 2 * k;
		FreeArrays(mesh);
		AllocateArrays(mesh, capacity);
		textNode->TextMesh = capacity;
	}
	mesh->numTriangles = 2 * k;
	mesh->numPoints = 4 * k;
	if (k == 0)
		return;

	GAME_ASSERT(mesh->uvs[0]);
	GAME_ASSERT(mesh->triangles);
	GAME_ASSERT(mesh->numMaterials == 1);
	GAME_ASSERT(mesh->materials[0]);
	int p = TextMesh_PlaceGlyphs(gFont, text, layout, mesh->points, mesh->uvs[0], mesh->triangles);
	GAME_ASSERT(p == mesh->numPoints);
}

OGLRect TextMesh_GetExtents(const ObjNode* node)
{
	OGLRect r;
	r.top = float(node->TopOff) * node->Scale.y + node->Coord.y;
	r.bottom = float(node->BottomOff) * node->Scale.y + node->Coord.y;
	r.left = float(node->LeftOff) * node->Scale.x + node->Coord.x;
	r.right = float(node->RightOff) * node->Scale.x + node->Coord.x;
	return r;
}

void TextMesh_DrawExtents(ObjNode* node)
{
	if (gDebugMode != 2)
		return;
	OGLRect r = TextMesh_GetExtents(node);

	OGL_PushState();
	OGL_Set2DOverlayState(true);
	glDisable(GL_TEXTURE_2D);
	glDisable(GL_BLEND);
	glBegin(GL_LINE_LOOP);
	glColor4f(1, 1, 1, 1);
	glVertex2f(r.left, r.top);
	glVertex2f(r.right, r.top);
	glColor4f(0, 0.5f, 1, 1);
	glVertex2f(r.right, r.bottom);
	glVertex2f(r.left, r.bottom);
	glEnd();
	OGL_PopState();
}

//
// The dark bed under every text
//

namespace
{
	// Overlay units the silhouette is nudged: a unit each way diagonally
	// thickens the atlas's own rim into an outline, and a further step down
	// and right throws a shadow.
	constexpr float UNDERLAY_NUDGE = 1.0f;
	constexpr float UNDERLAY_SHADOW = 2.2f;
	constexpr float UNDERLAY_ALPHA = 0.8f;		// of the text's own alpha, per layer
	const OGLColorRGBA UNDERLAY_COLOR = {0.02f, 0.02f, 0.07f, 1};
}

void TextMesh_DrawUnderlay(ObjNode* textNode)
{
	if (!textNode->BaseGroup || gGlobalTransparency <= 0)
		return;
	const OGLColorRGBA filter = gGlobalColorFilter;
	const float transparency = gGlobalTransparency;
	gGlobalColorFilter = UNDERLAY_COLOR;
	gGlobalTransparency = transparency * UNDERLAY_ALPHA;
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	const float offsets[5][2] = {{-UNDERLAY_NUDGE, -UNDERLAY_NUDGE}, {UNDERLAY_NUDGE, -UNDERLAY_NUDGE},
			{-UNDERLAY_NUDGE, UNDERLAY_NUDGE}, {UNDERLAY_NUDGE, UNDERLAY_NUDGE}, {UNDERLAY_SHADOW, UNDERLAY_SHADOW}};
	glMatrixMode(GL_MODELVIEW);
	for (const auto& offset : offsets)
	{
		glPushMatrix();
		glTranslatef(offset[0], offset[1], 0);
		MO_DrawObject(textNode->BaseGroup);
		glPopMatrix();
	}
	gGlobalColorFilter = filter;
	gGlobalTransparency = transparency;
	glBlendFunc(GL_SRC_ALPHA, (textNode->StatusBits & STATUS_BIT_GLOW) ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
}
