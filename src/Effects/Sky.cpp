// The sky sheet: the grid it is built from (its per-level shape is in the
// level table), its scrolling.
#include "Effects/Sky.h"
#include "System/Random.h"

#include <algorithm>
#include <cmath>

static constexpr float SKY_SCROLL_PER_CAMERA_UNIT = 0.0003f;
static constexpr float SKY_UV_PER_CELL = 0.8f;

const SkyLevelInfo& GetSkyLevelInfo(int level)
{
	static const SkyLevelInfo kNone = {};
	if (level < 0 || level >= NUM_LEVELS)
		return kNone;
	return kLevelDefs[level].sky;
}

void BuildSkyMesh(const SkyLevelInfo& info, float yon, SkyMesh* mesh)
{
	float cell = yon / 5.0f;
	// The edges fade out well inside the far plane (never a division by zero).
	float fadeReach = yon > 0.0f ? 0.7f * yon : 1.0f;
	for (int i = 0; i < SKY_GRID; i++)
		for (int j = 0; j < SKY_GRID; j++)
		{
			float x = float(j) * cell - yon + info.jitter * cell * RandomFloatSigned();
			float z = float(i) * cell - yon + info.jitter * cell * RandomFloatSigned();
			float y0 = RandomFloatSigned() * 100.0f;
			float distance = std::sqrt(x * x + y0 * y0 + z * z);
			OGLPoint3D& p = mesh->points[i * SKY_GRID + j];
			p = {x, y0 - distance * info.curvature, z};

			float alpha = info.fadeEdges ? std::clamp(1.0f - distance / fadeReach, 0.0f, 1.0f) : 1.0f;
			mesh->colors[i * SKY_GRID + j] = {255, 255, 255, uint8_t(alpha * 255.0f)};
			mesh->uvs[i * SKY_GRID + j] = {0, 0};
		}

	int n = 0;
	for (int r = 0; r < SKY_GRID - 1; r++)
		for (int k = 0; k < SKY_GRID - 1; k++)
		{
			uint32_t b = uint32_t(r * SKY_GRID + k);
			uint32_t* t = &mesh->indices[n];
			t[0] = b; t[1] = b + 1; t[2] = b + SKY_GRID;
			t[3] = b + 1; t[4] = b + SKY_GRID + 1; t[5] = b + SKY_GRID;
			n += 6;
		}
}

void UpdateSkyUVs(SkyMesh* mesh, float scroll1, float scroll2, float cameraX, float cameraZ)
{
	float u0 = scroll1 + cameraX * SKY_SCROLL_PER_CAMERA_UNIT;
	float v0 = scroll2 + cameraZ * SKY_SCROLL_PER_CAMERA_UNIT;
	for (int i = 0; i < SKY_GRID; i++)
		for (int j = 0; j < SKY_GRID; j++)
			mesh->uvs[i * SKY_GRID + j] = {u0 + SKY_UV_PER_CELL * float(j), v0 + SKY_UV_PER_CELL * float(i)};
}
