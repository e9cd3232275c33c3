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

// What tells the three kinds of operats apart.
struct OperatRegister {
  OperatKind kind;
  std::string_view group;
  std::string_view variable;
  std::string_view operats;
  std::string_view assortment_links;
  std::string_view feature_links;
  std::string_view movements;
  std::string_view sequence_name;
  bool run::SegmentOneOptions::*segment_one_box;
  std::string_view raster_extents;  // empty: the kind keeps none (it links parcels instead)
};

constexpr std::string_view kNoUnit = "  -";  // NRJEDNEWID of the kinds without a commune unit
constexpr std::size_t kDigitalIdWidth = 40;
constexpr std::size_t kDigitalIdGapStart = 31;  // characters 32 to 35 of a 44-character value
constexpr std::size_t kDigitalIdGap = 4;

const OperatRegister& RegisterOf(OperatKind kind) {
  static const OperatRegister kRegisters[] = {
      {.kind = OperatKind::kRegister,
       .group = "OPER_PR",
       .variable = "BDGOPEW",
       .operats = "opg.dbf",
       .assortment_links = "asor_ew.dbf",
       .feature_links = "cechy_ew.dbf",
       .movements = "rg.dbf",
       .sequence_name = "OPERATY_PR",
       .segment_one_box = &run::SegmentOneOptions::oper_pr,
       .raster_extents = ""},
      {.kind = OperatKind::kBaseAndUse,
       .group = "OPER_BU",
       .variable = "BDGOP",
       .operats = "oper_bu.dbf",
       .assortment_links = "asor_bu.dbf",
       .feature_links = "cechy_bu.dbf",
       .movements = "ruch_bu.dbf",
       .sequence_name = "OPERATY_BU",
       .segment_one_box = &run::SegmentOneOptions::oper_bu,
       .raster_extents = "ob_bu.dbf"},
      {.kind = OperatKind::kTransitional,
       .group = "OPER_PRZ",
       .variable = "BDGOPP",
       .operats = "oper_p.dbf",
       .assortment_links = "asor_p.dbf",
       .feature_links = "cechy_p.dbf",
       .movements = "ruch_p.dbf",
       .sequence_name = "OPERATY_PRZ",
       .segment_one_box = &run::SegmentOneOptions::oper_prz,
       .raster_extents = "ob_rp.dbf"},
  };
  return kRegisters[static_cast<int>(kind) - 1];
}

// One operat record as the reader fills it.
struct Operat {
  std::uint32_t id_ope = 0, id_kerg = 0, id_osoby = 0, id_zam = 0;
  std::uint16_t nrjednewid = 0;  // register operats: the commune number
  std::uint16_t ro_roboty = 0;   // the other kinds: the kind of work, an assortment number
  std::string czlon_1, czlon_2, czlon_4, d_wyp, d_plan, uwagi, cyfr_id;
  std::int32_t czlon_3 = 0;
};

// One assortment or feature link: the operat by its source record number and a dictionary
// reference.
struct Link {
  std::uint32_t id_ope = 0;
  std::uint16_t reference = 0;
};

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
        features_(context.edition == run::SourceEdition::kLater),
        renumber_(
            SegmentOneRenumbering(context, context.options.segment_one.*kind_.segment_one_box)),
        movements_(context) {}

  run::Status Run();

 private:
  run::Status OpenSources();
  run::Status OpenLinks(std::optional<SourceTable>& links, std::string_view file,
                        std::string_view field, Link& link);
  void ConvertOperats(engine::Table& operaty, engine::Table& op_asor);
  void WriteOperat(engine::Table& operaty, const std::string& identifier);
  void ConvertLinks(SourceTable& source, engine::Table& target, std::string_view field,
                    run::SharedTranslationTable& dictionary, const Link& link);
  void ConvertFeaturesAndAssortments(engine::Table& op_asor, engine::Table& op_cechy);

  run::RunContext& context_;
  const OperatRegister& kind_;
  const bool register_kind_;
  const bool features_;  // the later edition: links and digital identifiers are read
  const bool renumber_;
  std::optional<SourceTable> operats_, assortment_links_, feature_links_;
  LoanMovements movements_;
  Operat operat_;
  Link assortment_, feature_;
  run::TranslationTable documents_;
};

run::Status OperatsConverter::OpenLinks(std::optional<SourceTable>& links, std::string_view file,
                                        std::string_view field, Link& link) {
  auto opened = SourceTable::Open(context_, kind_.variable, file, [&](SourceTable& table) {
    table.Binary4("id_ope", &link.id_ope).Binary2(field, &link.reference);
  });
  if (!opened) return opened.error();
  links = std::move(*opened);
  return {};
}

