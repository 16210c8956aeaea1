// The settings menu and its submenus. Cyclers edit bytes of gGamePrefs
// directly; their change routines apply the setting at once.
#include "Screens/SettingsMenu.h"
#include "System/DataFiles.h"
#include "System/Error.h"
#include "System/Input.h"
#include "System/InputBindings.h"
#include "System/Prefs.h"
#include "System/Sound.h"
#include "System/Strings.h"
#include "System/Window.h"
#include "3D/OGL_Support.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <initializer_list>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{
	constexpr float TEST_RUMBLE_STRENGTH = 1.0f;
	constexpr int TEST_RUMBLE_MS = 500;
	constexpr int MAX_DISPLAYS_SHOWN = 255;			// the preference is one byte

	void PlayIfLoaded(int effect)
	{
		if (IsSoundEffectLoaded(effect))
			PlayEffect(effect);
	}

	void OnMusicChanged(const MenuItem*)
	{
		ToggleMusic();
	}

	void OnLanguageChanged(const MenuItem*)
	{
		LoadLocalizedStrings(gGamePrefs.language);
		LayoutCurrentMenuAgain();
	}

	void OnDisplayChanged(const MenuItem*)
	{
		if (!gLogicOnly)
			ApplyDisplayMode();
	}

	void OnRumbleChanged(const MenuItem*)
	{
		if (gGamePrefs.rumble)
			Rumble(TEST_RUMBLE_STRENGTH, TEST_RUMBLE_MS);
	}

	// The stereo mode changes how every later frame is cleared: wipe what the
	// old mode left in the buffers.
	void OnStereoChanged(const MenuItem*)
	{
		if (gLogicOnly)
			return;
		for (int i = 0; i < 4; i++)
		{
			glClearColor(0, 0, 0, 1);
			glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
			if (gWindow)
				SDL_GL_SwapWindow(gWindow);
		}
	}

	int CountDisplays()
	{
		const int n = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetNumVideoDisplays() : 1;
		if (n < 1)
			return 1;		// an error from SDL: offer the one display we run on
		return n > MAX_DISPLAYS_SHOWN ? MAX_DISPLAYS_SHOWN : n;
	}

	const char* DisplayChoiceText(char* buffer, int size, int index)
	{
		snprintf(buffer, size_t(size), "%s %d", GetString(STR_DISPLAY_NUMBER), index + 1);
		return buffer;
	}

	int CountLanguages()
	{
		return MAX_LANGUAGES;
	}

	const char* LanguageChoiceText(char* buffer, int size, int index)
	{
		snprintf(buffer, size_t(size), "%s", GetLanguageOwnName(index));
		return buffer;
	}

	const char* ControllerNameText(const MenuItem*)
	{
		const char* name = GetControllerName();
		return name ? name : GetString(STR_NO_GAMEPAD);
	}

	void ResetKeyboard(const MenuItem*)
	{
		ResetKeyboardBindings(gGamePrefs.bindings);
		FlushInputEvents();
		PlayIfLoaded(EFFECT_FLAREEXPLODE);
		LayoutCurrentMenuAgain();
	}

	void ResetMouse(const MenuItem*)
	{
		ResetMouseBindings(gGamePrefs.bindings);
		FlushInputEvents();
		PlayIfLoaded(EFFECT_FLAREEXPLODE);
		LayoutCurrentMenuAgain();
	}

	void ResetPad(const MenuItem*)
	{
		ResetPadBindings(gGamePrefs.bindings);
		FlushInputEvents();
		PlayIfLoaded(EFFECT_FLAREEXPLODE);
		LayoutCurrentMenuAgain();
	}

	MenuItem Title(int text) { MenuItem m; m.kind = MENU_ITEM_TITLE; m.text = text; return m; }
	MenuItem Subtitle(int text) { MenuItem m; m.kind = MENU_ITEM_SUBTITLE; m.text = text; return m; }
	MenuItem Label(int text) { MenuItem m; m.kind = MENU_ITEM_LABEL; m.text = text; return m; }
	MenuItem Spacer() { MenuItem m; m.kind = MENU_ITEM_SPACER; return m; }
	MenuItem End() { return MenuItem{}; }
	MenuItem Action(int text, MenuAction action) { MenuItem m; m.kind = MENU_ITEM_ACTION; m.text = text; m.action = action; return m; }
	MenuItem Back() { return Action(STR_BACK, MenuCallback_Back); }
	MenuItem Submenu(int text, const MenuItem* submenu) { MenuItem m; m.kind = MENU_ITEM_SUBMENU; m.text = text; m.submenu = submenu; return m; }
	MenuItem Binding(int kind, int need) { MenuItem m; m.kind = kind; m.need = need; m.text = STR_NEED_NAME_FIRST + need; return m; }

	MenuItem Cycler(int text, uint8_t* value, std::initializer_list<int> choices, MenuAction onChange = nullptr)
	{
		MenuItem m;
		m.kind = MENU_ITEM_CYCLER;
		m.text = text;
		m.cycler.value = value;
		m.cycler.onChange = onChange;
		for (int choice : choices)
			m.cycler.choices[m.cycler.numChoices++] = choice;
		return m;
	}

	MenuItem OnOff(int text, uint8_t* value, MenuAction onChange = nullptr)
	{
		return Cycler(text, value, {STR_OFF, STR_ON}, onChange);
	}

	MenuItem EightSteps(int text, uint8_t* value)
	{
		return Cycler(text, value, {STR_SCALE_FIRST, STR_SCALE_FIRST + 1, STR_SCALE_FIRST + 2, STR_SCALE_FIRST + 3,
				STR_SCALE_FIRST + 4, STR_SCALE_FIRST + 5, STR_SCALE_FIRST + 6, STR_SCALE_FIRST + 7});
	}

	const MenuItem kKeyboardMenu[] =
	{
		Title(STR_KEYBOARD), Subtitle(STR_KEYBOARD_INSTRUCTIONS), Spacer(),
		Binding(MENU_ITEM_KEY_BINDING, NEED_FORWARD), Binding(MENU_ITEM_KEY_BINDING, NEED_BACKWARD),
		Binding(MENU_ITEM_KEY_BINDING, NEED_LEFT), Binding(MENU_ITEM_KEY_BINDING, NEED_RIGHT),
		Binding(MENU_ITEM_KEY_BINDING, NEED_JUMP), Spacer(),
		Binding(MENU_ITEM_KEY_BINDING, NEED_SHOOT), Binding(MENU_ITEM_KEY_BINDING, NEED_PUNCH),
		Binding(MENU_ITEM_KEY_BINDING, NEED_PREV_WEAPON), Binding(MENU_ITEM_KEY_BINDING, NEED_NEXT_WEAPON), Spacer(),
		Binding(MENU_ITEM_KEY_BINDING, NEED_CAMERA_LEFT), Binding(MENU_ITEM_KEY_BINDING, NEED_CAMERA_RIGHT),
		Binding(MENU_ITEM_KEY_BINDING, NEED_CENTER_CAMERA), Spacer(),
		Action(STR_RESET_BINDINGS, ResetKeyboard), Spacer(),
		Back(), End(),
	};

	const MenuItem kMouseMenu[] =
	{
		Title(STR_MOUSE), Spacer(),
		Cycler(STR_MOUSE_CONTROLS, &gGamePrefs.mouseSteersRobot, {STR_MOUSE_CONTROLS_CAMERA, STR_MOUSE_CONTROLS_ROBOT}),
		EightSteps(STR_MOUSE_SENSITIVITY, &gGamePrefs.mouseSensitivity), Spacer(),
		Binding(MENU_ITEM_MOUSE_BINDING, NEED_SHOOT), Binding(MENU_ITEM_MOUSE_BINDING, NEED_JUMP),
		Binding(MENU_ITEM_MOUSE_BINDING, NEED_PUNCH), Binding(MENU_ITEM_MOUSE_BINDING, NEED_PREV_WEAPON),
		Binding(MENU_ITEM_MOUSE_BINDING, NEED_NEXT_WEAPON), Binding(MENU_ITEM_MOUSE_BINDING, NEED_CENTER_CAMERA), Spacer(),
		Action(STR_RESET_BINDINGS, ResetMouse), Spacer(),
		Back(), End(),
	};

	MenuItem ControllerName()
	{
		MenuItem m;
		m.kind = MENU_ITEM_SUBTITLE;
		m.generator = ControllerNameText;
		return m;
	}

	const MenuItem kGamepadMenu[] =
	{
		Title(STR_GAMEPAD), ControllerName(), Subtitle(STR_GAMEPAD_INSTRUCTIONS), Spacer(),
		Binding(MENU_ITEM_PAD_BINDING, NEED_JUMP), Binding(MENU_ITEM_PAD_BINDING, NEED_SHOOT),
		Binding(MENU_ITEM_PAD_BINDING, NEED_PUNCH), Binding(MENU_ITEM_PAD_BINDING, NEED_PREV_WEAPON),
		Binding(MENU_ITEM_PAD_BINDING, NEED_NEXT_WEAPON), Binding(MENU_ITEM_PAD_BINDING, NEED_CENTER_CAMERA), Spacer(),
		Action(STR_RESET_BINDINGS, ResetPad), Spacer(),
		OnOff(STR_RUMBLE, &gGamePrefs.rumble, OnRumbleChanged), Spacer(),
		Back(), End(),
	};

	MenuItem LanguageCycler()
	{
		MenuItem m = Cycler(STR_LANGUAGE, &gGamePrefs.language, {}, OnLanguageChanged);
		m.cycler.countChoices = CountLanguages;
		m.cycler.choiceText = LanguageChoiceText;
		return m;
	}

	MenuItem DisplayCycler()
	{
		MenuItem m = Cycler(STR_DISPLAY, &gGamePrefs.displayNumber, {}, OnDisplayChanged);
		m.cycler.countChoices = CountDisplays;
		m.cycler.choiceText = DisplayChoiceText;
		return m;
	}

	const MenuItem kAntialiasingNotice[] =
	{
		Label(STR_ANTIALIASING_NOTICE_1), Label(STR_ANTIALIASING_NOTICE_2), Spacer(),
		Action(STR_OK, MenuCallback_Back), End(),
	};

	const MenuItem kStereoNotice[] =
	{
		Label(STR_STEREO_NOTICE_1), Spacer(), Label(STR_STEREO_NOTICE_2), Label(STR_STEREO_NOTICE_3), Spacer(),
		Action(STR_OK, MenuCallback_Back), End(),
	};

	std::vector<std::string> gLanguageNames;
}

