#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "run/run_context.h"
#include "target/engine/table.h"

namespace konwerter::convert {

// The text without its trailing spaces.
std::string TrimRight(std::string text);

// The text cut to at most `width` characters.
std::string Cut(std::string text, std::size_t width);

// The 4 bytes of a DOS key as the DOS edition stores them (little-endian), as index keys
// are made of them.
std::string KeyBytes(std::uint32_t key);

// A sequence number as an identifier: upper-case hexadecimal, zero-padded to `width`
// (8 for documents, persons, works, parcels; 4 for dictionary codes).
std::string HexNumber(std::uint32_t number, int width);

// True when a raw field value is exactly the four bytes FF FF FF FF, the DOS edition's mark
// of a document number that was never given.
bool IsFourFF(std::string_view raw);

// A 2-byte dictionary reference of a link table whose field was never filled: two spaces
// (20 20 hex). It names no dictionary entry.
inline constexpr std::uint16_t kBlankReference = 0x2020;

// The commune renumbering rule of the run, for a commune number held as text: renumbered
// while the operator asked for commune renumbering, otherwise only normalised to three
// digits. With `keep_width` the result is space-padded back to the text's length.
std::string RenumberCommune(const run::RunContext& context, std::string_view text, bool keep_width);
// The same rule for a commune number held as an integer (keep-width off).
std::string RenumberCommune(const run::RunContext& context, std::int64_t number);

// Segment 1 of a document number (CZLON_1 of the operats and sketches): four spaces
// followed by the DOS segment, cut to 8 characters; when `renumber` is on, renumbered by the
// commune rule keeping its width.
std::string DocumentSegmentOne(const run::RunContext& context, std::string_view segment,
                               bool renumber);

// Whether segment-1 renumbering is on for a register: the operator asked for commune
// renumbering and ticked the register's box.
bool SegmentOneRenumbering(const run::RunContext& context, bool register_box);

// The text-to-date rule into a target field: an empty text leaves the field as it is, a
// text that is no date gives 1900.01.01, recorded in the record ledger.
void SetDosDate(run::RunContext& context, engine::Table& table, std::string_view field,
                std::string_view date_text);

// A field that refers to a record of another table of this converter by the record's
// 1-based number in its DOS table: the identifier `records` holds for it. A record that was
// not written leaves the field empty, recorded in the record ledger.
void SetReference(run::RunContext& context, engine::Table& table, std::string_view field,
                  const run::TranslationTable& records, std::uint32_t record_number);

}  // namespace konwerter::convert
