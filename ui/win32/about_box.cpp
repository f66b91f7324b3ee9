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

constexpr COLORREF LinkColour = RGB(0, 0, 255);

static_assert(ids::Ok == IDOK, "the dialog manager's OK");

void SetText(HWND window, std::string_view text) { SetWindowTextW(window, WideFromUtf8(text).c_str()); }

}  // namespace

AboutBox::AboutBox(Settings& settings, const Language& language, ShellOpener& shell, MessageBoxService& messages,
                   RegistryValueReader readRegistry, std::string homePage)
    : Dialog(settings, language, AboutTable(), &messages),
      readRegistry_(readRegistry ? std::move(readRegistry) : RegistryValueReader{ReadSystemRegistryValue}),
      homePage_(homePage) {
  AddLink({ids::Url, std::move(homePage), LinkColour}, shell);
}

AboutBox::~AboutBox() {
  // Before the fonts go: no control is left that draws with them.
  if (Handle()) DestroyWindow(Handle());
}

bool AboutBox::OnInit() {
  if (!CreateControls()) return false;
  CreateFonts(Dpi());  // the dialogs' font, as every dialog of the program has it
  Caption();
  FillLabels();  // before the lines are measured and placed
  LayOut(Dpi());
  CenterForm(Handle());
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

void AboutBox::LayOut(int dpi) {
  // The lines as they are shown, measured in their font at this DPI.
  std::array<AboutLineText, AboutLineCount> lines{};
  for (std::size_t line = 0; line < AboutLineCount; ++line) {
    const HWND label = Control(AboutFrameLines[line].Label);
    const HWND value = AboutFrameLines[line].Value != 0 ? Control(AboutFrameLines[line].Value) : nullptr;
    // Shown as far as the box goes (the box itself is shown afterwards).
    lines[line] = {(GetWindowLongPtrW(label, GWL_STYLE) & WS_VISIBLE) != 0, TextWidth(label),
                   value ? TextWidth(value) : 0};
  }
  const AboutFramePlaces inFrame = LayOutAboutLines(lines, dpi);
  // What the borders and the title add to a client area at this DPI.
  RECT windowFrame{};
  AdjustWindowRectExForDpi(&windowFrame, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)), static_cast<UINT>(dpi));
  const AboutPlaces places = AboutLayout(dpi, windowFrame.right - windowFrame.left,
                                         windowFrame.bottom - windowFrame.top, inFrame.Width, inFrame.Height);
  const PixelRect& frame = places.Frame;
  PlaceFrameWindow(frame_, ids::Frame + FrameBoxOffset, RECT{frame.Left, frame.Top, frame.Right, frame.Bottom});
  for (const AboutFramePlaces::Place& control : inFrame.Controls) {
    const PixelRect& at = control.At;
    SetWindowPos(Control(control.Id), nullptr, at.Left, at.Top, at.Width(), at.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const PixelRect& ok = places.Ok;
  SetWindowPos(Control(IDOK), nullptr, ok.Left, ok.Top, ok.Width(), ok.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(Handle(), nullptr, 0, 0, places.Width, places.Height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutBox::FillLabels() {
  // The labels with a text ID have their texts from the language pass.
  const AboutFacts facts = CollectAboutFacts(readRegistry_);
  SetText(Control(ids::AuthorName), facts.AuthorName);
  SetText(Control(ids::VersionNo), facts.VersionNo);
  SetText(Control(ids::EmailAddress), facts.EmailAddress);
  SetText(Control(ids::UserName), facts.UserName);
  const AboutLines shown = ShownAboutLines(facts, homePage_);
  const std::pair<bool, std::array<int, 3>> lines[] = {
      {shown.Author, {ids::ProgrammedBy, ids::AuthorName}},
      {shown.Owner, {ids::RegisteredTo, ids::UserName}},
      {shown.HomePage, {ids::HomePageNote, ids::WebAddress, ids::Url}},
      {shown.Email, {ids::Email, ids::EmailAddress}}};
  for (const auto& [visible, line] : lines)
    for (const int id : line)
      if (id != 0) ShowWindow(Control(id), visible ? SW_SHOWNA : SW_HIDE);
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
