#include "convert/values.h"

#include "renumber/renumbering_table.h"
#include "run/value_rules.h"
#include "target/identifier.h"

namespace konwerter::convert {

namespace {
constexpr std::size_t kSegmentOneWidth = 8;
// What a date text that is no date becomes, and the one text that means that date.
constexpr platform::CalendarDate kNoDate{1900, 1, 1};
constexpr std::string_view kNoDateText = "19000101";
constexpr std::string_view kNoDateWritten = "1900.01.01";
}  // namespace

std::string TrimRight(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string Cut(std::string text, std::size_t width) {
  if (text.size() > width) text.resize(width);
  return text;
}

std::string KeyBytes(std::uint32_t key) {
  std::string bytes(4, '\0');
  for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<char>(key >> (8 * i));
  return bytes;
}

std::string HexNumber(std::uint32_t number, int width) {
  return target::FormatIdentifier(number, width);
}

bool IsFourFF(std::string_view raw) {
  return raw == "\xFF\xFF\xFF\xFF";
}

std::string RenumberCommune(const run::RunContext& context, std::string_view text,
                            bool keep_width) {
  return renumber::RenumberCommuneText(text, keep_width, context.renumbering,
                                       context.options.renumber_communes);
}

std::string RenumberCommune(const run::RunContext& context, std::int64_t number) {
  return renumber::RenumberCommuneNumber(number, context.renumbering,
                                         context.options.renumber_communes);
}

std::string DocumentSegmentOne(const run::RunContext& context, std::string_view segment,
                               bool renumber) {
  const std::string stored = Cut("    " + std::string(segment), kSegmentOneWidth);
  return renumber ? RenumberCommune(context, stored, true) : stored;
}

bool SegmentOneRenumbering(const run::RunContext& context, bool register_box) {
  return context.options.renumber_communes && register_box;
}

void SetDosDate(run::RunContext& context, engine::Table& table, std::string_view field,
                std::string_view date_text) {
  const auto date = run::DateFromDosText(date_text);
  if (!date) return;
  table.SetDate(field, *date);
  if (*date == kNoDate && date_text != kNoDateText) {
    context.ledger.Altered(table.DbfPath(), run::ValueChange::kBadDate, field, date_text,
                           kNoDateWritten);
  }
}

void SetReference(run::RunContext& context, engine::Table& table, std::string_view field,
                  const run::TranslationTable& records, std::uint32_t record_number) {
  const std::string identifier = records.LookUp(record_number);
  table.SetText(field, identifier);
  if (identifier.empty()) {
    context.ledger.Altered(table.DbfPath(), run::ValueChange::kOwnerNotWritten, field,
                           std::to_string(record_number), {});
  }
}

}  // namespace konwerter::convert
