// Writes the seed inputs of the harnesses for the files the game keeps for the
// player and the small files it reads: preferences, saved games and the
// high-score table from the game's own encoders; the strings table and the
// level routes from the baker's steps; input scripts that use every command;
// and sampled sounds ('snd ' resources of every header kind, and the loaded
// form the game keeps in memory) made from the baker's AIFF writer.
// Usage: fuzz_file_seeds PREFS SAVES HIGH_SCORES STRINGS ROUTES SCRIPTS SOUNDS
#include "Bake.h"
#include "formats/AiffWriter.h"
#include "Aiff.h"
#include "formats/BigEndianWriter.h"
#include "Memory.h"
#include "Sound.h"
#include "Automation/InputScript.h"
#include "Screens/HighScores.h"
#include "System/PrefsFile.h"
#include "System/SavedGame.h"
#include "System/Game.h"
#include "System/Strings.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{
	void Write(const fs::path& path, const void* bytes, size_t size)
	{
		std::ofstream out(path, std::ios::binary | std::ios::trunc);
		out.write(static_cast<const char*>(bytes), std::streamsize(size));
		if (!out)
			throw std::runtime_error("can't write " + path.string());
	}

	void Write(const fs::path& path, const std::vector<uint8_t>& bytes) { Write(path, bytes.data(), bytes.size()); }

	void SeedPrefs(const fs::path& dir)
	{
		for (int language = 0; language < MAX_LANGUAGES; language++)
		{
			PrefsType prefs;
			MakeDefaultPrefs(&prefs, language);
			prefs.hudScale = uint8_t(language % NUM_HUD_SCALES);
			prefs.bindings[language].key[1] = int16_t(40 + language);
			uint8_t image[PREFS_FILE_SIZE];
			EncodePrefsFile(prefs, image);
			Write(dir / ("prefs" + std::to_string(language)), image, sizeof(image));
		}
	}

	void SeedSaves(const fs::path& dir)
	{
		for (int level = 0; level < NUM_LEVELS - 1; level++)
		{
			SavedGamePlayerState state = {int32_t(level * 4321), level, 1 + level % 5, 0.25f * float(level % 5), 0.1f * float(level)};
			SavedGameRecord record = MakeSavedGameRecord(state, 1700000000 + 86400 * level);
			record.hasWeapons = true;
			record.currentWeapon = int16_t(level % 3 - 1);
			for (int k = 0; k < MAX_WEAPON_SLOTS; k++)
				record.weapons[k] = k < level ? WeaponSlot{int16_t(k % NUM_INVENTORY_WEAPONS), int16_t(k * 12)} : WeaponSlot{-1, 0};
			uint8_t image[SAVED_GAME_FILE_SIZE];
			EncodeSavedGameFile(record, image);
			Write(dir / ("save" + std::to_string(level)), image, sizeof(image));
			EncodeSavedGame(record, image);		// a save from before weapons were kept
			Write(dir / ("old-save" + std::to_string(level)), image, SAVED_GAME_SIZE);
		}
	}

	void SeedHighScores(const fs::path& dir)
	{
		HighScoreEntry table[NUM_HIGH_SCORES] = {};
		uint8_t image[HIGH_SCORES_FILE_SIZE];
		EncodeHighScores(table, image);
		Write(dir / "empty", image, sizeof(image));
		for (int i = 0; i < NUM_HIGH_SCORES; i++)
		{
			snprintf(table[i].name, sizeof(table[i].name), i % 2 ? "ROBOT %d" : "Player {%d}", i);
			table[i].score = uint32_t((NUM_HIGH_SCORES - i) * 12345);
		}
		std::memset(table[3].name, 'W', MAX_NAME_LENGTH);
		EncodeHighScores(table, image);
		Write(dir / "full", image, sizeof(image));
	}

	// The baker's own files, baked into a scratch folder and copied.
	void SeedFromBake(const std::string& step, const fs::path& scratch, const fs::path& dir)
	{
		if (Bake::RunSteps({scratch}, step) == 0)
			throw std::runtime_error("no bake step " + step);
		for (const fs::directory_entry& entry : fs::recursive_directory_iterator(scratch))
			if (entry.is_regular_file())
				fs::copy_file(entry.path(), dir / entry.path().filename(), fs::copy_options::overwrite_existing);
		fs::remove_all(scratch);
	}

	void SeedScripts(const fs::path& dir)
	{
		const char* scripts[] = {
			"# walk the menus\n10 key Return\n40 need UI_CONFIRM 3\n60 need ui_back\n90 shot menu.png\n100 quit\n",
			"0 key Left 20\n5 key Right\n25 need JUMP 60\n30 need FORWARD 120 # run and jump\n200 shot a.tga\n",
			"1 key F10\n1 key Escape 1\n2 need PAUSE\n\n3 quit\n",
		};
		int n = 0;
		for (const char* text : scripts)
		{
			InputScript script;
			std::string error;
			if (!InputScript_Parse(text, &script, &error))
				throw std::runtime_error("seed script " + std::to_string(n) + ": " + error);
			Write(dir / ("script" + std::to_string(n++)), text, strlen(text));
		}
	}

	// A format-1 'snd ' resource: one sampled-synth modifier and a buffer
	// command pointing at the header that follows.
	std::vector<uint8_t> SndResource(const std::vector<uint8_t>& header, int format)
	{
		Bake::BigEndianWriter w;
		w.U16(uint16_t(format));
		if (format == 1)
		{
			w.U16(1);			// one modifier
			w.U16(5);			// sampled synth
			w.U32(0x80);		// init options: mono
		}
		else
		{
			w.U16(0);			// reference count
		}
		w.U16(1);				// one command
		w.U16(0x8051);			// bufferCmd, data offset flag
		w.U16(0);
		w.U32(uint32_t(w.Size() + 4));
		w.Bytes(header);
		return w.Take();
	}

	// The header a resource holds for a sound the game's AIFF reader read:
	// standard (unsigned 8-bit mono), extended (8 or 16 bits) or compressed.
	std::vector<uint8_t> SoundHeader(const Tamber::Sound::SoundInfo& info)
	{
		Bake::BigEndianWriter w;
		bool standard = !info.isCompressed && info.bitDepth == 8 && info.channels == 1;
		w.U32(0);
		w.U32(uint32_t(standard ? info.frames : info.channels));
		w.U32(uint32_t(info.sampleRate * 65536.0));
		w.U32(uint32_t(info.loopStart));
		w.U32(uint32_t(info.loopEnd));
		w.U8(standard ? 0x00 : info.isCompressed ? 0xFE : 0xFF);
		w.U8(uint8_t(info.baseNote));
		if (!standard)
		{
			w.U32(uint32_t(info.frames));
			w.Zeros(40 - w.Size());				// the rate as an 80-bit float, markers
			w.U32(info.isCompressed ? info.format : 0);
			w.Zeros(48 - w.Size());
			w.U16(uint16_t(info.isCompressed ? 16 : info.bitDepth));
			w.Zeros(64 - w.Size());
		}
		w.Bytes(info.dataStart, size_t(info.compressedLength));
		return w.Take();
	}

	void SeedSounds(const fs::path& dir)
	{
		const Bake::AiffEncoding all[] = {Bake::AiffEncoding::Pcm16, Bake::AiffEncoding::Pcm8, Bake::AiffEncoding::Pcm16Twos,
			Bake::AiffEncoding::Pcm16Sowt, Bake::AiffEncoding::Ima4, Bake::AiffEncoding::ULaw, Bake::AiffEncoding::ALaw,
			Bake::AiffEncoding::Mace3};
		int n = 0;
		for (int channels = 1; channels <= 2; channels++)
			for (Bake::AiffEncoding encoding : all)
			{
				Bake::AiffSound sound;
				sound.channels = channels;
				for (int i = 0; i < 192 * channels; i++)
					sound.samples.push_back(int16_t((i * 977) % 20000 - 10000));
				sound.loop = n % 2;
				sound.loopStart = 8;
				sound.loopEnd = 150;
				std::vector<uint8_t> file = Bake::WriteAiff(sound, encoding);
				Tamber::Sound::AIFFSound read = Tamber::Sound::ReadAIFF(file);
				std::string stem = "sound" + std::to_string(n++);
				Write(dir / (stem + "-format1"), SndResource(SoundHeader(read.info), 1));
				Write(dir / (stem + "-format2"), SndResource(SoundHeader(read.info), 2));

				// The forms the game holds in memory: loaded, then decoded.
				Handle h = Tamber::Sound::LoadAIFFAsSoundHandle(file);
				Write(dir / (stem + "-loaded"), *h, size_t(GetHandleSize(h)));
				int32_t offset = 0;
				Tamber::Sound::DecompressSoundHandle(&h, &offset);
				Write(dir / (stem + "-decoded"), *h, size_t(GetHandleSize(h)));
				DisposeHandle(h);
			}
	}
}

int main(int argc, char** argv)
{
	if (argc != 8)
	{
		fprintf(stderr, "usage: %s PREFS SAVES HIGH_SCORES STRINGS ROUTES SCRIPTS SOUNDS\n", argv[0]);
		return 2;
	}
	std::vector<fs::path> dirs(argv + 1, argv + argc);
	for (const fs::path& dir : dirs)
		fs::create_directories(dir);
	try
	{
		SeedPrefs(dirs[0]);
		SeedSaves(dirs[1]);
		SeedHighScores(dirs[2]);
		fs::path scratch = fs::temp_directory_path() / ("zapp-seeds-" + std::to_string(getpid()));
		SeedFromBake("system/strings", scratch, dirs[3]);
		SeedFromBake("routes/", scratch, dirs[4]);
		SeedScripts(dirs[5]);
		SeedSounds(dirs[6]);
	}
	catch (const std::exception& e)
	{
		fprintf(stderr, "%s: %s\n", argv[0], e.what());
		return 1;
	}
	return 0;
}
