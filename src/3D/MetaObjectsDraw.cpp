// Drawing meta objects with the fixed-function pipeline.
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/OGL_DebugOverlay.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "3D/OGL_Textures.h"
#include "System/Error.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <vector>

static void CheckGL(const char* message)
{
	if (glGetError() != GL_NO_ERROR)
		FatalAlert("%s", message);
}

//
// Material
//

bool MO_MaterialNeedsBlending(const MOMaterialData* material, uint32_t effectiveFlags, float finalAlpha)
{
	if ((effectiveFlags & MATERIAL_FLAG_TEXTURED) && material->pixelDstFormat == GL_RGBA)
		return true;
	if (finalAlpha != 1.0f)
		return true;
	return (effectiveFlags & MATERIAL_FLAG_ALWAYS_BLEND) != 0;
}

void MO_DrawMaterial(MetaObjectPtr object)
{
	if (!object || object->cookie != MO_COOKIE_LIVE)
		FatalAlert("MO_DrawMaterial: bad cookie!");
	MOMaterialData* m = MO_MaterialData(object);
	uint32_t flags = m->flags | gGlobalMaterialFlags;

	if (flags & MATERIAL_FLAG_TEXTURED)
	{
		if (m->drawContext != gGameViewInfoPtr)
			FatalAlert("MO_DrawMaterial: texture is not assigned to this draw context");

		if (object == gMostRecentMaterial)
		{
			glEnable(GL_TEXTURE_2D);
		}
		else
		{
			OGL_BindTexture(m->textureName[0]);
			if (gDebugMode != 0)
			{
				int32_t texels = int32_t(m->width * m->height);
				if (m->pixelDstFormat == GL_RGB || m->pixelDstFormat == GL_RGBA)
					gVRAMEstimate += texels * 4;
				else if (m->pixelDstFormat == GL_RGB5_A1)
					gVRAMEstimate += texels * 2;
			}
		}
		glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, (flags & MATERIAL_FLAG_CLAMP_U) ? GL_CLAMP_TO_EDGE : GL_REPEAT);
		glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, (flags & MATERIAL_FLAG_CLAMP_V) ? GL_CLAMP_TO_EDGE : GL_REPEAT);
	}
	else
	{
		glDisable(GL_TEXTURE_2D);
	}

	OGLColorRGBA c = m->diffuseColor;
	if (gGlobalTransparency != 1.0f)
		c.a *= gGlobalTransparency;
	c.r *= gGlobalColorFilter.r;
	c.g *= gGlobalColorFilter.g;
	c.b *= gGlobalColorFilter.b;
	glColor4f(c.r, c.g, c.b, c.a);

	if (MO_MaterialNeedsBlending(m, flags, c.a))
		glEnable(GL_BLEND);
	else
		glDisable(GL_BLEND);

	gMostRecentMaterial = object;
}

//
// Matrix, group, sprite
//

void MO_DrawMatrix(MetaObjectPtr object)
{
	glMultMatrixf(MO_MatrixData(object)->value);
	if (glGetError() != GL_NO_ERROR)
		FatalAlert("MO_DrawMatrix: glMultMatrixf!");
}

void MO_DrawGroup(MetaObjectPtr object)
{
	MO_CheckCookie(object, "MO_DrawGroup");
	if (object->type != MO_TYPE_GROUP)
		FatalAlert("MO_DrawGroup: this isnt a group!");

	OGL_PushState();
	const MOGroupData* group = MO_GroupData(object);
	for (int i = 0; i < group->numObjectsInGroup; i++)
		MO_DrawObject(group->groupContents[i]);
	OGL_PopState();
}

void MO_DrawSprite(MetaObjectPtr object)
{
	const MOSpriteData* s = MO_SpriteData(object);
	if (s->rot != 0.0f)
		glRotatef(OGLMath_RadiansToDegrees(s->rot), 0, 0, 1);

	if (s->material)
		MO_DrawMaterial(s->material);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

	float x = s->coord.x, y = s->coord.y, z = s->coord.z;
	glBegin(GL_QUADS);
	glTexCoord2f(0, 0);	glVertex3f(x, y, z);
	glTexCoord2f(1, 0);	glVertex3f(x + s->scaleX, y, z);
	glTexCoord2f(1, 1);	glVertex3f(x + s->scaleX, y + s->scaleY, z);
	glTexCoord2f(0, 1);	glVertex3f(x, y + s->scaleY, z);
	glEnd();

	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
	gTrianglesThisFrame += 2;
}

