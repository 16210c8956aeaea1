// Decomposition of a skinned model's reference mesh: every distinct position
// (within 0.001 per axis) becomes one decomposed point that remembers each
// vertex lying there, and every distinct unit normal (within 0.02 per
// component) one decomposed normal. Skinning then moves each point once and
// scatters it to its vertices.
//
// Header only and free of game state: the skeleton loader and the content
// baker run this same code, so the point and normal numbers a skeleton file
// stores are exactly the ones the loader computes.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

constexpr int MAX_DECOMPOSED_TRIMESHES = 10;
constexpr int MAX_DECOMPOSED_POINTS = 1000;
constexpr int MAX_DECOMPOSED_NORMALS = 800;
constexpr int MAX_POINT_REFS = 10;

constexpr float DECOMPOSE_POINT_TOLERANCE = 0.001f;
constexpr float DECOMPOSE_NORMAL_TOLERANCE = 0.02f;
constexpr float DECOMPOSE_ZERO_NORMAL = 0.0001f;

struct DecomposedPointRecord
{
	float realPoint[3];						// position in the reference model
	uint8_t numRefs;
	uint8_t whichTriMesh[MAX_POINT_REFS];	// mesh of each vertex at this point
	int16_t whichPoint[MAX_POINT_REFS];		// its index in that mesh
	int16_t whichNormal[MAX_POINT_REFS];	// its normal in the normal list
};

class SkeletonDecomposer
{
public:
	int numMeshes = 0;
	std::vector<DecomposedPointRecord> points;
	std::vector<float> normals;				// 3 floats per decomposed normal

	// Adds the next mesh of the model walk. `normalArray` (3 floats per vertex)
	// is normalised in place, as skinning needs unit normals. Returns false
	// with the reason when a limit is exceeded or the mesh has no normals.
	bool AddMesh(const float* pointArray, float* normalArray, int numPoints, std::string* error)
	{
		if (numMeshes >= MAX_DECOMPOSED_TRIMESHES)
			return Fail(error, "DecomposeATriMesh: gNumDecomposedTriMeshes > MAX_DECOMPOSED_TRIMESHES");
		if (numPoints < 0 || numPoints > 32767)
			return Fail(error, "DecomposeATriMesh: too many vertices in one mesh");
		if (numPoints > 0 && (!pointArray || !normalArray))
			return Fail(error, "DecomposeATriMesh: a skinned mesh has no normals");
		const int mesh = numMeshes++;

		for (int i = 0; i < numPoints; i++)
		{
			const float* p = pointArray + 3 * i;
			int pointIndex = FindPoint(p);
			if (pointIndex < 0)
			{
				if (int(points.size()) >= MAX_DECOMPOSED_POINTS)
					return Fail(error, "DecomposeATriMesh: MAX_DECOMPOSED_POINTS exceeded!");
				DecomposedPointRecord record = {};
				record.realPoint[0] = p[0];
				record.realPoint[1] = p[1];
				record.realPoint[2] = p[2];
				points.push_back(record);
				pointIndex = int(points.size()) - 1;
			}
			DecomposedPointRecord& record = points[size_t(pointIndex)];
			if (record.numRefs >= MAX_POINT_REFS)
				return Fail(error, "DecomposeATriMesh: MAX_POINT_REFS exceeded!");

			float* n = normalArray + 3 * i;
			NormalizeInPlace(n);
			int normalIndex = FindNormal(n);
			if (normalIndex < 0)
			{
				if (int(normals.size() / 3) >= MAX_DECOMPOSED_NORMALS)
					return Fail(error, "DecomposeATriMesh: MAX_DECOMPOSED_NORMALS exceeded!");
				normals.insert(normals.end(), n, n + 3);
				normalIndex = int(normals.size() / 3) - 1;
			}

			const int k = record.numRefs++;
			record.whichTriMesh[k] = uint8_t(mesh);
			record.whichPoint[k] = int16_t(i);
			record.whichNormal[k] = int16_t(normalIndex);
		}
		return true;
	}

	int NumNormals() const { return int(normals.size() / 3); }

	// A normal whose components are all (nearly) 0 stays (0, 0, 0).
	static void NormalizeInPlace(float* n)
	{
		if (std::fabs(n[0]) < DECOMPOSE_ZERO_NORMAL && std::fabs(n[1]) < DECOMPOSE_ZERO_NORMAL
				&& std::fabs(n[2]) < DECOMPOSE_ZERO_NORMAL)
		{
			n[0] = n[1] = n[2] = 0;
			return;
		}
		float inv = 1.0f / std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
		n[0] *= inv;
		n[1] *= inv;
		n[2] *= inv;
	}

private:
	static bool Fail(std::string* error, const char* message)
	{
		if (error)
			*error = message;
		return false;
	}

	int FindPoint(const float* p) const
	{
		for (size_t k = 0; k < points.size(); k++)
		{
			const float* q = points[k].realPoint;
			if (std::fabs(q[0] - p[0]) < DECOMPOSE_POINT_TOLERANCE && std::fabs(q[1] - p[1]) < DECOMPOSE_POINT_TOLERANCE
					&& std::fabs(q[2] - p[2]) < DECOMPOSE_POINT_TOLERANCE)
				return int(k);
		}
		return -1;
	}

	int FindNormal(const float* n) const
	{
		for (size_t k = 0; k + 2 < normals.size(); k += 3)
		{
			if (std::fabs(normals[k] - n[0]) < DECOMPOSE_NORMAL_TOLERANCE && std::fabs(normals[k + 1] - n[1]) < DECOMPOSE_NORMAL_TOLERANCE
					&& std::fabs(normals[k + 2] - n[2]) < DECOMPOSE_NORMAL_TOLERANCE)
				return int(k / 3);
		}
		return -1;
	}
};
