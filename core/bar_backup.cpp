#include "core/bar_backup.h"

#include "platform/file_writing.h"
#include "platform/file_bytes.h"
#include "platform/path_text.h"

namespace barloom {

std::string BackupFileOf(std::string_view barFile) { return std::string{barFile} + std::string{BackupExtension}; }

namespace {

bool SameBytes(std::string_view bytes, std::span<const std::string_view> pieces) {
  for (const std::string_view piece : pieces) {
    if (!bytes.starts_with(piece)) return false;
    bytes.remove_prefix(piece.size());
  }
  return bytes.empty();
}

}  // namespace

BarReplacer::Outcome BarReplacer::Replace(const std::string& file, std::span<const std::string_view> bytes,
                                          const OwnButtonsTest& holdsOwnButtons) {
  Outcome outcome;
  const auto path = PathFromUtf8(file);
  std::string earlier;
  const FileReadResult read = ReadFileBytes(path, earlier);
  if (read == FileReadResult::Read && SameBytes(earlier, bytes)) return outcome;
  const bool keepEarlier = settled_.insert(file).second && read != FileReadResult::Missing;
  if (keepEarlier) {
    // What cannot be replaced gets no backup; the writer's own reason is the one to tell.
    WriteFailure failure;
    if (!CanReplaceFile(path, &failure)) {
      settled_.erase(file);
      outcome.Error = WriteError(FileProblem::BarFileNotWritten, file, std::move(failure));
      return outcome;
    }
    if (read == FileReadResult::Unreadable) {
      settled_.erase(file);
      outcome.Error = FileError{FileProblem::BarFileNotRead, file};
      return outcome;
    }
    const std::string backup = BackupFileOf(file);
    std::string backupBytes;
    if (holdsOwnButtons && !holdsOwnButtons(earlier) &&
        ReadFileBytes(PathFromUtf8(backup), backupBytes) == FileReadResult::Read && holdsOwnButtons(backupBytes)) {
      outcome.Held = backup;
    } else {
      if (!ReplaceFileAtomically(PathFromUtf8(backup), earlier, &failure)) {
        settled_.erase(file);
        outcome.Error = WriteError(FileProblem::BackupNotKept, backup, std::move(failure));
        return outcome;
      }
      outcome.Backup = backup;
    }
  }
  WriteFailure failure;
  if (!ReplaceFileAtomically(path, bytes, &failure))
    outcome.Error = WriteError(FileProblem::BarFileNotWritten, file, std::move(failure));
  return outcome;
}

}  // namespace barloom
