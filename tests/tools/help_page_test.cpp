// The help page that ships beside the program (Readme.htm): its markup is balanced, so that every
// browser, Wine's included, lays it out as written, and its table of text IDs holds exactly the
// program's built-in texts, which translators work from.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "localisation/builtin_texts.h"
#include "platform/code_page.h"  // IsValidUtf8
#include "tests/support/temp_folder.h"
#include "tests/support/text_lookup.h"

namespace barloom {
namespace {

std::string HelpPage() {
  return test_support::ReadFileAt(std::filesystem::path(BARLOOM_SOURCE_DIR) / "resources" / "Readme.htm").value_or("");
}

// A text as element content: the three characters that markup would take for its own.
std::string HtmlText(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '&') escaped += "&amp;";
    else if (c == '<') escaped += "&lt;";
    else if (c == '>') escaped += "&gt;";
    else escaped += c;
  }
  return escaped;
}

TEST(HelpPage, IsUtf8WithEveryElementClosedInTheOrderItOpened) {
  const std::string page = HelpPage();
  ASSERT_FALSE(page.empty()) << "Readme.htm is missing";
  EXPECT_TRUE(IsValidUtf8(page)) << "the page declares UTF-8";
  const std::set<std::string, std::less<>> voidElements = {"br", "hr", "img", "input", "link", "meta", "wbr"};
  std::vector<std::string> open;
  for (std::size_t at = page.find('<'); at != std::string::npos; at = page.find('<', at + 1)) {
    if (page.compare(at, 4, "<!--") == 0) {
      at = page.find("-->", at);
      ASSERT_NE(at, std::string::npos) << "a comment is not closed";
      continue;
    }
    if (page.compare(at, 2, "<!") == 0) continue;  // the document type
    const bool closing = page[at + 1] == '/';
    const std::size_t nameStart = at + (closing ? 2 : 1);
    const std::size_t nameEnd = page.find_first_of(" \t\r\n/>", nameStart);
    const std::size_t tagEnd = page.find('>', nameStart);
    ASSERT_NE(tagEnd, std::string::npos) << "a tag is not closed at offset " << at;
    const std::string name = page.substr(nameStart, nameEnd - nameStart);
    const auto line = [&] { return "line " + std::to_string(std::count(page.begin(), page.begin() + at, '\n') + 1); };
    if (!closing) {
      if (!voidElements.contains(name) && page[tagEnd - 1] != '/') open.push_back(name);
      continue;
    }
    ASSERT_FALSE(open.empty()) << line() << ": </" << name << "> closes nothing";
    ASSERT_EQ(open.back(), name) << line() << ": </" << name << "> while <" << open.back() << "> is open";
    open.pop_back();
  }
  EXPECT_TRUE(open.empty()) << "<" << open.back() << "> is never closed";
}

TEST(HelpPage, TextTableHoldsEveryBuiltInTextAndNoOther) {
  const std::string page = HelpPage();
  const std::size_t start = page.find("<table id=\"text-table\">");
  ASSERT_NE(start, std::string::npos) << "the table of text IDs is missing";
  const std::string_view table = std::string_view(page).substr(start, page.find("</table>", start) - start);
  const std::string_view rowHeader = "<tr><th scope=\"row\">";
  for (const BuiltInText& entry : BuiltInTexts()) {
    const std::string row =
        std::string(rowHeader) + std::to_string(Number(entry.Id)) + "</th><td>" + HtmlText(entry.Text) + "</td>";
    EXPECT_NE(table.find(row), std::string_view::npos) << "no row, or another text, for " << entry.Id << ":\n" << row;
  }
  std::size_t rows = 0;
  for (std::size_t at = table.find(rowHeader); at != std::string_view::npos; at = table.find(rowHeader, at + 1)) ++rows;
  EXPECT_EQ(rows, BuiltInTexts().size()) << "the table lists a text the program does not have";
}

}  // namespace
}  // namespace barloom
