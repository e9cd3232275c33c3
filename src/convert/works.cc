#include "convert/works.h"

#include <cstdint>
#include <optional>
#include <string>

#include "convert/converter_toolkit.h"
#include "convert/raster_extents.h"
#include "platform/dos_path.h"
#include "run/prechecks.h"
#include "source/clipper_index.h"
#include "source/memory_file.h"

namespace konwerter::convert {

namespace {

constexpr std::string_view kRegisterVariable = "BDLZGLO";
constexpr std::size_t kSegmentWidth = 4;
constexpr std::uint16_t kLargestLp = 999;

// One record of roboty.dbf: a work known to the documentation registers.
struct Work {
  std::uint32_t id_kerg = 0;
  std::string jedn_seg, inna_nazwa;
  std::uint16_t nr_porz = 0, rok = 0, lp = 0;
  bool jestwkergu = false;
};

// One record of kerg.dbf: the register data of a reported work.
struct ReportedWork {
  std::uint32_t id_kerg = 0, wykon = 0, zlecen = 0;
  std::uint16_t nr_g = 0;
  std::string nr_wyk, uwagi, pol_wl, d_p_zak, d_roz_p, d_prz_o, opis;
};

struct Quantity {
  std::uint32_t id_rkerg = 0;
  std::uint16_t ro_roboty = 0;
  double wielkosc = 0;
};

struct CoveredParcel {
  std::uint32_t id_ope = 0, id_dzialki = 0;
  std::string przed_po;
};

struct Commune {
  std::uint16_t id = 0, nr_w = 0, nr_g = 0;
  std::string nazwa;
};

// The work's segment without its leading spaces; "#" when there is none.
std::string Segment(std::string text) {
  text = Cut(std::move(text), kSegmentWidth);
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? "#" : text.substr(first);
}

class WorksConverter {
 public:
  WorksConverter(run::RunContext& context, bool delete_unlinked)
      : context_(context), delete_unlinked_(delete_unlinked) {}

  run::Status Run();

 private:
  run::Status OpenSources();
  void WriteWorks(engine::Table& roboty);
  void WriteReportedData(engine::Table& roboty, const std::string& identifier);
  void WriteQuantities(engine::Table& kergasor);
  void WriteCoveredParcels(engine::Table& obdg);
  void WriteCommunes(engine::Table& gminy);

