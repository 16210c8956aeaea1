// Chunky block lettering for titles: each letter is a few thick strokes
// (bars between points of a letter cell), each stroke extruded and bevelled
// like the rest of the kit's shapes, so a title reads as a solid sign rather
// than text pasted on a plate. Only the capitals the game's titles spell are
// drawn; asking for another is a baker error.
#pragma once

#include "kit/Mesh.h"

#include <string>

namespace Kit
{
	struct BlockTextStyle
	{
		float height = 80;			// units: cap height of a letter (strokes included)
		float width = 60;			// units: a letter's width (strokes included)
		float stroke = 18;			// units: thickness of a bar
		float spacing = 14;			// units: gap between neighbouring letters
		float depth = 14;			// units: along z
		float bevel = 3;			// units: chamfer of the front and back edges
	};

	// The letters of `text` (capitals A–Z the table has, and spaces) side by
	// side, centred on the origin, facing +z. Throws std::invalid_argument for
	// a letter the table lacks.
	Mesh BlockText(const std::string& text, const BlockTextStyle& style);

	// The width BlockText gives `text` (units).
	float BlockTextWidth(const std::string& text, const BlockTextStyle& style);
}
