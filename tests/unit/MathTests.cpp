#include "System/Math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace
{
	void ExpectMatrixNear(const OGLMatrix4x4& a, const OGLMatrix4x4& b, float tolerance = 1e-5f)
	{
		for (int i = 0; i < 16; i++)
			EXPECT_NEAR(a.value[i], b.value[i], tolerance) << "element " << i;
	}

	void ExpectPointNear(const OGLPoint3D& p, float x, float y, float z, float tolerance = 1e-4f)
	{
		EXPECT_NEAR(p.x, x, tolerance);
		EXPECT_NEAR(p.y, y, tolerance);
		EXPECT_NEAR(p.z, z, tolerance);
	}

	OGLMatrix4x4 Identity()
	{
		OGLMatrix4x4 m;
		OGLMatrix4x4_SetIdentity(&m);
		return m;
	}

	OGLPoint3D Apply(const OGLMatrix4x4& m, OGLPoint3D p)
	{
		OGLPoint3D out;
		OGLPoint3D_Transform(&p, &m, &out);
		return out;
	}

	// The upper 3×3 has orthonormal columns and determinant +1.
	void ExpectRotation(const OGLMatrix4x4& m)
	{
		OGLVector3D c[3];
		for (int k = 0; k < 3; k++)
			c[k] = {m.value[k * 4], m.value[k * 4 + 1], m.value[k * 4 + 2]};
		for (int k = 0; k < 3; k++)
		{
			EXPECT_NEAR(OGLVector3D_Length(&c[k]), 1.0f, 1e-5f);
			EXPECT_NEAR(OGLVector3D_Dot(&c[k], &c[(k + 1) % 3]), 0.0f, 1e-5f);
		}
		OGLVector3D cross;
		OGLVector3D_Cross(&c[0], &c[1], &cross);
		EXPECT_NEAR(OGLVector3D_Dot(&cross, &c[2]), 1.0f, 1e-5f);
	}
}

//
// Angles and distances
//

TEST(MathAngles, YawFromPointToPointFollowsHeadingConvention)
{
	EXPECT_NEAR(CalcYAngleFromPointToPoint(1.0f, 0, 0, 0, -1), 0.0f, 1e-6f);
	EXPECT_NEAR(CalcYAngleFromPointToPoint(1.0f, 0, 0, -1, 0), PI_HALF, 1e-6f);
	EXPECT_NEAR(CalcYAngleFromPointToPoint(1.0f, 0, 0, 1, 0), 3.0f * PI_HALF, 1e-5f);
	EXPECT_NEAR(CalcYAngleFromPointToPoint(1.0f, 0, 0, 0, 1), PI, 1e-6f);
	// Distance does not matter, only the direction.
	EXPECT_NEAR(CalcYAngleFromPointToPoint(0.0f, 500, 500, 500 - 3000, 500), PI_HALF, 1e-6f);

	// A heading θ faces (−sin θ, −cos θ): walking that way and looking back gives θ.
	for (float theta = 0.05f; theta < PI2; theta += 0.37f)
	{
		float toX = 10 - std::sin(theta) * 250, toZ = -20 - std::cos(theta) * 250;
		EXPECT_NEAR(CalcYAngleFromPointToPoint(0.0f, 10, -20, toX, toZ), theta, 1e-4f) << theta;
	}
}

TEST(MathAngles, YawKeepsPreviousHeadingWhenPointsCoincide)
{
	EXPECT_EQ(CalcYAngleFromPointToPoint(1.25f, 7, 7, 7, 7), 1.25f);
	EXPECT_EQ(CalcYAngleFromPointToPoint(-2.0f, 7, 7, 7.00005f, 6.99995f), -2.0f);
}

TEST(MathAngles, WrapAngleTakesWholeTurnsOffExactly)
{
	// Already in range: unchanged, to the bit (headings are compared after it).
	for (float a : {0.0f, 1.0f, -1.0f, PI, -PI, 3.0f, -3.1f})
		EXPECT_EQ(WrapAngle(a), a) << a;
	// Out of range: the one angle of −π … π a whole number of turns away,
	// exactly as the library's remainder gives it (the callers rely on this
	// both ways round: the wrap and the remainder are interchangeable).
	for (float a = -40.0f; a < 40.0f; a += 0.731f)
	{
		const float w = WrapAngle(a);
		EXPECT_GE(w, -PI) << a;
		EXPECT_LE(w, PI) << a;
		EXPECT_EQ(w, std::remainder(a, PI2)) << a;
	}
	EXPECT_NEAR(AngleDifference(0.1f, PI2 - 0.1f), 0.2f, 1e-5f);
}

