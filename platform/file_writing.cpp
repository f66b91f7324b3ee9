// The writers, made of the system's pieces (file_writing_posix.cpp, file_writing_win32.cpp): a
// file replaced through a temporary file, a file rewritten in place behind a journal, the
// temporary files' names and clean-up, the folders made.
#include "platform/file_writing.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <system_error>

#include "platform/file_bytes.h"

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
  OpenFile out;
  if (!out.OpenExisting(file, failure)) return false;
  const std::size_t half = bytes.size() / 2;
  if (!out.Write(bytes.substr(0, half), failure)) return false;
  After(RewriteStep::FileHalfWritten);
  if (!out.Write(bytes.substr(half), failure) || !out.Finish(failure)) return false;
  After(RewriteStep::FileWritten);
  return true;
}

}  // namespace

bool CanReplaceFile(const std::filesystem::path& file, WriteFailure* failure) {
  ReplaceTarget target;
  return FindReplaceTarget(file, target, failure);
}

void FilePieces::append(std::string_view bytes) {
  if (bytes.size() < LargePiece) return AppendCopy(bytes);
  pieces_.push_back({bytes.data(), 0, bytes.size()});
}

void FilePieces::AppendCopy(std::string_view bytes) {
  if (bytes.empty()) return;
  // Own bytes only ever grow at the end, so the last piece, if it is own, ends there too.
  if (!pieces_.empty() && !pieces_.back().Data) {
    pieces_.back().Length += bytes.size();
  } else {
    pieces_.push_back({nullptr, own_.size(), bytes.size()});
  }
  own_.append(bytes);
}

std::vector<std::string_view> FilePieces::Views() const& {
  std::vector<std::string_view> views;
  views.reserve(pieces_.size());
  for (const Piece& piece : pieces_)
    views.push_back(piece.Data ? std::string_view(piece.Data, piece.Length)
                               : std::string_view(own_).substr(piece.Offset, piece.Length));
  return views;
}

bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes, WriteFailure* failure) {
  return ReplaceFileAtomically(file, std::span<const std::string_view>(&bytes, 1), failure);
}

bool ReplaceFileAtomically(const std::filesystem::path& file, std::span<const std::string_view> pieces,
                           WriteFailure* failure) {
  ReplaceTarget target;
  if (!FindReplaceTarget(file, target, failure)) return false;
  RemoveStaleTemporaryFilesOnce(target.Folder);

  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path temporary =
        target.Folder / TemporaryFileName(target.File, CurrentProcessId(), counter.fetch_add(1));
    // Remembered before it exists, so that no signal can come between its creation and the
    // remembering; removing a name that does not exist yet does no harm.
    const RememberedTemporaryFile remembered(temporary);
    OpenFile out;
    const OpenFile::Created created = out.CreateTemporary(temporary, target, failure);
    if (created == OpenFile::Created::NameTaken) continue;
    if (created == OpenFile::Created::Failed) return false;
    bool written = true;
    for (const std::string_view piece : pieces) written = written && out.Write(piece, failure);
    if (written && out.Finish(failure) && MoveOver(temporary, target.File, failure)) return true;
    // Every way out after the temporary file was made removes it.
    out.Discard();
    return false;
  }
  // A hundred names taken by other writers: no reason of ours fits.
  if (failure) *failure = WriteFailure{std::nullopt, SystemMessage(FileExistsCode())};
  return false;
}

