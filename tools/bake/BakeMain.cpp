// bake DATA_DIR [FILTER]: writes the Data folder (or only the steps whose
// name contains FILTER).
// bake --preview DIR [FILTER]: the same into DIR/Data, plus a contact sheet
// of every model file and sprite set in DIR, for looking at the art.
// The command line is read with CLI11 like the game's: --help, --version, and
// one line naming a bad switch with exit code 2.
#include "Bake.h"
#include "formats/TGAWriter.h"
#include "3D/Screenshot.h"
#include "kit/Preview.h"

#include <CLI/CLI.hpp>
#include <cstdio>
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

#ifndef ZAPP_VERSION_TEXT
#define ZAPP_VERSION_TEXT "unknown"
#endif

int main(int argc, char** argv)
{
	bool preview = false;
	std::string dirText, filter;
	CLI::App app("Writes the game's whole Data folder from code.", "bake");
	app.set_help_flag("--help", "print the switches and their meaning, then quit");
	app.set_version_flag("--version", "bake (Zappatron " ZAPP_VERSION_TEXT ")", "print the version, then quit");
	app.add_flag("--preview", preview, "bake into DIR/Data and write contact sheets of the models and sprites into DIR");
	app.add_option("DATA_DIR", dirText, "the Data folder to write (with --preview: the folder for Data and the sheets)")
		->required()->type_name("DIR");
	app.add_option("STEP_FILTER", filter, "only the steps whose name contains this text");
	try
	{
		app.parse(argc, argv);
	}
	catch (const CLI::CallForHelp&)
	{
		fputs(app.help().c_str(), stdout);
		return 0;
	}
	catch (const CLI::CallForVersion&)
	{
		printf("%s\n", app.version().c_str());
		return 0;
	}
	catch (const CLI::ParseError& e)
	{
		fprintf(stderr, "bake: %s (see --help)\n", e.what());
		return 2;
	}
	try
	{
		std::filesystem::path dir = dirText;
		Bake::Context context{preview ? dir / "Data" : dir};
		if (preview)
			Kit::SetPreviewOutput(dir, WritePreviewImage);
		int count = Bake::RunSteps(context, filter);
		printf("bake: %d step(s) written to %s\n", count, context.dataDir.c_str());
		return 0;
	}
	catch (const std::exception& e)
	{
		fprintf(stderr, "bake: %s\n", e.what());
		return 1;
	}
}
