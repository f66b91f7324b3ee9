#include "ui/options_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "build_info.h"
#include "localisation/get_text.h"
#include "platform/code_page.h"
#include "platform/path_text.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/options_test_support.h"
#include "tests/support/text_lookup.h"

namespace barloom {
namespace {

using test_support::TempFolder;
using Entries = std::vector<std::string>;

constexpr std::string_view StartingFile = "[Barloom]\r\nBarFilePrefix=Bar_\r\n";

// A program folder whose Languages folder holds three language files in mixed case, a file of
// another kind and a folder that looks like a language file.
class OptionsModelTest : public test_support::OptionsTest {
 protected:
  OptionsModelTest() : OptionsTest("options") {}

  void SetUp() override {
    SetAppFolder(settings, app.Utf8());
    std::filesystem::create_directories(app.Path() / "Languages" / "x.lng");
    for (const char* name : {"Zulu.lng", "b.LNG", "Alpha.lng", "notes.txt", "lng"})
      app.Write(LanguageFile(name), "[UserLanguage]\r\n");
    app.Write("barloom.ini", StartingFile);
  }

  // A file of the Languages folder, relative to the program's folder or in full.
  static std::string LanguageFile(std::string_view name) {
    return "Languages" + std::string(1, PathSeparator) + std::string{name};
  }
  std::string FullPath(std::string_view name) const { return app.PathOf(LanguageFile(name)); }
};

const Entries Listed = {"Default", "-------", "Alpha.lng", "b.LNG", "Zulu.lng"};

TEST_F(OptionsModelTest, ListsTheLanguageFilesInOrderWithoutRegardToCase) {
  EXPECT_EQ(OptionsModel(settings, language, profile, messages).Entries(), Listed);
  EXPECT_EQ(ListLanguageFiles(app.PathOf("Languages")), Entries(Listed.begin() + 2, Listed.end()));

  std::filesystem::remove_all(app.Path() / "Languages");
  settings.LanguageFile = FullPath("Zulu.lng");
  const OptionsModel missing(settings, language, profile, messages);
  EXPECT_EQ(missing.Entries(), (Entries{"Default", "-------"}));
  EXPECT_EQ(missing.Selected(), 0u);
}

TEST_F(OptionsModelTest, OpensWithTheStoredFileSelected) {
  struct Case {
    const char* Name;
    std::optional<std::string> Stored;
    std::int16_t UseDefaultLanguage;
    std::size_t Selected;
  };
  const std::string elsewhere = TempFolder{"elsewhere"}.PathOf("b.lng");
  const Case cases[] = {
      {"none stored", std::nullopt, 1, 0},
      {"stored file", FullPath("Zulu.lng"), 0, 4},
      {"stored while the built-in texts are in use", FullPath("Zulu.lng"), 1, 4},
      {"another letter case", FullPath("ZULU.lng"), 0, 4},
      {"another folder, a listed name", elsewhere, 0, 3},
      {"no longer listed", FullPath("Gone.lng"), 0, 0},
      {"the folder itself", AddBackslash(app.PathOf("Languages")), 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    settings.LanguageFile = c.Stored;
    settings.UseDefaultLanguage = c.UseDefaultLanguage;
    EXPECT_EQ(OptionsModel(settings, language, profile, messages).Selected(), c.Selected);
  }
}

TEST_F(OptionsModelTest, TheSeparatorCannotStaySelected) {
  OptionsModel model(settings, language, profile, messages);
  for (const auto& [picked, selected] : {std::pair<std::size_t, std::size_t>{3, 3}, {1, 0}, {4, 4}, {0, 0}, {5, 0}}) {
    model.Select(picked);
    EXPECT_EQ(model.Selected(), selected) << "picked " << picked;
  }
  // The arrow keys pass over it: down from "Default" to the first file, up from there to "Default".
  for (const auto& [moved, selected] : {std::pair<std::size_t, std::size_t>{1, 2}, {1, 0}, {1, 2}, {3, 3}}) {
    model.MoveTo(moved);
    EXPECT_EQ(model.Selected(), selected) << "moved to " << moved;
  }
}

TEST_F(OptionsModelTest, OkStoresTheChoicesAndCancelNothing) {
  struct Case {
    const char* Name;
    std::optional<std::string> StoredName;  // the language file before, in memory and in the file
    std::size_t Picked;
    std::optional<std::string> Typed;  // nullopt: the dialog is cancelled
    // afterwards, in memory
    std::string Prefix;
    std::int16_t UseDefaultLanguage;
    std::optional<std::string> LanguageName;
    // and in the file
    std::string StoredPrefix;
    std::string StoredUseDefault;
  };
  const Case cases[] = {
      {"a language file", std::nullopt, 3, "Mine_", "Mine_", 0, "b.LNG", "Mine_", "0"},
      {"another one", "Zulu.lng", 2, "Bar_", "Bar_", 0, "Alpha.lng", "Bar_", "0"},
      {"default keeps the stored file", "Zulu.lng", 0, "Bar_", "Bar_", 1, "Zulu.lng", "Bar_", "1"},
      {"default with none stored", std::nullopt, 0, "Bar_", "Bar_", 1, std::nullopt, "Bar_", "1"},
      {"the separator counts as default", std::nullopt, 1, "Bar_", "Bar_", 1, std::nullopt, "Bar_", "1"},
      {"an empty prefix", std::nullopt, 0, "", "", 1, std::nullopt, "", "1"},
      {"blanks stay in memory only", std::nullopt, 0, "  My bars ", "  My bars ", 1, std::nullopt, "My bars", "1"},
      {"cancel", "Zulu.lng", 2, std::nullopt, "Bar_", 0, "Zulu.lng", "Bar_", "<none>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    app.Write("barloom.ini", StartingFile);
    settings.BarFilePrefix = "Bar_";
    settings.UseDefaultLanguage = c.StoredName ? 0 : 1;
    settings.LanguageFile = c.StoredName ? std::optional{FullPath(*c.StoredName)} : std::nullopt;
    if (settings.LanguageFile)
      profile.WriteStringValue(SettingsSection, "LanguageFile", *settings.LanguageFile, settings.SettingsFile);

    OptionsModel model(settings, language, profile, messages);
    model.Select(c.Picked);
    if (c.Typed) {
      EXPECT_TRUE(model.Confirm(*c.Typed));
    }

    EXPECT_EQ(settings.BarFilePrefix, c.Prefix);
    EXPECT_EQ(settings.UseDefaultLanguage, c.UseDefaultLanguage);
    const std::optional<std::string> languageFile =
        c.LanguageName ? std::optional{FullPath(*c.LanguageName)} : std::nullopt;
    EXPECT_EQ(settings.LanguageFile, languageFile);
    EXPECT_EQ(Stored("BarFilePrefix"), c.StoredPrefix);
    EXPECT_EQ(Stored("UseDefaultLanguage"), c.StoredUseDefault);
    EXPECT_EQ(Stored("LanguageFile"), languageFile.value_or("<none>"));
  }
  EXPECT_TRUE(messages.Shown.empty());
}

TEST_F(OptionsModelTest, APrefixNoFileNameCanBeginWithIsRefused) {
  OptionsModel model(settings, language, profile, messages);
  model.Select(4);
  for (const char* typed : {"bars/", "a:b", "tab\there", "what?"}) {
    SCOPED_TRACE(typed);
    EXPECT_FALSE(model.Confirm(typed));
    EXPECT_EQ(settings.BarFilePrefix, "Bar_");
    EXPECT_EQ(settings.UseDefaultLanguage, 1);
    EXPECT_EQ(settings.LanguageFile, std::nullopt);
    EXPECT_EQ(app.Read("barloom.ini"), StartingFile);
  }
  const test_support::ShownMessage refusal{GetText(703, settings), build_info::ProductName, MessageIcon::Error};
  EXPECT_EQ(messages.Shown, std::vector<test_support::ShownMessage>(4, refusal));

  // The dialog stays open: the mended prefix is taken.
  EXPECT_TRUE(model.Confirm("bars_"));
  EXPECT_EQ(Stored("BarFilePrefix"), "bars_");
  EXPECT_EQ(Stored("LanguageFile"), FullPath("Zulu.lng"));
}

// OK tells its caller whether the texts must be captioned again; the file's name counts without
// regard to case, and any non-zero switch means the built-in texts.
TEST_F(OptionsModelTest, OkSaysWhetherTheLanguageChanged) {
  struct Case {
    const char* Name;
    std::optional<std::string> StoredFile;  // relative to the program's folder
    std::int16_t UseDefaultLanguage;
    std::size_t Picked;
    bool Changed;
  };
  const std::string zuluInCapitals = "LANGUAGES" + std::string(1, PathSeparator) + "ZULU.LNG";
  const Case cases[] = {
      {"the same file", LanguageFile("Zulu.lng"), 0, 4, false},
      {"letter case only", zuluInCapitals, 0, 4, false},
      {"another file", LanguageFile("Zulu.lng"), 0, 2, true},
      {"back to the built-in texts", LanguageFile("Zulu.lng"), 0, 0, true},
      {"built-in texts again", LanguageFile("Zulu.lng"), 1, 0, false},
      {"any other switch value is the built-in texts too", LanguageFile("Zulu.lng"), 5, 1, false},
      {"the stored file again after the built-in texts", LanguageFile("Zulu.lng"), 1, 4, true},
      {"no file stored", std::nullopt, 0, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    settings.LanguageFile = c.StoredFile ? std::optional{app.PathOf(*c.StoredFile)} : std::nullopt;
    settings.UseDefaultLanguage = c.UseDefaultLanguage;
    OptionsModel model(settings, language, profile, messages);
    model.Select(c.Picked);
    ASSERT_TRUE(model.Confirm("Bar_"));
    EXPECT_EQ(model.LanguageChanged(), c.Changed);
  }
}

// A language file may name the character set of its texts; OK keeps it, so that the file reads
// right with no hand edit. Another language that names none (Default too) starts from the default
// set; the same language confirmed again keeps the user's own value.
TEST_F(OptionsModelTest, OkStoresTheCharacterSetTheLanguageFileNames) {
  app.Write(LanguageFile("Zulu.lng"), "[UserLanguage]\r\nRightToLeftLanguage=1\r\nFontScript= 177 \r\n620=x\r\n");
  app.Write(LanguageFile("b.LNG"), "[UserLanguage]\r\nFontScript=1234\r\n");  // no character set
  struct Case {
    const char* Name;
    std::size_t Picked;
    const char* InUse;      // the language file in use before OK; "" for the built-in texts
    std::string UserValue;  // FontScript in barloom.ini before OK ("<none>": absent)
    std::string Stored;     // and after it
    std::int16_t InMemory;
  };
  const Case cases[] = {
      {"a file that names its set", 4, "", "<none>", "177", 177},
      {"it replaces the user's value", 4, "", "204", "177", 177},
      {"another file that names none", 2, "Zulu.lng", "177", "1", 1},
      {"Default after a file", 0, "Zulu.lng", "177", "1", 1},
      {"a file after the built-in texts", 2, "", "204", "1", 1},
      {"the same file again", 2, "Alpha.lng", "204", "204", 204},
      {"Default again", 0, "", "204", "204", 204},
      {"a number that is no character set", 3, "", "<none>", "<none>", 1},
      {"the default set already", 2, "Zulu.lng", "<none>", "<none>", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string inUse =
        *c.InUse ? "UseDefaultLanguage=0\r\nLanguageFile=" + FullPath(c.InUse) + "\r\n" : std::string{};
    app.Write("barloom.ini", std::string{StartingFile} + inUse +
                                 (c.UserValue == "<none>" ? "" : "FontScript=" + c.UserValue + "\r\n"));
    LoadSettings(settings, profile);
    OptionsModel model(settings, language, profile, messages);
    model.Select(c.Picked);
    ASSERT_TRUE(model.Confirm("Bar_"));
    EXPECT_EQ(Stored("FontScript"), c.Stored);
    EXPECT_EQ(settings.FontScript, c.InMemory);
    EXPECT_EQ(model.LanguageChanged(), std::string_view{c.InUse} != (c.Picked >= 2 ? Listed[c.Picked] : ""));
  }
  // The same file picked again, with the user's set changed meanwhile: the texts change too.
  app.Write("barloom.ini", std::string{StartingFile} + "FontScript=204\r\n");
  settings.LanguageFile = FullPath("Zulu.lng");
  settings.UseDefaultLanguage = 0;
  settings.FontScript = 204;
  OptionsModel again(settings, language, profile, messages);
  again.Select(4);
  ASSERT_TRUE(again.Confirm("Bar_"));
  EXPECT_TRUE(again.LanguageChanged());
}

// A bar's name is the prefix, two digits and ".bar": at most 255 UTF-16 units, as Windows counts.
TEST_F(OptionsModelTest, APrefixThatMakesTheNamesTooLongIsRefused) {
  const auto smiles = [](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "\U0001F600";  // two units each
    return text;
  };
  struct Case {
    std::string Prefix;
    bool Taken;
  };
  const Case cases[] = {{std::string(249, 'p'), true},       {std::string(250, 'p'), false},
                        {std::string(1 << 20, 'p'), false},  {smiles(124) + "a", true},
                        {smiles(125), false}};
  OptionsModel model(settings, language, profile, messages);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Prefix.size());
    messages.Shown.clear();
    settings.BarFilePrefix = "Bar_";
    EXPECT_EQ(model.Confirm(c.Prefix), c.Taken);
    EXPECT_EQ(settings.BarFilePrefix, c.Taken ? c.Prefix : "Bar_");
    if (c.Taken) {
      EXPECT_TRUE(messages.Shown.empty());
    } else {
      // The message names the first bar's file name whole; the box shortens it on the screen.
      const test_support::ShownMessage refusal{
          GetText(749, settings) + "\n" + c.Prefix + "01.bar\n" + GetText(740, settings), build_info::ProductName,
          MessageIcon::Error};
      EXPECT_EQ(messages.Shown, std::vector<test_support::ShownMessage>{refusal});
    }
  }
}

}  // namespace
}  // namespace barloom
