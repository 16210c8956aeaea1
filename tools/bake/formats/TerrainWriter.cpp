#include "formats/TerrainWriter.h"
#include "formats/LZSSEncoder.h"
#include "formats/BigEndianWriter.h"
#include "PlatformTypes.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>
#include <set>
#include <stdexcept>

namespace TerrainBake
{
	constexpr int16_t RES_ID = TERRAIN_RES_ID;

	// Every record must come out at the size the reader steps by.
	void CheckRecordSize(const Bake::BigEndianWriter& w, size_t records, int recordSize, const char* what)
	{
		if (w.Size() != records * size_t(recordSize))
			throw std::logic_error(std::string("terrain file: ") + what + " records do not match the format's size");
	}

	uint32_t WorldToMap(float world)
	{
		return uint32_t(std::lround(std::max(0.0f, world) / MAP_TO_UNIT));
	}

	void Validate(const TerrainFileContent& c)
	{
		auto fail = [](const std::string& why) { throw std::logic_error("terrain file: " + why); };
		if (c.tilesWide <= 0 || c.tilesDeep <= 0 || c.tilesWide % SUPERTILE_TILES || c.tilesDeep % SUPERTILE_TILES
				|| c.tilesWide > MAX_TERRAIN_TILES || c.tilesDeep > MAX_TERRAIN_TILES)
			fail("the map size must be positive multiples of 8 tiles, at most 2048");
		size_t wide = size_t(c.tilesWide), deep = size_t(c.tilesDeep);
		if (c.heights.size() != (wide + 1) * (deep + 1))
			fail("wrong number of heights");
		for (float h : c.heights)
			if (!std::isfinite(h))
				fail("a height is not a number");
		if (c.attributeFlags.empty())
			fail("no tile attributes");
		if (c.attributeIndex.size() != wide * deep)
			fail("wrong number of tile attribute indices");
		for (uint16_t a : c.attributeIndex)
			if (a >= c.attributeFlags.size())
				fail("a tile attribute index is out of range");
		if (c.superTileTextures.size() != (wide / SUPERTILE_TILES) * (deep / SUPERTILE_TILES))
			fail("wrong number of supertile cells");
		if (c.textures.empty() || c.textures.size() > size_t(MAX_SUPERTILE_TEXTURES))
			fail("1 to 2500 textures (texture 0 is the blank one)");
		for (const SuperTileTexture& t : c.textures)
			if (t.size() != TEXTURE_PIXELS)
				fail("a texture is not 128 x 128");
		std::set<uint16_t> used;
		for (uint16_t t : c.superTileTextures)
		{
			if (t >= c.textures.size())
				fail("a supertile names a texture that does not exist");
			if (t != 0 && !used.insert(t).second)
				fail("a texture is used by two supertiles");
		}
		if (c.items.empty())
			fail("at least one item (the start) is needed");
		for (const FileSpline& s : c.splines)
			if (s.nubs.size() < 4 || s.points.size() < 2)
				fail("a spline needs at least 4 nubs and 2 points");
		for (const FileFence& f : c.fences)
			if (f.nubs.size() < 2 || f.nubs.size() > 80 || f.type > 21)
				fail("a fence needs 2 to 80 nubs and a type 0 to 21");
		for (const FileWaterPatch& w : c.water)
			if (w.nubs.size() < 3 || w.nubs.size() > 80 || w.nubs.size() > size_t(MAX_WATER_RECORD_NUBS) || w.type > 7)
				fail("a water patch needs 3 to 80 nubs and a type 0 to 7");
	}

