// The bonus tally after a level, with the offer to save.
#include "Screens/AfterTallyScene.h"
#include "Screens/BonusTally.h"
#include "Screens/BonusScene.h"
#include "Screens/ScoreScreenModels.h"
#include "Screens/FrontEndHooks.h"
#include "Screens/Menu.h"
#include "Screens/Screens.h"
#include "3D/OGL_Support.h"
#include "3D/Sprites.h"
#include "3D/TextMesh.h"
#include "Items/Humans.h"
#include "Player/Player.h"
#include "Player/Weapons.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/Input.h"
#include "System/ContentNumbers.h"
#include "System/LevelTable.h"
#include "System/Objects.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "System/Strings.h"

#include <cstdio>

namespace
{
	constexpr int16_t BONUS_TEXT_SLOT = 5100;
	// The numbers sit on their panel in the upper half; the scene stands below.
	constexpr float PANEL_Y = BONUS_PANEL_Y;
	constexpr float PANEL_W = BONUS_PANEL_W;
	constexpr float PANEL_H = BONUS_PANEL_H;
	constexpr int SAVE_PICK = 1;
	constexpr int CONTINUE_PICK = 0;

	const OGLColorRGBA TITLE_COLOR = {1.0f, 1.0f, 0.7f, 1};
	const OGLColorRGBA LABEL_COLOR = {0.7f, 0.9f, 1.0f, 1};
	const OGLColorRGBA VALUE_COLOR = {1.0f, 0.85f, 0.3f, 1};

	BonusTally gTally;
	int16_t gBeepChannel = -1;
	float gTextAlpha = 1;
	uint32_t gFlickerSeed = 1;

	struct Line
	{
		ObjNode* value;
		int shown;
	};
	Line gHumansLine, gWeaponsLine, gBonusLine, gScoreLine;
	ObjNodeRef gPanel;				// goes with the numbers, before the save offer

	ObjNode* MakeText(const char* text, float x, float y, float scale, OGLColorRGBA color, int align)
	{
		ObjectDef def = {};
		def.coord = {x, y, 0};
		def.slot = BONUS_TEXT_SLOT;
		def.scale = scale;
		ObjNode* node = TextMesh_New(text, align, &def);
		node->ColorFilter = color;
		return node;
	}

	Line MakeLine(int label, float y)
	{
		MakeText(GetString(label), BONUS_LABEL_X, y, BONUS_LABEL_SCALE, LABEL_COLOR, TEXTMESH_ALIGN_LEFT);
		return {MakeText("0", BONUS_VALUE_X, y, BONUS_VALUE_SCALE, VALUE_COLOR, TEXTMESH_ALIGN_RIGHT), -1};
	}

	void ShowNumber(Line& line, int value)
	{
		if (line.shown == value)
			return;
		char text[16];
		snprintf(text, sizeof(text), "%d", value);
		TextMesh_Update(text, TEXTMESH_ALIGN_RIGHT, line.value);
		line.shown = value;
	}

	void LivesText(char* text, size_t size)
	{
		if (gRun.lives <= 0)
			snprintf(text, size, "%s", GetString(STR_BONUS_COUNT_NONE));
		else if (gRun.lives == 1)
			snprintf(text, size, "%s", GetString(STR_BONUS_COUNT_ONE));
		else
			snprintf(text, size, GetString(STR_BONUS_COUNT_MANY), int(gRun.lives));
	}

	void StopBeep()
	{
		if (gBeepChannel >= 0)
			StopAChannel(&gBeepChannel);
		gBeepChannel = -1;
	}

