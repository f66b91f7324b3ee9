#include "ui/win32/about_box.h"

#include <array>
#include <string_view>
#include <utility>

#include "platform/code_page.h"
#include "ui/about_layout.h"
#include "ui/win32/controls.h"
#include "ui/win32/frame_window.h"

namespace barloom {
namespace {

namespace ids = about_ids;

constexpr int LabelFontCentipoints = 975;            // 9.75 pt
constexpr BYTE LabelDesignCharset = ARABIC_CHARSET;  // the language pass gives them FontScript's
constexpr COLORREF LinkColour = RGB(0, 0, 255);

static_assert(ids::Ok == IDOK, "the dialog manager's OK");

PixelRect DesignPlace(int id, int dpi) { return ToPixels(FindRow(AboutTable(), id)->Place, dpi); }

// The controls that draw in the labels' font: the labels, and OK, as the eye expects of one box.
bool TakesLabelFont(const ControlRow& row) { return row.Kind == ControlKind::Label || row.Id == ids::Ok; }

void SetText(HWND window, std::string_view text) { SetWindowTextW(window, WideFromUtf8(text).c_str()); }

}  // namespace

AboutBox::AboutBox(Settings& settings, const Language& language, ShellOpener& shell, MessageBoxService& messages,
                   RegistryValueReader readRegistry, std::string homePage)
    : Dialog(settings, language, AboutTable(), &messages),
      readRegistry_(readRegistry ? std::move(readRegistry) : RegistryValueReader{ReadSystemRegistryValue}) {
  AddLink({ids::Url, std::move(homePage), LinkColour}, shell);
}

AboutBox::~AboutBox() {
  // Before the fonts go: no control is left that draws with them.
  if (Handle()) DestroyWindow(Handle());
}

bool AboutBox::OnInit() {
  if (!CreateControls()) return false;
  CreateFonts(Dpi());
  Caption();
  LayOut(Dpi());
  CenterForm(Handle());
  FillLabels();
  TakeOwnersIcon();
  return true;
}

void AboutBox::OnCommand(int id, int, HWND) {
  if (id == IDOK || id == IDCANCEL) Close(IDOK);  // Esc and the close box press OK too
}

bool AboutBox::CreateControls() {
  if (!CreateContents(Handle(), Table(), InWindow, Dpi())) return false;
  frame_ = GetDlgItem(Handle(), ids::Frame);
  ShowWindow(frame_, SW_SHOWNA);
  return true;
}

void AboutBox::CreateFonts(int dpi) {
  Dialog::CreateFonts(dpi);
  UniqueFont labels{CreateNamedFont(L"MS Sans Serif", LabelFontCentipoints, FW_NORMAL, LabelDesignCharset, dpi)};
  for (const ControlRow& row : Table().Rows)
    if (TakesLabelFont(row)) SendMessageW(Control(row.Id), WM_SETFONT, reinterpret_cast<WPARAM>(labels.get()), TRUE);
  labelFont_ = std::move(labels);
}

void AboutBox::LayOut(int dpi) {
  // What the borders and the title add to a client area at this DPI.
  RECT windowFrame{};
  AdjustWindowRectExForDpi(&windowFrame, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)), static_cast<UINT>(dpi));
  const AboutPlaces places =
      AboutLayout(dpi, windowFrame.right - windowFrame.left, windowFrame.bottom - windowFrame.top);
  const PixelRect& frame = places.Frame;
  PlaceFrameWindow(frame_, ids::Frame + FrameBoxOffset, RECT{frame.Left, frame.Top, frame.Right, frame.Bottom});
  PlaceContents(frame_, Table(), ids::Frame, dpi);
  FitLabels(dpi);
  const PixelRect& ok = places.Ok;
  SetWindowPos(Control(IDOK), nullptr, ok.Left, ok.Top, ok.Width(), ok.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(Handle(), nullptr, 0, 0, places.Width, places.Height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutBox::FitLabels(int dpi) {
  // Each label as wide as its text in its font at this DPI; the value beside it moves along,
  // within the frame.
  constexpr std::pair<int, int> Rows[] = {{ids::ProgrammedBy, ids::AuthorName},
                                          {ids::Version, ids::VersionNo},
                                          {ids::RegisteredTo, ids::UserName},
                                          {ids::WebAddress, ids::Url},
                                          {ids::Email, ids::EmailAddress}};
  const int rightLimit = DesignPlace(ids::AuthorName, dpi).Right;  // the values' common right edge
  for (const auto& [labelId, valueId] : Rows) {
    const HWND label = Control(labelId);
    const HWND value = Control(valueId);
    const LabelRow row =
        FitLabelRow({DesignPlace(labelId, dpi), DesignPlace(valueId, dpi)}, TextWidth(label), rightLimit);
    for (const auto& [window, at] : {std::pair{label, row.Label}, std::pair{value, row.Value}})
      SetWindowPos(window, nullptr, at.Left, at.Top, at.Width(), at.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void AboutBox::FillLabels() {
  // The labels with a text ID have their texts from the language pass.
  const AboutFacts facts = CollectAboutFacts(readRegistry_);
  SetText(Control(ids::AuthorName), facts.AuthorName);
  SetText(Control(ids::VersionNo), facts.VersionNo);
  SetText(Control(ids::EmailAddress), facts.EmailAddress);
  SetText(Control(ids::UserName), facts.UserName);
  const AboutLines shown = ShownAboutLines(facts);
  const std::pair<bool, std::array<int, 2>> lines[] = {{shown.Author, {ids::ProgrammedBy, ids::AuthorName}},
                                                       {shown.Owner, {ids::RegisteredTo, ids::UserName}},
                                                       {shown.Email, {ids::Email, ids::EmailAddress}}};
  for (const auto& [visible, line] : lines)
    for (const int id : line) ShowWindow(Control(id), visible ? SW_SHOWNA : SW_HIDE);
}

void AboutBox::TakeOwnersIcon() {
  const HWND owner = GetWindow(Handle(), GW_OWNER);
  if (!owner) return;
  // The main window's icons are those of its class unless it was given others.
  const std::pair<WPARAM, int> sizes[] = {{ICON_BIG, GCLP_HICON}, {ICON_SMALL, GCLP_HICONSM}};
  for (const auto& [size, classIcon] : sizes) {
    LRESULT icon = SendMessageW(owner, WM_GETICON, size, 0);
    if (!icon) icon = static_cast<LRESULT>(GetClassLongPtrW(owner, classIcon));
    if (icon) SendMessageW(Handle(), WM_SETICON, size, icon);
  }
}

HWND AboutBox::Control(int id) const {
  if (const HWND direct = GetDlgItem(Handle(), id)) return direct;
  return frame_ ? GetDlgItem(frame_, id) : nullptr;
}

}  // namespace barloom
