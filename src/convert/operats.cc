#include "convert/operats.h"

#include <cstdint>
#include <optional>
#include <string>

#include "convert/converter_toolkit.h"
#include "convert/operat_parcel_links.h"
#include "convert/raster_extents.h"
#include "run/prechecks.h"

namespace konwerter::convert {

namespace {

namespace tables = target::tables;
using source::tables::TableLayout;

// What tells the three kinds of operats apart.
struct OperatRegister {
  OperatKind kind;
  std::string_view group;
  const TableLayout* operats;
  const TableLayout* assortment_links;
  const TableLayout* feature_links;
  const TableLayout* movements;
  std::string_view sequence_name;
  bool run::SegmentOneOptions::*segment_one_box;
  const TableLayout* raster_extents;  // none: the kind keeps none (it links parcels instead)
};

constexpr std::string_view kNoUnit = "  -";  // NRJEDNEWID of the kinds without a commune unit
constexpr std::size_t kDigitalIdWidth = 40;
constexpr std::size_t kDigitalIdGapStart = 31;  // characters 32 to 35 of a 44-character value
constexpr std::size_t kDigitalIdGap = 4;

const OperatRegister& RegisterOf(OperatKind kind) {
  namespace dos = source::tables;
  static const OperatRegister kRegisters[] = {
      {.kind = OperatKind::kRegister,
       .group = "OPER_PR",
       .operats = &dos::kOpg,
       .assortment_links = &dos::kAsorEw,
       .feature_links = &dos::kCechyEw,
       .movements = &dos::kRg,
       .sequence_name = "OPERATY_PR",
       .segment_one_box = &run::SegmentOneOptions::oper_pr,
       .raster_extents = nullptr},
      {.kind = OperatKind::kBaseAndUse,
       .group = "OPER_BU",
       .operats = &dos::kOperBu,
       .assortment_links = &dos::kAsorBu,
       .feature_links = &dos::kCechyBu,
       .movements = &dos::kRuchBu,
       .sequence_name = "OPERATY_BU",
       .segment_one_box = &run::SegmentOneOptions::oper_bu,
       .raster_extents = &dos::kObBu},
      {.kind = OperatKind::kTransitional,
       .group = "OPER_PRZ",
       .operats = &dos::kOperP,
       .assortment_links = &dos::kAsorP,
       .feature_links = &dos::kCechyP,
       .movements = &dos::kRuchP,
       .sequence_name = "OPERATY_PRZ",
       .segment_one_box = &run::SegmentOneOptions::oper_prz,
       .raster_extents = &dos::kObRp},
  };
  return kRegisters[static_cast<int>(kind) - 1];
}

// One operat record as the reader fills it.
struct Operat {
  std::uint32_t id_ope = 0, id_kerg = 0;
  std::uint16_t nrjednewid = 0;  // register operats: the commune number
  std::uint16_t ro_roboty = 0;   // the other kinds: the kind of work, an assortment number
  std::string czlon_1, czlon_2, czlon_4, cyfr_id;
  std::int32_t czlon_3 = 0;
  DocumentTail tail;
};

// An operat link whose reference was never filled is no link: the operat register leaves
// it out (skipped as a blank reference), so only the links the operator filled in are
// carried over.
constexpr BlankReference kOperatBlankLinks = BlankReference::kLeaveOut;

// The DOS digital identifier has 44 characters, the field 40: a value of 40 or more loses
// its characters 32 to 35.
std::string DigitalId(std::string value) {
  if (value.size() >= kDigitalIdWidth) value.erase(kDigitalIdGapStart, kDigitalIdGap);
  return value;
}

class OperatsConverter {
 public:
  OperatsConverter(run::RunContext& context, OperatKind kind)
      : context_(context),
        kind_(RegisterOf(kind)),
        register_kind_(kind == OperatKind::kRegister),
        features_(context.edition == source::SourceEdition::kLater),
        renumber_(
            SegmentOneRenumbering(context, context.options.segment_one.*kind_.segment_one_box)),
        movements_(context),
        assortment_links_(context, kLinkedAssortments, kOperatBlankLinks),
        feature_links_(context, kLinkedFeatures, kOperatBlankLinks) {}

  run::Status Run();

 private:
  run::Status OpenSources();
  void ConvertOperats(engine::Table& operaty, engine::Table& op_asor);
  void WriteOperat(engine::Table& operaty, const std::string& identifier);
  void ConvertFeaturesAndAssortments(engine::Table& op_asor, engine::Table& op_cechy);

