#include "System/Pool.h"
#include "System/Error.h"
#include "Memory.h"
#include "PlatformTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <deque>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace
{
	// Runs f, which must stop the program, and returns the fatal message.
	std::string FatalMessageOf(const std::function<void()>& f)
	{
		gLastFatalMessage.clear();
		EXPECT_THROW(f(), Tamber::QuitRequest);
		gFatalErrorRaised = false;
		return gLastFatalMessage;
	}

	// "Assertion failed! <function>:<line>: <expression>" with any line number.
	void ExpectAssertion(const std::string& message, const std::string& function, const std::string& expression)
	{
		const std::string prefix = "Assertion failed! " + function + ":";
		const std::string suffix = ": " + expression;
		ASSERT_GE(message.size(), prefix.size() + suffix.size() + 1) << message;
		EXPECT_EQ(message.substr(0, prefix.size()), prefix) << message;
		EXPECT_EQ(message.substr(message.size() - suffix.size()), suffix) << message;
		std::string line = message.substr(prefix.size(), message.size() - prefix.size() - suffix.size());
		EXPECT_FALSE(line.empty());
		EXPECT_TRUE(std::all_of(line.begin(), line.end(), [](char c) { return std::isdigit(uint8_t(c)); })) << message;
	}

	std::vector<int32_t> UsedForward(const Pool* pool)
	{
		std::vector<int32_t> out;
		for (int32_t i = Pool_First(pool); i >= 0; i = Pool_Next(pool, i))
			out.push_back(i);
		return out;
	}

	std::vector<int32_t> UsedBackward(const Pool* pool)
	{
		std::vector<int32_t> out;
		for (int32_t i = Pool_Last(pool); i >= 0; i = Pool_Prev(pool, i))
			out.push_back(i);
		return out;
	}

	struct PoolTest : ::testing::Test
	{
		Pool* pool = nullptr;
		void TearDown() override { Pool_Free(pool); }
	};
}

TEST_F(PoolTest, NewPoolHandsOutIndicesInOrderThenRefuses)
{
	pool = Pool_New(3);
	EXPECT_TRUE(Pool_IsEmpty(pool));
	EXPECT_EQ(Pool_First(pool), -1);
	EXPECT_EQ(Pool_Last(pool), -1);

	EXPECT_EQ(Pool_AllocateIndex(pool), 0);
	EXPECT_EQ(Pool_AllocateIndex(pool), 1);
	EXPECT_EQ(Pool_AllocateIndex(pool), 2);
	EXPECT_EQ(Pool_AllocateIndex(pool), -1);
	EXPECT_EQ(Pool_AllocateIndex(pool), -1);	// full stays full, no assertion

	EXPECT_EQ(Pool_Size(pool), 3);
	EXPECT_FALSE(Pool_IsEmpty(pool));
	for (int32_t i = 0; i < 3; i++)
		EXPECT_TRUE(Pool_IsUsed(pool, i));
	Pool_TestConsistency(pool);
}

TEST_F(PoolTest, ReleasedIndexIsReusedOnlyAfterEveryOtherFreeIndex)
{
	pool = Pool_New(3);
	Pool_AllocateIndex(pool);
	Pool_AllocateIndex(pool);
	Pool_AllocateIndex(pool);
	Pool_ReleaseIndex(pool, 1);
	EXPECT_FALSE(Pool_IsUsed(pool, 1));
	EXPECT_EQ(Pool_AllocateIndex(pool), 1);		// the only free index

	Pool_Free(pool);
	pool = Pool_New(4);
	Pool_AllocateIndex(pool);
	Pool_AllocateIndex(pool);
	Pool_AllocateIndex(pool);
	Pool_ReleaseIndex(pool, 1);
	EXPECT_EQ(Pool_AllocateIndex(pool), 3);
	EXPECT_EQ(Pool_AllocateIndex(pool), 1);
	EXPECT_EQ(Pool_AllocateIndex(pool), -1);
}

