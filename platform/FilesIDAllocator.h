// Signed 16-bit ID allocator with an entry per ID. Released IDs are handed out
// again most-recent first, and free IDs at the end of the table are trimmed,
// so numbers stay small and a stale number soon names nothing.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace Tamber::Files
{
	template <typename T>
	class IDAllocator
	{
	public:
		static constexpr int MAX_IN_USE = 0x7FFF;

		int16_t Alloc()
		{
			if (mInUse >= MAX_IN_USE)
				throw std::length_error("too many items allocated");

			int16_t id;
			if (!mReleased.empty())
			{
				id = mReleased.back();
				mReleased.pop_back();
			}
			else
			{
				id = int16_t(mEntries.size());
				mEntries.emplace_back();
				mAllocated.push_back(false);
			}
			mAllocated[size_t(id)] = true;
			mInUse++;
			if (mInUse > mMaxInUse)
				mMaxInUse = mInUse;
			return id;
		}

		void Release(int16_t id)
		{
			if (!IsAllocated(id))
				throw std::invalid_argument("id isn't allocated");
			mInUse--;
			mEntries[size_t(id)] = T();
			mReleased.push_back(id);
			mAllocated[size_t(id)] = false;
			while (!mReleased.empty() && size_t(mReleased.back()) == mEntries.size() - 1)
			{
				mReleased.pop_back();
				mEntries.pop_back();
				mAllocated.pop_back();
			}
		}

		bool IsInRange(int16_t id) const { return id >= 0 && size_t(id) < mEntries.size(); }
		bool IsAllocated(int16_t id) const { return IsInRange(id) && mAllocated[size_t(id)]; }

		// The entry of an allocated ID; throws for anything else.
		T& operator[](int16_t id)
		{
			if (!IsInRange(id))
				throw std::runtime_error("illegal refNum");
			if (!mAllocated[size_t(id)])
				throw std::invalid_argument("id isn't allocated");
			return mEntries[size_t(id)];
		}

		int InUse() const { return mInUse; }
		int MaxInUse() const { return mMaxInUse; }
		size_t TableSize() const { return mEntries.size(); }

	private:
		std::vector<T> mEntries;
		std::vector<bool> mAllocated;
		std::vector<int16_t> mReleased;
		int mInUse = 0;
		int mMaxInUse = 0;
	};
}