	std::vector<uint8_t> BuildDataFork(const TerrainFileContent& c)
	{
		// Textures compress independently: shared out among threads, written in order.
		std::vector<std::vector<uint8_t>> packed(c.textures.size());
		std::atomic<size_t> next{0};
		auto encoder = [&] {
			std::vector<uint8_t> raw(TEXTURE_PIXELS * 2);
			for (size_t t = next++; t < c.textures.size(); t = next++)
			{
				for (int i = 0; i < TEXTURE_PIXELS; i++)
				{
					raw[size_t(i) * 2] = uint8_t(c.textures[t][size_t(i)] >> 8);
					raw[size_t(i) * 2 + 1] = uint8_t(c.textures[t][size_t(i)]);
				}
				packed[t] = LZSSEncode(raw);
			}
		};
		unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
		std::vector<std::thread> workers;
		for (unsigned i = 1; i < threads; i++)
			workers.emplace_back(encoder);
		encoder();
		for (std::thread& w : workers)
			w.join();

		Bake::BigEndianWriter out;
		for (const std::vector<uint8_t>& p : packed)
		{
			out.U32(uint32_t(p.size()));
			out.Bytes(p);
		}
		return out.Take();
	}

	namespace
	{
		// Collects resources in the order they are added.
		struct ResourceList
		{
			std::vector<Bake::ResourceEntry> entries;
			void Add(OSType type, int16_t id, std::vector<uint8_t> data)
			{
				entries.push_back({type, id, "", 0, std::move(data)});
			}
		};
	}

