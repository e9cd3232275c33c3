#include "convert/operat_parcel_links.h"

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "convert/converter_toolkit.h"

namespace konwerter::convert {

namespace {

constexpr std::string_view kBefore = "0";  // przed_po of a parcel before the change

// One record of opnr.dbf: an operat and a pair of parcel keys.
struct Pair {
  std::uint32_t id_ope = 0, id_dz1 = 0, id_dz2 = 0;
};

// One record of the obdg.dbf source.
struct Link {
  std::uint32_t id_ope = 0, id_dzialki = 0;
  std::string przed_po;
};

using ParcelLists = std::unordered_map<std::uint32_t, std::vector<std::uint32_t>>;

bool Holds(const ParcelLists& lists, std::uint32_t operat, std::uint32_t parcel) {
  const auto found = lists.find(operat);
  return found != lists.end() &&
         std::find(found->second.begin(), found->second.end(), parcel) != found->second.end();
}

class ParcelLinksConverter {
 public:
  ParcelLinksConverter(run::RunContext& context, std::string_view variable, engine::Table& obdg,
                       const run::TranslationTable& operats, std::uint32_t operat_slots)
      : context_(context),
        variable_(variable),
        obdg_(obdg),
        operats_(operats),
        slots_(operat_slots),
        groups_(operat_slots, 0) {}

  bool Run();

 private:
  std::optional<SourceTable> OpenPairs();
  bool Takes(std::uint32_t operat) const { return run::IsDosKeySet(operat) && operat < slots_; }
  void CollectPairs();
  bool WriteSingleLinks();
  void WritePairs();
  void Write(std::uint32_t operat, std::uint32_t parcel, std::string_view przed_po,
             std::uint16_t group);

  run::RunContext& context_;
  std::string_view variable_;
  engine::Table& obdg_;
  const run::TranslationTable& operats_;
  const std::uint32_t slots_;
  std::vector<std::uint16_t> groups_;  // the last group written, per operat record number
  ParcelLists before_, after_;
  Pair pair_;
  Link link_;
  std::string source_path_;  // of the obdg.dbf source, for the summary
  std::uint64_t records_read_ = 0;
};

std::optional<SourceTable> ParcelLinksConverter::OpenPairs() {
  auto pairs = SourceTable::Open(context_, variable_, "opnr.dbf", /*report=*/false);
  if (pairs) {
    pairs->Binary4("id_ope", &pair_.id_ope)
        .Binary4("id_dz1", &pair_.id_dz1)
        .Binary4("id_dz2", &pair_.id_dz2);
  }
  return pairs;
}

void ParcelLinksConverter::Write(std::uint32_t operat, std::uint32_t parcel,
                                 std::string_view przed_po, std::uint16_t group) {
  obdg_.Append();
  obdg_.SetText("id_ope", operats_.LookUp(operat));
  obdg_.SetText("id_dzialki", context_.tables().parcels.GetOrAssignKey(parcel));
  obdg_.SetText("przed_po", przed_po);
  obdg_.SetNumber("grupa", group);
  obdg_.Post();
}

// The parcels of every pair, before and after, listed per operat.
void ParcelLinksConverter::CollectPairs() {
  auto pairs = OpenPairs();
  if (!pairs) return;
  pairs->ForEachRecordQuietly([&](std::uint32_t) {
    if (!Takes(pair_.id_ope)) return;
    before_[pair_.id_ope].push_back(pair_.id_dz1);
    after_[pair_.id_ope].push_back(pair_.id_dz2);
  });
}

// Single links, leaving out those that a pair of the same operat writes.
bool ParcelLinksConverter::WriteSingleLinks() {
  std::fill(groups_.begin(), groups_.end(), 0);
  auto links = SourceTable::Open(context_, variable_, "obdg.dbf");
  if (!links) return false;
  links->Binary4("id_ope", &link_.id_ope)
      .Binary4("id_dzialki", &link_.id_dzialki)
      .Text("przed_po", &link_.przed_po);
  std::uint64_t written_by_pairs = 0;
  links->ForEachRecord(obdg_, [&](std::uint32_t) {
    if (!Takes(link_.id_ope)) return;
    const ParcelLists& paired = link_.przed_po == kBefore ? before_ : after_;
    if (Holds(paired, link_.id_ope, link_.id_dzialki)) {
      ++written_by_pairs;
      return;
    }
    Write(link_.id_ope, link_.id_dzialki, link_.przed_po, 1);
    groups_[link_.id_ope] = 1;
  });
  // The summary counts as skipped only the links that no pass writes.
  context_.report.CountWrittenLater(obdg_.DbfPath(), written_by_pairs);
  source_path_ = links->path();
  records_read_ = links->RecordCount();
  before_.clear();
  after_.clear();
  return true;
}

// Every pair as the operat's next group: the parcel before, then the parcel after. Its
// records continue the progress of the single links.
void ParcelLinksConverter::WritePairs() {
  auto pairs = OpenPairs();
  if (!pairs) return;
  records_read_ += pairs->RecordCount();
  pairs->ForEachRecordQuietly([&](std::uint32_t) {
    context_.progress.RecordStep();
    if (!Takes(pair_.id_ope)) return;
    const std::uint16_t group = ++groups_[pair_.id_ope];
    Write(pair_.id_ope, pair_.id_dz1, "0", group);
    Write(pair_.id_ope, pair_.id_dz2, "1", group);
  });
}

bool ParcelLinksConverter::Run() {
  CollectPairs();
  if (!WriteSingleLinks()) return false;
  WritePairs();
  ReportTable(context_, obdg_, source_path_, records_read_);
  return true;
}

}  // namespace

bool ConvertOperatParcelLinks(run::RunContext& context, std::string_view variable,
                              engine::Table& obdg, const run::TranslationTable& operats,
                              std::uint32_t operat_slots) {
  return ParcelLinksConverter(context, variable, obdg, operats, operat_slots).Run();
}

}  // namespace konwerter::convert
