// Drawing the spline loops in the debug wireframe view, so that a level's
// patrol paths can be checked against its terrain.
#include "Terrain/Splines.h"
#include "Terrain/SuperTile.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"
#include "Terrain/Water.h"
#include "3D/OGL_State.h"

#include <SDL_opengl.h>
#include <cmath>

namespace
{
	constexpr float STRIP_LIFT = 10.0f;			// units above the ground (or water)
	constexpr float STRIP_HEIGHT = 5.0f;
	constexpr float FIRST_POST = 150.0f;		// the first nub's post stands out
	constexpr float OTHER_POST = 30.0f;
	constexpr float ARROW_SIZE = 20.0f;

	bool IsPointInRange(float x, float z)
	{
		if (!gSuperTileStatusGrid || x < 0 || z < 0)
			return false;
		const int row = int(z / float(SUPERTILE_UNITS));
		const int col = int(x / float(SUPERTILE_UNITS));
		return row < gSuperTilesDeep && col < gSuperTilesWide && gSuperTileStatusGrid[row][col].inRange;
	}

	float SurfaceAt(float x, float z)
	{
		float y = TerrainHeightAtNoHoles(x, z), waterY;
		if (GetWaterY(x, z, &waterY) && waterY > y)
			y = waterY;
		return y;
	}
}

void DrawSplines()
{
	if (!IsTerrainSetUp())
		return;
	OGL_PushState();
	glDisable(GL_TEXTURE_2D);
	glDisable(GL_LIGHTING);
	glDisable(GL_CULL_FACE);
	glColor4f(1, 1, 1, 1);

	for (int s = 0; s < gNumSplines; s++)
	{
		const SplineRecord& spline = gSplineList[s];
		if (spline.numPoints < 2 || !spline.pointList)
			continue;
		const SplinePointType* points = *spline.pointList;
		if (!IsPointInRange(points[0].x, points[0].z)
				&& !IsPointInRange(points[spline.numPoints / 2].x, points[spline.numPoints / 2].z))
			continue;

		glBegin(GL_TRIANGLE_STRIP);
		for (int32_t i = 0; i <= spline.numPoints; i++)
		{
			const SplinePointType& p = points[i % spline.numPoints];
			float y = SurfaceAt(p.x, p.z) + STRIP_LIFT;
			glVertex3f(p.x, y + ((i & 1) ? STRIP_HEIGHT : 0.0f), p.z);
		}
		glEnd();

		// The nubs are in map units: the loop's posts stand where they were placed.
		if (!spline.nubList)
			continue;
		const SplinePointType* nubs = *spline.nubList;
		glBegin(GL_LINES);
		for (int32_t k = 0; k < spline.numNubs; k++)
		{
			float x = nubs[k].x * MAP_TO_UNIT_SCALE, z = nubs[k].z * MAP_TO_UNIT_SCALE;
			float y = SurfaceAt(x, z);
			float top = y + (k == 0 ? FIRST_POST : OTHER_POST);
			glVertex3f(x, y, z);
			glVertex3f(x, top, z);

			const SplinePointType& next = nubs[(k + 1) % spline.numNubs];
			float dx = next.x * MAP_TO_UNIT_SCALE - x, dz = next.z * MAP_TO_UNIT_SCALE - z;
			float len = std::sqrt(dx * dx + dz * dz);
			if (len < 1)
				continue;
			dx /= len;
			dz /= len;
			// An arrow head on the post's top, pointing along the loop.
			glVertex3f(x, top, z);
			glVertex3f(x + dx * ARROW_SIZE, top - ARROW_SIZE * 0.5f, z + dz * ARROW_SIZE);
			glVertex3f(x, top, z);
			glVertex3f(x - dz * ARROW_SIZE * 0.5f, top, z + dx * ARROW_SIZE * 0.5f);
		}
		glEnd();
	}
	OGL_PopState();
}
