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
#include "localisation/language.h"
#include "platform/file_bytes.h"
#include "platform/file_open_dialog.h"
#include "platform/folder_picker.h"
#include "platform/message_box.h"
#include "platform/ascii_text.h"
#include "platform/path_text.h"
#include "settings/settings_file.h"

namespace barloom {
namespace {

constexpr int BarFileFilter = 1;
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
         control == WizardControl::BrowseFolder || control == WizardControl::Install;
}

}  // namespace

WizardController::WizardController(Settings& settings, const Language& language, const cProfile& profile,
                                   WizardServices services)
    : settings_(settings), language_(language), profile_(profile), services_(std::move(services)) {}

void WizardController::Start(SettingsNotice notice) {
  settingsNotice_ = notice;
  const StartChoices start = DefaultChoices(settings_);
  state_ = start.Choices;
  folderBoxText_ = start.FolderBoxText;
  focusedButton_ = WizardControl::Next;
  PickBarCount(StartBarCount());
  state_.ImportClicksLive = true;
  nextEnabled_ = true;
  linkFrameVisible_ = false;
  barButtonsEnabled_ = true;
  state_.SetCreated = false;
}

int WizardController::StartBarCount() const {
  // Bar 1's commands may be folded under Total Commander's folder, which is looked up only when
  // there is a bar 1 to read: most starts have none and ask the registry nothing.
  if (state_.SaveFolder.empty() ||
      !FileExists(AddBackslash(state_.SaveFolder) + BarFileName(settings_.BarFilePrefix, 1)))
    return MinBarCount;
  return SetSizeInFolder(state_.SaveFolder, settings_.BarFilePrefix, CommanderFolder(services_.CommanderSources))
      .value_or(MinBarCount);
}

std::optional<WizardControl> WizardController::Activated() {
  Refresh();
  if (activated_) return std::nullopt;
  activated_ = true;
  commanderFolder_ = CommanderFolder(services_.CommanderSources);
  if (settingsNotice_ != SettingsNotice::None) {
    const TextId text =
        settingsNotice_ == SettingsNotice::MovedToProfile ? TextId::SettingsInProfile : TextId::SettingsNotKept;
    services_.Messages.Show(JoinLines({language_.Text(text), settings_.SettingsFile}), build_info::ProductName,
                            MessageIcon::Information);
    settingsNotice_ = SettingsNotice::None;
  }
  return WizardControl::BarCountList;
}

std::vector<int> WizardController::BarCounts() {
  std::vector<int> counts;
  for (int count = MinBarCount; count <= MaxBarCount; ++count) counts.push_back(count);
  return counts;
}

void WizardController::PickBarCount(int count) {
  if (!EditingAllowed() || !IsBarCount(count)) return;
  state_.BarCount = static_cast<std::int16_t>(count);
  // A new count marks its last button, as a press on it would, without asking for a file.
  if (BarButtonsLive()) markedBar_ = count;
  state_.SetCreated = false;
}

void WizardController::ClickBar(int bar) {
  if (!BarButtonsLive() || !IsBar(bar)) return;
  markedBar_ = bar;
  if (!AtLastStep() || !state_.ImportClicksLive) return;
  // Total Commander's folder holds the bars a user has; after the first pick the dialog
  // remembers the folder the user went to.
  const std::string startFolder = importPicked_ ? std::string{} : commanderFolder_.value_or(std::string{});
  if (beforeDialog_) beforeDialog_();
  const std::optional<std::string> file = services_.FileDialog.BrowseForOpen(startFolder, "", BarFileFilter, "", false);
  if (!file) return;
  importPicked_ = true;  // the dialog went to its folder, whatever the file holds
  // A file that brings no buttons is named at once; the bar keeps what it had.
  if (const std::string refusal = ImportFileRefusal(*file, language_.Current()); !refusal.empty()) {
    services_.Messages.Show(refusal, build_info::ProductName, MessageIcon::Error);
    return;
  }
  state_.ImportFiles[bar] = *file;
  importPicked_ = true;
  state_.SetCreated = false;
}

