#include "convert/dictionaries.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "convert/converter_toolkit.h"
#include "run/prechecks.h"

namespace konwerter::convert {

namespace {

namespace tables = target::tables;

// How a dictionary record names itself: a 4-byte DOS key, or a 2-byte dictionary
// reference (its own 1-based record number as the referring tables store it).
enum class OwnKey { kDosKey, kReference };

// A text field copied as read; the target field cuts a longer text.
struct TextCopy {
  std::string_view source;
  std::string_view target;
};

// What one dictionary converter adds to the common pattern.
struct Dictionary {
  const source::tables::TableLayout& source;
  const tables::TableStrings& target;
  std::string_view own_key;  // source field
  OwnKey key_kind;
  std::string_view key_field;  // target field of the identifier
  run::SharedTranslationTable run::SharedTables::*identifiers;
  std::string_view sequence_row;
  std::span<const TextCopy> texts;
  std::string_view creator_field;  // empty: the table keeps no creator
};

// Fields of a dictionary that follow rules of their own, beyond copied texts.
class SpecialFields {
 public:
  virtual ~SpecialFields() = default;
  virtual void Bind(SourceTable& source) = 0;
  virtual void Write(run::RunContext& context, engine::Table& target) = 0;
};

// One record of a dictionary as the reader fills it.
struct DictionaryRecord {
  std::uint32_t key = 0;
  std::uint16_t reference = 0;
  std::vector<std::string> texts;
};

// Binds a dictionary's own key, its copied texts and its special fields.
void BindDictionary(SourceTable& source, const Dictionary& dictionary, DictionaryRecord& record,
                    SpecialFields* special) {
  record.texts.resize(dictionary.texts.size());
  if (dictionary.key_kind == OwnKey::kDosKey) {
    source.Binary4(dictionary.own_key, &record.key).Key();
  } else {
    source.Binary2(dictionary.own_key, &record.reference).Key();
  }
  for (std::size_t i = 0; i < dictionary.texts.size(); ++i) {
    source.Text(dictionary.texts[i].source, &record.texts[i]);
  }
  if (special != nullptr) special->Bind(source);
}

// The common pattern: every source record whose own key is set is written when the flag is
// off or an earlier converter asked for its identifier; with the flag on it keeps that
// identifier, with the flag off it gets (or keeps) one. The sequence row counts every
// identifier of the table, those given to keys the dictionary lacks included.
void WriteDictionary(run::RunContext& context, const Dictionary& dictionary, SourceTable& source,
                     const DictionaryRecord& record, engine::Table& target, SpecialFields* special,
                     bool delete_unlinked) {
  run::SharedTranslationTable& identifiers = context.tables().*dictionary.identifiers;
  const bool by_key = dictionary.key_kind == OwnKey::kDosKey;
  const auto key_set = [&] {
    return by_key ? run::IsDosKeySet(record.key) : run::IsReferenceSet(record.reference);
  };
  const auto get_or_assign = [&] {
    return by_key ? identifiers.GetOrAssignKey(record.key)
                  : identifiers.GetOrAssignReference(record.reference);
  };
  source.ForEachRecord(target, [&](std::uint32_t) {
    if (!key_set()) return run::Skipped(run::SkipReason::kKeyNotSet);
    const std::string held = identifiers.LookUp(by_key ? record.key : record.reference);
    if (delete_unlinked && held.empty()) return run::Skipped(run::SkipReason::kUnlinked);
    target.Append();
    target.SetText(dictionary.key_field, delete_unlinked ? held : get_or_assign());
    for (std::size_t i = 0; i < dictionary.texts.size(); ++i) {
      target.SetText(dictionary.texts[i].target, record.texts[i]);
    }
    if (!dictionary.creator_field.empty()) {
      target.SetText(dictionary.creator_field, context.creator_identifier);
    }
    if (special != nullptr) special->Write(context, target);
    target.Post();
    return run::kWritten;
  });
  context.sequence->WriteRow(dictionary.sequence_row, identifiers.counter() + 1);
  ReportTable(context, target);
}

run::Status ConvertDictionary(run::RunContext& context, const Dictionary& dictionary,
                              bool delete_unlinked, SpecialFields* special = nullptr) {
  const std::string folder = MakeTargetFolder(context, dictionary.target.group);
  SourceTablesScope scope(context);
  DictionaryRecord record;
  auto source = SourceTable::Open(context, dictionary.source, [&](SourceTable& table) {
    BindDictionary(table, dictionary, record, special);
  });
  if (!source) return source.error();
  auto target = CreateTargetTable(context, folder, dictionary.target);
  WriteDictionary(context, dictionary, *source, record, *target, special, delete_unlinked);
  target->Finish();
  return {};
}

// Precincts: the commune number is characters 3 to 5 of the DOS nr_g (what there is of
// them in a shorter text), through the commune renumbering rule.
class PrecinctCommune final : public SpecialFields {
 public:
  void Bind(SourceTable& source) override { source.Text("nr_g", &nr_g_); }
  void Write(run::RunContext& context, engine::Table& target) override {
    const std::string commune = nr_g_.size() > 2 ? nr_g_.substr(2, 3) : std::string();
    target.SetText("nr_g", RenumberCommune(context, commune, false));
  }

 private:
  std::string nr_g_;
};

// Parcels: the precinct (assigned here, which links it for the precincts converter), the
// parcel number with its denominator, and the map sheet number.
class ParcelFields final : public SpecialFields {
 public:
  void Bind(SourceTable& source) override {
    source.Binary4("id_obrebu", &precinct_)
        .Long("l_dzialki", &numerator_)
        .Long("m_dzialki", &denominator_)
        .Word("nr_arkusza", &sheet_);
  }
  void Write(run::RunContext& context, engine::Table& target) override {
    target.SetText("id_obr", context.tables().precincts.GetOrAssignKey(precinct_));
    std::string number = std::to_string(numerator_);
    if (denominator_ != 0) number += "/" + std::to_string(denominator_);
    target.SetText("dzialka", number);
    target.SetText("nr_arkusza", std::to_string(sheet_));
  }

