// SPDX-License-Identifier: Apache-2.0
// Benchmark runner: runs several commands RUNS times each, interleaved round by round so that
// every command sees the same machine load, with standard output to a file. For each command it
// prints one line:
//
//   measure RUNS OUTFILE COMMAND [ARGS...] [:: COMMAND [ARGS...]]...
//   per command: median_us min_us max_rss_kb exit_status
//
// Timing covers fork, exec, the run and the wait, the same for the tool and for the floors it
// is compared with. The peak memory comes from wait4's rusage (kilobytes on Linux); the exit
// status is that of the last run.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Command {
  std::vector<char*> argv;  // null-terminated for execvp
  std::vector<long long> times_ns;
  long max_rss_kb = 0;
  int status = 0;
};

long long now_ns() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// One run of `c`; false when the process could not be started or waited for.
bool run_once(Command& c, const char* outfile) {
  long long start = now_ns();
  pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    int fd = open(outfile, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || dup2(fd, 1) < 0) _exit(127);
    close(fd);
    execvp(c.argv[0], c.argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return false;
  c.times_ns.push_back(now_ns() - start);
  c.max_rss_kb = std::max(c.max_rss_kb, static_cast<long>(usage.ru_maxrss));
  c.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("usage: measure RUNS OUTFILE COMMAND [ARGS...] [:: COMMAND [ARGS...]]...\n", stderr);
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  const char* outfile = argv[2];
  if (runs < 1) return 2;

  std::vector<Command> commands(1);
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "::") == 0) {
      commands.emplace_back();
    } else {
      commands.back().argv.push_back(argv[i]);
    }
  }
  for (Command& c : commands) {
    if (c.argv.empty()) return 2;
    c.argv.push_back(nullptr);
  }

  for (int round = 0; round < runs; ++round) {
    for (Command& c : commands) {
      if (!run_once(c, outfile)) return 2;
    }
  }
  for (Command& c : commands) {
    std::vector<long long>& t = c.times_ns;
    std::sort(t.begin(), t.end());
    long long median = t[t.size() / 2];
    if (t.size() % 2 == 0) median = (t[t.size() / 2 - 1] + median) / 2;
    std::printf("%lld %lld %ld %d\n", median / 1000, t.front() / 1000, c.max_rss_kb, c.status);
  }
  return 0;
}
