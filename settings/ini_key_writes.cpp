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
  impl_->Text.reserve(impl_->Text.size() + bytes);
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
  const std::string_view line = writes.Line(index);
  // "a=b" as a key name writes a line read as the key "a".
  if (ChangesStructure(line) || ParseLine(line).Name != writes.Name(index)) writes.Independent = false;
  if (writes.Names.FindOrAdd(index, writes.Name(index), writes.NameOf()) != index) writes.Independent = false;
}

}  // namespace barloom
