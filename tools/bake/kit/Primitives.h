// Primitive shapes of the modelling kit. Every shape is centred on the
// origin (turned shapes stand on the y axis), has outward unit normals,
// counter-clockwise faces seen from outside, texture coordinates and white
// vertex colours.
#pragma once

#include "kit/Mesh.h"

#include <vector>

namespace Kit
{
	// Axis-aligned box; each face maps the whole texture.
	Mesh Box(Vec3 size);

	// Box whose edges and corners are rounded with `radius` (clamped below
	// half the smallest side), `segments` steps per rounded edge.
	Mesh RoundedBox(Vec3 size, float radius, int segments = 2);

	struct LatheOptions
	{
		int segments = 12;			// steps around the axis
		bool smoothAround = true;	// false: every face flat (faceted look)
		bool smoothAlong = false;	// share normals between profile segments
		bool capBottom = false;		// close the first profile point with a disc
		bool capTop = false;		// close the last profile point with a disc
		float uRepeat = 1;			// texture repeats around the axis
		float startAngle = 0;		// angle of the first vertex column
		float sweep = 2 * PI;		// less than a full turn leaves the sides open
	};

	// Turns a profile of (radius, y) points around the y axis. The profile runs
	// so that the outside is on its right when going from the first point to
	// the last (bottom to top for a convex outer wall). Points with radius 0 are
	// poles.
	Mesh Lathe(const std::vector<Vec2>& profile, const LatheOptions& options);

	// Frustum from radius `bottom` at y = -height/2 to `top` at +height/2.
	Mesh Cylinder(float bottom, float top, float height, int segments, bool caps = true, bool smooth = true);
	Mesh Cone(float radius, float height, int segments, bool cap = true, bool smooth = true);
	Mesh Sphere(float radius, int segments, int rings, bool smooth = true);
	// Total height `height` (at least 2 × radius), along y.
	Mesh Capsule(float radius, float height, int segments, int rings, bool smooth = true);
	// Ring in the xz plane: `major` radius to the tube's centre, `minor` tube radius.
	Mesh Torus(float major, float minor, int segments, int sides, bool smooth = true);
	// Flat annulus in the xz plane facing +y.
	Mesh Ring(float inner, float outer, int segments);
	// Flat rectangle in the xy plane facing +z.
	Mesh Quad(float width, float height);

	// Extrudes a simple polygon (x, y points, counter-clockwise) along z by
	// `depth`, centred; caps triangulated by ear clipping. `bevel` > 0 insets
	// the caps for a chamfered edge.
	Mesh Extrude(const std::vector<Vec2>& polygon, float depth, float bevel = 0);

	// A flat polygon through 3D points (a simple outline in one plane), facing
	// `normal`; texture coordinates by planar projection scaled by `uvScale`.
	Mesh FlatPolygon(const std::vector<Vec3>& outline, Vec3 normal, float uvScale = 0.02f);

	// Triangulates a simple counter-clockwise polygon; returns index triples.
	// Throws std::invalid_argument for fewer than 3 points or a polygon that
	// cannot be clipped (clockwise). Self-intersecting outlines are not
	// detected: they give overlapping triangles.
	std::vector<Triangle> Triangulate(const std::vector<Vec2>& polygon);

	// Polygon helpers for extrusion.
	std::vector<Vec2> RegularPolygon(int sides, float radius, float startAngle = 0);
	std::vector<Vec2> StarPolygon(int points, float outer, float inner, float startAngle = 0);
	std::vector<Vec2> RoundedRectPolygon(float width, float height, float radius, int cornerSteps = 3);
}
