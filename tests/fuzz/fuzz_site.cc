// Converts a small DOS site whose persons tables and name index come from the input: the
// generated sample site with osoby.dbf, nazwy.dbf and nazwy.ntx replaced. The input is a
// flag byte (bit 0: look-ups rebuilt from the tables), then osoby.dbf and nazwy.dbf each
// after a 4-byte little-endian length, then nazwy.ntx to the end. Whatever the bytes, the
// run must end (converted, with warnings, or failed) without a crash or a sanitizer report.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "app/conversion_driver.h"
#include "platform/clock.h"
#include "platform/text_encoding.h"
#include "run/session.h"
#include "tests/support/recorded_messages.h"
#include "tools/sample/sample_site.h"

namespace {

namespace fs = std::filesystem;

const fs::path& Work() {
  static const fs::path work = [] {
    const fs::path folder =
        fs::temp_directory_path() / ("konwerter-fuzz-site-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    konwerter::tools::GenerateSampleSite({folder / "site", 1, 1});
    return folder;
  }();
  return work;
}

// The next part of the input: `length` bytes after a 4-byte length, cut to what is left.
std::string_view Take(std::string_view& input) {
  std::uint32_t length = 0;
  for (int i = 0; i < 4 && !input.empty(); ++i) {
    length |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(input.front())) << (8 * i);
    input.remove_prefix(1);
  }
  const std::string_view part = input.substr(0, std::min<std::size_t>(length, input.size()));
  input.remove_prefix(part.size());
  return part;
}

void Write(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace konwerter;
  const fs::path& work = Work();
  std::string_view input(reinterpret_cast<const char*>(data), size);
  if (input.empty()) return 0;
  const bool rebuild = (input.front() & 1) != 0;
  input.remove_prefix(1);
  const fs::path persons = work / "site" / "GOSOBY";
  Write(persons / "OSOBY.DBF", Take(input));
  Write(persons / "nazwy.dbf", Take(input));
  Write(persons / "nazwy.ntx", input);

  fs::remove_all(work / "out");
  app::ConversionRequest request;
  request.input_folder = platform::Cp1250FromUtf8((work / "site").string());
  request.output_folder = platform::Cp1250FromUtf8((work / "out").string());
  request.options.delete_unlinked_persons = false;  // every person, every name seek
  request.options.rebuild_indexes = rebuild;
  request.renumbering_file = request.output_folder + "\\brak.gm";
  run::Session session;
  testing::RecordedProgress view;
  testing::RecordedMessages messages({}, platform::MessageAnswer::kYes);
  const platform::FixedClock clock({2024, 5, 17});
  app::RunConversion(request, session, view, messages, clock);
  return 0;
}
