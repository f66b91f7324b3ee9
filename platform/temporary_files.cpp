// What both platforms share of the temporary files: their names and the table of files being
// written. Clean-up and the search for stale files are in temporary_files_posix.cpp and _win32.cpp.
#include "platform/temporary_files.h"

#include <array>
#include <atomic>
#include <mutex>
#include <set>
#include <string>

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
