#include "target/engine/record_layout.h"

#include <algorithm>
#include <string>

#include "platform/dbf_layout.h"

namespace konwerter::engine {

namespace {

char UpperAsciiChar(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

RecordLayout::RecordLayout(std::vector<FieldDescriptor> fields) : fields_(std::move(fields)) {
  offsets_.reserve(fields_.size());
  record_length_ = dbf::kDeletionFlagSize;
  for (const FieldDescriptor& field : fields_) {
    offsets_.push_back(record_length_);
    record_length_ += static_cast<std::size_t>(field.width);
  }
  names_ = FieldNameIndex(fields_);
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && UpperAsciiChar(a[i]) != UpperAsciiChar(b[i])) return false;
  }
  return true;
}

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), UpperAsciiChar);
  return upper;
}

}  // namespace konwerter::engine
