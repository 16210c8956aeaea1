#include "3D/MetaObjectsShapes.h"
#include "System/Error.h"
#include "Memory.h"

#include <cmath>

template <typename T>
static T* NewArray(int count)
{
	T* p = reinterpret_cast<T*>(NewPtrClear(int32_t(sizeof(T) * size_t(count))));
	GAME_ASSERT(p);
	return p;
}

static uint8_t ToByte(float v)
{
	return uint8_t(v <= 0 ? 0 : v >= 1 ? 255 : int(v * 255.0f + 0.5f));
}

static OGLColorRGBA_Byte ToBytes(const OGLColorRGBA& c)
{
	return {ToByte(c.r), ToByte(c.g), ToByte(c.b), ToByte(c.a)};
}

MetaObjectPtr MO_MakeColorMaterial(const OGLColorRGBA& color)
{
	MOMaterialData data = {};
	data.diffuseColor = color;
	return MO_CreateNewObjectOfType(MO_TYPE_MATERIAL, 0, &data);
}

MetaObjectPtr MO_MakeBox(float hx, float hy, float hz, MetaObjectPtr material)
{
	// Six faces of four corners each, so every face keeps its own normal.
	static const float faces[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
	MOVertexArrayData data = {};
	data.numMaterials = material ? 1 : 0;
	data.materials[0] = material;
	data.numPoints = 24;
	data.numTriangles = 12;
	data.points = NewArray<OGLPoint3D>(24);
	data.normals = NewArray<OGLVector3D>(24);
	data.triangles = NewArray<uint32_t>(36);

	for (int f = 0; f < 6; f++)
	{
		OGLVector3D n = {faces[f][0], faces[f][1], faces[f][2]};
		// Two axes spanning the face, ordered so the corners run counter-clockwise seen from outside.
		OGLVector3D u = n.x != 0 ? OGLVector3D{0, 1, 0} : n.y != 0 ? OGLVector3D{0, 0, 1} : OGLVector3D{1, 0, 0};
		OGLVector3D v;
		OGLVector3D_Cross(&n, &u, &v);
		const float su[4] = {-1, 1, 1, -1}, sv[4] = {-1, -1, 1, 1};
		for (int c = 0; c < 4; c++)
		{
			OGLVector3D p = n + u * su[c] + v * sv[c];
			data.points[f * 4 + c] = {p.x * hx, p.y * hy, p.z * hz};
			data.normals[f * 4 + c] = n;
		}
		uint32_t base = uint32_t(f * 4);
		uint32_t* t = &data.triangles[f * 6];
		// u × v = n: the corner order above is counter-clockwise around n.
		t[0] = base; t[1] = base + 1; t[2] = base + 2;
		t[3] = base; t[4] = base + 2; t[5] = base + 3;
	}
	return MO_CreateNewObjectOfType(MO_TYPE_GEOMETRY, MO_GEOMETRY_SUBTYPE_VERTEXARRAY, &data);
}

MetaObjectPtr MO_MakeGroundGrid(float halfSize, int cells, const OGLColorRGBA& a, const OGLColorRGBA& b)
{
	GAME_ASSERT(cells > 0 && cells <= 256);
	int quads = cells * cells;
	MOVertexArrayData data = {};
	data.numPoints = quads * 4;
	data.numTriangles = quads * 2;
	data.points = NewArray<OGLPoint3D>(data.numPoints);
	data.normals = NewArray<OGLVector3D>(data.numPoints);
	data.colorsFloat = NewArray<OGLColorRGBA>(data.numPoints);
	data.colorsByte = NewArray<OGLColorRGBA_Byte>(data.numPoints);
	data.triangles = NewArray<uint32_t>(data.numTriangles * 3);

	float cell = 2.0f * halfSize / float(cells);
	for (int row = 0; row < cells; row++)
	{
		for (int col = 0; col < cells; col++)
		{
			int q = row * cells + col;
			float x0 = -halfSize + float(col) * cell, z0 = -halfSize + float(row) * cell;
			const OGLColorRGBA& color = ((row + col) & 1) ? b : a;
			// Counter-clockwise seen from above (+y).
			const OGLPoint3D corners[4] = {{x0, 0, z0}, {x0, 0, z0 + cell}, {x0 + cell, 0, z0 + cell}, {x0 + cell, 0, z0}};
			for (int c = 0; c < 4; c++)
			{
				data.points[q * 4 + c] = corners[c];
				data.normals[q * 4 + c] = {0, 1, 0};
				data.colorsFloat[q * 4 + c] = color;
				data.colorsByte[q * 4 + c] = ToBytes(color);
			}
			uint32_t base = uint32_t(q * 4);
			uint32_t* t = &data.triangles[q * 6];
			t[0] = base; t[1] = base + 1; t[2] = base + 2;
			t[3] = base; t[4] = base + 2; t[5] = base + 3;
		}
	}
	return MO_CreateNewObjectOfType(MO_TYPE_GEOMETRY, MO_GEOMETRY_SUBTYPE_VERTEXARRAY, &data);
}

static OGLColorRGBA Mix(const OGLColorRGBA& a, const OGLColorRGBA& b, float t)
{
	return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

MetaObjectPtr MO_MakeSkyDome(float radius, int rings, int segments,
		const OGLColorRGBA& below, const OGLColorRGBA& horizon, const OGLColorRGBA& zenith)
{
	GAME_ASSERT(rings >= 2 && segments >= 3 && rings <= 128 && segments <= 256);
	MOVertexArrayData data = {};
	data.numPoints = (rings + 1) * (segments + 1);
	data.numTriangles = rings * segments * 2;
	data.points = NewArray<OGLPoint3D>(data.numPoints);
	data.colorsFloat = NewArray<OGLColorRGBA>(data.numPoints);
	data.colorsByte = NewArray<OGLColorRGBA_Byte>(data.numPoints);
	data.triangles = NewArray<uint32_t>(data.numTriangles * 3);

	for (int r = 0; r <= rings; r++)
	{
		float phi = PI * float(r) / float(rings);			// 0 at the top
		float y = std::cos(phi), ring = std::sin(phi);
		OGLColorRGBA color = y >= 0 ? Mix(horizon, zenith, y) : Mix(horizon, below, std::min(1.0f, -y * 4.0f));
		for (int s = 0; s <= segments; s++)
		{
			float theta = PI2 * float(s) / float(segments);
			int i = r * (segments + 1) + s;
			data.points[i] = {radius * ring * std::cos(theta), radius * y, radius * ring * std::sin(theta)};
			data.colorsFloat[i] = color;
			data.colorsByte[i] = ToBytes(color);
		}
	}

	uint32_t* t = data.triangles;
	for (int r = 0; r < rings; r++)
	{
		for (int s = 0; s < segments; s++)
		{
			uint32_t a = uint32_t(r * (segments + 1) + s), b = a + 1;
			uint32_t c = a + uint32_t(segments + 1), d = c + 1;
			// Wound to face the centre.
			*t++ = a; *t++ = c; *t++ = b;
			*t++ = b; *t++ = c; *t++ = d;
		}
	}
	return MO_CreateNewObjectOfType(MO_TYPE_GEOMETRY, MO_GEOMETRY_SUBTYPE_VERTEXARRAY, &data);
}
