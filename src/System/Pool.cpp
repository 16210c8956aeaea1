#include "System/Pool.h"
#include "System/Error.h"
#include "Memory.h"

Pool* Pool_New(int32_t capacity)
{
	// Bounded so the link array's byte size fits the allocator's 32-bit size.
	GAME_ASSERT(capacity >= 0 && capacity <= POOL_MAX_CAPACITY);

	Pool* pool = reinterpret_cast<Pool*>(NewPtrClear(sizeof(Pool)));
	pool->capacity = capacity;
	pool->nodes = reinterpret_cast<PoolNode*>(NewPtrClear(int32_t(capacity * sizeof(PoolNode))));
	pool->isUsed = reinterpret_cast<uint8_t*>(NewPtrClear(capacity));
	Pool_Reset(pool);
	return pool;
}

void Pool_Free(Pool* pool)
{
	if (!pool)
		return;
	DisposePtr(reinterpret_cast<Ptr>(pool->nodes));
	DisposePtr(reinterpret_cast<Ptr>(pool->isUsed));
	DisposePtr(reinterpret_cast<Ptr>(pool));
}

void Pool_Reset(Pool* pool)
{
	for (int32_t i = 0; i < pool->capacity; i++)
	{
		pool->nodes[i].prev = i - 1;
		pool->nodes[i].next = i + 1;
		pool->isUsed[i] = 0;
	}

	if (pool->capacity > 0)
	{
		pool->nodes[pool->capacity - 1].next = -1;
		pool->freeList = {0, pool->capacity - 1};
	}
	else
	{
		// No indices at all: an empty free list, not one that points at index 0.
		pool->freeList = {-1, -1};
	}

	pool->usedList = {-1, -1};
	pool->allocated = 0;

	Pool_TestConsistency(pool);
}

int32_t Pool_AllocateIndex(Pool* pool)
{
	if (pool->allocated >= pool->capacity)
		return -1;

	int32_t newIndex = pool->freeList.head;
	GAME_ASSERT(newIndex >= 0);

	PoolList_Unlink(&pool->freeList, pool->nodes, newIndex);
	PoolList_Insert(&pool->usedList, pool->nodes, newIndex, pool->usedList.tail);
	GAME_ASSERT(pool->usedList.tail == newIndex);
	GAME_ASSERT(!pool->isUsed[newIndex]);

	pool->isUsed[newIndex] = 1;
	pool->allocated++;
	return newIndex;
}

void Pool_ReleaseIndex(Pool* pool, int32_t index)
{
	GAME_ASSERT(index >= 0 && index < pool->capacity);
	GAME_ASSERT(pool->allocated > 0);
	GAME_ASSERT(pool->isUsed[index]);

	PoolList_Unlink(&pool->usedList, pool->nodes, index);
	PoolList_Insert(&pool->freeList, pool->nodes, index, pool->freeList.tail);
	pool->isUsed[index] = 0;
	pool->allocated--;
	GAME_ASSERT(pool->freeList.tail == index);
}

int32_t Pool_Size(const Pool* pool)
{
	return pool->allocated;
}

bool Pool_IsEmpty(const Pool* pool)
{
	return pool->allocated == 0;
}

bool Pool_IsUsed(const Pool* pool, int32_t index)
{
	// Owners ask with indices they keep in their own records: never read past the array.
	GAME_ASSERT(index >= 0);
	GAME_ASSERT(index < pool->capacity);
	return pool->isUsed[index] != 0;
}

int32_t Pool_First(const Pool* pool)
{
	return pool->usedList.head;
}

int32_t Pool_Last(const Pool* pool)
{
	return pool->usedList.tail;
}

int32_t Pool_Next(const Pool* pool, int32_t index)
{
	GAME_ASSERT(index >= 0);
	GAME_ASSERT(index < pool->capacity);
	return pool->nodes[index].next;
}

int32_t Pool_Prev(const Pool* pool, int32_t index)
{
	GAME_ASSERT(index >= 0);
	GAME_ASSERT(index < pool->capacity);
	return pool->nodes[index].prev;
}

