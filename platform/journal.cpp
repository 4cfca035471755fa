// SPDX-License-Identifier: Apache-2.0
#include "journal.h"

#include <fcntl.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "crc32.h"
#include "util/bytes.h"
#include "util/report.h"
#include "util/sysfs.h"

namespace vpd_platform {

using orvantis::load_be32;
using orvantis::load_be64;
using orvantis::report;
using orvantis::store_be32;
using orvantis::store_be64;

namespace {

constexpr char kMagic[8] = {'O', 'R', 'V', 'J', 'R', 'N', 'L', '\n'};
constexpr uint32_t kVersion = 1;
constexpr uint32_t kFlagByInode = 1;
constexpr size_t kHeaderSize = 48;

bool ends_with(const std::string& s, const char* suffix) {
  const size_t n = std::strlen(suffix);
  return s.size() >= n && s.compare(s.size() - n, n, suffix) == 0;
}

}  // namespace

bool Journal::identify(const std::string& path, const struct stat& st) {
  if (env_.canonical(path.c_str(), &canonical_) != 0) {
    report("%s: cannot resolve the path: %s", path.c_str(), std::strerror(errno));
    return false;
  }
  struct statfs fs;
  by_inode_ = S_ISREG(st.st_mode) && ::statfs(canonical_.c_str(), &fs) == 0 &&
              static_cast<long>(fs.f_type) != orvantis::kSysfsMagic;
  dev_ = st.st_dev;
  ino_ = st.st_ino;
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x",
                crc32(reinterpret_cast<const unsigned char*>(canonical_.data()), canonical_.size()));
  name_ = dir_ + "/" + hex;
  return true;
}

bool Journal::sync_folder(const std::string& dir, const char* what) {
  const int fd = env_.open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const bool synced = fd >= 0 && env_.fsync(fd) == 0;
  if (!synced) report("%s: cannot sync %s: %s", dir.c_str(), what, std::strerror(errno));
  if (fd >= 0) ::close(fd);
  return synced;
}

// The whole file, if it can be a journal at all: a bounded size is checked before it is read.
bool Journal::read_journal(const std::string& file, std::vector<unsigned char>* out) {
  const int fd = env_.open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  struct stat st;
  bool ok = env_.fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
            static_cast<uint64_t>(st.st_size) <= kHeaderSize + kMaxJournalPath + kMaxJournalBytes + 4;
  if (ok) {
    out->assign(static_cast<size_t>(st.st_size), 0);
    size_t done = 0;
    while (ok && done < out->size()) {
      const ssize_t n = env_.pread(fd, out->data() + done, out->size() - done, static_cast<off_t>(done));
      if (n < 0 && errno == EINTR) continue;
      ok = n > 0;
      if (ok) done += static_cast<size_t>(n);
    }
  }
  const int error = errno;
  ::close(fd);
  errno = error;
  return ok;
}

