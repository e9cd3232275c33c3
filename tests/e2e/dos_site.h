#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/conversion_driver.h"
#include "app/progress_view.h"
#include "platform/clock.h"
#include "platform/operator_messages.h"
#include "tests/support/recorded_messages.h"
#include "tests/support/temp_dir.h"

namespace konwerter::testing {

// A person of a hand-made DOS site; texts are UTF-8 (stored as cp852).
struct DosPerson {
  std::uint32_t id = 0;
  int o = 2;
  std::string nazwa;
  std::uint16_t imie_1 = 0, id_g = 0, id_m = 0, id_u = 0;
  std::string kod, nr_d, nr_l, nr_p, rodzaj_o, nip, konto, uprawnieni;
  std::vector<std::string> name_lines;  // lines 1..4 of nazwy.dbf; "" = no such line
  bool deleted = false;
};

// The persons folder of a hand-made site.
struct DosPersonsFolder {
  std::vector<DosPerson> persons;
  std::vector<std::string> communes, localities, streets, first_names;  // UTF-8
};

// A small DOS installation written by hand: <root>/SYSTEM with users.dbf, bdglobal.mem
// (absolute DOS paths "F:\TEROKAN\..." found by their trailing folders, one relative path)
// and dom.mem, the persons folder GOSOBY and the dictionaries every run sizes.
class DosSite {
 public:
  explicit DosSite(const DosPersonsFolder& persons, std::vector<std::string> dom = {});

  std::filesystem::path root() const { return root_.path(); }
  std::filesystem::path system() const { return root_.path() / "SYSTEM"; }
  std::filesystem::path persons_folder() const { return root_.path() / "TEROKAN" / "GOSOBY"; }
  std::string system_folder() const { return root_.Join("SYSTEM\\"); }
  // A data folder of the installation by its name (GMAPAZ, GOPEW, LZLEC, ...): where the
  // directory variable of that name's folder is found. Not created.
  std::filesystem::path folder(std::string_view name) const {
    return root_.path() / "TEROKAN" / std::filesystem::path(name);
  }

  // Writes dom.mem afresh with "NAME=value" entries (values UTF-8, stored as cp852).
  void WriteSiteSettings(const std::vector<std::string>& dom) const;

  // Every file of the site with its bytes, to prove a run changed nothing.
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> Snapshot() const;

  static void WritePersons(const std::filesystem::path& folder, const DosPersonsFolder& data);

 private:
  TempDir root_;
};

// Every file under a folder with its bytes, sorted by path.
std::vector<std::pair<std::string, std::vector<std::uint8_t>>> SnapshotFolder(
    const std::filesystem::path& folder);

// The fixed date of test runs.
inline constexpr platform::CalendarDate kRunDate{2024, 5, 17};

}  // namespace konwerter::testing
