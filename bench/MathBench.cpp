#include "System/Math.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

static void BM_MatrixMultiply(benchmark::State& state)
{
	OGLMatrix4x4 a, b, out;
	OGLMatrix4x4_SetRotate_XYZ(&a, 0.3f, 1.2f, -0.7f);
	OGLMatrix4x4_SetTranslate(&b, 10, 20, 30);
	for (auto _ : state)
	{
		OGLMatrix4x4_Multiply(&a, &b, &out);
		benchmark::DoNotOptimize(out);
	}
}
BENCHMARK(BM_MatrixMultiply);

// What every object node does once a frame: scale × rotation × translation.
static void BM_NodeTransform(benchmark::State& state)
{
	float angle = 0;
	OGLMatrix4x4 scale, rotation, m;
	OGLMatrix4x4_SetScale(&scale, 1.5f, 1.5f, 1.5f);
	for (auto _ : state)
	{
		OGLMatrix4x4_SetRotate_XYZ(&rotation, angle, angle * 0.5f, 0);
		rotation.value[12] = 100;
		rotation.value[13] = 50;
		rotation.value[14] = -300;
		OGLMatrix4x4_Multiply(&scale, &rotation, &m);
		benchmark::DoNotOptimize(m);
		angle += 0.01f;
	}
}
BENCHMARK(BM_NodeTransform);

static void BM_MatrixInvert(benchmark::State& state)
{
	OGLMatrix4x4 m, inv;
	OGLMatrix4x4_SetRotate_XYZ(&m, 0.3f, 1.2f, -0.7f);
	m.value[12] = 5;
	for (auto _ : state)
	{
		benchmark::DoNotOptimize(OGLMatrix4x4_Invert(&m, &inv));
		benchmark::DoNotOptimize(inv);
	}
}
BENCHMARK(BM_MatrixInvert);

// Skinning-sized batches of points.
static void BM_TransformPointArray(benchmark::State& state)
{
	const int32_t count = int32_t(state.range(0));
	std::vector<OGLPoint3D> in(static_cast<size_t>(count)), out(static_cast<size_t>(count));
	for (int32_t i = 0; i < count; i++)
		in[size_t(i)] = {float(i), float(i) * 0.5f, -float(i)};
	OGLMatrix4x4 m;
	OGLMatrix4x4_SetRotate_XYZ(&m, 0.3f, 1.2f, -0.7f);
	for (auto _ : state)
	{
		OGLPoint3D_TransformArray(in.data(), &m, out.data(), count);
		benchmark::DoNotOptimize(out.data());
	}
	state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_TransformPointArray)->Arg(100)->Arg(2000);

// Culling a frame's worth of object boxes, about half of them in view.
static void BM_IsBBoxInFrustum(benchmark::State& state)
{
	OGLPoint3D from = {0, 0, 0}, to = {0, 0, -1};
	OGLVector3D up = {0, 1, 0};
	OGLMatrix4x4 view, projection;
	OGLMatrix4x4_SetLookAt(&view, &from, &to, &up);
	OGLMatrix4x4_SetPerspective(&projection, 1.1f, 16.0f / 9.0f, 10, 20000);
	OGLMatrix4x4_Multiply(&view, &projection, &gWorldToFrustumMatrix);

	std::mt19937 rng(3);
	std::uniform_real_distribution<float> d(-10000, 10000);
	std::vector<OGLBoundingBox> boxes(700);
	std::vector<OGLMatrix4x4> locals(700);
	for (size_t i = 0; i < boxes.size(); i++)
	{
		boxes[i] = {{-50, -50, -50}, {50, 50, 50}, false};
		OGLMatrix4x4_SetTranslate(&locals[i], d(rng), d(rng) * 0.1f, -std::abs(d(rng)) + 3000);
	}

	for (auto _ : state)
	{
		int visible = 0;
		for (size_t i = 0; i < boxes.size(); i++)
			visible += IsBBoxInFrustum(&boxes[i], &locals[i]);
		benchmark::DoNotOptimize(visible);
	}
	state.SetItemsProcessed(state.iterations() * int64_t(boxes.size()));
}
BENCHMARK(BM_IsBBoxInFrustum);

static void BM_CalcQuickDistance(benchmark::State& state)
{
	float x = 1;
	for (auto _ : state)
	{
		benchmark::DoNotOptimize(CalcQuickDistance(x, 2, 300, -400));
		x += 0.5f;
	}
}
BENCHMARK(BM_CalcQuickDistance);

static void BM_CalcDistance(benchmark::State& state)
{
	float x = 1;
	for (auto _ : state)
	{
		benchmark::DoNotOptimize(CalcDistance(x, 2, 300, -400));
		x += 0.5f;
	}
}
BENCHMARK(BM_CalcDistance);

static void BM_CalcYAngleFromPointToPoint(benchmark::State& state)
{
	float x = 1;
	for (auto _ : state)
	{
		benchmark::DoNotOptimize(CalcYAngleFromPointToPoint(0, x, 2, 300, -400));
		x += 0.5f;
	}
}
BENCHMARK(BM_CalcYAngleFromPointToPoint);

static void BM_IsPointInTriangle3D(benchmark::State& state)
{
	OGLPoint3D tri[3] = {{0, 5, 0}, {0, 5, 100}, {100, 5, 0}};
	OGLVector3D n = {0, 1, 0};
	OGLPoint3D p = {0, 5, 0};
	for (auto _ : state)
	{
		benchmark::DoNotOptimize(IsPointInTriangle3D(&p, tri, &n));
		p.x += 0.37f;
		p.z += 0.21f;
		if (p.x > 120)
			p = {0, 5, 0};
	}
}
BENCHMARK(BM_IsPointInTriangle3D);
