#include "convert/field_sketches.h"

#include <cstdint>
#include <optional>
#include <string>

#include "convert/converter_toolkit.h"
#include "convert/raster_extents.h"
#include "run/prechecks.h"

namespace konwerter::convert {

namespace {

constexpr std::string_view kVariable = "BDGSZKICE";
constexpr std::size_t kSegmentTwoWidth = 4;

// One record of szkice.dbf as the reader fills it.
struct Sketch {
  std::uint32_t id_szkicu = 0, id_kerg = 0;
  std::uint16_t ro_roboty = 0;  // the kind of work, an assortment number
  std::string nr_p_j, nr_s_j;
  std::int32_t nr_sz = 0;
};

// One assortment or feature link: the sketch by its source record number and a dictionary
// reference.
struct Link {
  std::uint32_t id_ope = 0;
  std::uint16_t reference = 0;
};

// Segment 2 right-aligned in its four characters; a longer value is written as it is.
std::string SegmentTwo(const std::string& nr_s_j) {
  if (nr_s_j.size() >= kSegmentTwoWidth) return nr_s_j;
  return std::string(kSegmentTwoWidth - nr_s_j.size(), ' ') + nr_s_j;
}

class FieldSketchesConverter {
 public:
  explicit FieldSketchesConverter(run::RunContext& context)
      : context_(context),
        features_(context.edition == run::SourceEdition::kLater),
        renumber_(SegmentOneRenumbering(context, context.options.segment_one.szkice)) {}

  run::Status Run();

 private:
  run::Status OpenSources();
  std::optional<SourceTable> OpenLinks(std::string_view file, std::string_view field, Link& link);
  void ConvertSketches(engine::Table& szkice, engine::Table& szkasor);
  void WriteSketch(engine::Table& szkice, const std::string& identifier);
  void ConvertLinks(std::optional<SourceTable>& source, engine::Table& target,
                    std::string_view field, run::SharedTranslationTable& dictionary,
                    const Link& link);

