// Previews of baked content for people to look at before the game can draw
// it: a small software rasteriser (flat-shaded, lit, orthographic 3/4 view)
// that renders every model of a file into a numbered contact sheet, and
// contact sheets of sprite sets. The bake tool writes them with --preview.
#pragma once

#include "kit/Image.h"
#include "kit/Model.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace Kit
{
	struct PreviewView
	{
		float yaw = 0.55f;		// radians about y; 0 looks at the model's front (-z side)
		float pitch = 0.42f;	// radians looking down
	};

	// One model drawn into a size × size tile (2× supersampled), fitted to its bounds.
	Image RenderModel(const ModelFile& file, const Node& model, int size, const PreviewView& view = {});

	// All models of a file, numbered, `columns` per row.
	Image ModelContactSheet(const ModelFile& file, int tileSize = 256, int columns = 6);

	// Images side by side over a checkerboard (so alpha shows), numbered.
	Image SpriteContactSheet(const std::vector<Image>& images, int tileSize = 128, int columns = 8);

	// Draws a number with a built-in 3 × 5 pixel font, `scale` pixels per dot.
	void DrawNumber(Image& img, int x, int y, int number, int scale, Rgba color);

	// Where previews go: unset (the default) writes none. The writer turns an
	// image into a file (e.g. PNG); set by the bake tool.
	using PreviewWriter = std::function<void(const std::filesystem::path& path, const Image& image)>;
	void SetPreviewOutput(const std::filesystem::path& directory, PreviewWriter writer);
	bool PreviewsEnabled();
	// Writes `image` as `<directory>/<name>` plus the writer's extension choice.
	void WritePreview(const std::string& name, const Image& image);
}
