// Framed panels for the screens' sprites (Frames.h).
#include "kit/Frames.h"

namespace Kit
{
	void PaintPanelFrame(Image& img, float inset, float radius, Rgba top, Rgba bottom, Rgba rim, const PanelFrameStyle& style)
	{
		const float w = float(img.width), h = float(img.height);
		FillRoundedRect(img, inset, inset, w - inset, h - inset, radius, style.outline);
		FillRoundedRect(img, inset + 3, inset + 3, w - inset - 3, h - inset - 3, radius - 3, rim);
		Image face(img.width, img.height);
		VerticalGradient(face, top, bottom);
		Image mask(img.width, img.height);
		const float f = style.faceInset;
		FillRoundedRect(mask, inset + f, inset + f, w - inset - f, h - inset - f, radius - f, {255, 255, 255, 255});
		MapPixels(img, [&](int x, int y, Rgba old)
		{
			const float a = mask.At(x, y).a / 255.0f;
			const Rgba c = face.At(x, y);
			return Rgba{uint8_t(old.r + (c.r - old.r) * a), uint8_t(old.g + (c.g - old.g) * a),
					uint8_t(old.b + (c.b - old.b) * a), style.faceAlpha ? uint8_t(old.a + (c.a - old.a) * a) : old.a};
		});
	}
}
