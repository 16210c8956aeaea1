// Basic types of the older desktop platform whose services the platform layer
// offers: error codes, memory blocks, four-character codes.
#pragma once

#include <cstdint>
#include <stdexcept>

typedef int16_t OSErr;
typedef int32_t OSStatus;
typedef uint32_t OSType;
typedef uint32_t FourCharCode;
typedef char* Ptr;
typedef char** Handle;

enum : OSErr
{
	noErr = 0,
	dirFulErr = -33,
	dskFulErr = -34,
	nsvErr = -35,
	ioErr = -36,
	bdNamErr = -37,
	fnOpnErr = -38,
	eofErr = -39,
	posErr = -40,
	tmfoErr = -42,
	fnfErr = -43,
	wPrErr = -44,
	fLckdErr = -45,
	dupFNErr = -48,
	opWrErr = -49,
	paramErr = -50,
	rfNumErr = -51,
	permErr = -54,
	wrPermErr = -61,
	memFullErr = -108,
	nilHandleErr = -109,
	dirNFErr = -120,
	resNotFound = -192,
	resFNotFound = -193,
	addResFailed = -194,
	rmvResFailed = -196,
	resAttrErr = -198,
	mapReadErr = -199,
	unimpErr = -4,
};

// Builds a four-character code from a literal, e.g. FOUR_CC("Pref").
constexpr OSType FOUR_CC(const char (&s)[5])
{
	return (OSType(uint8_t(s[0])) << 24) | (OSType(uint8_t(s[1])) << 16)
		 | (OSType(uint8_t(s[2])) << 8) | OSType(uint8_t(s[3]));
}

namespace Tamber
{
	// Thrown to unwind the whole game back to main() for an orderly exit.
	class QuitRequest : public std::exception
	{
	public:
		const char* what() const noexcept override
		{
			return "the user has requested to quit the application";
		}
	};
}