TEST(MathAngles, TurnTowardGoesTheShortWayAndStopsOnTheTarget)
{
	// From just short of a full turn to just past 0: forward across the seam.
	EXPECT_NEAR(TurnAngleToward(PI2 - 0.1f, 0.1f, 0.05f), PI2 - 0.05f, 1e-5f);
	EXPECT_NEAR(TurnAngleToward(0.1f, PI2 - 0.1f, 0.05f), 0.05f, 1e-5f);
	// A step longer than the gap lands on the target's direction.
	EXPECT_NEAR(TurnAngleToward(1.0f, 1.2f, 0.5f), 1.2f, 1e-6f);
}

TEST(MathAngles, AngleBetweenVectors)
{
	OGLVector3D x = {2, 0, 0}, y = {0, 5, 0}, minusX = {-1, 0, 0}, zero = {0, 0, 0};
	OGLVector3D diagonal = {1, 1, 0};
	EXPECT_NEAR(OGLVector3D_AngleBetween(&x, &y), PI_HALF, 1e-6f);
	EXPECT_NEAR(OGLVector3D_AngleBetween(&x, &minusX), PI, 1e-6f);
	EXPECT_NEAR(OGLVector3D_AngleBetween(&x, &diagonal), PI / 4, 1e-6f);
	EXPECT_NEAR(OGLVector3D_AngleBetween(&x, &x), 0.0f, 1e-3f);		// no NaN from a dot just above 1
	EXPECT_EQ(OGLVector3D_AngleBetween(&x, &zero), 0.0f);
}

TEST(MathDistance, QuickDistanceIsTheOctagonalEstimate)
{
	EXPECT_FLOAT_EQ(CalcQuickDistance(0, 0, 300, 100), 337.5f);
	EXPECT_FLOAT_EQ(CalcQuickDistance(300, 100, 0, 0), 337.5f);
	EXPECT_FLOAT_EQ(CalcQuickDistance(0, 0, -100, 300), 337.5f);
	EXPECT_FLOAT_EQ(CalcQuickDistance(5, 5, 5, 5), 0.0f);

	// Close enough to the true distance for range checks in every direction.
	for (float a = 0; a < PI2; a += 0.01f)
	{
		float x = std::cos(a) * 1000, z = std::sin(a) * 1000;
		float ratio = CalcQuickDistance(0, 0, x, z) / 1000.0f;
		ASSERT_GE(ratio, 0.97f) << a;
		ASSERT_LE(ratio, 1.07f) << a;
	}

	EXPECT_FLOAT_EQ(CalcDistance(1, 1, 4, 5), 5.0f);
	EXPECT_FLOAT_EQ(CalcDistance3D(1, 2, 3, 3, 5, 9), 7.0f);
}

//
// Vectors
//

TEST(MathVectors, NormalisationTreatsTinyVectorsAsZero)
{
	OGLVector3D v = {0.00005f, -0.00009f, 0.00002f}, out = {9, 9, 9};
	OGLVector3D_Normalize(&v, &out);
	EXPECT_EQ(out.x, 0.0f);
	EXPECT_EQ(out.y, 0.0f);
	EXPECT_EQ(out.z, 0.0f);

	// Just above the tolerance in one component is a real direction.
	v = {0.0002f, 0, 0};
	OGLVector3D_Normalize(&v, &out);
	EXPECT_FLOAT_EQ(out.x, 1.0f);

	v = {3, 0, -4};
	OGLVector3D_Normalize(&v, &v);		// in place
	EXPECT_FLOAT_EQ(v.x, 0.6f);
	EXPECT_FLOAT_EQ(v.z, -0.8f);

	OGLVector2D w = {0.00009f, -0.00009f}, w2 = {1, 1};
	OGLVector2D_Normalize(&w, &w2);
	EXPECT_EQ(w2.x, 0.0f);
	EXPECT_EQ(w2.y, 0.0f);

	w = {-3, 4};
	OGLVector2D_Normalize(&w, &w);
	EXPECT_FLOAT_EQ(w.x, -0.6f);
	EXPECT_FLOAT_EQ(w.y, 0.8f);
	EXPECT_FLOAT_EQ(OGLVector2D_Length(&w), 1.0f);
}

