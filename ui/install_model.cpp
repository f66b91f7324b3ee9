#include "ui/install_model.h"

#include <utility>

#include "build_info.h"
#include "core/install_report.h"
#include "localisation/get_text.h"
#include "localisation/language.h"
#include "platform/file_bytes.h"
#include "platform/file_open_dialog.h"
#include "platform/message_box.h"
#include "platform/path_text.h"

namespace barloom {
namespace {

// OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, as for the bars.
constexpr std::uint32_t OpenFlags = cCommonDialog::OpenFlags;

}  // namespace

InstallModel::InstallModel(const Language& language, std::string barFile, InstallServices services)
    : language_(language), barFile_(std::move(barFile)), services_(std::move(services)) {
  ini_ = FindCommanderIni(services_.Sources);
  commanderFolder_ = CommanderFolder(services_.Sources);
  Refresh();
}

void InstallModel::ChooseIni() {
  FileOpenRequest request;
  request.InitDir = ini_ ? Utf8FromPath(PathFromUtf8(ini_->File).parent_path()) : commanderFolder_.value_or("");
  request.Title = language_.Text(TextId::ChooseConfigFile);
  request.Flags = OpenFlags;
  request.Filter = language_.Text(TextId::ConfigFileFilter) + "|*.ini|All Files (*.*)|*.*";
  const std::optional<std::string> chosen = services_.Files.ShowOpen(request);
  if (!chosen) return;
  ini_ = IniLocation{*chosen, IniRule::Chosen};
  refused_.reset();
  Refresh();
}

void InstallModel::SetKind(BarKind kind) {
  if (kind == kind_) return;
  kind_ = kind;
  refused_.reset();
  Refresh();
}

void InstallModel::Refresh() {
  running_ = services_.Running && services_.Running();
  current_.reset();
  canUndo_ = false;
  if (!ini_) return;
  current_ = ReadCurrentBar(ini_->File, kind_, CommanderVariables(ini_->File, commanderFolder_, services_.Sources));
  canUndo_ = CanUndo(ini_->File);
}

void InstallModel::Retry() {
  Refresh();
  if (running_ || !refused_) return;
  Run(*std::exchange(refused_, std::nullopt));
}

void InstallModel::Install() { Run(InstallAction::Install); }

void InstallModel::Undo() { Run(InstallAction::Undo); }

void InstallModel::Run(InstallAction action) {
  Refresh();
  const InstallView view = View();
  if (running_) refused_ = action;
  if (running_ || !(action == InstallAction::Install ? view.InstallEnabled : view.UndoEnabled)) return;
  const InstallResult result =
      action == InstallAction::Install
          ? InstallBar({ini_->File, barFile_, kind_, commanderFolder_, services_.Sources, services_.Running})
          : UndoInstall(ini_->File, services_.Running);
  Refresh();
  // Total Commander started meanwhile: the dialog says so and offers Retry.
  if (result.Error && result.Error->Problem == InstallProblem::CommanderRunning) {
    running_ = true;
    refused_ = action;
    return;
  }
  const LoadedLanguage& language = language_.Current();
  services_.Messages.Show(InstallReport(result, action, language), build_info::ProductName,
                          result.Error ? MessageIcon::Error : MessageIcon::Information);
}

InstallView InstallModel::View() const {
  const LoadedLanguage& language = language_.Current();
  InstallView view;
  view.Kind = kind_;
  view.BarFile = barFile_;
  view.CommanderRunning = running_;
  if (!ini_) {
    view.HowFound = GetText(TextId::ConfigNotFound, language);
    return view;
  }
  view.IniFile = ini_->File;
  view.HowFound = IniRuleText(ini_->Rule, language);
  if (current_) {
    view.CurrentBar = CurrentBarText(*current_, language);
    view.WhereKept = PlaceRuleText(current_->Places.Bar.Rule, language);
    if (current_->Places.Bar.File != ini_->File) view.WhereKept += "\n" + current_->Places.Bar.File;
  } else {
    view.CurrentBar = GetText(FileExists(ini_->File) ? TextId::ConfigNotRead : TextId::ConfigMissing, language);
  }
  view.InstallEnabled = !running_ && current_ && FileExists(barFile_);
  view.UndoEnabled = !running_ && canUndo_;
  return view;
}

}  // namespace barloom