const MenuItem kSettingsMenu[] =
{
	Title(STR_SETTINGS), Spacer(),
	Submenu(STR_KEYBOARD, kKeyboardMenu), Submenu(STR_MOUSE, kMouseMenu), Submenu(STR_GAMEPAD, kGamepadMenu), Spacer(),
	OnOff(STR_MUSIC, &gGamePrefs.music, OnMusicChanged), OnOff(STR_CAMERA_AUTO_FOLLOW, &gGamePrefs.cameraAutoFollow), Spacer(),
	LanguageCycler(), OnOff(STR_HUD_WITHIN_4X3, &gGamePrefs.hudWithin4x3), EightSteps(STR_HUD_SIZE, &gGamePrefs.hudScale), Spacer(),
	OnOff(STR_FULLSCREEN, &gGamePrefs.fullscreen, OnDisplayChanged), OnOff(STR_VSYNC, &gGamePrefs.vsync, OnDisplayChanged),
	DisplayCycler(),
	Cycler(STR_ANTIALIASING, &gGamePrefs.antialiasingLevel, {STR_OFF, STR_ANTIALIASING_2X, STR_ANTIALIASING_4X, STR_ANTIALIASING_8X}),
	Cycler(STR_STEREO_GLASSES, &gGamePrefs.anaglyphMode, {STR_OFF, STR_STEREO_COLOR, STR_STEREO_MONOCHROME}, OnStereoChanged), Spacer(),
	Back(), End(),
};

