// Content loading speed: the global model file and every sprite group a level
// loads, as the baker makes them. The CPU side (reading, parsing, decoding,
// building meta objects) always runs; the whole load with texture upload runs
// when a display is available for a GL context.
#include "3D/BG3D.h"
#include "3D/OGL_DebugOverlay.h"
#include "3D/OGL_Support.h"
#include "3D/Sprites.h"
#include "3D/TGA.h"
#include "3D/TextMesh.h"
#include "System/Boot.h"
#include "System/DataFiles.h"
#include "System/ContentNumbers.h"
#include "System/Objects.h"
#include "System/Window.h"
#include "Bake.h"
#include "Files.h"
#include "Memory.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
	struct SpriteSet
	{
		int group;
		const char* name;
		int count;
	};

	// What every level loads.
	const SpriteSet kLevelSprites[] = {
		{SPRITE_GROUP_SPHEREMAPS, SPRITE_SET_SPHEREMAPS, NUM_SPHEREMAP_SPRITES},
		{SPRITE_GROUP_INFOBAR, SPRITE_SET_INFOBAR, NUM_INFOBAR_SPRITES},
		{SPRITE_GROUP_PARTICLES, SPRITE_SET_PARTICLES, NUM_PARTICLE_SPRITES},
		{SPRITE_GROUP_FENCES, SPRITE_SET_FENCES, NUM_FENCE_SPRITES},
		{SPRITE_GROUP_GLOBAL, SPRITE_SET_GLOBAL, NUM_GLOBAL_SPRITES},
	};

	// The baked models, sprites and font, made once for the whole run.
	const fs::path& BakedData()
	{
		static fs::path dir = [] {
			std::string pattern = (fs::temp_directory_path() / "zappbench-content-XXXXXX").string();
			fs::path path = mkdtemp(pattern.data());
			fs::create_directories(path / "Skeletons");
			Bake::Context context{path};
			Bake::RunSteps(context, "models/global");
			Bake::RunSteps(context, "sprites/");
			Bake::RunSteps(context, "system/font");
			std::atexit([] {
				std::error_code ec;
				fs::remove_all(dir, ec);
			});
			return path;
		}();
		return dir;
	}

	std::vector<uint8_t> ReadAll(const fs::path& path)
	{
		std::ifstream in(path, std::ios::binary);
		return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
	}

	// The file layer pointed at the baked Data folder.
	struct DataFolder
	{
		DataFolder()
		{
			Tamber::Files::Init();
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(BakedData() / "Skeletons");
		}
		~DataFolder() { Tamber::Files::Shutdown(); }
	};

	// A hidden window with a GL context, or none without a display.
	bool MakeGLContext()
	{
		static bool ok = [] {
			if (!std::getenv("DISPLAY") || SDL_Init(SDL_INIT_VIDEO) != 0)
				return false;
			SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
			SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
			SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
			gWindow = SDL_CreateWindow("bench", 0, 0, 64, 64, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
			if (!gWindow)
				return false;
			OGL_CreateDrawContext();
			return true;
		}();
		return ok;
	}
}

static void BM_ParseGlobalModels(benchmark::State& state)
{
	std::vector<uint8_t> bytes = ReadAll(BakedData() / "Models" / "global.bg3d");
	for (auto _ : state)
	{
		BG3DFileData file;
		std::string error;
		if (!BG3D_ParseFile(bytes.data(), bytes.size(), &file, &error))
			state.SkipWithError(error.c_str());
		benchmark::DoNotOptimize(file.root.members.size());
	}
	state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_ParseGlobalModels)->Unit(benchmark::kMillisecond);

// Parsing plus the meta objects: everything of ImportBG3D but the upload.
static void BM_BuildGlobalModelGroup(benchmark::State& state)
{
	std::vector<uint8_t> bytes = ReadAll(BakedData() / "Models" / "global.bg3d");
	InitBG3DManager();
	for (auto _ : state)
	{
		BG3DFileData file;
		std::string error;
		BG3D_ParseFile(bytes.data(), bytes.size(), &file, &error);
		BG3DContainer* container = BG3D_BuildContainer(file);
		BG3D_RegisterContainer(container, MODEL_GROUP_GLOBAL, "global.bg3d");
		DisposeBG3DContainer(MODEL_GROUP_GLOBAL);
	}
}
BENCHMARK(BM_BuildGlobalModelGroup)->Unit(benchmark::kMillisecond);

