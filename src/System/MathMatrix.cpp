// 4×4 matrices in OpenGL column order: builders, products and transforms.
#include "System/Math.h"

#include <cmath>
#include <cstring>

// Element at row r, column c.
#define M(m, r, c) ((m)->value[(c) * 4 + (r)])

void OGLMatrix4x4_SetIdentity(OGLMatrix4x4* m)
{
	std::memset(m->value, 0, sizeof(m->value));
	m->value[0] = m->value[5] = m->value[10] = m->value[15] = 1.0f;
}

void OGLMatrix4x4_Multiply(const OGLMatrix4x4* a, const OGLMatrix4x4* b, OGLMatrix4x4* out)
{
	// b·a, built in a temporary so that out may be a or b.
	OGLMatrix4x4 result;
	for (int c = 0; c < 4; c++)
	{
		for (int r = 0; r < 4; r++)
		{
			M(&result, r, c) = M(b, r, 0) * M(a, 0, c)
							 + M(b, r, 1) * M(a, 1, c)
							 + M(b, r, 2) * M(a, 2, c)
							 + M(b, r, 3) * M(a, 3, c);
		}
	}
	*out = result;
}

void OGLMatrix4x4_Transpose(const OGLMatrix4x4* in, OGLMatrix4x4* out)
{
	OGLMatrix4x4 result;
	for (int c = 0; c < 4; c++)
		for (int r = 0; r < 4; r++)
			M(&result, r, c) = M(in, c, r);
	*out = result;
}

bool OGLMatrix4x4_Invert(const OGLMatrix4x4* in, OGLMatrix4x4* out)
{
	// Cofactor expansion over 2×2 sub-determinants of the lower and upper halves.
	const float* m = in->value;
	float s0 = m[0] * m[5] - m[4] * m[1];
	float s1 = m[0] * m[6] - m[4] * m[2];
	float s2 = m[0] * m[7] - m[4] * m[3];
	float s3 = m[1] * m[6] - m[5] * m[2];
	float s4 = m[1] * m[7] - m[5] * m[3];
	float s5 = m[2] * m[7] - m[6] * m[3];
	float c5 = m[10] * m[15] - m[14] * m[11];
	float c4 = m[9] * m[15] - m[13] * m[11];
	float c3 = m[9] * m[14] - m[13] * m[10];
	float c2 = m[8] * m[15] - m[12] * m[11];
	float c1 = m[8] * m[14] - m[12] * m[10];
	float c0 = m[8] * m[13] - m[12] * m[9];

	float det = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
	if (det == 0.0f || !std::isfinite(det))
	{
		OGLMatrix4x4_SetIdentity(out);
		return false;
	}
	float inv = 1.0f / det;

	OGLMatrix4x4 r;
	float* o = r.value;
	o[0] = (m[5] * c5 - m[6] * c4 + m[7] * c3) * inv;
	o[1] = (-m[1] * c5 + m[2] * c4 - m[3] * c3) * inv;
	o[2] = (m[13] * s5 - m[14] * s4 + m[15] * s3) * inv;
	o[3] = (-m[9] * s5 + m[10] * s4 - m[11] * s3) * inv;
	o[4] = (-m[4] * c5 + m[6] * c2 - m[7] * c1) * inv;
	o[5] = (m[0] * c5 - m[2] * c2 + m[3] * c1) * inv;
	o[6] = (-m[12] * s5 + m[14] * s2 - m[15] * s1) * inv;
	o[7] = (m[8] * s5 - m[10] * s2 + m[11] * s1) * inv;
	o[8] = (m[4] * c4 - m[5] * c2 + m[7] * c0) * inv;
	o[9] = (-m[0] * c4 + m[1] * c2 - m[3] * c0) * inv;
	o[10] = (m[12] * s4 - m[13] * s2 + m[15] * s0) * inv;
	o[11] = (-m[8] * s4 + m[9] * s2 - m[11] * s0) * inv;
	o[12] = (-m[4] * c3 + m[5] * c1 - m[6] * c0) * inv;
	o[13] = (m[0] * c3 - m[1] * c1 + m[2] * c0) * inv;
	o[14] = (-m[12] * s3 + m[13] * s1 - m[14] * s0) * inv;
	o[15] = (m[8] * s3 - m[9] * s1 + m[10] * s0) * inv;
	*out = r;
	return true;
}

void OGLMatrix4x4_SetTranslate(OGLMatrix4x4* m, float x, float y, float z)
{
	OGLMatrix4x4_SetIdentity(m);
	m->value[12] = x;
	m->value[13] = y;
	m->value[14] = z;
}

void OGLMatrix4x4_SetScale(OGLMatrix4x4* m, float x, float y, float z)
{
	OGLMatrix4x4_SetIdentity(m);
	m->value[0] = x;
	m->value[5] = y;
	m->value[10] = z;
}

