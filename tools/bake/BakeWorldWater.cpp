// Fences, water patches and spline loops for the world designs.
#include "BakeWorldWater.h"
#include "Terrain/TerrainFormat.h"

#include <algorithm>
#include <cmath>

namespace TerrainBake::Worlds
{
	namespace
	{
		float ToMap(float world)
		{
			return world / MAP_TO_UNIT_SCALE;
		}

		std::array<int16_t, 4> BoundsOf(const std::vector<Point2>& points)
		{
			float minX = 1e9f, minZ = 1e9f, maxX = -1e9f, maxZ = -1e9f;
			for (Point2 p : points)
			{
				minX = std::min(minX, p.x);
				minZ = std::min(minZ, p.z);
				maxX = std::max(maxX, p.x);
				maxZ = std::max(maxZ, p.z);
			}
			// Top, left, bottom, right in map units.
			return {int16_t(ToMap(minZ)), int16_t(ToMap(minX)), int16_t(ToMap(maxZ)), int16_t(ToMap(maxX))};
		}

		Point2 PointOnPath(const std::vector<Point2>& path, float t, Point2* direction)
		{
			float total = 0;
			for (size_t i = 0; i + 1 < path.size(); i++)
				total += Hypot(path[i + 1].x - path[i].x, path[i + 1].z - path[i].z);
			float want = std::clamp(t, 0.0f, 1.0f) * total;
			for (size_t i = 0; i + 1 < path.size(); i++)
			{
				float len = Hypot(path[i + 1].x - path[i].x, path[i + 1].z - path[i].z);
				if (want <= len || i + 2 == path.size())
				{
					float f = len > 0 ? std::min(1.0f, want / len) : 0.0f;
					*direction = {(path[i + 1].x - path[i].x) / len, (path[i + 1].z - path[i].z) / len};
					return {Lerp(path[i].x, path[i + 1].x, f), Lerp(path[i].z, path[i + 1].z, f)};
				}
				want -= len;
			}
			*direction = {1, 0};
			return path.front();
		}
	}

	FileFence Fence(uint16_t type, const std::vector<Point2>& path)
	{
		FileFence f;
		f.type = type;
		for (Point2 p : path)
			f.nubs.push_back({int32_t(std::lround(ToMap(p.x))), int32_t(std::lround(ToMap(p.z)))});
		return f;
	}

	std::vector<Point2> OffsetPath(const std::vector<Point2>& path, float offset, float from, float to, int steps)
	{
		std::vector<Point2> out;
		if (steps <= 0)
			steps = std::max(1, int((to - from) / 0.025f));
		for (int i = 0; i <= steps; i++)
		{
			Point2 dir;
			Point2 p = PointOnPath(path, Lerp(from, to, float(i) / float(steps)), &dir);
			out.push_back({p.x - dir.z * offset, p.z + dir.x * offset});
		}
		return out;
	}

	FileWaterPatch Water(uint16_t kind, const std::vector<Point2>& outline, Point2 hotSpot)
	{
		FileWaterPatch w;
		w.type = kind;
		for (Point2 p : outline)
			w.nubs.push_back({ToMap(p.x), ToMap(p.z)});
		w.nubs.push_back(w.nubs.front());
		w.hotSpotX = ToMap(hotSpot.x);
		w.hotSpotZ = ToMap(hotSpot.z);
		w.bounds = BoundsOf(outline);
		return w;
	}

	FileWaterPatch WaterDisc(uint16_t kind, Point2 centre, float radius, int nubs)
	{
		std::vector<Point2> outline;
		for (int i = 0; i < nubs; i++)
		{
			float a = 6.2831853f * float(i) / float(nubs);
			outline.push_back({centre.x + radius * std::cos(a), centre.z + radius * std::sin(a)});
		}
		return Water(kind, outline, centre);
	}

	FileWaterPatch WaterBand(uint16_t kind, const std::vector<Point2>& path, float halfWidth, Point2 hotSpot)
	{
		// 30 points a side stay well inside the 80 a patch may have.
		std::vector<Point2> left = OffsetPath(path, -halfWidth, 0, 1, 29), right = OffsetPath(path, halfWidth, 0, 1, 29);
		std::vector<Point2> outline = left;
		outline.insert(outline.end(), right.rbegin(), right.rend());
		return Water(kind, outline, hotSpot);
	}

	FileSpline SplineLoop(const std::vector<Point2>& nubs)
	{
		FileSpline s;
		for (Point2 p : nubs)
			s.nubs.push_back({ToMap(p.x), ToMap(p.z)});
		s.nubs.push_back(s.nubs.front());
		// The stored points are only a preview; the game bakes the loop again.
		s.points = s.nubs;
		s.bounds = BoundsOf(nubs);
		return s;
	}

	FileSpline CircleLoop(Point2 centre, float radius, int nubs)
	{
		std::vector<Point2> points;
		for (int i = 0; i < nubs; i++)
		{
			float a = 6.2831853f * float(i) / float(nubs);
			points.push_back({centre.x + radius * std::cos(a), centre.z + radius * std::sin(a)});
		}
		return SplineLoop(points);
	}

	FileSplineItem SplineItem(uint16_t type, float placement, uint8_t parm0)
	{
		FileSplineItem item;
		item.type = type;
		item.placement = placement;
		item.parm = {parm0, 0, 0, 0};
		return item;
	}

	float DistanceFromRoute(const WorldDesign& d, const std::vector<Point2>& line)
	{
		std::vector<Point2> legs;
		for (const FileItem& item : d.items)
			if (item.type == 0)
			{
				legs.push_back({float(item.x) * MAP_TO_UNIT_SCALE, float(item.z) * MAP_TO_UNIT_SCALE});
				break;
			}
		for (const RouteGoal& g : d.route)
			if (g.verb == ROUTE_GOTO || g.verb == ROUTE_EXIT || g.verb == ROUTE_JET)
				legs.push_back({g.x, g.z});
		float best = 1e9f;
		// Sample the line densely against the route's polyline.
		for (size_t i = 0; i + 1 < line.size(); i++)
			for (int k = 0; k <= 20; k++)
			{
				float f = float(k) / 20;
				Point2 p = {Lerp(line[i].x, line[i + 1].x, f), Lerp(line[i].z, line[i + 1].z, f)};
				if (legs.size() >= 2)
					best = std::min(best, DistanceToPath(p.x, p.z, legs));
			}
		return best;
	}
}