TEST(MathVectors, CrossProductsAreRightHandedAndMayAlias)
{
	OGLVector3D x = {1, 0, 0}, y = {0, 1, 0}, out;
	OGLVector3D_Cross(&x, &y, &out);
	ExpectPointNear({out.x, out.y, out.z}, 0, 0, 1);

	OGLVector3D a = {1, 2, 3}, b = {-2, 0.5f, 4};
	OGLVector3D expected;
	OGLVector3D_Cross(&a, &b, &expected);
	OGLVector3D_Cross(&a, &b, &a);
	EXPECT_FLOAT_EQ(a.x, expected.x);
	EXPECT_FLOAT_EQ(a.y, expected.y);
	EXPECT_FLOAT_EQ(a.z, expected.z);

	OGLVector2D u = {1, 0}, v = {0, 1};
	EXPECT_FLOAT_EQ(OGLVector2D_Cross(&u, &v), 1.0f);
	EXPECT_FLOAT_EQ(OGLVector2D_Cross(&v, &u), -1.0f);
}

TEST(MathVectors, ReflectionMirrorsTheNormalComponent)
{
	OGLVector2D velocity = {3, -2}, normal = {0, 1}, out;
	OGLVector2D_Reflect(&velocity, &normal, &out);
	EXPECT_FLOAT_EQ(out.x, 3.0f);
	EXPECT_FLOAT_EQ(out.y, 2.0f);

	OGLVector3D v = {1, -1, 0}, n = {0, 1, 0}, r;
	OGLVector3D_Reflect(&v, &n, &r);
	ExpectPointNear({r.x, r.y, r.z}, 1, 1, 0);
	EXPECT_FLOAT_EQ(OGLVector3D_Length(&r), OGLVector3D_Length(&v));		// speed kept
}

TEST(MathVectors, CloseEnoughUsesMeshTolerances)
{
	OGLPoint3D p = {1, 2, 3};
	OGLPoint3D nearP = {1.0009f, 1.9991f, 3}, farP = {1, 2, 3.0012f};
	EXPECT_TRUE(OGLPoint3D_AreClose(&p, &nearP));
	EXPECT_FALSE(OGLPoint3D_AreClose(&p, &farP));

	OGLVector3D n = {0, 1, 0};
	OGLVector3D nearN = {0.019f, 0.99f, -0.019f}, farN = {0.021f, 1, 0};
	EXPECT_TRUE(OGLVector3D_AreClose(&n, &nearN));
	EXPECT_FALSE(OGLVector3D_AreClose(&n, &farN));
}

//
// Matrices
//

TEST(MathMatrices, EulerRotationAppliesXThenYThenZ)
{
	std::mt19937 rng(7);
	std::uniform_real_distribution<float> angle(-PI, PI);
	for (int k = 0; k < 20; k++)
	{
		float rx = angle(rng), ry = angle(rng), rz = angle(rng);
		OGLMatrix4x4 mx, my, mz, t, composed, direct;
		OGLMatrix4x4_SetRotate_X(&mx, rx);
		OGLMatrix4x4_SetRotate_Y(&my, ry);
		OGLMatrix4x4_SetRotate_Z(&mz, rz);
		OGLMatrix4x4_Multiply(&mx, &my, &t);
		OGLMatrix4x4_Multiply(&t, &mz, &composed);
		OGLMatrix4x4_SetRotate_XYZ(&direct, rx, ry, rz);
		ExpectMatrixNear(direct, composed);
		ExpectRotation(direct);
	}
}

TEST(MathMatrices, SingleAxisRotationsAreRightHanded)
{
	OGLMatrix4x4 m;
	OGLMatrix4x4_SetRotate_X(&m, PI_HALF);
	ExpectPointNear(Apply(m, {0, 1, 0}), 0, 0, 1);
	OGLMatrix4x4_SetRotate_Y(&m, PI_HALF);
	ExpectPointNear(Apply(m, {0, 0, 1}), 1, 0, 0);
	OGLMatrix4x4_SetRotate_Z(&m, PI_HALF);
	ExpectPointNear(Apply(m, {1, 0, 0}), 0, 1, 0);

	// A model's front (−z) turned by heading θ faces (−sin θ, −cos θ).
	for (float theta : {0.3f, 1.7f, -2.2f})
	{
		OGLMatrix4x4_SetRotate_Y(&m, theta);
		ExpectPointNear(Apply(m, {0, 0, -1}), -std::sin(theta), 0, -std::cos(theta));
	}

	// About an arbitrary axis: the axis itself stays put, and the Y axis case matches.
	OGLVector3D axis = {0, 1, 0};
	OGLMatrix4x4 about, y;
	OGLMatrix4x4_SetRotateAboutAxis(&about, &axis, 0.8f);
	OGLMatrix4x4_SetRotate_Y(&y, 0.8f);
	ExpectMatrixNear(about, y);
	OGLVector3D diagonal = {1, 1, 1};
	OGLVector3D_Normalize(&diagonal, &diagonal);
	OGLMatrix4x4_SetRotateAboutAxis(&about, &diagonal, 2.0f);
	ExpectPointNear(Apply(about, {diagonal.x, diagonal.y, diagonal.z}), diagonal.x, diagonal.y, diagonal.z);
	ExpectRotation(about);
	// A third of a turn about the diagonal cycles the axes.
	OGLMatrix4x4_SetRotateAboutAxis(&about, &diagonal, PI2 / 3);
	ExpectPointNear(Apply(about, {1, 0, 0}), 0, 1, 0);
}

