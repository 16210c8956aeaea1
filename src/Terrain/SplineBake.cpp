// Closing and baking spline loops: pure arithmetic on the loaded records, so
// the terrain file reader (and its fuzzer) can run it without the rest of the game.
#include "Terrain/Splines.h"
#include "Terrain/TerrainFile.h"
#include "System/Error.h"
#include "Memory.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
	// The cheap distance estimate the loops are measured with.
	float OctagonalDistance(const SplinePointType& a, const SplinePointType& b)
	{
		float dx = std::fabs(b.x - a.x), dz = std::fabs(b.z - a.z);
		return std::max(dx, dz) + 0.375f * std::min(dx, dz);
	}

	// Second-derivative terms c of a natural cubic spline through p (c[0] =
	// c[m-1] = 0), from c[i-1] + 4 c[i] + c[i+1] = 3 (p[i+1] - 2 p[i] + p[i-1]).
	void SolveCurvatures(const std::vector<float>& p, std::vector<float>* c)
	{
		const size_t m = p.size();
		c->assign(m, 0.0f);
		if (m < 3)
			return;
		std::vector<float> upper(m, 0.0f), rhs(m, 0.0f);
		float pivot = 4.0f;
		upper[1] = 1.0f / pivot;
		rhs[1] = 3.0f * (p[2] - 2.0f * p[1] + p[0]) / pivot;
		for (size_t i = 2; i + 1 < m; i++)
		{
			pivot = 4.0f - upper[i - 1];
			upper[i] = 1.0f / pivot;
			rhs[i] = (3.0f * (p[i + 1] - 2.0f * p[i] + p[i - 1]) - rhs[i - 1]) / pivot;
		}
		for (size_t i = m - 2; i >= 1; i--)
		{
			(*c)[i] = rhs[i] - upper[i] * (*c)[i + 1];
			if (i == 1)
				break;
		}
	}
}

SplinePointType** BakeSpline(int numNubs, const SplinePointType* nubs, const int32_t* pointsPerSpan)
{
	GAME_ASSERT(numNubs >= 2);
	GAME_ASSERT(pointsPerSpan[numNubs - 1] == 0 || pointsPerSpan[numNubs - 1] == 1);
	int64_t maxPoints = 0;
	for (int i = 0; i < numNubs; i++)
	{
		GAME_ASSERT(pointsPerSpan[i] >= 0);
		maxPoints += pointsPerSpan[i];
	}
	GAME_ASSERT(maxPoints <= MAX_SPLINE_POINTS);

	std::vector<float> px(static_cast<size_t>(numNubs)), pz(static_cast<size_t>(numNubs)), cx, cz;
	for (int i = 0; i < numNubs; i++)
	{
		px[size_t(i)] = nubs[i].x;
		pz[size_t(i)] = nubs[i].z;
	}
	SolveCurvatures(px, &cx);
	SolveCurvatures(pz, &cz);

	auto** points = reinterpret_cast<SplinePointType**>(NewHandleClear(int32_t(std::max<int64_t>(maxPoints, 1) * 8)));
	if (!points)
		FatalAlert("BakeSpline: Alloc_2d_array failed!");
	int32_t numPoints = 0;
	for (int nub = 0; nub < numNubs - 1; nub++)
	{
		const int32_t q = pointsPerSpan[nub];
		if (q == 0)
			continue;
		auto span = [&](const std::vector<float>& p, const std::vector<float>& c, float t) {
			const size_t i = size_t(nub);
			float b = (p[i + 1] - p[i]) - (2.0f * c[i] + c[i + 1]) / 3.0f;
			float d = (c[i + 1] - c[i]) / 3.0f;
			return ((d * t + c[i]) * t + b) * t + p[i];
		};
		for (int32_t j = 0; j < q; j++)
		{
			GAME_ASSERT(numPoints < maxPoints);
			float t = float(j) / float(q);
			(*points)[numPoints++] = {span(px, cx, t), span(pz, cz, t)};
		}
	}
	if (pointsPerSpan[numNubs - 1] == 1)
		(*points)[numPoints++] = nubs[numNubs - 1];
	GAME_ASSERT(numPoints == maxPoints);
	return points;
}

const char* FindSplineLoopFault(const SplineRecord* spline)
{
	const int32_t n = spline->numNubs;
	if (n <= SPLINE_WRAP_NUBS || !spline->nubList)
		return "numNubs > numWrapNubs";
	const SplinePointType* nubs = *spline->nubList;
	double length = 0;
	for (int32_t k = 0; k + 1 < n; k++)
		length += double(SPLINE_POINTS_PER_MAP_UNIT) * OctagonalDistance(nubs[k], nubs[k + 1]);
	if (!(length <= double(MAX_SPLINE_POINTS)))		// also catches NaN and infinities
		return "spline too long";
	const SplinePointType& first = nubs[0];
	const SplinePointType& last = nubs[n - 1];
	if (!(std::hypot(last.x - first.x, last.z - first.z) < SPLINE_MAX_SEAM_GAP))
		return "spline endpoint nubs are too far apart for seamless looping";
	return nullptr;
}

void PatchSplineLoop(SplineRecord* spline)
{
	if (const char* fault = FindSplineLoopFault(spline))
		FatalAlert("Assertion failed! PatchSplineLoop: %s", fault);
	const int32_t n = spline->numNubs;
	SplinePointType* nubs = *spline->nubList;

	// Points per span from each span's length; the loop's point count is their sum.
	std::vector<int32_t> pointsPerSpan(size_t(n + 2 * SPLINE_WRAP_NUBS), 0);
	int64_t numPoints = 0;
	for (int32_t k = 0; k + 1 < n; k++)
	{
		int32_t q = int32_t(SPLINE_POINTS_PER_MAP_UNIT * OctagonalDistance(nubs[k], nubs[k + 1]));
		pointsPerSpan[size_t(k + SPLINE_WRAP_NUBS)] = q;
		numPoints += q;
	}

	// The seam: both ends meet at their midpoint.
	SplinePointType& first = nubs[0];
	SplinePointType& last = nubs[n - 1];
	SplinePointType middle = {(first.x + last.x) * 0.5f, (first.z + last.z) * 0.5f};
	first = middle;
	last = middle;

	// The nubs with the ones before the seam repeated ahead of them and the
	// ones after it repeated behind; the added spans get no points.
	std::vector<SplinePointType> extended(size_t(n + 2 * SPLINE_WRAP_NUBS));
	for (int32_t k = 0; k < n; k++)
		extended[size_t(k + SPLINE_WRAP_NUBS)] = nubs[k];
	for (int t = 0; t < SPLINE_WRAP_NUBS; t++)
	{
		int32_t wrapBeg = n - 2 - t;
		int32_t wrapEnd = n + SPLINE_WRAP_NUBS + t;
		GAME_ASSERT(wrapBeg >= 0);
		GAME_ASSERT(wrapEnd <= n + 2 * SPLINE_WRAP_NUBS);
		extended[size_t(SPLINE_WRAP_NUBS - 1 - t)] = nubs[wrapBeg];
		extended[size_t(wrapEnd)] = nubs[(t + 1) % n];
	}

	SplinePointType** baked = BakeSpline(n + 2 * SPLINE_WRAP_NUBS, extended.data(), pointsPerSpan.data());
	if (spline->pointList)
		DisposeHandle(reinterpret_cast<Handle>(spline->pointList));
	spline->pointList = baked;
	spline->numPoints = int32_t(numPoints);
}