TEST_F(PoolTest, IterationFollowsAllocationOrderBothWays)
{
	pool = Pool_New(3);
	Pool_AllocateIndex(pool);
	Pool_AllocateIndex(pool);
	Pool_AllocateIndex(pool);
	Pool_ReleaseIndex(pool, 1);
	EXPECT_EQ(UsedForward(pool), (std::vector<int32_t>{0, 2}));
	EXPECT_EQ(UsedBackward(pool), (std::vector<int32_t>{2, 0}));

	// A re-used index goes to the end of the used list, not back to its old place.
	Pool_AllocateIndex(pool);
	EXPECT_EQ(UsedForward(pool), (std::vector<int32_t>{0, 2, 1}));
}

TEST_F(PoolTest, OwnerCanReleaseWhileIteratingByReadingNextFirst)
{
	pool = Pool_New(8);
	for (int k = 0; k < 8; k++)
		Pool_AllocateIndex(pool);

	for (int32_t i = Pool_First(pool); i >= 0;)
	{
		int32_t next = Pool_Next(pool, i);
		if (i % 2 == 0)
			Pool_ReleaseIndex(pool, i);
		i = next;
	}
	EXPECT_EQ(UsedForward(pool), (std::vector<int32_t>{1, 3, 5, 7}));
	Pool_TestConsistency(pool);

	// The released indices come back in the order they were released.
	EXPECT_EQ(Pool_AllocateIndex(pool), 0);
	EXPECT_EQ(Pool_AllocateIndex(pool), 2);
}

TEST_F(PoolTest, ResetFreesEverythingInAscendingOrder)
{
	pool = Pool_New(5);
	for (int k = 0; k < 5; k++)
		Pool_AllocateIndex(pool);
	Pool_ReleaseIndex(pool, 3);
	Pool_ReleaseIndex(pool, 0);

	Pool_Reset(pool);
	EXPECT_TRUE(Pool_IsEmpty(pool));
	EXPECT_EQ(Pool_First(pool), -1);
	for (int32_t k = 0; k < 5; k++)
	{
		EXPECT_FALSE(Pool_IsUsed(pool, k));
		EXPECT_EQ(Pool_AllocateIndex(pool), k);
	}
}

TEST_F(PoolTest, CapacityZeroPoolIsAlwaysFull)
{
	pool = Pool_New(0);
	EXPECT_EQ(pool->freeList.head, -1);
	EXPECT_EQ(pool->freeList.tail, -1);
	EXPECT_EQ(Pool_AllocateIndex(pool), -1);
	EXPECT_TRUE(Pool_IsEmpty(pool));
	Pool_TestConsistency(pool);
	Pool_Reset(pool);
	ExpectAssertion(FatalMessageOf([&] { Pool_ReleaseIndex(pool, 0); }),
					"Pool_ReleaseIndex", "index >= 0 && index < pool->capacity");
}

TEST_F(PoolTest, CapacityOutOfRangeStops)
{
	ExpectAssertion(FatalMessageOf([] { Pool_New(-1); }),
					"Pool_New", "capacity >= 0 && capacity <= POOL_MAX_CAPACITY");
	ExpectAssertion(FatalMessageOf([] { Pool_New(POOL_MAX_CAPACITY + 1); }),
					"Pool_New", "capacity >= 0 && capacity <= POOL_MAX_CAPACITY");
}

TEST_F(PoolTest, FreeReturnsAllMemoryAndIgnoresNull)
{
	Tamber::MemoryStats before = Tamber::GetMemoryStats();
	Pool* p = Pool_New(700);
	for (int k = 0; k < 100; k++)
		Pool_AllocateIndex(p);
	Pool_TestConsistency(p);		// its marker block must not outlive the check
	Pool_Free(p);
	Tamber::MemoryStats after = Tamber::GetMemoryStats();
	EXPECT_EQ(after.totalBytes, before.totalBytes);
	EXPECT_EQ(after.liveBlocks, before.liveBlocks);

	Pool_Free(nullptr);
}

