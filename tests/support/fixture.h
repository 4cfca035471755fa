// SPDX-License-Identifier: Apache-2.0
// Test support: copies of the sample VPD platform in temporary directories, and running the real
// orvantis binary (or the tool in a forked child) against them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/dispatch.h"
#include "support/reference_crc32.h"

namespace orvantis {
namespace testing {

using Bytes = std::vector<unsigned char>;

std::string string_of(const Bytes& b);

Bytes read_file(const std::string& path);   // empty when missing
void write_file(const std::string& path, const Bytes& data);
void write_file(const std::string& path, const std::string& text);

// A fresh directory under $TMPDIR, removed with its contents on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

struct RunResult {
  std::string out;  // standard output, byte for byte
  std::string err;
  int status = -1;  // exit status, or 128 + signal
};

// A copy of the sample platform (ROOT/inventory, ROOT/dev/NAME), removed on destruction.
class SampleDb {
 public:
  SampleDb();
  const std::string& root() const { return dir_.path(); }
  std::string file(const std::string& name) const { return dir_.file(name); }
  // Appends one inventory line, e.g. "7 yes full 0x2000 /dev/zero endless device".
  void add_line(const std::string& line) const;
  // Runs orvantis (under the cross emulator when there is one) with the copy as VPD_DB_ROOT and
  // as working directory. `prefix` is a command (looked up in PATH) that gets the whole orvantis
  // command line as its arguments, e.g. {"sh", "-c", "exec \"$@\" >/dev/full", "sh"}.
  RunResult run(const std::vector<std::string>& args, const std::vector<std::string>& prefix = {}) const;
  // Runs run_tool with `modes` on the copy in a forked child of the test, so what `prepare` sets
  // up in the child before the command runs (a device env, say) takes effect.
  RunResult run_in_process(const std::vector<std::string>& args, void (*prepare)(),
                           const Rows<ModeRow>& modes = kModes) const;

 private:
  TempDir dir_;
};

}  // namespace testing
}  // namespace orvantis