  run::RunContext& context_;
  const OperatRegister& kind_;
  const bool register_kind_;
  const bool features_;  // the later edition: links and digital identifiers are read
  const bool renumber_;
  std::optional<SourceTable> operats_;
  LoanMovements movements_;
  DictionaryLinks assortment_links_, feature_links_;
  Operat operat_;
  run::TranslationTable documents_;
};

run::Status OperatsConverter::OpenSources() {
  Operat& o = operat_;
  auto operats = SourceTable::Open(context_, *kind_.operats, [&](SourceTable& table) {
    table.Binary4("id_ope", &o.id_ope)
        .Key()
        .Text("czlon_1", &o.czlon_1)
        .Text("czlon_2", &o.czlon_2)
        .Long("czlon_3", &o.czlon_3)
        .Text("czlon_4", &o.czlon_4)
        .Binary4("id_kerg", &o.id_kerg);
    o.tail.Bind(table);
    if (register_kind_) {
      table.Word("nrjednewid", &o.nrjednewid);
    } else {
      table.Binary2("ro_roboty", &o.ro_roboty);
    }
    if (features_) table.Text("cyfr_id", &o.cyfr_id);
  });
  if (!operats) return operats.error();
  operats_ = std::move(*operats);
  if (features_) {
    if (run::Status opened = assortment_links_.Open(*kind_.assortment_links); !opened) {
      return opened;
    }
    if (run::Status opened = feature_links_.Open(*kind_.feature_links); !opened) {
      return opened;
    }
  }
  return movements_.Open(*kind_.movements);
}

// The target fields in the order the register lists them: the work the operat came from
// is asked for before the work of its order.
void OperatsConverter::WriteOperat(engine::Table& operaty, const std::string& identifier) {
  const Operat& o = operat_;
  operaty.Append();
  operaty.SetText("ID_OPE", identifier);
  operaty.SetText("NRJEDNEWID",
                  register_kind_ ? RenumberCommune(context_, o.nrjednewid) : std::string(kNoUnit));
  operaty.SetText("CZLON_1", DocumentSegmentOne(context_, o.czlon_1, renumber_));
  operaty.SetText("CZLON_2", o.czlon_2);
  operaty.SetNumber("CZLON_3", o.czlon_3);
  operaty.SetText("CZLON_4", o.czlon_4);
  operaty.SetText("ID_ROBOTY", context_.tables().works.GetOrAssignKey(o.id_kerg));
  o.tail.Write(context_, operaty);
  if (features_) operaty.SetText("cyfr_id", DigitalId(o.cyfr_id));
  operaty.Post();
}

// Without the feature links, an operat of kinds 2 and 3 takes its assortment from its kind
// of work.
void OperatsConverter::ConvertOperats(engine::Table& operaty, engine::Table& op_asor) {
  const Operat& o = operat_;
  RegisterNumbering numbering(context_, documents_, operats_->RecordCount(), kDocumentIdWidth);
  operats_->ForEachRecord(operaty, [&](std::uint32_t record) {
    if (!run::IsDosKeySet(o.id_ope)) return run::Skipped(run::SkipReason::kKeyNotSet);
    if (IsFourFF(o.czlon_1)) return run::Skipped(run::SkipReason::kNumberNotGiven);
    const std::string identifier = numbering.Next(record);
    WriteOperat(operaty, identifier);
    if (!features_ && !register_kind_ && run::IsReferenceSet(o.ro_roboty)) {
      op_asor.Append();
      op_asor.SetText("ID_OPE", identifier);
      op_asor.SetText("ID_ASORT", context_.tables().assortments.GetOrAssignReference(o.ro_roboty));
      op_asor.Post();
    }
    return run::kWritten;
  });
  numbering.WriteSequenceRow(kind_.sequence_name);
  ReportTable(context_, operaty);
}

void OperatsConverter::ConvertFeaturesAndAssortments(engine::Table& op_asor,
                                                     engine::Table& op_cechy) {
  if (!features_) {
    assortment_links_.LeaveUnread(op_asor);
    feature_links_.LeaveUnread(op_cechy);
    return;
  }
  assortment_links_.Convert(op_asor, "ID_OPE", documents_);
  feature_links_.Convert(op_cechy, "ID_OPE", documents_);
}

run::Status OperatsConverter::Run() {
  const std::string folder = MakeTargetFolder(context_, kind_.group);
  SourceTablesScope scope(context_);
  if (run::Status opened = OpenSources(); !opened) return opened;

  auto operaty = CreateTargetTable(context_, folder, tables::kOperPrOperaty);
  auto op_ruch = CreateTargetTable(context_, folder, tables::kOperPrOpRuch);
  auto op_cechy = CreateTargetTable(context_, folder, tables::kOperPrOpCechy);
  auto op_asor = CreateTargetTable(context_, folder, tables::kOperPrOpAsor);
  std::unique_ptr<engine::Table> obdg;
  if (register_kind_) obdg = CreateTargetTable(context_, folder, tables::kOperPrObdg);

  ConvertOperats(*operaty, *op_asor);
  movements_.Convert(*op_ruch, "id_ope", documents_);
  ConvertFeaturesAndAssortments(*op_asor, *op_cechy);
  run::Status done;
  if (register_kind_) {
    done = ConvertOperatParcelLinks(context_, *obdg, documents_,
                                    operats_->RecordCount() + run::kSpareSlots);
  } else {
    // A missing raster-extent source stops the run; the tables of this kind stay written.
    done = ConvertRasterExtents(context_, folder, *kind_.raster_extents, documents_);
  }
  for (const auto& table : {operaty.get(), op_ruch.get(), op_cechy.get(), op_asor.get()}) {
    table->Finish();
  }
  if (obdg) obdg->Finish();
  return done;
}

}  // namespace

run::Status ConvertOperats(run::RunContext& context, OperatKind kind) {
  return OperatsConverter(context, kind).Run();
}

}  // namespace konwerter::convert
