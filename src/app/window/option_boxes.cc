#include "app/window/option_boxes.h"

#include <algorithm>

namespace konwerter::app::window {

namespace {

// The option a box stands for. Both windows' boxes are fields of the run's options.
template <typename Options>
auto& OptionOf(Options& options, OptionBox box) {
  switch (box) {
    case OptionBox::kRenumberCommunes:
      return options.renumber_communes;
    case OptionBox::kDeleteUnlinkedPersons:
      return options.delete_unlinked_persons;
    case OptionBox::kDeleteUnlinkedWorks:
      return options.delete_unlinked_works;
    case OptionBox::kDeleteUnlinkedAssortments:
      return options.delete_unlinked_assortments;
    case OptionBox::kDeleteUnlinkedPrecincts:
      return options.delete_unlinked_precincts;
    case OptionBox::kDeleteUnlinkedParcels:
      return options.delete_unlinked_parcels;
    case OptionBox::kRebuildIndexes:
      return options.rebuild_indexes;
    case OptionBox::kRenumberOperPr:
      return options.segment_one.oper_pr;
    case OptionBox::kRenumberOperBu:
      return options.segment_one.oper_bu;
    case OptionBox::kRenumberOperPrz:
      return options.segment_one.oper_prz;
    case OptionBox::kRenumberSketches:
      return options.segment_one.szkice;
    case OptionBox::kRenumberOutlines:
      return options.segment_one.zarysy;
    case OptionBox::kRenumberKme:
      break;
  }
  return options.segment_one.kme;
}

}  // namespace

const OptionBoxSpec& SpecOf(OptionBox box) {
  const auto is_box = [box](const OptionBoxSpec& spec) { return spec.box == box; };
  const auto main = std::find_if(kMainWindowBoxes.begin(), kMainWindowBoxes.end(), is_box);
  if (main != kMainWindowBoxes.end()) return *main;
  return *std::find_if(kRenumberingDialogBoxes.begin(), kRenumberingDialogBoxes.end(), is_box);
}

bool IsChecked(const run::RunOptions& options, OptionBox box) {
  return OptionOf(options, box);
}

void SetChecked(run::RunOptions& options, OptionBox box, bool checked) {
  OptionOf(options, box) = checked;
}

run::RunOptions OptionsAtStart() {
  run::RunOptions options;
  for (const OptionBoxSpec& spec : kMainWindowBoxes) {
    SetChecked(options, spec.box, spec.checked_at_start);
  }
  for (const OptionBoxSpec& spec : kRenumberingDialogBoxes) {
    SetChecked(options, spec.box, spec.checked_at_start);
  }
  return options;
}

}  // namespace konwerter::app::window
