// Writes the terrain fuzzer's seed inputs with the baker's terrain writer:
// a few small, valid terrain files in the harness's input layout.
#include "formats/TerrainWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace TerrainBake;

namespace
{
	TerrainFileContent Small(int wide, int deep, bool extras)
	{
		TerrainFileContent c;
		c.tilesWide = wide * 8;
		c.tilesDeep = deep * 8;
		for (int r = 0; r <= c.tilesDeep; r++)
			for (int col = 0; col <= c.tilesWide; col++)
				c.heights.push_back(float((r * 7 + col * 3) % 50));
		c.attributeFlags = {0, 1, 2};
		for (int i = 0; i < c.tilesWide * c.tilesDeep; i++)
			c.attributeIndex.push_back(uint16_t(i % 3));
		c.textures.push_back(SuperTileTexture(TEXTURE_PIXELS, 0));
		for (int i = 0; i < wide * deep; i++)
		{
			c.superTileTextures.push_back(i == 1 ? 0 : uint16_t(c.textures.size()));
			if (i == 1)
				continue;
			SuperTileTexture t(TEXTURE_PIXELS);
			for (int p = 0; p < TEXTURE_PIXELS; p++)
				t[size_t(p)] = uint16_t(0x8000 | ((p / 128 + i) % 32) << 10 | (p % 7) << 5);
			c.textures.push_back(t);
		}
		FileItem start;
		start.x = 20;
		start.z = 30;
		c.items = {start};
		if (extras)
		{
			FileSpline s;
			s.nubs = {{0, 0}, {40, 0}, {40, 40}, {2, 1}};
			s.points = {{0, 0}, {1, 1}};
			s.items = {{0.5f, 7, {1, 0, 0, 0}, 0}};
			c.splines = {s};
			FileFence f;
			f.nubs = {{0, 0}, {50, 50}, {90, 10}};
			c.fences = {f};
			FileWaterPatch w;
			w.nubs = {{0, 0}, {60, 0}, {60, 60}};
			c.water = {w};
		}
		return c;
	}

	void WriteSeed(const fs::path& path, const TerrainFileContent& c)
	{
		std::vector<uint8_t> sidecar = BuildResourceFork(c).BuildSidecar();
		std::vector<uint8_t> fork = BuildDataFork(c);
		std::vector<uint8_t> input = {uint8_t(sidecar.size() >> 24), uint8_t(sidecar.size() >> 16),
				uint8_t(sidecar.size() >> 8), uint8_t(sidecar.size())};
		input.insert(input.end(), sidecar.begin(), sidecar.end());
		input.insert(input.end(), fork.begin(), fork.end());
		std::ofstream out(path, std::ios::binary | std::ios::trunc);
		out.write(reinterpret_cast<const char*>(input.data()), std::streamsize(input.size()));
		if (!out)
			throw std::runtime_error("can't write " + path.string());
	}
}

int main(int argc, char** argv)
{
	if (argc < 2)
	{
		fprintf(stderr, "usage: fuzz_terrain_seeds TERRAIN_DIR\n");
		return 2;
	}
	fs::path dir = argv[1];
	fs::create_directories(dir);
	WriteSeed(dir / "plain.ter", Small(1, 1, false));
	WriteSeed(dir / "extras.ter", Small(2, 1, true));
	WriteSeed(dir / "wide.ter", Small(3, 2, true));
	printf("seeded %s\n", dir.c_str());
	return 0;
}
