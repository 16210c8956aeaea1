// The player's state for automated runs, read by tests of the real game.
#include "Automation/PlayerReport.h"
#include "Player/PlayerInternal.h"
#include "Player/Weapons.h"
#include "System/Game.h"
#include "3D/OGL_Camera.h"
#include "3D/Skeleton.h"
#include "Terrain/Terrain.h"

#include <cstdio>

std::string DescribePlayerForAutomation()
{
	const ObjNode* node = gPlayerNode;
	if (!node || node->CType == INVALID_NODE_FLAG)
		return "PLAYER none";

	// Halfway up the robot, as the window shows it.
	OGLPoint3D middle = node->Coord;
	middle.y += 0.5f * float(node->TopOff + node->BottomOff);
	OGLPoint4D p;
	OGLPoint3D_To4DTransform(&middle, &gWorldToWindowMatrix, &p);
	float wx = p.w > 0 ? p.x / p.w : -1, wy = p.w > 0 ? p.y / p.w : -1;

	char line[256];
	snprintf(line, sizeof(line), "PLAYER anim=%d onground=%d feet=%.1f ground=%.1f window=%.0f,%.0f hidden=%d",
			PlayerAnim(node), int((node->StatusBits & STATUS_BIT_ONGROUND) != 0),
			node->Coord.y + float(node->BottomOff), TerrainHeightAt(node->Coord.x, node->Coord.z), wx, wy,
			int((node->StatusBits & STATUS_BIT_HIDDEN) != 0));
	return line;
}

std::string DescribeRunForAutomation()
{
	std::string text;
	char part[96];
	snprintf(part, sizeof(part), "lives=%d health=%.2f fuel=%.2f score=%d weapons=", int(gRun.lives), gRun.health,
			gRun.fuel, int(gRun.score));
	text = part;
	bool first = true;
	for (const WeaponSlot& slot : gRun.weapons)
	{
		if (slot.type < 0)
			continue;
		snprintf(part, sizeof(part), "%s%d:%d", first ? "" : ",", int(slot.type), int(slot.quantity));
		text += part;
		first = false;
	}
	return text;
}
