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
  ParcelLinksConverter(run::RunContext& context, engine::Table& obdg,
                       const run::TranslationTable& operats, std::uint32_t operat_slots)
      : context_(context),
        obdg_(obdg),
        operats_(operats),
        slots_(operat_slots),
        groups_(operat_slots, 0) {}

  run::Status Run();

 private:
  std::optional<SourceTable> OpenPairs();
  // Why a link of an operat is not taken: its key is not set, or it lies beyond the
  // operats' working lists; nothing when it is taken.
  std::optional<run::SkipReason> NotTaken(std::uint32_t operat) const;
  void CollectPairs();
  run::Status WriteSingleLinks();
  void WritePairs();
  void Write(std::uint32_t operat, std::uint32_t parcel, std::string_view przed_po,
             std::uint16_t group);

  run::RunContext& context_;
  engine::Table& obdg_;
  const run::TranslationTable& operats_;
  const std::uint32_t slots_;
  std::vector<std::uint16_t> groups_;  // the last group written, per operat record number
  ParcelLists before_, after_;
  Pair pair_;
  Link link_;
};

std::optional<SourceTable> ParcelLinksConverter::OpenPairs() {
  return SourceTable::OpenIfReadable(context_, source::tables::kOpnr, [&](SourceTable& table) {
    table.Binary4("id_ope", &pair_.id_ope)
        .Binary4("id_dz1", &pair_.id_dz1)
        .Binary4("id_dz2", &pair_.id_dz2);
  });
}

std::optional<run::SkipReason> ParcelLinksConverter::NotTaken(std::uint32_t operat) const {
  if (!run::IsDosKeySet(operat)) return run::SkipReason::kKeyNotSet;
  if (operat >= slots_) return run::SkipReason::kOwnerOutsideTable;
  return std::nullopt;
}

void ParcelLinksConverter::Write(std::uint32_t operat, std::uint32_t parcel,
                                 std::string_view przed_po, std::uint16_t group) {
  obdg_.Append();
  SetReference(context_, obdg_, "id_ope", operats_, operat);
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
    if (NotTaken(pair_.id_ope)) return;
    before_[pair_.id_ope].push_back(pair_.id_dz1);
    after_[pair_.id_ope].push_back(pair_.id_dz2);
  });
}

// Single links, leaving out those that a pair of the same operat writes (their fate is the
// pair's: written).
run::Status ParcelLinksConverter::WriteSingleLinks() {
  std::fill(groups_.begin(), groups_.end(), 0);
  auto links = SourceTable::Open(context_, source::tables::kOpewObdg, [&](SourceTable& table) {
    table.Binary4("id_ope", &link_.id_ope)
        .Binary4("id_dzialki", &link_.id_dzialki)
        .Text("przed_po", &link_.przed_po);
  });
  if (!links) return links.error();
  links->ForEachRecord(obdg_, [&](std::uint32_t) {
    if (const auto reason = NotTaken(link_.id_ope)) return run::Skipped(*reason);
    const ParcelLists& paired = link_.przed_po == kBefore ? before_ : after_;
    if (Holds(paired, link_.id_ope, link_.id_dzialki)) return run::kWritten;
    Write(link_.id_ope, link_.id_dzialki, link_.przed_po, 1);
    groups_[link_.id_ope] = 1;
    return run::kWritten;
  });
  before_.clear();
  after_.clear();
  return {};
}

// Every pair as the operat's next group: the parcel before, then the parcel after. Its
// records continue the progress of the single links.
void ParcelLinksConverter::WritePairs() {
  auto pairs = OpenPairs();
  if (!pairs) return;
  pairs->ForEachRecordContinuing(obdg_, [&](std::uint32_t) {
    if (const auto reason = NotTaken(pair_.id_ope)) return run::Skipped(*reason);
    const std::uint16_t group = ++groups_[pair_.id_ope];
    Write(pair_.id_ope, pair_.id_dz1, "0", group);
    Write(pair_.id_ope, pair_.id_dz2, "1", group);
    return run::kWritten;
  });
}

run::Status ParcelLinksConverter::Run() {
  CollectPairs();
  if (run::Status written = WriteSingleLinks(); !written) return written;
  WritePairs();
  ReportTable(context_, obdg_);
  return {};
}

}  // namespace

run::Status ConvertOperatParcelLinks(run::RunContext& context, engine::Table& obdg,
                                     const run::TranslationTable& operats,
                                     std::uint32_t operat_slots) {
  return ParcelLinksConverter(context, obdg, operats, operat_slots).Run();
}

}  // namespace konwerter::convert
