#include "ui/wizard_controller.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "build_info.h"
#include "core/create_bar_set.h"
#include "core/create_report.h"
#include "core/set_files.h"
#include "localisation/get_text.h"
#include "localisation/language_file.h"
#include "platform/file_open_dialog.h"
#include "platform/folder_picker.h"
#include "platform/message_box.h"
#include "platform/ascii_text.h"
#include "platform/not_found_marker.h"
#include "platform/path_text.h"
#include "settings/settings_file.h"

namespace barloom {
namespace {

constexpr int BarFileFilter = 1;
constexpr int BarNameText = 770;
constexpr int NotBarFilesText = 772;
constexpr int BeyondLastBarText = 773;
constexpr int SettingsInProfileText = 850;
constexpr int SettingsNotKeptText = 851;
constexpr std::string_view BarFileExtension = ".bar";

bool IsBarFileName(std::string_view path) {
  const std::string name = GetFileName(path);
  if (name.size() <= BarFileExtension.size()) return false;
  const std::string_view tail = std::string_view(name).substr(name.size() - BarFileExtension.size());
  for (std::size_t i = 0; i < tail.size(); ++i)
    if (AsciiLower(tail[i]) != BarFileExtension[i]) return false;
  return true;
}

// The order of names as a person reads a folder: without regard to letter case.
bool ByName(const std::string& a, const std::string& b) {
  const std::string nameA = GetFileName(a);
  const std::string nameB = GetFileName(b);
  return std::lexicographical_compare(nameA.begin(), nameA.end(), nameB.begin(), nameB.end(),
                                      [](char x, char y) { return AsciiLower(x) < AsciiLower(y); });
}  // .bar files first, all files second

bool IsPushButton(WizardControl control) {
  return control == WizardControl::Back || control == WizardControl::Next || control == WizardControl::Create ||
         control == WizardControl::BrowseFolder;
}

}  // namespace

WizardController::WizardController(Settings& settings, const cProfile& profile, WizardServices services)
    : settings_(settings), profile_(profile), services_(std::move(services)) {}

void WizardController::Start(SettingsNotice notice) {
  settingsNotice_ = notice;
  const StartChoices start = DefaultChoices(settings_);
  state_ = start.Choices;
  folderBoxText_ = start.FolderBoxText;
  focusedButton_ = WizardControl::Next;
  PickBarCount(0);
  nextEnabled_ = true;
  linkFrameVisible_ = false;
  barButtonsEnabled_ = true;
  state_.SetCreated = false;
}

std::optional<WizardControl> WizardController::Activated() {
  Refresh();
  if (activated_) return std::nullopt;
  activated_ = true;
  commanderFolder_ = CommanderFolder(services_.CommanderSources);
  if (settingsNotice_ != SettingsNotice::None) {
    const int text = settingsNotice_ == SettingsNotice::MovedToProfile ? SettingsInProfileText : SettingsNotKeptText;
    services_.Messages.Show(JoinLines({GetText(text, settings_), settings_.SettingsFile}), build_info::ProductName,
                            MessageIcon::Information);
    settingsNotice_ = SettingsNotice::None;
  }
  return WizardControl::BarCountList;
}

std::vector<std::string> WizardController::BarCountChoices() {
  std::vector<std::string> choices;
  for (int count = MinBarCount; count <= MaxBarCount; ++count) choices.push_back(std::to_string(count));
  return choices;
}

void WizardController::PickBarCount(int choice) {
  if (busy_) return;
  const int count = MinBarCount + choice;
  if (count < MinBarCount || count > MaxBarCount) return;
  state_.BarCount = static_cast<std::int16_t>(count);
  // The press on the last button that comes with a new count only marks it.
  state_.ImportClicksLive = false;
  ClickBar(count);
  state_.ImportClicksLive = true;
  state_.SetCreated = false;
}

void WizardController::ClickBar(int bar) {
  if (!IsBar(bar) || !barButtonsEnabled_ || busy_) return;
  markedBar_ = bar;
  if (!AtLastStep() || !state_.ImportClicksLive) return;
  // Total Commander's folder holds the bars a user has; after the first pick the dialog
  // remembers the folder the user went to.
  const std::string startFolder = importPicked_ ? std::string{} : commanderFolder_.value_or(std::string{});
  if (beforeDialog_) beforeDialog_();
  const std::string file = services_.FileDialog.BrowseForOpen(startFolder, "", BarFileFilter, "", false);
  if (file == NotFoundMarker) return;
  state_.ImportFiles[bar] = file;
  importPicked_ = true;
  state_.SetCreated = false;
}

void WizardController::DropFiles(int bar, std::span<const DroppedFile> files) {
  if (!AtLastStep() || !barButtonsEnabled_ || busy_ || !IsBar(bar) || files.empty()) return;
  std::vector<std::string> bars;
  std::vector<std::string> refused;
  for (const DroppedFile& file : files) (file.IsFolder || !IsBarFileName(file.Path) ? refused : bars).push_back(file.Path);
  std::stable_sort(bars.begin(), bars.end(), ByName);
  std::vector<std::string> beyond;
  for (const std::string& file : bars) {
    if (!IsBar(bar)) {
      beyond.push_back(file);
      continue;
    }
    state_.ImportFiles[bar] = file;
    markedBar_ = bar++;
    importPicked_ = true;
    state_.SetCreated = false;
  }
  std::string message;
  for (const auto& [text, names] : {std::pair{NotBarFilesText, &refused}, std::pair{BeyondLastBarText, &beyond}}) {
    if (names->empty()) continue;
    if (!message.empty()) message += "\n\n";
    message += GetText(text, settings_);
    for (const std::string& name : *names) message += "\n" + name;
  }
  if (!message.empty()) services_.Messages.Show(message, build_info::ProductName, MessageIcon::Error);
}

bool WizardController::CanRemoveImport(int bar) const {
  return AtLastStep() && barButtonsEnabled_ && !busy_ && IsBar(bar) && !state_.ImportFiles[bar].empty();
}

void WizardController::RemoveImport(int bar) {
  if (busy_) return;
  if (!CanRemoveImport(bar)) return;
  state_.ImportFiles[bar].clear();
  state_.SetCreated = false;
}

std::optional<int> WizardController::ContextMenuBar(int bar, bool fromKeyboard) const {
  if (fromKeyboard && bar == 0) bar = markedBar_;
  if (!CanRemoveImport(bar)) return std::nullopt;
  return bar;
}

void WizardController::BrowseForFolder() {
  if (busy_) return;
  if (state_.CurrentStep != 1) return;
  const std::string folder = services_.Folders.BrowseFolder(folderBoxText_, ownerWindow_, folderBoxText_);
  if (folder.empty()) return;
  folderBoxText_ = folder;
  SaveFolderChanged();
  nextEnabled_ = true;
}

void WizardController::FolderTextChanged(std::string_view text) {
  if (busy_ || text == folderBoxText_) return;
  folderBoxText_ = text;
  SaveFolderChanged();
  // Emptied, the box leaves Next as it is; filled, it opens the way that an empty box closed.
  if (state_.CurrentStep == 1 && !text.empty()) nextEnabled_ = true;
}

void WizardController::SaveFolderChanged() {
  // The folder the box shows is the folder Create writes into. Its bars are other bars: whether
  // to keep their buttons is asked afresh.
  state_.SaveFolder = SaveFolderFor(folderBoxText_, settings_.AppFolder);
  state_.KeepButtons = false;
  state_.SetCreated = false;
}

void WizardController::SetKeepButtons(bool keep) {
  if (busy_ || !AtLastStep() || linkFrameVisible_ || barsFound_ == 0 || keep == state_.KeepButtons) return;
  state_.KeepButtons = keep;
  state_.SetCreated = false;
}

void WizardController::Refresh() {
  // Files may have changed outside: a language file, a bar an import names.
  barNamesSource_.reset();
  if (!AtLastStep() || busy_) return;
  barsFound_ = static_cast<int>(BarsInFolder(state_.SaveFolder, settings_.BarFilePrefix).size());
  // Nothing left to keep: the choice goes with the check box.
  if (barsFound_ == 0) state_.KeepButtons = false;
  keepButtonsCaption_ = barsFound_ > 0 ? KeepButtonsCaption(LoadedLanguage{settings_}, barsFound_) : std::string{};
}

void WizardController::Next() {
  if (busy_) return;
  if (!nextEnabled_ || AtLastStep()) return;
  ++state_.CurrentStep;
  if (AtLastStep()) {
    nextEnabled_ = false;
    Refresh();
  }
  // The only test of the folder box: the way on to Step 3 needs some folder.
  if (state_.CurrentStep == 1 && folderBoxText_.empty()) nextEnabled_ = false;
}

void WizardController::Back() {
  if (busy_) return;
  if (state_.CurrentStep == 0) return;
  --state_.CurrentStep;
  linkFrameVisible_ = false;
  barButtonsEnabled_ = true;
  nextEnabled_ = true;
}

void WizardController::Create(ProgressDisplay& progress) {
  if (const std::optional<CreateJob> job = BeginCreate())
    FinishCreate(CreateBarSet(job->Choices, job->ProgramSettings, job->CommanderFolder, progress, job->Sources));
}

std::optional<CreateJob> WizardController::BeginCreate() {
  if (!View().CreateEnabled) return std::nullopt;
  busy_ = true;
  return CreateJob{state_, settings_, commanderFolder_, services_.CommanderSources};
}

bool WizardController::FinishCreate(const CreateResult& result) {
  if (!busy_) return false;
  busy_ = false;
  if (result.Build.Error) {
    services_.Messages.Show(result.Report.MessageText(), build_info::ProductName, MessageIcon::Error);
  } else {
    StoreLastPath(settings_, folderBoxText_, profile_);
    services_.Messages.Show(result.Report.MessageText(), build_info::ProductName, MessageIcon::Information);
    state_.SetCreated = true;
    createdBar_ = result.Build.Paths.BarFiles[1];
    linkFrameVisible_ = true;
    barButtonsEnabled_ = false;
  }
  return std::exchange(closeWaiting_, false);
}

bool WizardController::CloseRequested() {
  if (!busy_) return true;
  closeWaiting_ = true;
  return false;
}

void WizardController::ButtonFocused(WizardControl button, bool focused) {
  if (!IsPushButton(button)) return;
  // As in a dialog: the push button with the keyboard is the one Enter presses, else Next.
  focusedButton_ = focused ? button : WizardControl::Next;
}

PixelRect WizardController::StartPlace(int width, int height, std::span<const PixelRect> screens,
                                       int systemDpi) const {
  // Positions are stored in twips of the system's scale, the scale they were measured in.
  const int left = TwipsToPixels(static_cast<int>(std::lround(settings_.WindowLeft)), systemDpi);
  const int top = TwipsToPixels(static_cast<int>(std::lround(settings_.WindowTop)), systemDpi);
  return PullOntoScreen({left, top, left + width, top + height}, screens, systemDpi);
}

void WizardController::StorePlace(const PixelRect& place, bool normalState, int systemDpi) {
  if (!normalState) return;
  StoreWindowPosition(settings_, PixelsToTwips(place.Top, systemDpi), PixelsToTwips(place.Left, systemDpi), profile_);
}

WizardView WizardController::View() const {
  WizardView view;
  view.ShownFrame = linkFrameVisible_ ? LinkFrame : state_.CurrentStep;
  view.Busy = busy_;
  view.BackEnabled = state_.CurrentStep > 0 && !busy_;
  view.NextEnabled = nextEnabled_ && !busy_;
  view.CreateEnabled = AtLastStep() && !state_.SetCreated && !busy_;
  view.BarButtonsEnabled = barButtonsEnabled_ && !busy_;
  view.BarCount = state_.BarCount;
  view.MarkedBar = markedBar_;
  view.BarClickAsksForFile = AtLastStep() && barButtonsEnabled_ && !busy_;
  view.BarCountChoice = state_.BarCount - MinBarCount;
  view.FolderBoxText = folderBoxText_;
  view.KeepButtonsShown = AtLastStep() && !linkFrameVisible_ && barsFound_ > 0;
  view.KeepButtonsChecked = view.KeepButtonsShown && state_.KeepButtons;
  view.KeepButtonsEnabled = view.KeepButtonsShown && !busy_;
  view.KeepButtonsCaption = view.KeepButtonsShown ? keepButtonsCaption_ : std::string{};
  view.InstallOffered = linkFrameVisible_ && !busy_;
  view.DefaultButton = focusedButton_;
  // The buttons in the order of the Tab key; Back is enabled whenever Next is not.
  view.FocusTarget = view.NextEnabled     ? WizardControl::Next
                     : view.CreateEnabled ? WizardControl::Create
                                          : WizardControl::Back;
  return view;
}

const std::vector<std::string>& WizardController::BarButtonNames() const {
  BarNamesSource source{state_.BarCount,           state_.ImportFiles,        state_.SaveFolder,
                        settings_.BarFilePrefix,   settings_.LanguageFile,    settings_.UseDefaultLanguage,
                        settings_.FontScript};
  if (source == barNamesSource_) return barNames_;
  const LoadedLanguage language(settings_);
  const std::string barText = GetText(BarNameText, language);
  std::vector<std::string> names;
  for (int bar = 1; bar <= state_.BarCount; ++bar) {
    std::string name = barText + " " + std::to_string(bar);
    const std::string& file = state_.ImportFiles[bar];
    if (!file.empty()) {
      name += "\n" + file;
      const std::string note = ReplacedImportNote(file, state_, settings_.BarFilePrefix, language);
      if (!note.empty()) name += "\n" + note;
    }
    names.push_back(std::move(name));
  }
  barNames_ = std::move(names);
  barNamesSource_ = std::move(source);
  return barNames_;
}

const std::string& WizardController::ImportFile(int bar) const {
  static const std::string none;
  return IsBar(bar) ? state_.ImportFiles[bar] : none;
}

}  // namespace barloom