void OGLMatrix4x4_SetRotate_X(OGLMatrix4x4* m, float angle)
{
	float s = std::sin(angle), c = std::cos(angle);
	OGLMatrix4x4_SetIdentity(m);
	m->value[5] = c;
	m->value[6] = s;
	m->value[9] = -s;
	m->value[10] = c;
}

void OGLMatrix4x4_SetRotate_Y(OGLMatrix4x4* m, float angle)
{
	float s = std::sin(angle), c = std::cos(angle);
	OGLMatrix4x4_SetIdentity(m);
	m->value[0] = c;
	m->value[2] = -s;
	m->value[8] = s;
	m->value[10] = c;
}

void OGLMatrix4x4_SetRotate_Z(OGLMatrix4x4* m, float angle)
{
	float s = std::sin(angle), c = std::cos(angle);
	OGLMatrix4x4_SetIdentity(m);
	m->value[0] = c;
	m->value[1] = s;
	m->value[4] = -s;
	m->value[5] = c;
}

void OGLMatrix4x4_SetRotate_XYZ(OGLMatrix4x4* m, float rx, float ry, float rz)
{
	float sx = std::sin(rx), cx = std::cos(rx);
	float sy = std::sin(ry), cy = std::cos(ry);
	float sz = std::sin(rz), cz = std::cos(rz);

	float* v = m->value;
	v[0] = cz * cy;
	v[1] = sz * cy;
	v[2] = -sy;
	v[3] = 0;
	v[4] = -sz * cx + sy * sx * cz;
	v[5] = cz * cx + sy * sx * sz;
	v[6] = cy * sx;
	v[7] = 0;
	v[8] = sx * sz + cx * sy * cz;
	v[9] = -sx * cz + cx * sy * sz;
	v[10] = cy * cx;
	v[11] = 0;
	v[12] = v[13] = v[14] = 0;
	v[15] = 1;
}

void OGLMatrix4x4_SetRotateAboutAxis(OGLMatrix4x4* m, const OGLVector3D* axis, float angle)
{
	float s = std::sin(angle), c = std::cos(angle), t = 1.0f - c;
	float x = axis->x, y = axis->y, z = axis->z;

	OGLMatrix4x4_SetIdentity(m);
	M(m, 0, 0) = c + x * x * t;
	M(m, 1, 0) = x * y * t + z * s;
	M(m, 2, 0) = x * z * t - y * s;
	M(m, 0, 1) = x * y * t - z * s;
	M(m, 1, 1) = c + y * y * t;
	M(m, 2, 1) = y * z * t + x * s;
	M(m, 0, 2) = x * z * t + y * s;
	M(m, 1, 2) = y * z * t - x * s;
	M(m, 2, 2) = c + z * z * t;
}

static bool IsZero(const OGLVector3D& v)
{
	return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f;
}

// Unit vector perpendicular to both a and b (a × b). When they are parallel
// (or one is zero) any unit vector perpendicular to a serves, so a view or
// an object never collapses to a flat matrix.
static OGLVector3D PerpendicularAxis(const OGLVector3D& a, const OGLVector3D& b)
{
	OGLVector3D c;
	OGLVector3D_Cross(&a, &b, &c);
	OGLVector3D_Normalize(&c, &c);
	if (!IsZero(c))
		return c;

	// Cross a with the world axis it is least aligned with.
	float ax = std::fabs(a.x), ay = std::fabs(a.y), az = std::fabs(a.z);
	OGLVector3D other = (ax <= ay && ax <= az) ? OGLVector3D{1, 0, 0}
					  : (ay <= az) ? OGLVector3D{0, 1, 0} : OGLVector3D{0, 0, 1};
	OGLVector3D_Cross(&a, &other, &c);
	OGLVector3D_Normalize(&c, &c);
	return c;
}

void OGLMatrix4x4_SetLookAt(OGLMatrix4x4* m, const OGLPoint3D* from, const OGLPoint3D* to, const OGLVector3D* up)
{
	OGLVector3D forward = *to - *from;
	OGLVector3D_Normalize(&forward, &forward);
	if (IsZero(forward))
		forward = {0, 0, -1};		// eye on the target: keep looking the default way

	OGLVector3D side = PerpendicularAxis(forward, *up);
	OGLVector3D trueUp;
	OGLVector3D_Cross(&side, &forward, &trueUp);

	const OGLVector3D eye = {from->x, from->y, from->z};

	// Rows: side, up, −forward; translation moves the eye to the origin.
	OGLMatrix4x4_SetIdentity(m);
	M(m, 0, 0) = side.x;		M(m, 0, 1) = side.y;		M(m, 0, 2) = side.z;
	M(m, 1, 0) = trueUp.x;		M(m, 1, 1) = trueUp.y;		M(m, 1, 2) = trueUp.z;
	M(m, 2, 0) = -forward.x;	M(m, 2, 1) = -forward.y;	M(m, 2, 2) = -forward.z;
	M(m, 0, 3) = -OGLVector3D_Dot(&side, &eye);
	M(m, 1, 3) = -OGLVector3D_Dot(&trueUp, &eye);
	M(m, 2, 3) = OGLVector3D_Dot(&forward, &eye);
}

