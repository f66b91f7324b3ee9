#pragma once
// Writing files so that they are never half-written: a file replaced through a temporary file
// renamed over it, or rewritten in place behind a journal; the folders made for them; and why a
// write failed, in the program's words or the system's. The portable part is in
// file_writing.cpp, the system's part in file_writing_posix.cpp and file_writing_win32.cpp.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <span>
#include <string_view>
#include <vector>

namespace barloom {

// Why a file could not be written or a folder not made, as the program words it in the user's
// language: found by the writer itself, or read from the system's error code
// (FailureFromSystem). A code that names none of these carries the
// system's own message instead.
enum class WriteFailureReason {
  FolderMissing,      // the folder does not exist
  NameIsFolder,       // the name belongs to a folder
  NotOrdinaryFile,    // the name belongs to something that is not an ordinary file (a pipe, a device)
  FileReadOnly,       // the file has no write permission at all
  FolderReadOnly,     // the folder has no write permission at all
  FileNameTooLong,    // a file or folder name is longer than the file system takes
  PathTooLong,        // the path as a whole is longer than the system takes
  DriveMissing,       // the drive or network share is not there
  AccessDenied,       // the user has no right to write there
  DiskFull,           // the disk (or the user's quota on it) is full
  FileInUse,          // another program holds the file
  DriveReadOnly,      // the drive or file system is read-only (write-protected)
  InvalidCharacters,  // a name holds a character that names may not hold
  NameIsFile,         // a folder was to be made where a file has the name
  FileMissing,        // a file to be read is not there (any more)
};

struct WriteFailure {
  std::optional<WriteFailureReason> Reason;  // nullopt: SystemMessage says why
  std::string SystemMessage;                 // the system's words ("Access is denied."), or empty
};

// Replaces (or creates) `file` with `bytes` so that no reader ever sees a half-written file:
// a temporary file in the same folder is written, flushed to disk and renamed over `file`.
// Fails, leaving `file` as it was and no temporary file behind, when the folder is missing or
// read-only, `file` is read-only, a folder, or held open by another program, or the disk or the
// process's file-size limit is full. On failure `failure` (when given) says why.
//
// The first write into a folder in a run also removes the stale temporary files that killed
// runs left there (RemoveStaleTemporaryFiles).
bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes, WriteFailure* failure = nullptr);

// A file's bytes in pieces, one after the other: a large piece is referred to where it lies (it
// must outlive this), small ones are gathered in a buffer of their own, so that bytes made of a
// few large runs are written without being copied into one string first.
class FilePieces {
 public:
  void append(std::string_view bytes);
  // append for bytes that will not outlive this: copied, however large.
  void AppendCopy(std::string_view bytes);
  // The pieces, valid while this and the bytes referred to live (so not of a temporary).
  std::vector<std::string_view> Views() const&;
  std::vector<std::string_view> Views() const&& = delete;

 private:
  static constexpr std::size_t LargePiece = 64 * 1024;
  struct Piece {
    const char* Data;    // referred to, or nullptr: `Length` bytes of own_ from `Offset`
    std::size_t Offset;
    std::size_t Length;
  };
  std::string own_;
  std::vector<Piece> pieces_;
};

// ReplaceFileAtomically with the bytes in pieces, written one after the other.
bool ReplaceFileAtomically(const std::filesystem::path& file, std::span<const std::string_view> pieces,
                           WriteFailure* failure = nullptr);

// False (and why, in `failure` when given) when ReplaceFileAtomically(file, ...) would fail before
// writing a byte: for the reasons it finds itself, or a file another program holds. True promises
// nothing: the disk may still be full.
bool CanReplaceFile(const std::filesystem::path& file, WriteFailure* failure = nullptr);

// Whether `item` is read-only for everyone, root and administrators included, by the rule the
// writer applies: on POSIX a file or folder without any write permission bit; on Windows a file
// with the read-only attribute (a folder's attribute does not protect what is in it). Otherwise
// the system decides when the write happens.
bool IsWriteProtected(const std::filesystem::path& item);

// Whether files can be made in `folder`, as far as the system tells before it is done: on POSIX a
// folder with a write permission bit that this user may write (without any bit, not even root
// may); on Windows a folder in which a file can be made (a probe is made and deleted), and under
// Wine also one whose Unix permission bits allow writing (they show as the read-only attribute,
// which a process running as root would otherwise step over).
bool CanCreateFilesIn(const std::filesystem::path& folder);

// Whether the existing `file` can be written where it is (it is opened for writing, and nothing
// is written).
bool CanWriteFile(const std::filesystem::path& file);

