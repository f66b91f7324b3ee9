#include "ui/win32/about_box.h"

#include <array>
#include <string_view>
#include <utility>

#include "platform/wide_text.h"
#include "ui/about_layout.h"
#include "ui/win32/controls.h"
#include "ui/win32/frame_window.h"

namespace barloom {
namespace {

namespace ids = about_ids;
namespace design = about_design;

constexpr int LabelFontCentipoints = 975;            // 9.75 pt
constexpr BYTE LabelDesignCharset = ARABIC_CHARSET;  // the language pass gives them FontScript's
constexpr COLORREF LinkColour = RGB(0, 0, 255);
constexpr DWORD PlainLabel = SS_LEFT | SS_NOPREFIX;  // shown as they are, wrapped within their width

constexpr ControlPlan OkPlan{IDOK, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, design::Ok};
// The labels inside the frame, row by row.
constexpr ControlPlan LabelPlans[] = {
    {ids::ProgrammedBy, L"STATIC", PlainLabel, 0, design::ProgrammedBy},
    {ids::AuthorName, L"STATIC", PlainLabel, 0, design::AuthorName},
    {ids::Version, L"STATIC", PlainLabel, 0, design::Version},
    {ids::VersionNo, L"STATIC", PlainLabel, 0, design::VersionNo},
    {ids::RegisteredTo, L"STATIC", PlainLabel, 0, design::RegisteredTo},
    {ids::UserName, L"STATIC", PlainLabel, 0, design::UserName},
    {ids::HomePageNote, L"STATIC", PlainLabel, 0, design::HomePageNote},
    {ids::WebAddress, L"STATIC", PlainLabel, 0, design::WebAddress},
    {ids::Url, L"STATIC", PlainLabel | SS_NOTIFY, 0, design::Url},
    {ids::Email, L"STATIC", PlainLabel, 0, design::Email},
    {ids::EmailAddress, L"STATIC", PlainLabel, 0, design::EmailAddress},
};

// What the language pass captions: the text ID of each control, 0 for none.
constexpr FormControlRow FormRows[] = {
    {IDOK, ControlKind::CommandButton, 1008},
    {ids::FrameBox, ControlKind::Frame, 0},
    {ids::ProgrammedBy, ControlKind::Label, 1502},
    {ids::AuthorName, ControlKind::Label, 0},
    {ids::Version, ControlKind::Label, 1503},
    {ids::VersionNo, ControlKind::Label, 0},
    {ids::RegisteredTo, ControlKind::Label, 1504},
    {ids::UserName, ControlKind::Label, 0},
    {ids::HomePageNote, ControlKind::Label, 1505},
    {ids::WebAddress, ControlKind::Label, 1506},
    {ids::Url, ControlKind::Label, 1508},
    {ids::Email, ControlKind::Label, 1507},
    {ids::EmailAddress, ControlKind::Label, 0},
};

void SetText(HWND window, std::string_view text) { SetWindowTextW(window, WideFromUtf8(text).c_str()); }

}  // namespace

AboutBox::AboutBox(Settings& settings, ShellOpener& shell, MessageBoxService& messages,
                   RegistryValueReader readRegistry, std::string homePage)
    : Dialog(settings, &messages),
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
  if (!CreatePlannedControl(Handle(), OkPlan, Dpi())) return false;
  frame_ = CreateFrameWindow(Handle(), ids::Frame, ids::FrameBox, RECT{});
  if (!frame_) return false;
  for (const ControlPlan& plan : LabelPlans)
    if (!CreatePlannedControl(frame_, plan, Dpi())) return false;
  ShowWindow(frame_, SW_SHOWNA);
  SetForm(AboutTitleText, FormRows, {}, AboutTitle);
  return true;
}

void AboutBox::CreateFonts(int dpi) {
  Dialog::CreateFonts(dpi);
  UniqueFont labels{CreateNamedFont(L"MS Sans Serif", LabelFontCentipoints, FW_NORMAL, LabelDesignCharset, dpi)};
  for (const ControlPlan& plan : LabelPlans)
    SendMessageW(Control(plan.Id), WM_SETFONT, reinterpret_cast<WPARAM>(labels.get()), TRUE);
  // OK in the labels' font, as the eye expects of one box.
  SendMessageW(Control(IDOK), WM_SETFONT, reinterpret_cast<WPARAM>(labels.get()), TRUE);
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
  PlaceFrameWindow(frame_, ids::FrameBox, RECT{frame.Left, frame.Top, frame.Right, frame.Bottom});
  for (const ControlPlan& plan : LabelPlans) PlacePlannedControl(frame_, plan, dpi);
  FitLabels(dpi);
  const PixelRect& ok = places.Ok;
  SetWindowPos(Control(IDOK), nullptr, ok.Left, ok.Top, ok.Width(), ok.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(Handle(), nullptr, 0, 0, places.Width, places.Height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutBox::FitLabels(int dpi) {
  // Each label as wide as its text in its font at this DPI; the value beside it moves along,
  // within the frame.
  constexpr std::pair<std::size_t, std::size_t> Rows[] = {{0, 1}, {2, 3}, {4, 5}, {7, 8}, {9, 10}};
  const int rightLimit = ToPixels(design::AuthorName, dpi).Right;  // the values' common right edge
  for (const auto& [labelPlan, valuePlan] : Rows) {
    const HWND label = Control(LabelPlans[labelPlan].Id);
    const HWND value = Control(LabelPlans[valuePlan].Id);
    const LabelRow row = FitLabelRow({ToPixels(LabelPlans[labelPlan].Place, dpi), ToPixels(LabelPlans[valuePlan].Place, dpi)},
                                     TextWidth(label), rightLimit);
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
