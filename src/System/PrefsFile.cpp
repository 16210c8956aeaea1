#include "System/PrefsFile.h"
#include "System/Strings.h"

#include <cstring>

void MakeDefaultPrefs(PrefsType* prefs, int language)
{
	std::memset(prefs, 0, sizeof(*prefs));
	prefs->fullscreen = 1;
	prefs->vsync = 1;
	prefs->hudWithin4x3 = 0;
	prefs->hudScale = 5;
	prefs->displayNumber = 0;
	prefs->antialiasingLevel = 0;
	prefs->music = 1;
	prefs->language = uint8_t(language >= 0 && language < MAX_LANGUAGES ? language : LANGUAGE_ENGLISH);
	prefs->cameraAlwaysFollow = 0;
	prefs->cameraAutoFollow = 1;
	prefs->mouseSensitivity = 4;
	prefs->mouseSteersRobot = 1;
	prefs->freeCameraOrbit = 1;
	prefs->rumble = 1;
	prefs->anaglyphMode = 0;
	prefs->anaglyphCalibrationRed = 216;
	prefs->anaglyphCalibrationGreen = 144;
	prefs->anaglyphCalibrationBlue = 255;
	prefs->doAnaglyphChannelBalancing = 1;
	prefs->reserved = 0;
	std::memcpy(prefs->bindings, kDefaultInputBindings, sizeof(prefs->bindings));
}

int PickLanguageFromLocales(const char* const* languageCodes, int count)
{
	for (int i = 0; i < count; i++)
	{
		const char* code = languageCodes[i];
		if (!code || !code[0] || !code[1])
			continue;
		// "de", "de_CH", "de-CH": only the language part counts.
		char end = code[2];
		if (end != '\0' && end != '_' && end != '-')
			continue;
		char lower[2] = { char(code[0] | 0x20), char(code[1] | 0x20) };
		for (int language = 0; language < MAX_LANGUAGES; language++)
		{
			if (lower[0] == kLanguageCodes[language][0] && lower[1] == kLanguageCodes[language][1])
				return language;
		}
	}
	return LANGUAGE_ENGLISH;
}

namespace
{
	void CheckBool(uint8_t* field, uint8_t fallback, int& reset)
	{
		if (*field > 1)
		{
			*field = fallback;
			reset++;
		}
	}

	void CheckBelow(uint8_t* field, int limit, uint8_t fallback, int& reset)
	{
		if (*field >= limit)
		{
			*field = fallback;
			reset++;
		}
	}

	bool IsValidPadInput(int type, int id)
	{
		switch (type)
		{
			case PAD_BINDING_NONE:
				return id == 0;
			case PAD_BINDING_BUTTON:
				return id >= 0 && id < NUM_PAD_BUTTONS;
			case PAD_BINDING_AXIS_POSITIVE:
			case PAD_BINDING_AXIS_NEGATIVE:
				return id >= 0 && id < NUM_PAD_AXES;
			default:
				return false;
		}
	}

	void CheckBinding(InputBinding* binding, const InputBinding& fallback, int& reset)
	{
		for (int k = 0; k < 2; k++)
		{
			if (binding->key[k] < 0 || binding->key[k] >= NUM_KEY_STATES)
			{
				binding->key[k] = fallback.key[k];
				reset++;
			}
			if (!IsValidPadInput(binding->pad[k].type, binding->pad[k].id))
			{
				binding->pad[k] = fallback.pad[k];
				reset++;
			}
		}
		if (binding->mouseButton < 0 || binding->mouseButton >= NUM_SUPPORTED_MOUSE_BUTTONS)
		{
			binding->mouseButton = fallback.mouseButton;
			reset++;
		}
		if (binding->padByte != 0)
		{
			binding->padByte = 0;
			reset++;
		}
	}
}

