// The baked sprite sets as the game loads them: every set a level loads has
// exactly the images the game code counts on, each a decodable RGBA image.
#include "3D/TGA.h"
#include "System/ContentNumbers.h"
#include "BakedData.h"
#include "FilesTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace FilesTestSupport;

namespace
{
	struct SpriteSet
	{
		const char* name;
		int count;
	};

	const SpriteSet kLevelSets[] = {
		{SPRITE_SET_SPHEREMAPS, NUM_SPHEREMAP_SPRITES},
		{SPRITE_SET_INFOBAR, NUM_INFOBAR_SPRITES},
		{SPRITE_SET_PARTICLES, NUM_PARTICLE_SPRITES},
		{SPRITE_SET_FENCES, NUM_FENCE_SPRITES},
		{SPRITE_SET_GLOBAL, NUM_GLOBAL_SPRITES},
	};

	class BakedSpritesTest : public ::testing::Test
	{
	protected:
		// The shared baked Data folder.
		static inline const fs::path* data = nullptr;

		static void SetUpTestSuite() { data = &BakedData::Folder(); }
	};

	TEST_F(BakedSpritesTest, EverySetHasItsImagesAndNoMore)
	{
		for (const SpriteSet& set : kLevelSets)
		{
			fs::path folder = *data / "sprites" / set.name;
			int files = 0;
			for (const auto& entry : fs::directory_iterator(folder))
				files += entry.is_regular_file();
			EXPECT_EQ(files, set.count) << set.name;

			for (int i = 0; i < set.count; i++)
			{
				char name[64];
				snprintf(name, sizeof(name), "%s%03d.tga", set.name, i);
				std::vector<uint8_t> bytes = ReadAll(folder / name);
				ASSERT_FALSE(bytes.empty()) << name;
				TGAHeader header;
				std::vector<uint8_t> pixels;
				TGAError error;
				ASSERT_EQ(int(TGA_Decode(bytes.data(), bytes.size(), true, &header, &pixels, &error)), int(TGAStatus::OK))
					<< name << ": " << error.expression;
				EXPECT_EQ(header.bpp, 32);
				// Power-of-two sides: the textures tile and clamp cleanly.
				EXPECT_EQ(header.width & (header.width - 1), 0) << name;
				EXPECT_EQ(header.height & (header.height - 1), 0) << name;

				// Drawn, not empty: some pixels show.
				size_t visible = 0;
				for (size_t p = 3; p < pixels.size(); p += 4)
					visible += pixels[p] > 0;
				EXPECT_GT(visible, 0u) << name;
			}
		}
	}

	TEST_F(BakedSpritesTest, SphereMapsAreOpaqueAndShadowsAreSoft)
	{
		// Sphere maps are a second texture layer: no holes.
		for (int i = 0; i < NUM_SPHEREMAP_SPRITES; i++)
		{
			char name[64];
			snprintf(name, sizeof(name), "%s%03d.tga", SPRITE_SET_SPHEREMAPS, i);
			std::vector<uint8_t> bytes = ReadAll(*data / "sprites" / SPRITE_SET_SPHEREMAPS / name);
			TGAHeader header;
			std::vector<uint8_t> pixels;
			TGAError error;
			ASSERT_EQ(int(TGA_Decode(bytes.data(), bytes.size(), true, &header, &pixels, &error)), int(TGAStatus::OK));
			size_t clear = 0;
			for (size_t p = 3; p < pixels.size(); p += 4)
				clear += pixels[p] < 255;
			EXPECT_EQ(clear, 0u) << name;
		}

		// The round shadow fades out from its middle to its edge.
		char name[64];
		snprintf(name, sizeof(name), "%s%03d.tga", SPRITE_SET_GLOBAL, int(GLOBAL_SPRITE_SHADOW));
		std::vector<uint8_t> bytes = ReadAll(*data / "sprites" / SPRITE_SET_GLOBAL / name);
		TGAHeader header;
		std::vector<uint8_t> pixels;
		TGAError error;
		ASSERT_EQ(int(TGA_Decode(bytes.data(), bytes.size(), true, &header, &pixels, &error)), int(TGAStatus::OK));
		auto alphaAt = [&](int x, int y) { return pixels[(size_t(y) * header.width + size_t(x)) * 4 + 3]; };
		EXPECT_GT(alphaAt(header.width / 2, header.height / 2), 100);
		EXPECT_EQ(alphaAt(0, 0), 0);
	}
}