TEST(MathMatrices, MultiplyAppliesFirstOperandFirst)
{
	OGLMatrix4x4 translate, scale, m;
	OGLMatrix4x4_SetTranslate(&translate, 10, 0, 0);
	OGLMatrix4x4_SetScale(&scale, 2, 3, 4);

	// Translate, then scale.
	OGLMatrix4x4_Multiply(&translate, &scale, &m);
	ExpectPointNear(Apply(m, {1, 1, 1}), 22, 3, 4);
	// Scale, then translate (the object-node order: scale × rotation × translation).
	OGLMatrix4x4_Multiply(&scale, &translate, &m);
	ExpectPointNear(Apply(m, {1, 1, 1}), 12, 3, 4);
	EXPECT_FLOAT_EQ(m.value[12], 10.0f);	// translation in 12..14

	OGLMatrix4x4 id = Identity();
	OGLMatrix4x4_Multiply(&id, &scale, &m);
	ExpectMatrixNear(m, scale, 0);
}

TEST(MathMatrices, MultiplyOutputMayAliasEitherInput)
{
	OGLMatrix4x4 a, b, expected;
	OGLMatrix4x4_SetRotate_XYZ(&a, 0.3f, -1.1f, 2.0f);
	a.value[12] = 5; a.value[13] = -7; a.value[14] = 1;
	OGLMatrix4x4_SetRotate_XYZ(&b, 1.0f, 0.2f, -0.4f);
	b.value[12] = -3; b.value[14] = 9;
	OGLMatrix4x4_Multiply(&a, &b, &expected);

	OGLMatrix4x4 a2 = a;
	OGLMatrix4x4_Multiply(&a2, &b, &a2);
	ExpectMatrixNear(a2, expected, 0);

	OGLMatrix4x4 b2 = b;
	OGLMatrix4x4_Multiply(&a, &b2, &b2);
	ExpectMatrixNear(b2, expected, 0);
}

TEST(MathMatrices, InverseUndoesTheMatrix)
{
	std::mt19937 rng(99);
	std::uniform_real_distribution<float> d(-3, 3);
	for (int k = 0; k < 20; k++)
	{
		OGLMatrix4x4 r, s, t, m, tmp, inv, product;
		OGLMatrix4x4_SetRotate_XYZ(&r, d(rng), d(rng), d(rng));
		OGLMatrix4x4_SetScale(&s, 0.5f + std::fabs(d(rng)), 0.5f + std::fabs(d(rng)), 0.5f + std::fabs(d(rng)));
		OGLMatrix4x4_SetTranslate(&t, d(rng) * 100, d(rng) * 100, d(rng) * 100);
		OGLMatrix4x4_Multiply(&s, &r, &tmp);
		OGLMatrix4x4_Multiply(&tmp, &t, &m);

		ASSERT_TRUE(OGLMatrix4x4_Invert(&m, &inv));
		OGLMatrix4x4_Multiply(&m, &inv, &product);
		ExpectMatrixNear(product, Identity(), 1e-4f);
	}

	// A projection is invertible too.
	OGLMatrix4x4 p, inv, product;
	OGLMatrix4x4_SetPerspective(&p, 1.0f, 1.5f, 10, 5000);
	ASSERT_TRUE(OGLMatrix4x4_Invert(&p, &inv));
	OGLMatrix4x4_Multiply(&inv, &p, &product);
	ExpectMatrixNear(product, Identity(), 1e-4f);

	// In place.
	OGLMatrix4x4 q = p;
	ASSERT_TRUE(OGLMatrix4x4_Invert(&q, &q));
	ExpectMatrixNear(q, inv, 0);
}

