// The main window's messages: each turned into an intent of the wizard, a dialog or a resize.
#include "ui/win32/main_window.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <utility>

#include "build_info.h"
#include "core/version_text.h"
#include "platform/program_context.h"
#include "platform/code_page.h"
#include "ui/main_layout.h"
#include "ui/menu_commands.h"
#include "ui/win32/about_box.h"
#include "ui/win32/controls.h"
#include "ui/win32/install_dialog.h"
#include "ui/win32/options_dialog.h"

namespace barloom {
namespace {

namespace ids = main_ids;

constexpr wchar_t MainClassName[] = L"BarloomMain";
// Posted by the Create run's thread: new figures for the progress bar, and the end of the run.
constexpr UINT CreateProgressMessage = WM_APP + 1;
constexpr UINT CreateDoneMessage = WM_APP + 2;
constexpr int ProgramIcon = 1;

template <typename Interface, typename System>
Interface& Choose(Interface* override, std::optional<System>& system) {
  return override ? *override : system.emplace();
}

std::uintptr_t HandleValue(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

bool RegisterMainClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW mainClass{sizeof mainClass};
  if (GetClassInfoExW(instance, MainClassName, &mainClass)) return true;
  mainClass.lpfnWndProc = procedure;
  mainClass.hInstance = instance;
  mainClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ProgramIcon), IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  mainClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ProgramIcon), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  mainClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  mainClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  mainClass.lpszClassName = MainClassName;
  return RegisterClassExW(&mainClass) != 0;
}

}  // namespace

MainWindow::MainWindow(MainWindowOptions options)
    : WindowBase(settings_, language_, MainWindowTable(), options.Dialogs.Messages),
      options_(std::move(options)),
      folders_(Choose(options_.Dialogs.Folders, systemFolders_)),
      files_(Choose(options_.Dialogs.Files, systemFiles_)),
      shell_(Choose(options_.Dialogs.Shell, systemShell_)),
      controller_(settings_, language_, profile_,
                  WizardServices{folders_, commonDialog_, Messages(),
                                 options_.CommanderSources.value_or(SystemCommanderFolderSources())}) {
  AddLink({main_ids::Link, build_info::ToolsPage, RGB(0, 0, 192)}, shell_);
}

MainWindow::~MainWindow() {
  // Before the fonts and the image list go: no control is left that draws with them.
  if (Handle()) DestroyWindow(Handle());
}

bool MainWindow::Create() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterMainClass(instance, WindowProc)) return false;
  const std::wstring caption = WideFromUtf8(std::string{build_info::ProductName} + " " + VersionText());
  // Given at creation, the menu bar costs no second layout of the frame; from then on the window
  // owns it and destroys it with itself.
  UniqueMenu menus{CreateMenuBar(Table())};
  if (!menus) return false;
  // WS_EX_ACCEPTFILES is all that DragAcceptFiles sets: dropped files are taken without loading
  // the shell library at start.
  if (!CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES, MainClassName, caption.c_str(),
                       WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menus.get(), instance,
                       static_cast<WindowBase*>(this)))
    return false;
  menus.release();  // the window's own now
  if (systemFiles_) systemFiles_->SetOwner(HandleValue(Handle()));
  controller_.SetOwnerWindow(HandleValue(Handle()));
  controller_.SetBeforeDialog([this] {
    Render();
    UpdateWindow(barButtons_.Window());
  });
  commonDialog_.Setup(files_, "");

  SetAppFolder(settings_, options_.AppFolder.empty() ? ExecutableFolder() : options_.AppFolder);
  const SettingsNotice notice = LoadSettings(settings_, profile_);
  controller_.Start(notice);
  if (!CreateControls()) return false;
  Caption();
  const HWND list = Control(ids::Combo1);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);  // the list's scroll range is worked out once, not per choice
  for (const int count : WizardController::BarCounts()) {
    // Each entry carries its count: the list hands counts to the wizard, never positions.
    const auto entry = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(count).c_str()));
    SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(entry), count);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  PlaceAtStart();
  Render();
  return true;
}

void MainWindow::Show(int showCommand) {
  ShowWindow(Handle(), showCommand);
  UpdateWindow(Handle());
}

std::optional<LRESULT> MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_ACTIVATE:
      OnActivate(wParam);
      return 0;
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) OnSize();
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(IdOf(controller_.View().DefaultButton), DC_HASDEFID);
    case CreateProgressMessage:
      OnCreateProgress();
      return 0;
    case CreateDoneMessage:
      OnCreateDone();
      return 0;
    case WM_QUERYENDSESSION:
      // Under Wine's own desktop a window manager's close (Alt+F4 included) ends the session: it
      // is a close like any other, which waits while the set is being written.
      return controller_.CloseRequested() ? TRUE : FALSE;
    case WM_ENDSESSION:
      if (!wParam) return 0;  // not ended after all; a close asked for waits for the set
      // Ended anyway: the set is made whole first (OnDestroy), the position stored, and the
      // program ends on its own rather than being ended.
      DestroyWindow(Handle());
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != SC_CLOSE) return std::nullopt;
      RequestClose();
      return 0;
    case WM_CLOSE:
      RequestClose();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return std::nullopt;
  }
}

