// Zip lines: a cable sags between two posts; a pulley waits near its start
// and the robot, jumping up to it, hangs on and runs down the cable, faster
// downhill, slower uphill, until he drops off an end with a clang.
#include "Items/Rides.h"
#include "3D/Camera.h"
#include "Items/ItemsInternal.h"
#include "Player/Player.h"
#include "Memory.h"
#include "3D/SkeletonTypes.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/LevelTable.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Splines.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"
#include "Terrain/TerrainItems.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

ZipLineType gZipLines[MAX_ZIP_LINES];
ObjNode* gZipPulley = nullptr;

namespace
{
	constexpr uint16_t PULLEY_SLOT = 195;
	constexpr float PULLEY_SCALE = 2.5f;
	constexpr uint16_t CABLE_SLOT = 105;
	constexpr float POST_SCALE = 1.5f;
	constexpr float CABLE_U_PER_SAMPLE = 12.0f;
	// Fewer points than this leave a pulley hardly any cable to run from its waiting point.
	constexpr int MIN_ZIP_POINTS = 3 * ZIP_PULLEY_START_POINT;

	const OGLBoundingBox POST_STAND_IN = {{-30, 0, -30}, {30, 560, 30}, false};
	const OGLBoundingBox PULLEY_STAND_IN = {{-20, -40, -20}, {20, 20, 20}, false};

	// Node fields of a pulley.
	constexpr int LINE = 0;			// Special[]: its zip line
	constexpr int INDEX = ZIP_PULLEY_INDEX;
	constexpr int SPEED = ZIP_PULLEY_SPEED;

	void PlacePulleyAt(ObjNode* pulley, float index)
	{
		const ZipLineType& zip = gZipLines[pulley->Special[LINE]];
		int i = std::clamp(int(index), 0, zip.numPoints - 1);
		int j = std::min(i + 1, zip.numPoints - 1);
		float f = std::clamp(index - float(i), 0.0f, 1.0f);
		const OGLPoint3D& a = zip.points[i];
		const OGLPoint3D& b = zip.points[j];
		pulley->Coord = {a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f, a.z + (b.z - a.z) * f};
		pulley->SpecialF[INDEX] = index;
		UpdateObjectTransforms(pulley);
	}

	void ReleaseRobot()
	{
		gZipPulley = nullptr;
		gCameraPitch = 0;
		PlayerLetGoOfZipPulley();
	}

	void MovePulleyWaiting(ObjNode* pulley)
	{
		if (gZipPulley || !gPlayerNode || gPlayerLevel.isDead)
			return;
		int anim = CurrentPlayerAnim();
		if (anim != PLAYER_ANIM_JUMP && anim != PLAYER_ANIM_FALL)
			return;
		const OGLPoint3D& robot = gPlayerNode->Coord;
		if (robot.y > pulley->Coord.y || pulley->Coord.y - robot.y > ZIP_GRAB_BELOW)
			return;
		if (CalcQuickDistance(robot.x, robot.z, pulley->Coord.x, pulley->Coord.z) >= ZIP_GRAB_DISTANCE)
			return;
		gZipPulley = pulley;
		pulley->Mode = ZIP_PULLEY_MOVING;
		pulley->SpecialF[SPEED] = ZIP_GRAB_SPEED;
		PlayerGrabZipPulley(pulley);
		gCameraPitch = ZIP_CAMERA_PITCH;
	}

