#include "cli/path_arguments.h"

#include <filesystem>
#include <system_error>

#include "cli/resolved_path.h"
#include "platform/path_text.h"

namespace barloom {

const CLI::Validator ExistingFolderArgument{
    [](std::string& text) -> std::string {
      text = ResolvedPath(text);
      std::error_code error;
      return std::filesystem::is_directory(PathFromUtf8(text), error) ? std::string{} : "folder not found: " + text;
    },
    "", "EXISTING_FOLDER"};

}  // namespace barloom
