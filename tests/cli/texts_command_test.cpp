#include "cli/texts_command.h"

#include <CLI/CLI.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "localisation/builtin_texts.h"
#include "platform/path_text.h"
#include "tests/cli/run_process.h"
#include "tests/localisation/language_test_support.h"
#include "tests/localisation/shipped_languages.h"

namespace barloom {
namespace {

using test_support::BarloomCliPath;
using test_support::OutputLines;
using test_support::ProcessResult;
using test_support::RunProcess;
using test_support::TempFolder;

struct TextsRun {
  int ExitCode;
  std::string Out;
  std::string Err;
};

TextsRun RunInProcess(const TextsOptions& options) {
  std::ostringstream out, err;
  const int exitCode = RunTexts(options, out, err);
  return {exitCode, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Line(int id, std::string_view text) { return std::to_string(id) + "\t" + std::string(text); }

// How many texts the built-in table holds, as the command prints it.
std::string Total() { return std::to_string(BuiltInTexts().size()); }

TEST(TextsCommand, WithoutALanguageFileListsTheBuiltInTable) {
  const TextsRun run = RunInProcess({});
  EXPECT_EQ(run.ExitCode, ExitSuccess);
  const std::vector<std::string> lines = Lines(run.Out);
  ASSERT_EQ(lines.size(), BuiltInTexts().size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i], Line(Number(BuiltInTexts()[i].Id), BuiltInTexts()[i].Text));
  }
  EXPECT_EQ(run.Err, "No language file given: all " + Total() + " texts are built-in.\n");
}

TEST(TextsCommand, ShowsTranslationsLiterallyAndNamesTheFallbacks) {
  TempFolder folder;
  // The first key of a name wins, so the lines below override the complete list after them.
  std::string file = "[UserLanguage]\r\n101=<b>%s</b> && {0}\r\n110= /E \r\n150=\r\n3056=\xE4\r\n";
  for (const auto& entry : BuiltInTexts()) file += std::to_string(Number(entry.Id)) + "=T" + std::to_string(Number(entry.Id)) + "\r\n";
  const TextsRun run = RunInProcess({folder.Write("Mixed.lng", file), 204});

  EXPECT_EQ(run.ExitCode, ExitSuccess);
  const std::vector<std::string> lines = Lines(run.Out);
  ASSERT_EQ(lines.size(), BuiltInTexts().size());
  EXPECT_EQ(lines[0], Line(101, "<b>%s</b> && {0}"));
  EXPECT_EQ(lines[1], Line(110, "E&xit"));
  EXPECT_EQ(lines[2], Line(150, "&Options..."));
  EXPECT_EQ(lines[3], Line(161, "T161"));
  EXPECT_EQ(lines.back(), Line(3056, "д"));
  EXPECT_EQ(run.Err, "Built-in text used for 2 of " + Total() + " IDs: 110, 150\n");
}

TEST(TextsCommand, ACompleteFileHasNoFallbacks) {
  TempFolder folder;
  std::string file = "\xEF\xBB\xBF[UserLanguage]\r\n";
  for (const auto& entry : BuiltInTexts()) {
    file += std::to_string(Number(entry.Id)) + "=שלום " + std::to_string(Number(entry.Id)) + "\r\n";
  }
  const TextsRun run = RunInProcess({folder.Write("Complete.lng", file), 1});
  EXPECT_EQ(run.ExitCode, ExitSuccess);
  EXPECT_EQ(Lines(run.Out).front(), Line(101, "שלום 101"));
  EXPECT_EQ(run.Err, "All " + Total() + " texts are translated.\n");
}

TEST(TextsCommand, AnUnusableFileFallsBackEverywhere) {
  TempFolder folder;
  const TextsRun run = RunInProcess({folder.Write("Empty.lng", ""), 1});
  EXPECT_EQ(run.ExitCode, ExitSuccess);
  EXPECT_EQ(Lines(run.Out).size(), BuiltInTexts().size());
  EXPECT_EQ(run.Err.rfind("Built-in text used for " + Total() + " of " + Total() + " IDs: 101, 110, 150,", 0), 0u)
      << run.Err;
}

TEST(TextsCommand, AMissingLanguageFileIsAnError) {
  TempFolder folder;
  for (const std::string& path : {folder.PathOf("Missing.lng"), Utf8FromPath(folder.Path()), std::string()}) {
    const TextsRun run = RunInProcess({path, 1});
    EXPECT_EQ(run.ExitCode, ExitFailure) << path;
    EXPECT_EQ(run.Out, "") << path;
    EXPECT_EQ(run.Err, "barloom-cli texts: cannot find the language file \"" + path + "\".\n");
  }
}

// The list is the command's result: when it cannot be written (a full disk behind the redirected
// output), the run failed.
TEST(TextsCommand, AListThatCannotBeWrittenIsAFailure) {
  std::ostream out(nullptr);  // every write fails
  std::ostringstream err;
  EXPECT_EQ(RunTexts(TextsOptions{}, out, err), ExitFailure);
  EXPECT_NE(err.str().find("cannot write"), std::string::npos) << err.str();
}

TEST(TextsCommand, ArgumentsAreChecked) {
  struct Case {
    std::vector<std::string> Arguments;
    bool ParseError;
  };
  TempFolder folder;
  const Case cases[] = {
      {{"texts", "--font-script", "70000"}, true},
      {{"texts", "--font-script", "abc"}, true},
      {{"texts", "--font-script"}, true},
      {{"texts", "--language"}, true},
      {{"texts", "--unknown"}, true},
      {{"texts", "--language", folder.PathOf("Missing.lng")}, false},
  };
  for (const Case& c : cases) {
    CLI::App app;
    int exitCode = -1;
    AddTextsCommand(app, exitCode);
    std::vector<std::string> arguments = c.Arguments;
    std::reverse(arguments.begin(), arguments.end());  // CLI11 takes a reversed vector
    if (c.ParseError) {
      EXPECT_THROW(app.parse(arguments), CLI::ParseError) << c.Arguments.back();
    } else {
      app.parse(arguments);
      EXPECT_EQ(exitCode, ExitFailure);
    }
  }
}

// The built program, as a translator runs it.

std::string ShippedLanguageFile(std::string_view name) {
  return std::string(BARLOOM_SOURCE_DIR) + "/resources/Languages/" + std::string(name);
}

TEST(TextsProgram, PrintsTheShippedHebrewAsUtf8InBothEncodings) {
  for (const auto& [file, fontScript] : {std::pair{"Hebrew.lng", "177"}, {"Hebrew-UTF8.lng", "1"}}) {
    const ProcessResult result = RunProcess(
        BarloomCliPath(), {"texts", "--language", ShippedLanguageFile(file), "--font-script", fontScript});
    EXPECT_EQ(result.ExitCode, ExitSuccess) << file << ": " << result.Errors;
    const std::vector<std::string> lines = OutputLines(result.Output);
    ASSERT_EQ(lines.size(), BuiltInTexts().size()) << file;
    EXPECT_EQ(lines.front(), Line(101, "&קובץ")) << file;
    EXPECT_EQ(lines.back(), Line(3056, "הקובץ לא נמצא.")) << file;
    EXPECT_EQ(OutputLines(result.Errors), std::vector<std::string>{"All " + Total() + " texts are translated."})
        << file;
  }
}

// What a translator sees for every shipped file: each ID with its own text, none from English.
TEST(TextsProgram, ShowsEveryTextOfEveryShippedLanguageTranslated) {
  for (const test_support::ShippedLanguage& language : test_support::ShippedLanguages) {
    const ProcessResult result =
        RunProcess(BarloomCliPath(), {"texts", "--language", test_support::ShippedLanguagePath(language.FileName),
                                      "--font-script", std::to_string(language.FontScript)});
    EXPECT_EQ(result.ExitCode, ExitSuccess) << language.FileName << ": " << result.Errors;
    const std::vector<std::string> lines = OutputLines(result.Output);
    ASSERT_EQ(lines.size(), BuiltInTexts().size()) << language.FileName;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string id = std::to_string(Number(BuiltInTexts()[i].Id)) + "\t";
      EXPECT_EQ(lines[i].rfind(id, 0), 0u) << language.FileName << ": " << lines[i];
      EXPECT_GT(lines[i].size(), id.size()) << language.FileName << ": " << lines[i];
    }
    EXPECT_EQ(OutputLines(result.Errors), std::vector<std::string>{"All " + Total() + " texts are translated."})
        << language.FileName;
  }
}

TEST(TextsProgram, ReadsALanguageFileInAFolderNamedInAnyScript) {
  TempFolder folder;
  std::filesystem::create_directories(folder.Path() / PathFromUtf8("Übersetzung שפה"));
  const std::string file = folder.Write("Übersetzung שפה/Test.lng", "[UserLanguage]\r\n604=\xE4<b>%s</b>\r\n");
  const ProcessResult result = RunProcess(BarloomCliPath(), {"texts", "--language", file, "--font-script", "204"});
  EXPECT_EQ(result.ExitCode, ExitSuccess) << result.Errors;
  const std::vector<std::string> lines = OutputLines(result.Output);
  ASSERT_EQ(lines.size(), BuiltInTexts().size());
  EXPECT_EQ(lines[9], Line(604, "д<b>%s</b>"));
  const std::vector<std::string> errors = OutputLines(result.Errors);
  ASSERT_EQ(errors.size(), 1u);
  const std::string allButOne = std::to_string(BuiltInTexts().size() - 1);
  EXPECT_EQ(errors[0].rfind("Built-in text used for " + allButOne + " of " + Total() + " IDs: 101, 110,", 0), 0u)
      << errors[0];
}

TEST(TextsProgram, ExitCodesTellFailureFromBadArguments) {
  TempFolder folder;
  const ProcessResult noFile = RunProcess(BarloomCliPath(), {"texts", "--language", folder.PathOf("Missing.lng")});
  EXPECT_EQ(noFile.ExitCode, ExitFailure);
  EXPECT_EQ(noFile.Output, "");
  EXPECT_NE(noFile.Errors.find("cannot find the language file"), std::string::npos) << noFile.Errors;

  const ProcessResult badScript = RunProcess(BarloomCliPath(), {"texts", "--font-script", "40000"});
  EXPECT_EQ(badScript.ExitCode, ExitUsage);
  EXPECT_EQ(badScript.Output, "");
  EXPECT_NE(badScript.Errors.find("--font-script"), std::string::npos) << badScript.Errors;
}

}  // namespace
}  // namespace barloom
