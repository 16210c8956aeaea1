// Two-dimensional tables as a row-pointer table over one block, so the
// per-frame terrain code indexes them as table[row][column] without lookups.
#pragma once

#include "System/Error.h"
#include "Memory.h"

#include <cstdint>

template <typename T>
T** Alloc2DArray(int rows, int columns)
{
	int64_t bytes = int64_t(rows) * int64_t(columns) * int64_t(sizeof(T));
	if (rows <= 0 || columns <= 0 || bytes > INT32_MAX)
		FatalAlert("Alloc_2d_array failed!");
	T** table = reinterpret_cast<T**>(NewPtr(int32_t(sizeof(T*) * size_t(rows))));
	T* block = reinterpret_cast<T*>(NewPtrClear(int32_t(bytes)));
	if (!table || !block)
		FatalAlert("Alloc_2d_array failed!");
	for (int r = 0; r < rows; r++)
		table[r] = block + int64_t(r) * columns;
	return table;
}

// Frees a table made by Alloc2DArray and clears the pointer (null is fine).
template <typename T>
void Free2DArray(T**& table)
{
	if (!table)
		return;
	DisposePtr(reinterpret_cast<Ptr>(table[0]));
	DisposePtr(reinterpret_cast<Ptr>(table));
	table = nullptr;
}