void OGLMatrix4x4_SetAlignLookAt(OGLMatrix4x4* m, const OGLPoint3D* from, const OGLPoint3D* to, const OGLVector3D* up)
{
	OGLVector3D yAxis;
	OGLVector3D_Normalize(up, &yAxis);
	if (IsZero(yAxis))
		yAxis = {0, 1, 0};

	OGLVector3D forward = *to - *from;
	OGLVector3D_Normalize(&forward, &forward);
	if (IsZero(forward))
		forward = {0, 0, -1};

	// The object's front is its local −z, so x = forward × up and z = x × up.
	OGLVector3D xAxis = PerpendicularAxis(forward, yAxis);
	OGLVector3D zAxis;
	OGLVector3D_Cross(&xAxis, &yAxis, &zAxis);

	OGLMatrix4x4_SetIdentity(m);
	M(m, 0, 0) = xAxis.x;	M(m, 1, 0) = xAxis.y;	M(m, 2, 0) = xAxis.z;
	M(m, 0, 1) = yAxis.x;	M(m, 1, 1) = yAxis.y;	M(m, 2, 1) = yAxis.z;
	M(m, 0, 2) = zAxis.x;	M(m, 1, 2) = zAxis.y;	M(m, 2, 2) = zAxis.z;
	M(m, 0, 3) = from->x;	M(m, 1, 3) = from->y;	M(m, 2, 3) = from->z;
}

void OGLMatrix4x4_SetPerspective(OGLMatrix4x4* m, float fov, float aspect, float hither, float yon)
{
	float f = 1.0f / std::tan(fov * 0.5f);
	std::memset(m->value, 0, sizeof(m->value));
	m->value[0] = f / aspect;
	m->value[5] = f;
	m->value[10] = (hither + yon) / (hither - yon);
	m->value[11] = -1.0f;
	m->value[14] = 2.0f * yon * hither / (hither - yon);
}

void OGLMatrix4x4_SetFrustum(OGLMatrix4x4* m, float left, float right, float bottom, float top, float hither, float yon)
{
	std::memset(m->value, 0, sizeof(m->value));
	m->value[0] = 2.0f * hither / (right - left);
	m->value[5] = 2.0f * hither / (top - bottom);
	m->value[8] = (right + left) / (right - left);
	m->value[9] = (top + bottom) / (top - bottom);
	m->value[10] = -(yon + hither) / (yon - hither);
	m->value[11] = -1.0f;
	m->value[14] = -2.0f * yon * hither / (yon - hither);
}

//
// Transforms
//

void OGLPoint3D_Transform(const OGLPoint3D* p, const OGLMatrix4x4* m, OGLPoint3D* out)
{
	const float* v = m->value;
	float x = p->x, y = p->y, z = p->z;
	out->x = v[0] * x + v[4] * y + v[8] * z + v[12];
	out->y = v[1] * x + v[5] * y + v[9] * z + v[13];
	out->z = v[2] * x + v[6] * y + v[10] * z + v[14];
}

void OGLPoint3D_TransformArray(const OGLPoint3D* in, const OGLMatrix4x4* m, OGLPoint3D* out, int32_t count)
{
	for (int32_t i = 0; i < count; i++)
		OGLPoint3D_Transform(&in[i], m, &out[i]);
}

void OGLPoint3D_To4DTransform(const OGLPoint3D* p, const OGLMatrix4x4* m, OGLPoint4D* out)
{
	const float* v = m->value;
	float x = p->x, y = p->y, z = p->z;
	out->x = v[0] * x + v[4] * y + v[8] * z + v[12];
	out->y = v[1] * x + v[5] * y + v[9] * z + v[13];
	out->z = v[2] * x + v[6] * y + v[10] * z + v[14];
	out->w = v[3] * x + v[7] * y + v[11] * z + v[15];
}

void OGLVector3D_Transform(const OGLVector3D* vec, const OGLMatrix4x4* m, OGLVector3D* out)
{
	const float* v = m->value;
	float x = vec->x, y = vec->y, z = vec->z;
	out->x = v[0] * x + v[4] * y + v[8] * z;
	out->y = v[1] * x + v[5] * y + v[9] * z;
	out->z = v[2] * x + v[6] * y + v[10] * z;
}

void OGLVector3D_TransformArray(const OGLVector3D* in, const OGLMatrix4x4* m, OGLVector3D* out, int32_t count)
{
	for (int32_t i = 0; i < count; i++)
		OGLVector3D_Transform(&in[i], m, &out[i]);
}
