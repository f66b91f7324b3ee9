#pragma once
#include <cstdio>
#include <cstdlib>

// A broken invariant stops the run with its reason on standard error (unbuffered, so the reason
// is there before the abort), and libFuzzer keeps the input that broke it.
namespace barloom::fuzz {

inline void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

}  // namespace barloom::fuzz