	void MovePulleyMoving(ObjNode* pulley)
	{
		const ZipLineType& zip = gZipLines[pulley->Special[LINE]];
		// The robot was knocked off or died: the pulley is left where it is.
		if (gZipPulley != pulley || !PlayerIsOnZipLine())
		{
			if (gZipPulley == pulley)
			{
				gZipPulley = nullptr;
				gCameraPitch = 0;
			}
			pulley->Mode = ZIP_PULLEY_RETURNING;
			return;
		}
		const float dt = gFrameTime;
		float& index = pulley->SpecialF[INDEX];
		float& speed = pulley->SpecialF[SPEED];
		// Leave the cable before reading a point past either end of it.
		int i = int(std::floor(index));
		if (i >= 0 && i + 1 < zip.numPoints)
		{
			speed -= (zip.points[i + 1].y - zip.points[i].y) * ZIP_SLOPE_ACCEL * dt;
			speed = std::min(speed, ZIP_MAX_SPEED);
		}
		float next = index + speed * dt;
		if (i < 0 || i + 1 >= zip.numPoints || next < 0 || next >= float(zip.numPoints - 1))
		{
			PlacePulleyAt(pulley, std::clamp(next, 0.0f, float(zip.numPoints - 1)));
			pulley->Mode = ZIP_PULLEY_RETURNING;
			ReleaseRobot();
			PlayItemEffect3D(EFFECT_PLAYERCLANG, &pulley->Coord);
			return;
		}
		PlacePulleyAt(pulley, next);
	}

	void MovePulleyReturning(ObjNode* pulley)
	{
		if (!(pulley->StatusBits & STATUS_BIT_ISCULLED))
			return;
		pulley->Mode = ZIP_PULLEY_WAITING;
		pulley->SpecialF[SPEED] = 0;
		PlacePulleyAt(pulley, float(ZIP_PULLEY_START_POINT));
	}

	void MakeCableNode()
	{
		ObjectDef def = {};
		def.genre = CUSTOM_GENRE;
		def.slot = CABLE_SLOT;
		def.flags = STATUS_BIT_NOLIGHTING | STATUS_BIT_KEEPBACKFACES | STATUS_BIT_DONTCULL;
		def.drawCall = DrawZipLines;
		def.scale = 1;
		MakeNewObject(&def);
	}
}

void GenerateZipSpline(ZipLineType* zip)
{
	OGLPoint3D p0 = {zip->start.x, zip->start.y + ZIP_POST_HEIGHT, zip->start.z};
	OGLPoint3D p3 = {zip->end.x, zip->end.y + ZIP_POST_HEIGHT, zip->end.z};
	auto between = [&](float f) {
		return OGLPoint3D{p0.x + (p3.x - p0.x) * f, p0.y + (p3.y - p0.y) * f - ZIP_SAG, p0.z + (p3.z - p0.z) * f};
	};
	const OGLPoint3D nubs3D[4] = {p0, between(1.0f / 3), between(2.0f / 3), p3};
	float length = CalcDistance3D(p0.x, p0.y, p0.z, p3.x, p3.y, p3.z);
	int pointsPerSpan = int(ZIP_POINTS_PER_UNIT * length);
	if (pointsPerSpan > MAX_ZIP_POINTS_PER_SPAN)
		FatalAlert("GenerateZipSpline: the cable from (%.0f, %.0f) to (%.0f, %.0f) is too long", zip->start.x, zip->start.z,
				zip->end.x, zip->end.z);

	// The plan view and the height are baked as two curves with the same spans.
	SplinePointType planNubs[4], heightNubs[4];
	for (int k = 0; k < 4; k++)
	{
		planNubs[k] = {nubs3D[k].x, nubs3D[k].z};
		heightNubs[k] = {nubs3D[k].y, 0};
	}
	const int32_t spans[4] = {pointsPerSpan, pointsPerSpan, pointsPerSpan, 0};
	zip->numPoints = 0;
	if (pointsPerSpan > 0)
	{
		SplinePointType** plan = BakeSpline(4, planNubs, spans);
		SplinePointType** height = BakeSpline(4, heightNubs, spans);
		const int total = 3 * pointsPerSpan;
		GAME_ASSERT_MESSAGE(total <= MAX_ZIP_SPLINE_POINTS, "numPoints < MAX_ZIP_SPLINE_POINTS");
		for (int k = 0; k < total; k++)
			zip->points[k] = {(*plan)[k].x, (*height)[k].x, (*plan)[k].z};
		zip->numPoints = total;
		DisposeHandle(reinterpret_cast<Handle>(plan));
		DisposeHandle(reinterpret_cast<Handle>(height));
	}

	OGLBoundingBox& box = zip->bbox;
	box = {{p0.x, p0.y, p0.z}, {p0.x, p0.y, p0.z}, false};
	for (int k = 0; k < zip->numPoints; k++)
	{
		const OGLPoint3D& p = zip->points[k];
		box.min = {std::min(box.min.x, p.x), std::min(box.min.y, p.y), std::min(box.min.z, p.z)};
		box.max = {std::max(box.max.x, p.x), std::max(box.max.y, p.y), std::max(box.max.z, p.z)};
	}
}

