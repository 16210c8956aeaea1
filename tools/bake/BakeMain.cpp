// bake DATA_DIR [FILTER]: writes the Data folder (or only the steps whose
// name contains FILTER).
// bake --preview DIR [FILTER]: the same into DIR/Data, plus a contact sheet
// of every model file and sprite set in DIR, for looking at the art.
#include "Bake.h"
#include "formats/TGAWriter.h"
#include "3D/Screenshot.h"
#include "kit/Preview.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>

static void WritePreviewImage(const std::filesystem::path& path, const Kit::Image& source)
{
	// Transparent parts show as grey.
	Kit::Image image(source.width, source.height, {96, 96, 104, 255});
	for (int y = 0; y < image.height; y++)
		for (int x = 0; x < image.width; x++)
			Kit::Plot(image, x, y, source.At(x, y), 1.0f);

	std::vector<uint8_t> bytes;
	std::filesystem::path file = path;
	ScreenImage rgb;
	rgb.width = image.width;
	rgb.height = image.height;
	for (const Kit::Rgba& p : image.pixels)
		rgb.pixels.insert(rgb.pixels.end(), {p.r, p.g, p.b});
	bytes = EncodePNG(rgb);
	file += ".png";
	std::ofstream out(file, std::ios::binary | std::ios::trunc);
	out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
	if (!out)
		throw std::runtime_error("can't write " + file.string());
}

int main(int argc, char** argv)
{
	bool preview = argc > 1 && strcmp(argv[1], "--preview") == 0;
	int first = preview ? 2 : 1;
	if (argc < first + 1)
	{
		fprintf(stderr, "usage: bake DATA_DIR [STEP_FILTER]\n       bake --preview DIR [STEP_FILTER]\n");
		return 2;
	}
	try
	{
		std::filesystem::path dir = argv[first];
		Bake::Context context{preview ? dir / "Data" : dir};
		if (preview)
			Kit::SetPreviewOutput(dir, WritePreviewImage);
		int count = Bake::RunSteps(context, argc > first + 1 ? argv[first + 1] : "");
		printf("bake: %d step(s) written to %s\n", count, context.dataDir.c_str());
		return 0;
	}
	catch (const std::exception& e)
	{
		fprintf(stderr, "bake: %s\n", e.what());
		return 1;
	}
}
