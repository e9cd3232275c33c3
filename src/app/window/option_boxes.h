#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "run/run_options.h"

namespace konwerter::app::window {

// The check boxes of both windows: each stands for one option of the run.
enum class OptionBox {
  // The main window.
  kRenumberCommunes,
  kDeleteUnlinkedPersons,
  kDeleteUnlinkedWorks,
  kDeleteUnlinkedAssortments,
  kDeleteUnlinkedPrecincts,
  kDeleteUnlinkedParcels,
  kRebuildIndexes,
  // The renumbering dialog: the registers whose number segment 1 is renumbered.
  kRenumberOperPr,
  kRenumberOperBu,
  kRenumberOperPrz,
  kRenumberSketches,
  kRenumberOutlines,
  kRenumberKme,
};

// A check box as its window shows it.
struct OptionBoxSpec {
  OptionBox box;
  std::string_view control_name;  // the object name in its window
  std::string_view caption;       // UTF-8
  bool checked_at_start;          // as a run's options start, in the window and on the terminal
};

// The main window's boxes, in their order of creation.
inline constexpr std::array<OptionBoxSpec, 7> kMainWindowBoxes = {{
    {OptionBox::kRenumberCommunes, "cbgmina", "Konwersja numerów gmin", false},
    {OptionBox::kDeleteUnlinkedPersons, "cbosoby", "Usuń nie powiązane osoby", true},
    {OptionBox::kDeleteUnlinkedWorks, "CBkerg", "Usuń nie powiązane roboty", true},
    {OptionBox::kDeleteUnlinkedAssortments, "cbasor", "Usuń nie powiązane asortymenty i cechy",
     true},
    {OptionBox::kDeleteUnlinkedPrecincts, "cbobreby", "Usuń nie powiązane obręby", true},
    {OptionBox::kDeleteUnlinkedParcels, "cbdzialki", "Usuń nie powiązane działki", true},
    {OptionBox::kRebuildIndexes, "cbindeksy", "Odbuduj indeksy z tabel (pomiń pliki .ntx)", false},
}};

// The renumbering dialog's six boxes of segment 1, in their order of creation.
inline constexpr std::array<OptionBoxSpec, 6> kRenumberingDialogBoxes = {{
    {OptionBox::kRenumberOperPr, "cboe", "Operatów ewidencyjnych", false},
    {OptionBox::kRenumberOperBu, "cbob", "Operatów bazowo-użytkowych", false},
    {OptionBox::kRenumberOperPrz, "cbop", "Operatów przejściowych", false},
    {OptionBox::kRenumberSketches, "cbos", "Szkiców polowych", false},
    {OptionBox::kRenumberOutlines, "cbz", "Zarysów", false},
    {OptionBox::kRenumberKme, "cbk", "KME", false},
}};

// The description of a box, from whichever window shows it.
const OptionBoxSpec& SpecOf(OptionBox box);

// Whether the option a box stands for is on.
bool IsChecked(const run::RunOptions& options, OptionBox box);
void SetChecked(run::RunOptions& options, OptionBox box, bool checked);

// The options as a run starts with them: every box in its state at start.
run::RunOptions OptionsAtStart();

}  // namespace konwerter::app::window