	void TallyFrame(float)
	{
		BonusEvent event = StepBonusTally(&gTally, gFrameTime, GetNeedState(NEED_JUMP));
		if (event == BONUS_EVENT_HUMAN)
			BonusSceneHumanCounted(gTally.humanKind);
		if (event == BONUS_EVENT_ITEM)
			BonusSceneItemCounted(gTally.itemType);
		if (event == BONUS_EVENT_POINTS && gBeepChannel < 0 && IsSoundEffectLoaded(EFFECT_POINTBEEP))
			gBeepChannel = PlayEffect(EFFECT_POINTBEEP);
		if (event == BONUS_EVENT_EMPTY)
			StopBeep();

		ShowNumber(gHumansLine, gTally.humansCounted);
		ShowNumber(gWeaponsLine, gTally.itemsCounted);
		ShowNumber(gBonusLine, gTally.bonus);
		ShowNumber(gScoreLine, gTally.score);

		// The texts start fading a while into the end pause.
		gTextAlpha = 1;
		if (gTally.phase >= BONUS_PHASE_PAUSE)
			gTextAlpha = 1 - (gTally.pauseTime - BONUS_TEXT_FADE_START) / (BONUS_END_PAUSE - BONUS_TEXT_FADE_START);
		gTextAlpha = gTextAlpha > 1 ? 1 : gTextAlpha < 0 ? 0 : gTextAlpha;
		// A slight flicker, from its own generator: the game's random numbers
		// must not depend on how long a screen was looked at.
		for (ObjNode* node = gObjectListHead; node; node = node->NextNode)
			if (node->Slot == BONUS_TEXT_SLOT)
			{
				gFlickerSeed = gFlickerSeed * 1664525u + 1013904223u;
				node->ColorFilter.a = gTextAlpha * (0.9f + 0.099f * float(gFlickerSeed >> 8) / float(1u << 24));
			}
	}

	const MenuItem kSaveOfferMenu[] =
	{
		{.kind = MENU_ITEM_PICK, .text = STR_SAVE_GAME, .pick = SAVE_PICK},
		{.kind = MENU_ITEM_PICK, .text = STR_CONTINUE, .pick = CONTINUE_PICK},
		{.kind = MENU_ITEM_END},
	};
}

void DoBonusScreen()
{
	// Automated runs play levels only (nothing may wait on a screen), and
	// their scores stay comparable from level to level without it.
	if (AutomatedRunSkipsScreens())
		return;

	// A run that used the cheats was handed its weapons: they earn nothing.
	StartBonusTally(&gTally, gLevel.humansRescued, gRun.weapons, gRun.score, !gRun.usedCheats);

	PlaySong(SONG_BONUS, 0);
	LoadSoundBank(SOUND_BANK_BONUS);
	SetupScreenView({0.05f, 0.02f, 0.15f, 4000, false, 0, 900});
	MakeBonusScene(!CurrentLevelHasRule(LEVEL_RULE_BARE_BONUS_TALLY));
	{
		ObjectDef def = {};
		def.group = SPRITE_GROUP_LEVELSPECIFIC;
		def.type = BONUS_SPRITE_PANEL;
		def.coord = {-PANEL_W * 0.5f, PANEL_Y - PANEL_H * 0.5f, 0};
		def.slot = BONUS_TEXT_SLOT - 1;
		def.scale = 1;
		ObjNode* panel = MakeSpriteObject(&def);
		panel->Scale = {PANEL_W, PANEL_H, 1};
		UpdateObjectTransforms(panel);
		gPanel = ObjNodeRef(panel);
	}

	MakeText(GetString(STR_LEVEL_COMPLETE), 0, PANEL_Y - 80, BONUS_TITLE_SCALE, TITLE_COLOR, TEXTMESH_ALIGN_CENTER);
	gHumansLine = MakeLine(STR_HUMANS_RESCUED, PANEL_Y - 35);
	gWeaponsLine = MakeLine(STR_WEAPONS_LEFT, PANEL_Y - 8);
	gBonusLine = MakeLine(STR_BONUS, PANEL_Y + 25);
	gScoreLine = MakeLine(STR_SCORE, PANEL_Y + 52);
	char lives[128];
	LivesText(lives, sizeof(lives));
	MakeText(lives, 0, PANEL_Y + 88, BONUS_LIVES_SCALE, LABEL_COLOR, TEXTMESH_ALIGN_CENTER);

	gBeepChannel = -1;
	UpdateInput();
	MeasureFrameTime();
	while (gTally.phase != BONUS_PHASE_DONE)
	{
		UpdateInput();
		MeasureFrameTime();
		MoveObjects();
		TallyFrame(gFrameTime);
		OGL_DrawScene(DrawObjects);
	}
	StopBeep();
	gRun.score = gTally.score;
	if (ObjNode* panel = gPanel.Get())
		DeleteObject(panel);

	if (gCurrentLevel < NUM_LEVELS - 1)
	{
		if (StartMenu(kSaveOfferMenu, nullptr, nullptr, DrawObjects) == SAVE_PICK)
			SaveSlotScreen(SAVE_SLOT_MODE_SAVE, DrawObjects);
	}
	EndScreen();
	DisposeBonusScene();
	DoAfterTallyScene();
	DisposeSoundBank(SOUND_BANK_BONUS);
}
