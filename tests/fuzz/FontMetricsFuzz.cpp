// libFuzzer harness for the font metrics parser and the text layout: the
// input is parsed as a metrics file, and then laid out as text with the font
// it made (or a fixed one); the layout must write exactly the points it counted.
#include "3D/TextMeshFont.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
	void Quiet(const char*) {}

	void LayOut(const TextMeshFont& font, const std::string& text)
	{
		for (int alignment = 0; alignment < 3; alignment++)
		{
			TextMeshLayout layout = TextMesh_Measure(font, text.c_str(), alignment);
			size_t k = size_t(layout.visibleChars);
			if (k > text.size())
				abort();
			std::vector<OGLPoint3D> points(k * 4);
			std::vector<OGLTextureCoord> uvs(k * 4);
			std::vector<uint32_t> triangles(k * 6);
			int p = TextMesh_PlaceGlyphs(font, text.c_str(), layout, points.data(), uvs.data(), triangles.data());
			if (size_t(p) != k * 4)
				abort();
			for (uint32_t index : triangles)
				if (index >= k * 4)
					abort();
		}
		TextMesh_CalcCharX(font, text.c_str(), int(text.size()));
	}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	std::string text(reinterpret_cast<const char*>(data), size);		// zero-terminated, as the loader makes it

	TextMeshFont font;
	TextMeshParseError error;
	if (TextMesh_ParseMetrics(text.c_str(), &font, &error, Quiet))
		LayOut(font, "Hello\tworld\n\xC3\xA9t\xC3\xA9 \xE2\x82\xAC 1234567890 \xF0\x9F\x98\x80 \xE4\xB8\x80");

	static TextMeshFont fixed;
	static bool fixedReady = TextMesh_ParseMetrics("f\n64 40\nx\n3\n65 0 0 20 30 1 -20 24\n35 0 0 9 9 0 0 9\n52 1 1 5 5 0 0 5\nend\n",
			&fixed, &error, Quiet);
	if (fixedReady)
		LayOut(fixed, text);
	return 0;
}
