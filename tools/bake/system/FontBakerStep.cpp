// The font: the metrics file and the two atlases that share them, the first
// with a dark rim (for text over busy scenes), the second with a soft halo.
// Their names are the game's own (FontFormat.h).
#include "Bake.h"
#include "formats/FontBaker.h"
#include "formats/TGAWriter.h"
#include "kit/Preview.h"

namespace
{
	void BakeFontFiles(const Bake::Context& context)
	{
		Bake::BakedFont font = Bake::BakeFont(Bake::FindFontFile(), Bake::FontCodePoints());
		Bake::WriteDataFile(context, Bake::DataFolderPath(FONT_METRICS_PATH), Bake::FormatFontMetrics(font));
		Bake::WriteDataFile(context, Bake::DataFolderPath(FONT_ATLAS_PATHS[0]), Bake::EncodeSpriteTGA(font.outlined));
		Bake::WriteDataFile(context, Bake::DataFolderPath(FONT_ATLAS_PATHS[1]), Bake::EncodeSpriteTGA(font.glowing));
		Kit::WritePreview("System_font1", font.outlined);
		Kit::WritePreview("System_font2", font.glowing);
	}
}

BAKE_STEP("system/font", BakeFontFiles);
