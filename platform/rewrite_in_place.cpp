// Rewriting a file in place behind a journal; the writing itself is FileInPlace
// (atomic_file_posix.cpp, atomic_file_win32.cpp).
#include <cstdint>
#include <string>
#include <system_error>

#include "platform/atomic_file.h"
#include "platform/file_bytes.h"
#include "platform/file_in_place.h"

namespace barloom {

void (*AfterRewriteStepForTests)(RewriteStep) = nullptr;

namespace {

void After(RewriteStep step) {
  if (AfterRewriteStepForTests) AfterRewriteStepForTests(step);
}

#ifdef _WIN32
constexpr auto HiddenPrefix = L"~";
#else
constexpr auto HiddenPrefix = ".";
#endif

// FNV-1a over the full path: the journal in the temporary folder names the file it belongs to.
std::uint64_t PathHash(const std::filesystem::path& file) {
  std::uint64_t hash = 1469598103934665603ull;
  for (const auto unit : file.native()) {
    hash ^= static_cast<std::uint64_t>(unit);
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string Hex(std::uint64_t value) {
  static constexpr char Digits[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = Digits[value & 15];
  return text;
}

bool Exists(const std::filesystem::path& item) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(item, error));
}

// The bytes into the existing `file`, in two halves (a run may end between them).
bool Overwrite(const std::filesystem::path& file, std::string_view bytes, WriteFailure* failure) {
  FileInPlace out;
  if (!out.Open(file, failure)) return false;
  const std::size_t half = bytes.size() / 2;
  if (!out.Write(bytes.substr(0, half), failure)) return false;
  After(RewriteStep::FileHalfWritten);
  if (!out.Write(bytes.substr(half), failure) || !out.Finish(failure)) return false;
  After(RewriteStep::FileWritten);
  return true;
}

}  // namespace

bool CanWriteFile(const std::filesystem::path& file) {
  FileInPlace probe;
  return probe.Open(file, nullptr);
}

RewriteJournals RewriteJournalsOf(const std::filesystem::path& file) {
  const std::filesystem::path absolute = std::filesystem::absolute(file);
  RewriteJournals journals;
  std::filesystem::path name = HiddenPrefix;
  name += absolute.filename();
  name += ".barloom-rewrite";
  journals.Beside = absolute.parent_path() / name;
  std::error_code error;
  const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
  if (!error) journals.InTemporaryFolder = temporary / ("barloom-rewrite-" + Hex(PathHash(absolute)));
  return journals;
}

bool FinishInterruptedRewrite(const std::filesystem::path& file) {
  const RewriteJournals journals = RewriteJournalsOf(file);
  for (const std::filesystem::path& journal : {journals.Beside, journals.InTemporaryFolder}) {
    if (journal.empty() || !Exists(journal)) continue;
    // A journal is whole or not there: it was written atomically.
    const std::optional<std::string> bytes = ReadFileBytes(journal);
    if (!bytes) return false;
    const bool finished = Exists(file) ? Overwrite(file, *bytes, nullptr) : ReplaceFileAtomically(file, *bytes);
    if (!finished) return false;
    std::error_code ignored;
    std::filesystem::remove(journal, ignored);
    return true;
  }
  return false;
}

bool RewriteFileInPlace(const std::filesystem::path& file, std::string_view bytes, WriteFailure* failure) {
  FinishInterruptedRewrite(file);
  if (!Exists(file)) return ReplaceFileAtomically(file, bytes, failure);
  {
    // Whether the file can be written at all is known before a journal is made.
    FileInPlace probe;
    if (!probe.Open(file, failure)) return false;
  }
  // The old bytes put back when the new ones cannot all be written (a full disk).
  std::string earlier;
  if (ReadFileBytes(file, earlier) != FileReadResult::Read) {
    if (failure) *failure = WriteFailure{WriteFailureReason::FileInUse, {}};
    return false;
  }
  const RewriteJournals journals = RewriteJournalsOf(file);
  std::filesystem::path journal = journals.Beside;
  if (!ReplaceFileAtomically(journal, bytes)) {
    journal = journals.InTemporaryFolder;
    WriteFailure journalFailure;
    if (journal.empty() || !ReplaceFileAtomically(journal, bytes, &journalFailure)) {
      if (failure) *failure = journalFailure;
      return false;
    }
  }
  After(RewriteStep::JournalWritten);
  const bool written = Overwrite(file, bytes, failure);
  // Failed part-way: the old bytes go back, which need no more room than they had; only when
  // even that fails does the journal stay, to complete the file next time.
  if (!written && !Overwrite(file, earlier, nullptr)) return false;
  std::error_code ignored;
  std::filesystem::remove(journal, ignored);
  return written;
}

}  // namespace barloom
