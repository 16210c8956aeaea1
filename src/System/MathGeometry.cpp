// Geometric tests: frustum culling of boxes, point in triangle, segment crossings.
#include "System/Math.h"

#include <cmath>

//
// Frustum
//

bool IsBBoxInFrustumOfMatrix(const OGLBoundingBox* box, const OGLMatrix4x4* boxToClip)
{
	if (box->isEmpty)
		return true;

	const OGLPoint3D& lo = box->min;
	const OGLPoint3D& hi = box->max;
	uint32_t sharedBits = 0xFF;

	for (int corner = 0; corner < 8; corner++)
	{
		OGLPoint3D p = {
			(corner & 1) ? hi.x : lo.x,
			(corner & 2) ? hi.y : lo.y,
			(corner & 4) ? hi.z : lo.z,
		};
		OGLPoint4D c;
		OGLPoint3D_To4DTransform(&p, boxToClip, &c);

		uint32_t bits = 0;
		if (c.x < -c.w) bits |= 0x08;
		if (c.x > c.w)  bits |= 0x04;
		if (c.y < -c.w) bits |= 0x02;
		if (c.y > c.w)  bits |= 0x01;
		if (c.z > c.w)  bits |= 0x20;
		if (c.z < 0)    bits |= 0x10;		// the near side is tested against 0, not −w

		sharedBits &= bits;
		if (!sharedBits)
			return true;		// no plane has every corner beyond it
	}

	return false;
}

bool IsBBoxInFrustum(const OGLBoundingBox* box, const OGLMatrix4x4* localMatrix)
{
	if (!localMatrix)
		return IsBBoxInFrustumOfMatrix(box, &gWorldToFrustumMatrix);

	OGLMatrix4x4 m;
	OGLMatrix4x4_Multiply(localMatrix, &gWorldToFrustumMatrix, &m);
	return IsBBoxInFrustumOfMatrix(box, &m);
}

//
// Point in triangle
//

// Quadrant of (x, y) around (px, py), numbered counter-clockwise.
static int Quadrant(float x, float y, float px, float py)
{
	if (y >= py)
		return x >= px ? 0 : 1;
	return x >= px ? 3 : 2;
}

bool IsPointInTriangle(float px, float py, float x0, float y0, float x1, float y1, float x2, float y2)
{
	// Cheap rejection by the bounding box; a point on its edge goes on to the full test.
	if ((px < x0 && px < x1 && px < x2) || (px > x0 && px > x1 && px > x2))
		return false;
	if ((py < y0 && py < y1 && py < y2) || (py > y0 && py > y1 && py > y2))
		return false;

	// Winding number in quarter turns: each edge adds the quadrants it sweeps.
	const float xs[3] = {x0, x1, x2};
	const float ys[3] = {y0, y1, y2};
	int winding = 0;
	for (int i = 0; i < 3; i++)
	{
		int j = (i + 1) % 3;
		int from = Quadrant(xs[i], ys[i], px, py);
		int to = Quadrant(xs[j], ys[j], px, py);
		int step = (to - from + 4) % 4;

		if (step == 1)
			winding += 1;
		else if (step == 3)
			winding -= 1;
		else if (step == 2)
		{
			// Across: counter-clockwise when the point is left of the edge.
			float cross = (xs[j] - xs[i]) * (py - ys[i]) - (ys[j] - ys[i]) * (px - xs[i]);
			winding += cross > 0 ? 2 : -2;
		}
	}

	return winding != 0;
}

bool IsPointInTriangle3D(const OGLPoint3D* point, const OGLPoint3D trianglePoints[3], const OGLVector3D* normal)
{
	const OGLPoint3D* t = trianglePoints;
	float nx = std::fabs(normal->x), ny = std::fabs(normal->y), nz = std::fabs(normal->z);

	// Drop the axis the triangle faces most: its projection there is largest.
	if (nx >= ny && nx >= nz)
		return IsPointInTriangle(point->y, point->z, t[0].y, t[0].z, t[1].y, t[1].z, t[2].y, t[2].z);
	if (ny >= nz)
		return IsPointInTriangle(point->z, point->x, t[0].z, t[0].x, t[1].z, t[1].x, t[2].z, t[2].x);
	return IsPointInTriangle(point->x, point->y, t[0].x, t[0].y, t[1].x, t[1].y, t[2].x, t[2].y);
}

//
// Segments
//

// Parameter t along the first segment where it crosses the second, or a
// negative value when they do not cross.
static float SegmentCrossing(float x1, float y1, float x2, float y2,
							 float x3, float y3, float x4, float y4)
{
	float d1x = x2 - x1, d1y = y2 - y1;
	float d2x = x4 - x3, d2y = y4 - y3;
	float denom = d1x * d2y - d1y * d2x;
	if (denom == 0.0f)
		return -1.0f;		// parallel or degenerate

	float ex = x3 - x1, ey = y3 - y1;
	float t = (ex * d2y - ey * d2x) / denom;
	float u = (ex * d1y - ey * d1x) / denom;
	if (t < 0.0f || t > 1.0f || u < 0.0f || u > 1.0f)
		return -1.0f;
	return t;
}

bool IntersectLineSegments(float x1, float y1, float x2, float y2,
						   float x3, float y3, float x4, float y4,
						   float* ix, float* iy)
{
	float t = SegmentCrossing(x1, y1, x2, y2, x3, y3, x4, y4);
	if (t < 0.0f)
		return false;
	if (ix) *ix = x1 + t * (x2 - x1);
	if (iy) *iy = y1 + t * (y2 - y1);
	return true;
}

bool IntersectSegmentWithRect(float x1, float y1, float x2, float y2,
							  float left, float right, float back, float front,
							  float* ix, float* iy)
{
	const float edges[4][4] = {
		{left, back, right, back},
		{right, back, right, front},
		{right, front, left, front},
		{left, front, left, back},
	};

	float best = 2.0f;
	for (const auto& e : edges)
	{
		float t = SegmentCrossing(x1, y1, x2, y2, e[0], e[1], e[2], e[3]);
		if (t >= 0.0f && t < best)
			best = t;
	}

	if (best > 1.0f)
		return false;
	if (ix) *ix = x1 + best * (x2 - x1);
	if (iy) *iy = y1 + best * (y2 - y1);
	return true;
}
