#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "convert/source_table.h"
#include "run/result.h"
#include "run/run_context.h"
#include "run/shared_tables.h"
#include "run/translation_table.h"
#include "target/engine/table.h"

namespace konwerter::convert {

// A dictionary that documents link to: the field of the reference (in the DOS link table
// and, by its own spelling, in the target table) and the run's translation table of the
// dictionary.
struct LinkedDictionary {
  std::string_view source_field;
  std::string_view target_field;
  run::SharedTranslationTable run::SharedTables::*identifiers;
};

inline constexpr LinkedDictionary kLinkedAssortments{"id_asort", "ID_ASORT",
                                                     &run::SharedTables::assortments};
inline constexpr LinkedDictionary kLinkedFeatures{"id_cechy", "ID_CECHY",
                                                  &run::SharedTables::features};

// What a link table does with a link whose reference was never filled: two spaces
// (kBlankReference), which name no dictionary entry. Either way no entry gets an
// identifier for it.
enum class BlankReference {
  kLeaveOut,    // the link is not written: skipped as a blank reference
  kWriteEmpty,  // the link is written with an empty dictionary identifier
};

// The links of a register's documents to a dictionary (op_asor, op_cechy, szkasor,
// szkcechy): each DOS link names its document by the document's 1-based record number in
// the register's source (`id_ope`) and a dictionary entry by a 2-byte reference.
class DictionaryLinks {
 public:
  DictionaryLinks(run::RunContext& context, const LinkedDictionary& dictionary,
                  BlankReference blanks)
      : context_(context), dictionary_(dictionary), blanks_(blanks) {}
  DictionaryLinks(const DictionaryLinks&) = delete;
  DictionaryLinks& operator=(const DictionaryLinks&) = delete;

  // Opens the link table and binds its fields; the failure naming it when it cannot be read.
  run::Status Open(const source::tables::TableLayout& layout);
  // The same for a link table the register can go without: not there, it links nothing;
  // there but unreadable, it links nothing and is named in a warning.
  void OpenIfReadable(const source::tables::TableLayout& layout);

  // Writes one target record per link whose document key is set: `document_field` gets the
  // document's identifier from `documents` (empty for a document not written), the
  // dictionary field the dictionary's identifier for the reference (given when first
  // seen). A blank reference goes by the policy. A link table that is not there writes
  // nothing.
  void Convert(engine::Table& target, std::string_view document_field,
               const run::TranslationTable& documents);
  // For an edition that keeps no link tables: the target stays empty, and the group
  // progress counts the step the links would have taken.
  void LeaveUnread(engine::Table& target);

 private:
  struct Link {
    std::uint32_t id_ope = 0;
    std::uint16_t reference = 0;
  };

  run::RunContext& context_;
  const LinkedDictionary& dictionary_;
  const BlankReference blanks_;
  Link link_;
  std::optional<SourceTable> source_;
};

}  // namespace konwerter::convert
