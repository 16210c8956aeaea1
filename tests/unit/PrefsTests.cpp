// The preferences record: layout, defaults, the file image, validation, and
// loading and saving through the preferences folder.
#include "System/Prefs.h"
#include "System/PrefsFile.h"
#include "System/PrefsFolder.h"
#include "System/Strings.h"
#include "AtomicWrite.h"
#include "FilesTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>

using namespace FilesTestSupport;

namespace
{
	std::vector<uint8_t> Image(const PrefsType& prefs)
	{
		std::vector<uint8_t> bytes(PREFS_FILE_SIZE);
		EncodePrefsFile(prefs, bytes.data());
		return bytes;
	}

	PrefsType Defaults(int language = LANGUAGE_ENGLISH)
	{
		PrefsType prefs;
		MakeDefaultPrefs(&prefs, language);
		return prefs;
	}

	TEST(PrefsRecordTest, DefaultsAndLayout)
	{
		PrefsType p = Defaults(LANGUAGE_SPANISH);
		const uint8_t expected[20] = { 1, 1, 0, 5, 0, 0, 1, 3, 0, 1, 4, 1, 1, 1, 0, 216, 144, 255, 1, 0 };
		EXPECT_EQ(memcmp(&p, expected, 20), 0);
		EXPECT_EQ(memcmp(p.bindings, kDefaultInputBindings, sizeof(p.bindings)), 0);
	}

	TEST(PrefsRecordTest, FileImageIsMagicThenRecordWithLittleEndianScancodes)
	{
		PrefsType p = Defaults();
		p.bindings[0] = {{0x1234, -2}, 29, {{1, 11}, {3, 4}}, 0};
		std::vector<uint8_t> image = Image(p);
		ASSERT_EQ(image.size(), 156u);
		EXPECT_EQ(std::string(image.begin(), image.begin() + 16), "ZappatronPrefs07");
		EXPECT_EQ(image[16 + 3], 5) << "hudScale at record offset 3";
		EXPECT_EQ(image[16 + 7], 0) << "language at record offset 7";
		const uint8_t binding0[10] = { 0x34, 0x12, 0xFE, 0xFF, 29, 1, 11, 3, 4, 0 };
		EXPECT_EQ(memcmp(image.data() + 36, binding0, 10), 0);
		// The last binding ends the file.
		EXPECT_EQ(image[155], 0);
		EXPECT_EQ(image[16 + 20 + 11 * 10], 55) << "camera right's first key, low byte";
	}

	TEST(PrefsRecordTest, BindingsRoundTripUnchanged)
	{
		PrefsType p = Defaults();
		for (int i = 0; i < NUM_REMAPPABLE_NEEDS; i++)
			p.bindings[i] = {{int16_t(300 + i), int16_t(i)}, int8_t(i + 1), {{1, int8_t(i)}, {2, int8_t(i % 6)}}, 0};
		p.language = LANGUAGE_SWEDISH;
		p.anaglyphCalibrationRed = 7;
		PrefsType back;
		int reset = -1;
		std::vector<uint8_t> image = Image(p);
		ASSERT_EQ(DecodePrefsFile(image.data(), image.size(), Defaults(), &back, &reset), PREFS_DECODE_OK);
		EXPECT_EQ(reset, 0);
		EXPECT_EQ(memcmp(&back, &p, sizeof(p)), 0);
	}

	TEST(PrefsRecordTest, WrongSizeOrMagicIsRejectedAndLeavesTheRecord)
	{
		std::vector<uint8_t> image = Image(Defaults());
		PrefsType out = Defaults(LANGUAGE_ITALIAN);
		PrefsType untouched = out;

		for (size_t size : {size_t(0), size_t(16), size_t(155), size_t(157)})
		{
			std::vector<uint8_t> resized = image;
			resized.resize(size);
			EXPECT_EQ(DecodePrefsFile(resized.data(), resized.size(), Defaults(), &out), PREFS_DECODE_WRONG_SIZE) << size;
		}
		for (int i = 0; i < PREFS_HEADER_LENGTH; i++)
		{
			std::vector<uint8_t> bad = image;
			bad[size_t(i)] ^= 0x20;
			EXPECT_EQ(DecodePrefsFile(bad.data(), bad.size(), Defaults(), &out), PREFS_DECODE_BAD_MAGIC) << i;
		}
		EXPECT_EQ(memcmp(&out, &untouched, sizeof(out)), 0);
	}

