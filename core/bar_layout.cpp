#include "core/bar_layout.h"

#include "core/commander_path.h"
#include "platform/code_page.h"

namespace barloom {
namespace {

constexpr std::string_view LineEnd = "\r\n";

class BarText {
 public:
  BarText(const std::optional<std::string>& commanderFolder, unsigned codePage)
      : commanderFolder_(commanderFolder), codePage_(codePage) {}

  void Line(std::string_view text) {
    bytes_ += text;
    bytes_ += LineEnd;
  }
  void Entry(std::string_view key, int number, std::string_view valueBytes) {
    bytes_ += key;
    bytes_ += std::to_string(number);
    bytes_ += '=';
    bytes_ += valueBytes;
    bytes_ += LineEnd;
  }
  void PathEntry(std::string_view key, int number, std::string_view path) {
    Entry(key, number, MarkedValueBytes(FoldCommanderPath(path, commanderFolder_), codePage_));
  }
  std::string Take() { return std::move(bytes_); }

 private:
  const std::optional<std::string>& commanderFolder_;
  unsigned codePage_;
  std::string bytes_;
};

}  // namespace

std::string GeneratedBarBytes(const SetPaths& paths, int bar, const std::optional<std::string>& commanderFolder,
                              unsigned codePage) {
  const int count = paths.BarCount;
  BarText text{commanderFolder, codePage};
  text.Line("[ButtonBar]");
  const int placeholder = GeneratedButtonCount(count);
  text.Line("Buttoncount=" + std::to_string(placeholder));
  for (int j = 1; j <= count; ++j) {
    text.PathEntry("button", j, j == bar ? paths.DnIcons[j] : paths.UpIcons[j]);
    text.PathEntry("cmd", j, paths.BarFiles[j]);
    text.Entry("menu", j, "Switch to Buttons Bar " + std::to_string(j));
  }
  text.Entry("button", placeholder - 1, "");  // the separator
  text.PathEntry("button", placeholder, paths.UpIcons[bar]);
  text.PathEntry("cmd", placeholder, paths.BarFiles[bar]);
  text.Entry("menu", placeholder, "This is the first button in button bar No. " + std::to_string(bar));
  return text.Take();
}

}  // namespace barloom
