// The fly-over: for automated runs that look at a level rather than play it,
// the camera leaves the player's start and tours the map on a smooth closed
// path, well above the ground and looking ahead, so every part of the level
// streams in and out.
#include "3D/Camera.h"
#include "3D/OGL_Support.h"
#include "System/FrameTime.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
	constexpr float FLYOVER_SPEED = 1300.0f;		// units per second
	constexpr float FLYOVER_HEIGHT = 1100.0f;		// above the highest ground near the camera
	constexpr float FLYOVER_LOOK_AHEAD = 2600.0f;	// along the path
	constexpr int SAMPLES_PER_SPAN = 48;

	struct FlyOver
	{
		bool active = false;
		std::vector<OGLPoint2D> points;		// the path, densely sampled
		std::vector<float> distance;		// along the path to each sample
		float length = 0;
		float travelled = 0;
		float height = 0;					// smoothed camera height
	} gFlyOver;

	OGLPoint2D CatmullRom(const OGLPoint2D& p0, const OGLPoint2D& p1, const OGLPoint2D& p2, const OGLPoint2D& p3, float t)
	{
		float t2 = t * t, t3 = t2 * t;
		auto blend = [&](float a, float b, float c, float d) {
			return 0.5f * (2 * b + (c - a) * t + (2 * a - 5 * b + 4 * c - d) * t2 + (3 * b - a - 3 * c + d) * t3);
		};
		return {blend(p0.x, p1.x, p2.x, p3.x), blend(p0.y, p1.y, p2.y, p3.y)};
	}

	// A loop from the start around the map, a fifth of the way in from its edges.
	void BuildPath()
	{
		float w = float(gMapUnitWidth), d = float(gMapUnitDepth);
		OGLPoint2D start = {gPlayerStartX, gPlayerStartZ};
		OGLPoint2D center = {w * 0.5f, d * 0.5f};
		float startAngle = std::atan2(start.y - center.y, start.x - center.x);

		std::vector<OGLPoint2D> nubs = {start};
		constexpr int LOOP_NUBS = 10;
		for (int i = 1; i <= LOOP_NUBS; i++)
		{
			float a = startAngle + PI2 * float(i) / float(LOOP_NUBS + 1);
			// Alternate wide and narrow swings so the path also crosses the middle.
			float reach = (i & 1) ? 0.36f : 0.2f;
			nubs.push_back({center.x + std::cos(a) * w * reach, center.y + std::sin(a) * d * reach});
		}

		FlyOver& f = gFlyOver;
		f.points.clear();
		f.distance.clear();
		int n = int(nubs.size());
		for (int i = 0; i < n; i++)
			for (int s = 0; s < SAMPLES_PER_SPAN; s++)
				f.points.push_back(CatmullRom(nubs[size_t((i + n - 1) % n)], nubs[size_t(i)], nubs[size_t((i + 1) % n)],
						nubs[size_t((i + 2) % n)], float(s) / SAMPLES_PER_SPAN));
		f.points.push_back(f.points.front());

		float total = 0;
		f.distance.push_back(0);
		for (size_t i = 1; i < f.points.size(); i++)
		{
			total += std::hypot(f.points[i].x - f.points[i - 1].x, f.points[i].y - f.points[i - 1].y);
			f.distance.push_back(total);
		}
		f.length = total;
	}

	OGLPoint2D PointAt(float along)
	{
		const FlyOver& f = gFlyOver;
		along = std::fmod(along, f.length);
		if (along < 0)
			along += f.length;
		size_t i = size_t(std::upper_bound(f.distance.begin(), f.distance.end(), along) - f.distance.begin());
		i = std::clamp<size_t>(i, 1, f.points.size() - 1);
		float span = f.distance[i] - f.distance[i - 1];
		float t = span > 0 ? (along - f.distance[i - 1]) / span : 0;
		return {f.points[i - 1].x + (f.points[i].x - f.points[i - 1].x) * t,
				f.points[i - 1].y + (f.points[i].y - f.points[i - 1].y) * t};
	}

	// The highest ground near a point and on the way ahead, so hills never hide the view.
	float GroundAround(float along)
	{
		float highest = 0;
		for (float ahead : {0.0f, 600.0f, 1200.0f, 2000.0f})
		{
			OGLPoint2D p = PointAt(along + ahead);
			highest = std::max(highest, TerrainHeightAtNoHoles(p.x, p.y));
		}
		return highest;
	}

	void PlaceCamera(bool snap)
	{
		FlyOver& f = gFlyOver;
		float target = GroundAround(f.travelled) + FLYOVER_HEIGHT;
		if (snap)
			f.height = target;
		else
			f.height += (target - f.height) * std::min(1.0f, gFrameTime * 1.5f);

		OGLPoint2D at = PointAt(f.travelled), ahead = PointAt(f.travelled + FLYOVER_LOOK_AHEAD);
		OGLPoint3D from = {at.x, f.height, at.y};
		OGLPoint3D to = {ahead.x, std::max(0.0f, TerrainHeightAtNoHoles(ahead.x, ahead.y)) + 150.0f, ahead.y};
		OGL_SetCameraFromTo(&from, &to);
	}
}

bool InitCameraFlyOver()
{
	gFlyOver.active = false;
	if (gMapUnitWidth <= 0 || !gGameViewInfoPtr)
		return false;
	BuildPath();
	gFlyOver.travelled = 0;
	gFlyOver.active = true;
	PlaceCamera(true);
	return true;
}

bool MoveCameraFlyOver()
{
	if (!gFlyOver.active)
		return false;
	gFlyOver.travelled = std::fmod(gFlyOver.travelled + FLYOVER_SPEED * gFrameTime, gFlyOver.length);
	PlaceCamera(false);
	return true;
}

void StopCameraFlyOver()
{
	gFlyOver.active = false;
}
