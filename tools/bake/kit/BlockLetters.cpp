// Block letters: strokes as polylines through a letter cell, cut into one
// convex piece per segment at the mitred joints (so a closed stroke like the
// O needs no hole), clipped to the cell so sharp outer corners end square.
#include "kit/BlockLetters.h"
#include "kit/Primitives.h"

#include <cmath>
#include <stdexcept>
#include <vector>

namespace Kit
{
	namespace
	{
		// A stroke's centre line in the cell, u across and v up, both 0..1
		// (0 and 1 put the bar's outer edge on the cell's edge).
		struct Stroke
		{
			std::vector<Vec2> points;
			bool closed = false;
			float capStart = 0.5f, capEnd = 0.5f;	// of the stroke width, past the open ends
		};

		struct Letter
		{
			char c;
			std::vector<Stroke> strokes;
		};

		// The capitals the titles spell. Outer corners are square, the O's
		// chamfered; crossing bars end inside the bar they meet.
		const std::vector<Letter>& Letters()
		{
			static const std::vector<Letter> letters = {
				{'A', {{{{0, 0}, {0.3f, 1}, {0.7f, 1}, {1, 0}}},
					   {{{0.13f, 0.38f}, {0.87f, 0.38f}}, false, 0, 0}}},
				{'N', {{{{0, 0}, {0, 1}, {1, 0}, {1, 1}}}}},
				{'O', {{{{0, 0.2f}, {0, 0.8f}, {0.2f, 1}, {0.8f, 1}, {1, 0.8f}, {1, 0.2f}, {0.8f, 0}, {0.2f, 0}}, true}}},
				{'P', {{{{0, 0}, {0, 1}, {1, 1}, {1, 0.45f}, {0, 0.45f}}}}},
				{'R', {{{{0, 0}, {0, 1}, {1, 1}, {1, 0.45f}, {0, 0.45f}}},
					   {{{0.4f, 0.45f}, {1, 0}}, false, 0, 0.5f}}},
				{'T', {{{{0, 1}, {1, 1}}}, {{{0.5f, 1}, {0.5f, 0}}}}},
				{'Z', {{{{0, 1}, {1, 1}, {0, 0}, {1, 0}}}}},
			};
			return letters;
		}

		const Letter& FindLetter(char c)
		{
			for (const Letter& letter : Letters())
				if (letter.c == c)
					return letter;
			throw std::invalid_argument(std::string("no block letter for '") + c + "'");
		}

