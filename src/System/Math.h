// Points, vectors, colours, matrices and the geometric helpers built on them.
//
// Conventions the whole game relies on:
// - Matrices are 16 floats in OpenGL column order; elements 12, 13, 14 hold
//   the translation. OGLMatrix4x4_Multiply(a, b, out) builds the matrix that
//   applies a first and b second (b·a); out may be a or b.
// - Euler rotation applies x first, then y, then z: R = Rz·Ry·Rx.
// - A heading (rotation about y) of θ faces along (−sin θ, −cos θ) in x and z.
#pragma once

#include <cstdint>

struct OGLPoint2D { float x, y; };
struct OGLVector2D { float x, y; };
struct OGLTextureCoord { float u, v; };
struct OGLPoint3D { float x, y, z; };
struct OGLVector3D { float x, y, z; };
struct OGLPoint4D { float x, y, z, w; };		// clip coordinates
struct OGLColorRGBA { float r, g, b, a; };
struct OGLColorRGBA_Byte { uint8_t r, g, b, a; };
struct OGLMatrix4x4 { float value[16]; };		// column order

struct OGLBoundingBox
{
	OGLPoint3D min;
	OGLPoint3D max;
	bool isEmpty;
};

constexpr float PI = 3.14159265358979323846f;
constexpr float PI2 = 2.0f * PI;
constexpr float PI_HALF = 0.5f * PI;

// Vectors whose components are all within this of 0 normalise to zero.
constexpr float VECTOR_ZERO_TOLERANCE = 0.0001f;
// Mesh decomposition treats points and normals closer than these as equal.
constexpr float POINT_EQUALITY_TOLERANCE = 0.001f;
constexpr float NORMAL_EQUALITY_TOLERANCE = 0.02f;

// The camera's world-to-clip matrix, used by the frustum tests.
extern OGLMatrix4x4 gWorldToFrustumMatrix;

//
// Scalars and angles
//

float OGLMath_RadiansToDegrees(float radians);
float OGLMath_DegreesToRadians(float degrees);

// Fast horizontal distance: max(|dx|, |dy|) + 0.375 · min(|dx|, |dy|).
// Between 0.97 and 1.07 times the true distance.
float CalcQuickDistance(float x1, float y1, float x2, float y2);
float CalcDistance(float x1, float y1, float x2, float y2);
float CalcDistance3D(float x1, float y1, float z1, float x2, float y2, float z2);

// Heading (0 .. 2π) that faces from (fromX, fromZ) toward (toX, toZ); the
// previous heading when the two points (nearly) coincide.
float CalcYAngleFromPointToPoint(float oldRot, float fromX, float fromZ, float toX, float toZ);

// The same angle brought into −π … π (radians): a heading compared with
// another, or a turn taken the short way round. Whole turns come off exactly,
// so an angle already in range is returned unchanged.
float WrapAngle(float radians);
// How far `to` lies from `from`, the short way round (−π … π).
float AngleDifference(float to, float from);
// `from` turned toward `to` by at most `step` radians (≥ 0), the short way round.
float TurnAngleToward(float from, float to, float step);

// Angle in radians (0 .. π) between two vectors; 0 when either is (nearly) zero.
float OGLVector3D_AngleBetween(const OGLVector3D* a, const OGLVector3D* b);

//
// 2D vectors
//

float OGLVector2D_Length(const OGLVector2D* v);
float OGLVector2D_Dot(const OGLVector2D* a, const OGLVector2D* b);
// z of the 3D cross product: positive when b turns counter-clockwise from a.
float OGLVector2D_Cross(const OGLVector2D* a, const OGLVector2D* b);
void OGLVector2D_Normalize(const OGLVector2D* in, OGLVector2D* out);
// v mirrored about the line whose unit normal is n: v − 2 (v·n) n.
void OGLVector2D_Reflect(const OGLVector2D* v, const OGLVector2D* n, OGLVector2D* out);
float OGLPoint2D_Distance(const OGLPoint2D* a, const OGLPoint2D* b);