TEST(MathMatrices, SingularMatrixHasNoInverse)
{
	OGLMatrix4x4 flat, out;
	OGLMatrix4x4_SetScale(&flat, 1, 0, 1);
	out.value[3] = 42;
	EXPECT_FALSE(OGLMatrix4x4_Invert(&flat, &out));
	ExpectMatrixNear(out, Identity(), 0);
}

TEST(MathMatrices, PointsTakeTranslationAndVectorsDoNot)
{
	OGLMatrix4x4 r, t, m;
	OGLMatrix4x4_SetRotate_Y(&r, PI_HALF);
	OGLMatrix4x4_SetTranslate(&t, 100, 200, 300);
	OGLMatrix4x4_Multiply(&r, &t, &m);

	ExpectPointNear(Apply(m, {0, 0, 1}), 101, 200, 300);

	OGLVector3D v = {0, 0, 1}, out;
	OGLVector3D_Transform(&v, &m, &out);
	ExpectPointNear({out.x, out.y, out.z}, 1, 0, 0);

	// Arrays, including in place.
	OGLPoint3D pts[3] = {{0, 0, 0}, {0, 0, 1}, {1, 0, 0}};
	OGLPoint3D_TransformArray(pts, &m, pts, 3);
	ExpectPointNear(pts[0], 100, 200, 300);
	ExpectPointNear(pts[1], 101, 200, 300);
	ExpectPointNear(pts[2], 100, 200, 299);

	OGLVector3D vecs[2] = {{0, 0, 1}, {0, 1, 0}};
	OGLVector3D_TransformArray(vecs, &m, vecs, 2);
	ExpectPointNear({vecs[0].x, vecs[0].y, vecs[0].z}, 1, 0, 0);
	ExpectPointNear({vecs[1].x, vecs[1].y, vecs[1].z}, 0, 1, 0);
}

TEST(MathMatrices, PerspectiveAndFrustumAgreeForASymmetricView)
{
	const float fov = 1.1f, aspect = 16.0f / 9.0f, hither = 10, yon = 2000;
	OGLMatrix4x4 p;
	OGLMatrix4x4_SetPerspective(&p, fov, aspect, hither, yon);

	float top = std::tan(fov / 2) * hither;
	OGLMatrix4x4 fr;
	OGLMatrix4x4_SetFrustum(&fr, -top * aspect, top * aspect, -top, top, hither, yon);
	ExpectMatrixNear(fr, p, 1e-4f);

	// The near plane maps to z = −w and the far plane to z = w.
	OGLPoint3D nearPoint = {0, 0, -hither}, farPoint = {0, 0, -yon};
	OGLPoint4D c;
	OGLPoint3D_To4DTransform(&nearPoint, &p, &c);
	EXPECT_NEAR(c.z / c.w, -1.0f, 1e-4f);
	EXPECT_FLOAT_EQ(c.w, hither);
	OGLPoint3D_To4DTransform(&farPoint, &p, &c);
	EXPECT_NEAR(c.z / c.w, 1.0f, 1e-4f);
}

TEST(MathMatrices, LookAtMovesTheEyeToTheOriginLookingDownMinusZ)
{
	OGLPoint3D from = {100, 50, 300}, to = {100, 50, 0};
	OGLVector3D up = {0, 1, 0};
	OGLMatrix4x4 m;
	OGLMatrix4x4_SetLookAt(&m, &from, &to, &up);

	ExpectPointNear(Apply(m, from), 0, 0, 0);
	ExpectPointNear(Apply(m, to), 0, 0, -300);
	ExpectPointNear(Apply(m, {110, 50, 0}), 10, 0, -300);	// to the right stays right
	ExpectPointNear(Apply(m, {100, 70, 300}), 0, 20, 0);		// up stays up
	ExpectRotation(m);

	// Looking along +x from the origin: world −z is on the left (view −x).
	from = {0, 0, 0};
	to = {10, 0, 0};
	OGLMatrix4x4_SetLookAt(&m, &from, &to, &up);
	ExpectPointNear(Apply(m, {0, 0, -5}), -5, 0, 0);
	ExpectPointNear(Apply(m, {7, 0, 0}), 0, 0, -7);
}

