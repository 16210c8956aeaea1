// The framed panel the screens' sprites are painted on: a dark outline, a
// bright rim and a face shading from top to bottom.
#pragma once

#include "kit/Image.h"

namespace Kit
{
	// How a sprite set draws its frames.
	struct PanelFrameStyle
	{
		Rgba outline = {10, 12, 24, 255};
		float faceInset = 8;		// from the frame's edge to the face (the outline is the first 3)
		bool faceAlpha = true;		// the face's alpha replaces the picture's; false keeps the picture's
	};

	// A rounded frame over the whole image but `inset` at each edge, its
	// corners `radius`; the face shades from `top` to `bottom` inside `rim`.
	void PaintPanelFrame(Image& img, float inset, float radius, Rgba top, Rgba bottom, Rgba rim, const PanelFrameStyle& style);
}