TEST_F(PoolTest, MisusedReleaseStopsWithItsAssertion)
{
	pool = Pool_New(4);

	// Any index of an empty pool.
	ExpectAssertion(FatalMessageOf([&] { Pool_ReleaseIndex(pool, 2); }),
					"Pool_ReleaseIndex", "pool->allocated > 0");

	Pool_AllocateIndex(pool);
	Pool_AllocateIndex(pool);

	// An index that is free.
	ExpectAssertion(FatalMessageOf([&] { Pool_ReleaseIndex(pool, 3); }),
					"Pool_ReleaseIndex", "pool->isUsed[index]");

	// Twice the same index.
	Pool_ReleaseIndex(pool, 1);
	ExpectAssertion(FatalMessageOf([&] { Pool_ReleaseIndex(pool, 1); }),
					"Pool_ReleaseIndex", "pool->isUsed[index]");

	// Out of range on either side.
	ExpectAssertion(FatalMessageOf([&] { Pool_ReleaseIndex(pool, -1); }),
					"Pool_ReleaseIndex", "index >= 0 && index < pool->capacity");
	ExpectAssertion(FatalMessageOf([&] { Pool_ReleaseIndex(pool, 4); }),
					"Pool_ReleaseIndex", "index >= 0 && index < pool->capacity");

	// None of the refused releases touched the structure.
	Pool_TestConsistency(pool);
	EXPECT_EQ(UsedForward(pool), (std::vector<int32_t>{0}));
}

TEST_F(PoolTest, StepsOutsideTheArrayStop)
{
	pool = Pool_New(4);
	ExpectAssertion(FatalMessageOf([&] { Pool_Next(pool, -1); }), "Pool_Next", "index >= 0");
	ExpectAssertion(FatalMessageOf([&] { Pool_Next(pool, 4); }), "Pool_Next", "index < pool->capacity");
	ExpectAssertion(FatalMessageOf([&] { Pool_Prev(pool, -1); }), "Pool_Prev", "index >= 0");
	ExpectAssertion(FatalMessageOf([&] { Pool_Prev(pool, 4); }), "Pool_Prev", "index < pool->capacity");
	ExpectAssertion(FatalMessageOf([&] { Pool_IsUsed(pool, 4); }), "Pool_IsUsed", "index < pool->capacity");
}

TEST_F(PoolTest, ListPrimitivesCheckTheirPreconditions)
{
	PoolNode nodes[3] = {{-1, -1}, {-1, -1}, {-1, -1}};
	PoolList list = {-1, -1};

	ExpectAssertion(FatalMessageOf([&] { PoolList_Insert(&list, nodes, 0, 1); }),
					"PoolList_Insert", "list->head >= 0");

	PoolList_Insert(&list, nodes, 0, -1);
	EXPECT_EQ(list.head, 0);
	EXPECT_EQ(list.tail, 0);

	ExpectAssertion(FatalMessageOf([&] { PoolList_Insert(&list, nodes, 1, -1); }),
					"PoolList_Insert", "list->head < 0");

	// Insert in the middle keeps both directions linked.
	PoolList_Insert(&list, nodes, 2, 0);
	PoolList_Insert(&list, nodes, 1, 0);
	EXPECT_EQ(list.head, 0);
	EXPECT_EQ(list.tail, 2);
	EXPECT_EQ(nodes[0].next, 1);
	EXPECT_EQ(nodes[1].next, 2);
	EXPECT_EQ(nodes[2].prev, 1);
	EXPECT_EQ(nodes[1].prev, 0);

	PoolList_Unlink(&list, nodes, 1);
	EXPECT_EQ(nodes[0].next, 2);
	EXPECT_EQ(nodes[2].prev, 0);
	EXPECT_EQ(nodes[1].prev, -1);
	EXPECT_EQ(nodes[1].next, -1);

	PoolList_Unlink(&list, nodes, 0);
	PoolList_Unlink(&list, nodes, 2);
	EXPECT_EQ(list.head, -1);
	EXPECT_EQ(list.tail, -1);

	ExpectAssertion(FatalMessageOf([&] { PoolList_Unlink(&list, nodes, -1); }),
					"PoolList_Unlink", "index >= 0");

	// An index still linked cannot start an empty list.
	nodes[1] = {0, -1};
	ExpectAssertion(FatalMessageOf([&] { PoolList_Insert(&list, nodes, 1, -1); }),
					"PoolList_Insert", "nodes[newIndex].prev < 0");
}