void WizardController::DropFiles(int bar, std::span<const DroppedFile> files) {
  if (!AtLastStep() || !BarButtonsLive() || !IsBar(bar) || files.empty()) return;
  std::vector<std::string> bars;
  std::vector<std::string> refused;
  for (const DroppedFile& file : files) (file.IsFolder || !IsBarFileName(file.Path) ? refused : bars).push_back(file.Path);
  std::stable_sort(bars.begin(), bars.end(), ByName);
  std::vector<std::string> beyond;
  std::string refusals;  // the files that bring no buttons, each named with why
  for (const std::string& file : bars) {
    if (!IsBar(bar)) {
      beyond.push_back(file);
      continue;
    }
    if (const std::string refusal = ImportFileRefusal(file, language_.Current()); !refusal.empty()) {
      refusals += (refusals.empty() ? "" : "\n\n") + refusal;
      continue;
    }
    state_.ImportFiles[bar] = file;
    markedBar_ = bar++;
    importPicked_ = true;
    state_.SetCreated = false;
  }
  std::string message;
  for (const auto& [text, names] :
       {std::pair{TextId::NotBarFiles, &refused}, std::pair{TextId::BeyondLastBar, &beyond}}) {
    if (names->empty()) continue;
    if (!message.empty()) message += "\n\n";
    message += language_.Text(text);
    for (const std::string& name : *names) message += "\n" + name;
  }
  if (!refusals.empty()) message += (message.empty() ? "" : "\n\n") + refusals;
  if (!message.empty()) services_.Messages.Show(message, build_info::ProductName, MessageIcon::Error);
}

bool WizardController::CanRemoveImport(int bar) const {
  return AtLastStep() && BarButtonsLive() && IsBar(bar) && !state_.ImportFiles[bar].empty();
}

void WizardController::RemoveImport(int bar) {
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
  if (!EditingAllowed() || state_.CurrentStep != WizardStep::SaveFolder) return;
  const std::string folder = services_.Folders.BrowseFolder(folderBoxText_, ownerWindow_, folderBoxText_);
  if (folder.empty()) return;
  folderBoxText_ = folder;
  SaveFolderChanged();
  nextEnabled_ = true;
}

void WizardController::FolderTextChanged(std::string_view text) {
  if (!EditingAllowed() || text == folderBoxText_) return;
  folderBoxText_ = text;
  SaveFolderChanged();
  // Emptied, the box leaves Next as it is; filled, it opens the way that an empty box closed.
  if (state_.CurrentStep == WizardStep::SaveFolder && !text.empty()) nextEnabled_ = true;
}

void WizardController::SaveFolderChanged() {
  // The folder the box shows is the folder Create writes into. Its bars are other bars: whether
  // to keep their buttons is asked afresh.
  state_.SaveFolder = SaveFolderFor(folderBoxText_, settings_.AppFolder);
  state_.KeepButtons = false;
  state_.SetCreated = false;
}

void WizardController::SetKeepButtons(bool keep) {
  if (!EditingAllowed() || !AtLastStep() || linkFrameVisible_ || barsFound_ == 0 || keep == state_.KeepButtons)
    return;
  state_.KeepButtons = keep;
  state_.SetCreated = false;
}

void WizardController::Refresh() {
  if (!AtLastStep() || !EditingAllowed()) return;
  barsFound_ = static_cast<int>(BarsInFolder(state_.SaveFolder, settings_.BarFilePrefix).size());
  // Nothing left to keep: the choice goes with the check box.
  if (barsFound_ == 0) state_.KeepButtons = false;
  keepButtonsCaption_ = barsFound_ > 0 ? KeepButtonsCaption(language_.Current(), barsFound_) : std::string{};
}

void WizardController::Next() {
  if (!EditingAllowed() || !nextEnabled_ || AtLastStep()) return;
  state_.CurrentStep = static_cast<WizardStep>(static_cast<int>(state_.CurrentStep) + 1);
  if (AtLastStep()) {
    nextEnabled_ = false;
    Refresh();
  }
  // The only test of the folder box: the way on to Step 3 needs some folder.
  if (state_.CurrentStep == WizardStep::SaveFolder && folderBoxText_.empty()) nextEnabled_ = false;
}

void WizardController::Back() {
  if (!EditingAllowed() || state_.CurrentStep == WizardStep::BarCount) return;
  state_.CurrentStep = static_cast<WizardStep>(static_cast<int>(state_.CurrentStep) - 1);
  linkFrameVisible_ = false;
  barButtonsEnabled_ = true;
  nextEnabled_ = true;
}

