#include "convert/map_registers.h"

#include <cstdint>
#include <optional>
#include <string>

#include "convert/converter_toolkit.h"
#include "convert/raster_extents.h"

namespace konwerter::convert {

namespace {

// What tells the KME register and the register of outlines apart.
struct MapRegister {
  const source::tables::TableLayout& register_source;
  std::string_view key_field;
  bool with_document_kind;  // skr_dok, a reference into the KMZ ind_dok.dbf
  const source::tables::TableLayout& movement_source;
  const target::tables::TableStrings& register_target;  // its group is the target folder
  const target::tables::TableStrings& movement_target;
  std::string_view sequence_name;
  const source::tables::TableLayout& raster_extents;
  bool run::SegmentOneOptions::*segment_one_box;
};

const MapRegister kKme{.register_source = source::tables::kMEwid,
                       .key_field = "id_ewid",
                       .with_document_kind = true,
                       .movement_source = source::tables::kRuchE,
                       .register_target = target::tables::kKmeMEwid,
                       .movement_target = target::tables::kKmeRuchE,
                       .sequence_name = "M_EWID",
                       .raster_extents = source::tables::kObRe,
                       .segment_one_box = &run::SegmentOneOptions::kme};
const MapRegister kOutlines{.register_source = source::tables::kZEwid,
                            .key_field = "id_zarys",
                            .with_document_kind = false,
                            .movement_source = source::tables::kRuchZ,
                            .register_target = target::tables::kZarysyZEwid,
                            .movement_target = target::tables::kZarysyRuchZ,
                            .sequence_name = "Z_EWID",
                            .raster_extents = source::tables::kObRz,
                            .segment_one_box = &run::SegmentOneOptions::zarysy};

// One register record as the reader fills it.
struct Document {
  std::uint32_t key = 0;
  std::uint16_t skr_dok = 0;
  std::string czlon_1, czlon_2, czlon_4;
  std::int32_t czlon_3 = 0;
  DocumentTail tail;
};

class MapRegisterConverter {
 public:
  MapRegisterConverter(run::RunContext& context, const MapRegister& kind)
      : context_(context),
        kind_(kind),
        renumber_(
            SegmentOneRenumbering(context, context.options.segment_one.*kind.segment_one_box)),
        movements_(context) {}

  run::Status Run();

 private:
  run::Status OpenSources();
  void ConvertDocuments(engine::Table& documents);
  void WriteDocument(engine::Table& target, const std::string& identifier);

  run::RunContext& context_;
  const MapRegister& kind_;
  const bool renumber_;
  std::optional<SourceTable> register_;
  LoanMovements movements_;
  Document document_;
  run::TranslationTable documents_;
};

run::Status MapRegisterConverter::OpenSources() {
  Document& d = document_;
  auto opened = SourceTable::Open(context_, kind_.register_source, [&](SourceTable& table) {
    table.Binary4(kind_.key_field, &d.key)
        .Key()
        .Text("czlon_1", &d.czlon_1)
        .Text("czlon_2", &d.czlon_2)
        .Long("czlon_3", &d.czlon_3)
        .Text("czlon_4", &d.czlon_4);
    d.tail.Bind(table);
    if (kind_.with_document_kind) table.Binary2("skr_dok", &d.skr_dok);
  });
  if (!opened) return opened.error();
  register_ = std::move(*opened);
  return movements_.Open(kind_.movement_source);
}

void MapRegisterConverter::WriteDocument(engine::Table& target, const std::string& identifier) {
  const Document& d = document_;
  target.Append();
  target.SetText("ID_EWID", identifier);
  if (kind_.with_document_kind) {
    target.SetText("SKR_DOK", context_.records.document_kinds.LookUp(d.skr_dok));
  }
  target.SetText("CZLON_1", renumber_ ? RenumberCommune(context_, d.czlon_1, true) : d.czlon_1);
  target.SetText("CZLON_2", d.czlon_2);
  target.SetNumber("CZLON_3", d.czlon_3);
  target.SetText("CZLON_4", d.czlon_4);
  d.tail.Write(context_, target);
  target.Post();
}

void MapRegisterConverter::ConvertDocuments(engine::Table& target) {
  const Document& d = document_;
  RegisterNumbering numbering(context_, documents_, register_->RecordCount(), kDocumentIdWidth);
  register_->ForEachRecord(target, [&](std::uint32_t record) {
    if (!run::IsDosKeySet(d.key)) return run::Skipped(run::SkipReason::kKeyNotSet);
    if (IsFourFF(d.czlon_1)) return run::Skipped(run::SkipReason::kNumberNotGiven);
    WriteDocument(target, numbering.Next(record));
    return run::kWritten;
  });
  numbering.WriteSequenceRow(kind_.sequence_name);
  ReportTable(context_, target);
}

run::Status MapRegisterConverter::Run() {
  const std::string folder = MakeTargetFolder(context_, kind_.register_target.group);
  SourceTablesScope scope(context_);
  if (run::Status opened = OpenSources(); !opened) return opened;

  auto documents = CreateTargetTable(context_, folder, kind_.register_target);
  auto movements = CreateTargetTable(context_, folder, kind_.movement_target);
  ConvertDocuments(*documents);
  movements_.Convert(*movements, "id_ewid", documents_);
  // A missing raster-extent source stops the run; the register and its movements stay
  // written.
  run::Status extents = ConvertRasterExtents(context_, folder, kind_.raster_extents, documents_);
  documents->Finish();
  movements->Finish();
  return extents;
}

}  // namespace

run::Status ConvertKme(run::RunContext& context) {
  return MapRegisterConverter(context, kKme).Run();
}

run::Status ConvertOutlines(run::RunContext& context) {
  return MapRegisterConverter(context, kOutlines).Run();
}

}  // namespace konwerter::convert
