// Helpers of the terrain tests: terrain files made by the baker's writer and
// fed to the game's reader from memory, small hand-made worlds, and a
// fixture that releases everything a test loaded.
#pragma once

#include "Terrain/SuperTile.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"
#include "System/Game.h"
#include "formats/TerrainWriter.h"
#include "worlds/WorldKit.h"
#include "Memory.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace TerrainTestSupport
{
	using TerrainBake::TerrainFileContent;

	// A terrain file held in memory: its resources and its data fork.
	struct MemoryTerrain
	{
		std::map<std::pair<OSType, int16_t>, std::vector<uint8_t>> resources;
		std::vector<uint8_t> dataFork;

		std::vector<uint8_t>& At(const char (&type)[5], int16_t id = 1000) { return resources[{FOUR_CC(type), id}]; }
	};

	inline MemoryTerrain FromContent(const TerrainFileContent& content)
	{
		MemoryTerrain m;
		for (Bake::ResourceEntry& e : TerrainBake::BuildResources(content))
			m.resources[{e.type, e.id}] = std::move(e.data);
		m.dataFork = TerrainBake::BuildDataFork(content);
		return m;
	}

	inline const MemoryTerrain*& CurrentTerrain()
	{
		static const MemoryTerrain* current = nullptr;
		return current;
	}

	inline Handle GetMemoryResource(OSType type, int16_t id)
	{
		auto it = CurrentTerrain()->resources.find({type, id});
		if (it == CurrentTerrain()->resources.end())
			return nullptr;
		Handle h = NewHandle(int32_t(it->second.size()));
		if (!it->second.empty())
			memcpy(*h, it->second.data(), it->second.size());
		return h;
	}

	// Reads the tables and textures (no materials: no GL in unit tests).
	inline void ReadFromMemory(const MemoryTerrain& terrain, const char* name = "Test.ter")
	{
		CurrentTerrain() = &terrain;
		ReadTerrainTables({GetMemoryResource, DisposeHandle}, name);
		DecodeSuperTileTextures(terrain.dataFork.data(), terrain.dataFork.size(), name);
		CurrentTerrain() = nullptr;
	}

	// Reads and sets up the level's terrain as LoadLevelContent does.
	inline void LoadFromMemory(const MemoryTerrain& terrain)
	{
		ReadFromMemory(terrain);
		SetUpLevelTerrain();
	}

	// A plain world: one texture per supertile, each filled with its own
	// number, heights from `height` (world units), a start item at `start`.
	inline TerrainFileContent SimpleContent(int superTilesWide, int superTilesDeep,
			const std::function<float(float x, float z)>& height, float startX = 100, float startZ = 100)
	{
		TerrainFileContent c;
		c.tilesWide = superTilesWide * 8;
		c.tilesDeep = superTilesDeep * 8;
		for (int r = 0; r <= c.tilesDeep; r++)
			for (int col = 0; col <= c.tilesWide; col++)
				c.heights.push_back(height(float(col) * 225, float(r) * 225));
		c.attributeFlags = {0};
		c.attributeIndex.assign(size_t(c.tilesWide) * size_t(c.tilesDeep), 0);
		c.textures.push_back(TerrainBake::SuperTileTexture(TerrainBake::TEXTURE_PIXELS, 0));
		for (int i = 0; i < superTilesWide * superTilesDeep; i++)
		{
			c.superTileTextures.push_back(uint16_t(i + 1));
			c.textures.push_back(TerrainBake::SuperTileTexture(TerrainBake::TEXTURE_PIXELS, uint16_t(0x8000 | (i + 1))));
		}
		c.items.push_back(TerrainBake::Item(0, startX, startZ));
		return c;
	}

	// A world-to-clip matrix under which every box is in view (all points
	// land on the centre of the frustum), or none is (all behind it).
	inline void SetEverythingVisible(bool visible)
	{
		OGLMatrix4x4 m = {};
		m.value[15] = visible ? 1.0f : -1.0f;
		gWorldToFrustumMatrix = m;
	}

	struct TerrainTest : ::testing::Test
	{
		int savedLevel = 0;
		LevelState savedLevelState;

		void SetUp() override
		{
			savedLevel = gCurrentLevel;
			savedLevelState = gLevel;
			gCurrentLevel = LEVEL_NUM_FARM;
			gLevel = LevelState{};
			gLevel.firstFrame = true;
			MakeTriangleTemplates();
			SetEverythingVisible(true);
		}
		void TearDown() override
		{
			DisposeTerrain();
			DisposeSuperTileMemoryList();
			gCurrentLevel = savedLevel;
			gLevel = savedLevelState;
		}
	};
}