 private:
  std::uint32_t precinct_ = 0;
  std::int32_t numerator_ = 0, denominator_ = 0;
  std::uint16_t sheet_ = 0;
};

constexpr TextCopy kPrecinctTexts[] = {
    {"nr_obr", "nr_obr"}, {"nazwa", "nazwa"}, {"kod_obr", "kod_obr"}};
constexpr TextCopy kAssortmentTexts[] = {{"asort", "ASORT"}, {"nazwa_a", "NAZWA_A"}};
constexpr TextCopy kOrderAssortmentTexts[] = {{"asort", "Asort"}, {"nazwa_a", "Nazwa_a"}};
constexpr TextCopy kServiceTexts[] = {{"obsluga", "Obsluga"}, {"nazw_imie", "Nazw_imie"}};
constexpr TextCopy kFeatureTexts[] = {{"cecha", "CECHA"}, {"naz_cechy", "NAZWA_C"}};

using run::SharedTables;

const Dictionary kPrecincts{.source = source::tables::kObreb,
                            .target = tables::kKergObreb,
                            .own_key = "id_obr",
                            .key_kind = OwnKey::kDosKey,
                            .key_field = "id_obr",
                            .identifiers = &SharedTables::precincts,
                            .sequence_row = "OBREB",
                            .texts = kPrecinctTexts,
                            .creator_field = "id_tworz"};
const Dictionary kParcels{.source = source::tables::kDz,
                          .target = tables::kKergDz,
                          .own_key = "id_dzialki",
                          .key_kind = OwnKey::kDosKey,
                          .key_field = "id_dzialki",
                          .identifiers = &SharedTables::parcels,
                          .sequence_row = "DZ",
                          .texts = {},
                          .creator_field = "Id_tworz"};
const Dictionary kWorkAssortments{.source = source::tables::kZgloAsortym,
                                  .target = tables::kKergAsortym,
                                  .own_key = "id_asort",
                                  .key_kind = OwnKey::kReference,
                                  .key_field = "ID_ASORT",
                                  .identifiers = &SharedTables::assortments,
                                  .sequence_row = "ASORTYM",
                                  .texts = kAssortmentTexts,
                                  .creator_field = {}};
const Dictionary kOrderAssortments{.source = source::tables::kZlecAsortym,
                                   .target = tables::kZleceniaAsortym,
                                   .own_key = "id_asort",
                                   .key_kind = OwnKey::kReference,
                                   .key_field = "Id_asort",
                                   .identifiers = &SharedTables::order_assortments,
                                   .sequence_row = "zasort",
                                   .texts = kOrderAssortmentTexts,
                                   .creator_field = {}};
const Dictionary kServices{.source = source::tables::kObsluga,
                           .target = tables::kZleceniaObsluga,
                           .own_key = "id_obsluga",
                           .key_kind = OwnKey::kReference,
                           .key_field = "Id_obsluga",
                           .identifiers = &SharedTables::services,
                           .sequence_row = "obsluga",
                           .texts = kServiceTexts,
                           .creator_field = {}};
const Dictionary kFeatures{.source = source::tables::kCechy,
                           .target = tables::kKergCechy,
                           .own_key = "id_cechy",
                           .key_kind = OwnKey::kReference,
                           .key_field = "ID_CECHY",
                           .identifiers = &SharedTables::features,
                           .sequence_row = "CECHY",
                           .texts = kFeatureTexts,
                           .creator_field = {}};

}  // namespace

run::Status ConvertOrderAssortments(run::RunContext& context, bool delete_unlinked) {
  return ConvertDictionary(context, kOrderAssortments, delete_unlinked);
}

run::Status ConvertServices(run::RunContext& context, bool delete_unlinked) {
  return ConvertDictionary(context, kServices, delete_unlinked);
}

run::Status ConvertParcels(run::RunContext& context, bool delete_unlinked) {
  ParcelFields fields;
  return ConvertDictionary(context, kParcels, delete_unlinked, &fields);
}

run::Status ConvertPrecincts(run::RunContext& context, bool delete_unlinked) {
  PrecinctCommune commune;
  return ConvertDictionary(context, kPrecincts, delete_unlinked, &commune);
}

run::Status ConvertWorkAssortments(run::RunContext& context, bool delete_unlinked) {
  return ConvertDictionary(context, kWorkAssortments, delete_unlinked);
}

// Features differ in one way: the table is created before anything is opened, and a site of
// the earlier edition (no cechy.dbf in the works folder) keeps it empty.
run::Status ConvertFeatures(run::RunContext& context, bool delete_unlinked) {
  const std::string folder = MakeTargetFolder(context, kFeatures.target.group);
  SourceTablesScope scope(context);
  auto target = CreateTargetTable(context, folder, kFeatures.target);
  if (context.edition == source::SourceEdition::kEarlier) {
    context.sequence->WriteRow(kFeatures.sequence_row, 1);
    ReportTable(context, *target);
    target->Finish();
    return {};
  }
  DictionaryRecord record;
  auto source = SourceTable::Open(context, kFeatures.source, [&](SourceTable& table) {
    BindDictionary(table, kFeatures, record, nullptr);
  });
  if (!source) return source.error();
  WriteDictionary(context, kFeatures, *source, record, *target, nullptr, delete_unlinked);
  target->Finish();
  return {};
}

}  // namespace konwerter::convert