		Vec2 Sub(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
		Vec2 Add(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
		Vec2 Mul(Vec2 a, float k) { return {a.x * k, a.y * k}; }
		Vec2 Unit(Vec2 a)
		{
			const float l = std::sqrt(a.x * a.x + a.y * a.y);
			return l > 0 ? Vec2{a.x / l, a.y / l} : Vec2{};
		}
		Vec2 Left(Vec2 d) { return {-d.y, d.x}; }

		// The point `half` left of the joint at `p` between directions `d0`
		// (arriving) and `d1` (leaving), on both offset lines (the mitre).
		Vec2 Mitre(Vec2 p, Vec2 d0, Vec2 d1, float half)
		{
			const Vec2 n = Unit(Add(Left(d0), Left(d1)));
			const float c = n.x * Left(d1).x + n.y * Left(d1).y;
			return Add(p, Mul(n, half / std::fmax(c, 0.2f)));
		}

		// Keeps the part of a convex polygon inside x0..x1 × y0..y1.
		std::vector<Vec2> ClipToBox(std::vector<Vec2> poly, float x0, float y0, float x1, float y1)
		{
			auto clip = [&](auto inside, auto cut) {
				std::vector<Vec2> out;
				for (size_t i = 0; i < poly.size(); i++)
				{
					const Vec2 a = poly[i], b = poly[(i + 1) % poly.size()];
					if (inside(a))
						out.push_back(a);
					if (inside(a) != inside(b))
						out.push_back(cut(a, b));
				}
				poly = out;
			};
			auto atX = [](float x) { return [x](Vec2 a, Vec2 b) { const float t = (x - a.x) / (b.x - a.x); return Vec2{x, a.y + t * (b.y - a.y)}; }; };
			auto atY = [](float y) { return [y](Vec2 a, Vec2 b) { const float t = (y - a.y) / (b.y - a.y); return Vec2{a.x + t * (b.x - a.x), y}; }; };
			clip([&](Vec2 p) { return p.x >= x0; }, atX(x0));
			clip([&](Vec2 p) { return p.x <= x1; }, atX(x1));
			clip([&](Vec2 p) { return p.y >= y0; }, atY(y0));
			clip([&](Vec2 p) { return p.y <= y1; }, atY(y1));
			return poly;
		}

		float SignedArea(const std::vector<Vec2>& poly)
		{
			float a = 0;
			for (size_t i = 0; i < poly.size(); i++)
			{
				const Vec2 p = poly[i], q = poly[(i + 1) % poly.size()];
				a += p.x * q.y - q.x * p.y;
			}
			return a * 0.5f;
		}

		// One letter's pieces, its cell's lower left corner at `origin`.
		void AddLetter(Mesh& mesh, const Letter& letter, Vec2 origin, const BlockTextStyle& s)
		{
			const float half = s.stroke * 0.5f;
			for (const Stroke& stroke : letter.strokes)
			{
				std::vector<Vec2> p;
				for (Vec2 uv : stroke.points)
					p.push_back({half + uv.x * (s.width - s.stroke), half + uv.y * (s.height - s.stroke)});
				const size_t n = p.size();
				const size_t segments = stroke.closed ? n : n - 1;
				auto dir = [&](size_t i) { return Unit(Sub(p[(i + 1) % n], p[i])); };
				for (size_t i = 0; i < segments; i++)
				{
					const size_t j = (i + 1) % n;
					const Vec2 d = dir(i);
					Vec2 a = p[i], b = p[j];
					Vec2 aLeft, aRight, bLeft, bRight;
					if (stroke.closed || i > 0)
					{
						const Vec2 d0 = dir((i + n - 1) % n);
						aLeft = Mitre(a, d0, d, half);
						aRight = Mitre(a, d0, d, -half);
					}
					else
					{
						a = Sub(a, Mul(d, stroke.capStart * s.stroke));
						aLeft = Add(a, Mul(Left(d), half));
						aRight = Sub(a, Mul(Left(d), half));
					}
					if (stroke.closed || j < n - 1)
					{
						const Vec2 d1 = dir(j);
						bLeft = Mitre(b, d, d1, half);
						bRight = Mitre(b, d, d1, -half);
					}
					else
					{
						b = Add(b, Mul(d, stroke.capEnd * s.stroke));
						bLeft = Add(b, Mul(Left(d), half));
						bRight = Sub(b, Mul(Left(d), half));
					}
					std::vector<Vec2> piece = ClipToBox({aRight, bRight, bLeft, aLeft}, 0, 0, s.width, s.height);
					if (piece.size() < 3 || std::fabs(SignedArea(piece)) < 1)
						continue;
					if (SignedArea(piece) < 0)
						piece = std::vector<Vec2>(piece.rbegin(), piece.rend());
					for (Vec2& q : piece)
						q = Add(q, origin);
					Append(mesh, Extrude(piece, s.depth, s.bevel));
				}
			}
		}
	}

	float BlockTextWidth(const std::string& text, const BlockTextStyle& style)
	{
		return text.empty() ? 0 : float(text.size()) * style.width + float(text.size() - 1) * style.spacing;
	}

	Mesh BlockText(const std::string& text, const BlockTextStyle& style)
	{
		Mesh mesh;
		const float step = style.width + style.spacing;
		float x = -BlockTextWidth(text, style) * 0.5f;
		for (char c : text)
		{
			if (c != ' ')
				AddLetter(mesh, FindLetter(c), {x, -style.height * 0.5f}, style);
			x += step;
		}
		return mesh;
	}
}