TEST(MathMatrices, LookAtStraightAlongTheUpVectorStaysARotation)
{
	OGLPoint3D from = {0, 500, 0}, to = {0, 0, 0};
	OGLVector3D up = {0, 1, 0};
	OGLMatrix4x4 m;
	OGLMatrix4x4_SetLookAt(&m, &from, &to, &up);
	for (float v : m.value)
		ASSERT_TRUE(std::isfinite(v));
	ExpectRotation(m);
	ExpectPointNear(Apply(m, to), 0, 0, -500);
}

TEST(MathMatrices, AlignLookAtStandsOnTheNormalAndFacesTheTarget)
{
	OGLVector3D up = {0, 1, 0};
	OGLPoint3D from = {10, 20, 30};

	// Facing −z with a level ground: no rotation at all.
	OGLPoint3D ahead = {10, 20, 0};
	OGLMatrix4x4 m;
	OGLMatrix4x4_SetAlignLookAt(&m, &from, &ahead, &up);
	OGLMatrix4x4 expected;
	OGLMatrix4x4_SetTranslate(&expected, 10, 20, 30);
	ExpectMatrixNear(m, expected);

	// Facing −x is heading π/2.
	OGLPoint3D left = {-90, 20, 30};
	OGLMatrix4x4_SetAlignLookAt(&m, &from, &left, &up);
	OGLMatrix4x4 r;
	OGLMatrix4x4_SetRotate_Y(&r, PI_HALF);
	OGLMatrix4x4_Multiply(&r, &expected, &expected);
	ExpectMatrixNear(m, expected);

	// On a slope the local y axis is the normal and the front points uphill toward the target.
	OGLVector3D slope = {0.3f, 1.0f, 0.2f};
	OGLVector3D_Normalize(&slope, &slope);
	OGLPoint3D uphill = {10, 26, 0};
	OGLMatrix4x4_SetAlignLookAt(&m, &from, &uphill, &slope);
	ExpectRotation(m);
	EXPECT_NEAR(m.value[4], slope.x, 1e-5f);
	EXPECT_NEAR(m.value[5], slope.y, 1e-5f);
	EXPECT_NEAR(m.value[6], slope.z, 1e-5f);
	OGLVector3D front = {-m.value[8], -m.value[9], -m.value[10]};
	OGLVector3D toTarget = uphill - from;
	EXPECT_GT(OGLVector3D_Dot(&front, &toTarget), 0.9f * OGLVector3D_Length(&toTarget));
}

//
// Frustum
//

namespace
{
	// Camera at the origin looking down −z, 90° field of view, square, 10 .. 1000.
	struct FrustumTest : ::testing::Test
	{
		OGLMatrix4x4 saved;
		void SetUp() override
		{
			saved = gWorldToFrustumMatrix;
			OGLPoint3D from = {0, 0, 0}, to = {0, 0, -1};
			OGLVector3D up = {0, 1, 0};
			OGLMatrix4x4 view, projection;
			OGLMatrix4x4_SetLookAt(&view, &from, &to, &up);
			OGLMatrix4x4_SetPerspective(&projection, PI_HALF, 1.0f, 10, 1000);
			OGLMatrix4x4_Multiply(&view, &projection, &gWorldToFrustumMatrix);
		}
		void TearDown() override { gWorldToFrustumMatrix = saved; }

		static OGLBoundingBox Box(float x0, float y0, float z0, float x1, float y1, float z1)
		{
			return {{x0, y0, z0}, {x1, y1, z1}, false};
		}
	};
}

TEST_F(FrustumTest, BoxesInsideOrStraddlingAreVisible)
{
	OGLBoundingBox inside = Box(-10, -10, -110, 10, 10, -90);
	EXPECT_TRUE(IsBBoxInFrustum(&inside));

	// At depth 100 the left plane is x = −100: this box crosses it.
	OGLBoundingBox straddleLeft = Box(-150, -10, -110, -50, 10, -90);
	EXPECT_TRUE(IsBBoxInFrustum(&straddleLeft));

	// Straddles the far plane.
	OGLBoundingBox straddleFar = Box(-10, -10, -1100, 10, 10, -900);
	EXPECT_TRUE(IsBBoxInFrustum(&straddleFar));

	// Huge box around the camera: every corner is outside some plane, but not the same one.
	OGLBoundingBox around = Box(-5000, -5000, -5000, 5000, 5000, 5000);
	EXPECT_TRUE(IsBBoxInFrustum(&around));
}

