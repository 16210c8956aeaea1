// libFuzzer harness: an AppleDouble sidecar with its resource fork, parsed the
// way FSpOpenResFile parses it. Every input must either be refused with an
// exception or give resources that lie wholly inside the input.
#include "DataReaders.h"
#include "FilesAppleDouble.h"
#include "ResourcesInternal.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	memstream in(data, size);
	try
	{
		Tamber::Files::ForkRange fork = Tamber::Files::ReadAppleDoubleHeader(in, size);
		if (fork.offset + fork.length > size)
			std::abort();

		auto index = Tamber::Resources::ParseResourceFork(in, fork.offset, fork.length, 1);
		std::vector<char> copy;
		for (auto& [type, byID] : index)
			for (auto& [id, meta] : byID)
			{
				if (meta.dataPosition < fork.offset || meta.dataPosition + meta.size > fork.offset + fork.length)
					std::abort();
				// Read it back as GetResource would.
				copy.resize(meta.size);
				in.clear();
				in.seekg(std::streamoff(meta.dataPosition));
				ReadBytes(in, copy.data(), copy.size());
			}
	}
	catch (const std::runtime_error&)		// refused: not AppleDouble, damaged or unsupported
	{
	}
	catch (const std::out_of_range&)
	{
		std::abort();						// a read past the end slipped through the bounds checks
	}
	return 0;
}