bool CanWriteFile(const std::filesystem::path& file) {
  OpenFile probe;
  return probe.OpenExisting(file, nullptr);
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
    OpenFile probe;
    if (!probe.OpenExisting(file, failure)) return false;
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

namespace barloom {
namespace {

using NativeChar = std::filesystem::path::value_type;
using NativeString = std::filesystem::path::string_type;

#ifdef _WIN32
constexpr NativeChar Lead = L'~';
#else
constexpr NativeChar Lead = '.';
#endif
constexpr std::size_t MaxNamePart = 200;

NativeString Native(std::string_view ascii) { return NativeString(ascii.begin(), ascii.end()); }

const NativeString& Marker() {
  static const NativeString marker = Native(".barloom-");
  return marker;
}

// The start of the file's name, at most MaxNamePart characters; on Windows never half a
// surrogate pair.
NativeString NamePart(const std::filesystem::path& file) {
  NativeString name = file.filename().native();
  if (name.size() > MaxNamePart) {
    std::size_t keep = MaxNamePart;
#ifdef _WIN32
    if (name[keep - 1] >= 0xD800 && name[keep - 1] <= 0xDBFF) --keep;
#endif
    name.resize(keep);
  }
  return name;
}

// The decimal number that ends `text` (as to_string writes it: no leading zero) and the text before it.
std::optional<std::uint64_t> TakeNumberFromEnd(NativeString& text) {
  std::size_t start = text.size();
  while (start > 0 && text[start - 1] >= '0' && text[start - 1] <= '9') --start;
  const std::size_t digits = text.size() - start;
  if (digits == 0 || digits > 10 || (digits > 1 && text[start] == '0')) return std::nullopt;
  std::uint64_t value = 0;
  for (std::size_t i = start; i < text.size(); ++i) value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
  text.resize(start);
  return value;
}

bool TakeSuffix(NativeString& text, const NativeString& suffix) {
  if (text.size() < suffix.size() || text.compare(text.size() - suffix.size(), suffix.size(), suffix) != 0)
    return false;
  text.resize(text.size() - suffix.size());
  return true;
}

// The files being written. A slot is claimed, filled and then published, so that a signal handler
// that interrupts any of these steps only ever sees whole paths.
constexpr std::size_t SlotCount = 8;
constexpr std::size_t MaxPathLength = 4095;
enum SlotState : int { Free, Filling, Published };
struct Slot {
  std::atomic<int> State{Free};
  std::array<NativeChar, MaxPathLength + 1> Path{};
};
static_assert(std::atomic<int>::is_always_lock_free, "signal handlers read the slots");
std::array<Slot, SlotCount> slots;

}  // namespace

std::filesystem::path TemporaryFileName(const std::filesystem::path& file, std::uint32_t processId, unsigned counter) {
  NativeString name(1, Lead);
  name += NamePart(file);
  name += Marker();
  name += Native(std::to_string(processId));
  name += NativeChar('-');
  name += Native(std::to_string(counter));
  name += Native(".tmp");
  return name;
}

std::optional<std::uint32_t> TemporaryFileOwner(const std::filesystem::path& name) {
  NativeString text = name.native();
  if (!TakeSuffix(text, Native(".tmp"))) return std::nullopt;
  if (!TakeNumberFromEnd(text) || !TakeSuffix(text, Native("-"))) return std::nullopt;
  const auto processId = TakeNumberFromEnd(text);
  if (!processId || *processId == 0 || *processId > UINT32_MAX) return std::nullopt;
  if (!TakeSuffix(text, Marker())) return std::nullopt;
  // What is left is the lead and the start of the file's name.
  if (text.size() < 2 || text.size() > MaxNamePart + 1 || text[0] != Lead) return std::nullopt;
  return static_cast<std::uint32_t>(*processId);
}

void RemoveStaleTemporaryFilesOnce(const std::filesystem::path& folder) {
  static std::mutex mutex;
  static std::set<NativeString> done;
  {
    const std::lock_guard lock(mutex);
    if (!done.insert(folder.native()).second) return;
  }
  RemoveStaleTemporaryFiles(folder);
}

RememberedTemporaryFile::RememberedTemporaryFile(const std::filesystem::path& file) noexcept : slot_(-1) {
  const NativeString& path = file.native();
  if (path.size() > MaxPathLength) return;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    int expected = Free;
    if (!slots[i].State.compare_exchange_strong(expected, Filling)) continue;
    path.copy(slots[i].Path.data(), path.size());
    slots[i].Path[path.size()] = NativeChar{};
    slots[i].State.store(Published);
    slot_ = static_cast<int>(i);
    return;
  }
}

RememberedTemporaryFile::~RememberedTemporaryFile() {
  if (slot_ >= 0) slots[static_cast<std::size_t>(slot_)].State.store(Free);
}

void ForEachRememberedTemporaryFile(void (*remove)(const NativeChar* file)) noexcept {
  for (Slot& slot : slots)
    if (slot.State.load() == Published) remove(slot.Path.data());
}

}  // namespace barloom

namespace barloom {

FolderCreation CreateFolders(const std::filesystem::path& folder) {
  FolderCreation result;
  // The parts to make, deepest first: up to the nearest folder that is there, never a drive or a
  // share (the system says why it cannot make the first part below one that is missing).
  std::vector<std::filesystem::path> missing;
  for (std::filesystem::path part = folder; part.has_relative_path(); part = part.parent_path()) {
    const ItemKind kind = KindOf(part);
    if (kind == ItemKind::Folder) break;
    if (kind == ItemKind::Other) {
      result.Failure = WriteFailure{WriteFailureReason::NameIsFile, {}};
      result.FailedAt = part;
      return result;
    }
    missing.push_back(part);
  }
  for (auto part = missing.rbegin(); part != missing.rend(); ++part) {
    if (const auto code = MakeFolder(*part)) {
      if (KindOf(*part) == ItemKind::Folder) continue;  // made by someone else meanwhile: not ours
      result.Failure = FailureFromSystem(*code, *part);
      result.FailedAt = *part;
      return result;
    }
    result.Made.push_back(*part);
  }
  return result;
}

void RemoveEmptyFolders(const std::vector<std::filesystem::path>& made) {
  for (auto folder = made.rbegin(); folder != made.rend(); ++folder)
    if (!RemoveFolder(*folder)) return;
}

}  // namespace barloom

namespace barloom {

bool HasNameLongerThan(const std::filesystem::path& path, std::size_t maxLength) {
  for (const std::filesystem::path& part : path.relative_path())
    if (part.native().size() > maxLength) return true;
  return false;
}

}  // namespace barloom
