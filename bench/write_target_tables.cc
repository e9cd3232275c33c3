// Writes target tables the way the converters do and sets the time beside two yardsticks:
// dd writing the same number of bytes, and Python's dbf package appending the same records.
//
// Usage: write_target_tables [records] [python_records] [folder]
//   records         records appended to each table (default 1000000)
//   python_records  records Python dbf appends to each table; its time is extrapolated to
//                   `records` (default 20000; 0 skips it)
//   folder          where the files go (default a fresh folder under /tmp, removed at the end)
//
// Two tables: one shaped like kart_zam.dbf (32 fields, no index) and one shaped like
// Osoby.dbf with its three tags, whose production index is built when it is closed.

#include <sys/resource.h>
#include <time.h>  // NOLINT(modernize-deprecated-headers): POSIX clock_gettime

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/calendar_date.h"
#include "platform/text_encoding.h"
#include "target/engine/engine.h"
#include "target/engine/table.h"

namespace {

using konwerter::engine::Engine;
using konwerter::engine::FieldDescriptor;
using konwerter::engine::FieldType;
using konwerter::engine::Table;
using konwerter::platform::CalendarDate;
using Clock = std::chrono::steady_clock;

constexpr std::string_view kKartZamSchema =
    "Id_zam;C;8|Nr_zam;N;5|Rok;N;4|D_wplywu;D;8|D_pisma;D;8|Nr_pisma;C;20|Id_osoby;C;8|"
    "Dotyczy;C;60|Id_obsluga;C;4|Id_asort;C;4|Typ_kerg;C;1|Id_kerg;C;8|Id_zud;C;8|D_realiz;D;8|"
    "D_odp;D;8|D_zak;D;8|Etap_f;N;2|D_fakt;D;8|D_sprzed;D;8|D_platn;D;8|Kwota_f;N;10;2|"
    "D_zaplaty;D;8|Typ_dok;C;2|Nr_vat;N;5|Rej_sprz;L;1|Uwagi;C;60|Spos_zapl;C;1|Zaplacone;L;1|"
    "D_ods;D;8|Kwota_ods;N;10;2|Id_tworz;C;8|Id_modyf;C;8";
constexpr std::string_view kOsobySchema =
    "Id_osoby;c;8|klucz;c;30|Nazwa1;c;60|Nazwa2;c;60|Ulica;c;30|Nr_dl;c;11|Kod;c;6|Miejsc;c;30|"
    "Pesel;c;11|Nip;c;13|Uprawnieni;c;25|Id_tworz;c;8|Id_modyf;c;8|Rodzaj;c;1|Konto;c;10";

double Seconds(Clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

// The field list of a schema string in its simple form ("name;type;width[;decimals]|...").
std::vector<FieldDescriptor> FieldsOf(std::string_view schema) {
  std::vector<FieldDescriptor> fields;
  for (const std::string_view item : Split(schema, '|')) {
    const auto parts = Split(item, ';');
    FieldDescriptor field;
    field.name = std::string(parts[0]);
    const char letter = static_cast<char>(parts[1][0] & ~0x20);
    field.type = letter == 'N'   ? FieldType::kNumeric
                 : letter == 'D' ? FieldType::kDate
                 : letter == 'L' ? FieldType::kLogical
                                 : FieldType::kCharacter;
    field.width = std::stoi(std::string(parts[2]));
    field.decimals = parts.size() > 3 ? std::stoi(std::string(parts[3])) : 0;
    fields.push_back(field);
  }
  return fields;
}

// Small deterministic pseudo-random numbers, so every run writes the same data.
class Random {
 public:
  std::uint32_t Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>(state_ >> 33);
  }
  std::uint32_t Below(std::uint32_t bound) { return Next() % bound; }

 private:
  std::uint64_t state_ = 0x2545F4914F6CDD1DULL;
};

std::string Hex8(std::uint32_t value) {
  std::string text(8, '0');
  for (std::size_t i = 8; i-- > 0; value >>= 4) text[i] = "0123456789ABCDEF"[value & 0xF];
  return text;
}

// A Polish-looking word of a few syllables (cp1250), to give the collation real work.
std::string Word(Random& random, const std::vector<std::string>& syllables) {
  std::string word;
  const std::uint32_t count = 2 + random.Below(3);
  for (std::uint32_t i = 0; i < count; ++i)
    word += syllables[random.Below(static_cast<std::uint32_t>(syllables.size()))];
  return word;
}

// Pieces joined into one text (GCC 12 warns wrongly about `"text" + std::string`).
std::string Joined(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (const std::string_view piece : pieces) text += piece;
  return text;
}

// A value's text put together in one reused buffer, as a converter builds it from a source
// record: pieces and decimal numbers, without a new string per piece.
class Text {
 public:
  Text& operator<<(std::string_view piece) {
    text_ += piece;
    return *this;
  }
  Text& operator<<(std::uint64_t number) {
    char digits[20];
    std::size_t count = 0;
    do {
      digits[count++] = static_cast<char>('0' + number % 10);
      number /= 10;
    } while (number != 0);
    while (count > 0) text_ += digits[--count];
    return *this;
  }
  // Starts a new text; the returned object collects its pieces.
  Text& New() {
    text_.clear();
    return *this;
  }
  std::string_view view() const { return text_; }

