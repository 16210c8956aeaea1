// The tube round a tentacle: a ring every five points from the tip (a point)
// down to the base, each ring turned to lie across the tentacle there.
#include "Enemies/JungleBoss.h"
#include "System/Error.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float TIP_SCALE = 0.001f;			// the first ring: the tip comes to a point
	constexpr float RING_GROWTH = 0.15f;		// scale added per ring toward the base, up to 1

	// The rotation that turns the up axis (0, 1, 0) onto the unit vector `axis`.
	OGLMatrix4x4 UpOnto(const OGLVector3D& axis)
	{
		OGLMatrix4x4 m;
		OGLMatrix4x4_SetIdentity(&m);
		const OGLVector3D up = {0, 1, 0};
		OGLVector3D turn;
		OGLVector3D_Cross(&up, &axis, &turn);
		float s = std::sqrt(turn.x * turn.x + turn.y * turn.y + turn.z * turn.z);
		float c = std::clamp(axis.y, -1.0f, 1.0f);
		if (s < 1e-6f)
		{
			if (c < 0)
				OGLMatrix4x4_SetRotate_X(&m, PI);
			return m;
		}
		turn = turn * (1 / s);
		OGLMatrix4x4_SetRotateAboutAxis(&m, &turn, std::atan2(s, c));
		return m;
	}
}

void BuildTentacleMesh(const Tentacle& t, TentacleMesh* mesh)
{
	mesh->points.clear();
	mesh->normals.clear();
	mesh->uvs.clear();
	mesh->triangles.clear();
	const int rings = t.numPoints / TENTACLE_POINTS_PER_RING;
	if (rings <= 1)
		return;
	if (rings > MAX_TENTACLE_SEGMENTS)
		FatalAlert("DrawTentacles: numRings > MAX_TENTACLE_SEGMENTS");

	const int perRing = TENTACLE_RING_SIDES + 1;
	OGLVector3D axis = {0, 1, 0};
	float scale = TIP_SCALE;
	for (int j = 0; j < rings; j++)
	{
		int at = j == rings - 1 ? 0 : t.numPoints - 1 - TENTACLE_POINTS_PER_RING * j;
		const OGLPoint3D& p = t.points[at];
		if (at >= TENTACLE_POINTS_PER_RING)
		{
			OGLVector3D toward = t.points[at - TENTACLE_POINTS_PER_RING] - p;
			float len = std::sqrt(toward.x * toward.x + toward.y * toward.y + toward.z * toward.z);
			if (len > 0)
				axis = toward * (1 / len);
		}
		OGLMatrix4x4 turn = UpOnto(axis);
		for (int k = 0; k < perRing; k++)
		{
			float a = float(k % TENTACLE_RING_SIDES) * PI2 / TENTACLE_RING_SIDES;
			OGLVector3D n = {std::sin(a), 0, std::cos(a)}, wn;
			OGLPoint3D local = {n.x * TENTACLE_RADIUS * scale, 0, n.z * TENTACLE_RADIUS * scale}, w;
			OGLPoint3D_Transform(&local, &turn, &w);
			OGLVector3D_Transform(&n, &turn, &wn);
			mesh->points.push_back({w.x + p.x, w.y + p.y, w.z + p.z});
			mesh->normals.push_back(wn);
			mesh->uvs.push_back({3.0f * float(k) / TENTACLE_RING_SIDES, 0.5f * float(j)});
		}
		scale = std::min(1.0f, scale + RING_GROWTH);
		if (j == 0)
			continue;
		uint32_t a0 = uint32_t((j - 1) * perRing), b0 = uint32_t(j * perRing);
		for (uint32_t k = 0; k < uint32_t(TENTACLE_RING_SIDES); k++)
		{
			mesh->triangles.insert(mesh->triangles.end(), {a0 + k, b0 + k, a0 + k + 1});
			mesh->triangles.insert(mesh->triangles.end(), {a0 + k + 1, b0 + k, b0 + k + 1});
		}
	}
}
