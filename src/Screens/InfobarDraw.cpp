// Drawing the infobar over the scene, in layout space (the logical screen
// divided by the HUD scale, y downward).
#include "Screens/Infobar.h"
#include "System/Level.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "3D/TextMesh.h"
#include "Items/Humans.h"
#include "Player/Player.h"
#include "Player/PlayerSaucerBeams.h"
#include "Player/Weapons.h"
#include "System/Boot.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/LevelShow.h"
#include "System/LevelTable.h"
#include "System/Objects.h"
#include "System/Prefs.h"
#include "System/Strings.h"

#include <GL/gl.h>
#include <cmath>
#include <string>

namespace
{
	constexpr float GAUGE_SIZE = 50.0f;
	constexpr float GAUGE_TOP = 19.0f;
	constexpr float HEALTH_GAUGE_X = 23.0f;		// from the left
	constexpr float FUEL_GAUGE_X = 83.0f;		// from the left
	constexpr float GOAL_GAUGE_X = 73.0f;		// from the right
	constexpr float CORNER_SIZE = 100.0f;
	constexpr float LIFE_SIZE = 40.0f;
	constexpr float LIFE_SPACING = 30.0f;
	constexpr float LIFE_BOTTOM = 38.0f;			// the icon's top above the bottom edge (its art fills the upper part)
	constexpr float SLOT_SIZE = 75.0f;
	constexpr float ICON_SIZE = 50.0f;
	constexpr float SLOT_DIGIT_SIZE = 8.0f;
	constexpr float SLOT_DIGIT_SPACING = 5.1f;
	constexpr float COUNTER_PANEL_SIZE = 75.0f;
	constexpr float COUNTER_DIGIT_SIZE = 8.33f;
	constexpr float COUNTER_DIGIT_SPACING = 5.0f;
	constexpr float SAUCER_FUEL_ALPHA = 0.3f;
	constexpr float BEAM_GAUGE_WIDTH = 200.0f;
	constexpr float HELP_BAND_TOP = 62.0f;		// from the bottom
	constexpr float HELP_BAND_BOTTOM = 36.0f;
	constexpr float HELP_TEXT_Y = 60.0f;		// from the bottom
	constexpr float HELP_TEXT_SCALE = 0.5f;

	constexpr float CAPTION_Y = 118.0f;			// the show's caption: its middle below the top edge
	constexpr float CAPTION_SCALE = 0.9f;
	constexpr float CAPTION_PULSE_RATE = 3.0f;	// radians per second of the caption's breathing
	constexpr OGLColorRGBA CAPTION_COLOR = {1, 0.85f, 0.3f, 1};	// warm yellow, apart from the help line's white

	InfobarLayout gLayout;
	constexpr OGLColorRGBA HELP_BAND_COLOR = {0.02f, 0.03f, 0.1f, 0.72f};	// the alpha at a fully shown line
	ObjNode* gHelpTextNode = nullptr;
	std::string gHelpTextShown;
	MetaObjectPtr gCaptionMesh = nullptr;	// "Demo" or "Replay" over a level shown for watching
	int gCaptionShown = -1;
	float gCaptionPhase = 0;
	uint32_t gGlowSeed = 12345;		// the glows' flicker; the game's random numbers stay untouched

	float GlowFlicker()
	{
		gGlowSeed = gGlowSeed * 1664525u + 1013904223u;
		return float(gGlowSeed >> 8) / float(1u << 24);
	}

