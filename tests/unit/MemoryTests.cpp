#include "Memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

using Tamber::BlockHeader;
using Tamber::GetMemoryStats;
using Tamber::MemoryStats;

namespace
{
	// The message of the exception f throws, which must be of type E.
	template <typename E, typename F>
	std::string ThrownMessage(F f)
	{
		try
		{
			f();
		}
		catch (const E& e)
		{
			return e.what();
		}
		catch (...)
		{
			ADD_FAILURE() << "threw an exception of another type";
			return {};
		}
		ADD_FAILURE() << "did not throw";
		return {};
	}

	const BlockHeader* HeaderOf(Ptr p)
	{
		return reinterpret_cast<const BlockHeader*>(p - Tamber::BLOCK_HEADER_SIZE);
	}
}

TEST(Memory, PointerBlockCarriesLiveHeader)
{
	Ptr p = NewPtr(100);
	ASSERT_NE(p, nullptr);
	const BlockHeader* h = HeaderOf(p);
	EXPECT_EQ(h->cookie, 0x4C495645u);		// 'LIVE'
	EXPECT_EQ(h->size, 100u);
	EXPECT_EQ(h->masterPointer, p);
	EXPECT_EQ(h->link, nullptr);
	EXPECT_EQ(GetPtrSize(p), 100);
	EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 16, 0u);	// room for any vector type
	std::memset(p, 0xAB, 100);		// the whole data area is writable
	DisposePtr(p);
}

TEST(Memory, ZeroSizedBlocksAreValidAndDistinct)
{
	Ptr a = NewPtr(0);
	Ptr b = NewPtr(0);
	ASSERT_NE(a, nullptr);
	ASSERT_NE(b, nullptr);
	EXPECT_NE(a, b);
	EXPECT_EQ(GetPtrSize(a), 0);
	DisposePtr(a);
	DisposePtr(b);

	Handle h = NewHandle(0);
	ASSERT_NE(h, nullptr);
	ASSERT_NE(*h, nullptr);
	EXPECT_EQ(GetHandleSize(h), 0);
	DisposeHandle(h);
}

TEST(Memory, ClearedBlocksAreZero)
{
	// Dirty the heap first so that a non-clearing allocator would likely show it.
	std::vector<Ptr> dirty;
	for (int i = 0; i < 8; i++)
	{
		dirty.push_back(NewPtr(64));
		std::memset(dirty.back(), 0xFF, 64);
	}
	for (Ptr p : dirty)
		DisposePtr(p);

	Ptr p = NewPtrClear(64);
	for (int i = 0; i < 64; i++)
		ASSERT_EQ(p[i], 0) << i;
	DisposePtr(p);

	Handle h = NewHandleClear(16);
	EXPECT_EQ(GetHandleSize(h), 16);
	for (int i = 0; i < 16; i++)
		ASSERT_EQ((*h)[i], 0) << i;
	DisposeHandle(h);
}

TEST(Memory, HandleMasterPointerStaysPutWhileHandleLives)
{
	Handle h = NewHandle(100);
	ASSERT_NE(h, nullptr);
	EXPECT_EQ(GetHandleSize(h), 100);

	Ptr data = *h;
	// The handle is the header's master-pointer field, and it points at the data.
	EXPECT_EQ(reinterpret_cast<char*>(h), data - Tamber::BLOCK_HEADER_SIZE + offsetof(BlockHeader, masterPointer));
	EXPECT_EQ(HeaderOf(data)->size, 100u);

	// Lots of other traffic must not move it.
	std::vector<Handle> others;
	for (int i = 0; i < 200; i++)
		others.push_back(NewHandle(1000 + i));
	for (Handle o : others)
		DisposeHandle(o);

	EXPECT_EQ(*h, data);
	EXPECT_EQ(GetHandleSize(h), 100);
	DisposeHandle(h);
}

TEST(Memory, NullBlocksAreIgnoredOnDispose)
{
	MemoryStats before = GetMemoryStats();
	DisposePtr(nullptr);
	DisposeHandle(nullptr);
	MemoryStats after = GetMemoryStats();
	EXPECT_EQ(after.totalBytes, before.totalBytes);
	EXPECT_EQ(after.liveBlocks, before.liveBlocks);
}

TEST(Memory, StatisticsCountHeadersAndReturnToStart)
{
	MemoryStats before = GetMemoryStats();

	Ptr p = NewPtr(100);
	MemoryStats one = GetMemoryStats();
	EXPECT_EQ(one.totalBytes, before.totalBytes + 100 + 32);
	EXPECT_EQ(one.liveBlocks, before.liveBlocks + 1);

	Handle h = NewHandleClear(50);
	MemoryStats two = GetMemoryStats();
	EXPECT_EQ(two.totalBytes, one.totalBytes + 50 + 32);
	EXPECT_EQ(two.liveBlocks, one.liveBlocks + 1);

	DisposePtr(p);
	DisposeHandle(h);
	MemoryStats after = GetMemoryStats();
	EXPECT_EQ(after.totalBytes, before.totalBytes);
	EXPECT_EQ(after.liveBlocks, before.liveBlocks);
}