run::Status OperatsConverter::OpenSources() {
  Operat& o = operat_;
  auto operats =
      SourceTable::Open(context_, kind_.variable, kind_.operats, [&](SourceTable& table) {
        table.Binary4("id_ope", &o.id_ope)
            .Key()
            .Text("czlon_1", &o.czlon_1)
            .Text("czlon_2", &o.czlon_2)
            .Long("czlon_3", &o.czlon_3)
            .Text("czlon_4", &o.czlon_4)
            .Binary4("id_kerg", &o.id_kerg)
            .Binary4("id_osoby", &o.id_osoby)
            .Text("d_wyp", &o.d_wyp)
            .Text("d_plan", &o.d_plan)
            .Binary4("id_zam", &o.id_zam)
            .Text("uwagi", &o.uwagi);
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
    run::Status opened =
        OpenLinks(assortment_links_, kind_.assortment_links, "id_asort", assortment_);
    if (!opened) return opened;
    opened = OpenLinks(feature_links_, kind_.feature_links, "id_cechy", feature_);
    if (!opened) return opened;
  }
  return movements_.Open(kind_.variable, kind_.movements);
}

// The target fields in the order the register lists them: the work the operat came from
// is asked for before the work of its order.
void OperatsConverter::WriteOperat(engine::Table& operaty, const std::string& identifier) {
  run::SharedTables& shared = context_.tables();
  const Operat& o = operat_;
  operaty.Append();
  operaty.SetText("ID_OPE", identifier);
  operaty.SetText("NRJEDNEWID",
                  register_kind_ ? RenumberCommune(context_, o.nrjednewid) : std::string(kNoUnit));
  operaty.SetText("CZLON_1", DocumentSegmentOne(context_, o.czlon_1, renumber_));
  operaty.SetText("CZLON_2", o.czlon_2);
  operaty.SetNumber("CZLON_3", o.czlon_3);
  operaty.SetText("CZLON_4", o.czlon_4);
  operaty.SetText("ID_ROBOTY", shared.works.GetOrAssignKey(o.id_kerg));
  operaty.SetText("ID_OSOBY", shared.persons.GetOrAssignKey(o.id_osoby));
  SetDosDate(context_, operaty, "d_wyp", o.d_wyp);
  SetDosDate(context_, operaty, "d_plan", o.d_plan);
  operaty.SetText("uwagi", o.uwagi);
  operaty.SetText("id_zam", shared.works.GetOrAssignKey(o.id_zam));
  operaty.SetText("id_tworz", context_.creator_identifier);
  if (features_) operaty.SetText("cyfr_id", DigitalId(o.cyfr_id));
  operaty.Post();
}

// Without the feature links, an operat of kinds 2 and 3 takes its assortment from its kind
// of work.
void OperatsConverter::ConvertOperats(engine::Table& operaty, engine::Table& op_asor) {
  const Operat& o = operat_;
  std::uint32_t next = 1;
  operats_->ForEachRecord(operaty, [&](std::uint32_t record) {
    if (!run::IsDosKeySet(o.id_ope)) return run::Skipped(run::SkipReason::kKeyNotSet);
    if (IsFourFF(o.czlon_1)) return run::Skipped(run::SkipReason::kNumberNotGiven);
    const std::string identifier = HexNumber(next++, 8);
    WriteOperat(operaty, identifier);
    documents_.Store(record, identifier);
    if (!features_ && !register_kind_ && run::IsReferenceSet(o.ro_roboty)) {
      op_asor.Append();
      op_asor.SetText("ID_OPE", identifier);
      op_asor.SetText("ID_ASORT", context_.tables().assortments.GetOrAssignReference(o.ro_roboty));
      op_asor.Post();
    }
    return run::kWritten;
  });
  context_.sequence->WriteRow(kind_.sequence_name, next);
  ReportTable(context_, operaty);
}

void OperatsConverter::ConvertLinks(SourceTable& source, engine::Table& target,
                                    std::string_view field, run::SharedTranslationTable& dictionary,
                                    const Link& link) {
  source.ForEachRecord(target, [&](std::uint32_t) {
    if (!run::IsDosKeySet(link.id_ope)) return run::Skipped(run::SkipReason::kKeyNotSet);
    if (link.reference == kBlankReference) return run::Skipped(run::SkipReason::kBlankReference);
    target.Append();
    SetReference(context_, target, "ID_OPE", documents_, link.id_ope);
    target.SetText(field, dictionary.GetOrAssignReference(link.reference));
    target.Post();
    return run::kWritten;
  });
  ReportTable(context_, target);
}

void OperatsConverter::ConvertFeaturesAndAssortments(engine::Table& op_asor,
                                                     engine::Table& op_cechy) {
  if (!features_) {
    // The group progress counts the same steps whether or not the links are read.
    context_.progress.GroupStep();
    context_.progress.GroupStep();
    ReportTable(context_, op_asor);
    ReportTable(context_, op_cechy);
    return;
  }
  run::SharedTables& shared = context_.tables();
  ConvertLinks(*assortment_links_, op_asor, "ID_ASORT", shared.assortments, assortment_);
  ConvertLinks(*feature_links_, op_cechy, "ID_CECHY", shared.features, feature_);
}

run::Status OperatsConverter::Run() {
  const std::string folder = MakeTargetFolder(context_, kind_.group);
  SourceTablesScope scope(context_);
  if (run::Status opened = OpenSources(); !opened) return opened;

  documents_.Size(operats_->RecordCount() + 100);
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
    done = ConvertOperatParcelLinks(context_, kind_.variable, *obdg, documents_,
                                    operats_->RecordCount() + 100);
  } else {
    // A missing raster-extent source stops the run; the tables of this kind stay written.
    done = ConvertRasterExtents(context_, folder, kind_.variable, kind_.raster_extents, documents_);
  }
  for (const auto& table : {operaty.get(), op_ruch.get(), op_cechy.get(), op_asor.get()}) {
    table->Close();
  }
  if (obdg) obdg->Close();
  return done;
}

}  // namespace

run::Status ConvertOperats(run::RunContext& context, OperatKind kind) {
  return OperatsConverter(context, kind).Run();
}

}  // namespace konwerter::convert