	// One image of the infobar group: a box `size` wide from (x, y), as tall as
	// the image's proportions make it, turned by `rot` about its centre.
	void DrawPiece(int type, float x, float y, float size, float rot = 0, bool glow = false, float alpha = 1)
	{
		if (type < 0 || type >= gNumSpritesInGroupList[SPRITE_GROUP_INFOBAR])
			return;
		const SpriteType& sprite = gSpriteGroupList[SPRITE_GROUP_INFOBAR][type];
		float w = size, h = size * sprite.aspectRatio;

		glPushMatrix();
		glTranslatef(x + w * 0.5f, y + h * 0.5f, 0);
		if (rot != 0)
			glRotatef(rot * 57.29578f, 0, 0, 1);
		glBlendFunc(GL_SRC_ALPHA, glow ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
		gGlobalTransparency = alpha;
		MO_DrawMaterial(sprite.materialObject);
		glBegin(GL_QUADS);
		glTexCoord2f(0, 0); glVertex2f(-w * 0.5f, -h * 0.5f);
		glTexCoord2f(1, 0); glVertex2f(w * 0.5f, -h * 0.5f);
		glTexCoord2f(1, 1); glVertex2f(w * 0.5f, h * 0.5f);
		glTexCoord2f(0, 1); glVertex2f(-w * 0.5f, h * 0.5f);
		glEnd();
		glPopMatrix();
		gGlobalTransparency = 1;
		gTrianglesThisFrame += 2;
	}

	// A number in digit images, right to left with its last digit at `rightX`.
	void DrawNumber(int value, float rightX, float y, float size, float spacing, float alpha = 1)
	{
		if (value < 0)
			value = 0;
		float x = rightX;
		do
		{
			DrawPiece(INFOBAR_SPRITE_DIGIT_0 + value % 10, x, y, size, 0, false, alpha);
			x -= spacing;
			value /= 10;
		} while (value > 0);
	}

	// A round gauge: the frame (turning while full), then the glowing fill
	// sized by the value, centred in the frame.
	void DrawGauge(int fillType, float x, float y, float value, float spin, bool full, float alpha = 1)
	{
		DrawPiece(INFOBAR_SPRITE_GAUGE_FRAME, x, y, GAUGE_SIZE, full ? spin : 0, false, alpha);
		if (value <= 0)
			return;
		float size = (1.0f + 0.04f * std::sin(gInfobar.fillPhase)) * GAUGE_SIZE * std::fmin(value, 1.0f);
		float inset = (GAUGE_SIZE - size) * 0.5f;
		DrawPiece(fillType, x + inset, y + inset, size, 0, true, alpha);
	}

	void DrawLives()
	{
		for (int i = 0; i < gRun.lives; i++)
			DrawPiece(INFOBAR_SPRITE_LIFE, gLayout.left + LIFE_SPACING * float(i), gLayout.height - LIFE_BOTTOM, LIFE_SIZE);
	}

	void DrawHealth()
	{
		float x = gLayout.left + HEALTH_GAUGE_X;
		if (gInfobar.lowHealthWarning)
			x += 4.0f * std::sin(gInfobar.healthShakePhase);
		DrawGauge(INFOBAR_SPRITE_HEALTH_FILL, x, GAUGE_TOP, gRun.health, gInfobar.healthFrameSpin, gRun.health >= 1.0f);
	}

	void DrawFuel(float alpha)
	{
		float x = gLayout.left + FUEL_GAUGE_X;
		float f = gInfobar.fuelFlashTimer;
		if (f > 0)
			x += std::sin(32.0f * f) * 8.0f * f;
		DrawGauge(INFOBAR_SPRITE_FUEL_FILL, x, GAUGE_TOP, gRun.fuel, gInfobar.fuelFrameSpin, gRun.fuel >= 1.0f, alpha);
	}

	void DrawGoal()
	{
		DrawGauge(INFOBAR_SPRITE_GOAL_FILL, gLayout.right - GOAL_GAUGE_X, GAUGE_TOP, gLevel.exitCharge,
				  gInfobar.goalFrameSpin, gLevel.exitCharge >= 1.0f);
	}

	void DrawCornerOrnament()
	{
		int16_t types[MAX_WEAPON_SLOTS];
		for (int k = 0; k < MAX_WEAPON_SLOTS; k++)
			types[k] = gRun.weapons[k].quantity > 0 ? gRun.weapons[k].type : int16_t(-1);
		if (InfobarCornerOrnamentShows(gLayout, types, MAX_WEAPON_SLOTS))
			DrawPiece(INFOBAR_SPRITE_SLOT_MARKER, gLayout.right - 107.0f, 15.0f, 30.0f);
	}

	void DrawWeaponSlots()
	{
		for (int k = 0; k < MAX_WEAPON_SLOTS; k++)
		{
			float y = gInfobar.slotY[k];
			if (y <= INFOBAR_SLOT_EMPTY_Y)
				continue;
			const WeaponSlot& slot = gRun.weapons[k];
			float x = InfobarWeaponSlotX(gLayout, k);
			DrawPiece(INFOBAR_SPRITE_WEAPON_SLOT, x, y, SLOT_SIZE);
			if (slot.type < 0 || slot.type >= NUM_INVENTORY_WEAPONS)
				continue;
			// The icon centred at (x + 37, y + 52): a flickering glow under a plain copy.
			int icon = INFOBAR_SPRITE_WEAPON_ICON + slot.type;
			float glowSize = (1.0f + GlowFlicker() * 0.15f) * ICON_SIZE;
			DrawPiece(icon, x + 37 - glowSize * 0.5f, y + 52 - glowSize * 0.5f, glowSize, 0, true, 0.6f);
			DrawPiece(icon, x + 37 - ICON_SIZE * 0.5f, y + 52 - ICON_SIZE * 0.5f, ICON_SIZE);
			if (slot.type != WEAPON_FIST)
				DrawNumber(slot.quantity, x + 50, y + 60, SLOT_DIGIT_SIZE * 2, SLOT_DIGIT_SPACING * 2);
		}
	}

	void DrawRescueCounters()
	{
		int shown = 0;
		for (int i = 0; i < NUM_HUMAN_TYPES; i++)
		{
			if (gLevel.humansRescued[i] <= 0)
				continue;
			float offset = gInfobar.counterOffset[i];
			float iconSize = i == 0 ? ICON_SIZE : ICON_SIZE * 0.5f;
			float panelX, panelY;
			if (gLayout.countersAtBottom)
			{
				panelX = gLayout.right - 43.125f - 57.5f * float(shown) - COUNTER_PANEL_SIZE * 0.5f;
				panelY = gLayout.height + 3 + offset - COUNTER_PANEL_SIZE;
				DrawPiece(INFOBAR_SPRITE_COUNTER_PANEL_BOTTOM, panelX, panelY, COUNTER_PANEL_SIZE);
			}
			else
			{
				panelX = gLayout.right - 22.5f + offset - COUNTER_PANEL_SIZE * 0.5f;
				panelY = 150.0f + 70.0f * float(shown) - COUNTER_PANEL_SIZE * 0.5f;
				DrawPiece(INFOBAR_SPRITE_COUNTER_PANEL_SIDE, panelX, panelY, COUNTER_PANEL_SIZE);
			}
			// The icon and its count sit on the panel's visible part.
			float cy = panelY + COUNTER_PANEL_SIZE * 0.5f;
			float iconX = gLayout.countersAtBottom ? panelX + COUNTER_PANEL_SIZE - 14 - iconSize
												   : panelX + COUNTER_PANEL_SIZE * 0.5f - 10 - iconSize * 0.5f;
			DrawPiece(INFOBAR_SPRITE_RESCUE_ICON + i, iconX, cy - iconSize * 0.5f, iconSize);
			float digit = COUNTER_DIGIT_SIZE * 2;
			DrawNumber(gLevel.humansRescued[i], iconX - digit, cy - digit * 0.5f, digit, COUNTER_DIGIT_SPACING * 2);
			shown++;
		}
	}

	void DrawSaucerBeams()
	{
		const int gauges[2] = {INFOBAR_SPRITE_BEAM_GAUGE_TRACTOR, INFOBAR_SPRITE_BEAM_GAUGE_DESTROY};
		const int bars[2] = {INFOBAR_SPRITE_BEAM_BAR_TRACTOR, INFOBAR_SPRITE_BEAM_BAR_DESTROY};
		const int beams[2] = {SAUCER_BEAM_TRACTOR, SAUCER_BEAM_DESTROY};
		float x = gLayout.left + 163.0f;
		for (int i = 0; i < 2; i++)
		{
			float y = 12.0f + 48.0f * float(i);
			DrawPiece(gauges[i], x, y, BEAM_GAUGE_WIDTH);
			// The bar fills the gauge's window (from 62/256 to 244/256 of its width).
			bool inUse = gSaucerBeam.charging == beams[i] || gSaucerBeam.on == beams[i];
			float window = BEAM_GAUGE_WIDTH * (182.0f / 256.0f);
			float length = 5.0f + (window - 5.0f) * (inUse ? gSaucerBeam.charge[i] : 0.0f);
			float barX = x + BEAM_GAUGE_WIDTH * (62.0f / 256.0f);
			float barY = y + BEAM_GAUGE_WIDTH * 0.25f * 0.5f - 6.0f;
			glPushMatrix();
			glTranslatef(barX, barY, 0);
			glScalef(length / 12.0f, 1, 1);
			DrawPiece(bars[i], 0, 0, 12.0f * 4.0f / 4.0f, 0, true);
			glPopMatrix();
			if (gSaucerBeam.selected == beams[i])
				DrawPiece(INFOBAR_SPRITE_SLOT_MARKER, x - 26.0f, y + 12.0f, 24.0f);
		}
	}

	void DrawHelpLine()
	{
		const char* text = GetHelpMessageText();
		if (!text[0])
		{
			if (gHelpTextNode)
			{
				DeleteObject(gHelpTextNode);
				gHelpTextNode = nullptr;
			}
			return;
		}
		if (!gHelpTextNode || gHelpTextShown != text)
		{
			if (gHelpTextNode)
				DeleteObject(gHelpTextNode);
			ObjectDef def = {};
			def.scale = 1;
			def.slot = SLOT_OF_DUMB;
			gHelpTextNode = TextMesh_New(text, TEXTMESH_ALIGN_CENTER, &def);
			if (gHelpTextNode)
				gHelpTextNode->StatusBits |= STATUS_BIT_HIDDEN;		// drawn here, over the band
			gHelpTextShown = text;
		}

		// A dark band under the line, dark enough that the sun on the
		// cloud level's bridges cannot wash the letters out.
		float alpha = gInfobar.helpAlpha;
		glDisable(GL_TEXTURE_2D);
		glColor4f(HELP_BAND_COLOR.r, HELP_BAND_COLOR.g, HELP_BAND_COLOR.b, alpha * HELP_BAND_COLOR.a);
		glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
		glBegin(GL_QUADS);
		glVertex2f(gLayout.left, gLayout.height - HELP_BAND_TOP);
		glVertex2f(gLayout.right, gLayout.height - HELP_BAND_TOP);
		glVertex2f(gLayout.right, gLayout.height - HELP_BAND_BOTTOM);
		glVertex2f(gLayout.left, gLayout.height - HELP_BAND_BOTTOM);
		glEnd();
		glColor4f(1, 1, 1, 1);

		if (!gHelpTextNode || !gHelpTextNode->BaseGroup)
			return;
		glPushMatrix();
		glTranslatef((gLayout.left + gLayout.right) * 0.5f, gLayout.height - (HELP_BAND_TOP + HELP_BAND_BOTTOM) * 0.5f, 0);
		glScalef(HELP_TEXT_SCALE, HELP_TEXT_SCALE, 1);
		gGlobalTransparency = alpha;
		TextMesh_DrawUnderlay(gHelpTextNode);
		glBlendFunc(GL_SRC_ALPHA, GL_ONE);
		MO_DrawObject(gHelpTextNode->BaseGroup);
		gGlobalTransparency = 1;
		glPopMatrix();
	}
}

namespace
{
	// Over a level shown for watching, its caption breathes at the top, so no
	// one takes the demo for a game they are meant to be playing. Only the
	// text's mesh is kept, not a node: a replay must find the level's node
	// list as it was when the level was played.
	void DrawShowCaption()
	{
		if (!gLevelShow.active || gLevelShow.caption < 0)
		{
			InfobarForgetCaption();
			return;
		}
		if (!gCaptionMesh || gCaptionShown != gLevelShow.caption)
		{
			InfobarForgetCaption();
			ObjectDef def = {};
			def.scale = 1;
			def.slot = SLOT_OF_DUMB;
			ObjNode* node = TextMesh_New(GetString(gLevelShow.caption), TEXTMESH_ALIGN_CENTER, &def);
			gCaptionMesh = node->BaseGroup ? MO_AddReference(node->BaseGroup) : nullptr;
			DeleteObject(node);
			gCaptionShown = gLevelShow.caption;
		}
		if (!gCaptionMesh)
			return;
		gCaptionPhase = std::fmod(gCaptionPhase + CAPTION_PULSE_RATE * gFrameTime, 6.2831853f);
		glPushMatrix();
		glTranslatef((gLayout.left + gLayout.right) * 0.5f, CAPTION_Y, 0);
		glScalef(CAPTION_SCALE, CAPTION_SCALE, 1);
		gGlobalTransparency = 0.75f + 0.25f * std::sin(gCaptionPhase);
		glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
		const OGLColorRGBA filter = gGlobalColorFilter;
		gGlobalColorFilter = CAPTION_COLOR;
		MO_DrawObject(gCaptionMesh);
		gGlobalColorFilter = filter;
		gGlobalTransparency = 1;
		glPopMatrix();
	}
}

void InfobarForgetCaption()
{
	if (gCaptionMesh)
		MO_DisposeObjectReference(gCaptionMesh);
	gCaptionMesh = nullptr;
	gCaptionShown = -1;
}

void DrawInfobar()
{
	// A fly-over tours the level with no one playing: nothing to show.
	if (gNumSpritesInGroupList[SPRITE_GROUP_INFOBAR] < NUM_INFOBAR_SPRITES || gRunOptions.flyOver)
		return;
	UpdateInfobar(gFrameTime);

	int vx, vy, vw, vh;
	OGL_GetViewport(&vx, &vy, &vw, &vh);
	float aspect = vh > 0 ? float(vw) / float(vh) : g2DLogicalAspect;
	gLayout = CalcInfobarLayout(g2DLogicalWidth, aspect, gGamePrefs.hudScale, gGamePrefs.hudWithin4x3 != 0);

	uint32_t savedFlags = gGlobalMaterialFlags;
	OGL_PushState();
	OGL_Set2DOverlayState(false);
	glMatrixMode(GL_PROJECTION);
	glLoadIdentity();
	glOrtho(0, gLayout.width, gLayout.height, 0, 0, 1);
	glMatrixMode(GL_MODELVIEW);
	glLoadIdentity();
	glDisable(GL_FOG);
	glEnable(GL_BLEND);

	// The corners hold the health and goal gauges in their sockets, so they
	// keep to the bar's edges when it is narrowed to 4:3.
	DrawPiece(INFOBAR_SPRITE_CORNER_LEFT, gLayout.left, 0, CORNER_SIZE);
	DrawPiece(INFOBAR_SPRITE_CORNER_RIGHT, gLayout.right - CORNER_SIZE, 0, CORNER_SIZE);
	DrawLives();
	DrawHealth();
	DrawCornerOrnament();
	DrawGoal();
	DrawRescueCounters();
	if (CurrentLevelDef().playerStart == PLAYER_START_FLYING_SAUCER)
	{
		DrawFuel(SAUCER_FUEL_ALPHA);
		DrawSaucerBeams();
	}
	else
	{
		DrawWeaponSlots();
		DrawFuel(1);
	}
	DrawHelpLine();
	DrawShowCaption();

	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	OGL_PopState();
	gGlobalMaterialFlags = savedFlags;
}

void InfobarForgetHelpText()
{
	gHelpTextNode = nullptr;
	gHelpTextShown.clear();
	InfobarForgetCaption();
}
