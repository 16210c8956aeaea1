// Where the infobar lies for a screen, a HUD size and the 4:3 preference.
#include "Screens/Infobar.h"

const float kHudScales[NUM_HUD_SCALES] = {0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1.0f, 1.05f, 1.1f};

namespace
{
	constexpr int DEFAULT_HUD_SCALE = 5;
	constexpr float LAYOUT_HEIGHT = 480.0f;			// the logical screen's height
	constexpr float FOUR_BY_THREE = 4.0f / 3.0f;
	constexpr float BOTTOM_COUNTERS_MARGIN = 15.0f;	// the 4:3 area must be this much narrower
	constexpr float SLOTS_LEFT = 143.0f;			// first weapon slot's left edge from the left
	constexpr float SLOT_SPACING = 70.0f;
	constexpr float ORNAMENT_FROM_RIGHT = 107.0f;
}

InfobarLayout CalcInfobarLayout(float logicalWidth, float screenAspect, int hudScale, bool within4x3)
{
	if (hudScale < 0 || hudScale >= NUM_HUD_SCALES)
		hudScale = DEFAULT_HUD_SCALE;

	InfobarLayout layout = {};
	layout.scale = kHudScales[hudScale];
	layout.width = logicalWidth / layout.scale;
	layout.height = LAYOUT_HEIGHT / layout.scale;
	layout.left = 0;
	layout.right = layout.width;

	if (within4x3 && screenAspect >= FOUR_BY_THREE)
	{
		float areaWidth = layout.width * FOUR_BY_THREE / screenAspect;
		layout.left = (layout.width - areaWidth) * 0.5f;
		layout.right = layout.left + areaWidth;
		layout.countersAtBottom = layout.width - areaWidth > BOTTOM_COUNTERS_MARGIN;
	}
	return layout;
}

float InfobarWeaponSlotX(const InfobarLayout& layout, int slot)
{
	return layout.left + SLOTS_LEFT + SLOT_SPACING * float(slot);
}

bool InfobarCornerOrnamentShows(const InfobarLayout& layout, const int16_t slotTypes[], int numSlots)
{
	for (int k = 0; k < numSlots; k++)
		if (slotTypes[k] >= 0 && InfobarWeaponSlotX(layout, k + 1) > layout.right - ORNAMENT_FROM_RIGHT)
			return false;
	return true;
}
