// Folder names that Windows cannot make: refused on every platform, since bars are Windows files,
// and only those.
#include "core/windows_names.h"

#include <gtest/gtest.h>

#include "tests/core/test_support.h"

namespace barloom {
namespace {

using core_testing::NativePath;

TEST(FindRefusedFolderPart, NamesThePartAndWhy) {
  constexpr auto Ends = FileProblem::FolderNameEndsInSpaceOrDot;
  constexpr auto Device = FileProblem::FolderNameIsDeviceName;
  const struct {
    const char* Folder;  // Windows spelling; the native separator in the test
    std::optional<RefusedNamePart> Expected;
  } cases[] = {
      {"C:\\TC\\bars\\", std::nullopt},
      {"C:\\TC\\..\\bars\\.\\x\\", std::nullopt},  // steps, not names
      {"C:\\TC\\.hidden\\a.b\\...x\\", std::nullopt},
      {"C:\\TC\\CONSOLE\\COM10\\LPT0\\NULL\\xAUX\\con_\\COM\\", std::nullopt},
      {"C:\\TC\\bars.\\", RefusedNamePart{Ends, "bars."}},
      {"C:\\TC\\bars \\x\\", RefusedNamePart{Ends, "bars "}},
      {"C:\\TC\\...\\", RefusedNamePart{Ends, "..."}},
      {"C:\\TC\\a\\b. .\\c.\\", RefusedNamePart{Ends, "b. ."}},
      {"C:\\CON\\", RefusedNamePart{Device, "CON"}},
      {"C:\\TC\\nul\\bars\\", RefusedNamePart{Device, "nul"}},
      {"C:\\TC\\Aux.txt\\", RefusedNamePart{Device, "Aux.txt"}},
      {"C:\\TC\\prn.tar.gz\\", RefusedNamePart{Device, "prn.tar.gz"}},
      {"C:\\TC\\com1\\", RefusedNamePart{Device, "com1"}},
      {"C:\\TC\\COM9.bars\\", RefusedNamePart{Device, "COM9.bars"}},
      {"C:\\TC\\lPt5\\", RefusedNamePart{Device, "lPt5"}},
      {"C:\\TC\\NUL .txt\\", RefusedNamePart{Device, "NUL .txt"}},
      {"C:\\TC\\COM\xC2\xB9\\", RefusedNamePart{Device, "COM\xC2\xB9"}},
      {"C:\\TC\\lpt\xC2\xB3.x\\", RefusedNamePart{Device, "lpt\xC2\xB3.x"}},
      {"C:\\TC\\nul.\\", RefusedNamePart{Device, "nul."}},  // both: the device is the reason
      {"relative\\con\\", RefusedNamePart{Device, "con"}},
  };
  for (const auto& c : cases) {
    const std::optional<RefusedNamePart> found = FindRefusedFolderPart(NativePath(c.Folder));
    ASSERT_EQ(found.has_value(), c.Expected.has_value()) << c.Folder;
    if (!found) continue;
    EXPECT_EQ(found->Problem, c.Expected->Problem) << c.Folder;
    EXPECT_EQ(found->Part, c.Expected->Part) << c.Folder;
  }
}

}  // namespace
}  // namespace barloom
