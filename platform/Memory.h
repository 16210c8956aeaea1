// Pointer and handle memory blocks over the host heap. Every block carries a
// 32-byte header with a liveness cookie and its size, so double frees and
// stray pointers stop the program instead of corrupting the heap.
#pragma once

#include "PlatformTypes.h"
#include <cstddef>

Ptr NewPtr(int32_t size);
Ptr NewPtrClear(int32_t size);
void DisposePtr(Ptr p);
Handle NewHandle(int32_t size);
Handle NewHandleClear(int32_t size);
void DisposeHandle(Handle h);
int32_t GetHandleSize(Handle h);
int32_t GetPtrSize(Ptr p);

namespace Tamber
{
	constexpr uint32_t BLOCK_COOKIE_LIVE = 0x4C495645;	// 'LIVE'
	constexpr uint32_t BLOCK_COOKIE_DEAD = 0x44454144;	// 'DEAD'
	constexpr size_t BLOCK_HEADER_SIZE = 32;

	struct BlockHeader
	{
		uint32_t cookie;
		uint32_t size;
		uint8_t reserved[8];
		Ptr masterPointer;	// a Handle is the address of this field
		void* link;			// the resource layer keeps its per-handle record here
	};
	static_assert(sizeof(BlockHeader) == BLOCK_HEADER_SIZE);

	// Header of a live block (validated); throws like the dispose calls do.
	BlockHeader* GetBlockHeader(Ptr p);

	// True for a data address that was freed and not handed out again since.
	bool IsDeadBlock(Ptr p);

	struct MemoryStats
	{
		int64_t totalBytes;		// including headers
		int64_t liveBlocks;
	};
	MemoryStats GetMemoryStats();
}
