// SPDX-License-Identifier: Apache-2.0
#include "support/fixture.h"

#include "support/library_hooks.h"
#include "cli/dispatch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace orvantis {
namespace testing {

std::string string_of(const Bytes& b) { return std::string(b.begin(), b.end()); }

Bytes read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void write_file(const std::string& path, const Bytes& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
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

std::vector<std::string> split_words(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// argv for exec or run_tool: pointers into `words`, then a null pointer.
std::vector<char*> argv_of(std::vector<std::string>& words) {
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(&w[0]);
  argv.push_back(nullptr);
  return argv;
}

std::string rest_of(FILE* f) {
  std::string text;
  std::rewind(f);
  char buf[65536];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
  std::fclose(f);
  return text;
}

}  // namespace

RunResult run_child(const std::function<void()>& body) {
  FILE* out = std::tmpfile();
  FILE* err = std::tmpfile();
  if (!out || !err) std::abort();
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) std::abort();
  if (pid == 0) {
    ::dup2(::fileno(out), 1);
    ::dup2(::fileno(err), 2);
    body();
    ::_exit(127);
  }
  int wstatus = 0;
  while (::waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
  return {rest_of(out), rest_of(err), WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus)};
}

RunResult run_orvantis(const std::vector<std::string>& args, const std::string& db_root,
                       const std::string& cwd, const std::vector<std::string>& prefix) {
  std::vector<std::string> words = prefix;
  for (const std::string& word : split_words(ORVANTIS_EMULATOR)) words.push_back(word);
  words.push_back(ORVANTIS_BIN);
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv = argv_of(words);
  return run_child([&] {  // in the child: its own environment, directory and standard input
    if (db_root.empty()) ::unsetenv("VPD_DB_ROOT");
    else ::setenv("VPD_DB_ROOT", db_root.c_str(), 1);
    ::dup2(::open("/dev/null", O_RDONLY), 0);
    if (!cwd.empty() && ::chdir(cwd.c_str()) != 0) ::_exit(126);
    ::execvp(argv[0], argv.data());
  });
}

RunResult run_in_process(const std::vector<std::string>& args, const std::string& db_root,
                         void (*prepare)()) {
  std::vector<std::string> words = {"orvantis"};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv = argv_of(words);
  return run_child([&] {
    ::setenv("VPD_DB_ROOT", db_root.c_str(), 1);
    vpd_platform::testing::reset_library();
    if (prepare) prepare();
    const int status = run_tool(static_cast<int>(words.size()), argv.data());
    std::fflush(nullptr);
    ::_exit(status);
  });
}

FixtureDb::FixtureDb() {
  ::mkdir((root() + "/dev").c_str(), 0755);
  write_file(root() + "/inventory", std::string("# fixture inventory\n"));
  inventory_ = "# fixture inventory\n";
}

void FixtureDb::add_line(const std::string& line) {
  inventory_ += line + "\n";
  write_file(root() + "/inventory", inventory_);
}

void FixtureDb::add_fru(unsigned fru, const std::string& format, uint32_t max_size,
                        const std::string& device, const Bytes& image,
                        const std::string& description) {
  char line[512];
  std::snprintf(line, sizeof line, "%u yes %s 0x%X %s %s", fru, format.c_str(), max_size,
                device.c_str(), description.c_str());
  add_line(line);
  write_file(device_path(device), image);
}

Bytes FixtureDb::read_device(const std::string& name) const { return read_file(device_path(name)); }

Bytes full_image(int layout) {
  Bytes image(0x2000, 0);
  image[0] = 0x03;
  image[1] = 0xFE;
  image[2] = static_cast<unsigned char>(layout);
  return image;
}

Bytes brief_image() {
  Bytes image(0x100, 0);
  image[0] = 0xFE;
  return image;
}

Bytes cff3_image(uint16_t length, size_t size) {
  Bytes image(size, 0);
  image[0] = static_cast<unsigned char>(length);
  image[1] = static_cast<unsigned char>(length >> 8);
  return image;
}

uint32_t reference_crc32(const unsigned char* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

}  // namespace testing
}  // namespace orvantis
