#include "convert/field_sketches.h"

#include <cstdint>
#include <optional>
#include <string>

#include "convert/converter_toolkit.h"
#include "convert/raster_extents.h"
#include "run/prechecks.h"

namespace konwerter::convert {

namespace {

constexpr std::size_t kSegmentTwoWidth = 4;

// One record of szkice.dbf as the reader fills it.
struct Sketch {
  std::uint32_t id_szkicu = 0, id_kerg = 0;
  std::uint16_t ro_roboty = 0;  // the kind of work, an assortment number
  std::string nr_p_j, nr_s_j;
  std::int32_t nr_sz = 0;
};

// Every link of a sketch whose key is set is carried over: one whose reference was never
// filled is written like one whose reference is 0, with an empty identifier, so that the
// sketch keeps the link rows it had without naming a dictionary entry.
constexpr BlankReference kSketchBlankLinks = BlankReference::kWriteEmpty;

// Segment 2 right-aligned in its four characters; a longer value is written as it is.
std::string SegmentTwo(const std::string& nr_s_j) {
  if (nr_s_j.size() >= kSegmentTwoWidth) return nr_s_j;
  return std::string(kSegmentTwoWidth - nr_s_j.size(), ' ') + nr_s_j;
}

class FieldSketchesConverter {
 public:
  explicit FieldSketchesConverter(run::RunContext& context)
      : context_(context),
        features_(context.edition == source::SourceEdition::kLater),
        renumber_(SegmentOneRenumbering(context, context.options.segment_one.szkice)),
        assortment_links_(context, kLinkedAssortments, kSketchBlankLinks),
        feature_links_(context, kLinkedFeatures, kSketchBlankLinks) {}

  run::Status Run();

 private:
  run::Status OpenSources();
  void ConvertSketches(engine::Table& szkice, engine::Table& szkasor);
  void WriteSketch(engine::Table& szkice, const std::string& identifier);

  run::RunContext& context_;
  const bool features_;  // the later edition: links are read
  const bool renumber_;
  std::optional<SourceTable> sketches_;
  DictionaryLinks assortment_links_, feature_links_;
  Sketch sketch_;
  run::TranslationTable documents_;
};

run::Status FieldSketchesConverter::OpenSources() {
  Sketch& s = sketch_;
  auto sketches = SourceTable::Open(context_, source::tables::kSzkice, [&](SourceTable& table) {
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
  // A link table that is not there is no error: it contributes no records. One that is
  // there but cannot be read is left out with a warning.
  if (features_) {
    assortment_links_.OpenIfReadable(source::tables::kAsorSz);
    feature_links_.OpenIfReadable(source::tables::kCechySz);
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
  RegisterNumbering numbering(context_, documents_, sketches_->RecordCount(), kDocumentIdWidth);
  sketches_->ForEachRecord(szkice, [&](std::uint32_t record) {
    if (!run::IsDosKeySet(s.id_szkicu)) return run::Skipped(run::SkipReason::kKeyNotSet);
    const std::string identifier = numbering.Next(record);
    WriteSketch(szkice, identifier);
    if (!features_ && run::IsReferenceSet(s.ro_roboty)) {
      szkasor.Append();
      szkasor.SetText("ID_SZK", identifier);
      szkasor.SetText("ID_ASORT", context_.tables().assortments.GetOrAssignReference(s.ro_roboty));
      szkasor.Post();
    }
    return run::kWritten;
  });
  numbering.WriteSequenceRow("SZKICE");
  ReportTable(context_, szkice);
}

run::Status FieldSketchesConverter::Run() {
  const std::string folder = MakeTargetFolder(context_, "SZKICE");
  SourceTablesScope scope(context_);
  if (run::Status opened = OpenSources(); !opened) return opened;

  namespace tables = target::tables;
  auto szkice = CreateTargetTable(context_, folder, tables::kSzkiceSzkice);
  auto szkcechy = CreateTargetTable(context_, folder, tables::kSzkiceSzkcechy);
  auto szkasor = CreateTargetTable(context_, folder, tables::kSzkiceSzkasor);

  ConvertSketches(*szkice, *szkasor);
  if (features_) {
    assortment_links_.Convert(*szkasor, "ID_SZK", documents_);
    feature_links_.Convert(*szkcechy, "ID_SZK", documents_);
  } else {
    assortment_links_.LeaveUnread(*szkasor);
    feature_links_.LeaveUnread(*szkcechy);
  }
  // A missing raster-extent source stops the run; the sketches stay written.
  run::Status extents = ConvertRasterExtents(context_, folder, source::tables::kObRs, documents_);
  szkice->Finish();
  szkcechy->Finish();
  szkasor->Finish();
  return extents;
}

}  // namespace

run::Status ConvertFieldSketches(run::RunContext& context) {
  return FieldSketchesConverter(context).Run();
}

}  // namespace konwerter::convert
