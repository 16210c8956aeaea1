// The AIFF and AIFF-C sound file formats: a "FORM" chunk of type "AIFF" or
// "AIFC" holding big-endian chunks (version, common, markers, instrument,
// sound data). The platform's reader and the baker's writer both take their
// numbers from here, so the two cannot drift apart. Header only.
#pragma once

#include "PlatformTypes.h"

#include <cstdint>

constexpr OSType AIFF_CHUNK_FORM = FOUR_CC("FORM");
constexpr OSType AIFF_FORM_AIFF = FOUR_CC("AIFF");
constexpr OSType AIFF_FORM_AIFC = FOUR_CC("AIFC");

constexpr OSType AIFF_CHUNK_FVER = FOUR_CC("FVER");		// AIFF-C only: the format version
constexpr OSType AIFF_CHUNK_COMM = FOUR_CC("COMM");		// channels, frames, sample size, rate (, compression)
constexpr OSType AIFF_CHUNK_MARK = FOUR_CC("MARK");		// markers: the loop's ends
constexpr OSType AIFF_CHUNK_INST = FOUR_CC("INST");		// base note and the sustain loop
constexpr OSType AIFF_CHUNK_SSND = FOUR_CC("SSND");		// offset, block size, sample data

// The one AIFF-C version there is.
constexpr uint32_t AIFC_VERSION_1 = 0xA2805140;

// Compression types of the AIFF-C common chunk (plain AIFF is NONE).
constexpr OSType AIFF_COMPRESSION_NONE = FOUR_CC("NONE");
constexpr OSType AIFF_COMPRESSION_RAW = FOUR_CC("raw ");		// 8-bit offset binary
constexpr OSType AIFF_COMPRESSION_TWOS = FOUR_CC("twos");		// 16-bit big-endian
constexpr OSType AIFF_COMPRESSION_SOWT = FOUR_CC("sowt");		// 16-bit little-endian
constexpr OSType AIFF_COMPRESSION_IMA4 = FOUR_CC("ima4");
constexpr OSType AIFF_COMPRESSION_ULAW = FOUR_CC("ulaw");
constexpr OSType AIFF_COMPRESSION_ALAW = FOUR_CC("alaw");
constexpr OSType AIFF_COMPRESSION_MACE3 = FOUR_CC("MAC3");

// Play modes of the instrument chunk's sustain loop.
constexpr int16_t AIFF_PLAYMODE_NONE = 0;
constexpr int16_t AIFF_PLAYMODE_FORWARD = 1;
