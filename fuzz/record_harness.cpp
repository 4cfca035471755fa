// SPDX-License-Identifier: Apache-2.0
// The record harness: a hostile FRU and one command of the tool, run in this process through
// run_tool, on device files written afresh for each input. The layout of an input is described
// at fuzz_record in harnesses.h.
//
// The tool's commands return their exit status to run_tool (only main ends the process), so
// there is no fork per input: the library's inventory snapshot and records are dropped before and
// after each run (reset_library), standard output and standard error are captured in memory by
// swapping the stdio streams (sanitizer reports still reach descriptor 2), and the device files
// live in one temporary database per process, on tmpfs where there is one.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "../platform/database.h"
#include "../tests/support/library_hooks.h"
#include "../tests/support/reference_crc32.h"
#include "cli/dispatch.h"
#include "cli/modes.h"
#include "fields/field_write.h"
#include "fields/named_fields.h"
#include "harnesses.h"
#include "util/bytes.h"
#include "vpd_access/vpd.h"

namespace orvantis_fuzz {
namespace {

using Bytes = std::vector<unsigned char>;

// A device file as the input describes it: `given` bytes from the input, then zeros up to
// `length` (written sparse, so a large device costs little).
struct Image {
  const uint8_t* given = nullptr;
  size_t given_size = 0;
  uint32_t length = 0;
};

// Aborts on a broken invariant, naming the check (a crash is what libFuzzer and the replay test
// report).
void require(bool holds, int line = __builtin_LINE()) {
  if (holds) return;
  std::fprintf(stderr, "record harness: the check on line %d of %s failed\n", line, __FILE__);
  std::abort();
}

// The largest device file an input may ask for: past a compact record's furthest block
// (7 * 0xFFFF + 0xFFFF bytes), so every block offset the tool computes can lie inside the file.
constexpr uint32_t kMaxDeviceSize = 0x80000;
// How long the tool may wait for a device lock. Nothing else opens these files, so any wait at all
// is the tool contending with itself, which the harness reports.
constexpr unsigned kLockTimeoutMs = 50;

// The mode a byte names, from the tool's own mode table, so that every mode there is fuzzed: a mode
// option letter (0 for none) names its row, any other byte the row at its value modulo the size.
const orvantis::ModeRow* mode_of(uint8_t byte) {
  const orvantis::ModeRow* row = orvantis::mode_row(orvantis::kModes, byte);
  return row != nullptr ? row : &orvantis::kModes.first[byte % orvantis::kModes.size];
}

// Device names as inventories give them: the system board's (which has a backup copy beside it),
// an absolute path, another name under ROOT/dev, and the name -B falls back to.
enum DeviceNaming { NAME_SYSTEM_BOARD, NAME_ABSOLUTE, NAME_OTHER, NAME_FALLBACK_BACKUP };

// The input taken apart (see harnesses.h).
struct Case {
  const orvantis::ModeRow* mode = nullptr;
  bool backup = false;         // -B
  bool stored_order = false;   // -E
  const char* blocksize = nullptr;  // -y's word, or none
  bool present = true;
  DeviceNaming naming = NAME_SYSTEM_BOARD;
  const char* block = nullptr;  // -b's word, or none
  uint32_t block_number = 0;    // the block the tool works on when -b is accepted
  unsigned inventory_fru = 0;
  const char* fru_word = nullptr;  // -i's word, or none
  uint32_t fru_value = 0;          // the full value -i gives (0 without -i)
  int16_t format = vpd_lib::VPD_FORMAT_FULL;
  uint8_t argument_mode = 0;
  uint32_t max_size = 0;
  Image device;
  Image backup_copy;  // length 0: no backup file
  Bytes argument;
};

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  uint32_t le(int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= uint32_t{byte()} << (8 * i);
    return v;
  }
  // The next `count` bytes (fewer at the end of the input), zero-filled or cut to `length`.
  Image image(size_t count, uint32_t length) {
    const size_t take = std::min(count, size_ - pos_);
    Image out{data_ + pos_, std::min<size_t>(take, length), length};
    pos_ += take;
    return out;
  }
  Bytes rest() {
    Bytes out(data_ + pos_, data_ + size_);
    pos_ = size_;
    return out;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

Case parse_case(const uint8_t* data, size_t size) {
  static const char* const kBlockSizes[8] = {nullptr,   "256",     "1024", "512",
                                             "0x10100", "0x10400", "0",    nullptr};
  static const char* const kBlocks[16] = {"0", "1",  "2",          "3", "4", "5", "6", "7",
                                          nullptr, "8", "-1", "4294967303"};
  // The inventory's FRU id, -i's word and its full value; the last names a FRU that is not there.
  static const struct {
    unsigned inventory_fru;
    const char* word;
    uint32_t value;
  } kFrus[5] = {{0, "0", 0}, {0, nullptr, 0}, {0, "0x100", 0x100}, {5, "5", 5}, {5, "0", 0}};
  static const int16_t kFormats[6] = {vpd_lib::VPD_FORMAT_FULL, vpd_lib::VPD_FORMAT_BRIEF,
                                      vpd_lib::VPD_FORMAT_CFF3, 3, -1, 0x7FFF};
  Reader in(data, size);
  Case c;
  c.mode = mode_of(in.byte());
  const uint8_t options = in.byte();
  c.backup = options & 0x01;
  c.stored_order = options & 0x02;
  c.blocksize = kBlockSizes[(options >> 2) & 7];
  c.present = !(options & 0x20);
  c.naming = static_cast<DeviceNaming>(options >> 6);
  const uint8_t block = in.byte() & 0x0F;
  c.block = kBlocks[block];
  c.block_number = block < 8 ? block : 0;
  const auto& fru = kFrus[in.byte() % 5];
  c.inventory_fru = fru.inventory_fru;
  c.fru_word = fru.word;
  c.fru_value = fru.value;
  c.format = kFormats[in.byte() % 6];
  c.argument_mode = in.byte();
  c.max_size = in.le(4);
  const uint32_t device_size = std::min(in.le(4), kMaxDeviceSize);
  const uint32_t backup_size = in.le(2);
  const uint32_t device_given = in.le(2);
  const uint32_t backup_given = in.le(2);
  c.device = in.image(device_given, device_size);
  c.backup_copy = in.image(backup_given, backup_size);
  c.argument = in.rest();
  return c;
}

// argv can carry no NUL: an argument word is the text up to the first one.
std::string word_of(const Bytes& bytes) {
  const auto nul = std::find(bytes.begin(), bytes.end(), 0);
  return std::string(bytes.begin(), nul);
}

bool write_file(const std::string& path, const Bytes& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return ::close(fd) == 0 && done == bytes.size();
}

// Nothing in this process sets a file's modification time to this, and every write(2) moves it to
// the present: a device file that still shows it after a run was not written.
constexpr struct timespec kUnwritten = {1, 0};

bool write_image(const std::string& path, const Image& image) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < image.given_size) {
    const ssize_t n = ::write(fd, image.given + done, image.given_size - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  const struct timespec times[2] = {{0, UTIME_OMIT}, kUnwritten};
  const bool ok =
      done == image.given_size && ::ftruncate(fd, image.length) == 0 && ::futimens(fd, times) == 0;
  return ::close(fd) == 0 && ok;
}

// Up to `length` bytes of the file from `offset`.
Bytes read_range(const std::string& path, uint64_t offset, size_t length) {
  Bytes out(length);
  size_t done = 0;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  while (fd >= 0 && done < length) {
    const off_t at = static_cast<off_t>(offset + done);
    const ssize_t n = ::pread(fd, out.data() + done, length - done, at);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  if (fd >= 0) ::close(fd);
  out.resize(done);
  return out;
}

// The file's bytes; `exists` tells a missing file from an empty one.
Bytes read_file(const std::string& path, bool* exists = nullptr) {
  struct stat st;
  const bool found = ::stat(path.c_str(), &st) == 0;
  if (exists) *exists = found;
  return found ? read_range(path, 0, static_cast<size_t>(st.st_size)) : Bytes();
}

// One temporary database for the process, removed when it exits.
class Workspace {
 public:
  Workspace() {
    struct stat st;
    const char* tmp = std::getenv("TMPDIR");
    const std::string base = ::stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) &&
                                     ::access("/dev/shm", W_OK) == 0
                                 ? "/dev/shm"
                                 : (tmp && *tmp ? tmp : "/tmp");
    const std::string pattern = base + "/orvantis-fuzz-XXXXXX";
    require(pattern.size() < sizeof root_);
    std::memcpy(root_, pattern.c_str(), pattern.size() + 1);
    require(::mkdtemp(root_) != nullptr);
    require(::mkdir(dev("").c_str(), 0755) == 0);
    // The path is a plain array, so it is still there when the exit handlers run.
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(instance().root_, ignored);
    });
  }
  static Workspace& instance() {
    static Workspace w;
    return w;
  }
  std::string root() const { return root_; }
  std::string dev(const std::string& name) const { return root() + "/dev/" + name; }
  std::string file(const std::string& name) const { return root() + "/" + name; }