void BuildZipGeometry(ZipLineType* zip)
{
	zip->numGeometryPoints = 0;
	if (zip->numPoints < 2)
		return;
	float u = 0;
	int p = 0;
	auto addSample = [&](int k) {
		const OGLPoint3D& at = zip->points[k];
		const OGLPoint3D& from = zip->points[std::max(k - 1, 0)];
		const OGLPoint3D& to = zip->points[std::min(k + 1, zip->numPoints - 1)];
		OGLVector2D side = {-(to.z - from.z), to.x - from.x};
		OGLVector2D_Normalize(&side, &side);
		GAME_ASSERT_MESSAGE(p + 4 <= MAX_ZIP_GEOMETRY_POINTS, "p < MAX_ZIP_GEOMETRY_POINTS");
		const float w = ZIP_CABLE_HALF_WIDTH;
		zip->geometry[p] = {at.x, at.y + w, at.z};					// upright ribbon
		zip->geometry[p + 1] = {at.x, at.y - w, at.z};
		zip->geometry[p + 2] = {at.x + side.x * w, at.y, at.z + side.y * w};	// flat ribbon
		zip->geometry[p + 3] = {at.x - side.x * w, at.y, at.z - side.y * w};
		zip->uvs[p] = {u, 1};
		zip->uvs[p + 1] = {u, 0};
		zip->uvs[p + 2] = {u, 1};
		zip->uvs[p + 3] = {u, 0};
		p += 4;
		u += CABLE_U_PER_SAMPLE;
	};
	int k = 0;
	for (; k < zip->numPoints; k += ZIP_GEOMETRY_STEP)
		addSample(k);
	if (k - ZIP_GEOMETRY_STEP != zip->numPoints - 1)
		addSample(zip->numPoints - 1);
	zip->numGeometryPoints = p;
}

bool SetUpZipLine(int id, const OGLPoint3D& start, const OGLPoint3D& end)
{
	GAME_ASSERT_MESSAGE(id >= 0 && id < MAX_ZIP_LINES, "id < MAX_ZIP_LINES");
	ZipLineType& zip = gZipLines[id];
	zip.start = start;
	zip.end = end;
	zip.hasStart = zip.hasEnd = true;
	GenerateZipSpline(&zip);
	if (zip.numPoints < MIN_ZIP_POINTS)
	{
		std::fprintf(stderr, "Zip line %d: its posts are too close together for a pulley; the line is left out\n", id);
		zip.isActive = false;
		return false;
	}
	BuildZipGeometry(&zip);
	zip.isActive = true;
	return true;
}

ObjNode* MakeZipPulley(int id)
{
	const ZipLineType& zip = gZipLines[id];
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = uint8_t(CurrentLevelDef().rides.zipPulleyModel);
	def.slot = PULLEY_SLOT;
	def.moveCall = MoveZipPulley;
	def.scale = PULLEY_SCALE;
	def.rot = CalcYAngleFromPointToPoint(0, zip.start.x, zip.start.z, zip.end.x, zip.end.z);
	ObjNode* pulley = MakeItemModelNode(&def, PULLEY_STAND_IN);
	pulley->Special[LINE] = id;
	pulley->Mode = ZIP_PULLEY_WAITING;
	pulley->SpecialF[SPEED] = 0;
	PlacePulleyAt(pulley, float(ZIP_PULLEY_START_POINT));
	return pulley;
}

