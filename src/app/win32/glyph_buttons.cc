#include "app/win32/glyph_buttons.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <string>

#include "app/win32/glyph_resources.h"

namespace konwerter::win32 {

namespace {

using app::window::ButtonGlyph;

constexpr int kGlyphSize = 16;
constexpr int kGlyphGap = 4;  // between the picture and the caption

int ResourceOf(ButtonGlyph glyph) {
  switch (glyph) {
    case ButtonGlyph::kOk:
      return KONWERTER_GLYPH_OK;
    case ButtonGlyph::kCancel:
      return KONWERTER_GLYPH_CANCEL;
    case ButtonGlyph::kAddRow:
      return KONWERTER_GLYPH_ADD_ROW;
    case ButtonGlyph::kDeleteRow:
      return KONWERTER_GLYPH_DELETE_ROW;
    case ButtonGlyph::kNone:
      break;
  }
  return 0;
}

// The button's face and edge: the theme's push button, or the classic one.
void DrawFace(const DRAWITEMSTRUCT& item, bool pressed, bool flat) {
  RECT face = item.rcItem;
  if (flat) {
    ::FillRect(item.hDC, &face, ::GetSysColorBrush(COLOR_BTNFACE));
    if (pressed) ::DrawEdge(item.hDC, &face, BDR_SUNKENOUTER, BF_RECT);
    return;
  }
  if (const HTHEME theme = ::OpenThemeData(item.hwndItem, L"BUTTON")) {
    const int state = (item.itemState & ODS_DISABLED) ? PBS_DISABLED
                      : pressed                       ? PBS_PRESSED
                      : (item.itemState & ODS_FOCUS)  ? PBS_DEFAULTED
                                                      : PBS_NORMAL;
    ::DrawThemeParentBackground(item.hwndItem, item.hDC, &face);
    ::DrawThemeBackground(theme, item.hDC, BP_PUSHBUTTON, state, &face, nullptr);
    ::CloseThemeData(theme);
    return;
  }
  ::DrawFrameControl(item.hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
}

}  // namespace

HICON GlyphIcon(ButtonGlyph glyph) {
  const int resource = ResourceOf(glyph);
  if (resource == 0) return nullptr;
  return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                         IMAGE_ICON, kGlyphSize, kGlyphSize, LR_SHARED));
}

void DrawGlyphButton(const DRAWITEMSTRUCT& item, ButtonGlyph glyph, bool flat, DisplayScale scale) {
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  DrawFace(item, pressed, flat);

  std::wstring caption(static_cast<std::size_t>(::GetWindowTextLengthW(item.hwndItem)) + 1, L'\0');
  caption.resize(static_cast<std::size_t>(
      ::GetWindowTextW(item.hwndItem, caption.data(), static_cast<int>(caption.size()))));
  if (flat) caption.clear();  // a flat button's caption is its hint
  const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
  const HGDIOBJ previous = ::SelectObject(item.hDC, font);
  SIZE text{};
  ::GetTextExtentPoint32W(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &text);
  const HICON icon = GlyphIcon(glyph);
  const int glyph_size = scale(kGlyphSize);  // the icon stretched on a screen of more dots
  const int gap = scale(kGlyphGap);
  const int width = (icon != nullptr ? glyph_size : 0) +
                    (icon != nullptr && !caption.empty() ? gap : 0) + text.cx;
  const int shift = pressed ? 1 : 0;
  const RECT& area = item.rcItem;
  int left = area.left + (area.right - area.left - width) / 2 + shift;
  const int middle = (area.top + area.bottom) / 2 + shift;
  if (icon != nullptr) {
    ::DrawIconEx(item.hDC, left, middle - glyph_size / 2, icon, glyph_size, glyph_size, 0, nullptr,
                 DI_NORMAL);
    left += glyph_size + gap;
  }
  if (!caption.empty()) {
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, ::GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    RECT text_area{left, area.top + shift, area.right, area.bottom + shift};
    ::DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &text_area,
                DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  }
  ::SelectObject(item.hDC, previous);
  if ((item.itemState & ODS_FOCUS) != 0 && !flat) {
    RECT focus = area;
    ::InflateRect(&focus, -4, -4);
    ::DrawFocusRect(item.hDC, &focus);
  }
}

}  // namespace konwerter::win32
