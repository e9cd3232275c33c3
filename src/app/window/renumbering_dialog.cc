#include "app/window/renumbering_dialog.h"

#include "platform/text_encoding.h"

namespace konwerter::app::window {

namespace {

using platform::Cp1250FromUtf8;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

}  // namespace

void RenumberingDialog::Showing() {
  if (auto rows = ReadRenumberingRows(file_path_)) grid_.Assign(std::move(*rows));
}

void RenumberingDialog::SetSegmentOption(OptionBox box, bool checked,
                                         platform::OperatorMessages& messages) {
  SetChecked(options_, box, checked);
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
