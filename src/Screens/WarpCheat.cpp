// The warp list during play: a menu of the level's notable items; picking
// one puts the robot beside it.
#include "Screens/Screens.h"
#include "Screens/Menu.h"
#include "Screens/ScreensLogic.h"
#include "3D/Camera.h"
#include "Player/Player.h"
#include "System/Objects.h"
#include "System/Window.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

namespace
{
	constexpr float WARP_SIDE_OFFSET = 150;		// units beside the item
	constexpr float WARP_HEIGHT = 250;			// above the ground
	constexpr float WARP_HEIGHT_NO_GROUND = 1000;

	WarpRow gWarpRows[MAX_WARP_ROWS];
	MenuItem gWarpMenu[MAX_WARP_ROWS + 1];
}

void DoWarpCheat()
{
	if (!gTerrainItemList || !gPlayerNode)
		return;
	const int n = BuildWarpRows(gTerrainItemList, gNumTerrainItems, gWarpRows);
	for (int i = 0; i < n; i++)
	{
		gWarpMenu[i] = MenuItem{};
		gWarpMenu[i].kind = MENU_ITEM_PICK;
		gWarpMenu[i].rawText = gWarpRows[i].text;
		gWarpMenu[i].pick = i;
	}
	gWarpMenu[n] = MenuItem{};
	if (n == 0)
		return;

	MenuStyle style = kDefaultMenuStyle;
	style.centered = true;
	style.standardScale = 0.45f;
	style.rowHeight = 14;

	gGamePaused = true;
	GrabMouse(false);
	const int pick = StartMenu(gWarpMenu, &style, nullptr, DrawObjects);
	gGamePaused = false;

	if (pick >= 0 && pick < n)
	{
		const TerrainItemEntryType& item = gTerrainItemList[gWarpRows[pick].item];
		const float x = float(item.x) + WARP_SIDE_OFFSET, z = float(item.z);
		const float ground = TerrainHeightAtNoHoles(x, z);
		const bool noGround = ground <= -10000;		// no terrain loaded there
		gPlayerNode->Coord = {x, noGround ? WARP_HEIGHT_NO_GROUND : ground + WARP_HEIGHT, z};
		gPlayerNode->Delta = {0, 0, 0};
		UpdateObjectTransforms(gPlayerNode);
		InitCamera();
	}
	GrabMouse(true);
}