void InitZipLines()
{
	for (ZipLineType& zip : gZipLines)
	{
		zip.isActive = zip.hasStart = zip.hasEnd = false;
		zip.numPoints = zip.numGeometryPoints = 0;
	}
	gZipPulley = nullptr;

	for (int32_t n = 0; n < gNumTerrainItems; n++)
	{
		const TerrainItemEntryType& item = gTerrainItemList[n];
		if (item.type != ITEM_TYPE_ZIP_LINE_POST)
			continue;
		if (item.parm[0] >= MAX_ZIP_LINES)
			FatalAlert("InitZipLines: zip line ID# %d >= MAX_ZIP_LINES", item.parm[0]);
		ZipLineType& zip = gZipLines[item.parm[0]];
		float x = float(item.x), z = float(item.z);
		OGLPoint3D foot = {x, BaseTerrainHeightAt(x, z), z};
		if (item.parm[1] != 0)
			zip.end = foot, zip.hasEnd = true;
		else
			zip.start = foot, zip.hasStart = true;
	}

	bool any = false;
	for (int id = 0; id < MAX_ZIP_LINES; id++)
	{
		ZipLineType& zip = gZipLines[id];
		if (!zip.hasStart && !zip.hasEnd)
			continue;
		if (!zip.hasStart || !zip.hasEnd)
		{
			std::fprintf(stderr, "Zip line %d has no %s post; the line is left out\n", id, zip.hasStart ? "end" : "start");
			continue;
		}
		if (SetUpZipLine(id, zip.start, zip.end))
		{
			MakeZipPulley(id);
			any = true;
		}
	}
	if (any)
		MakeCableNode();
}

void MoveZipPulley(ObjNode* pulley)
{
	switch (pulley->Mode)
	{
		case ZIP_PULLEY_WAITING:
			MovePulleyWaiting(pulley);
			break;
		case ZIP_PULLEY_MOVING:
			MovePulleyMoving(pulley);
			break;
		default:
			MovePulleyReturning(pulley);
			break;
	}
}

OGLPoint3D ZipHangPoint(const ObjNode* pulley)
{
	float h = pulley->Rot.y;
	return {pulley->Coord.x + std::sin(h) * ZIP_HANG_ALONG, pulley->Coord.y - ZIP_HANG_BELOW,
			pulley->Coord.z + std::cos(h) * ZIP_HANG_ALONG};
}

bool AddZipLinePost(TerrainItemEntryType* item, float x, float z)
{
	if (item->parm[0] >= MAX_ZIP_LINES)
		FatalAlert("AddZipLinePost: zip line ID# %d >= MAX_ZIP_LINES", item->parm[0]);
	if (CurrentLevelDef().rides.zipPostModel <= 0)
		FatalAlert("AddZipLinePost: the %s level has no zip line models", CurrentLevelDef().name);
	const ZipLineType& zip = gZipLines[item->parm[0]];
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = uint8_t(CurrentLevelDef().rides.zipPostModel);
	def.coord = {x, TerrainHeightAt(x, z), z};
	def.flags = gAutoFadeStatusBits;
	def.slot = 100;
	def.moveCall = MoveStaticObject;
	def.scale = POST_SCALE;
	// Each post faces along its cable.
	if (zip.hasStart && zip.hasEnd)
		def.rot = CalcYAngleFromPointToPoint(0, zip.start.x, zip.start.z, zip.end.x, zip.end.z);
	ObjNode* post = MakeItemModelNode(&def, POST_STAND_IN);
	post->TerrainItemPtr = item;
	post->CType = CTYPE_MISC | CTYPE_BLOCKCAMERA;
	post->CBits = SIDE_ALL;
	CreateCollisionBoxFromBoundingBox(post, 0.6f, 1);
	return true;
}