	// Each out-of-range field takes its default; in-range neighbours are kept.
	TEST(PrefsRecordTest, EveryInvalidFieldTakesItsDefault)
	{
		struct Case { size_t offset; uint8_t bad; };
		const Case cases[] = {
			{0, 2}, {1, 9}, {2, 3}, {3, 8}, {5, 4}, {6, 2}, {7, 6}, {8, 2}, {9, 200},
			{10, 8}, {11, 2}, {12, 2}, {13, 255}, {14, 3}, {18, 2}, {19, 1},
		};
		PrefsType defaults = Defaults(LANGUAGE_GERMAN);
		for (const Case& c : cases)
		{
			PrefsType p = Defaults(LANGUAGE_GERMAN);
			p.music = 0;		// a non-default value that must survive
			reinterpret_cast<uint8_t*>(&p)[c.offset] = c.bad;
			std::vector<uint8_t> image = Image(p);
			PrefsType out;
			int reset = 0;
			ASSERT_EQ(DecodePrefsFile(image.data(), image.size(), defaults, &out, &reset), PREFS_DECODE_OK);
			EXPECT_EQ(reset, 1) << "offset " << c.offset;
			EXPECT_EQ(reinterpret_cast<uint8_t*>(&out)[c.offset], reinterpret_cast<uint8_t*>(&defaults)[c.offset])
				<< "offset " << c.offset;
			if (c.offset != 6)
			{
				EXPECT_EQ(out.music, 0);
			}
		}

		// Free-valued bytes are kept as they are.
		PrefsType p = defaults;
		p.displayNumber = 200;
		p.anaglyphCalibrationGreen = 3;
		EXPECT_EQ(ValidatePrefs(&p, defaults), 0);
		EXPECT_EQ(p.displayNumber, 200);
	}

	TEST(PrefsRecordTest, InvalidBindingPartsTakeTheirDefaults)
	{
		PrefsType defaults = Defaults();
		PrefsType p = defaults;
		p.bindings[NEED_JUMP] = {{-1, 512}, 31, {{1, 21}, {4, 0}}, 9};
		p.bindings[NEED_SHOOT].pad[0] = {2, 6};			// no axis 6
		p.bindings[NEED_PUNCH].pad[1] = {0, 5};			// unbound with an id
		p.bindings[NEED_FORWARD].key[1] = 511;			// the last valid scancode stays
		p.bindings[NEED_BACKWARD].mouseButton = 30;		// wheel down stays
		EXPECT_EQ(ValidatePrefs(&p, defaults), 8);
		EXPECT_EQ(memcmp(&p.bindings[NEED_JUMP], &defaults.bindings[NEED_JUMP], sizeof(InputBinding)), 0);
		EXPECT_EQ(p.bindings[NEED_SHOOT].pad[0].type, defaults.bindings[NEED_SHOOT].pad[0].type);
		EXPECT_EQ(p.bindings[NEED_PUNCH].pad[1].type, PAD_BINDING_NONE);
		EXPECT_EQ(p.bindings[NEED_PUNCH].pad[1].id, 0);
		EXPECT_EQ(p.bindings[NEED_FORWARD].key[1], 511);
		EXPECT_EQ(p.bindings[NEED_BACKWARD].mouseButton, 30);
	}