TEST(Memory, DoubleFreeIsCaught)
{
	Ptr p = NewPtr(24);
	DisposePtr(p);
	MemoryStats afterFirst = GetMemoryStats();
	EXPECT_EQ(ThrownMessage<std::runtime_error>([&] { DisposePtr(p); }), "ptr/handle double free?");
	EXPECT_EQ(ThrownMessage<std::runtime_error>([&] { GetPtrSize(p); }), "ptr/handle double free?");

	// The refused second free did not touch the statistics.
	MemoryStats after = GetMemoryStats();
	EXPECT_EQ(after.totalBytes, afterFirst.totalBytes);
	EXPECT_EQ(after.liveBlocks, afterFirst.liveBlocks);
}

TEST(Memory, SizeOfDisposedHandleIsCaught)
{
	Handle h = NewHandle(8);
	Handle copy = h;
	DisposeHandle(h);
	EXPECT_EQ(ThrownMessage<std::runtime_error>([&] { GetHandleSize(copy); }), "ptr/handle double free?");
}

TEST(Memory, ForeignPointersAreCorrupted)
{
	// Neither address was ever handed out; validation must not trust what lies before them.
	alignas(16) char stackBuffer[64] = {};
	EXPECT_EQ(ThrownMessage<std::runtime_error>([&] { DisposePtr(stackBuffer + 32); }), "corrupted ptr/handle");

	Ptr p = NewPtr(64);
	EXPECT_EQ(ThrownMessage<std::runtime_error>([&] { DisposePtr(p + 8); }), "corrupted ptr/handle");
	EXPECT_EQ(ThrownMessage<std::runtime_error>([&] { GetPtrSize(p + 1); }), "corrupted ptr/handle");
	EXPECT_EQ(GetPtrSize(p), 64);		// the real block is unharmed
	DisposePtr(p);
}

TEST(Memory, OverwrittenHeaderIsCorrupted)
{
	Ptr p = NewPtr(16);
	BlockHeader* h = reinterpret_cast<BlockHeader*>(p - Tamber::BLOCK_HEADER_SIZE);
	uint32_t saved = h->cookie;
	h->cookie = 0x12345678;		// an underrun from the block before
	EXPECT_EQ(ThrownMessage<std::runtime_error>([&] { GetPtrSize(p); }), "corrupted ptr/handle");
	EXPECT_EQ(ThrownMessage<std::runtime_error>([&] { DisposePtr(p); }), "corrupted ptr/handle");
	h->cookie = saved;
	DisposePtr(p);
}

TEST(Memory, NegativeSizesAreRefused)
{
	MemoryStats before = GetMemoryStats();
	EXPECT_EQ(ThrownMessage<std::invalid_argument>([] { NewPtr(-1); }), "trying to NewPtr negative size");
	EXPECT_EQ(ThrownMessage<std::invalid_argument>([] { NewPtrClear(-100); }), "trying to NewPtr negative size");
	EXPECT_EQ(ThrownMessage<std::invalid_argument>([] { NewHandle(-1); }), "trying to alloc negative size handle");
	EXPECT_EQ(ThrownMessage<std::invalid_argument>([] { NewHandleClear(INT32_MIN); }),
			  "trying to alloc negative size handle");
	MemoryStats after = GetMemoryStats();
	EXPECT_EQ(after.totalBytes, before.totalBytes);
	EXPECT_EQ(after.liveBlocks, before.liveBlocks);
}

TEST(Memory, ReusedAddressIsLiveAgain)
{
	// The host heap hands freed addresses out again; the new block must not be
	// mistaken for the dead one.
	for (int attempt = 0; attempt < 50; attempt++)
	{
		Ptr a = NewPtr(48);
		DisposePtr(a);
		Ptr b = NewPtr(48);
		EXPECT_EQ(GetPtrSize(b), 48);
		DisposePtr(b);
		if (a == b)
			return;		// exercised the reuse
	}
	GTEST_SKIP() << "the host heap never reused an address";
}

TEST(Memory, ResourceLinkFieldIsKeptUntilDispose)
{
	Handle h = NewHandle(4);
	BlockHeader* header = Tamber::GetBlockHeader(*h);
	int record = 7;
	header->link = &record;
	EXPECT_EQ(Tamber::GetBlockHeader(*h)->link, &record);
	DisposeHandle(h);
}

TEST(Memory, SecondDisposeOfAHandleDoesNothing)
{
	// Disposing clears the master pointer, so a stale handle reads as empty.
	Handle h = NewHandle(32);
	DisposeHandle(h);
	MemoryStats before = GetMemoryStats();
	DisposeHandle(h);
	MemoryStats after = GetMemoryStats();
	EXPECT_EQ(after.totalBytes, before.totalBytes);
	EXPECT_EQ(after.liveBlocks, before.liveBlocks);
}
