#include "run/catalogue.h"

#include "platform/io_error.h"
#include "platform/text_encoding.h"
#include "target/engine/engine_error.h"

namespace konwerter::run {

namespace {

using platform::Cp1250FromUtf8;

std::string Number(std::uint64_t value) {
  return std::to_string(value);
}

struct ReasonTexts {
  std::string_view code;
  std::string_view text;  // UTF-8
};

constexpr ReasonTexts kSkipTexts[kSkipReasonCount] = {
    {"brak_klucza", "klucz rekordu nie jest ustawiony (0, spacje lub FFFFFFFF)"},
    {"brak_numeru", "numer dokumentu nie został nadany (FFFFFFFF)"},
    {"anulowany", "dokument anulowany"},
    {"niepowiazany", "nic się do niego nie odwołuje, a wybrano usuwanie niepowiązanych"},
    {"bez_nadrzednego", "rekord, do którego należy, nie został zapisany"},
    {"puste_odwolanie", "odwołanie do słownika nie zostało wypełnione"},
    {"bez_zlecenia", "nie należy do żadnego zlecenia"},
    {"bez_cennika", "nie wskazuje cennika"},
    {"cennik_map", "pozycja cennika map: zapisuje ją rozchód map"},
    {"zerowa_ilosc", "rozchód zera arkuszy"},
    {"bez_przychodu", "dostawa nie przyjęta na stan"},
    {"inne_wojewodztwo", "gmina innego województwa niż województwo jednostki"},
    {"usuniety", "oznaczony w systemie DOS jako usunięty (pierwszy bajt FF)"},
    {"poza_tabela", "wskazuje numer rekordu spoza tabeli, do której należy"},
    {"uszkodzony", "rekord uszkodzony: znacznik usunięcia nie jest spacją ani „*”"},
};

constexpr ReasonTexts kChangeTexts[kValueChangeCount] = {
    {"zla_data", "tekst nie jest datą: zapisano 1900.01.01"},
    {"liczba_za_szeroka", "liczba za szeroka dla pola: zapisano „*”"},
    {"tekst_obciety", "tekst dłuższy niż pole: obcięty"},
    {"zla_liczba",
     "pole liczbowe nie zawiera liczby: to pole i dalsze pola rekordu nie "
     "zostały odczytane"},
    {"odwolanie_poza_tabele", "odwołanie do rekordu spoza tabeli: odczytane jako brak"},
    {"odwolanie_niezapisany",
     "odwołanie do rekordu, który nie został zapisany: identyfikator "
     "pusty"},
    {"brak_w_indeksie", "brak wpisu w indeksie: dane, które indeks wskazuje, pominięte"},
    {"indeks_nieaktualny",
     "indeks prowadzi do innego rekordu: dane, które indeks wskazuje, "
     "pominięte"},
};

// The texts of altered values as warnings: how many values of a table were changed so.
constexpr std::string_view kChangeWarnings[kValueChangeCount] = {
    "daty, które nie są datą (zapisane jako 1900.01.01)",
    "liczby za szerokie dla pola (zapisane jako „*”)",
    "teksty dłuższe niż pole (obcięte)",
    "rekordy z polem liczbowym, które nie zawiera liczby (odczytane do tego pola)",
    "odwołania do rekordu spoza tabeli (pominięte)",
    "odwołania do rekordu, który nie został zapisany (zapisane z pustym identyfikatorem)",
    "rekordy bez wpisu w indeksie (zapisane bez danych, które indeks wskazuje)",
    // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one text over two lines
    "wpisy indeksu prowadzące do innego rekordu (indeks nieaktualny; zapisane bez danych, "
    "które indeks wskazuje)",
};

bool IsIndexChange(ValueChange change) {
  return change == ValueChange::kIndexEntryMissing || change == ValueChange::kIndexEntryStale;
}

std::string OpeningLine(const Failure& failure) {
  return Cp1250FromUtf8("Błąd podczas otwarcia pliku: ") + failure.given_path;
}

}  // namespace

std::string_view SkipCode(SkipReason reason) {
  return kSkipTexts[static_cast<std::size_t>(reason)].code;
}

std::string_view ChangeCode(ValueChange change) {
  return kChangeTexts[static_cast<std::size_t>(change)].code;
}

std::string_view SkipTextUtf8(SkipReason reason) {
  return kSkipTexts[static_cast<std::size_t>(reason)].text;
}

std::string_view ChangeTextUtf8(ValueChange change) {
  return kChangeTexts[static_cast<std::size_t>(change)].text;
}

std::string SkipText(SkipReason reason) {
  return Cp1250FromUtf8(kSkipTexts[static_cast<std::size_t>(reason)].text);
}

std::string ChangeText(ValueChange change) {
  return Cp1250FromUtf8(kChangeTexts[static_cast<std::size_t>(change)].text);
}

namespace {

std::string_view IoFaultText(platform::IoFault fault) {
  switch (fault) {
    case platform::IoFault::kCreateFile:
      return "Nie można utworzyć pliku";
    case platform::IoFault::kCreateFolder:
      return "Nie można utworzyć kartoteki";
    case platform::IoFault::kRead:
      return "Błąd odczytu pliku";
    case platform::IoFault::kWrite:
      return "Błąd zapisu pliku";
    case platform::IoFault::kClose:
      return "Nie można zamknąć pliku";
    case platform::IoFault::kReplace:
      return "Nie można zastąpić pliku tabeli";
    case platform::IoFault::kOutsideOutput:
      return "Kartoteka tabeli wynikowej prowadzi poza kartotekę wynikową";
    case platform::IoFault::kIndexDamaged:
      return "Indeks jest uszkodzony";
    case platform::IoFault::kIndexNotOpen:
      return "Indeks nie jest otwarty";
  }
  return "Błąd pliku";
}

// Why a tag's key expression was refused (UTF-8).
std::string ExpressionFaultText(const engine::ExpressionError& error) {
  using engine::ExpressionFault;
  switch (error.fault) {
    case ExpressionFault::kNone:
      return {};
    case ExpressionFault::kUnexpectedCharacter:
      return "nieoczekiwany znak w wyrażeniu";
    case ExpressionFault::kUnknownFunction:
      return "nieznana funkcja " + error.name;
    case ExpressionFault::kNeedsCharacter:
      return error.name + " wymaga wartości znakowej";
    case ExpressionFault::kStrNeedsNumber:
      return "STR() wymaga pola liczbowego";
    case ExpressionFault::kStrLengthRefused:
      return "niedozwolona długość w STR()";
    case ExpressionFault::kDtosNeedsDate:
      return "DTOS() wymaga pola daty";
    case ExpressionFault::kNoSuchField:
      return "nie ma pola " + error.name;
    case ExpressionFault::kFieldNotKeyable:
      return "pole " + error.name + " nie może być częścią klucza";
    case ExpressionFault::kMissingCharacter:
      return "brak znaku " + error.name + " w wyrażeniu";
    case ExpressionFault::kNameExpected:
      return "oczekiwano nazwy pola lub funkcji";
    case ExpressionFault::kNumberExpected:
      return "oczekiwano liczby";
    case ExpressionFault::kKeyTooLong:
      return "klucz dłuższy niż " + Number(error.number) + " znaków";
    case ExpressionFault::kLogicalAlone:
      return "pole logiczne samo nie może być kluczem";
  }
  return {};
}

// What the engine could not do, without the table it names (UTF-8). Names and values are
// the engine's own (field and tag names are ASCII).
std::string EngineFaultText(engine::EngineFault fault, const engine::FaultSubject& subject) {
  using engine::EngineFault;
  const std::string& name = subject.name;
  switch (fault) {
    case EngineFault::kFolderMissing:
      return "Nie ma kartoteki tabeli";
    case EngineFault::kTableMissing:
      return "Nie ma tabeli";
    case EngineFault::kTableCannotOpen:
      return "Nie można otworzyć tabeli";
    case EngineFault::kTableNotOpen:
      return "Tabela nie jest otwarta";
    case EngineFault::kTableShorterThanHeader:
      return "Plik tabeli jest krótszy niż jej nagłówek";
    case EngineFault::kHeaderBeyondFile:
      return "Długość nagłówka tabeli wykracza poza plik";
    case EngineFault::kHeaderUnreadable:
      return "Nie można odczytać nagłówka tabeli";
    case EngineFault::kVersionUnsupported:
      return "Nieobsługiwana wersja tabeli";
    case EngineFault::kFieldListBeyondHeader:
      return "Lista pól wykracza poza nagłówek tabeli";
    case EngineFault::kFieldWithoutName:
      return "Pole bez nazwy w nagłówku tabeli";
    case EngineFault::kFieldTypeUnsupported:
      return "Nieobsługiwany typ pola " + name + " w tabeli";
    case EngineFault::kFieldWidthDamaged:
      return "Błędna szerokość pola " + name + " w tabeli";
    case EngineFault::kFieldNameRepeated:
      return "Powtórzona nazwa pola " + name;
    case EngineFault::kNoFields:
      return "Tabela nie ma pól";
    case EngineFault::kRecordLengthMismatch:
      return "Długość rekordu nie zgadza się z polami tabeli";
    case EngineFault::kRecordsBeyondFile:
      return "Liczba rekordów wykracza poza plik tabeli";
    case EngineFault::kRecordsCutShort:
      return "Plik tabeli jest krótszy niż jej nagłówek mówi";
    case EngineFault::kFieldNameRefused:
      return "Niedozwolona nazwa pola \"" + name + "\" w tabeli";
    case EngineFault::kFieldDefinitionRefused:
      return "Niedozwolona szerokość lub typ pola " + name + " w tabeli";
    case EngineFault::kFieldCountRefused:
      return "Niedozwolona liczba pól tabeli";
    case EngineFault::kRecordTooLong:
      return "Za długi rekord tabeli";
    case EngineFault::kSchemaNumberBad:
      return "Niepoprawna liczba w opisie pola: " + name;
    case EngineFault::kRestructureFieldUnknown:
      return "Przebudowa odwołuje się do nieistniejącego pola tabeli";
    case EngineFault::kTooManyRecords:
      return "Za dużo rekordów w tabeli";
    case EngineFault::kNoSuchField:
      return "Nie ma pola " + name + " w tabeli";
    case EngineFault::kNoSuchFieldNumber:
      return "Nie ma pola numer " + std::to_string(subject.number) + " w tabeli";
    case EngineFault::kFieldTakesNoText:
      return "Pole " + name + " nie przyjmuje ani nie daje wartości \"" + subject.detail +
             "\" w tabeli";
    case EngineFault::kFieldTakesNoNumber:
      return "Pole " + name + " nie przyjmuje ani nie daje liczby w tabeli";
    case EngineFault::kFieldTakesNoDate:
      return "Pole " + name + " nie przyjmuje ani nie daje daty w tabeli";
    case EngineFault::kFieldTakesNoLogical:
      return "Pole " + name + " nie przyjmuje ani nie daje wartości logicznej w tabeli";
    case EngineFault::kDateInvalid:
      return "Niepoprawna data dla pola " + name + " w tabeli";
    case EngineFault::kFieldHoldsNoNumber:
      return "Pole " + name + " nie zawiera liczby w tabeli";
    case EngineFault::kNoCurrentRecord:
      return "Brak bieżącego rekordu do zmiany w tabeli";
    case EngineFault::kFieldNotPending:
      return "Pole " + name + " można ustawić tylko w dopisywanym lub zmienianym rekordzie tabeli";
    case EngineFault::kNoSuchTag:
      return "Nie ma indeksu " + name + " tabeli";
    case EngineFault::kNoCurrentIndex:
      return "Szukanie klucza bez bieżącego indeksu w tabeli";
    case EngineFault::kIndexFieldMissing:
      return "Nie ma pola " + name + " dla indeksu " + subject.detail + " tabeli";
    case EngineFault::kTagNameRefused:
      return "Niedozwolona nazwa indeksu \"" + name + "\"";
    case EngineFault::kIndexTagNameRefused:
      return "Niedozwolona nazwa indeksu (" + name + ")";
    case EngineFault::kTagExpressionRefused:
      return "Indeks " + name + " (" + subject.detail +
             "): " + ExpressionFaultText(subject.expression) + "; tabela";
    case EngineFault::kTagExpressionTooLong:
      return "Za długie wyrażenie indeksu (" + name + ")";
    case EngineFault::kKeyLengthRefused:
      return "Niedozwolona długość klucza indeksu (" + name + ")";
    case EngineFault::kKeysIncomplete:
      return "Niepełne klucze indeksu (" + name + ")";
    case EngineFault::kTooManyTags:
      return "Za dużo indeksów w pliku indeksu";
    case EngineFault::kKeyRepeated:
      return "Klucz powtórzony w indeksie unikalnym tabeli";
    case EngineFault::kIndexFileMissing:
      return "Brak pliku indeksu";
    case EngineFault::kIndexFileShort:
      return "Za krótki plik indeksu";
    case EngineFault::kIndexBlockSize:
      return "Błędny rozmiar bloku w pliku indeksu";
    case EngineFault::kIndexTagTable:
      return "Błędna tablica znaczników w pliku indeksu";
    case EngineFault::kIndexTagWithoutName:
      return "Znacznik bez nazwy w pliku indeksu";
    case EngineFault::kIndexTagHeader:
      return "Błędny nagłówek znacznika " + name + " w pliku indeksu";
    case EngineFault::kIndexTagExpression:
      return "Błędne wyrażenie znacznika " + name + " w pliku indeksu";
    case EngineFault::kIndexTagMissing:
      return "Brak znacznika " + name + " w pliku indeksu";
    case EngineFault::kIndexTreeLoops:
      return "Zapętlone drzewo w pliku indeksu";
    case EngineFault::kIndexNodeKeyCount:
      return "Błędna liczba kluczy w węźle pliku indeksu";
    case EngineFault::kIndexPageBeyondFile:
      return "Odwołanie poza plik indeksu";
  }
  return "Błąd bazy danych";
}

}  // namespace

std::string EngineErrorText(engine::EngineFault fault, const engine::FaultSubject& subject) {
  std::string text = EngineFaultText(fault, subject);
  // Every fault names its table but a schema item's, which belongs to no table yet.
  if (fault != engine::EngineFault::kSchemaNumberBad) text += ": " + subject.table;
  return Cp1250FromUtf8(text);
}

std::string ErrorText(const std::exception& error) {
  if (const auto* engine = dynamic_cast<const engine::EngineError*>(&error)) {
    return EngineErrorText(engine->fault(), engine->subject());
  }
  const auto* io = dynamic_cast<const platform::IoError*>(&error);
  if (io == nullptr) return Cp1250FromUtf8(error.what());
  std::string text = Cp1250FromUtf8(IoFaultText(io->fault()));
  if (const auto* index = dynamic_cast<const source::IndexDamaged*>(io)) {
    text += " (" + IndexFaultText(index->index_fault()) + "); " + IndexHint();
  }
  return text + ": " + Cp1250FromUtf8(io->path());
}

std::string IndexHint() {
  return Cp1250FromUtf8(
      "indeks można pominąć opcją --rebuild-indexes lub polem „Odbuduj indeksy z tabel (pomiń "
      "pliki .ntx)” (wyszukiwanie zbudowane z tabeli)");
}

std::string EditionText(source::SourceEdition edition) {
  return Cp1250FromUtf8(edition == source::SourceEdition::kLater
                            ? "Dane DOS odczytano jako późniejsze wydanie systemu (w kartotece "
                              "BDGROBOTY jest plik cechy.dbf)"
                            : "Dane DOS odczytano jako wcześniejsze wydanie systemu (w kartotece "
                              "BDGROBOTY brak pliku cechy.dbf)");
}

std::string TableFaultText(const source::TableFault& fault) {
  using source::TableFaultKind;
  switch (fault.kind) {
    case TableFaultKind::kNone:
      return {};
    case TableFaultKind::kCannotOpen:
      return Cp1250FromUtf8("pliku nie można otworzyć do odczytu");
    case TableFaultKind::kEmptyFile:
      return Cp1250FromUtf8("plik jest pusty (0 bajtów)");
    case TableFaultKind::kShorterThanHeader:
      return Cp1250FromUtf8("plik jest krótszy niż nagłówek tabeli (") + Number(fault.first) +
             Cp1250FromUtf8(" bajtów)");
    case TableFaultKind::kNoFields:
      return Cp1250FromUtf8("nagłówek tabeli nie opisuje żadnego pola (długość nagłówka ") +
             Number(fault.first) + ")";
    case TableFaultKind::kHeaderBeyondFile:
      return Cp1250FromUtf8("długość nagłówka (") + Number(fault.first) +
             Cp1250FromUtf8(") przekracza rozmiar pliku (") + Number(fault.second) + ")";
    case TableFaultKind::kZeroRecordLength:
      return Cp1250FromUtf8("długość rekordu wynosi 0");
    case TableFaultKind::kDescriptorsBeyondFile:
      return Cp1250FromUtf8("opis pól tabeli sięga poza koniec pliku");
    case TableFaultKind::kNoDescriptorEnd:
      return Cp1250FromUtf8("brak znacznika końca opisu pól po ") + Number(fault.first) +
             Cp1250FromUtf8(" polach (długość nagłówka ") + Number(fault.second) + ")";
    case TableFaultKind::kHeaderLengthMismatch:
      return Cp1250FromUtf8("długość nagłówka (") + Number(fault.first) +
             Cp1250FromUtf8(") nie zgadza się z opisem pól tabeli, który wymaga ") +
             Number(fault.second) +
             Cp1250FromUtf8(": każdy rekord zostałby odczytany z przesunięciem");
    case TableFaultKind::kBadDescriptor:
      return Cp1250FromUtf8("błędny opis pola ") + Number(fault.first) + " (" + fault.name +
             Cp1250FromUtf8("): typ ") +
             (fault.type != 0 ? std::string(1, fault.type) : Cp1250FromUtf8("niedozwolony")) +
             Cp1250FromUtf8(", szerokość ") + Number(fault.second);
    case TableFaultKind::kRecordLengthMismatch:
      return Cp1250FromUtf8("długość rekordu (") + Number(fault.first) +
             Cp1250FromUtf8(") nie zgadza się z sumą szerokości pól (") + Number(fault.second) +
             ")";
    case TableFaultKind::kRecordsMisaligned:
      return Number(fault.first) + Cp1250FromUtf8(" z ") + Number(fault.second) +
             Cp1250FromUtf8(
                 " sprawdzonych rekordów ma znacznik usunięcia inny niż spacja lub "
                 "„*”: nagłówek nie opisuje położenia rekordów w pliku");
  }
  return {};
}

std::string IndexFaultText(const source::IndexFault& fault) {
  using source::IndexFaultKind;
  const std::string first = Number(fault.first);
  switch (fault.kind) {
    case IndexFaultKind::kNone:
      return {};
    case IndexFaultKind::kShortHeader:
      return Cp1250FromUtf8("nagłówek indeksu jest krótszy niż 1024 bajty");
    case IndexFaultKind::kKeyTooLong:
      return Cp1250FromUtf8("długość klucza (") + first + Cp1250FromUtf8(") ponad 255");
    case IndexFaultKind::kNoRoomForKeys:
      return Cp1250FromUtf8("długość klucza (") + first +
             Cp1250FromUtf8(") nie pozwala na stronę indeksu");
    case IndexFaultKind::kRootOffGrid:
      return Cp1250FromUtf8("przesunięcie strony głównej (") + first +
             Cp1250FromUtf8(") nie wskazuje strony indeksu");
    case IndexFaultKind::kRootBeyondFile:
      return Cp1250FromUtf8("strona główna indeksu (przesunięcie ") + first +
             Cp1250FromUtf8(") leży poza plikiem");
    case IndexFaultKind::kKeySizeNotSought:
      return Cp1250FromUtf8("długość klucza indeksu (") + first +
             Cp1250FromUtf8(") nie jest długością klucza, którego szuka konwersja (") +
             Number(fault.second) + ")";
    case IndexFaultKind::kPageUnreadable:
      return Cp1250FromUtf8("strona o przesunięciu ") + first +
             Cp1250FromUtf8(" leży poza plikiem lub poza podziałem pliku na strony");
    case IndexFaultKind::kPageDamaged:
      return Cp1250FromUtf8("strona o przesunięciu ") + first +
             Cp1250FromUtf8(" jest uszkodzona (wpisy poza stroną lub klucze nieuporządkowane)");
    case IndexFaultKind::kTreeOutOfOrder:
      return Cp1250FromUtf8("klucze strony o przesunięciu ") + first +
             Cp1250FromUtf8(" nie mieszczą się między kluczami strony nadrzędnej");
    case IndexFaultKind::kTreeLoops:
      return Cp1250FromUtf8(
                 "drzewo stron zapętlone lub głębsze niż 30 poziomów (strona o "
                 "przesunięciu ") +
             first + ")";
    case IndexFaultKind::kRecordOutside:
      return Cp1250FromUtf8("wpis prowadzi do rekordu ") + first +
             Cp1250FromUtf8(", a tabela ma rekordów: ") + Number(fault.second);
  }
  return {};
}

std::string ShortTableText(std::uint64_t header_count, std::uint64_t whole_records) {
  return Cp1250FromUtf8("nagłówek podaje ") + Number(header_count) +
         Cp1250FromUtf8(" rekordów, a plik zawiera ") + Number(whole_records) +
         Cp1250FromUtf8(" pełnych; odczytano ") + Number(whole_records);
}

std::string WarningText(const RunWarning& warning) {
  switch (warning.kind) {
    case WarningKind::kMemoryFileEmpty:
      return Cp1250FromUtf8("plik nie zawiera żadnej zmiennej");
    case WarningKind::kMemoryFileTruncated:
      return Cp1250FromUtf8("plik urwany wewnątrz zmiennej; odczytano zmienne przed nią: ") +
             Number(warning.count);
    case WarningKind::kMemoryNamesWithEquals:
      return Cp1250FromUtf8(
                 "nazwy zmiennych zawierające znak \"=\" (odczytane z \"?\" w jego "
                 "miejscu): ") +
             Number(warning.count);
    case WarningKind::kSiteSettingsMissing:
      return Cp1250FromUtf8("brak pliku; ustawienia w terokan.ini pozostały puste");
    case WarningKind::kSiteSettingsLineBreaks:
      return Cp1250FromUtf8("znaki końca wiersza w wartościach zastąpiono spacjami");
    case WarningKind::kRecordCountBeyondFile:
      return ShortTableText(warning.count, warning.other);
    case WarningKind::kCoordinateSystemIncomplete:
      return Cp1250FromUtf8("brak kompletnego opisu układu ") + warning.detail +
             Cp1250FromUtf8(" (opis, wymiary sekcji lub tabela narożników lok_p") + warning.detail +
             Cp1250FromUtf8(".dbf); układ pominięto");
    case WarningKind::kOptionalSourceLeftOut:
      return Cp1250FromUtf8("pliku nie można odczytać (") + warning.detail +
             Cp1250FromUtf8("); tabelę pominięto, jak gdyby jej nie było");
    case WarningKind::kIndexRebuilt:
      return Cp1250FromUtf8("indeks nie pasuje do tabeli (") + warning.detail +
             Cp1250FromUtf8("); wyszukiwanie zbudowano z tabeli, bez odczytu indeksu");
    case WarningKind::kValuesAltered: {
      std::string text = Cp1250FromUtf8(kChangeWarnings[static_cast<std::size_t>(warning.change)]);
      if (IsIndexChange(warning.change)) text += "; " + IndexHint();
      return text + ": " + Number(warning.count);
    }
    case WarningKind::kRecordsDamaged:
      return Cp1250FromUtf8(
                 "rekordy uszkodzone (znacznik usunięcia nie jest spacją ani „*”), "
                 "pominięte: ") +
             Number(warning.count);
    case WarningKind::kCheckFinding:
      return warning.detail + ": " + Number(warning.count);
  }
  return {};
}

std::string FailureReason(const Failure& failure) {
  switch (failure.kind) {
    case FailureKind::kSourceUnreadable:
      return TableFaultText(failure.fault);
    case FailureKind::kFieldMissing:
      return Cp1250FromUtf8("w tabeli brak pola ") + failure.detail;
    case FailureKind::kIndexUnreadable:
      return failure.detail;
    default:
      return Cp1250FromUtf8("brak pliku");
  }
}

std::string FailureText(const Failure& failure) {
  switch (failure.kind) {
    case FailureKind::kSourceMissing:
    case FailureKind::kIndexMissing: {
      std::string text = OpeningLine(failure);
      if (failure.searched_elsewhere) {
        text += "\r\n" + Cp1250FromUtf8("Szukano pliku: ") + failure.host_path;
      }
      if (!failure.variable_known) {
        text +=
            "\r\n" + Cp1250FromUtf8("Plik bdglobal.mem nie zawiera zmiennej ") + failure.variable;
      }
      if (failure.kind == FailureKind::kIndexMissing && failure.variable_known) {
        text += "\r\n" + Cp1250FromUtf8("Brak pliku indeksu; ") + IndexHint();
      }
      return text;
    }
    case FailureKind::kSourceUnreadable:
    case FailureKind::kFieldMissing:
    case FailureKind::kIndexUnreadable: {
      std::string text = OpeningLine(failure);
      if (failure.searched_elsewhere) {
        text += "\r\n" + Cp1250FromUtf8("Plik: ") + failure.host_path;
      }
      if (failure.kind == FailureKind::kSourceUnreadable) {
        text += "\r\n" + TableFaultText(failure.fault);
      } else if (failure.kind == FailureKind::kFieldMissing) {
        text += "\r\n" + Cp1250FromUtf8("W tabeli brak pola ") + failure.detail +
                Cp1250FromUtf8(", które konwersja odczytuje");
      } else {
        text += "\r\n" + failure.detail + "; " + IndexHint();
      }
      return text;
    }
    case FailureKind::kStrictWarnings:
      return Cp1250FromUtf8("Dane źródłowe są uszkodzone (ostrzeżeń: ") + failure.detail +
             Cp1250FromUtf8("), a wybrano ścisłą kontrolę:");
    case FailureKind::kCheckFailed:
      return Cp1250FromUtf8("Sprawdzenie bazy wynikowej wykazało błędy (") + failure.detail +
             Cp1250FromUtf8("); szczegóły w raporcie konwersji.");
  }
  return {};
}

}  // namespace konwerter::run