void MainWindow::OnCommand(int id, int code, HWND control) {
  if (code == BN_SETFOCUS || code == BN_KILLFOCUS) {
    if (const std::optional<WizardControl> button = WizardControlOf(id)) {
      controller_.ButtonFocused(*button, code == BN_SETFOCUS);
      ShowDefaultButton();
    }
    return;
  }
  // While a Create runs nothing of the wizard is usable; a close waits for it.
  if (controller_.View().Busy && id != ids::MenuFileExit) return;
  switch (id) {
    case ids::Combo1:
      if (code != CBN_SELCHANGE) return;
      controller_.PickBarCount(
          static_cast<int>(SendMessageW(control, CB_GETITEMDATA, SendMessageW(control, CB_GETCURSEL, 0, 0), 0)));
      ApplyBarCount();
      break;
    case ids::SaveIn:
      // Only what the user typed or pasted: the text the window set itself (which clears the
      // box's modified mark) is the wizard's already.
      if (code != EN_CHANGE || !SendMessageW(control, EM_GETMODIFY, 0, 0)) return;
      controller_.FolderTextChanged(WindowText(control));
      break;
    case ids::BrowseFolder:
      controller_.BrowseForFolder();
      break;
    case ids::KeepButtons:
      if (code != BN_CLICKED) return;
      controller_.SetKeepButtons(!controller_.View().KeepButtonsChecked);
      break;
    case ids::Back:
      controller_.Back();
      break;
    case ids::Next:
      controller_.Next();
      break;
    case ids::Create:
      OnCreate();
      break;
    case ids::MenuFileOptions:
      OnOptions();
      break;
    case ids::InstallButton:
    case ids::MenuFileInstall:
      if (code == BN_CLICKED) OnInstall();  // a menu command's code is 0, as BN_CLICKED
      break;
    case ids::MenuFileExit:
      RequestClose();
      return;
    case ids::MenuHelpTopics:
      ShowReadme(HandleValue(Handle()), settings_.AppFolder, language_, shell_, Messages());
      return;
    case ids::MenuHelpAbout:
      AboutBox{settings_, language_, shell_, Messages()}.Run(Handle());
      return;
    default:
      if (id <= ids::BarButton0 || id > ids::BarButton0 + MaxBarCount) return;
      OnBarClicked(id - ids::BarButton0);
      break;
  }
  Render();
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
  if (header.code == NM_TOOLTIPSCREATED && header.idFrom == ids::Toolbar) {
    BarButtons::TipsCreated(reinterpret_cast<const NMTOOLTIPSCREATED&>(header).hwndToolTips, Dpi());
    return 0;
  }
  if (header.code != TTN_GETDISPINFOW) return 0;
  const int bar = static_cast<int>(header.idFrom) - ids::BarButton0;
  auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
  tooltip_ = barButtons_.Name(bar);
  info.lpszText = tooltip_.data();
  if (RightToLeft()) info.uFlags |= TTF_RTLREADING;
  return 0;
}

void MainWindow::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    focusBeforeDeactivation_ = focus && IsChild(Handle(), focus) ? focus : nullptr;
    return;
  }
  const std::optional<WizardControl> first = controller_.Activated();
  Render();  // what Step 3 says of the folder's bars, looked up again
  if (first) {
    SetFocus(Control(IdOf(*first)));
    return;
  }
  // Back from a dialog or another program: the keyboard returns to where it was.
  if (focusBeforeDeactivation_ && IsWindow(focusBeforeDeactivation_)) SetFocus(focusBeforeDeactivation_);
  KeepFocusUsable();
  ShowFocusCues();
}

void MainWindow::OnGetMinMaxInfo(MINMAXINFO& limits) const {
  if (!Handle() || IsIconic(Handle())) return;
  const int dpi = Dpi();
  const int height = FixedWindowHeight(dpi, NonClientHeight());
  limits.ptMinTrackSize.x = std::min(MinimumWindowWidth(dpi), WorkArea().Width());
  limits.ptMinTrackSize.y = height;
  limits.ptMaxTrackSize.y = height;
}

void MainWindow::OnSize() {
  if (!Handle() || IsIconic(Handle()) || IsZoomed(Handle())) return;
  SendMessageW(barButtons_.Window(), TB_AUTOSIZE, 0, 0);
  // The same rules hold for a size the program sets as for one the user drags.
  RECT rect{};
  GetWindowRect(Handle(), &rect);
  const SIZE size = FittedSize(rect.right - rect.left);
  if (size.cx != rect.right - rect.left || size.cy != rect.bottom - rect.top) {
    SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;  // placed again in the WM_SIZE of that change
  }
  PlaceFrames(Dpi(), false);  // the frames follow the window's width
}