 private:
  char root_[4096] = {};
};

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the tool on `words` (argv[1..]) with the database at `root`, as a fresh process would.
Outcome run(const std::string& root, const std::vector<std::string>& words) {
  std::vector<std::string> args = {"orvantis"};
  args.insert(args.end(), words.begin(), words.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(&a[0]);
  argv.push_back(nullptr);

  const char* saved_root = std::getenv("VPD_DB_ROOT");
  const std::string previous_root = saved_root ? saved_root : "";
  ::setenv("VPD_DB_ROOT", root.c_str(), 1);
  static vpd_platform::DeviceEnv short_wait;
  short_wait.lock_timeout_ms = kLockTimeoutMs;
  vpd_platform::testing::reset_library();
  vpd_platform::testing::use_device_env(&short_wait);

  char* out_text = nullptr;
  char* err_text = nullptr;
  size_t out_size = 0, err_size = 0;
  FILE* out = ::open_memstream(&out_text, &out_size);
  FILE* err = ::open_memstream(&err_text, &err_size);
  require(out != nullptr && err != nullptr);
  std::fflush(stdout);
  std::fflush(stderr);
  FILE* const real_out = stdout;
  FILE* const real_err = stderr;
  stdout = out;
  stderr = err;
  Outcome outcome;
  try {
    outcome.status = orvantis::run_tool(orvantis::kModes, static_cast<int>(args.size()), argv.data());
  } catch (const std::exception& e) {
    stdout = real_out;
    stderr = real_err;
    std::fprintf(stderr, "record harness: the tool threw: %s\n", e.what());
    std::abort();
  } catch (...) {
    stdout = real_out;
    stderr = real_err;
    std::fprintf(stderr, "record harness: the tool threw\n");
    std::abort();
  }
  stdout = real_out;
  stderr = real_err;
  std::fclose(out);
  std::fclose(err);
  outcome.out.assign(out_text, out_size);
  outcome.err.assign(err_text, err_size);
  std::free(out_text);
  std::free(err_text);

  // The records (and the device locks they hold) go, as they would with the process.
  vpd_platform::testing::reset_library();
  vpd_platform::testing::use_device_env(nullptr);
  if (previous_root.empty()) ::unsetenv("VPD_DB_ROOT");
  else ::setenv("VPD_DB_ROOT", previous_root.c_str(), 1);

  // Whatever the bytes: status 0 or 1, a failure always says why, and the tool never waits on a
  // lock it holds itself.
  require(outcome.status == 0 || outcome.status == 1);
  require(outcome.status == 0 || !outcome.out.empty() || !outcome.err.empty());
  require(outcome.err.find("lock not obtained") == std::string::npos);
  return outcome;
}

// The device files of one case, as written and as the tool may change them.
struct Devices {
  std::string primary;   // the inventory's device
  std::string backup;    // the copy -B selects; empty when that is the primary itself
  std::string target;    // the file the command works on
  Image primary_image;
  Image backup_image;
  bool backup_exists = false;
};

Devices lay_out(const Workspace& ws, const Case& c) {
  Devices d;
  // The inventory's device word and its file under dev/; the system board's backup copy, as the
  // library's rule places it, unless that is the device itself (VPDb's own).
  static const char* const kDevices[4] = {"mb_vpd", "card", "riser", "VPDb"};
  d.primary = ws.dev(kDevices[c.naming]);
  const std::string name = c.naming == NAME_ABSOLUTE ? d.primary : kDevices[c.naming];
  // Where the library's rule puts FRU `fru`'s backup copy on this device; "" when it has none.
  const auto copy_of = [&](uint32_t fru) {
    std::string copy = name;
    bool beside = false;
    uint32_t size = c.max_size;
    return vpd_lib::backup_copy_of(fru, &copy, &beside, &size)
               ? vpd_platform::device_path(ws.root(), copy, beside) : std::string();
  };
  if (copy_of(0) != d.primary) d.backup = copy_of(0);
  // -B works on it when the command's FRU id, the full value, has a backup copy.
  d.target = c.backup && !copy_of(c.fru_value).empty() && !d.backup.empty() ? d.backup : d.primary;

  d.primary_image = c.device;
  d.backup_exists = !d.backup.empty() && c.backup_copy.length > 0;
  if (d.backup_exists) d.backup_image = c.backup_copy;
  // The previous case's other device files go; only this harness makes files under dev/.
  static const char* const kNames[] = {"mb_vpd", "mb_vpd.backup", "card", "riser", "VPDb"};
  static bool laid[std::size(kNames)] = {};
  for (size_t i = 0; i < std::size(kNames); ++i) {
    const std::string path = ws.dev(kNames[i]);
    const bool wanted = path == d.primary || (path == d.backup && d.backup_exists);
    if (laid[i] && !wanted) ::unlink(path.c_str());
    laid[i] = wanted;
  }
  require(write_image(d.primary, d.primary_image));
  if (d.backup_exists) require(write_image(d.backup, d.backup_image));

  char line[512];
  const vpd_lib::VpdFormat* f = vpd_lib::format_of(c.format);
  const std::string format = f != nullptr ? f->name : std::to_string(c.format);
  std::snprintf(line, sizeof line, "# fuzzed card\n%u %s %s 0x%X %s hostile card\n",
                c.inventory_fru, c.present ? "yes" : "no", format.c_str(),
                static_cast<unsigned>(c.max_size), name.c_str());
  require(write_file(ws.file("inventory"), Bytes(line, line + std::strlen(line))));
  return d;
}

std::vector<std::string> record_options(const Case& c) {
  std::vector<std::string> words;
  if (c.fru_word) words.insert(words.end(), {"-i", c.fru_word});
  if (c.block) words.insert(words.end(), {"-b", c.block});
  if (c.blocksize) words.insert(words.end(), {"-y", c.blocksize});
  if (c.backup) words.push_back("-B");
  if (c.stored_order) words.push_back("-E");
  return words;
}

// Bytes [offset, offset + length) of the target file that a writing command may change.
struct Span {
  uint64_t offset = 0;
  uint64_t length = 0;
};

const vpd_lib::VpdFormat& kFull = *vpd_lib::format_of(vpd_lib::VPD_FORMAT_FULL);

// The bytes of field `field_id` of a format, as its descriptor table places them; none for an id
// that is not a field of the format. Worked out here from the table's base and size, not with the
// library's own id lookup, which is part of what runs under test.
void add_field_span(const vpd_lib::VpdFormat& f, uint32_t field_id, std::vector<Span>* spans) {
  if (field_id < f.base || field_id - f.base >= f.table_size) return;
  const vpd_lib::FieldDescriptor& d = f.table[field_id - f.base];
  spans->push_back({vpd_lib::field_address(d), d.length});
}

// Checks a device file after a command: the same length, and outside `spans` the bytes that were
// written. A file whose modification time is still kUnwritten is taken as it was without reading
// it; memcpy and memcmp do the rest, as the harness's own code is instrumented too.
void require_unchanged_outside(const std::string& path, const Image& before,
                               const std::vector<Span>& spans) {
  struct stat st;
  require(::stat(path.c_str(), &st) == 0);
  require(static_cast<uint64_t>(st.st_size) == before.length);
  if (st.st_mtim.tv_sec == kUnwritten.tv_sec && st.st_mtim.tv_nsec == kUnwritten.tv_nsec) return;
  Bytes after = read_range(path, 0, before.length);
  require(after.size() == before.length);
  Bytes expected(before.length, 0);
  if (before.given_size > 0) std::memcpy(expected.data(), before.given, before.given_size);
  for (const Span& s : spans) {
    if (s.offset >= after.size()) continue;
    const uint64_t length = std::min<uint64_t>(s.length, after.size() - s.offset);
    std::memcpy(after.data() + s.offset, expected.data() + s.offset, static_cast<size_t>(length));
  }
  require(after.empty() || std::memcmp(expected.data(), after.data(), after.size()) == 0);
}

void require_devices(const Devices& d, const Outcome& outcome, const std::vector<Span>& spans) {
  // A failed command writes nothing.
  const std::vector<Span> none;
  const std::vector<Span>& allowed = outcome.status == 0 ? spans : none;
  require_unchanged_outside(d.primary, d.primary_image, d.target == d.primary ? allowed : none);
  if (d.backup.empty()) return;
  if (d.backup_exists) {
    require_unchanged_outside(d.backup, d.backup_image, d.target == d.backup ? allowed : none);
  } else {
    struct stat st;
    require(::stat(d.backup.c_str(), &st) != 0);
  }
}

// The printout -c converts: the tool's own -p of the hostile record, as is, with the argument
// appended or spliced in at a line, or the argument alone.
std::string printout_for(const Case& c, const std::string& printed) {
  const std::string extra(c.argument.begin(), c.argument.end());
  switch (c.argument_mode & 3) {
    case 0: return printed;
    case 1: return printed + extra;
    case 2: return extra;
    default: {
      size_t at = 0;
      for (int line = c.argument_mode >> 2; line > 0 && at != std::string::npos; --line)
        at = printed.find('\n', at + 1);
      at = at == std::string::npos ? printed.size() : at;
      return printed.substr(0, at) + extra + printed.substr(at);
    }
  }
}

// The raw file -w burns: the argument bytes, or the block as -r dumped it with the argument laid
// over its start, one byte short, or one byte long.
Bytes raw_for(const Case& c, const Bytes& dumped, bool dump_ok) {
  if (!dump_ok || (c.argument_mode & 3) == 0) return c.argument;
  Bytes raw = dumped;
  std::copy_n(c.argument.begin(), std::min(c.argument.size(), raw.size()), raw.begin());
  if ((c.argument_mode & 3) == 2 && !raw.empty()) raw.pop_back();
  if ((c.argument_mode & 3) == 3) raw.push_back(c.argument_mode);
  return raw;
}

void run_case(const Case& c) {
  const Workspace& ws = Workspace::instance();
  const Devices devices = lay_out(ws, c);
  const Bytes inventory = read_file(ws.file("inventory"));
  const std::string raw_path = ws.file("block.bin");
  const std::string ascii_path = ws.file("printout.txt");
  ::unlink(raw_path.c_str());
  ::unlink(ascii_path.c_str());

  std::vector<std::string> words = record_options(c);
  std::vector<Span> spans;  // what a writing command may change in the target file
  const std::string argument = word_of(c.argument);

  const orvantis::ModeRow& mode = *c.mode;
  const std::string option = {'-', mode.letter};
  switch (mode.argument) {
    case orvantis::ARG_NONE:
      if (mode.letter != 0) words.push_back(option);  // none: the record is only opened
      break;
    case orvantis::ARG_FIELD_NUMBER:
      words.insert(words.end(), {option, argument.empty() ? std::to_string(c.argument_mode) : argument});
      break;
    case orvantis::ARG_FIELD_NAME: {
      // A name of the tool's table, or the argument text.
      const orvantis::Rows<orvantis::NamedField>& names = orvantis::kNamedFields;
      const size_t pick = c.argument_mode % (names.size + 1);
      words.insert(words.end(), {option, pick < names.size ? names.first[pick].name : argument});
      break;
    }
    case orvantis::ARG_REQUEST:
      words.insert(words.end(), {option, argument});
      break;
    case orvantis::ARG_OUTPUT_FILE: words.insert(words.end(), {option, raw_path}); break;
    case orvantis::ARG_INPUT_FILE: {
      // Dump, edit, burn: the usual way a block is rewritten.
      std::vector<std::string> dump = record_options(c);
      dump.insert(dump.end(), {"-r", raw_path});
      const Outcome dumped = run(ws.root(), dump);
      require_devices(devices, dumped, {});
      const Bytes raw = raw_for(c, read_file(raw_path), dumped.status == 0);
      require(write_file(raw_path, raw));
      const uint64_t offset = uint32_t(c.block_number * static_cast<uint32_t>(raw.size()));
      spans.push_back({offset, raw.size()});
      words.insert(words.end(), {option, raw_path});
      break;
    }
    case orvantis::ARG_ASCII_AND_RAW: {
      std::vector<std::string> print = record_options(c);
      print.push_back("-p");
      const Outcome printed = run(ws.root(), print);
      require_devices(devices, printed, {});
      const std::string text = printout_for(c, printed.out);
      require(write_file(ascii_path, Bytes(text.begin(), text.end())));
      words.insert(words.end(), {option, ascii_path, raw_path});
      break;
    }
  }
  // What each writing mode may change besides a burn's block; a writing mode not named here may
  // change nothing, so the harness fails on its first write until it is taught the mode.
  const orvantis::SetRequest request = orvantis::parse_set_request(argument);
  if (mode.letter == 'O') {
    if (const vpd_lib::VpdFormat* f = vpd_lib::format_of(c.format); request.enough && f)
      add_field_span(*f, static_cast<uint32_t>(request.number) | f->base, &spans);
  } else if (mode.letter == 'G') {
    const orvantis::NamedField* field =
        request.enough ? orvantis::find_named_field(request.tokens[0]) : nullptr;
    // Which of the two a name takes depends on the record's layout byte.
    for (uint32_t id : {field ? field->field_id : 0u, field ? field->legacy_field_id : 0u})
      if (id != 0) add_field_span(kFull, id, &spans);
  } else if (mode.letter == 'S') {
    add_field_span(kFull, vpd_lib::VPD_FIXED_CRC, &spans);
  }

  // A raw file that a refused conversion must leave as it was.
  static const Bytes kOlderRaw = {'o', 'l', 'd', 'e', 'r'};
  const bool convert = mode.argument == orvantis::ARG_ASCII_AND_RAW;
  if (convert) require(write_file(raw_path, kOlderRaw));

  const Outcome outcome = run(ws.root(), words);
  require_devices(devices, outcome, spans);
  require(read_file(ws.file("inventory")) == inventory);

  bool raw_exists = false;
  const Bytes raw = read_file(raw_path, &raw_exists);
  if (convert && outcome.status != 0) require(raw == kOlderRaw);
  if ((mode.argument == orvantis::ARG_OUTPUT_FILE || mode.argument == orvantis::ARG_INPUT_FILE) &&
      outcome.status == 0) {
    // The block's bytes on the device are the raw file's: dumped from there, or burned there.
    // A burn takes only a file of exactly one block, and a dump makes one, so the raw file's
    // length is the block size the tool used.
    const uint64_t offset = uint32_t(c.block_number * static_cast<uint32_t>(raw.size()));
    require(raw_exists && !raw.empty());
    require(read_range(devices.target, offset, raw.size()) == raw);
  }
  if (mode.letter == 'S' && outcome.status == 0) {
    // The stored CRC now matches block 0.
    const vpd_lib::FieldDescriptor& crc = vpd_lib::BlockX[vpd_lib::VPD_FIXED_CRC];
    const uint32_t at = vpd_lib::field_address(crc);
    const Bytes block0 = read_range(devices.target, 0, at + 4);
    require(block0.size() == at + 4);
    require(orvantis::load_be32(block0.data() + at) == orvantis::testing::reference_crc32(block0.data(), at));
  }
}

}  // namespace

void fuzz_record(const uint8_t* data, size_t size) { run_case(parse_case(data, size)); }

}  // namespace orvantis_fuzz
