#include "Memory.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <unordered_set>

namespace Tamber
{
	namespace
	{
		// Validation never reads a header that went back to the host heap: we
		// remember which data addresses are live and which were freed (until
		// the host hands the address out again).
		std::unordered_set<const void*> gLiveBlocks;
		std::unordered_set<const void*> gDeadBlocks;
		MemoryStats gStats{0, 0};

		BlockHeader* HeaderOf(Ptr data)
		{
			return reinterpret_cast<BlockHeader*>(data - BLOCK_HEADER_SIZE);
		}

		Ptr Allocate(int32_t size, bool clear)
		{
			size_t total = size_t(size) + BLOCK_HEADER_SIZE;	// size is non-negative here: no overflow in size_t
			auto* raw = static_cast<uint8_t*>(std::malloc(total));
			if (!raw)
				throw std::bad_alloc();

			auto* header = reinterpret_cast<BlockHeader*>(raw);
			header->cookie = BLOCK_COOKIE_LIVE;
			header->size = uint32_t(size);
			header->masterPointer = reinterpret_cast<Ptr>(raw + BLOCK_HEADER_SIZE);
			header->link = nullptr;
			if (clear)
				std::memset(raw + BLOCK_HEADER_SIZE, 0, size_t(size));

			gDeadBlocks.erase(header->masterPointer);
			gLiveBlocks.insert(header->masterPointer);
			gStats.totalBytes += int64_t(total);
			gStats.liveBlocks += 1;
			return header->masterPointer;
		}

		void Free(Ptr data)
		{
			BlockHeader* header = GetBlockHeader(data);
			gStats.totalBytes -= int64_t(size_t(header->size) + BLOCK_HEADER_SIZE);
			gStats.liveBlocks -= 1;
			header->masterPointer = nullptr;
			header->link = nullptr;
			header->cookie = BLOCK_COOKIE_DEAD;
			gLiveBlocks.erase(data);
			gDeadBlocks.insert(data);
			std::free(header);
		}
	}

	BlockHeader* GetBlockHeader(Ptr p)
	{
		if (gLiveBlocks.count(p))
		{
			BlockHeader* header = HeaderOf(p);
			if (header->cookie == BLOCK_COOKIE_LIVE)
				return header;
			throw std::runtime_error("corrupted ptr/handle");
		}
		if (gDeadBlocks.count(p))
			throw std::runtime_error("ptr/handle double free?");
		throw std::runtime_error("corrupted ptr/handle");
	}

	bool IsDeadBlock(Ptr p)
	{
		return gDeadBlocks.count(p) != 0;
	}

	MemoryStats GetMemoryStats()
	{
		return gStats;
	}
}

using namespace Tamber;

Ptr NewPtr(int32_t size)
{
	if (size < 0)
		throw std::invalid_argument("trying to NewPtr negative size");
	return Allocate(size, false);
}

Ptr NewPtrClear(int32_t size)
{
	if (size < 0)
		throw std::invalid_argument("trying to NewPtr negative size");
	return Allocate(size, true);
}

void DisposePtr(Ptr p)
{
	if (p)
		Free(p);
}

Handle NewHandle(int32_t size)
{
	if (size < 0)
		throw std::invalid_argument("trying to alloc negative size handle");
	return &GetBlockHeader(Allocate(size, false))->masterPointer;
}

Handle NewHandleClear(int32_t size)
{
	if (size < 0)
		throw std::invalid_argument("trying to alloc negative size handle");
	return &GetBlockHeader(Allocate(size, true))->masterPointer;
}

// A handle is the address of its header's master-pointer field, so the data
// address follows from the handle alone, without reading possibly freed memory.
static Ptr HandleData(Handle h)
{
	return reinterpret_cast<Ptr>(h) + (BLOCK_HEADER_SIZE - offsetof(BlockHeader, masterPointer));
}

void DisposeHandle(Handle h)
{
	if (!h)
		return;
	Ptr data = HandleData(h);
	if (IsDeadBlock(data))		// its master pointer was cleared when it was freed
		return;
	Free(data);
}

int32_t GetHandleSize(Handle h)
{
	return int32_t(GetBlockHeader(HandleData(h))->size);
}

int32_t GetPtrSize(Ptr p)
{
	return int32_t(GetBlockHeader(p)->size);
}