TEST_F(FrustumTest, BoxesBeyondOnePlaneAreCulled)
{
	OGLBoundingBox left = Box(-300, -10, -110, -200, 10, -90);
	OGLBoundingBox right = Box(200, -10, -110, 300, 10, -90);
	OGLBoundingBox above = Box(-10, 200, -110, 10, 300, -90);
	OGLBoundingBox below = Box(-10, -300, -110, 10, -200, -90);
	OGLBoundingBox behind = Box(-10, -10, 50, 10, 10, 100);
	OGLBoundingBox beyondFar = Box(-10, -10, -3000, 10, 10, -1200);
	EXPECT_FALSE(IsBBoxInFrustum(&left));
	EXPECT_FALSE(IsBBoxInFrustum(&right));
	EXPECT_FALSE(IsBBoxInFrustum(&above));
	EXPECT_FALSE(IsBBoxInFrustum(&below));
	EXPECT_FALSE(IsBBoxInFrustum(&behind));
	EXPECT_FALSE(IsBBoxInFrustum(&beyondFar));
}

TEST_F(FrustumTest, NearSideIsTestedAgainstClipZeroNotMinusW)
{
	// Clip z is 0 at eye depth 2·near·far / (near + far) ≈ 19.8: a box just past
	// the near plane but closer than that counts as outside.
	OGLBoundingBox veryNear = Box(-1, -1, -15, 1, 1, -12);
	EXPECT_FALSE(IsBBoxInFrustum(&veryNear));
	OGLBoundingBox reachingPast = Box(-1, -1, -25, 1, 1, -12);
	EXPECT_TRUE(IsBBoxInFrustum(&reachingPast));
}

TEST_F(FrustumTest, LocalMatrixPlacesTheBoxFirst)
{
	OGLBoundingBox model = Box(-10, -10, -10, 10, 10, 10);		// around the camera: near-culled
	OGLMatrix4x4 local;
	OGLMatrix4x4_SetTranslate(&local, 0, 0, -500);
	EXPECT_TRUE(IsBBoxInFrustum(&model, &local));
	OGLMatrix4x4_SetTranslate(&local, -2000, 0, -500);
	EXPECT_FALSE(IsBBoxInFrustum(&model, &local));

	// The explicit-matrix form agrees.
	OGLMatrix4x4 m;
	OGLMatrix4x4_Multiply(&local, &gWorldToFrustumMatrix, &m);
	EXPECT_FALSE(IsBBoxInFrustumOfMatrix(&model, &m));
}

TEST_F(FrustumTest, EmptyBoxCountsAsVisible)
{
	OGLBoundingBox empty = {{1e8f, 1e8f, 1e8f}, {-1e8f, -1e8f, -1e8f}, true};
	EXPECT_TRUE(IsBBoxInFrustum(&empty));
}

//
// Point in triangle and segments
//

TEST(MathTriangles, PointInTriangle2DEitherWinding)
{
	EXPECT_TRUE(IsPointInTriangle(2, 2, 0, 0, 10, 0, 0, 10));
	EXPECT_TRUE(IsPointInTriangle(2, 2, 0, 0, 0, 10, 10, 0));		// clockwise
	EXPECT_FALSE(IsPointInTriangle(6, 6, 0, 0, 10, 0, 0, 10));		// inside the box, outside the triangle
	EXPECT_FALSE(IsPointInTriangle(-1, 2, 0, 0, 10, 0, 0, 10));
	EXPECT_FALSE(IsPointInTriangle(2, 11, 0, 0, 10, 0, 0, 10));
	// An obtuse triangle where edges cross diagonally between quadrants.
	EXPECT_TRUE(IsPointInTriangle(0, 1, -10, 0, 10, 0, 0, 3));
	EXPECT_FALSE(IsPointInTriangle(0, -1, -10, 0, 10, 0, 0, 3));
	EXPECT_FALSE(IsPointInTriangle(-9, 2, -10, 0, 10, 0, 0, 3));
}

TEST(MathTriangles, PointOnBoundingBoxEdgeIsNotRejectedByTheBoxTest)
{
	// (10, 5) lies on the box's right edge and on the triangle's right side.
	EXPECT_TRUE(IsPointInTriangle(10, 5, 0, 0, 10, 0, 10, 10));
	EXPECT_FALSE(IsPointInTriangle(10.001f, 5, 0, 0, 10, 0, 10, 10));
}