void MO_DrawObject(MetaObjectPtr object)
{
	if (!object || object->cookie != MO_COOKIE_LIVE)
		FatalAlert("MO_DrawObject: cookie is invalid!");

	switch (object->type)
	{
		case MO_TYPE_GEOMETRY:
			if (object->subType != MO_GEOMETRY_SUBTYPE_VERTEXARRAY)
				FatalAlert("MO_DrawObject: unknown sub-type!");
			MO_DrawGeometry_VertexArray(MO_VertexArrayData(object));
			break;
		case MO_TYPE_GROUP:
			MO_DrawGroup(object);
			break;
		case MO_TYPE_MATERIAL:
			MO_DrawMaterial(object);
			break;
		case MO_TYPE_MATRIX:
			MO_DrawMatrix(object);
			break;
		case MO_TYPE_SPRITE:
			MO_DrawSprite(object);
			break;
		default:
			FatalAlert("MO_DrawObject: unknown type!");
	}
}

//
// Vertex arrays
//

static void SelectTextureUnit(int unit)
{
	if (gGL_ActiveTextureARB)
		gGL_ActiveTextureARB(GL_TEXTURE0_ARB + unit);
	if (gGL_ClientActiveTextureARB)
		gGL_ClientActiveTextureARB(GL_TEXTURE0_ARB + unit);
}

static void DisableTextureCoords()
{
	glDisableClientState(GL_TEXTURE_COORD_ARRAY);
	CheckGL("MO_DrawGeometry_VertexArray: glDisableClientState(GL_TEXTURE_COORD_ARRAY)!");
}

// Unit 1 gets sphere-map image envMapNum on top of unit 0's texture.
static void SetupSphereMapLayer(const MOMaterialData* m, const OGLTextureCoord* uvs)
{
	glTexCoordPointer(2, GL_FLOAT, 0, uvs);
	glEnableClientState(GL_TEXTURE_COORD_ARRAY);
	glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

	SelectTextureUnit(1);
	glEnable(GL_TEXTURE_2D);
	MO_DrawMaterial(gSpriteGroupList[SPRITE_GROUP_SPHEREMAPS][m->envMapNum].materialObject);
	glEnable(GL_COLOR_MATERIAL);
	if (m->multiTextureCombine == MULTI_TEXTURE_COMBINE_MODULATE)
	{
		glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
	}
	else if (m->multiTextureCombine == MULTI_TEXTURE_COMBINE_ADD)
	{
		glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
		glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, GL_ADD);
	}
	glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
	glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
	glEnable(GL_TEXTURE_GEN_S);
	glEnable(GL_TEXTURE_GEN_T);
}

// Returns true when a second texture unit was set up.
static bool SetupSingleLayer(const MOVertexArrayData* data)
{
	if (data->numMaterials == 1 && data->materials[0])
		MO_DrawMaterial(data->materials[0]);

	// A negative count draws with whatever material was applied last; with
	// none applied this frame the geometry draws untextured.
	MetaObjectPtr recent = gMostRecentMaterial;
	const MOMaterialData* m = recent ? MO_MaterialData(recent) : nullptr;
	bool textured = m && ((m->flags | gGlobalMaterialFlags) & MATERIAL_FLAG_TEXTURED);

	if (!textured || !data->uvs[0])
	{
		if (!textured)
			glDisable(GL_TEXTURE_2D);
		DisableTextureCoords();
		return false;
	}

	if ((m->flags | gGlobalMaterialFlags) & MATERIAL_FLAG_MULTITEXTURE)
	{
		if (m->envMapNum >= gNumSpritesInGroupList[SPRITE_GROUP_SPHEREMAPS])
			FatalAlert("MO_DrawGeometry_VertexArray: illegal envMapNum");
		if (m->multiTextureMode == 0)
		{
			SetupSphereMapLayer(m, data->uvs[0]);
			CheckGL("MO_DrawGeometry_VertexArray: uv!");
			return true;
		}
	}

	glTexCoordPointer(2, GL_FLOAT, 0, data->uvs[0]);
	glEnableClientState(GL_TEXTURE_COORD_ARRAY);
	CheckGL("MO_DrawGeometry_VertexArray: uv!");
	return false;
}

static bool SetupMultipleLayers(const MOVertexArrayData* data)
{
	int layers = data->numMaterials < MO_MAX_VERTEX_LAYERS ? data->numMaterials : MO_MAX_VERTEX_LAYERS;
	for (int i = 0; i < layers; i++)
	{
		SelectTextureUnit(i);
		glEnable(GL_TEXTURE_2D);
		if (data->uvs[i])
		{
			glTexCoordPointer(2, GL_FLOAT, 0, data->uvs[i]);
			glEnableClientState(GL_TEXTURE_COORD_ARRAY);
		}
		else
		{
			glDisableClientState(GL_TEXTURE_COORD_ARRAY);
		}
		if (data->materials[i])
			MO_DrawMaterial(data->materials[i]);
		glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
		if (i == 0)
			gMostRecentMaterial = nullptr;		// the next layer's material is applied in full
	}
	CheckGL("MO_DrawGeometry_VertexArray: uv!");
	return layers > 1;
}

