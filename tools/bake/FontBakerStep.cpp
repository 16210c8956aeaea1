// The font: ":system:font.sfl" metrics and the two atlases that share them,
// ":system:font1.tga" (dark rim, for text over busy scenes) and
// ":system:font2.tga" (soft halo).
#include "Bake.h"
#include "FontBaker.h"
#include "TGAWriter.h"
#include "kit/Preview.h"

namespace
{
	void BakeFontFiles(const Bake::Context& context)
	{
		Bake::BakedFont font = Bake::BakeFont(Bake::FindFontFile(), Bake::FontCodePoints());
		Bake::WriteDataFile(context, "System/font.sfl", Bake::FormatFontMetrics(font));
		Bake::WriteDataFile(context, "System/font1.tga", Bake::EncodeSpriteTGA(font.outlined));
		Bake::WriteDataFile(context, "System/font2.tga", Bake::EncodeSpriteTGA(font.glowing));
		Kit::WritePreview("System_font1", font.outlined);
		Kit::WritePreview("System_font2", font.glowing);
	}
}

BAKE_STEP("system/font", BakeFontFiles);