 private:
  std::string text_;
};

CalendarDate DateOf(std::uint32_t day_number) {
  return {1995 + static_cast<int>(day_number % 30), 1 + static_cast<int>(day_number / 30 % 12),
          1 + static_cast<int>(day_number / 360 % 28)};
}

// Wall time and this process's CPU time: on a busy machine the second tells more. The CPU
// time splits into our own code (user) and the system's (sys: mostly copying the written
// bytes into the page cache, which dd pays too).
struct Phase {
  double wall = 0;
  double cpu = 0;
  double user = 0;
  double sys = 0;
};

double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double SecondsOf(const timeval& time) {
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
}

rusage UsageOf(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return usage;
}

struct Instant {
  Clock::time_point wall = Clock::now();
  double cpu = CpuSeconds();
  rusage usage = UsageOf(RUSAGE_SELF);
};

Phase Between(const Instant& start, const Instant& end) {
  return {Seconds(end.wall - start.wall), end.cpu - start.cpu,
          SecondsOf(end.usage.ru_utime) - SecondsOf(start.usage.ru_utime),
          SecondsOf(end.usage.ru_stime) - SecondsOf(start.usage.ru_stime)};
}

Phase Sum(std::initializer_list<Phase> phases) {
  Phase total;
  for (const Phase& phase : phases) {
    total.wall += phase.wall;
    total.cpu += phase.cpu;
    total.user += phase.user;
    total.sys += phase.sys;
  }
  return total;
}

struct Timing {
  Phase append;
  Phase close;
};

Timing WriteKartZam(Engine& engine, const std::string& folder, std::uint32_t records) {
  const auto fields = FieldsOf(kKartZamSchema);
  konwerter::engine::CreateTable(engine, folder, "kart_zam.dbf", fields);
  Table table(engine, folder, "kart_zam.dbf");
  table.Open();
  const std::string subject_text =
      konwerter::platform::Cp1250FromUtf8("Mapa do celów projektowych, działka ");
  const std::string notes_text =
      konwerter::platform::Cp1250FromUtf8("Zapłacono przelewem — wyjaśnić różnicę");
  // Fields are named for every value, as the converters do.
  Text text;
  const Instant start;
  for (std::uint32_t n = 1; n <= records; ++n) {
    table.Append();
    table.SetText("Id_zam", Hex8(n));
    table.SetNumber("Nr_zam", n % 100000);
    table.SetNumber("Rok", 1995 + n % 30);
    table.SetDate("D_wplywu", DateOf(n));
    table.SetText("Nr_pisma", (text.New() << "GK.6642." << n % 9973).view());
    table.SetText("Id_osoby", Hex8(n % 50000 + 1));
    table.SetText("Dotyczy", (text.New() << subject_text << n % 777 << "/" << n % 13).view());
    table.SetText("Id_obsluga", (text.New() << "0" << n % 10 << "A1").view());
    table.SetNumber("Etap_f", n % 4);
    if (n % 3 != 0) table.SetDate("D_fakt", DateOf(n + 17));
    table.SetNumber("Kwota_f", (n % 1000000) / 100.0 + 0.005);
    table.SetText("Typ_dok", n % 2 ? "FV" : "PA");
    table.SetLogical("Rej_sprz", n % 5 == 0);
    if (n % 4 == 0) table.SetText("Uwagi", notes_text);
    table.SetLogical("Zaplacone", n % 7 != 0);
    table.SetNumber("Kwota_ods", (n % 5000) * 0.37);
    table.SetText("Id_tworz", "0001589A");
  }
  const Instant appended;
  table.Finish();
  return {Between(start, appended), Between(appended, Instant())};
}

Timing WriteOsoby(Engine& engine, const std::string& folder, std::uint32_t records) {
  konwerter::engine::CreateTable(engine, folder, "Osoby.dbf", FieldsOf(kOsobySchema));
  Table table(engine, folder, "Osoby.dbf");
  table.AddIndex("ID_OSOBY", "ID_OSOBY", false);
  table.AddIndex("NIP", "NIP", false);
  table.AddIndex("UPP_KLUCZ", "UPPER(KLUCZ)", true);
  table.Open();
  std::vector<std::string> syllables;
  for (const char* utf8 : {"ka", "zo", "ża", "ło", "mi", "ść", "rz", "ąb", "ew", "nó",
                           "Ćw", "ta", "Ko", "źd", "ni", "Sz", "ęk", "wa", "ń",  "pi"}) {
    syllables.push_back(konwerter::platform::Cp1250FromUtf8(utf8));
  }
  // Names and streets are drawn from pools made beforehand, so that making up the data
  // costs little of the time measured.
  Random random;
  std::vector<std::string> names(1 << 16);
  for (std::string& name : names) {
    name = Joined({Word(random, syllables), " ", Word(random, syllables)});
  }
  std::vector<std::string> streets(1 << 12);
  for (std::string& street_name : streets) street_name = Word(random, syllables);
  const std::string company = konwerter::platform::Cp1250FromUtf8("Przedsiębiorstwo Geodezyjne");
  const std::string city = konwerter::platform::Cp1250FromUtf8("Kraków");
  // The pick of the next record's name is drawn at the end of each record (the same draws
  // in the same order) so that its string can be fetched from memory meanwhile.
  const auto pick_name = [&] {
    const std::string& name = names[random.Below(static_cast<std::uint32_t>(names.size()))];
    __builtin_prefetch(&name);
    return &name;
  };
  Text text;
  const Instant start;
  const std::string* next_name = records > 0 ? pick_name() : nullptr;
  for (std::uint32_t n = 1; n <= records; ++n) {
    const std::string& full_name = *next_name;
    table.Append();
    table.SetText("Id_osoby", Hex8(random.Below(records) + 1));
    table.SetText("klucz", full_name);
    table.SetText("Nazwa1", full_name);
    if (n % 10 == 0) table.SetText("Nazwa2", company);
    table.SetText("Ulica", streets[n % streets.size()]);
    table.SetText("Nr_dl", (text.New() << n % 200 + 1 << "/" << n % 30 + 1).view());
    table.SetText("Kod", (text.New() << "3" << n % 10 << "-" << 100 + n % 900).view());
    table.SetText("Miejsc", city);
    table.SetText("Pesel", (text.New() << 70000000000ULL + random.Next() % 29999999999ULL).view());
    if (n % 3 == 0) table.SetText("Nip", (text.New() << 1000000000ULL + random.Next()).view());
    table.SetText("Id_tworz", "0001589A");
    table.SetText("Rodzaj", n % 10 == 0 ? "I" : "O");
    if (n < records) next_name = pick_name();
  }
  const Instant appended;
  table.Finish();
  return {Between(start, appended), Between(appended, Instant())};
}

// A shell command's wall time and the CPU time of the processes it ran.
Phase TimeCommand(const std::string& command) {
  const auto start = Clock::now();
  const rusage before = UsageOf(RUSAGE_CHILDREN);
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  const rusage after = UsageOf(RUSAGE_CHILDREN);
  const double user = SecondsOf(after.ru_utime) - SecondsOf(before.ru_utime);
  const double sys = SecondsOf(after.ru_stime) - SecondsOf(before.ru_stime);
  return {Seconds(Clock::now() - start), user + sys, user, sys};
}

// Python's dbf appending `records` records to each of the two tables (no index: the package
// keeps no .mdx); the time includes starting the interpreter.
Phase PythonDbfSeconds(const std::filesystem::path& folder, std::uint32_t records) {
  const std::filesystem::path script = folder / "python_dbf.py";
  std::ofstream(script) << R"(import sys, datetime, dbf
folder, count = sys.argv[1], int(sys.argv[2])
kart = ('ID_ZAM C(8); NR_ZAM N(5,0); ROK N(4,0); D_WPLYWU D; D_PISMA D; NR_PISMA C(20); '
        'ID_OSOBY C(8); DOTYCZY C(60); ID_OBSLUGA C(4); ID_ASORT C(4); TYP_KERG C(1); '
        'ID_KERG C(8); ID_ZUD C(8); D_REALIZ D; D_ODP D; D_ZAK D; ETAP_F N(2,0); D_FAKT D; '
        'D_SPRZED D; D_PLATN D; KWOTA_F N(10,2); D_ZAPLATY D; TYP_DOK C(2); NR_VAT N(5,0); '
        'REJ_SPRZ L; UWAGI C(60); SPOS_ZAPL C(1); ZAPLACONE L; D_ODS D; KWOTA_ODS N(10,2); '
        'ID_TWORZ C(8); ID_MODYF C(8)')
osoby = ('ID_OSOBY C(8); KLUCZ C(30); NAZWA1 C(60); NAZWA2 C(60); ULICA C(30); NR_DL C(11); '
         'KOD C(6); MIEJSC C(30); PESEL C(11); NIP C(13); UPRAWNIENI C(25); ID_TWORZ C(8); '
         'ID_MODYF C(8); RODZAJ C(1); KONTO C(10)')
t = dbf.Table(folder + '/py_kart.dbf', kart, dbf_type='db3', codepage='cp852')
t.open(dbf.READ_WRITE)
for n in range(1, count + 1):
    t.append({'id_zam': '%08X' % n, 'nr_zam': n % 100000, 'rok': 1995 + n % 30,
              'd_wplywu': datetime.date(2000, 1, 1), 'nr_pisma': 'GK.6642.%d' % (n % 9973),
              'id_osoby': '%08X' % (n % 50000 + 1), 'dotyczy': 'Mapa do celów projektowych',
              'id_obsluga': '01A1', 'etap_f': n % 4, 'kwota_f': n / 100.0, 'typ_dok': 'FV',
              'rej_sprz': n % 5 == 0, 'zaplacone': True, 'kwota_ods': 1.5,
              'id_tworz': '0001589A'})
t.close()
t = dbf.Table(folder + '/py_osoby.dbf', osoby, dbf_type='db3', codepage='cp852')
t.open(dbf.READ_WRITE)
for n in range(1, count + 1):
    t.append({'id_osoby': '%08X' % n, 'klucz': 'Kowalski Jan', 'nazwa1': 'Kowalski Jan',
              'ulica': 'Długa', 'nr_dl': '1/2', 'kod': '30-100', 'miejsc': 'Kraków',
              'pesel': '70010112345', 'id_tworz': '0001589A', 'rodzaj': 'O'})
t.close()
)";
  return TimeCommand(Joined(
      {"/usr/bin/python3 ", script.string(), " ", folder.string(), " ", std::to_string(records)}));
}