// Reading and decoding every image of the sprite groups a level loads.
static void BM_DecodeLevelSpriteGroups(benchmark::State& state)
{
	DataFolder data;
	int64_t bytes = 0;
	for (auto _ : state)
	{
		for (const SpriteSet& set : kLevelSprites)
			for (int i = 0; i < set.count; i++)
			{
				char path[128];
				snprintf(path, sizeof(path), ":sprites:%s:%s%03d.tga", set.name, set.name, i);
				FSSpec spec;
				MakeDataFileSpec(path, &spec);
				Ptr pixels = nullptr;
				TGAHeader header;
				if (ReadTGA(&spec, &pixels, &header, true) != noErr)
				{
					state.SkipWithError(path);
					return;
				}
				bytes += GetPtrSize(pixels);
				DisposePtr(pixels);
			}
	}
	state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_DecodeLevelSpriteGroups)->Unit(benchmark::kMillisecond);

static void BM_ParseFontMetrics(benchmark::State& state)
{
	std::vector<uint8_t> bytes = ReadAll(BakedData() / "System" / "font.sfl");
	bytes.push_back(0);
	for (auto _ : state)
	{
		TextMeshFont font;
		TextMeshParseError error;
		TextMesh_ParseMetrics(reinterpret_cast<const char*>(bytes.data()), &font, &error);
		benchmark::DoNotOptimize(font.lineHeight);
	}
}
BENCHMARK(BM_ParseFontMetrics)->Unit(benchmark::kMicrosecond);

// The debug overlay's text, laid out every frame while it shows.
static void BM_LayOutDebugOverlayText(benchmark::State& state)
{
	std::vector<uint8_t> bytes = ReadAll(BakedData() / "System" / "font.sfl");
	bytes.push_back(0);
	TextMeshFont font;
	TextMeshParseError error;
	TextMesh_ParseMetrics(reinterpret_cast<const char*>(bytes.data()), &font, &error);
	std::string text = OGL_ComposeDebugText();
	TextMeshLayout layout = TextMesh_Measure(font, text.c_str(), TEXTMESH_ALIGN_LEFT);
	std::vector<OGLPoint3D> points(size_t(layout.visibleChars) * 4);
	std::vector<OGLTextureCoord> uvs(points.size());
	std::vector<uint32_t> triangles(size_t(layout.visibleChars) * 6);
	for (auto _ : state)
	{
		layout = TextMesh_Measure(font, text.c_str(), TEXTMESH_ALIGN_LEFT);
		benchmark::DoNotOptimize(TextMesh_PlaceGlyphs(font, text.c_str(), layout, points.data(), uvs.data(), triangles.data()));
	}
}
BENCHMARK(BM_LayOutDebugOverlayText)->Unit(benchmark::kMicrosecond);

// The whole load as a level does it, textures included (needs a display).
static void BM_LoadGlobalModelsAndLevelSprites(benchmark::State& state)
{
	if (!MakeGLContext())
	{
		state.SkipWithError("no display for a GL context");
		return;
	}
	DataFolder data;
	InitBG3DManager();
	InitSpriteManager();
	OGLSetupInput setup;
	OGL_DefaultSetupInput(&setup);
	OGL_SetupWindow(&setup);
	for (auto _ : state)
	{
		LoadBG3D(":Models:global.bg3d", MODEL_GROUP_GLOBAL);
		for (const SpriteSet& set : kLevelSprites)
			LoadSpriteGroup(set.group, set.count, set.name);
		DeleteAllBG3DContainers();
		DisposeAllSpriteGroups();
	}
	OGL_DisposeWindowSetup();
}
BENCHMARK(BM_LoadGlobalModelsAndLevelSprites)->Unit(benchmark::kMillisecond);
