#include "cli/texts_command.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <vector>

#include "cli/command.h"
#include "cli/number_option.h"
#include "localisation/builtin_texts.h"
#include "localisation/get_text.h"
#include "localisation/language_file.h"
#include "platform/file_bytes.h"
#include "settings/settings_file.h"

namespace barloom {
namespace {

void ReportFallbacks(const std::vector<int>& fallbacks, std::size_t total, std::ostream& err) {
  if (fallbacks.empty()) {
    err << "All " << total << " texts are translated.\n";
    return;
  }
  err << "Built-in text used for " << fallbacks.size() << " of " << total << " IDs:";
  const char* separator = " ";
  for (int id : fallbacks) {
    err << separator << id;
    separator = ", ";
  }
  err << '\n';
}

}  // namespace

int RunTexts(const TextsOptions& options, std::ostream& out, std::ostream& err) {
  Settings settings;
  settings.FontScript = options.FontScript;
  if (options.LanguageFile) {
    if (!FileExists(*options.LanguageFile)) {
      err << "barloom-cli texts: cannot find the language file \"" << *options.LanguageFile << "\".\n";
      return ExitFailure;
    }
    settings.UseDefaultLanguage = 0;
    settings.LanguageFile = options.LanguageFile;
  }

  // The file is read once for the whole list.
  const LoadedLanguage language(settings);
  std::vector<int> fallbacks;
  for (const BuiltInText& entry : BuiltInTexts()) {
    out << Number(entry.Id) << '\t' << GetText(entry.Id, language) << '\n';
    if (!language.Text(entry.Id)) fallbacks.push_back(Number(entry.Id));
  }
  if (!ResultWritten(out, err, "the list of texts")) return ExitFailure;

  if (!options.LanguageFile) {
    err << "No language file given: all " << BuiltInTexts().size() << " texts are built-in.\n";
  } else {
    ReportFallbacks(fallbacks, BuiltInTexts().size(), err);
  }
  return ExitSuccess;
}

void AddTextsCommand(CLI::App& app, int& exitCode) {
  CLI::App* command = app.add_subcommand(
      "texts", "Print every text ID with the text the program would show (check a language file).");
  auto options = std::make_shared<TextsOptions>();
  command->add_option("--language", options->LanguageFile, "Language file (.lng) to read; default: built-in texts")
      ->option_text("FILE");
  AddNumberOption(*command, "--font-script", options->FontScript,
                      "Font character set whose code page decodes the file (1: the ANSI code page, 177: Hebrew, ...)")
      ->option_text("N (default 1)");
  command->callback([options, &exitCode] { exitCode = RunTexts(*options, std::cout, std::cerr); });
}

}  // namespace barloom
