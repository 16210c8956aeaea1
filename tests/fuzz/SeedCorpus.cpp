// Writes the fuzzers' seed inputs: sidecars made by the baker's resource-fork
// writer and a few structpack formats with data.
#include "formats/ResourceForkWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

static void Write(const fs::path& path, const std::vector<uint8_t>& bytes)
{
	std::ofstream out(path, std::ios::binary | std::ios::trunc);
	out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
	if (!out)
		throw std::runtime_error("can't write " + path.string());
}

int main(int argc, char** argv)
{
	if (argc < 3)
	{
		fprintf(stderr, "usage: fuzz_seed_corpus RESOURCE_FORK_DIR STRUCTPACK_DIR\n");
		return 2;
	}
	fs::path forks = argv[1], formats = argv[2];
	fs::create_directories(forks);
	fs::create_directories(formats);

	Bake::ResourceForkWriter empty;
	Write(forks / "empty.rsrc", empty.BuildSidecar());

	Bake::ResourceForkWriter small;
	small.Add(FOUR_CC("TEST"), 128, {'A', 'B', 'C'}, "Hi");
	small.Add(FOUR_CC("TEST"), -5, {});
	small.Add(FOUR_CC("abcd"), 1000, {1, 2});
	Write(forks / "small.rsrc", small.BuildSidecar());

	Bake::ResourceForkWriter terrain;
	terrain.Add(FOUR_CC("Hedr"), 1000, std::vector<uint8_t>(80, 1));
	terrain.Add(FOUR_CC("Atrb"), 1000, std::vector<uint8_t>(16, 2));
	terrain.Add(FOUR_CC("STgd"), 1000, std::vector<uint8_t>(128, 3));
	terrain.Add(FOUR_CC("YCrd"), 1000, std::vector<uint8_t>(200, 4));
	for (int16_t i = 0; i < 4; i++)
		terrain.Add(FOUR_CC("SpNb"), int16_t(1000 + i), std::vector<uint8_t>(size_t(8 * (i + 2)), uint8_t(i)), "spline " + std::to_string(i));
	Write(forks / "terrain.rsrc", terrain.BuildSidecar(FOUR_CC("Ter "), FOUR_CC("Zapp")));

	Bake::ResourceForkWriter skeleton;
	for (int16_t a = 0; a < 3; a++)
		for (int16_t j = 0; j < 5; j++)
			skeleton.Add(FOUR_CC("KeyF"), int16_t(1000 + a * 100 + j), std::vector<uint8_t>(size_t(20 + j), uint8_t(a)));
	skeleton.Add(FOUR_CC("alis"), 1001, std::vector<uint8_t>(114, 0), "model");
	Write(forks / "skeleton.rsrc", skeleton.BuildSidecar());

	const std::vector<std::pair<std::string, size_t>> seeds = {
		{">IiIIIbb", 22}, {"<8B4H2B", 18}, {">3fHhI", 40}, {">Q2d", 48}, {">4h 2I", 32}};
	int n = 0;
	for (const auto& [format, dataSize] : seeds)
	{
		std::vector<uint8_t> bytes(format.begin(), format.end());
		bytes.push_back(0);
		for (size_t i = 0; i < dataSize; i++)
			bytes.push_back(uint8_t(i * 37));
		Write(formats / ("format" + std::to_string(n++)), bytes);
	}
	printf("seeded %s and %s\n", forks.c_str(), formats.c_str());
	return 0;
}