//
// 3D points and vectors
//

float OGLVector3D_Length(const OGLVector3D* v);
float OGLVector3D_Dot(const OGLVector3D* a, const OGLVector3D* b);
void OGLVector3D_Cross(const OGLVector3D* a, const OGLVector3D* b, OGLVector3D* out);
void OGLVector3D_Normalize(const OGLVector3D* in, OGLVector3D* out);
void OGLVector3D_Add(const OGLVector3D* a, const OGLVector3D* b, OGLVector3D* out);
void OGLVector3D_Subtract(const OGLVector3D* a, const OGLVector3D* b, OGLVector3D* out);
void OGLVector3D_Scale(const OGLVector3D* v, float s, OGLVector3D* out);
// v mirrored about the plane whose unit normal is n: v − 2 (v·n) n.
void OGLVector3D_Reflect(const OGLVector3D* v, const OGLVector3D* n, OGLVector3D* out);

// out = a − b.
void OGLPoint3D_Subtract(const OGLPoint3D* a, const OGLPoint3D* b, OGLVector3D* out);
void OGLPoint3D_Vector3D_Add(const OGLPoint3D* p, const OGLVector3D* v, OGLPoint3D* out);
float OGLPoint3D_Distance(const OGLPoint3D* a, const OGLPoint3D* b);

// Each coordinate closer than POINT_EQUALITY_TOLERANCE / each component closer
// than NORMAL_EQUALITY_TOLERANCE.
bool OGLPoint3D_AreClose(const OGLPoint3D* a, const OGLPoint3D* b);
bool OGLVector3D_AreClose(const OGLVector3D* a, const OGLVector3D* b);

//
// Matrices
//

void OGLMatrix4x4_SetIdentity(OGLMatrix4x4* m);
// out = the matrix that applies a, then b. out may alias a or b.
void OGLMatrix4x4_Multiply(const OGLMatrix4x4* a, const OGLMatrix4x4* b, OGLMatrix4x4* out);
void OGLMatrix4x4_Transpose(const OGLMatrix4x4* in, OGLMatrix4x4* out);
// General inverse. A singular matrix gives false and the identity.
bool OGLMatrix4x4_Invert(const OGLMatrix4x4* in, OGLMatrix4x4* out);

void OGLMatrix4x4_SetTranslate(OGLMatrix4x4* m, float x, float y, float z);
void OGLMatrix4x4_SetScale(OGLMatrix4x4* m, float x, float y, float z);
void OGLMatrix4x4_SetRotate_X(OGLMatrix4x4* m, float angle);
void OGLMatrix4x4_SetRotate_Y(OGLMatrix4x4* m, float angle);
void OGLMatrix4x4_SetRotate_Z(OGLMatrix4x4* m, float angle);
// x first, then y, then z.
void OGLMatrix4x4_SetRotate_XYZ(OGLMatrix4x4* m, float rx, float ry, float rz);
// Rotation by angle about a unit axis through the origin (right-handed).
void OGLMatrix4x4_SetRotateAboutAxis(OGLMatrix4x4* m, const OGLVector3D* axis, float angle);

// World-to-view matrix of a camera at `from` looking at `to`.
void OGLMatrix4x4_SetLookAt(OGLMatrix4x4* m, const OGLPoint3D* from, const OGLPoint3D* to, const OGLVector3D* up);
// Placement of an object at `from` whose up axis is `up` and whose front
// (local −z, heading 0) faces `to` as closely as that up axis allows.
void OGLMatrix4x4_SetAlignLookAt(OGLMatrix4x4* m, const OGLPoint3D* from, const OGLPoint3D* to, const OGLVector3D* up);
// Projection with vertical field of view `fov` (radians).
void OGLMatrix4x4_SetPerspective(OGLMatrix4x4* m, float fov, float aspect, float hither, float yon);
// Off-axis projection with the same parameters as glFrustum.
void OGLMatrix4x4_SetFrustum(OGLMatrix4x4* m, float left, float right, float bottom, float top, float hither, float yon);

