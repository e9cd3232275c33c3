#include "app/window/window_controls.h"

#include <algorithm>
#include <stdexcept>

#include "app/window/option_boxes.h"
#include "app/window/renumbering_grid.h"
#include "platform/text_encoding.h"

namespace konwerter::app::window {

namespace {

using platform::Cp1250FromUtf8;

ControlSpec Label(std::string name, Bounds bounds, std::string_view caption_utf8) {
  ControlSpec control;
  control.name = std::move(name);
  control.kind = ControlKind::kLabel;
  control.bounds = bounds;
  control.caption = Cp1250FromUtf8(caption_utf8);
  control.auto_size = true;
  return control;
}

ControlSpec Focusable(std::string name, ControlKind kind, Bounds bounds,
                      std::string_view caption_utf8, int tab_order) {
  ControlSpec control = Label(std::move(name), bounds, caption_utf8);
  control.kind = kind;
  control.tab_order = tab_order;
  control.auto_size = false;
  return control;
}

ControlSpec Button(std::string name, Bounds bounds, std::string_view caption_utf8, int tab_order,
                   ButtonGlyph glyph) {
  ControlSpec control =
      Focusable(std::move(name), ControlKind::kButton, bounds, caption_utf8, tab_order);
  control.glyph = glyph;
  return control;
}

ControlSpec ProgressBar(std::string name, Bounds bounds, int maximum, int tab_order) {
  ControlSpec control =
      Focusable(std::move(name), ControlKind::kProgressBar, bounds, "", tab_order);
  control.maximum = maximum;
  return control;
}

ControlSpec FlatButton(std::string name, Bounds bounds, std::string_view hint_utf8,
                       ButtonGlyph glyph) {
  ControlSpec control = Label(std::move(name), bounds, hint_utf8);
  control.kind = ControlKind::kFlatButton;
  control.auto_size = false;
  control.glyph = glyph;
  return control;
}

// A check box, named and captioned as the table of option boxes has it.
ControlSpec Box(OptionBox box, Bounds bounds, int tab_order) {
  const OptionBoxSpec& spec = SpecOf(box);
  return Focusable(std::string(spec.control_name), ControlKind::kCheckBox, bounds, spec.caption,
                   tab_order);
}

}  // namespace

const ControlSpec& WindowSpec::Control(std::string_view control_name) const {
  const auto found = std::find_if(controls.begin(), controls.end(),
                                  [&](const ControlSpec& c) { return c.name == control_name; });
  if (found == controls.end()) throw std::out_of_range("no control " + std::string(control_name));
  return *found;
}

std::vector<std::string> WindowSpec::FocusOrder() const {
  std::vector<const ControlSpec*> focusable;
  for (const ControlSpec& control : controls) {
    if (control.TakesFocus()) focusable.push_back(&control);
  }
  std::stable_sort(
      focusable.begin(), focusable.end(),
      [](const ControlSpec* a, const ControlSpec* b) { return a->tab_order < b->tab_order; });
  std::vector<std::string> names;
  names.reserve(focusable.size());
  for (const ControlSpec* control : focusable) names.push_back(control->name);
  return names;
}

WindowSpec MainWindowSpec() {
  WindowSpec window;
  window.name = "TForm1";
  window.caption = Cp1250FromUtf8("Konwerter");
  window.client_width = 361;
  // The box for rebuilding indexes lies below the buttons: every other control stands where
  // the DOS edition's converter had it, and the window grows to hold the box.
  window.client_height = 512;
  ControlSpec title =
      Label("Label1", {32, 12, 302, 13}, "Konwersja danych do systemu TEROKAN WINDOWS");
  title.bold = true;
  ControlSpec lile = Label("lile", {288, 336, 6, 13}, "0");
  lile.visible = false;
  ControlSpec table_label = Label("Label5", {24, 384, 305, 13}, "Tworzenie tabeli:");
  table_label.auto_size = false;  // long table names are cut, the window does not move
  const auto edit = ControlKind::kEdit;
  window.controls = {
      title,
      Label("Label2", {24, 44, 157, 13}, "Kartoteka z danymi  wejściowymi:"),
      Focusable("Edit1", edit, {24, 68, 249, 21}, "", 0),
      Button("Button1", {280, 68, 61, 21}, "Wybierz", 1, ButtonGlyph::kNone),
      Label("Label3", {24, 104, 156, 13}, "Kartoteka z danymi  wyjściowymi:"),
      Focusable("Edit2", edit, {24, 128, 249, 21}, "", 3),
      Button("Button2", {280, 128, 61, 21}, "Wybierz", 2, ButtonGlyph::kNone),
      Box(OptionBox::kRenumberCommunes, {28, 168, 249, 17}, 13),
      Box(OptionBox::kDeleteUnlinkedPersons, {28, 208, 245, 17}, 8),
      Box(OptionBox::kDeleteUnlinkedWorks, {28, 232, 245, 17}, 10),
      Box(OptionBox::kDeleteUnlinkedAssortments, {28, 256, 245, 17}, 9),
      Box(OptionBox::kDeleteUnlinkedPrecincts, {28, 280, 245, 17}, 12),
      Box(OptionBox::kDeleteUnlinkedParcels, {28, 304, 245, 17}, 11),
      Label("Label4", {24, 340, 124, 13}, "Postęp procesu konwersji:"),
      lile,
      ProgressBar("ProgressBar1", {24, 360, 317, 16}, 60, 6),
      table_label,
      ProgressBar("ProgressBar2", {24, 404, 317, 16}, 100, 7),
      Button("BitBtn1", {24, 448, 97, 25}, "Konwersja", 4, ButtonGlyph::kOk),
      Button("BitBtn2", {244, 448, 97, 25}, "Anuluj", 5, ButtonGlyph::kCancel),
      Box(OptionBox::kRebuildIndexes, {28, 484, 305, 17}, 14),
  };
  return window;
}

WindowSpec RenumberingDialogSpec() {
  WindowSpec window;
  window.name = "TForm2";
  window.caption = Cp1250FromUtf8("Przenumerowanie numerów statystycznych gmin");
  window.client_width = 436;
  window.client_height = 357;
  window.controls = {
      Label("Label1", {8, 8, 113, 13}, "Przenumerowanie gmin:"),
      Focusable("StringGrid1", ControlKind::kGrid, {8, 24, 169 + kRowNumberWidth, 289}, "", 0),
      FlatButton("SpeedButton1", {8, 320, 25, 25}, "Dodaj nowy wiersz", ButtonGlyph::kAddRow),
      FlatButton("SpeedButton2", {36, 320, 25, 25}, "Usuń wiersz", ButtonGlyph::kDeleteRow),
      Label("Label2", {200, 8, 185, 13}, "Dodatkowe przenumerowanie członu 1:"),
      Box(OptionBox::kRenumberOperPr, {208, 32, 217, 17}, 1),
      Box(OptionBox::kRenumberOperBu, {208, 56, 217, 17}, 2),
      Box(OptionBox::kRenumberOperPrz, {208, 80, 217, 17}, 3),
      Box(OptionBox::kRenumberSketches, {208, 104, 217, 17}, 4),
      Box(OptionBox::kRenumberOutlines, {208, 128, 217, 17}, 5),
      Box(OptionBox::kRenumberKme, {208, 152, 217, 17}, 6),
      Button("BitBtn1", {240, 320, 89, 25}, "OK", 7, ButtonGlyph::kOk),
      Button("BitBtn2", {336, 320, 89, 25}, "Anuluj", 8, ButtonGlyph::kCancel),
  };
  return window;
}

}  // namespace konwerter::app::window