  run::RunContext& context_;
  const bool features_;  // the later edition: links are read
  const bool renumber_;
  std::optional<SourceTable> sketches_, assortment_links_, feature_links_;
  Sketch sketch_;
  Link assortment_, feature_;
  run::TranslationTable documents_;
};

// A link table that is not there is no error: it contributes no records. One that is there
// but cannot be read is left out with a warning.
std::optional<SourceTable> FieldSketchesConverter::OpenLinks(std::string_view file,
                                                             std::string_view field, Link& link) {
  return SourceTable::OpenIfReadable(context_, kVariable, file, [&](SourceTable& table) {
    table.Binary4("id_ope", &link.id_ope).Binary2(field, &link.reference);
  });
}

run::Status FieldSketchesConverter::OpenSources() {
  Sketch& s = sketch_;
  auto sketches = SourceTable::Open(context_, kVariable, "szkice.dbf", [&](SourceTable& table) {
    table.Binary4("id_szkicu", &s.id_szkicu)
        .Key()
        .Binary2("ro_roboty", &s.ro_roboty)
        .Text("nr_p_j", &s.nr_p_j)
        .Text("nr_s_j", &s.nr_s_j)
        .Long("nr_sz", &s.nr_sz)
        .Binary4("id_kerg", &s.id_kerg);
  });
  if (!sketches) return sketches.error();
  sketches_ = std::move(*sketches);
  if (features_) {
    assortment_links_ = OpenLinks("asor_sz.dbf", "id_asort", assortment_);
    feature_links_ = OpenLinks("cechy_sz.dbf", "id_cechy", feature_);
  }
  return {};
}

void FieldSketchesConverter::WriteSketch(engine::Table& szkice, const std::string& identifier) {
  const Sketch& s = sketch_;
  szkice.Append();
  szkice.SetText("ID_SZK", identifier);
  szkice.SetText("CZLON_1", DocumentSegmentOne(context_, s.nr_p_j, renumber_));
  szkice.SetText("CZLON_2", SegmentTwo(s.nr_s_j));
  szkice.SetNumber("CZLON_3", s.nr_sz);
  szkice.SetText("ID_ROBOTY", context_.tables().works.GetOrAssignKey(s.id_kerg));
  szkice.SetText("id_tworz", context_.creator_identifier);
  szkice.Post();
}

// Without the link tables, a sketch takes its assortment from its kind of work.
void FieldSketchesConverter::ConvertSketches(engine::Table& szkice, engine::Table& szkasor) {
  const Sketch& s = sketch_;
  std::uint32_t next = 1;
  sketches_->ForEachRecord(szkice, [&](std::uint32_t record) {
    if (!run::IsDosKeySet(s.id_szkicu)) return run::Skipped(run::SkipReason::kKeyNotSet);
    const std::string identifier = HexNumber(next++, 8);
    WriteSketch(szkice, identifier);
    documents_.Store(record, identifier);
    if (!features_ && run::IsReferenceSet(s.ro_roboty)) {
      szkasor.Append();
      szkasor.SetText("ID_SZK", identifier);
      szkasor.SetText("ID_ASORT", context_.tables().assortments.GetOrAssignReference(s.ro_roboty));
      szkasor.Post();
    }
    return run::kWritten;
  });
  context_.sequence->WriteRow("SZKICE", next);
  ReportTable(context_, szkice);
}

void FieldSketchesConverter::ConvertLinks(std::optional<SourceTable>& source, engine::Table& target,
                                          std::string_view field,
                                          run::SharedTranslationTable& dictionary,
                                          const Link& link) {
  if (!source) {
    context_.progress.TableStart(target.table_name(), 0);
    ReportTable(context_, target);
    return;
  }
  source->ForEachRecord(target, [&](std::uint32_t) {
    if (!run::IsDosKeySet(link.id_ope)) return run::Skipped(run::SkipReason::kKeyNotSet);
    target.Append();
    SetReference(context_, target, "ID_SZK", documents_, link.id_ope);
    // A blank reference links the sketch to nothing and gives no entry an identifier.
    if (link.reference != kBlankReference) {
      target.SetText(field, dictionary.GetOrAssignReference(link.reference));
    }
    target.Post();
    return run::kWritten;
  });
  ReportTable(context_, target);
}

run::Status FieldSketchesConverter::Run() {
  const std::string folder = MakeTargetFolder(context_, "SZKICE");
  SourceTablesScope scope(context_);
  if (run::Status opened = OpenSources(); !opened) return opened;

  namespace tables = target::tables;
  documents_.Size(sketches_->RecordCount() + 100);
  auto szkice = CreateTargetTable(context_, folder, tables::kSzkiceSzkice);
  auto szkcechy = CreateTargetTable(context_, folder, tables::kSzkiceSzkcechy);
  auto szkasor = CreateTargetTable(context_, folder, tables::kSzkiceSzkasor);

  ConvertSketches(*szkice, *szkasor);
  if (features_) {
    run::SharedTables& shared = context_.tables();
    ConvertLinks(assortment_links_, *szkasor, "ID_ASORT", shared.assortments, assortment_);
    ConvertLinks(feature_links_, *szkcechy, "ID_CECHY", shared.features, feature_);
  } else {
    // The group progress counts the same steps whether or not the links are read.
    context_.progress.GroupStep();
    context_.progress.GroupStep();
    ReportTable(context_, *szkasor);
    ReportTable(context_, *szkcechy);
  }
  // A missing raster-extent source stops the run; the sketches stay written.
  run::Status extents = ConvertRasterExtents(context_, folder, kVariable, "ob_rs.dbf", documents_);
  szkice->Close();
  szkcechy->Close();
  szkasor->Close();
  return extents;
}

}  // namespace

run::Status ConvertFieldSketches(run::RunContext& context) {
  return FieldSketchesConverter(context).Run();
}

}  // namespace konwerter::convert