	// Random bytes behind a good magic always decode into a valid record.
	TEST(PrefsRecordTest, AnyBytesDecodeIntoAValidRecord)
	{
		std::mt19937 random(1234);
		PrefsType defaults = Defaults();
		for (int round = 0; round < 2000; round++)
		{
			std::vector<uint8_t> image(PREFS_FILE_SIZE);
			for (auto& b : image)
				b = uint8_t(random());
			memcpy(image.data(), PREFS_MAGIC, PREFS_HEADER_LENGTH);
			PrefsType out;
			ASSERT_EQ(DecodePrefsFile(image.data(), image.size(), defaults, &out), PREFS_DECODE_OK);
			PrefsType again = out;
			ASSERT_EQ(ValidatePrefs(&again, defaults), 0) << "round " << round;
		}
	}

	TEST(PrefsLocaleTest, FirstKnownLanguageWins)
	{
		const char* swissGerman[] = { "de_CH" };
		EXPECT_EQ(PickLanguageFromLocales(swissGerman, 1), LANGUAGE_GERMAN);
		const char* portuguese[] = { "pt", "pt_BR" };
		EXPECT_EQ(PickLanguageFromLocales(portuguese, 2), LANGUAGE_ENGLISH);
		const char* mixed[] = { "pt", "sv-SE", "fr" };
		EXPECT_EQ(PickLanguageFromLocales(mixed, 3), LANGUAGE_SWEDISH);
		const char* odd[] = { "", "d", "deu", "IT" };
		EXPECT_EQ(PickLanguageFromLocales(odd, 4), LANGUAGE_ITALIAN);
		EXPECT_EQ(PickLanguageFromLocales(nullptr, 0), LANGUAGE_ENGLISH);
	}

	TEST(PrefsLocaleTest, SystemLocaleSetsTheDefaultLanguage)
	{
		// SDL reads the locale from the environment on Linux.
		std::string oldLang = getenv("LANG") ? getenv("LANG") : "";
		std::string oldLanguage = getenv("LANGUAGE") ? getenv("LANGUAGE") : "";
		setenv("LANGUAGE", "es_ES", 1);
		setenv("LANG", "es_ES.UTF-8", 1);
		PrefsType saved = gGamePrefs;
		InitDefaultPrefs();
		EXPECT_EQ(gGamePrefs.language, LANGUAGE_SPANISH);
		EXPECT_EQ(gGamePrefs.hudScale, 5);
		gGamePrefs = saved;
		auto restore = [](const char* name, const std::string& value)
		{
			if (value.empty())
				unsetenv(name);
			else
				setenv(name, value.c_str(), 1);
		};
		restore("LANG", oldLang);
		restore("LANGUAGE", oldLanguage);
	}

	// Loading and saving in a private preferences folder.
	class PrefsFileTest : public ::testing::Test
	{
	protected:
		TempDir home;
		std::string oldDataHome;
		PrefsType savedPrefs;

		void SetUp() override
		{
			const char* old = getenv("XDG_DATA_HOME");
			oldDataHome = old ? old : "";
			setenv("XDG_DATA_HOME", home.path.c_str(), 1);
			Tamber::Files::Init();
			savedPrefs = gGamePrefs;
			MakeDefaultPrefs(&gGamePrefs, LANGUAGE_ENGLISH);
		}

		void TearDown() override
		{
			Tamber::Files::gAtomicWriteFailAfterBytes = -1;
			gGamePrefs = savedPrefs;
			Tamber::Files::Shutdown();
			if (oldDataHome.empty())
				unsetenv("XDG_DATA_HOME");
			else
				setenv("XDG_DATA_HOME", oldDataHome.c_str(), 1);
		}

		fs::path PrefsPath() const { return home.path / "Zappatron" / "Preferences6"; }
	};

	TEST_F(PrefsFileTest, MissingFileKeepsTheDefaults)
	{
		gGamePrefs.language = LANGUAGE_FRENCH;
		EXPECT_EQ(LoadPrefs(), fnfErr);
		EXPECT_EQ(gGamePrefs.language, LANGUAGE_FRENCH);
		EXPECT_TRUE(fs::is_directory(home.path / "Zappatron")) << "the game's folder is made on first use";
	}