Journal::Found Journal::find(JournalEntry* entry) {
  std::vector<std::string> names;
  if (env_.list(dir_.c_str(), &names) != 0) {
    if (errno == ENOENT) return JOURNAL_NONE;  // a folder that does not exist holds no journal
    report("%s: cannot read the journal folder: %s", dir_.c_str(), std::strerror(errno));
    return JOURNAL_FAILED;
  }
  const std::string mine = name_ + ".journal";
  for (const std::string& name : names) {
    const std::string file = dir_ + "/" + name;
    if (file == name_ + ".tmp") {
      env_.unlink(file.c_str());  // never complete, so the device was never touched
      continue;
    }
    if (!ends_with(name, ".journal")) continue;
    std::vector<unsigned char> j;
    if (!read_journal(file, &j)) {
      if (file != mine) continue;
      report("%s: cannot read the journal: %s", file.c_str(), std::strerror(errno));
      return JOURNAL_FAILED;
    }
    const size_t size = j.size();
    const bool sound = size >= kHeaderSize + 4 && std::memcmp(j.data(), kMagic, 8) == 0 &&
                       load_be32(&j[8]) == kVersion && load_be32(&j[40]) <= kMaxJournalBytes &&
                       load_be32(&j[44]) <= kMaxJournalPath &&
                       size == kHeaderSize + load_be32(&j[44]) + load_be32(&j[40]) + 4 &&
                       crc32(j.data(), size - 4) == load_be32(&j[size - 4]);
    if (!sound) {
      if (file != mine) continue;  // another device's, as far as anyone can tell
      report("%s: the journal of an interrupted write is damaged; it is kept, and %s is not used "
             "until it is looked at", file.c_str(), canonical_.c_str());
      return JOURNAL_FAILED;
    }
    const uint32_t path_length = load_be32(&j[44]);
    const std::string path(reinterpret_cast<const char*>(&j[kHeaderSize]), path_length);
    const bool same_inode = by_inode_ && (load_be32(&j[12]) & kFlagByInode) != 0 &&
                            load_be64(&j[16]) == dev_ && load_be64(&j[24]) == ino_;
    if (path != canonical_ && !same_inode) continue;
    entry->offset = load_be64(&j[32]);
    const unsigned char* saved = &j[kHeaderSize + path_length];
    entry->bytes.assign(saved, saved + load_be32(&j[40]));
    name_ = file.substr(0, file.size() - std::strlen(".journal"));  // remove() takes this one
    return JOURNAL_HOT;
  }
  return JOURNAL_NONE;
}

bool Journal::write(uint64_t offset, const unsigned char* bytes, uint32_t count) {
  if (count > kMaxJournalBytes) {
    report("%s: %u bytes are more than one write may change", canonical_.c_str(), count);
    return false;
  }
  std::vector<unsigned char> j(kHeaderSize, 0);
  std::memcpy(j.data(), kMagic, 8);
  store_be32(&j[8], kVersion);
  store_be32(&j[12], by_inode_ ? kFlagByInode : 0);
  store_be64(&j[16], dev_);
  store_be64(&j[24], ino_);
  store_be64(&j[32], offset);
  store_be32(&j[40], count);
  store_be32(&j[44], static_cast<uint32_t>(canonical_.size()));
  j.insert(j.end(), canonical_.begin(), canonical_.end());
  j.insert(j.end(), bytes, bytes + count);
  j.resize(j.size() + 4);
  store_be32(&j[j.size() - 4], crc32(j.data(), j.size() - 4));

  // A missing folder is made on first use, and its entry in the root synced like any other.
  if (env_.mkdir(dir_.c_str(), 0700) == 0) {
    if (!sync_folder(dir_.substr(0, dir_.rfind('/')), "the database folder")) return false;
  } else if (errno != EEXIST) {
    report("%s: cannot make the journal folder: %s", dir_.c_str(), std::strerror(errno));
    return false;
  }
  const std::string tmp = name_ + ".tmp", final_name = name_ + ".journal";
  // A leftover of an earlier cut was removed when the device was opened (find).
  const int fd = env_.create(tmp.c_str());
  if (fd < 0) {
    report("%s: cannot create the journal: %s", tmp.c_str(), std::strerror(errno));
    return false;
  }
  size_t done = 0;
  bool ok = true;
  while (ok && done < j.size()) {
    const ssize_t n = env_.pwrite(fd, j.data() + done, j.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = ENOSPC;
    ok = n > 0;
    if (ok) done += static_cast<size_t>(n);
  }
  ok = ok && env_.fsync(fd) == 0;
  const int error = errno;
  ::close(fd);
  if (ok && env_.rename(tmp.c_str(), final_name.c_str()) == 0) return sync_folder(dir_, "the journal folder");
  report("%s: cannot write the journal: %s", tmp.c_str(), std::strerror(ok ? errno : error));
  env_.unlink(tmp.c_str());
  return false;
}

bool Journal::remove() {
  const std::string file = name_ + ".journal";
  if (env_.unlink(file.c_str()) != 0) {
    report("%s: cannot remove the journal: %s", file.c_str(), std::strerror(errno));
    return false;
  }
  return sync_folder(dir_, "the journal folder");
}

}  // namespace vpd_platform
