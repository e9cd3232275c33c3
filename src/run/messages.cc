#include "run/messages.h"

#include "platform/dos_path.h"
#include "platform/text_encoding.h"

namespace konwerter::run {

namespace {

using platform::Cp1250FromUtf8;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

platform::OperatorMessage Plain(std::string text, std::string_view caption) {
  return {std::move(text), Cp1250FromUtf8(caption)};
}

platform::OperatorMessage Stop(std::string text, std::string_view caption) {
  return {std::move(text), Cp1250FromUtf8(caption), MessageButtons::kOk, MessageIcon::kStop};
}

std::string Number(std::uint64_t value) {
  return std::to_string(value);
}

}  // namespace

platform::OperatorMessage OverwriteQuestion() {
  return {Cp1250FromUtf8("We wskazanej kartotece znajdują się już dane systemu TEROKAN.\r\n"
                         "Konwersja ZNISZCZY WSZYSTKIE DANE ZNAJDUJĄCE SIĘ W TEJ KARTOTECE\r\n"
                         "Dokonać konwersji ?"),
          Cp1250FromUtf8("Potwierdzenie"), MessageButtons::kYesNo, MessageIcon::kQuestion,
          MessageAnswer::kNo};
}

platform::OperatorMessage BadRenumberingFile(std::string_view file, std::uint32_t line_number,
                                             std::string_view line) {
  return Plain(Cp1250FromUtf8("Błąd w pliku z przenumerowaniem gmin\r\nPlik: ") +
                   platform::HostForm(file) + Cp1250FromUtf8("\r\nWiersz ") + Number(line_number) +
                   ": " + std::string(line),
               "Komunikat");
}

platform::OperatorMessage WrongDataFolder(std::string_view users_file) {
  return Plain(Cp1250FromUtf8("Błędna ścieżka dojścia do danych systemu TEROKAN. Wskaż położenie "
                              "kartoteki SYSTEM w TEROKAN.\r\nNie znaleziono pliku: ") +
                   platform::HostForm(users_file),
               "Błąd");
}

platform::OperatorMessage ReadOnlyData(std::string_view users_file) {
  return Plain(Cp1250FromUtf8("Dane systemu TEROKAN są tylko do odczytu (na przykład na płycie "
                              "CD): nie można ich zablokować na czas konwersji. Skopiuj je na "
                              "dysk z prawem zapisu i wskaż kopię. Plik: ") +
                   platform::HostForm(users_file),
               "Błąd");
}

platform::OperatorMessage DataInUse() {
  return Plain(Cp1250FromUtf8("Przed konwersją należy zakończyć pracę z systemem TEROKAN na "
                              "wszyskich stanowiskach."),
               "Błąd");
}

platform::OperatorMessage MissingFile(std::string_view file) {
  return Plain(Cp1250FromUtf8("Brak pliku: ") + platform::HostForm(file), "Błąd");
}

platform::OperatorMessage OutputRefused(std::string reason) {
  return Stop(std::move(reason), "Błąd");
}

platform::OperatorMessage IncompleteCoordinateSystem(std::string_view name) {
  return Plain(Cp1250FromUtf8("Brak kompletnego opisu do układu: ") + std::string(name),
               "Błąd podczas konwersji");
}

platform::OperatorMessage KeysRepeat() {
  return Plain(
      Cp1250FromUtf8("Nie można utworzyć klucza Kod+IdRek. Dalsza praca w takim stanie "
                     "umożliwia wstawianie danych jednak bez kontroli. Najlepiej usunąć "
                     "rekordy, których klucze się powtarzają i ponownie uruchomić program"),
      "Błąd podczas tworzenia indeksu");
}

platform::OperatorMessage RunAborted(std::string error) {
  return Stop(std::move(error), "Błąd");
}

std::string OutputOverlapsSources(std::string_view source_folder) {
  return Cp1250FromUtf8("Kartoteka wynikowa pokrywa się z danymi systemu TEROKAN w wersji DOS (") +
         platform::HostForm(source_folder) +
         Cp1250FromUtf8(
             "). Konwersja mogłaby zniszczyć dane źródłowe. Wskaż inną kartotekę "
             "wynikową.");
}

std::string OutputHoldsLink(std::string_view link_utf8) {
  return Cp1250FromUtf8("W kartotece wynikowej jest dowiązanie prowadzące poza nią: ") +
         Cp1250FromUtf8(link_utf8) + Cp1250FromUtf8(". Wskaż inną kartotekę wynikową.");
}

platform::OperatorMessage ConversionEnded() {
  return Plain(Cp1250FromUtf8("Konwersja została zakończona."), "Komunikat");
}

platform::OperatorMessage ConversionEndedWithWarnings(std::uint64_t warnings) {
  return {
      Cp1250FromUtf8("Konwersja została zakończona z ostrzeżeniami (") + Number(warnings) + ").",
      Cp1250FromUtf8("Komunikat"), MessageButtons::kOk, MessageIcon::kWarning};
}

platform::OperatorMessage ConversionFailed(std::string_view error) {
  return Stop(Cp1250FromUtf8("Wystąpił błąd podczas konwersji:\r\n") + std::string(error) +
                  Cp1250FromUtf8("\r\nW kartotece wynikowej znajdują się tylko częściowo "
                                 "skonwertowane dane."),
              "Błąd konwersji");
}

std::string TablesFact(std::uint64_t tables) {
  return Cp1250FromUtf8("Tabele: ") + Number(tables);
}

std::string RecordsFact(std::uint64_t read, std::uint64_t written, std::uint64_t skipped) {
  return Cp1250FromUtf8("Rekordy odczytane: ") + Number(read) + Cp1250FromUtf8(", zapisane: ") +
         Number(written) + Cp1250FromUtf8(", pominięte: ") + Number(skipped);
}

std::string WarningsFact(std::uint64_t warnings) {
  return Cp1250FromUtf8("Ostrzeżenia: ") + Number(warnings);
}

std::string StoppedAtFact(std::string_view table) {
  return Cp1250FromUtf8("Konwersję przerwano podczas tworzenia tabeli: ") + std::string(table);
}

std::string CheckFact(bool ran, std::uint64_t failures, std::uint64_t warnings) {
  if (!ran) return Cp1250FromUtf8("Sprawdzenie bazy wynikowej: nie wykonano");
  if (failures == 0) {
    return Cp1250FromUtf8("Sprawdzenie bazy wynikowej: bez błędów (ostrzeżeń: ") +
           Number(warnings) + ")";
  }
  return Cp1250FromUtf8("Sprawdzenie bazy wynikowej: błędy: ") + Number(failures) +
         Cp1250FromUtf8(", ostrzeżenia: ") + Number(warnings);
}

}  // namespace konwerter::run