TEST(MathTriangles, PointInTriangle3DDropsTheDominantAxis)
{
	// Floor triangle (normal y): tested in z, x.
	OGLPoint3D floor[3] = {{0, 5, 0}, {0, 5, 10}, {10, 5, 0}};
	OGLVector3D upN = {0, 1, 0};
	OGLPoint3D in = {2, 5, 2}, out = {8, 5, 8};
	EXPECT_TRUE(IsPointInTriangle3D(&in, floor, &upN));
	EXPECT_FALSE(IsPointInTriangle3D(&out, floor, &upN));

	// Wall facing x: tested in y, z.
	OGLPoint3D wall[3] = {{3, 0, 0}, {3, 10, 0}, {3, 0, 10}};
	OGLVector3D xN = {-1, 0, 0};
	OGLPoint3D wallIn = {3, 2, 2}, wallOut = {3, 9, 9};
	EXPECT_TRUE(IsPointInTriangle3D(&wallIn, wall, &xN));
	EXPECT_FALSE(IsPointInTriangle3D(&wallOut, wall, &xN));

	// Wall facing z: tested in x, y.
	OGLPoint3D front[3] = {{0, 0, 7}, {10, 0, 7}, {0, 10, 7}};
	OGLVector3D zN = {0, 0, 1};
	OGLPoint3D frontIn = {1, 1, 7}, frontOut = {-1, 1, 7};
	EXPECT_TRUE(IsPointInTriangle3D(&frontIn, front, &zN));
	EXPECT_FALSE(IsPointInTriangle3D(&frontOut, front, &zN));

	// A steep slope still projects well: normal mostly x.
	OGLPoint3D slope[3] = {{0, 0, 0}, {1, 10, 0}, {0, 0, 10}};
	OGLVector3D e1 = slope[1] - slope[0], e2 = slope[2] - slope[0], n;
	OGLVector3D_Cross(&e1, &e2, &n);
	OGLPoint3D slopeIn = {0.2f, 2, 2};
	EXPECT_TRUE(IsPointInTriangle3D(&slopeIn, slope, &n));
}

TEST(MathSegments, CrossingSegmentsReportTheirMeetingPoint)
{
	float ix = 0, iy = 0;
	EXPECT_TRUE(IntersectLineSegments(0, 0, 10, 10, 0, 10, 10, 0, &ix, &iy));
	EXPECT_FLOAT_EQ(ix, 5.0f);
	EXPECT_FLOAT_EQ(iy, 5.0f);

	// Touching at an end counts.
	EXPECT_TRUE(IntersectLineSegments(0, 0, 10, 0, 10, -5, 10, 5, &ix, &iy));
	EXPECT_FLOAT_EQ(ix, 10.0f);
	EXPECT_FLOAT_EQ(iy, 0.0f);

	// Would cross if extended, but the segments stop short.
	EXPECT_FALSE(IntersectLineSegments(0, 0, 4, 4, 0, 10, 10, 0, &ix, &iy));
	// Parallel and collinear never cross.
	EXPECT_FALSE(IntersectLineSegments(0, 0, 10, 0, 0, 1, 10, 1, nullptr, nullptr));
	EXPECT_FALSE(IntersectLineSegments(0, 0, 10, 0, 5, 0, 15, 0, nullptr, nullptr));
	// A zero-length segment is not a crossing either.
	EXPECT_FALSE(IntersectLineSegments(5, 5, 5, 5, 0, 10, 10, 0, nullptr, nullptr));
}

TEST(MathSegments, SegmentAgainstRectangleFindsNearestEdge)
{
	float ix = 0, iy = 0;
	// Passes through from the left: enters at x = 0.
	EXPECT_TRUE(IntersectSegmentWithRect(-10, 5, 20, 5, 0, 10, 0, 10, &ix, &iy));
	EXPECT_FLOAT_EQ(ix, 0.0f);
	EXPECT_FLOAT_EQ(iy, 5.0f);
	// The same segment backwards enters at x = 10.
	EXPECT_TRUE(IntersectSegmentWithRect(20, 5, -10, 5, 0, 10, 0, 10, &ix, &iy));
	EXPECT_FLOAT_EQ(ix, 10.0f);
	// Leaving from the inside: the exit point.
	EXPECT_TRUE(IntersectSegmentWithRect(5, 5, 5, 30, 0, 10, 0, 10, &ix, &iy));
	EXPECT_FLOAT_EQ(ix, 5.0f);
	EXPECT_FLOAT_EQ(iy, 10.0f);
	// Misses, and lies wholly inside (no edge crossed).
	EXPECT_FALSE(IntersectSegmentWithRect(-10, 20, 20, 20, 0, 10, 0, 10, &ix, &iy));
	EXPECT_FALSE(IntersectSegmentWithRect(2, 2, 8, 8, 0, 10, 0, 10, &ix, &iy));
}
