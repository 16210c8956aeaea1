// Animated deformations of the ground: ripples, ring waves, flattening and
// dents, applied to the live heights of the supertiles being drawn.
#include "Terrain/Terrain.h"
#include "Terrain/SuperTile.h"

#include <algorithm>
#include <cmath>

SuperTileDeformation gDeformationList[MAX_DEFORMATIONS];
int gNumDeformations = 0;
bool gDeformationsEnded = false;

void ClearSuperTileDeformations()
{
	for (SuperTileDeformation& d : gDeformationList)
		d = {};
	gNumDeformations = 0;
	gDeformationsEnded = false;
}

int NewSuperTileDeformation(const SuperTileDeformation* deformation)
{
	for (int slot = 0; slot < MAX_DEFORMATIONS; slot++)
		if (!gDeformationList[slot].active)
		{
			gDeformationList[slot] = *deformation;
			gDeformationList[slot].active = 1;
			gNumDeformations++;
			return slot;
		}
	return -1;
}

void MoveSuperTileDeformation(int slot, float x, float z)
{
	if (slot < 0 || slot >= MAX_DEFORMATIONS)
		return;
	gDeformationList[slot].centerX = x;
	gDeformationList[slot].centerZ = z;
}

void DeleteSuperTileDeformation(int slot)
{
	// −1 is what a full table handed out; a slot already free has nothing to end.
	if (slot < 0 || slot >= MAX_DEFORMATIONS || !gDeformationList[slot].active)
		return;
	gDeformationList[slot].active = 0;
	gNumDeformations--;
	if (gNumDeformations <= 0)
	{
		gNumDeformations = 0;
		gDeformationsEnded = true;
	}
}

int MakeWaveDeformation(float amplitude, float speed, float frequency, float x, float z)
{
	SuperTileDeformation d = {};
	d.type = DEFORM_RIPPLE;
	d.amplitude = amplitude;
	d.speed = speed;
	d.frequency = frequency;
	d.centerX = x;
	d.centerZ = z;
	return NewSuperTileDeformation(&d);
}

int MakeRingWaveDeformation(float amplitude, float radius, float speed, float frequency,
		float width, float decay, float x, float z)
{
	// Nothing to shake: a slot taken now would outlive the level that never came.
	if (!IsTerrainSetUp())
		return -1;
	SuperTileDeformation d = {};
	d.type = DEFORM_RING_WAVE;
	d.amplitude = amplitude;
	d.radius = radius;
	d.speed = speed;
	d.frequency = frequency;
	d.width = width;
	d.decay = decay;
	d.centerX = x;
	d.centerZ = z;
	return NewSuperTileDeformation(&d);
}

void AnimateSuperTileDeformations(float dt)
{
	for (int slot = 0; slot < MAX_DEFORMATIONS; slot++)
	{
		SuperTileDeformation& d = gDeformationList[slot];
		if (!d.active)
			continue;
		switch (d.type)
		{
			case DEFORM_RIPPLE:
			case DEFORM_DAMPED_RIPPLE:
				d.radius += d.speed * dt;
				break;
			case DEFORM_RING_WAVE:
				d.amplitude -= d.decay * dt;
				if (d.amplitude <= 0)
					DeleteSuperTileDeformation(slot);
				else
					d.radius += d.speed * dt;
				break;
			case DEFORM_DENT:
				d.amplitude += d.speed * dt;
				break;
			default:		// flattening holds still
				break;
		}
	}
}

float CalcDeformedHeight(float x, float z, float base)
{
	float h = base, f = 1;
	for (const SuperTileDeformation& d : gDeformationList)
	{
		if (!d.active)
			continue;
		float dx = std::fabs(x - d.centerX), dz = std::fabs(z - d.centerZ);
		float dist = std::max(dx, dz) + 0.375f * std::min(dx, dz);
		switch (d.type)
		{
			case DEFORM_RIPPLE:
				h += std::sin((dist + d.radius) * d.frequency) * d.amplitude;
				break;
			case DEFORM_RING_WAVE:
				if (d.width > 0)		// a ring without width has no height
				{
					float m = dist - d.radius;
					h += std::max(0.0f, (d.width - std::fabs(m)) / d.width) * d.amplitude * std::sin(m * d.frequency);
				}
				break;
			case DEFORM_DAMPED_RIPPLE:
			{
				float u = std::sin((dist + d.radius) * d.frequency) * d.amplitude;
				if (dist > d.width)
					u *= std::min(1.0f, d.decay / (dist - d.width));
				h += u;
				break;
			}
			case DEFORM_FLATTEN:
				if (dist < d.radius)
				{
					if (dist < d.width)
						f = 0;
					else
						f *= (dist - d.width) / (d.radius - d.width);
				}
				break;
			case DEFORM_DENT:
			{
				float e = std::sqrt(dx * dx + dz * dz);
				float t = std::max(1.0f, e - d.radius);
				h -= std::min(t, 30.0f / t) * d.amplitude;
				break;
			}
			default:
				break;
		}
	}
	if (f != 1)
		h = (1 - f) * base + f * h;
	return h;
}

void DeformSuperTile(int memIndex)
{
	if (gNumDeformations == 0 && !gDeformationsEnded)
		return;

	SuperTileMemoryEntry& e = gSuperTileMemory[memIndex];
	constexpr int V = SUPERTILE_VERTICES_PER_SIDE;
	for (int i = 0; i < V; i++)
		for (int j = 0; j < V; j++)
		{
			int r = e.row + i, c = e.col + j;
			OGLPoint3D& p = e.mesh->points[i * V + j];
			float h = CalcDeformedHeight(p.x, p.z, gMapBaseHeights[r][c]);
			p.y = h;
			gMapHeights[r][c] = h;
		}
	CalcSuperTileNormals(memIndex);
	// The box follows the waves, so culling stays conservative.
	CalcSuperTileBounds(memIndex);
}