// A colour array takes the place of the material's colour, so the node's
// colour filter and transparency (a blob's tint, a frozen creature's white, a
// fade with distance) must scale the array itself or they would be lost on
// every vertex-coloured model.
static bool IsColorFiltered()
{
	return gGlobalColorFilter.r != 1.0f || gGlobalColorFilter.g != 1.0f || gGlobalColorFilter.b != 1.0f
			|| gGlobalTransparency != 1.0f;
}

static const OGLColorRGBA* FilteredColors(const MOVertexArrayData* data, bool useFloat)
{
	static std::vector<OGLColorRGBA> filtered;
	filtered.resize(size_t(std::max(data->numPoints, 0)));
	const OGLColorRGBA f = {gGlobalColorFilter.r, gGlobalColorFilter.g, gGlobalColorFilter.b, gGlobalTransparency};
	for (size_t i = 0; i < filtered.size(); i++)
	{
		OGLColorRGBA c;
		if (useFloat)
			c = data->colorsFloat[i];
		else
		{
			const OGLColorRGBA_Byte& b = data->colorsByte[i];
			c = {b.r / 255.0f, b.g / 255.0f, b.b / 255.0f, b.a / 255.0f};
		}
		filtered[i] = {c.r * f.r, c.g * f.g, c.b * f.b, c.a * f.a};
	}
	return filtered.data();
}

void MO_DrawGeometry_VertexArray(const MOVertexArrayData* data)
{
	glEnableClientState(GL_VERTEX_ARRAY);
	glVertexPointer(3, GL_FLOAT, 0, data->points);
	CheckGL("MO_DrawGeometry_VertexArray: glVertexPointer!");

	if (data->normals)
	{
		glNormalPointer(GL_FLOAT, 0, data->normals);
		glEnableClientState(GL_NORMAL_ARRAY);
	}
	else
	{
		glDisableClientState(GL_NORMAL_ARRAY);
	}
	CheckGL("MO_DrawGeometry_VertexArray: normals!");

	// Lit geometry prefers float colours, unlit geometry byte colours.
	const void* floatColors = data->colorsFloat;
	const void* byteColors = data->colorsByte;
	bool useFloat = gLightingOn ? floatColors != nullptr : (byteColors == nullptr && floatColors != nullptr);
	if ((floatColors || byteColors) && IsColorFiltered())
	{
		glColorPointer(4, GL_FLOAT, 0, FilteredColors(data, useFloat));
		glEnableClientState(GL_COLOR_ARRAY);
		if (gGlobalTransparency < 1.0f)
			glEnable(GL_BLEND);
	}
	else if (useFloat)
	{
		glColorPointer(4, GL_FLOAT, 0, floatColors);
		glEnableClientState(GL_COLOR_ARRAY);
	}
	else if (byteColors)
	{
		glColorPointer(4, GL_UNSIGNED_BYTE, 0, byteColors);
		glEnableClientState(GL_COLOR_ARRAY);
	}
	else
	{
		glDisableClientState(GL_COLOR_ARRAY);
	}
	CheckGL("MO_DrawGeometry_VertexArray: color!");

	bool usedSecondUnit = false;
	if (data->numMaterials == 0)
	{
		glDisable(GL_TEXTURE_2D);
		DisableTextureCoords();
	}
	else if (data->numMaterials == 1 || data->numMaterials < 0)
	{
		usedSecondUnit = SetupSingleLayer(data);
	}
	else
	{
		usedSecondUnit = SetupMultipleLayers(data);
	}

	if (data->numTriangles > 0 && data->points && data->triangles)
		glDrawElements(GL_TRIANGLES, data->numTriangles * 3, GL_UNSIGNED_INT, data->triangles);
	CheckGL("MO_DrawGeometry_VertexArray: glDrawElements");
	gTrianglesThisFrame += data->numPoints;

	if (usedSecondUnit)
	{
		SelectTextureUnit(1);
		glDisable(GL_TEXTURE_2D);
		glDisable(GL_TEXTURE_GEN_S);
		glDisable(GL_TEXTURE_GEN_T);
		glDisableClientState(GL_TEXTURE_COORD_ARRAY);
		SelectTextureUnit(0);
		glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
		glDisable(GL_TEXTURE_GEN_S);
		glDisable(GL_TEXTURE_GEN_T);
	}
}