  run::RunContext& context_;
  const bool delete_unlinked_;
  std::optional<SourceTable> roboty_, kerg_, kergasor_, obdg_, gmina_;
  source::ClipperIndex kerg_index_;
  std::string index_file_;  // kerg.ntx as the host names it
  Work work_;
  ReportedWork reported_;
  Quantity quantity_;
  CoveredParcel covered_;
  Commune commune_;
  // Work identifiers by 1-based record number of kerg.dbf, the key of the tables that hang
  // on the register of reported works (kergasor, obdg, ob_rr).
  run::TranslationTable kerg_records_;
};

run::Status WorksConverter::OpenSources() {
  auto roboty = SourceTable::Open(context_, source::tables::kRoboty, [&](SourceTable& t) {
    t.Binary4("id_kerg", &work_.id_kerg)
        .Key()
        .Text("jedn_seg", &work_.jedn_seg)
        .Word("nr_porz", &work_.nr_porz)
        .Word("rok", &work_.rok)
        .Word("lp", &work_.lp)
        .Text("inna_nazwa", &work_.inna_nazwa)
        .Logical("jestwkergu", &work_.jestwkergu);
  });
  if (!roboty) return roboty.error();
  roboty_ = std::move(*roboty);
  auto kerg = SourceTable::Open(context_, source::tables::kKerg, [&](SourceTable& t) {
    t.Binary4("id_kerg", &reported_.id_kerg)
        .Key()
        .Word("nr_g", &reported_.nr_g)
        .Text("nr_wyk", &reported_.nr_wyk)
        .Binary4("wykon", &reported_.wykon)
        .Binary4("zlecen", &reported_.zlecen)
        .Text("uwagi", &reported_.uwagi)
        .Text("pol_wl", &reported_.pol_wl)
        .Text("d_p_zak", &reported_.d_p_zak)
        .Text("d_roz_p", &reported_.d_roz_p)
        .Text("d_prz_o", &reported_.d_prz_o)
        .Text("opis", &reported_.opis);
  });
  if (!kerg) return kerg.error();
  kerg_ = std::move(*kerg);
  index_file_ = platform::HostForm(run::SourcePath(context_, kRegisterVariable, "kerg.ntx"));
  if (run::Status index = run::OpenSourceIndex(context_, kRegisterVariable, "kerg.ntx",
                                               kerg_->HeaderRecordCount(), kerg_index_);
      !index) {
    return index;
  }
  auto kergasor = SourceTable::Open(context_, source::tables::kKergasor, [&](SourceTable& t) {
    t.Binary4("id_rkerg", &quantity_.id_rkerg)
        .Binary2("ro_roboty", &quantity_.ro_roboty)
        .Real("wielkosc", &quantity_.wielkosc);
  });
  if (!kergasor) return kergasor.error();
  kergasor_ = std::move(*kergasor);
  auto obdg = SourceTable::Open(context_, source::tables::kZgloObdg, [&](SourceTable& t) {
    t.Binary4("id_ope", &covered_.id_ope)
        .Binary4("id_dzialki", &covered_.id_dzialki)
        .Text("przed_po", &covered_.przed_po);
  });
  if (!obdg) return obdg.error();
  obdg_ = std::move(*obdg);
  auto gmina = SourceTable::Open(context_, source::tables::kGmina, [&](SourceTable& t) {
    t.Binary2("id", &commune_.id)
        .Word("nr_w", &commune_.nr_w)
        .Word("nr_g", &commune_.nr_g)
        .Key()
        .Text("nazwa", &commune_.nazwa);
  });
  if (!gmina) return gmina.error();
  gmina_ = std::move(*gmina);
  return {};
}

// The register data of a reported work, fetched by one seek of kerg.ntx with the work's
// key as stored. Taken only from a record that carries the same key: an index entry that
// leads elsewhere, or no entry, leaves the work with its roboty.dbf fields alone, recorded
// in the ledger.
void WorksConverter::WriteReportedData(engine::Table& roboty, const std::string& identifier) {
  const source::SeekResult found = kerg_index_.Seek(KeyBytes(work_.id_kerg));
  if (!found.found) {
    context_.ledger.Altered(roboty.DbfPath(), run::ValueChange::kIndexEntryMissing, "NR_WYK", {},
                            {}, index_file_);
    return;
  }
  const std::uint32_t record = static_cast<std::uint32_t>(found.record) + 1;
  reported_.id_kerg = 0;
  // A damaged record, or one the file lost at its end, is kerg.dbf's damage, said as such,
  // not the index's.
  if (kerg_->ReadRecordAt(record) != SourceTable::RecordAt::kRead) return;
  if (reported_.id_kerg != work_.id_kerg) {
    // The index leads to another work's record: it is stale.
    context_.ledger.Altered(roboty.DbfPath(), run::ValueChange::kIndexEntryStale, "NR_WYK",
                            std::to_string(record), {}, index_file_);
    return;
  }

  run::SharedTranslationTable& persons = context_.tables().persons;
  roboty.SetText("NR_G", RenumberCommune(context_, reported_.nr_g));
  roboty.SetText("NR_WYK", reported_.nr_wyk);
  roboty.SetText("UWAGI", reported_.uwagi);
  roboty.SetText("POL_WL", reported_.pol_wl);
  roboty.SetText("OPIS", reported_.opis);
  roboty.SetText("WYKON", persons.GetOrAssignKey(reported_.wykon));
  roboty.SetText("ZLECEN", persons.GetOrAssignKey(reported_.zlecen));
  SetDosDate(context_, roboty, "D_P_ZAK", reported_.d_p_zak);
  SetDosDate(context_, roboty, "D_ROZ_P", reported_.d_roz_p);
  SetDosDate(context_, roboty, "D_PRZ_O", reported_.d_prz_o);
  if (reported_.d_prz_o.empty()) roboty.SetText("W_TOKU", "1");
  kerg_records_.Store(record, identifier);
}

// Pass 1: a work is written when an earlier converter referred to it, when it was
// reported, or when unlinked works are kept.
void WorksConverter::WriteWorks(engine::Table& roboty) {
  run::SharedTranslationTable& works = context_.tables().works;
  roboty_->ForEachRecord(roboty, [&](std::uint32_t) {
    if (!run::IsDosKeySet(work_.id_kerg)) return run::Skipped(run::SkipReason::kKeyNotSet);
    const std::string held = works.LookUp(work_.id_kerg);
    if (held.empty() && delete_unlinked_ && !work_.jestwkergu) {
      return run::Skipped(run::SkipReason::kUnlinked);
    }
    const std::string identifier =
        delete_unlinked_ && !work_.jestwkergu ? held : works.GetOrAssignKey(work_.id_kerg);
    roboty.Append();
    roboty.SetText("ID_ROBOTY", identifier);
    roboty.SetText("JEDN_SEG", Segment(work_.jedn_seg));
    roboty.SetNumber("NR_PORZ", work_.nr_porz);
    roboty.SetNumber("ROK", work_.rok);
    roboty.SetNumber("LP", work_.lp > kLargestLp ? 0 : work_.lp);
    roboty.SetText("INNA_NAZWA", work_.inna_nazwa);
    roboty.SetText("Id_tworz", context_.creator_identifier);
    roboty.SetText("W_TOKU", "0");
    if (work_.jestwkergu) WriteReportedData(roboty, identifier);
    roboty.Post();
    return run::kWritten;
  });
  context_.sequence->WriteRow("ROBOTY", works.counter() + 1);
}

// Pass 2: the assortment quantities of the works written from the register.
void WorksConverter::WriteQuantities(engine::Table& kergasor) {
  run::SharedTranslationTable& assortments = context_.tables().assortments;
  kergasor_->ForEachRecord(kergasor, [&](std::uint32_t) {
    if (!run::IsDosKeySet(quantity_.id_rkerg)) return run::Skipped(run::SkipReason::kKeyNotSet);
    const std::string work = kerg_records_.LookUp(quantity_.id_rkerg);
    if (work.empty()) return run::Skipped(run::SkipReason::kOwnerNotWritten);
    kergasor.Append();
    kergasor.SetText("ID_ROBOTY", work);
    kergasor.SetText("ID_ASORT", assortments.GetOrAssignReference(quantity_.ro_roboty));
    kergasor.SetNumber("WIELKOSC", quantity_.wielkosc);
    kergasor.Post();
    return run::kWritten;
  });
}

// Pass 3: the parcels the works cover. The parcel gets its identifier before its work is
// looked at, so a parcel named here counts as linked even when its work was not written.
void WorksConverter::WriteCoveredParcels(engine::Table& obdg) {
  run::SharedTranslationTable& parcels = context_.tables().parcels;
  obdg_->ForEachRecord(obdg, [&](std::uint32_t) {
    if (!run::IsDosKeySet(covered_.id_ope)) return run::Skipped(run::SkipReason::kKeyNotSet);
    const std::string parcel = parcels.GetOrAssignKey(covered_.id_dzialki);
    if (parcel.empty()) return run::Skipped(run::SkipReason::kKeyNotSet);
    obdg.Append();
    SetReference(context_, obdg, "id_roboty", kerg_records_, covered_.id_ope);
    obdg.SetText("id_dzialki", parcel);
    obdg.SetText("przed_po", covered_.przed_po);
    obdg.Post();
    return run::kWritten;
  });
}

// Pass 4: the communes of the site's voivodeship, the voivodeship number compared as the
// decimal text the site settings hold.
void WorksConverter::WriteCommunes(engine::Table& gminy) {
  const std::string voivodeship = source::ValueOf(context_.site_settings, "DOM_NRWOJ");
  gmina_->ForEachRecord(gminy, [&](std::uint32_t) {
    if (!run::IsReferenceSet(commune_.id)) return run::Skipped(run::SkipReason::kKeyNotSet);
    if (std::to_string(commune_.nr_w) != voivodeship) {
      return run::Skipped(run::SkipReason::kOtherVoivodeship);
    }
    gminy.Append();
    gminy.SetText("NR_G", RenumberCommune(context_, commune_.nr_g));
    gminy.SetText("NAZWA", commune_.nazwa);
    gminy.Post();
    return run::kWritten;
  });
}

run::Status WorksConverter::Run() {
  const std::string folder = MakeTargetFolder(context_, "KERG");
  SourceTablesScope scope(context_);
  if (run::Status opened = OpenSources(); !opened) return opened;

  namespace tables = target::tables;
  auto roboty = CreateTargetTable(context_, folder, tables::kKergRoboty);
  kerg_records_.Size(kerg_->RecordCount() + run::kSpareSlots);
  auto kergasor = CreateTargetTable(context_, folder, tables::kKergKergasor);
  auto gminy = CreateTargetTable(context_, folder, tables::kKergGminy);
  auto obdg = CreateTargetTable(context_, folder, tables::kKergObdg);

  WriteWorks(*roboty);
  ReportTable(context_, *roboty);
  WriteQuantities(*kergasor);
  ReportTable(context_, *kergasor);
  WriteCoveredParcels(*obdg);
  ReportTable(context_, *obdg);
  WriteCommunes(*gminy);
  ReportTable(context_, *gminy);

  roboty->Finish();
  kergasor->Finish();
  gminy->Finish();
  obdg->Finish();
  kerg_index_.Close();
  return ConvertRasterExtents(context_, folder, source::tables::kObRr, kerg_records_);
}

}  // namespace

run::Status ConvertWorks(run::RunContext& context, bool delete_unlinked) {
  return WorksConverter(context, delete_unlinked).Run();
}

}  // namespace konwerter::convert