	TEST_F(PrefsFileTest, SaveThenLoadRestoresTheRecord)
	{
		gGamePrefs.hudScale = 2;
		gGamePrefs.bindings[NEED_JUMP].key[1] = 0x1F0;
		ASSERT_TRUE(SavePrefs());
		EXPECT_EQ(fs::file_size(PrefsPath()), 156u);
		PrefsType written = gGamePrefs;

		MakeDefaultPrefs(&gGamePrefs, LANGUAGE_ENGLISH);
		EXPECT_EQ(LoadPrefs(), noErr);
		EXPECT_EQ(memcmp(&gGamePrefs, &written, sizeof(written)), 0);
	}

	TEST_F(PrefsFileTest, ADamagedFileIsSetAsideNamedOnceAndTheDefaultsStay)
	{
		std::vector<uint8_t> image = Image(Defaults());
		image[3] ^= 0x20;		// not this game's magic
		std::vector<uint8_t> tooLong = Image(Defaults());
		tooLong.push_back(0);
		for (const std::vector<uint8_t>& damaged : {image, tooLong})
		{
			WriteBytes(PrefsPath(), damaged);
			gGamePrefs.hudScale = 6;
			testing::internal::CaptureStdout();
			EXPECT_EQ(LoadPrefs(), PREFS_CORRUPT_ERROR);
			std::string shown = testing::internal::GetCapturedStdout();
			EXPECT_NE(shown.find("\"Preferences6\" is damaged"), std::string::npos) << shown;
			EXPECT_EQ(gGamePrefs.hudScale, 6) << "nothing of the damaged file is used";

			fs::path kept = OnlyFileStartingWith(home.path / "Zappatron", "Preferences6.damaged-");
			ASSERT_FALSE(kept.empty()) << "the damaged file is kept under a new name";
			EXPECT_NE(shown.find(kept.filename().string()), std::string::npos) << shown;
			EXPECT_EQ(ReadAll(kept), damaged);
			EXPECT_FALSE(fs::exists(PrefsPath()));

			testing::internal::CaptureStdout();
			EXPECT_EQ(LoadPrefs(), fnfErr);
			EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "said once";
			fs::remove(kept);
		}
	}

	TEST_F(PrefsFileTest, BadLanguageInTheFileNoLongerBlocksTheGame)
	{
		std::vector<uint8_t> image = Image(Defaults());
		image[16 + 7] = 9;
		WriteBytes(PrefsPath(), image);
		EXPECT_EQ(LoadPrefs(), noErr);
		EXPECT_LT(gGamePrefs.language, MAX_LANGUAGES);
	}

	TEST_F(PrefsFileTest, FailedSaveLeavesThePreviousFile)
	{
		gGamePrefs.hudScale = 1;
		ASSERT_TRUE(SavePrefs());
		std::vector<uint8_t> before = ReadAll(PrefsPath());

		gGamePrefs.hudScale = 7;
		Tamber::Files::gAtomicWriteFailAfterBytes = 20;		// the disk fills up mid-write
		EXPECT_FALSE(SavePrefs());
		Tamber::Files::gAtomicWriteFailAfterBytes = -1;
		EXPECT_EQ(ReadAll(PrefsPath()), before);

		size_t files = 0;
		for (auto& entry : fs::directory_iterator(home.path / "Zappatron"))
			files += entry.is_regular_file() ? 1 : 0;
		EXPECT_EQ(files, 1u) << "no temporary file is left behind";
	}

	TEST_F(PrefsFileTest, SavesOnlyWhenSomethingChanged)
	{
		PrefsType before = gGamePrefs;
		EXPECT_TRUE(SavePrefsIfChanged(before));
		EXPECT_FALSE(fs::exists(PrefsPath()));

		gGamePrefs.rumble = 0;
		EXPECT_TRUE(SavePrefsIfChanged(before));
		ASSERT_TRUE(fs::exists(PrefsPath()));
		EXPECT_EQ(ReadAll(PrefsPath())[16 + 13], 0);
	}
}