SIZE MainWindow::FittedSize(int width) const {
  const int dpi = Dpi();
  // Never narrower than the frames need, unless the work area is narrower still.
  return {std::max(width, std::min(MinimumWindowWidth(dpi), WorkArea().Width())),
          FixedWindowHeight(dpi, NonClientHeight())};
}

void MainWindow::OnContextMenu(HWND source, POINT screen) {
  if (source != barButtons_.Window()) return;
  const bool fromKeyboard = screen.x == -1 && screen.y == -1;
  POINT client = screen;
  ScreenToClient(source, &client);
  const std::optional<int> bar =
      controller_.ContextMenuBar(fromKeyboard ? barButtons_.HotBar() : barButtons_.BarAt(client), fromKeyboard);
  if (!bar) return;
  if (fromKeyboard) {
    // Below the button whose import it removes.
    RECT button{};
    SendMessageW(source, TB_GETITEMRECT, static_cast<WPARAM>(*bar - 1), reinterpret_cast<LPARAM>(&button));
    screen = {button.left, button.bottom};
    ClientToScreen(source, &screen);
  }
  const UniqueMenu menu{CreatePopupMenu()};
  if (!menu) return;
  const std::wstring text = WideFromUtf8(language_.Text(TextId::RemoveImport));
  AppendMenuW(menu.get(), MF_STRING | (RightToLeft() ? MF_RIGHTJUSTIFY : 0), ids::RemoveImport, text.c_str());
  const UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | (RightToLeft() ? TPM_LAYOUTRTL : 0);
  const int chosen = TrackPopupMenu(menu.get(), flags, screen.x, screen.y, 0, Handle(), nullptr);
  if (chosen != ids::RemoveImport) return;
  controller_.RemoveImport(*bar);
  Render();
}

void MainWindow::OnCreate() {
  std::optional<CreateJob> job = controller_.BeginCreate();
  if (!job) return;
  EnableMenus(false);
  EnsureProgressBar();
  const HWND window = Handle();
  try {
    run_.Start(std::move(*job), [window](bool finished) {
      PostMessageW(window, finished ? CreateDoneMessage : CreateProgressMessage, 0, 0);
    });
  } catch (const std::exception& error) {
    // No thread for the run (the system is out of resources): the wizard must not stay busy.
    EnableMenus(true);
    if (controller_.FinishCreate(FailedCreate(error.what()))) DestroyWindow(Handle());
  }
}

void MainWindow::OnCreateProgress() { progress_.Show(run_.Figures()); }

void MainWindow::OnCreateDone() {
  if (!run_.Running()) return;
  const CreateResult result = run_.Finish();
  progress_.Show(run_.Figures());
  EnableMenus(true);
  const bool closeWaiting = controller_.FinishCreate(result);  // the report, while the window waits
  Render();
  if (closeWaiting) DestroyWindow(Handle());
}

void MainWindow::EnableMenus(bool enabled) {
  const HMENU menus = GetMenu(Handle());
  for (int menu = 0, count = GetMenuItemCount(menus); menu < count; ++menu)
    EnableMenuItem(menus, static_cast<UINT>(menu), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
  DrawMenuBar(Handle());
}

void MainWindow::RequestClose() {
  if (controller_.CloseRequested()) DestroyWindow(Handle());
}

void MainWindow::OnDestroy() {
  // Destroyed from outside during a Create: the set is made whole first.
  if (run_.Running()) run_.Finish();
  StorePosition();
  if (options_.QuitOnClose) PostQuitMessage(0);
}

void MainWindow::OnOptions() {
  // Owned by the main window, which stays disabled while it is open: a second Options or a
  // Create meanwhile would work on settings the dialog is about to replace.
  OptionsDialog options{settings_, language_, profile_, options_.Dialogs.Messages};
  if (options.Run(Handle()) != IDOK) return;
  if (options.LanguageChanged()) Caption();
  controller_.Refresh();  // the prefix or the language of Step 3's check box
}

void MainWindow::OnInstall() {
  if (!controller_.View().InstallOffered) return;
  InstallDialog install{settings_, language_, controller_.CreatedBarFile(),
                        {options_.Dialogs.Files, options_.Dialogs.Messages, controller_.CommanderSources(),
                         options_.CommanderRunning}};
  install.Run(Handle());
}

int MainWindow::NonClientHeight() const {
  RECT outer{};
  RECT inner{};
  GetWindowRect(Handle(), &outer);
  GetClientRect(Handle(), &inner);
  return (outer.bottom - outer.top) - (inner.bottom - inner.top);
}

}  // namespace barloom
