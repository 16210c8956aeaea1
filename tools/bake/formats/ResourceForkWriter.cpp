#include "formats/ResourceForkWriter.h"
#include "formats/BigEndianWriter.h"
#include "ResourceForkFormat.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <stdexcept>

namespace Bake
{
	namespace
	{
		constexpr uint32_t DATA_AREA_OFFSET = Tamber::Resources::FORK_DATA_AREA_START;
		constexpr uint16_t TYPE_LIST_OFFSET = Tamber::Resources::MAP_TYPE_LIST_OFFSET;
		constexpr uint32_t MAX_DATA_OFFSET = Tamber::Resources::MAX_DATA_OFFSET;
		constexpr uint16_t NO_NAME = Tamber::Resources::NO_NAME;
	}

	void ResourceForkWriter::Add(OSType type, int16_t id, std::vector<uint8_t> data, const std::string& name, uint8_t attributes)
	{
		for (const ResourceEntry& e : mEntries)
			if (e.type == type && e.id == id)
				throw std::invalid_argument("resource added twice: id " + std::to_string(id));
		if (name.size() > 255)
			throw std::invalid_argument("resource name longer than 255 bytes: " + name);
		mEntries.push_back({type, id, name, attributes, std::move(data)});
	}

	std::vector<uint8_t> ResourceForkWriter::BuildFork() const
	{
		// Group by type, IDs ascending.
		std::map<OSType, std::vector<const ResourceEntry*>> byType;
		for (const ResourceEntry& e : mEntries)
			byType[e.type].push_back(&e);
		for (auto& [type, list] : byType)
			std::sort(list.begin(), list.end(), [](auto* a, auto* b) { return a->id < b->id; });

		// Data area: a length prefix before each resource's bytes.
		BigEndianWriter data;
		std::map<const ResourceEntry*, uint32_t> dataOffsets;
		for (auto& [type, list] : byType)
			for (const ResourceEntry* e : list)
			{
				if (data.Size() > MAX_DATA_OFFSET)
					throw std::length_error("resource data area exceeds 24-bit offsets");
				dataOffsets[e] = uint32_t(data.Size());
				data.U32(uint32_t(e->data.size()));
				data.Bytes(e->data);
			}

		// Names, in the order the references are written.
		BigEndianWriter names;
		std::map<const ResourceEntry*, uint16_t> nameOffsets;
		for (auto& [type, list] : byType)
			for (const ResourceEntry* e : list)
			{
				if (e->name.empty())
					continue;
				if (names.Size() >= NO_NAME)
					throw std::length_error("resource name list exceeds 16-bit offsets");
				nameOffsets[e] = uint16_t(names.Size());
				names.PascalString(e->name);
			}

		// Type list (count - 1, then the entries) followed by the reference lists.
		BigEndianWriter typeList;
		size_t referencesStart = 2 + 8 * byType.size();
		size_t referenceBytes = 0;
		typeList.U16(uint16_t(byType.size() - 1));	// an empty map stores 0xFFFF
		for (auto& [type, list] : byType)
		{
			size_t offset = referencesStart + referenceBytes;
			if (offset > 0xFFFF)
				throw std::length_error("resource type list exceeds 16-bit offsets");
			typeList.U32(type);
			typeList.U16(uint16_t(list.size() - 1));
			typeList.U16(uint16_t(offset));
			referenceBytes += 12 * list.size();
		}
		for (auto& [type, list] : byType)
			for (const ResourceEntry* e : list)
			{
				auto name = nameOffsets.find(e);
				typeList.S16(e->id);
				typeList.U16(name == nameOffsets.end() ? NO_NAME : name->second);
				typeList.U8(e->attributes);
				typeList.U24(dataOffsets[e]);
				typeList.U32(0);	// handle, filled in by the resource manager at run time
			}

		size_t nameListOffset = TYPE_LIST_OFFSET + typeList.Size();
		if (nameListOffset > 0xFFFF)
			throw std::length_error("resource map exceeds 16-bit offsets");

		uint32_t dataLength = uint32_t(data.Size());
		uint32_t mapOffset = DATA_AREA_OFFSET + dataLength;
		uint32_t mapLength = uint32_t(nameListOffset + names.Size());

		BigEndianWriter fork;
		auto header = [&](BigEndianWriter& w) {
			w.U32(DATA_AREA_OFFSET);
			w.U32(mapOffset);
			w.U32(dataLength);
			w.U32(mapLength);
		};
		header(fork);
		fork.Zeros(DATA_AREA_OFFSET - Tamber::Resources::FORK_HEADER_SIZE);
		fork.Bytes(data.Data());

		header(fork);				// the map starts with a copy of the header
		fork.U32(0);				// next map
		fork.U16(0);				// file reference
		fork.U16(0);				// map attributes
		fork.U16(TYPE_LIST_OFFSET);
		fork.U16(uint16_t(nameListOffset));
		fork.Bytes(typeList.Data());
		fork.Bytes(names.Data());
		return fork.Take();
	}

	std::vector<uint8_t> WrapAppleDouble(const std::vector<uint8_t>& fork, OSType fileType, OSType creator)
	{
		using namespace Tamber::Files;
		constexpr uint32_t FINDER_INFO_SIZE = APPLEDOUBLE_FINDER_INFO_SIZE;
		constexpr uint32_t FINDER_INFO_OFFSET = APPLEDOUBLE_HEADER_SIZE + 2 * APPLEDOUBLE_ENTRY_SIZE;
		constexpr uint32_t FORK_OFFSET = FINDER_INFO_OFFSET + FINDER_INFO_SIZE;

		BigEndianWriter w;
		w.U32(APPLEDOUBLE_MAGIC);
		w.U32(APPLEDOUBLE_VERSION);
		w.Zeros(16);
		w.U16(2);				// entries
		w.U32(APPLEDOUBLE_FINDER_INFO_ID);
		w.U32(FINDER_INFO_OFFSET);
		w.U32(FINDER_INFO_SIZE);
		w.U32(APPLEDOUBLE_RESOURCE_FORK_ID);
		w.U32(FORK_OFFSET);
		w.U32(uint32_t(fork.size()));
		w.U32(fileType);
		w.U32(creator);
		w.Zeros(FINDER_INFO_SIZE - 8);
		w.Bytes(fork);
		return w.Take();
	}

	std::vector<uint8_t> ResourceForkWriter::BuildSidecar(OSType fileType, OSType creator) const
	{
		return WrapAppleDouble(BuildFork(), fileType, creator);
	}

	void ResourceForkWriter::WriteSidecar(const Context& context, const std::string& relativeDataPath) const
	{
		WriteDataFile(context, relativeDataPath + ".rsrc", BuildSidecar());
	}

	void ResourceForkWriter::WriteSidecarFile(const std::filesystem::path& dataFile) const
	{
		std::filesystem::path path = dataFile;
		path += ".rsrc";
		if (path.has_parent_path())
			std::filesystem::create_directories(path.parent_path());
		std::vector<uint8_t> bytes = BuildSidecar();
		std::ofstream out(path, std::ios::binary | std::ios::trunc);
		out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
		out.close();
		if (!out)
			throw std::runtime_error("can't write " + path.string());
	}
}
