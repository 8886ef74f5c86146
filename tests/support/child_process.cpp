#include "support/child_process.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace nox::test {

namespace {

// Resident memory now, in KiB.
long ResidentKiB() {
  long pages = 0;
  long resident = 0;
  if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace

TChildResult RunInChild(const std::function<std::string()>& body, unsigned secondsAllowed) {
  TChildResult result;
  int channel[2];
  if (::pipe(channel) != 0) return result;
  // A forked child starts with the parent's resident pages as its peak.
  const long startKiB = ResidentKiB();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(channel[0]);
    ::alarm(secondsAllowed);
    std::string output;
    try {
      output = body();
    } catch (...) {
      ::_exit(2);
    }
    for (std::size_t at = 0; at < output.size();) {
      const ssize_t n = ::write(channel[1], output.data() + at, output.size() - at);
      if (n <= 0) ::_exit(3);
      at += static_cast<std::size_t>(n);
    }
    ::_exit(0);
  }
  ::close(channel[1]);
  char buffer[4096];
  for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) result.Output.append(buffer, n);
  ::close(channel[0]);
  int status = 0;
  struct rusage usage {};
  if (pid > 0 && ::wait4(pid, &status, 0, &usage) == pid) {
    result.Finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    result.MemoryGrowthKiB = usage.ru_maxrss - startKiB;
  }
  return result;
}

}  // namespace nox::test
