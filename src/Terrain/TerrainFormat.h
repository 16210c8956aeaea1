// The terrain file format. The resource fork holds the level's tables as
// big-endian records, all under ID 1000 except the per-spline and per-fence
// point lists (1000 + their number); the data fork holds one LZSS-packed
// 128 × 128 texture of 1-5-5-5 pixels per unique supertile, each behind its
// packed size. The game's reader and the baker's writer both take their
// numbers from here, so the two cannot drift apart. Header only.
#pragma once

#include "PlatformTypes.h"

#include <cstdint>

//
// The grid
//

constexpr int TILE_UNITS = 225;										// world units per tile side
constexpr int SUPERTILE_TILES = 8;									// tiles per supertile side
constexpr int SUPERTILE_UNITS = TILE_UNITS * SUPERTILE_TILES;		// 1800
constexpr int SUPERTILE_TEXMAP_SIZE = 128;							// 16 pixels per tile
constexpr int SUPERTILE_TEXTURE_PIXELS = SUPERTILE_TEXMAP_SIZE * SUPERTILE_TEXMAP_SIZE;
constexpr int SUPERTILE_TEXTURE_BYTES = SUPERTILE_TEXTURE_PIXELS * 2;	// 32768
// Item, spline and water positions are stored in map units (16 per tile).
constexpr float MAP_TO_UNIT_SCALE = 14.0625f;						// 225 / 16
// Texture numbers a file may use; number 0 is the blank texture of empty supertiles.
constexpr int MAX_SUPERTILE_TEXTURES = 2500;
// Largest map side we accept, in tiles: keeps every table well inside 32-bit sizes.
constexpr int MAX_TERRAIN_TILES = 2048;

//
// Resources
//

constexpr int16_t TERRAIN_RES_ID = 1000;

constexpr OSType TERRAIN_RES_HEADER = FOUR_CC("Hedr");
constexpr OSType TERRAIN_RES_TILE_ATTRIBUTES = FOUR_CC("Atrb");
constexpr OSType TERRAIN_RES_SUPERTILE_GRID = FOUR_CC("STgd");
constexpr OSType TERRAIN_RES_TILE_LAYER = FOUR_CC("Layr");			// attribute index per tile
constexpr OSType TERRAIN_RES_HEIGHTS = FOUR_CC("YCrd");
constexpr OSType TERRAIN_RES_ITEMS = FOUR_CC("Itms");
constexpr OSType TERRAIN_RES_SPLINES = FOUR_CC("Spln");
constexpr OSType TERRAIN_RES_SPLINE_NUBS = FOUR_CC("SpNb");			// per spline
constexpr OSType TERRAIN_RES_SPLINE_POINTS = FOUR_CC("SpPt");		// per spline
constexpr OSType TERRAIN_RES_SPLINE_ITEMS = FOUR_CC("SpIt");		// per spline
constexpr OSType TERRAIN_RES_FENCES = FOUR_CC("Fenc");
constexpr OSType TERRAIN_RES_FENCE_NUBS = FOUR_CC("FnNb");			// per fence
constexpr OSType TERRAIN_RES_WATER = FOUR_CC("Liqd");

// Sizes of the records in the file, in bytes.
constexpr int FILE_HEADER_SIZE = 52;
constexpr int FILE_TILE_ATTRIBUTE_SIZE = 4;
constexpr int FILE_SUPERTILE_GRID_SIZE = 4;
constexpr int FILE_ITEM_SIZE = 16;
constexpr int FILE_SPLINE_SIZE = 32;
constexpr int FILE_SPLINE_POINT_SIZE = 8;		// (x, z) floats
constexpr int FILE_SPLINE_ITEM_SIZE = 12;
constexpr int FILE_FENCE_SIZE = 16;
constexpr int FILE_FENCE_NUB_SIZE = 8;			// (x, z) 32-bit integers
constexpr int FILE_WATER_SIZE = 836;

// A water patch record holds room for this many outline points, used or not.
constexpr int MAX_WATER_RECORD_NUBS = 100;
// Limits the game's fences and water put on what a file may hold.
constexpr int MAX_FILE_FENCE_NUBS = 80;
constexpr int NUM_FILE_WATER_KINDS = 8;

// Tile attribute flag bits.
enum : uint16_t
{
	TILE_ATTRIB_HOLE = 0x0001,			// a hole in the ground (Cloud level)
	TILE_ATTRIB_BUMPERAREA0 = 0x0002,	// electrified floor of bumper arena 0 (Cloud level)
	TILE_ATTRIB_BUMPERAREA1 = 0x0004,
};

// Item flag bits (items and spline items): set while an object made from the item lives.
constexpr uint16_t ITEM_FLAG_INUSE = 0x0001;