TEST_F(PoolTest, ConsistencyCheckCatchesCorruption)
{
	pool = Pool_New(6);
	for (int k = 0; k < 3; k++)
		Pool_AllocateIndex(pool);		// used 0 1 2, free 3 4 5

	auto expectBroken = [&](const std::function<void()>& corrupt, const char* expression) {
		Pool_Reset(pool);
		for (int k = 0; k < 3; k++)
			Pool_AllocateIndex(pool);
		corrupt();
		ExpectAssertion(FatalMessageOf([&] { Pool_TestConsistency(pool); }), "Pool_TestConsistency", expression);
	};

	expectBroken([&] { pool->isUsed[4] = 1; }, "!pool->isUsed[i]");
	expectBroken([&] { pool->isUsed[1] = 0; }, "pool->isUsed[i]");
	expectBroken([&] { pool->allocated = 2; }, "n == pool->allocated");
	expectBroken([&] { pool->nodes[5].prev = 1; }, "markers[i] == 1");		// free list walks back into the used list
	expectBroken([&] { pool->nodes[2].prev = 4; }, "markers[i] == 2");
	expectBroken([&] { pool->nodes[4].next = 3; }, "!markers[i]");			// a cycle in the free list
	expectBroken([&] { pool->nodes[1].next = 0; }, "!markers[i]");			// a cycle in the used list

	// Index 4 dropped from the free list: 3 -> 5 directly.
	expectBroken([&] { pool->nodes[3].next = 5; pool->nodes[5].prev = 3; pool->nodes[4] = {-1, -1}; },
				 "markers[i] != 0");

	// Links that leave the array or loop backward stop instead of reading stray memory or hanging.
	expectBroken([&] { pool->nodes[3].next = 100; }, "i < pool->capacity");
	expectBroken([&] { pool->nodes[4].prev = 5; }, "n <= freeCount");
	expectBroken([&] { pool->nodes[1].prev = 2; }, "n <= pool->allocated");
}

// Allocations and releases at random, checked against a trivial model: a FIFO
// queue of free indices and a vector of used ones in allocation order.
TEST_F(PoolTest, RandomOperationsMatchReferenceModel)
{
	constexpr int32_t CAPACITY = 37;
	pool = Pool_New(CAPACITY);

	std::deque<int32_t> modelFree;
	std::vector<int32_t> modelUsed;
	for (int32_t i = 0; i < CAPACITY; i++)
		modelFree.push_back(i);

	std::mt19937 rng(12345);
	for (int step = 0; step < 5000; step++)
	{
		int choice = int(rng() % 100);
		if (choice < 1)
		{
			Pool_Reset(pool);
			modelUsed.clear();
			modelFree.clear();
			for (int32_t i = 0; i < CAPACITY; i++)
				modelFree.push_back(i);
		}
		else if (choice < 55)
		{
			int32_t expected = -1;
			if (!modelFree.empty())
			{
				expected = modelFree.front();
				modelFree.pop_front();
				modelUsed.push_back(expected);
			}
			ASSERT_EQ(Pool_AllocateIndex(pool), expected) << "step " << step;
		}
		else if (!modelUsed.empty())
		{
			size_t k = rng() % modelUsed.size();
			int32_t index = modelUsed[k];
			modelUsed.erase(modelUsed.begin() + long(k));
			modelFree.push_back(index);
			Pool_ReleaseIndex(pool, index);
		}

		Pool_TestConsistency(pool);
		ASSERT_EQ(Pool_Size(pool), int32_t(modelUsed.size()));
		ASSERT_EQ(Pool_IsEmpty(pool), modelUsed.empty());
		ASSERT_EQ(UsedForward(pool), modelUsed) << "step " << step;
		std::vector<int32_t> reversed(modelUsed.rbegin(), modelUsed.rend());
		ASSERT_EQ(UsedBackward(pool), reversed) << "step " << step;
		for (int32_t i = 0; i < CAPACITY; i++)
			ASSERT_EQ(Pool_IsUsed(pool, i), std::find(modelUsed.begin(), modelUsed.end(), i) != modelUsed.end());
	}
}