void PoolList_Unlink(PoolList* list, PoolNode* nodes, int32_t index)
{
	GAME_ASSERT(index >= 0);

	int32_t p = nodes[index].prev;
	int32_t n = nodes[index].next;

	if (n >= 0)
		nodes[n].prev = p;
	if (p >= 0)
		nodes[p].next = n;
	if (index == list->head)
		list->head = n;
	if (index == list->tail)
		list->tail = p;

	nodes[index] = {-1, -1};
}

void PoolList_Insert(PoolList* list, PoolNode* nodes, int32_t newIndex, int32_t after)
{
	if (after < 0)
	{
		GAME_ASSERT(list->head < 0);
		GAME_ASSERT(list->tail < 0);
		GAME_ASSERT(nodes[newIndex].prev < 0);
		GAME_ASSERT(nodes[newIndex].next < 0);
		list->head = newIndex;
		list->tail = newIndex;
		return;
	}

	GAME_ASSERT(list->head >= 0);
	GAME_ASSERT(list->tail >= 0);

	int32_t oldNext = nodes[after].next;
	nodes[after].next = newIndex;
	nodes[newIndex] = {after, oldNext};

	if (oldNext >= 0)
	{
		GAME_ASSERT(list->tail != after);
		nodes[oldNext].prev = newIndex;
	}

	if (after == list->tail)
	{
		GAME_ASSERT(oldNext < 0);
		list->tail = newIndex;
	}
}

namespace
{
	// The markers must go back to the heap even when an assertion unwinds.
	struct MarkerBlock
	{
		uint8_t* bytes;
		explicit MarkerBlock(int32_t count) : bytes(reinterpret_cast<uint8_t*>(NewPtrClear(count))) {}
		~MarkerBlock() { DisposePtr(reinterpret_cast<Ptr>(bytes)); }
		MarkerBlock(const MarkerBlock&) = delete;
		MarkerBlock& operator=(const MarkerBlock&) = delete;
	};
}

void Pool_TestConsistency(const Pool* pool)
{
	MarkerBlock markerBlock(pool->capacity);
	uint8_t* markers = markerBlock.bytes;
	int32_t n;

	// The walks also check that every link stays inside the array and that
	// no walk goes on longer than its list, so a corrupted pool stops the
	// program instead of reading stray memory or looping for ever.

	int32_t freeCount = 0;
	for (int32_t i = pool->freeList.head; i >= 0; i = pool->nodes[i].next)
	{
		GAME_ASSERT(i < pool->capacity);
		GAME_ASSERT(!markers[i]);
		GAME_ASSERT(!pool->isUsed[i]);
		markers[i] = 1;
		freeCount++;
	}

	n = 0;
	for (int32_t i = pool->freeList.tail; i >= 0; i = pool->nodes[i].prev)
	{
		GAME_ASSERT(i < pool->capacity);
		GAME_ASSERT(markers[i] == 1);
		n++;
		GAME_ASSERT(n <= freeCount);
	}
	GAME_ASSERT(n == freeCount);

	n = 0;
	for (int32_t i = pool->usedList.head; i >= 0; i = pool->nodes[i].next)
	{
		GAME_ASSERT(i < pool->capacity);
		GAME_ASSERT(!markers[i]);
		GAME_ASSERT(pool->isUsed[i]);
		markers[i] = 2;
		n++;
	}
	GAME_ASSERT(n == pool->allocated);

	n = 0;
	for (int32_t i = pool->usedList.tail; i >= 0; i = pool->nodes[i].prev)
	{
		GAME_ASSERT(i < pool->capacity);
		GAME_ASSERT(markers[i] == 2);
		n++;
		GAME_ASSERT(n <= pool->allocated);
	}
	GAME_ASSERT(n == pool->allocated);

	for (int32_t i = 0; i < pool->capacity; i++)
	{
		GAME_ASSERT(markers[i] != 0);
	}
}