// Rewrites `file` with `bytes` in place, so that it stays the same file: a hard link to it stays
// linked (package managers keep settings files that way), and its attributes, owner and
// permissions stay as they are. Never left half-written: the new bytes go first into a journal
// (RewriteJournalsOf: beside the file, or in the system's temporary folder when the file's folder
// cannot be written), written atomically; then into the file, which is flushed; then the journal
// goes. A run killed on the way leaves the journal, and FinishInterruptedRewrite completes the file
// from it, so the file reads as its old or its new bytes. Every rewrite finishes an interrupted one
// first; a reader of such a file calls FinishInterruptedRewrite before it reads.
// A missing file is created as ReplaceFileAtomically creates one. Fails, with the file as it was,
// when it is read-only (no write permission bit, the read-only attribute), a folder, not an
// ordinary file, held by another program, or when the user may not write it; `failure` says why.
bool RewriteFileInPlace(const std::filesystem::path& file, std::string_view bytes, WriteFailure* failure = nullptr);

// Completes a rewrite of `file` that a killed run left unfinished; true when there was one and
// the file now holds its new bytes (false also when the journal is there but the file still cannot
// be written: the journal stays for the next try).
bool FinishInterruptedRewrite(const std::filesystem::path& file);

// Where the journal of a rewrite of `file` is kept: beside it (".NAME.barloom-rewrite" on POSIX,
// "~NAME.barloom-rewrite" on Windows), else in the system's temporary folder under a name made
// from the file's full path.
struct RewriteJournals {
  std::filesystem::path Beside;
  std::filesystem::path InTemporaryFolder;
};
RewriteJournals RewriteJournalsOf(const std::filesystem::path& file);

// The steps of a rewrite, for tests that end a run at each of them.
enum class RewriteStep { JournalWritten, FileHalfWritten, FileWritten };
extern void (*AfterRewriteStepForTests)(RewriteStep);

// The system's error codes read as reasons, once per platform.

// A Win32 error code on Windows, an errno value elsewhere.
using SystemErrorCode = std::uint32_t;

// Why the system refused, with `code`, to write, replace or make `target` (a file or a folder):
// a WriteFailureReason wherever the code names one, else the system's own words. Where one code
// stands for several causes, `target` tells them apart: a name longer than its file system takes
// (FileNameTooLong), a path longer than the system takes (PathTooLong), a drive or share that is
// not there (DriveMissing), a folder that is missing (FolderMissing).
WriteFailure FailureFromSystem(SystemErrorCode code, const std::filesystem::path& target);

// Why `file`, which a read could not take in, cannot be read: it is opened for reading again and
// the system's answer read as FailureFromSystem reads it; a file that is not there is FileMissing
// (FolderMissing when its folder is gone too, DriveMissing for its drive), a folder NameIsFolder,
// a pipe or device NotOrdinaryFile. A file that opens now gives the system's words for a failed read.
WriteFailure ReadFailureOf(const std::filesystem::path& file);

// The system's own words for `code`, as one sentence ending in a full stop.
std::string SystemMessage(SystemErrorCode code);

// Whether a part of `path` (a folder or file name) is longer than `maxLength` units of the
// platform's paths: UTF-16 code units on Windows, bytes elsewhere.
bool HasNameLongerThan(const std::filesystem::path& path, std::size_t maxLength);

// Making the folders of a path, and taking away again the ones that stayed empty when what they
// were made for failed.

struct FolderCreation {
  std::vector<std::filesystem::path> Made;  // the folders made, outermost first
  std::optional<WriteFailure> Failure;      // why the folder could not be made; Made holds those made before
  std::filesystem::path FailedAt;           // the part that could not be made, or the file in the way
};

// Makes `folder` and every folder above it that is missing, outermost first. A part that is there
// as something other than a folder stops it (NameIsFile, FailedAt names it); so does the first
// folder the system refuses (its reason by FailureFromSystem).
FolderCreation CreateFolders(const std::filesystem::path& folder);

// Removes the folders of `made` (as CreateFolders gives them) that are empty, deepest first; one
// that holds anything stays, and so do all above it.
void RemoveEmptyFolders(const std::vector<std::filesystem::path>& made);

// The temporary files of the writer: their names, the ones being written
// at this moment (so that a run ended by a signal or a console event removes them), and the stale
// ones that runs killed outright left behind.

// Lets a run that is ended, or that reaches a limit, leave no temporary file behind. Call once,
// early in main.
// POSIX: SIGXFSZ is ignored, so that a write beyond the file-size limit fails (EFBIG) and is
// reported instead of ending the process. On SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGPIPE, SIGALRM,
// SIGUSR1 and SIGUSR2 (each unless the program was started with it ignored) the temporary files
// being written are removed, then the process ends as the signal asks.
// Windows: the console's control events (Ctrl+C, Ctrl+Break, closing the console, log-off,
// shut-down) remove them before the process ends.
void InstallTemporaryFileCleanup();

// Removes from `folder` the temporary files that runs of this program left behind when they were
// killed outright: only names of the writer's exact pattern whose process no longer runs and that
// nobody holds (no lock on POSIX; on Windows, no open handle). Gives how many it removed.
int RemoveStaleTemporaryFiles(const std::filesystem::path& folder);