//
// Transforms
//

// Point with w = 1, no perspective divide.
void OGLPoint3D_Transform(const OGLPoint3D* p, const OGLMatrix4x4* m, OGLPoint3D* out);
void OGLPoint3D_TransformArray(const OGLPoint3D* in, const OGLMatrix4x4* m, OGLPoint3D* out, int32_t count);
// Point with w = 1 to homogeneous (clip) coordinates.
void OGLPoint3D_To4DTransform(const OGLPoint3D* p, const OGLMatrix4x4* m, OGLPoint4D* out);
// Direction: the upper 3×3 only, no translation.
void OGLVector3D_Transform(const OGLVector3D* v, const OGLMatrix4x4* m, OGLVector3D* out);
void OGLVector3D_TransformArray(const OGLVector3D* in, const OGLMatrix4x4* m, OGLVector3D* out, int32_t count);

//
// Geometric tests
//

// True unless all eight corners of the box lie beyond one plane of the view
// frustum of gWorldToFrustumMatrix (preceded by localMatrix when given).
// An empty box has no known extent and counts as visible.
bool IsBBoxInFrustum(const OGLBoundingBox* box, const OGLMatrix4x4* localMatrix = nullptr);
// The same against an explicit world-to-clip matrix.
bool IsBBoxInFrustumOfMatrix(const OGLBoundingBox* box, const OGLMatrix4x4* boxToClip);

// (px, py) inside the triangle (x0, y0) (x1, y1) (x2, y2), any winding.
bool IsPointInTriangle(float px, float py, float x0, float y0, float x1, float y1, float x2, float y2);
// Point in the triangle's plane inside the triangle, tested in the 2D
// projection that drops the normal's dominant axis.
bool IsPointInTriangle3D(const OGLPoint3D* point, const OGLPoint3D trianglePoints[3], const OGLVector3D* normal);

// Segments (x1,y1)-(x2,y2) and (x3,y3)-(x4,y4) cross (ends included); the
// crossing point goes to ix, iy (either may be null). Parallel segments never cross.
bool IntersectLineSegments(float x1, float y1, float x2, float y2,
						   float x3, float y3, float x4, float y4,
						   float* ix, float* iy);
// The crossing of segment (x1,y1)-(x2,y2) with the edges of the rectangle
// [left, right] × [back, front] nearest (x1, y1).
bool IntersectSegmentWithRect(float x1, float y1, float x2, float y2,
							  float left, float right, float back, float front,
							  float* ix, float* iy);

// Convenience operators for the point and vector types.
inline OGLVector3D operator+(OGLVector3D a, OGLVector3D b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline OGLVector3D operator-(OGLVector3D a, OGLVector3D b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline OGLVector3D operator-(OGLVector3D a) { return {-a.x, -a.y, -a.z}; }
inline OGLVector3D operator*(OGLVector3D a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline OGLVector3D operator*(float s, OGLVector3D a) { return {a.x * s, a.y * s, a.z * s}; }
inline OGLVector3D operator-(OGLPoint3D a, OGLPoint3D b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline OGLPoint3D operator+(OGLPoint3D p, OGLVector3D v) { return {p.x + v.x, p.y + v.y, p.z + v.z}; }
inline OGLPoint3D operator-(OGLPoint3D p, OGLVector3D v) { return {p.x - v.x, p.y - v.y, p.z - v.z}; }
inline OGLVector2D operator+(OGLVector2D a, OGLVector2D b) { return {a.x + b.x, a.y + b.y}; }
inline OGLVector2D operator-(OGLVector2D a, OGLVector2D b) { return {a.x - b.x, a.y - b.y}; }
inline OGLVector2D operator*(OGLVector2D a, float s) { return {a.x * s, a.y * s}; }
inline OGLVector2D operator*(float s, OGLVector2D a) { return {a.x * s, a.y * s}; }