int ValidatePrefs(PrefsType* prefs, const PrefsType& defaults)
{
	int reset = 0;

	CheckBool(&prefs->fullscreen, defaults.fullscreen, reset);
	CheckBool(&prefs->vsync, defaults.vsync, reset);
	CheckBool(&prefs->hudWithin4x3, defaults.hudWithin4x3, reset);
	CheckBelow(&prefs->hudScale, NUM_HUD_SCALES, defaults.hudScale, reset);
	// displayNumber: any byte is acceptable; the window falls back to display 0
	// when it names a display that is not there.
	CheckBelow(&prefs->antialiasingLevel, MAX_ANTIALIASING_LEVEL + 1, defaults.antialiasingLevel, reset);
	CheckBool(&prefs->music, defaults.music, reset);
	CheckBelow(&prefs->language, MAX_LANGUAGES, defaults.language, reset);
	CheckBool(&prefs->cameraAlwaysFollow, defaults.cameraAlwaysFollow, reset);
	CheckBool(&prefs->cameraAutoFollow, defaults.cameraAutoFollow, reset);
	CheckBelow(&prefs->mouseSensitivity, NUM_MOUSE_SENSITIVITIES, defaults.mouseSensitivity, reset);
	CheckBool(&prefs->mouseSteersRobot, defaults.mouseSteersRobot, reset);
	CheckBool(&prefs->freeCameraOrbit, defaults.freeCameraOrbit, reset);
	CheckBool(&prefs->rumble, defaults.rumble, reset);
	CheckBelow(&prefs->anaglyphMode, NUM_ANAGLYPH_MODES, defaults.anaglyphMode, reset);
	// The three calibration bytes take any value.
	CheckBool(&prefs->doAnaglyphChannelBalancing, defaults.doAnaglyphChannelBalancing, reset);
	if (prefs->reserved != 0)
	{
		prefs->reserved = 0;
		reset++;
	}
	for (int i = 0; i < NUM_REMAPPABLE_NEEDS; i++)
		CheckBinding(&prefs->bindings[i], defaults.bindings[i], reset);

	return reset;
}

namespace
{
	constexpr int FIRST_BINDING_OFFSET = 20;
	constexpr int BINDING_SIZE = 10;

	void PutLittle16(uint8_t* p, int16_t value)
	{
		p[0] = uint8_t(uint16_t(value) & 0xFF);
		p[1] = uint8_t(uint16_t(value) >> 8);
	}

	int16_t GetLittle16(const uint8_t* p)
	{
		return int16_t(uint16_t(p[0] | (p[1] << 8)));
	}
}

// The 20 option bytes and the bindings are written field by field, so the file
// is the same on any host.
void EncodePrefsFile(const PrefsType& prefs, uint8_t out[PREFS_FILE_SIZE])
{
	std::memcpy(out, PREFS_MAGIC, PREFS_HEADER_LENGTH);
	uint8_t* record = out + PREFS_HEADER_LENGTH;
	std::memcpy(record, &prefs, FIRST_BINDING_OFFSET);
	for (int i = 0; i < NUM_REMAPPABLE_NEEDS; i++)
	{
		const InputBinding& b = prefs.bindings[i];
		uint8_t* p = record + FIRST_BINDING_OFFSET + i * BINDING_SIZE;
		PutLittle16(p + 0, b.key[0]);
		PutLittle16(p + 2, b.key[1]);
		p[4] = uint8_t(b.mouseButton);
		p[5] = uint8_t(b.pad[0].type);
		p[6] = uint8_t(b.pad[0].id);
		p[7] = uint8_t(b.pad[1].type);
		p[8] = uint8_t(b.pad[1].id);
		p[9] = b.padByte;
	}
}

PrefsDecodeResult DecodePrefsFile(const uint8_t* bytes, size_t size, const PrefsType& defaults,
								  PrefsType* prefs, int* numFieldsReset)
{
	if (size != size_t(PREFS_FILE_SIZE))
		return PREFS_DECODE_WRONG_SIZE;
	if (std::memcmp(bytes, PREFS_MAGIC, PREFS_HEADER_LENGTH) != 0)
		return PREFS_DECODE_BAD_MAGIC;

	PrefsType decoded;
	const uint8_t* record = bytes + PREFS_HEADER_LENGTH;
	std::memcpy(&decoded, record, FIRST_BINDING_OFFSET);
	for (int i = 0; i < NUM_REMAPPABLE_NEEDS; i++)
	{
		InputBinding& b = decoded.bindings[i];
		const uint8_t* p = record + FIRST_BINDING_OFFSET + i * BINDING_SIZE;
		b.key[0] = GetLittle16(p + 0);
		b.key[1] = GetLittle16(p + 2);
		b.mouseButton = int8_t(p[4]);
		b.pad[0] = {int8_t(p[5]), int8_t(p[6])};
		b.pad[1] = {int8_t(p[7]), int8_t(p[8])};
		b.padByte = p[9];
	}

	int reset = ValidatePrefs(&decoded, defaults);
	if (numFieldsReset)
		*numFieldsReset = reset;
	*prefs = decoded;
	return PREFS_DECODE_OK;
}
