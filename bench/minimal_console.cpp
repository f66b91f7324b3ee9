// The smallest console program that says its version: the yardstick that the start-up of
// `barloom-cli --version` is measured against. Built with the same toolchain and flags.
#include <cstdio>

int main() {
  std::puts("minimal_console 1.0");
  return 0;
}
