// SPDX-License-Identifier: Apache-2.0
// Benchmark floor: a C++ program that starts, reads one file and exits, built with the same
// compiler and standard library as orvantis. What orvantis costs above this is its own work.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: floor FILE\n", stderr);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Use the bytes, so that the read cannot be dropped.
  unsigned sum = 0;
  for (char c : bytes) sum += static_cast<unsigned char>(c);
  return in.bad() || (sum == 0xFFFFFFFFu) ? 1 : 0;
}
