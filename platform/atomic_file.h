#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace barloom {

// Why a file could not be written or a folder not made, as the program words it in the user's
// language: found by the writer itself, or read from the system's error code
// (FailureFromSystem, platform/file_failure.h). A code that names none of these carries the
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

}  // namespace barloom
