// The shared placement machinery of the world designs (worlds/WorldPlacing.h).
#include "worlds/WorldPlacing.h"
#include "Items/Rides.h"
#include "Items/RidesContent.h"
#include "Terrain/TerrainFormat.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace TerrainBake::Worlds
{
	namespace
	{
		// Pick-ups (world units).
		constexpr float PICKUP_ITEM_CLEARANCE = 260;	// kept between a placement and any other item
		constexpr float LEVEL_WITH_WAY = 120;			// of height a placement may differ from the way beside it
		constexpr float HOLE_CLEARANCE = 320;			// of solid ground round a placement (a run's overshoot)

		// Rides.
		constexpr float RIDE_ROUTE_CLEARANCE = 600;		// from the route's line
		constexpr float RIDE_ITEM_CLEARANCE = 350;		// from items placed before the rides
		// The cannon's shot: 1600 across at 900 up under 500 per second², from
		// 40 over the mouth 456 in front of it; the landing skids on.
		constexpr float CANNON_MOUTH = 456, CANNON_EXIT_LIFT = 40, CANNON_SPEED = 1600, CANNON_RISE = 900;
		constexpr float CANNON_GRAVITY = 500, CANNON_SKID = 600;
		constexpr float SLED_SAFE_RUN = 3;				// seconds of solid ground ahead of a sled, from rest
		constexpr float SLED_RUN_KEPT_CLEAR = 9000;		// scenery keeps out of this much of a sled's cone
		constexpr float SLED_HALF_WIDTH = 200;

		// Scenery.
		constexpr float PAD_CLEARANCE = 1300;			// from the start and the exit: the saucers and the exit's beam
		constexpr float SCENERY_ROUTE_CLEARANCE = 420;	// from the route's line, plus the piece's own radius
		constexpr float SCENERY_ITEM_CLEARANCE = 260;	// from other items, plus the piece's radius
		constexpr float NEAR_ROUTE = 2400;				// pieces within this of the route are always kept
		constexpr float FAR_KEEP_CHANCE = 0.3f;			// farther ones only this often
		constexpr float MAX_RISE = 260;					// steepest ground change across a piece's radius

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

		// The cable is baked the way the game bakes it; the least height of a
		// hanging robot's feet over the ground along it (negative: through it).
		float ZipFeetClearance(const WorldDesign& d, Point2 from, Point2 to)
		{
			auto zip = std::make_unique<ZipLineType>();
			zip->start = {from.x, d.height(from.x, from.z), from.z};
			zip->end = {to.x, d.height(to.x, to.z), to.z};
			GenerateZipSpline(zip.get());
			if (zip->numPoints <= ZIP_PULLEY_START_POINT + 1)
				return -1e9f;
			float least = 1e9f;
			for (int k = 0; k < zip->numPoints; k++)
			{
				const OGLPoint3D& p = zip->points[k];
				// The game's ground is drawn between tile corners: the highest
				// of them stands for it.
				const float tx = std::floor(p.x / TILE) * TILE, tz = std::floor(p.z / TILE) * TILE;
				const float ground = std::max({d.height(p.x, p.z), d.height(tx, tz), d.height(tx + TILE, tz),
						d.height(tx, tz + TILE), d.height(tx + TILE, tz + TILE)});
				least = std::min(least, p.y - ZIP_HANG_BELOW - ground);
			}
			return least;
		}

		// How far a sled can run straight from `at` over ground that holds it,
		// the worst heading of its steering cone (`eighths` × 45°, facing
		// (−sin, −cos)); at most `limit`.
		float SledSolidRun(const WorldDesign& d, Point2 at, uint8_t eighths, float limit)
		{
			if (!d.tileFlags)
				return limit;
			const float h0 = float(eighths) * 3.14159265f / 4;
			float worst = limit;
			for (int k = -9; k <= 9; k++)
			{
				const float h = h0 + float(k) * (SLED_MAX_TURN_OFF_START / 9);
				for (float r = 0; r < worst; r += 50)
					if (d.tileFlags(at.x - std::sin(h) * r, at.z - std::cos(h) * r) & 1)
						worst = r;
			}
			return worst;
		}
	}

	//
	// Routes
	//

	std::vector<Point2> RouteLine(const WorldDesign& d)
	{
		std::vector<Point2> line;
		for (const FileItem& item : d.items)
			if (item.type == ITEM_START)
				line.push_back(WorldXZ(item));
		for (const RouteGoal& g : d.route)
			if (g.verb == ROUTE_GOTO || g.verb == ROUTE_EXIT || g.verb == ROUTE_BOSS || g.verb == ROUTE_JET)
				line.push_back({g.x, g.z});
		return line;
	}

	std::vector<Point2> WayToCharge(const WorldDesign& d)
	{
		std::vector<Point2> way;
		for (const FileItem& i : d.items)
			if (i.type == ITEM_START)
				way.push_back(WorldXZ(i));
		for (const RouteGoal& g : d.route)
		{
			if (g.verb == ROUTE_CHARGE)
				break;
			if (kRouteVerbs[g.verb].hasPlace)
				way.push_back({g.x, g.z});
		}
		return way;
	}

	float DistanceFromRoute(const WorldDesign& d, const std::vector<Point2>& line)
	{
		std::vector<Point2> legs;
		for (const FileItem& item : d.items)
			if (item.type == ITEM_START)
			{
				legs.push_back(WorldXZ(item));
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

	void RouteThroughCheckpoint(WorldDesign& d, int number, float lead, float beyond)
	{
		const FileItem* post = nullptr;
		for (const FileItem& i : d.items)
			if (i.type == ITEM_CHECKPOINT && i.parm[0] == number)
				post = &i;
		if (!post)
			throw std::runtime_error(d.name + ": no checkpoint " + std::to_string(number) + " to route through");
		const Point2 at{float(post->x) * MAP_TO_UNIT, float(post->z) * MAP_TO_UNIT};

		// The leg of the way nearest the post: from the start or a placed
		// goal to the next placed goal.
		Point2 from{};
		for (const FileItem& i : d.items)
			if (i.type == ITEM_START)
				from = {float(i.x) * MAP_TO_UNIT, float(i.z) * MAP_TO_UNIT};
		size_t legEnd = d.route.size();
		float best = 1e30f, bestAlong = 0;
		Point2 legFrom{}, legDir{};
		for (size_t g = 0; g < d.route.size(); g++)
		{
			const RouteGoal& goal = d.route[g];
			if (!kRouteVerbs[goal.verb].hasPlace)
				continue;
			const Point2 to{goal.x, goal.z};
			const float length = Hypot(to.x - from.x, to.z - from.z);
			if (length > 1)
			{
				const Point2 dir{(to.x - from.x) / length, (to.z - from.z) / length};
				const float along = std::clamp((at.x - from.x) * dir.x + (at.z - from.z) * dir.z, 0.0f, length);
				const float off = Hypot(at.x - from.x - dir.x * along, at.z - from.z - dir.z * along);
				if (off < best)
				{
					best = off;
					bestAlong = along;
					legEnd = g;
					legFrom = from;
					legDir = dir;
				}
			}
			from = to;
		}
		if (legEnd == d.route.size() || bestAlong < lead)
			throw std::runtime_error(d.name + ": checkpoint " + std::to_string(number) + " has no run-up on the route");
		const float back = bestAlong - lead;
		const Point2 runUp{legFrom.x + legDir.x * back, legFrom.z + legDir.z * back};
		const float span = Hypot(at.x - runUp.x, at.z - runUp.z);
		const Point2 past{at.x + (at.x - runUp.x) / span * beyond, at.z + (at.z - runUp.z) / span * beyond};
		d.route.insert(d.route.begin() + std::ptrdiff_t(legEnd), {Goal(ROUTE_GOTO, runUp), Goal(ROUTE_GOTO, past)});
	}

	//
	// Pick-ups
	//

	bool PickupPlacer::IsGround(Point2 p) const
	{
		float w = float(d.superTilesWide) * SUPERTILE, dp = float(d.superTilesDeep) * SUPERTILE;
		if (EdgeDistance(p.x, p.z, w, dp) < edgeClearance)
			return false;
		if (d.emptySuperTile && d.emptySuperTile(int(p.z / SUPERTILE), int(p.x / SUPERTILE)))
			return false;
		if (!d.tileFlags)
			return true;
		// Where there are holes, a robot running at the thing and
		// past it must not run off the edge: solid ground all round.
		for (int k = 0; k <= 8; k++)
		{
			float a = float(k) * 3.14159265f / 4, r = k == 8 ? 0 : HOLE_CLEARANCE;
			if (d.tileFlags(p.x + r * std::sin(a), p.z + r * std::cos(a)) & 0x0001)
				return false;
		}
		return true;
	}

	bool PickupPlacer::IsClear(Point2 p) const
	{
		return ClearOfItems(d, p, PICKUP_ITEM_CLEARANCE);
	}

	Point2 PickupPlacer::Spot(float t, float side) const
	{
		for (float nudge : {0.0f, 0.006f, -0.006f, 0.012f, -0.012f, 0.02f})
		{
			float along = std::clamp(t + nudge, 0.0f, 1.0f);
			float wayHeight = d.height(AlongPath(way, along).x, AlongPath(way, along).z);
			for (float f : {1.0f, 0.6f, 0.3f, 0.0f, -0.3f, -0.6f, -1.0f})
			{
				Point2 p = AlongPath(way, along, side * f);
				if (IsGround(p) && IsClear(p) && std::fabs(d.height(p.x, p.z) - wayHeight) < LEVEL_WITH_WAY)
					return p;
			}
		}
		return AlongPath(way, t);
	}

	void PickupPlacer::Checkpoints(int count, float side)
	{
		for (int k = 1; k <= count; k++)
		{
			float t = float(k) / float(count + 1);
			Point2 at = Spot(t, side);
			Point2 on = AlongPath(way, std::min(1.0f, t + 0.02f));
			Point2 from = AlongPath(way, t);
			uint8_t facing = FacingParm(from, on);
			d.items.push_back(Item(ITEM_CHECKPOINT, at.x, at.z, uint8_t(k), facing));
		}
	}

	PickupPlacer LayAlongWay(WorldDesign& d, const WayPickups& w)
	{
		PickupPlacer p{d, WayToCharge(d)};
		p.Checkpoints(w.checkpoints, -520);
		p.Spread(w.looseCharge, 0.05f, 0.97f, 0, [](Point2 at, int) { return Atom(at, ATOM_EXIT_CHARGE); });
		p.Spread(w.chargePods, 0.3f, 0.75f, 380,
				[&](Point2 at, int) { return Pod(at, POD_CHARGE_ATOMS, w.atomsPerChargePod); });
		p.Spread(w.health, 0.15f, 0.9f, 260, [](Point2 at, int) { return Atom(at, ATOM_HEALTH); });
		p.Spread(w.fuel, 0.2f, 0.8f, -260, [](Point2 at, int) { return Atom(at, ATOM_FUEL); });
		p.Spread(int(w.weapons.size()), 0.1f, 0.85f, 420, [&](Point2 at, int k) { return Pod(at, w.weapons[size_t(k)]); });
		return p;
	}

	void Handful(WorldDesign& d, std::vector<Point2> way, float t0, float t1, float side, const std::vector<FileItem>& things)
	{
		PickupPlacer p{d, std::move(way)};
		p.Spread(int(things.size()), t0, t1, side, [&](Point2 at, int k) {
			FileItem item = things[size_t(k)];
			item.x = WorldToMap(at.x);
			item.z = WorldToMap(at.z);
			return item;
		});
	}

	//
	// Creatures, rides and hazards
	//

	bool ClearOfItems(const WorldDesign& d, Point2 at, float room)
	{
		for (const FileItem& other : d.items)
		{
			const Point2 p = WorldXZ(other);
			if (Hypot(p.x - at.x, p.z - at.z) < room)
				return false;
		}
		return true;
	}

	void PlaceRide(WorldDesign& d, const std::vector<Point2>& route, FileItem item, const std::string& what)
	{
		Point2 at = WorldXZ(item);
		if (route.size() >= 2 && DistanceToPath(at.x, at.z, route) < RIDE_ROUTE_CLEARANCE)
			throw std::logic_error(d.name + ": " + what + " stands in the route's way");
		if (!ClearOfItems(d, at, RIDE_ITEM_CLEARANCE))
			throw std::logic_error(d.name + ": " + what + " stands on another item");
		d.items.push_back(item);
	}

	void ZipLine(WorldDesign& d, const std::vector<Point2>& route, uint8_t id, Point2 from, Point2 to)
	{
		if (ZipFeetClearance(d, from, to) < ZIP_FEET_CLEARANCE)
			throw std::logic_error(d.name + ": zip line " + std::to_string(id) + " would drag the robot along the ground");
		PlaceRide(d, route, Item(ITEM_TYPE_ZIP_LINE_POST, from.x, from.z, id, 0), "zip line " + std::to_string(id) + "'s start");
		PlaceRide(d, route, Item(ITEM_TYPE_ZIP_LINE_POST, to.x, to.z, id, 1), "zip line " + std::to_string(id) + "'s end");
	}

	// A heading faces (−sin, −cos). The flight is followed over the design's
	// ground to where it comes down; there and a skid's length on must be solid.
	void Cannon(WorldDesign& d, const std::vector<Point2>& route, Point2 at, uint8_t quarters)
	{
		const float h = float(quarters) * 3.14159265f / 2;
		const Point2 dir{-std::sin(h), -std::cos(h)};
		const Point2 mouth{at.x + dir.x * CANNON_MOUTH, at.z + dir.z * CANNON_MOUTH};
		const float y0 = d.height(mouth.x, mouth.z) + CANNON_EXIT_LIFT;
		Point2 landing = mouth;
		for (float t = 0.1f; t < 20; t += 0.02f)
		{
			landing = {mouth.x + dir.x * CANNON_SPEED * t, mouth.z + dir.z * CANNON_SPEED * t};
			if (y0 + CANNON_RISE * t - 0.5f * CANNON_GRAVITY * t * t <= d.height(landing.x, landing.z))
				break;
		}
		for (float on : {0.0f, CANNON_SKID})
			if (d.tileFlags && (d.tileFlags(landing.x + dir.x * on, landing.z + dir.z * on) & 1))
				throw std::logic_error(d.name + ": a cannon would fire the robot into the sky");
		PlaceRide(d, route, Item(ITEM_TYPE_CANNON, at.x, at.z, quarters), "a cannon");
	}

	// A sled must give its rider a long run on solid ground whichever way
	// he steers: at least the ground it covers from rest in SLED_SAFE_RUN.
	void RocketSled(WorldDesign& d, const std::vector<Point2>& route, Point2 at, uint8_t eighths, const std::string& what)
	{
		const float need = 0.5f * SLED_ACCEL * SLED_SAFE_RUN * SLED_SAFE_RUN;
		if (SledSolidRun(d, at, eighths, need) < need)
			throw std::logic_error(d.name + ": " + what + " would run off into the sky");
		PlaceRide(d, route, Item(ITEM_TYPE_ROCKET_SLED, at.x, at.z, eighths), what);
	}

	bool InSledRun(const WorldDesign& d, Point2 p, float radius)
	{
		for (const FileItem& item : d.items)
		{
			if (item.type != ITEM_TYPE_ROCKET_SLED)
				continue;
			const Point2 at = WorldXZ(item);
			const float h = float(item.parm[0]) * 3.14159265f / 4;
			const Point2 ahead{-std::sin(h), -std::cos(h)};
			const float dx = p.x - at.x, dz = p.z - at.z;
			const float along = dx * ahead.x + dz * ahead.z;
			const float across = std::fabs(dx * ahead.z - dz * ahead.x);
			// The cone widened by the sled and the piece, from just behind the sled.
			if (along > -(SLED_HALF_WIDTH + radius) && along < SLED_RUN_KEPT_CLEAR
					&& across < std::max(along, 0.0f) * std::tan(SLED_MAX_TURN_OFF_START) + SLED_HALF_WIDTH + radius)
				return true;
		}
		return false;
	}

	void PlaceAwayFromWay(WorldDesign& d, const std::vector<Point2>& way, float clearance, uint16_t type, Point2 at,
			const std::string& what, uint8_t options)
	{
		if (DistanceToPath(at.x, at.z, way) < clearance)
			throw std::logic_error(what + " stands too near the way at " + std::to_string(int(at.x)) + ", "
					+ std::to_string(int(at.z)));
		d.items.push_back(Item(type, at.x, at.z, 0, 0, 0, options));
	}

	bool PlaceClear(WorldDesign& d, FileItem item, float fromRoute, float room)
	{
		Point2 at = WorldXZ(item);
		if (DistanceFromRoute(d, {at, at}) < fromRoute || !ClearOfItems(d, at, room))
			return false;
		d.items.push_back(item);
		return true;
	}

	//
	// Scenery
	//

	Scatter::Scatter(WorldDesign& design) : d(design), seed(design.seed * 31 + 7)
	{
		for (const FileItem& item : d.items)
		{
			Point2 at = WorldXZ(item);
			if (item.type == ITEM_START || item.type == ITEM_EXIT)
				pads.push_back(at);
			taken.push_back({at, 0});
			if (item.type == ITEM_START)
				route.push_back(at);
		}
		for (const RouteGoal& g : d.route)
		{
			if (g.x != 0 || g.z != 0)
				route.push_back({g.x, g.z});
			if (g.verb == ROUTE_SNIPE)
				linesOfFire.push_back({{g.x, g.z}, {g.tx, g.tz}});
		}
	}

	float Scatter::Random()
	{
		return Hash01(int32_t(counter++), int32_t(seed), seed * 7 + 1);
	}

	float Scatter::RouteDistance(Point2 p) const
	{
		if (route.size() < 2)
			return route.empty() ? 1e9f : Hypot(p.x - route[0].x, p.z - route[0].z);
		return DistanceToPath(p.x, p.z, route);
	}

	bool Scatter::IsClear(Point2 p, float radius) const
	{
		float width = float(d.superTilesWide) * SUPERTILE, depth = float(d.superTilesDeep) * SUPERTILE;
		if (EdgeDistance(p.x, p.z, width, depth) < edgeMargin + radius)
			return false;
		if (d.emptySuperTile && d.emptySuperTile(int(p.z / SUPERTILE), int(p.x / SUPERTILE)))
			return false;
		for (Point2 pad : pads)
			if (Hypot(p.x - pad.x, p.z - pad.z) < PAD_CLEARANCE + radius)
				return false;
		if (RouteDistance(p) < SCENERY_ROUTE_CLEARANCE + radius)
			return false;
		for (const std::vector<Point2>& line : linesOfFire)
			if (DistanceToPath(p.x, p.z, line) < SCENERY_ROUTE_CLEARANCE + radius)
				return false;
		if (InSledRun(d, p, radius))
			return false;
		for (const auto& [at, r] : taken)
			if (Hypot(p.x - at.x, p.z - at.z) < SCENERY_ITEM_CLEARANCE + radius + r)
				return false;
		// Solid, fairly level ground all round its footprint.
		float h0 = d.height(p.x, p.z);
		for (int i = 0; i < 8; i++)
		{
			float a = float(i) * 0.785398f;
			float x = p.x + radius * std::sin(a), z = p.z + radius * std::cos(a);
			if (d.tileFlags && d.tileFlags(x, z) != 0)
				return false;		// holes in the clouds, the bumper arena
			if (std::fabs(d.height(x, z) - h0) > MAX_RISE)
				return false;
		}
		return !d.tileFlags || d.tileFlags(p.x, p.z) == 0;
	}

	void Scatter::Place(Point2 p, const Piece& piece)
	{
		uint8_t p0 = piece.parm0, p1 = 0, p2 = 0;
		if (piece.parm0Choices > 1)
			p0 = uint8_t(piece.parm0 + std::min(int(Random() * float(piece.parm0Choices)), piece.parm0Choices - 1));
		if (piece.type == ITEM_SCENERY_BY_KIND)
		{
			p1 = piece.turns ? uint8_t(Random() * 8) % 8 : 0;
			p2 = uint8_t(piece.scaleMin + std::lround(Random() * float(piece.scaleMax - piece.scaleMin)));
		}
		else if (piece.turns && (piece.type == ITEM_SCENERY_1))
			p0 = uint8_t(Random() * 4) % 4;
		else if (piece.turns && (piece.type == ITEM_GRAVE_STONE || piece.type == ITEM_RUBBLE))
			p1 = uint8_t(Random() * 4) % 4;
		d.items.push_back(Item(piece.type, p.x, p.z, p0, p1, p2));
		taken.push_back({p, piece.radius});
	}

	void Scatter::Spread(const std::vector<Piece>& pieces, int count)
	{
		float total = 0;
		for (const Piece& piece : pieces)
			total += piece.weight;
		float width = float(d.superTilesWide) * SUPERTILE, depth = float(d.superTilesDeep) * SUPERTILE;
		int placed = 0;
		for (int attempt = 0; attempt < count * 60 && placed < count; attempt++)
		{
			float pick = Random() * total;
			const Piece* piece = &pieces.back();
			for (const Piece& candidate : pieces)
				if ((pick -= candidate.weight) < 0)
				{
					piece = &candidate;
					break;
				}
			Point2 p{width * Random(), depth * Random()};
			if (RouteDistance(p) > NEAR_ROUTE && Random() > FAR_KEEP_CHANCE)
				continue;
			if (!IsClear(p, piece->radius))
				continue;
			Place(p, *piece);
			placed++;
		}
	}

	bool Scatter::Beside(float t, float side, const Piece& piece)
	{
		for (float extra : {0.0f, 300.0f, -300.0f, 600.0f})
		{
			for (float dt : {0.0f, 0.03f, -0.03f, 0.06f})
			{
				float s = side + (side < 0 ? -extra : extra);
				Point2 p = AlongPath(route, t + dt, s);
				if (IsClear(p, piece.radius))
				{
					Place(p, piece);
					return true;
				}
			}
		}
		return false;
	}

	void Scatter::MustBeside(float t, float side, const Piece& piece, const std::string& what)
	{
		if (!Beside(t, side, piece))
			throw std::logic_error("scenery: no room for " + what + " beside the route");
	}

	//
	// Fences, water and spline loops
	//

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
}
