#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/progress.h"
#include "core/wizard_state.h"
#include "tests/support/temp_folder.h"
#include "platform/code_page.h"
#include "platform/path_text.h"

namespace barloom::core_testing {

// Windows-1252: the code page the tests write their bars in.
inline constexpr unsigned Windows1252 = 1252;

// A Windows-style path ("C:\TC\bars\") with the native separator, so that one table of cases
// serves both builds.
inline std::string NativePath(std::string_view windowsPath) {
  std::string path{windowsPath};
  for (char& c : path)
    if (c == '\\') c = PathSeparator;
  return path;
}

// The paths of a set of `count` bars in `saveFolder` of a program in `appFolder`.
inline SetPaths PathsOf(int count, std::string_view saveFolder, std::string_view appFolder = "",
                        std::string_view prefix = "Bar_") {
  WizardState choices;
  choices.BarCount = static_cast<std::int16_t>(count);
  choices.SaveFolder = std::string{saveFolder};
  return SetPathsFor(choices, appFolder, prefix);
}

// Records every change the core makes to the progress display.
class RecordingProgress final : public ProgressDisplay {
 public:
  void SetMaximum(int maximum) override {
    Maximum = maximum;
    Calls.push_back("max " + std::to_string(maximum));
  }
  void SetValue(int value) override {
    Value = value;
    Calls.push_back("value " + std::to_string(value));
  }
  void SetVisible(bool visible) override {
    Visible = visible;
    Calls.push_back(visible ? "show" : "hide");
  }

  int Maximum = 0;
  int Value = 0;
  bool Visible = false;
  std::vector<std::string> Calls;
};

}  // namespace barloom::core_testing