void WizardController::Create(ProgressDisplay& progress) {
  if (const std::optional<CreateJob> job = BeginCreate())
    FinishCreate(
        CreateBarSet(job->Choices, job->ProgramSettings, job->Texts, job->CommanderFolder, progress, job->Sources));
}

std::optional<CreateJob> WizardController::BeginCreate() {
  if (!View().CreateEnabled) return std::nullopt;
  // Bars that point to pictures that are not there show bare buttons in Total Commander: the user
  // decides before anything is written.
  const std::string missing =
      MissingIconsReport(MissingSetIcons(settings_.AppFolder, state_.BarCount), language_.Current());
  if (!missing.empty()) {
    if (beforeDialog_) beforeDialog_();
    if (!services_.Messages.Ask(missing + "\n\n" + language_.Text(TextId::CreateAnyway), build_info::ProductName))
      return std::nullopt;
  }

  if (!AskedOwnButtons()) return std::nullopt;
  busy_ = true;
  return CreateJob{state_, settings_, language_.Current(), commanderFolder_, services_.CommanderSources};
}

bool WizardController::AskedOwnButtons() {
  const std::vector<OwnButtonsOnBar> atStake = OwnButtonsToDrop(state_, settings_, commanderFolder_);
  if (atStake.empty()) return true;
  enum Answer : std::size_t { Keep, Drop, Cancel };
  const std::string answers[] = {language_.Text(TextId::KeepThem), language_.Text(TextId::DropThem),
                                 language_.Text(TextId::Cancel)};
  if (beforeDialog_) beforeDialog_();
  const std::optional<std::size_t> answer =
      services_.Messages.Choose(OwnButtonsQuestion(atStake, language_.Current()), build_info::ProductName, answers);
  if (answer == Keep) state_.KeepButtons = true;  // as if the check box had been checked
  return answer == Keep || answer == Drop;
}

bool WizardController::FinishCreate(const CreateResult& result) {
  if (EditingAllowed()) return false;  // no Create was running
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
  if (EditingAllowed()) return true;
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
  const bool editable = EditingAllowed();
  view.ShownFrame = linkFrameVisible_ ? LinkFrame : static_cast<int>(state_.CurrentStep);
  view.Busy = !editable;
  view.BackEnabled = state_.CurrentStep != WizardStep::BarCount && editable;
  view.NextEnabled = nextEnabled_ && editable;
  view.CreateEnabled = AtLastStep() && !state_.SetCreated && editable;
  view.BarButtonsEnabled = BarButtonsLive();
  view.BarCount = state_.BarCount;
  view.MarkedBar = markedBar_;
  for (int bar = 1; bar <= state_.BarCount; ++bar)
    view.Imported[static_cast<std::size_t>(bar)] = !state_.ImportFiles[bar].empty();
  view.BarClickAsksForFile = AtLastStep() && BarButtonsLive();
  view.FolderBoxText = folderBoxText_;
  view.KeepButtonsShown = AtLastStep() && !linkFrameVisible_ && barsFound_ > 0;
  view.KeepButtonsChecked = view.KeepButtonsShown && state_.KeepButtons;
  view.KeepButtonsEnabled = view.KeepButtonsShown && editable;
  view.KeepButtonsCaption = view.KeepButtonsShown ? keepButtonsCaption_ : std::string{};
  view.InstallOffered = linkFrameVisible_ && editable;
  view.DefaultButton = focusedButton_;
  // The way on: after a Create that is making the set Total Commander's bar; otherwise the buttons
  // in the order of the Tab key (Back is enabled whenever Next is not).
  view.FocusTarget = view.InstallOffered  ? WizardControl::Install
                     : view.NextEnabled   ? WizardControl::Next
                     : view.CreateEnabled ? WizardControl::Create
                                          : WizardControl::Back;
  return view;
}

std::vector<std::string> WizardController::BarButtonNames() const {
  const LoadedLanguage& language = language_.Current();
  const std::string barText = GetText(TextId::BarName, language);
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
  return names;
}

const std::string& WizardController::ImportFile(int bar) const {
  static const std::string none;
  return IsBar(bar) ? state_.ImportFiles[bar] : none;
}

}  // namespace barloom
