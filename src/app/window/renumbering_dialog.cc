#include "app/window/renumbering_dialog.h"

#include "platform/text_encoding.h"

namespace konwerter::app::window {

namespace {

using platform::Cp1250FromUtf8;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

bool* SegmentBoxOption(run::SegmentOneOptions& segment, std::string_view box_name) {
  if (box_name == "cboe") return &segment.oper_pr;
  if (box_name == "cbob") return &segment.oper_bu;
  if (box_name == "cbop") return &segment.oper_prz;
  if (box_name == "cbos") return &segment.szkice;
  if (box_name == "cbz") return &segment.zarysy;
  if (box_name == "cbk") return &segment.kme;
  return nullptr;
}

}  // namespace

bool* CheckBoxOption(run::RunOptions& options, std::string_view box_name) {
  if (box_name == "cbgmina") return &options.renumber_communes;
  if (box_name == "cbosoby") return &options.delete_unlinked_persons;
  if (box_name == "CBkerg") return &options.delete_unlinked_works;
  if (box_name == "cbasor") return &options.delete_unlinked_assortments;
  if (box_name == "cbobreby") return &options.delete_unlinked_precincts;
  if (box_name == "cbdzialki") return &options.delete_unlinked_parcels;
  if (box_name == "cbindeksy") return &options.rebuild_indexes;
  return SegmentBoxOption(options.segment_one, box_name);
}

void RenumberingDialog::Showing() {
  if (auto rows = ReadRenumberingRows(file_path_)) grid_.Assign(std::move(*rows));
}

void RenumberingDialog::SegmentBoxClicked(std::string_view box_name, bool checked,
                                          platform::OperatorMessages& messages) {
  bool* option = SegmentBoxOption(segment_one_, box_name);
  if (option == nullptr) return;
  *option = checked;
  if (warning_shown_) return;
  warning_shown_ = true;
  messages.Show(
      {Cp1250FromUtf8("Przenumerowanie członu pierwszego jest równoznaczne z przenumerowaniem "
                      "wybranego zasobu. Przed zaznaczeniem przenumerowania należy sprawdzić czy "
                      "numery, na które będzie przenumerowanie nie występują już w bazie. W takim "
                      "przypadku przenumerowanie może spowodować konflikt numeracji."),
       Cp1250FromUtf8("Ostrzeżenie !")});
}

bool RenumberingDialog::Accept(platform::OperatorMessages& messages) {
  if (const auto problem = RowsProblem(grid_.rows())) {
    messages.Show({*problem, Cp1250FromUtf8("Błąd"), MessageButtons::kOk, MessageIcon::kStop});
    return false;
  }
  if (!WriteRenumberingFile(file_path_, FileTextFromRows(grid_.rows()))) {
    messages.Show({Cp1250FromUtf8("Nie można zapisać pliku z przenumerowaniem gmin: ") + file_path_,
                   Cp1250FromUtf8("Błąd"), MessageButtons::kOk, MessageIcon::kStop});
    return false;
  }
  return true;
}

bool RenumberingDialog::ConfirmLeave(platform::OperatorMessages& messages) {
  const platform::OperatorMessage question{
      Cp1250FromUtf8("Wyjście bez zapisu spowoduje, iż wprowadzone przenumerowanie nie zostanie "
                     "zachowane. Kontynuować?"),
      Cp1250FromUtf8("Potwierdzenie"), MessageButtons::kYesNo, MessageIcon::kQuestion,
      MessageAnswer::kYes};
  return messages.Show(question) == MessageAnswer::kYes;
}

}  // namespace konwerter::app::window
