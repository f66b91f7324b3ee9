#include "settings/ini_key_writes.h"

#include "settings/ini_syntax.h"

namespace barloom {
using namespace ini;

IniKeyWrites::IniKeyWrites() : impl_(std::make_unique<Impl>()) {}
IniKeyWrites::IniKeyWrites(IniKeyWrites&&) noexcept = default;
IniKeyWrites& IniKeyWrites::operator=(IniKeyWrites&&) noexcept = default;
IniKeyWrites::~IniKeyWrites() = default;

std::size_t IniKeyWrites::Size() const { return impl_->Size(); }

void IniKeyWrites::Reserve(std::size_t writes, std::size_t bytes) {
  impl_->Entries.reserve(impl_->Entries.size() + writes);
  impl_->Text.reserve(impl_->Text.size() + bytes + writes * CrLf.size());
  impl_->Names.Reserve(impl_->Entries.size() + writes, impl_->NameOf());
}

void IniKeyWrites::Add(std::string_view keyArg, std::string_view valueArg) {
  const std::string_view key = TrimLeft(CutAtNul(keyArg), ProfileBlanks);
  const std::string_view value = TrimLeft(CutAtNul(valueArg), ProfileBlanks);
  Impl& writes = *impl_;
  const std::size_t index = writes.Size();
  const std::size_t nameLength = TrimRight(key, ProfileBlanks).size();
  writes.Entries.push_back({writes.Text.size(), key.size() + 1 + value.size(), key.size(), nameLength});
  writes.Text.append(key).append("=").append(value);
  writes.Text.append(CrLf);
  const std::string_view line = writes.Line(index);
  // "a=b" as a key name writes a line read as the key "a".
  if (ChangesStructure(line) || ParseLine(line).Name != writes.Name(index)) writes.Independent = false;
  if (writes.Names.FindOrAdd(index, writes.Name(index), writes.NameOf()) != index) writes.Independent = false;
  ++writes.PlainWrites;
  if (writes.Family) {
    const std::optional<std::size_t> key = writes.Family->IndexOf(writes.Name(index));
    if (key && writes.FamilyWrites[*key] != Impl::NoWrite) writes.Independent = false;
  }
}

void IniKeyWrites::AddNumbered(const NumberedKeys& family, std::size_t key, std::string_view valueArg) {
  Impl& writes = *impl_;
  if (writes.Family && *writes.Family != family) {
    std::string name;
    family.AppendName(name, key);
    return Add(name, valueArg);
  }
  if (!writes.Family) {
    writes.Family = family;
    writes.FamilyWrites.assign(family.Size(), Impl::NoWrite);
  }
  const std::string_view value = TrimLeft(CutAtNul(valueArg), ProfileBlanks);
  const std::size_t index = writes.Size();
  const std::size_t offset = writes.Text.size();
  family.AppendName(writes.Text, key);
  const std::size_t nameLength = writes.Text.size() - offset;
  writes.Text.append("=").append(value);
  writes.Entries.push_back({offset, writes.Text.size() - offset, nameLength, nameLength});
  writes.Text.append(CrLf);
  // The name is a plain key name: only a line break in the value makes the line something else.
  if (HasLineBreak(value)) writes.Independent = false;
  // A key written twice, or written by an Add before (looked up only when there was one).
  if (writes.FamilyWrites[key] != Impl::NoWrite) writes.Independent = false;
  if (writes.PlainWrites > 0 && writes.Names.Find(writes.Name(index), writes.NameOf())) writes.Independent = false;
  writes.FamilyWrites[key] = index;
}

}  // namespace barloom
