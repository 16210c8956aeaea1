// Scalars, angles and vector arithmetic.
#include "System/Math.h"

#include <algorithm>
#include <cmath>

static bool IsNearZero(float f)
{
	return std::fabs(f) < VECTOR_ZERO_TOLERANCE;
}

float OGLMath_RadiansToDegrees(float radians)
{
	return radians * (180.0f / PI);
}

float OGLMath_DegreesToRadians(float degrees)
{
	return degrees * (PI / 180.0f);
}

float CalcQuickDistance(float x1, float y1, float x2, float y2)
{
	float dx = std::fabs(x2 - x1);
	float dy = std::fabs(y2 - y1);
	return dx > dy ? dx + 0.375f * dy : dy + 0.375f * dx;
}

float CalcDistance(float x1, float y1, float x2, float y2)
{
	float dx = x2 - x1;
	float dy = y2 - y1;
	return std::sqrt(dx * dx + dy * dy);
}

float CalcDistance3D(float x1, float y1, float z1, float x2, float y2, float z2)
{
	float dx = x2 - x1;
	float dy = y2 - y1;
	float dz = z2 - z1;
	return std::sqrt(dx * dx + dy * dy + dz * dz);
}

float CalcYAngleFromPointToPoint(float oldRot, float fromX, float fromZ, float toX, float toZ)
{
	OGLVector2D d = {toX - fromX, toZ - fromZ};
	if (IsNearZero(d.x) && IsNearZero(d.y))
		return oldRot;

	OGLVector2D_Normalize(&d, &d);
	if (d.x == 0.0f && d.y == 0.0f)
		return oldRot;

	// Heading θ faces (−sin θ, −cos θ): the angle from −z toward −x.
	float a = std::acos(std::clamp(-d.y, -1.0f, 1.0f));
	return (-d.x < 0.0f) ? PI2 - a : a;
}

float WrapAngle(float radians)
{
	// fmod leaves the sign of the input; one more turn either way lands in
	// range, and that subtraction is exact (the operands are within a factor
	// of two of each other).
	float a = std::fmod(radians, PI2);
	if (a > PI)
		a -= PI2;
	else if (a < -PI)
		a += PI2;
	return a;
}

float AngleDifference(float to, float from)
{
	return WrapAngle(to - from);
}

float TurnAngleToward(float from, float to, float step)
{
	return from + std::clamp(AngleDifference(to, from), -step, step);
}

float OGLVector3D_AngleBetween(const OGLVector3D* a, const OGLVector3D* b)
{
	OGLVector3D ua, ub;
	OGLVector3D_Normalize(a, &ua);
	OGLVector3D_Normalize(b, &ub);
	if ((ua.x == 0.0f && ua.y == 0.0f && ua.z == 0.0f) || (ub.x == 0.0f && ub.y == 0.0f && ub.z == 0.0f))
		return 0.0f;
	return std::acos(std::clamp(OGLVector3D_Dot(&ua, &ub), -1.0f, 1.0f));
}

//
// 2D
//

float OGLVector2D_Length(const OGLVector2D* v)
{
	return std::sqrt(v->x * v->x + v->y * v->y);
}

float OGLVector2D_Dot(const OGLVector2D* a, const OGLVector2D* b)
{
	return a->x * b->x + a->y * b->y;
}

float OGLVector2D_Cross(const OGLVector2D* a, const OGLVector2D* b)
{
	return a->x * b->y - a->y * b->x;
}

void OGLVector2D_Normalize(const OGLVector2D* in, OGLVector2D* out)
{
	if (IsNearZero(in->x) && IsNearZero(in->y))
	{
		*out = {0, 0};
		return;
	}

	float length = OGLVector2D_Length(in);
	if (length <= VECTOR_ZERO_TOLERANCE)
	{
		*out = {0, 0};
		return;
	}

	float inv = 1.0f / length;
	*out = {in->x * inv, in->y * inv};
}

void OGLVector2D_Reflect(const OGLVector2D* v, const OGLVector2D* n, OGLVector2D* out)
{
	float d = 2.0f * OGLVector2D_Dot(v, n);
	*out = {v->x - d * n->x, v->y - d * n->y};
}

float OGLPoint2D_Distance(const OGLPoint2D* a, const OGLPoint2D* b)
{
	return CalcDistance(a->x, a->y, b->x, b->y);
}

//
// 3D
//

float OGLVector3D_Length(const OGLVector3D* v)
{
	return std::sqrt(v->x * v->x + v->y * v->y + v->z * v->z);
}

float OGLVector3D_Dot(const OGLVector3D* a, const OGLVector3D* b)
{
	return a->x * b->x + a->y * b->y + a->z * b->z;
}

void OGLVector3D_Cross(const OGLVector3D* a, const OGLVector3D* b, OGLVector3D* out)
{
	OGLVector3D c = {
		a->y * b->z - a->z * b->y,
		a->z * b->x - a->x * b->z,
		a->x * b->y - a->y * b->x,
	};
	*out = c;		// out may be a or b
}

void OGLVector3D_Normalize(const OGLVector3D* in, OGLVector3D* out)
{
	if (IsNearZero(in->x) && IsNearZero(in->y) && IsNearZero(in->z))
	{
		*out = {0, 0, 0};
		return;
	}

	float inv = 1.0f / OGLVector3D_Length(in);
	*out = {in->x * inv, in->y * inv, in->z * inv};
}

void OGLVector3D_Add(const OGLVector3D* a, const OGLVector3D* b, OGLVector3D* out)
{
	*out = {a->x + b->x, a->y + b->y, a->z + b->z};
}

void OGLVector3D_Subtract(const OGLVector3D* a, const OGLVector3D* b, OGLVector3D* out)
{
	*out = {a->x - b->x, a->y - b->y, a->z - b->z};
}

void OGLVector3D_Scale(const OGLVector3D* v, float s, OGLVector3D* out)
{
	*out = {v->x * s, v->y * s, v->z * s};
}

void OGLVector3D_Reflect(const OGLVector3D* v, const OGLVector3D* n, OGLVector3D* out)
{
	float d = 2.0f * OGLVector3D_Dot(v, n);
	*out = {v->x - d * n->x, v->y - d * n->y, v->z - d * n->z};
}

void OGLPoint3D_Subtract(const OGLPoint3D* a, const OGLPoint3D* b, OGLVector3D* out)
{
	*out = {a->x - b->x, a->y - b->y, a->z - b->z};
}

void OGLPoint3D_Vector3D_Add(const OGLPoint3D* p, const OGLVector3D* v, OGLPoint3D* out)
{
	*out = {p->x + v->x, p->y + v->y, p->z + v->z};
}

float OGLPoint3D_Distance(const OGLPoint3D* a, const OGLPoint3D* b)
{
	return CalcDistance3D(a->x, a->y, a->z, b->x, b->y, b->z);
}

bool OGLPoint3D_AreClose(const OGLPoint3D* a, const OGLPoint3D* b)
{
	return std::fabs(a->x - b->x) < POINT_EQUALITY_TOLERANCE
		&& std::fabs(a->y - b->y) < POINT_EQUALITY_TOLERANCE
		&& std::fabs(a->z - b->z) < POINT_EQUALITY_TOLERANCE;
}

bool OGLVector3D_AreClose(const OGLVector3D* a, const OGLVector3D* b)
{
	return std::fabs(a->x - b->x) < NORMAL_EQUALITY_TOLERANCE
		&& std::fabs(a->y - b->y) < NORMAL_EQUALITY_TOLERANCE
		&& std::fabs(a->z - b->z) < NORMAL_EQUALITY_TOLERANCE;
}