const char* GetLanguageOwnName(int language)
{
	GAME_ASSERT(language >= 0 && language < MAX_LANGUAGES);
	if (gLanguageNames.empty())
	{
		std::vector<uint8_t> file;
		if (ReadDataFile(STRINGS_FILE_PATH, &file) == noErr && !file.empty())
		{
			for (int l = 0; l < MAX_LANGUAGES; l++)
			{
				std::vector<char> copy(file.begin(), file.end());
				const char* table[MAX_STRINGS] = {};
				ParseLocalizedStrings(copy.data(), copy.size(), l, table);
				gLanguageNames.push_back(table[STR_LANGUAGE_NAME] ? table[STR_LANGUAGE_NAME] : kLanguageCodes[l]);
			}
		}
	}
	if (int(gLanguageNames.size()) == MAX_LANGUAGES)
		return gLanguageNames[language].c_str();
	return kLanguageCodes[language];
}

void DoSettingsScreen(MenuMoveRoutine moveRoutine, MenuDrawRoutine drawRoutine)
{
	const PrefsType before = gGamePrefs;
	StartMenu(kSettingsMenu, nullptr, moveRoutine, drawRoutine);
	SavePrefsIfChanged(before);

	if (gGamePrefs.antialiasingLevel != before.antialiasingLevel)
		StartMenu(kAntialiasingNotice, nullptr, moveRoutine, drawRoutine);
	if (gGamePrefs.anaglyphMode != before.anaglyphMode)
		StartMenu(kStereoNotice, nullptr, moveRoutine, drawRoutine);
}
