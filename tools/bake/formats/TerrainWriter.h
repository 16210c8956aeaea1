// Writes terrain files the game reads (TerrainFormat.h, shared with the
// game's reader): the resource fork (header, tile
// attributes, supertile grid, attribute indices, heights, items, and the
// optional splines, fences and water) as an AppleDouble sidecar, and the data
// fork of LZSS compressed supertile textures.
#pragma once

#include "Bake.h"
#include "formats/ResourceForkWriter.h"
#include "Terrain/TerrainFormat.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace TerrainBake
{
	constexpr int TEXTURE_SIZE = SUPERTILE_TEXMAP_SIZE;
	constexpr int TEXTURE_PIXELS = SUPERTILE_TEXTURE_PIXELS;
	constexpr float MAP_TO_UNIT = MAP_TO_UNIT_SCALE;

	// Pixels: 1-5-5-5 words (bit 15 opacity, red in bits 10-14), host order, row 0 at low z.
	using SuperTileTexture = std::vector<uint16_t>;

	struct FileItem
	{
		uint32_t x = 0, z = 0;			// map units
		uint16_t type = 0;
		std::array<uint8_t, 4> parm = {};
		uint16_t flags = 0;
	};

	struct FileSplineItem
	{
		float placement = 0;
		uint16_t type = 0;
		std::array<uint8_t, 4> parm = {};
		uint16_t flags = 0;
	};

	struct FileSpline
	{
		std::vector<std::array<float, 2>> nubs;		// (x, z) map units
		std::vector<std::array<float, 2>> points;
		std::vector<FileSplineItem> items;
		std::array<int16_t, 4> bounds = {};
	};

	struct FileFence
	{
		uint16_t type = 0;
		std::vector<std::array<int32_t, 2>> nubs;	// (x, z) map units
	};

	struct FileWaterPatch
	{
		uint16_t type = 0;
		uint32_t flags = 0;
		int32_t height = 0;
		std::vector<std::array<float, 2>> nubs;		// at most 100
		float hotSpotX = 0, hotSpotZ = 0;
		std::array<int16_t, 4> bounds = {};
	};

	struct TerrainFileContent
	{
		int tilesWide = 0, tilesDeep = 0;			// multiples of 8
		float tileSize = 225;						// heights are in world units
		std::vector<float> heights;					// (tilesDeep + 1) rows of (tilesWide + 1)
		std::vector<uint16_t> attributeFlags;		// the 'Atrb' records
		std::vector<uint16_t> attributeIndex;		// per tile, row by row
		std::vector<uint16_t> superTileTextures;	// per supertile cell: texture number, 0 = empty
		std::vector<SuperTileTexture> textures;		// texture n; 0 is the blank texture
		std::vector<FileItem> items;				// written ordered by x, as the game needs
		std::vector<FileSpline> splines;
		std::vector<FileFence> fences;
		std::vector<FileWaterPatch> water;
	};

	// World units to the file's map units (nearest), for item placement.
	uint32_t WorldToMap(float world);

	// Checks the content against the rules the game's reader enforces;
	// throws std::logic_error describing the first fault.
	void Validate(const TerrainFileContent& content);

	std::vector<uint8_t> BuildDataFork(const TerrainFileContent& content);
	// The resources of the fork, in the order they are made (validated first).
	std::vector<Bake::ResourceEntry> BuildResources(const TerrainFileContent& content);
	Bake::ResourceForkWriter BuildResourceFork(const TerrainFileContent& content);

	// Writes dataDir/relativePath and its ".rsrc" sidecar.
	void WriteTerrainFile(const Bake::Context& context, const std::string& relativePath, const TerrainFileContent& content);
}
