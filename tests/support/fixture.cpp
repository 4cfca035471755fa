// SPDX-License-Identifier: Apache-2.0
#include "support/fixture.h"

#include "support/library_hooks.h"
#include "cli/dispatch.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace orvantis {
namespace testing {

std::string string_of(const Bytes& b) { return std::string(b.begin(), b.end()); }

Bytes read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void write_file(const std::string& path, const Bytes& data) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

void write_file(const std::string& path, const std::string& text) { write_file(path, Bytes(text.begin(), text.end())); }

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  path_ = std::string(base && *base ? base : "/tmp") + "/orvantis-test-XXXXXX";
  if (!::mkdtemp(&path_[0])) std::abort();
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

namespace {

std::string rest_of(FILE* f) {
  std::string text;
  std::rewind(f);
  char buf[65536];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
  std::fclose(f);
  return text;
}

// Forks; the child sends standard output and error into two temporary files and runs `body` on
// argv made of `words` (a null pointer after them); `body` must not return. The parent collects
// both outputs and the exit status.
RunResult run_child(std::vector<std::string> words, const std::function<void(char**)>& body) {
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(&w[0]);
  argv.push_back(nullptr);
  FILE* out = std::tmpfile();
  FILE* err = std::tmpfile();
  if (!out || !err) std::abort();
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) std::abort();
  if (pid == 0) {
    ::dup2(::fileno(out), 1);
    ::dup2(::fileno(err), 2);
    body(argv.data());
    ::_exit(127);
  }
  int wstatus = 0;
  while (::waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
  return {rest_of(out), rest_of(err), WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus)};
}

}  // namespace

RunResult SampleDb::run(const std::vector<std::string>& args, const std::vector<std::string>& prefix) const {
  std::vector<std::string> words = prefix;
  std::istringstream emulator(ORVANTIS_EMULATOR);
  for (std::string w; emulator >> w;) words.push_back(w);
  words.push_back(ORVANTIS_BIN);
  words.insert(words.end(), args.begin(), args.end());
  return run_child(words, [&](char** argv) {  // in the child: its own environment, directory and standard input
    ::setenv("VPD_DB_ROOT", root().c_str(), 1);
    ::dup2(::open("/dev/null", O_RDONLY), 0);
    if (::chdir(root().c_str()) != 0) ::_exit(126);
    ::execvp(argv[0], argv);
  });
}

RunResult SampleDb::run_in_process(const std::vector<std::string>& args, void (*prepare)(),
                                   const Rows<ModeRow>& modes) const {
  std::vector<std::string> words = {"orvantis"};
  words.insert(words.end(), args.begin(), args.end());
  return run_child(words, [&](char** argv) {
    ::setenv("VPD_DB_ROOT", root().c_str(), 1);
    vpd_platform::testing::reset_library();
    prepare();
    const int status = run_tool(modes, static_cast<int>(words.size()), argv);
    std::fflush(nullptr);
    ::_exit(status);
  });
}

SampleDb::SampleDb() { std::filesystem::copy(SAMPLE_DB_DIR, root(), std::filesystem::copy_options::recursive); }

void SampleDb::add_line(const std::string& line) const { std::ofstream(file("inventory"), std::ios::app) << line << "\n"; }

}  // namespace testing
}  // namespace orvantis