std::uintmax_t FileBytes(const std::filesystem::path& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return error ? 0 : size;
}

}  // namespace

int main(int argc, char** argv) {
  const std::uint32_t records =
      argc > 1 ? static_cast<std::uint32_t>(std::stoul(argv[1])) : 1000000;
  const std::uint32_t python_records =
      argc > 2 ? static_cast<std::uint32_t>(std::stoul(argv[2])) : 20000;
  std::filesystem::path folder;
  const bool own_folder = argc <= 3;
  if (own_folder) {
    char pattern[] = "/tmp/write_target_tables_XXXXXX";
    if (mkdtemp(pattern) == nullptr) return 1;
    folder = pattern;
  } else {
    folder = argv[3];
  }
  for (const char* name : {"kart_zam.dbf", "Osoby.dbf", "Osoby.mdx"}) {
    std::filesystem::remove(folder / name);  // emptying a big file is not what we measure
  }
  const std::string program_folder = konwerter::platform::Cp1250FromUtf8(folder.string());

  Engine engine;
  const Timing kart = WriteKartZam(engine, program_folder, records);
  const Timing osoby = WriteOsoby(engine, program_folder, records);
  const rusage usage = UsageOf(RUSAGE_SELF);

  const std::uintmax_t bytes = FileBytes(folder / "kart_zam.dbf") +
                               FileBytes(folder / "Osoby.dbf") + FileBytes(folder / "Osoby.mdx");
  const Phase ours = Sum({kart.append, kart.close, osoby.append, osoby.close});
  const double total_records = 2.0 * records;
  const double megabytes = static_cast<double>(bytes) / 1e6;

  const std::uintmax_t dd_blocks = (bytes + (1 << 20) - 1) >> 20;
  const std::string dd_file = (folder / "dd.bin").string();
  const Phase dd =
      TimeCommand(Joined({"dd if=/dev/zero of=", dd_file,
                          " bs=1M count=", std::to_string(dd_blocks), " status=none"}));
  std::filesystem::remove(dd_file);

  std::printf("records: %u per table, 2 tables (kart_zam.dbf; Osoby.dbf with 3 tags)\n", records);
  std::printf("%-36s %9s %9s %9s %9s\n", "phase", "wall s", "cpu s", "user s", "sys s");
  const auto row = [](const char* name, const Phase& phase) {
    std::printf("%-36s %9.3f %9.3f %9.3f %9.3f\n", name, phase.wall, phase.cpu, phase.user,
                phase.sys);
  };
  row("kart_zam.dbf append", kart.append);
  row("kart_zam.dbf close", kart.close);
  row("Osoby.dbf append", osoby.append);
  row("Osoby.dbf close (3-tag index build)", osoby.close);
  row("total", ours);
  row("dd, same bytes", dd);
  std::printf("%.1f MB written (dd: %ju MiB)\n", megabytes, dd_blocks);
  std::printf("records/s: %.0f by wall time, %.0f by cpu time\n", total_records / ours.wall,
              total_records / ours.cpu);
  std::printf("MB/s: %.1f by wall time, %.1f by cpu time\n", megabytes / ours.wall,
              megabytes / ours.cpu);
  std::printf("index build share: %.1f %% of wall time, %.1f %% of cpu time\n",
              100.0 * osoby.close.wall / ours.wall, 100.0 * osoby.close.cpu / ours.cpu);
  std::printf("ours / dd: %.2f by wall time, %.2f by cpu time\n", ours.wall / dd.wall,
              ours.cpu / dd.cpu);
  std::printf("peak memory (max RSS): %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
  if (python_records > 0) {
    const Phase python = PythonDbfSeconds(folder, python_records);
    const double scale = static_cast<double>(records) / python_records;
    std::printf(
        "Python dbf, %u records per table: %.3f s wall, %.3f s cpu; extrapolated to %u: "
        "%.0fx slower by wall time, %.0fx by cpu time\n",
        python_records, python.wall, python.cpu, records, python.wall * scale / ours.wall,
        python.cpu * scale / ours.cpu);
  }
  if (own_folder) std::filesystem::remove_all(folder);
  return 0;
}
