#pragma once

#include <cstddef>
#include <cstdint>

// The byte layout of a .dbf table, one for both sides: the dBase III tables Clipper writes
// on the DOS side and the dBase IV 2.0 / 5.0 tables of the Windows side share it. A 32-byte
// header, one 32-byte descriptor per field, the terminator 0D, the records (deletion flag,
// then the fields without separators) and the end mark 1A. Numbers are little-endian.
// The bytes only the Windows side writes (production index, language driver, work area,
// indexed-field flag) are zero in the tables Clipper writes.
namespace konwerter::dbf {

// --- Header
inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kVersionOffset = 0;
inline constexpr std::size_t kUpdateDateOffset = 1;     // year - 1900, month, day: 3 bytes
inline constexpr std::size_t kRecordCountOffset = 4;    // unsigned 32-bit
inline constexpr std::size_t kHeaderLengthOffset = 8;   // unsigned 16-bit
inline constexpr std::size_t kRecordLengthOffset = 10;  // unsigned 16-bit
inline constexpr std::size_t kProductionIndexOffset = 28;
inline constexpr std::size_t kLanguageDriverOffset = 29;

// A table without memo fields: the only version Clipper writes here.
inline constexpr std::uint8_t kVersionPlain = 0x03;
inline constexpr std::uint8_t kVersionWithMemo = 0x8B;
// dBase III, IV and 5 tables share the low three bits of the version byte.
inline constexpr std::uint8_t kVersionFamilyMask = 0x07;
inline constexpr std::uint8_t kVersionFamily = 0x03;
inline constexpr std::uint8_t kHasProductionIndex = 0x01;
inline constexpr std::uint8_t kLanguageDriverCp852Polish = 0x23;

// --- Field descriptors: descriptor i (1-based) starts at 32 * i; the field count is
// header length / 32 - 1.
inline constexpr std::size_t kDescriptorSize = 32;
inline constexpr std::size_t kNameOffset = 0;
inline constexpr std::size_t kNameSize = 11;  // 10 characters and a NUL
inline constexpr std::size_t kMaxNameLength = 10;
inline constexpr std::size_t kTypeOffset = 11;
inline constexpr std::size_t kWidthOffset = 16;
inline constexpr std::size_t kDecimalsOffset = 17;
inline constexpr std::size_t kWorkAreaOffset = 20;
inline constexpr std::size_t kIndexedFieldOffset = 31;
inline constexpr std::uint8_t kWorkArea = 0x01;
inline constexpr std::uint8_t kIndexedField = 0x01;

inline constexpr std::uint8_t kHeaderTerminator = 0x0D;
inline constexpr std::uint8_t kEndOfFile = 0x1A;
// The byte dBase III (before III PLUS) writes after the terminator, inside the header.
inline constexpr std::uint8_t kTerminatorPadding = 0x00;

// --- Records: byte 0 is the deletion flag; the first field starts after it.
inline constexpr std::uint8_t kLiveRecord = ' ';
inline constexpr std::uint8_t kDeletedRecord = '*';
inline constexpr std::size_t kDeletionFlagSize = 1;

// --- Limits
inline constexpr int kMaxFields = 1024;
inline constexpr int kMaxCharacterWidth = 254;
inline constexpr int kMaxNumericWidth = 20;
inline constexpr std::size_t kMaxRecordLength = 65535;

// Fixed widths of the types that have one.
inline constexpr int kDateWidth = 8;
inline constexpr int kLogicalWidth = 1;
inline constexpr int kMemoWidth = 10;

// The header length for `field_count` fields: header, descriptors and the terminator.
// dBase III PLUS, dBase IV and Clipper write this length; dBase III before III PLUS (and
// libraries that follow it) write one byte more, holding kTerminatorPadding. No other
// header length describes records where a dBase III writer put them.
constexpr std::size_t HeaderLength(std::size_t field_count) {
  return kHeaderSize + kDescriptorSize * field_count + 1;
}
constexpr std::size_t PaddedHeaderLength(std::size_t field_count) {
  return HeaderLength(field_count) + 1;
}

// --- Memo file (.dbt, dBase IV): block 0 holds the next free block and the block size.
namespace memo {
inline constexpr std::size_t kBlockSize = 512;
inline constexpr std::size_t kNextFreeBlockOffset = 0;
inline constexpr std::size_t kBaseNameOffset = 8;
inline constexpr std::size_t kBaseNameSize = 8;
inline constexpr std::size_t kVersionOffset = 16;  // 00 00 02 01
inline constexpr std::size_t kBlockSizeOffset = 20;
}  // namespace memo

}  // namespace konwerter::dbf
