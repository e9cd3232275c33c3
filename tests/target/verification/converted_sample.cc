#include "tests/target/verification/converted_sample.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/conversion_driver.h"
#include "platform/clock.h"
#include "platform/little_endian.h"
#include "platform/operator_messages.h"
#include "platform/text_encoding.h"
#include "run/session.h"
#include "tests/support/recorded_messages.h"
#include "tools/sample/sample_site.h"

namespace konwerter::testing {

namespace {

namespace fs = std::filesystem;

// The site and its conversion, made on first use and kept for the test program's life.
struct Sample {
  TempDir folder;
  fs::path output;

  Sample() {
    tools::GenerateSampleSite({folder.path() / "dos", 1, 1});
    output = folder.path() / "win";
    app::ConversionRequest request;
    request.input_folder = platform::Cp1250FromUtf8((folder.path() / "dos").string());
    request.output_folder = platform::Cp1250FromUtf8(output.string());
    request.renumbering_file = platform::Cp1250FromUtf8((folder.path() / "none.gm").string());
    run::Session session;
    RecordedProgress view;
    RecordedMessages messages({}, platform::MessageAnswer::kYes);
    const platform::FixedClock clock({2024, 5, 17});
    const auto result = app::RunConversion(request, session, view, messages, clock);
    if (result.outcome != app::RunOutcome::kSucceededWithWarnings) {
      throw std::runtime_error("the sample site did not convert: " +
                               platform::Utf8FromCp1250(result.message));
    }
  }
};

}  // namespace

const fs::path& ConvertedSample() {
  static const std::unique_ptr<Sample> sample = std::make_unique<Sample>();
  return sample->output;
}

SampleCopy::SampleCopy() {
  // Entry by entry into the empty folder: MinGW's std::filesystem::copy takes any folder that
  // already exists on the same drive for the source itself (Windows reports no inode numbers)
  // and refuses to copy into it.
  for (const fs::directory_entry& entry : fs::directory_iterator(ConvertedSample())) {
    fs::copy(entry.path(), copy_.path() / entry.path().filename(), fs::copy_options::recursive);
  }
}

fs::path SampleCopy::File(std::string_view relative) const {
  return copy_.path() / "BAZA" / fs::path(relative);
}

std::vector<std::uint8_t> SampleCopy::Bytes(std::string_view relative) const {
  return ReadFileBytes(File(relative));
}

void SampleCopy::Write(std::string_view relative, const std::vector<std::uint8_t>& bytes) const {
  WriteFileBytes(File(relative), bytes);
}

std::size_t RecordOffset(const std::vector<std::uint8_t>& table, std::uint32_t number) {
  return platform::LoadU16(table, 8) + std::size_t{number - 1} * platform::LoadU16(table, 10);
}

std::uint32_t RecordCount(const std::vector<std::uint8_t>& table) {
  return platform::LoadU32(table, 4);
}

std::size_t FieldOffset(const std::vector<std::uint8_t>& table, std::string_view field) {
  std::size_t offset = 1;
  for (std::size_t at = 32; at + 32 <= table.size() && table[at] != 0x0D; at += 32) {
    const auto name = reinterpret_cast<const char*>(&table[at]);
    if (std::string_view(name, strnlen(name, 11)) == field) return offset;
    offset += table[at + 16];
  }
  throw std::runtime_error("no field " + std::string(field));
}

std::size_t OffsetOf(const std::vector<std::uint8_t>& bytes, std::string_view text) {
  const auto found = std::search(bytes.begin(), bytes.end(), text.begin(), text.end());
  if (found == bytes.end()) throw std::runtime_error("not found: " + std::string(text));
  return static_cast<std::size_t>(found - bytes.begin());
}

}  // namespace konwerter::testing
