// Index pools: hand out indices 0 .. capacity-1 into an array their owner keeps.
// Every index sits on exactly one of two doubly linked lists (free or used), so
// allocation, release and stepping through the used indices are constant time
// and never allocate. Used indices are visited oldest allocation first; a
// released index goes to the back of the free list (first in, first out).
#pragma once

#include <cstdint>

struct PoolList
{
	int32_t head;		// -1 when empty
	int32_t tail;		// -1 when empty
};

struct PoolNode
{
	int32_t prev;		// -1 at the ends or when on no list
	int32_t next;
};

struct Pool
{
	int32_t capacity;
	int32_t allocated;	// indices on the used list
	PoolList freeList;	// in the order they will be handed out
	PoolList usedList;	// oldest allocation first
	PoolNode* nodes;	// capacity link records, shared by both lists
	uint8_t* isUsed;	// capacity bytes, 1 when on the used list
};

// Largest capacity whose link array still fits one memory block.
constexpr int32_t POOL_MAX_CAPACITY = int32_t(INT32_MAX / sizeof(PoolNode));

// A capacity of 0 is allowed: such a pool is always full.
Pool* Pool_New(int32_t capacity);
void Pool_Free(Pool* pool);
void Pool_Reset(Pool* pool);

// Returns -1 when every index is in use (not an error).
int32_t Pool_AllocateIndex(Pool* pool);
void Pool_ReleaseIndex(Pool* pool, int32_t index);

int32_t Pool_Size(const Pool* pool);
bool Pool_IsEmpty(const Pool* pool);
bool Pool_IsUsed(const Pool* pool, int32_t index);

// Iteration: for (i = Pool_First(p); i >= 0; i = Pool_Next(p, i)). Read the
// next index before releasing the current one.
int32_t Pool_First(const Pool* pool);
int32_t Pool_Last(const Pool* pool);
int32_t Pool_Next(const Pool* pool, int32_t index);
int32_t Pool_Prev(const Pool* pool, int32_t index);

// List primitives. Insert puts newIndex after `after`; after < 0 means the
// list is empty and newIndex becomes its only member.
void PoolList_Unlink(PoolList* list, PoolNode* nodes, int32_t index);
void PoolList_Insert(PoolList* list, PoolNode* nodes, int32_t newIndex, int32_t after);

// Walks both lists both ways; any broken invariant is a fatal assertion.
void Pool_TestConsistency(const Pool* pool);
