#include "convert/register_numbering.h"

#include "convert/values.h"

namespace konwerter::convert {

RegisterNumbering::RegisterNumbering(run::RunContext& context, run::TranslationTable& numbers,
                                     std::uint32_t source_records, int width)
    : context_(context), numbers_(numbers), width_(width) {
  numbers_.Size(source_records + run::kSpareSlots);
}

std::string RegisterNumbering::Next(std::uint32_t record) {
  std::string identifier = NextUnkept();
  numbers_.Store(record, identifier);
  return identifier;
}

std::string RegisterNumbering::NextUnkept() {
  return HexNumber(next_++, width_);
}

void RegisterNumbering::WriteSequenceRow(std::string_view name) const {
  context_.sequence->WriteRow(name, next_);
}

}  // namespace konwerter::convert
