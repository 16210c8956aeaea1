// The bordered supertile textures: each 128 × 128 texture framed by one pixel
// of its neighbours, so that linear filtering at a supertile's edge blends
// into the next supertile instead of wrapping or clamping.
#include "Terrain/TerrainFile.h"
#include "System/Error.h"

#include <cstring>

namespace
{
	constexpr int N = SUPERTILE_TEXMAP_SIZE;
	constexpr int B = SUPERTILE_BORDERED_SIZE;

	// Pixels of the texture at grid cell (row, col), or null outside the grid.
	// A cell without a texture shows the blank texture 0.
	const uint16_t* CellPixels(int row, int col)
	{
		if (row < 0 || col < 0 || row >= gSuperTilesDeep || col >= gSuperTilesWide)
			return nullptr;
		int t = gSuperTileTextureGrid[row][col].textureNum;
		return gSuperTileTexturePixels + size_t(t) * SUPERTILE_TEXTURE_PIXELS;
	}
}

void BuildBorderedSuperTileTexture(int row, int col, uint16_t* out)
{
	GAME_ASSERT(gSuperTileTexturePixels && gSuperTileTextureGrid);
	memset(out, 0, sizeof(uint16_t) * B * B);

	const uint16_t* self = CellPixels(row, col);
	GAME_ASSERT(self);
	for (int r = 0; r < N; r++)
		memcpy(&out[(r + 1) * B + 1], &self[r * N], N * sizeof(uint16_t));

	if (const uint16_t* up = CellPixels(row - 1, col))			// row 0: last row of the cell before
		memcpy(&out[1], &up[(N - 1) * N], N * sizeof(uint16_t));
	if (const uint16_t* down = CellPixels(row + 1, col))		// row 129: first row of the cell after
		memcpy(&out[(B - 1) * B + 1], &down[0], N * sizeof(uint16_t));
	if (const uint16_t* left = CellPixels(row, col - 1))
		for (int r = 0; r < N; r++)
			out[(r + 1) * B] = left[r * N + N - 1];
	if (const uint16_t* right = CellPixels(row, col + 1))
		for (int r = 0; r < N; r++)
			out[(r + 1) * B + B - 1] = right[r * N];

	if (const uint16_t* p = CellPixels(row - 1, col - 1))
		out[0] = p[(N - 1) * N + N - 1];
	if (const uint16_t* p = CellPixels(row - 1, col + 1))
		out[B - 1] = p[(N - 1) * N];
	if (const uint16_t* p = CellPixels(row + 1, col - 1))
		out[(B - 1) * B] = p[N - 1];
	if (const uint16_t* p = CellPixels(row + 1, col + 1))
		out[(B - 1) * B + B - 1] = p[0];
}