	std::vector<Bake::ResourceEntry> BuildResources(const TerrainFileContent& c)
	{
		Validate(c);
		std::vector<FileItem> items = c.items;
		std::stable_sort(items.begin(), items.end(), [](const FileItem& a, const FileItem& b) { return a.x < b.x; });

		ResourceList fork;
		{
			Bake::BigEndianWriter h;
			h.U32(0);
			h.S32(int32_t(items.size()));
			h.S32(c.tilesWide);
			h.S32(c.tilesDeep);
			h.Zeros(8);
			h.F32(c.tileSize);
			h.F32(0);
			h.F32(0);
			h.S32(int32_t(c.splines.size()));
			h.S32(int32_t(c.fences.size()));
			h.S32(int32_t(c.textures.size()));
			h.S32(int32_t(c.water.size()));
			CheckRecordSize(h, 1, FILE_HEADER_SIZE, "header");
			fork.Add(TERRAIN_RES_HEADER, RES_ID, h.Take());
		}
		{
			Bake::BigEndianWriter a;
			for (uint16_t flags : c.attributeFlags)
			{
				a.U16(flags);
				a.U16(0);
			}
			CheckRecordSize(a, c.attributeFlags.size(), FILE_TILE_ATTRIBUTE_SIZE, "tile attribute");
			fork.Add(TERRAIN_RES_TILE_ATTRIBUTES, RES_ID, a.Take());
		}
		{
			Bake::BigEndianWriter g;
			for (uint16_t t : c.superTileTextures)
			{
				g.U8(t ? 1 : 0);
				g.U8(0);
				g.U16(t);
			}
			CheckRecordSize(g, c.superTileTextures.size(), FILE_SUPERTILE_GRID_SIZE, "supertile grid");
			fork.Add(TERRAIN_RES_SUPERTILE_GRID, RES_ID, g.Take());
		}
		{
			Bake::BigEndianWriter l;
			for (uint16_t a : c.attributeIndex)
				l.U16(a);
			fork.Add(TERRAIN_RES_TILE_LAYER, RES_ID, l.Take());
		}
		{
			Bake::BigEndianWriter y;
			for (float h : c.heights)
				y.F32(h);
			fork.Add(TERRAIN_RES_HEIGHTS, RES_ID, y.Take());
		}
		{
			Bake::BigEndianWriter it;
			for (const FileItem& item : items)
			{
				it.U32(item.x);
				it.U32(item.z);
				it.U16(item.type);
				it.Bytes(item.parm.data(), 4);
				it.U16(item.flags);
			}
			CheckRecordSize(it, items.size(), FILE_ITEM_SIZE, "item");
			fork.Add(TERRAIN_RES_ITEMS, RES_ID, it.Take());
		}

		if (!c.splines.empty())
		{
			Bake::BigEndianWriter list;
			for (size_t n = 0; n < c.splines.size(); n++)
			{
				const FileSpline& s = c.splines[n];
				list.S16(int16_t(s.nubs.size()));
				list.Zeros(6);
				list.S32(int32_t(s.points.size()));
				list.Zeros(4);
				list.S16(int16_t(s.items.size()));
				list.Zeros(6);
				for (int16_t b : s.bounds)
					list.S16(b);

				Bake::BigEndianWriter nubs, points, sitems;
				for (const auto& p : s.nubs)
				{
					nubs.F32(p[0]);
					nubs.F32(p[1]);
				}
				for (const auto& p : s.points)
				{
					points.F32(p[0]);
					points.F32(p[1]);
				}
				for (const FileSplineItem& item : s.items)
				{
					sitems.F32(item.placement);
					sitems.U16(item.type);
					sitems.Bytes(item.parm.data(), 4);
					sitems.U16(item.flags);
				}
				CheckRecordSize(nubs, s.nubs.size(), FILE_SPLINE_POINT_SIZE, "spline nub");
				CheckRecordSize(points, s.points.size(), FILE_SPLINE_POINT_SIZE, "spline point");
				CheckRecordSize(sitems, s.items.size(), FILE_SPLINE_ITEM_SIZE, "spline item");
				int16_t id = int16_t(RES_ID + int(n));
				fork.Add(TERRAIN_RES_SPLINE_NUBS, id, nubs.Take());
				fork.Add(TERRAIN_RES_SPLINE_POINTS, id, points.Take());
				fork.Add(TERRAIN_RES_SPLINE_ITEMS, id, sitems.Take());
			}
			CheckRecordSize(list, c.splines.size(), FILE_SPLINE_SIZE, "spline");
			fork.Add(TERRAIN_RES_SPLINES, RES_ID, list.Take());
		}

		if (!c.fences.empty())
		{
			Bake::BigEndianWriter list;
			for (size_t n = 0; n < c.fences.size(); n++)
			{
				const FileFence& f = c.fences[n];
				list.U16(f.type);
				list.S16(int16_t(f.nubs.size()));
				list.Zeros(12);
				Bake::BigEndianWriter nubs;
				for (const auto& p : f.nubs)
				{
					nubs.S32(p[0]);
					nubs.S32(p[1]);
				}
				CheckRecordSize(nubs, f.nubs.size(), FILE_FENCE_NUB_SIZE, "fence nub");
				fork.Add(TERRAIN_RES_FENCE_NUBS, int16_t(RES_ID + int(n)), nubs.Take());
			}
			CheckRecordSize(list, c.fences.size(), FILE_FENCE_SIZE, "fence");
			fork.Add(TERRAIN_RES_FENCES, RES_ID, list.Take());
		}

		if (!c.water.empty())
		{
			Bake::BigEndianWriter list;
			for (const FileWaterPatch& w : c.water)
			{
				list.U16(w.type);
				list.U16(0);
				list.U32(w.flags);
				list.S32(w.height);
				list.S16(int16_t(w.nubs.size()));
				list.Zeros(6);
				for (size_t k = 0; k < size_t(MAX_WATER_RECORD_NUBS); k++)
				{
					list.F32(k < w.nubs.size() ? w.nubs[k][0] : 0.0f);
					list.F32(k < w.nubs.size() ? w.nubs[k][1] : 0.0f);
				}
				list.F32(w.hotSpotX);
				list.F32(w.hotSpotZ);
				for (int16_t b : w.bounds)
					list.S16(b);
			}
			CheckRecordSize(list, c.water.size(), FILE_WATER_SIZE, "water");
			fork.Add(TERRAIN_RES_WATER, RES_ID, list.Take());
		}
		return fork.entries;
	}

	Bake::ResourceForkWriter BuildResourceFork(const TerrainFileContent& c)
	{
		Bake::ResourceForkWriter fork;
		for (Bake::ResourceEntry& e : BuildResources(c))
			fork.Add(e.type, e.id, std::move(e.data));
		return fork;
	}

	void WriteTerrainFile(const Bake::Context& context, const std::string& relativePath, const TerrainFileContent& content)
	{
		Bake::ResourceForkWriter fork = BuildResourceFork(content);
		Bake::WriteDataFile(context, relativePath, BuildDataFork(content));
		fork.WriteSidecar(context, relativePath);
	}
}
