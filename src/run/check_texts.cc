#include "run/check_texts.h"

#include <string_view>

#include "platform/text_encoding.h"
#include "run/catalogue.h"

namespace konwerter::run {

using verification::Finding;
using verification::FindingKind;

namespace {

std::string_view TitleUtf8(FindingKind kind) {
  switch (kind) {
    case FindingKind::kTableMissing:
      return "brak tabeli";
    case FindingKind::kOptionalTableMissing:
      return "brak tabeli, którą konwersja zapisuje tylko z istniejącej tabeli DOS";
    case FindingKind::kUnexpectedFile:
      return "plik tabeli lub indeksu, którego konwersja nie zapisuje";
    case FindingKind::kTableUnreadable:
      return "nie można odczytać pliku";
    case FindingKind::kHeaderDamaged:
      return "plik krótszy niż nagłówek tabeli";
    case FindingKind::kHeaderVersion:
      return "błędna wersja w nagłówku tabeli";
    case FindingKind::kLanguageDriver:
      return "błędny sterownik języka w nagłówku tabeli";
    case FindingKind::kProductionIndexFlag:
      return "błędny znacznik indeksu produkcyjnego w nagłówku tabeli";
    case FindingKind::kHeaderLength:
      return "długość nagłówka niezgodna z polami tabeli";
    case FindingKind::kRecordLength:
      return "długość rekordu niezgodna z polami tabeli";
    case FindingKind::kHeaderTerminator:
      return "brak znacznika końca nagłówka (0D)";
    case FindingKind::kDescriptorMismatch:
      return "opis pola niezgodny ze schematem tabeli";
    case FindingKind::kIndexedFieldMark:
      return "błędny znacznik pola indeksowanego w opisie pola";
    case FindingKind::kTableTruncated:
      return "tabela obcięta: mniej rekordów, niż mówi nagłówek";
    case FindingKind::kTrailingBytes:
      return "bajty za końcem tabeli";
    case FindingKind::kEndMarkerMissing:
      return "brak znacznika końca pliku (1A) za rekordami";
    case FindingKind::kIndexMissing:
      return "brak pliku indeksu .mdx";
    case FindingKind::kIndexDamaged:
      return "uszkodzony plik indeksu";
    case FindingKind::kTagMismatch:
      return "znacznik indeksu niezgodny z definicją indeksów tabeli";
    case FindingKind::kRecordWithoutKey:
      return "rekord bez klucza w indeksie";
    case FindingKind::kKeyWithoutRecord:
      return "klucz indeksu wskazuje rekord, którego nie ma";
    case FindingKind::kDuplicateKey:
      return "rekord z więcej niż jednym kluczem w znaczniku indeksu";
    case FindingKind::kKeyDiffers:
      return "klucz indeksu różny od wyrażenia obliczonego na rekordzie";
    case FindingKind::kKeyOutOfOrder:
      return "klucze indeksu poza kolejnością sortowania";
    case FindingKind::kIdentifierEmpty:
      return "rekord bez identyfikatora";
    case FindingKind::kIdentifierMalformed:
      return "identyfikator, który nie jest liczbą szesnastkową sekwencji";
    case FindingKind::kIdentifierDuplicate:
      return "powtórzony identyfikator";
    case FindingKind::kDosKeyRepeated:
      return "powtórzony identyfikator słownika: dane DOS mają ten sam klucz dwa razy";
    case FindingKind::kSequenceMissing:
      return "brak wiersza sekwencji zapisanej tabeli";
    case FindingKind::kSequenceDuplicate:
      return "powtórzony wiersz sekwencji";
    case FindingKind::kSequenceUnknown:
      return "wiersz sekwencji, którego konwersja nie zapisuje";
    case FindingKind::kSequenceTooLow:
      return "następna wartość sekwencji nie większa od identyfikatorów jej tabeli";
    case FindingKind::kReferenceUnresolved:
      return "odwołanie do rekordu, którego nie ma";
    case FindingKind::kReferenceNeverAssigned:
      return "odwołanie do identyfikatora, którego sekwencja nie nadała";
    case FindingKind::kReferenceDangling:
      return "odwołanie do rekordu słownika, którego nie miały dane DOS";
    case FindingKind::kLedgerMismatch:
      return "liczby rekordów w rejestrze konwersji nie zgadzają się";
  }
  return "?";
}

std::string Quoted(const std::string& text) {
  return platform::Cp1250FromUtf8("„") + text + platform::Cp1250FromUtf8("”");
}

std::string Text(std::string_view utf8) {
  return platform::Cp1250FromUtf8(utf8);
}

// "rekord N, " when the finding is about one record.
std::string RecordPart(const Finding& finding) {
  return finding.record == 0 ? std::string() : Text("rekord ") + std::to_string(finding.record);
}

std::string Joined(std::string first, const std::string& second) {
  if (first.empty()) return second;
  if (second.empty()) return first;
  return first + ", " + second;
}

std::string FoundAndExpected(const Finding& finding) {
  return Text("jest ") + (finding.value.empty() ? Text("brak") : Quoted(finding.value)) +
         Text(", powinno być ") +
         (finding.expected.empty() ? Text("brak") : Quoted(finding.expected));
}

std::string DescribeIndexFinding(const Finding& finding) {
  std::string line = Joined(RecordPart(finding), Text("znacznik ") + finding.field);
  switch (finding.kind) {
    case FindingKind::kRecordWithoutKey:
      return line;
    case FindingKind::kKeyDiffers:
      return line + Text(": klucz ") + Quoted(finding.value) + Text(", z rekordu wychodzi ") +
             Quoted(finding.expected);
    case FindingKind::kKeyOutOfOrder:
      return line + Text(": klucz ") + Quoted(finding.value) + Text(" po kluczu ") +
             Quoted(finding.expected);
    default:
      return line + Text(": klucz ") + Quoted(finding.value);
  }
}

std::string DescribeReference(const Finding& finding) {
  const std::string line =
      Joined(RecordPart(finding), Text("pole ") + finding.field) + " = " + Quoted(finding.value);
  if (finding.kind == FindingKind::kReferenceNeverAssigned) {
    return line + Text(": identyfikator spoza sekwencji tabeli ") + finding.expected;
  }
  return line + Text(": brak w ") + finding.expected;
}

// A damaged index in the words of the engine's errors: what its reader found, the tag, the
// file.
std::string IndexDamage(const Finding& finding) {
  engine::FaultSubject subject;
  subject.name = platform::Utf8FromCp1250(finding.field);
  subject.table = platform::Utf8FromCp1250(finding.value);
  return EngineErrorText(finding.index_fault, subject);
}

}  // namespace

std::string KindTitle(FindingKind kind) {
  return Text(TitleUtf8(kind));
}

std::string DescribeFinding(const Finding& finding) {
  switch (finding.kind) {
    case FindingKind::kTableMissing:
    case FindingKind::kOptionalTableMissing:
    case FindingKind::kUnexpectedFile:
    case FindingKind::kTableUnreadable:
    case FindingKind::kIndexMissing:
    case FindingKind::kEndMarkerMissing:
      return {};
    case FindingKind::kHeaderDamaged:
      return Text("bajtów w pliku: ") + finding.value + Text(", nagłówek: ") + finding.expected;
    case FindingKind::kTableTruncated:
      return Text("rekordów według nagłówka: ") + finding.value +
             Text(", całych rekordów w pliku: ") + finding.expected;
    case FindingKind::kTrailingBytes:
      return Text("bajtów za znacznikiem końca: ") + finding.value;
    case FindingKind::kIndexDamaged:
      return IndexDamage(finding);
    case FindingKind::kHeaderVersion:
    case FindingKind::kLanguageDriver:
    case FindingKind::kProductionIndexFlag:
    case FindingKind::kHeaderLength:
    case FindingKind::kRecordLength:
    case FindingKind::kHeaderTerminator:
      return FoundAndExpected(finding);
    case FindingKind::kDescriptorMismatch:
    case FindingKind::kIndexedFieldMark:
      return Text("pole ") + finding.field + ": " + FoundAndExpected(finding);
    case FindingKind::kTagMismatch:
      return Text("znacznik ") + finding.field + ": " + FoundAndExpected(finding);
    case FindingKind::kRecordWithoutKey:
    case FindingKind::kKeyWithoutRecord:
    case FindingKind::kDuplicateKey:
    case FindingKind::kKeyDiffers:
    case FindingKind::kKeyOutOfOrder:
      return DescribeIndexFinding(finding);
    case FindingKind::kIdentifierEmpty:
      return Joined(RecordPart(finding), Text("pole ") + finding.field);
    case FindingKind::kIdentifierMalformed:
      return Joined(RecordPart(finding), Text("pole ") + finding.field) + " = " +
             Quoted(finding.value);
    case FindingKind::kIdentifierDuplicate:
    case FindingKind::kDosKeyRepeated:
      return Joined(RecordPart(finding), Text("pole ") + finding.field) + " = " +
             Quoted(finding.value) + Text(", jak w rekordzie ") + finding.expected;
    case FindingKind::kSequenceMissing:
      return Text("sekwencja ") + finding.field;
    case FindingKind::kSequenceDuplicate:
    case FindingKind::kSequenceUnknown:
      return Joined(RecordPart(finding), Text("sekwencja ") + finding.field) +
             Text(", następna wartość ") + finding.value;
    case FindingKind::kSequenceTooLow:
      return Joined(RecordPart(finding), Text("sekwencja ") + finding.field) +
             Text(": następna wartość ") + finding.value + Text(", najwyższy identyfikator ") +
             finding.expected;
    case FindingKind::kReferenceUnresolved:
    case FindingKind::kReferenceNeverAssigned:
    case FindingKind::kReferenceDangling:
      return DescribeReference(finding);
    case FindingKind::kLedgerMismatch:
      return Joined(Text("tabela ") + finding.field, finding.value);
  }
  return {};
}

}  // namespace konwerter::run
