#include "support/fixture.h"

#include "../../platform/testing.h"
#include "cli/dispatch.h"
#include "cli/open_record.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

extern char** environ;

namespace orvantis {
namespace testing {

Bytes bytes_of(const std::string& s) { return Bytes(s.begin(), s.end()); }
std::string string_of(const Bytes& b) { return std::string(b.begin(), b.end()); }

Bytes hex_bytes(const std::string& hex) {
  Bytes out;
  std::string digits;
  for (char c : hex)
    if (c != ' ') digits += c;
  for (size_t i = 0; i + 1 < digits.size(); i += 2)
    out.push_back(static_cast<unsigned char>(std::stoul(digits.substr(i, 2), nullptr, 16)));
  return out;
}

Bytes read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool file_exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

void write_file(const std::string& path, const Bytes& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

void write_file(const std::string& path, const std::string& text) { write_file(path, bytes_of(text)); }

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string templ = std::string(base && *base ? base : "/tmp") + "/orvantis-test-XXXXXX";
  std::vector<char> buf(templ.begin(), templ.end());
  buf.push_back('\0');
  if (!::mkdtemp(buf.data())) std::abort();
  path_ = buf.data();
}

TempDir::~TempDir() {
  std::string cmd = "rm -rf '" + path_ + "'";
  if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", path_.c_str());
}

namespace {

std::vector<std::string> split_words(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::string rest_of(FILE* f) {
  std::string text;
  std::rewind(f);
  char buf[65536];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
  std::fclose(f);
  return text;
}

// Forks; the child sends standard output and error into two temporary files and runs `body`,
// which must not return. The parent collects both and the exit status (128 + signal when killed).
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

}  // namespace

RunResult run_orvantis(const std::vector<std::string>& args, const std::string& db_root,
                       const std::string& cwd, const std::vector<std::string>& prefix) {
  std::vector<std::string> argv_strings = prefix;
  for (const std::string& word : split_words(ORVANTIS_EMULATOR)) argv_strings.push_back(word);
  argv_strings.push_back(ORVANTIS_BIN);
  argv_strings.insert(argv_strings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& s : argv_strings) argv.push_back(&s[0]);
  argv.push_back(nullptr);

  std::vector<std::string> env_strings;
  for (char** e = environ; *e; ++e)
    if (std::strncmp(*e, "VPD_DB_ROOT=", 12) != 0) env_strings.push_back(*e);
  if (!db_root.empty()) env_strings.push_back("VPD_DB_ROOT=" + db_root);
  std::vector<char*> envp;
  for (auto& s : env_strings) envp.push_back(&s[0]);
  envp.push_back(nullptr);

  return run_child([&] {
    ::dup2(::open("/dev/null", O_RDONLY), 0);
    if (!cwd.empty() && ::chdir(cwd.c_str()) != 0) ::_exit(126);
    ::execvpe(argv[0], argv.data(), envp.data());
  });
}

RunResult run_in_process(const std::vector<std::string>& args, const std::string& db_root,
                         void (*prepare)()) {
  return run_child([&] {
    ::setenv("VPD_DB_ROOT", db_root.c_str(), 1);
    vpd_platform::testing::reset_library();
    if (prepare) prepare();
    std::vector<std::string> words = {"orvantis"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(&w[0]);
    argv.push_back(nullptr);
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
  write_device(device, image);
}

void FixtureDb::write_device(const std::string& name, const Bytes& image) const {
  write_file(device_path(name), image);
}

Bytes FixtureDb::read_device(const std::string& name) const { return read_file(device_path(name)); }

const vpd_lib::FieldDescriptor* table_for(int16_t format) {
  switch (format) {
    case vpd_lib::VPD_FORMAT_BRIEF: return vpd_lib::CompVPD_v3;
    case vpd_lib::VPD_FORMAT_CFF3: return vpd_lib::CompVPD_cff3;
    default: return vpd_lib::BlockX;
  }
}

uint32_t table_last(int16_t format) { return last_table_index(table_for(format) == vpd_lib::BlockX ? int16_t{0} : format); }

uint32_t address_of(const vpd_lib::FieldDescriptor& d) { return vpd_lib::field_address(d); }

Image Image::full(int layout, size_t size) {
  Image img(size);
  img.set(0, {0x03, 0xFE});
  if (size > 2) img.bytes_[2] = static_cast<unsigned char>(layout);
  return img;
}

Image Image::brief(size_t size) {
  Image img(size);
  img.set(0, {0xFE, 0x00});
  return img;
}

Image Image::cff3(uint16_t length, size_t size) {
  Image img(size);
  img.set(0, {static_cast<unsigned char>(length), static_cast<unsigned char>(length >> 8)});
  return img;
}

Image& Image::set(uint32_t address, const Bytes& data) {
  if (address + data.size() > bytes_.size()) {
    ADD_FAILURE() << "image write at 0x" << std::hex << address << " passes the image's end";
    return *this;
  }
  std::copy(data.begin(), data.end(), bytes_.begin() + address);
  return *this;
}

Image& Image::set_field(int16_t format, uint32_t index, const Bytes& data) {
  return set(address_of(table_for(format)[index]), data);
}

Image& Image::set_text(int16_t format, uint32_t index, const std::string& text) {
  return set_field(format, index, bytes_of(text));
}

Image& Image::patch(uint32_t address, unsigned char value) {
  if (address < bytes_.size()) bytes_[address] = value;
  return *this;
}

Image& Image::fix_crc() {
  uint32_t crc = reference_crc32(bytes_.data(), 0x3FC);
  return set(0x3FC, {static_cast<unsigned char>(crc >> 24), static_cast<unsigned char>(crc >> 16),
                     static_cast<unsigned char>(crc >> 8), static_cast<unsigned char>(crc)});
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
