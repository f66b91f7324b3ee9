#pragma once
#include <string_view>

namespace barloom {

// The program-wide "no value" text. Inside the code a missing value is a std::optional; this
// marker exists only at the interfaces that require it (profile reads that must tell a missing
// key from an empty one, the file dialog's "cancelled", the registry's "absent").
inline constexpr std::string_view NotFoundMarker = "///cannot.find.this.data.here\\\\\\";
static_assert(NotFoundMarker.size() == 32);

}  // namespace barloom