// The name of the temporary file that replaces `file`: the start of the file's name (at most 200
// characters, so the name stays within the 255 a file system allows), the writer's process id and
// a counter: ".Bar_01.bar.barloom-4711-0.tmp" (hidden) on POSIX, "~Bar_01.bar.barloom-4711-0.tmp"
// on Windows.
std::filesystem::path TemporaryFileName(const std::filesystem::path& file, std::uint32_t processId, unsigned counter);

// The process id that `name` carries when it is a temporary file name of exactly that pattern.
std::optional<std::uint32_t> TemporaryFileOwner(const std::filesystem::path& name);

// The pieces the writers are made of ----------------------------------------------------------
// Portable: file_writing.cpp; the system's: file_writing_posix.cpp, file_writing_win32.cpp.

enum class ItemKind { Missing, Folder, Other };
// What is at `path` (links followed); Missing also when the system cannot tell.
ItemKind KindOf(const std::filesystem::path& path);
// Makes the one folder `path`; the system's error code when it cannot.
std::optional<SystemErrorCode> MakeFolder(const std::filesystem::path& path);
// Removes the empty folder `path`; false when it holds anything or cannot be removed.
bool RemoveFolder(const std::filesystem::path& path);

// What replacing a file works on, as found before a byte is written.
struct ReplaceTarget {
  std::filesystem::path File;    // the file to replace (on POSIX what a symbolic link points to)
  std::filesystem::path Folder;  // where its temporary file is written
  bool Exists = false;
  std::uint32_t Keep = 0;  // what the new file keeps of the old: POSIX its mode, Windows its attributes
};
// The target of replacing `file`, or false (and why) when the replacement would fail before
// writing: the folder missing or read-only, the file read-only, a folder, not an ordinary file, or
// held by another program.
bool FindReplaceTarget(const std::filesystem::path& file, ReplaceTarget& target, WriteFailure* failure);

// The process id that temporary file names carry.
std::uint32_t CurrentProcessId();
// The system's code for "the file exists".
SystemErrorCode FileExistsCode();

// A file open for writing from its start: a new temporary file or an existing file written in
// place. Each failure says why in the caller's `failure`, naming the file being replaced or
// rewritten.
class OpenFile {
 public:
  enum class Created { Yes, NameTaken, Failed };

  OpenFile() = default;
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  ~OpenFile();

  // Creates `temporary`, which must not exist yet (NameTaken when it does), for replacing
  // `target`: with the target's mode or attributes, and on POSIX locked, so that a later run sees
  // it in use (RemoveStaleTemporaryFiles).
  Created CreateTemporary(const std::filesystem::path& temporary, const ReplaceTarget& target, WriteFailure* failure);
  // Opens the existing `file` for writing from its start, or false (and why): read-only for
  // everyone (IsWriteProtected), a folder, not an ordinary file, held by another program, or
  // refused by the system.
  bool OpenExisting(const std::filesystem::path& file, WriteFailure* failure);
  // Writes `bytes` behind what was written before.
  bool Write(std::string_view bytes, WriteFailure* failure);
  // Flushes the file to disk and closes it; an existing file is cut behind what was written first.
  bool Finish(WriteFailure* failure);
  // Closes a temporary file and deletes it.
  void Discard();

 private:
  std::intptr_t handle_ = -1;
  std::uint64_t written_ = 0;
  bool inPlace_ = false;
  std::filesystem::path file_;       // named in failures
  std::filesystem::path temporary_;  // deleted by Discard
};

// Moves the finished `temporary` over `target` in one step, or false (and why, naming `target`).
bool MoveOver(const std::filesystem::path& temporary, const std::filesystem::path& target, WriteFailure* failure);

// RemoveStaleTemporaryFiles, the first time a folder is written to in this run.
void RemoveStaleTemporaryFilesOnce(const std::filesystem::path& folder);

// Remembers a temporary file while it is written, for the clean-up at a signal or console event.
// Without a free place (more than a few writes at once, or a path beyond 4,095 characters) the
// file is not remembered, and a later run removes it as stale.
class RememberedTemporaryFile {
 public:
  explicit RememberedTemporaryFile(const std::filesystem::path& file) noexcept;
  ~RememberedTemporaryFile();
  RememberedTemporaryFile(const RememberedTemporaryFile&) = delete;
  RememberedTemporaryFile& operator=(const RememberedTemporaryFile&) = delete;

 private:
  int slot_;
};

// Calls `remove` with the path of each remembered file. Uses nothing but lock-free atomics, so it
// is safe in a signal handler when `remove` is.
void ForEachRememberedTemporaryFile(void (*remove)(const std::filesystem::path::value_type* file)) noexcept;

}  // namespace barloom
