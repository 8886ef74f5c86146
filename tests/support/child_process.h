#pragma once
// Runs a piece of a test in a child process of its own: for limits that must not touch the test
// process (a file size limit) and for measuring what an operation costs in memory.

#include <functional>
#include <string>

namespace nox::test {

struct TChildResult {
  std::string Output;        // what the body returned
  bool Finished = false;     // the body returned: it did not crash, throw or hang
  long MemoryGrowthKiB = 0;  // peak resident memory of the child beyond what it started with
};

// Forks, runs body in the child and collects its result. A body that has not returned after
// secondsAllowed is stopped, so a test of something that must not block fails instead of hanging.
TChildResult RunInChild(const std::function<std::string()>& body, unsigned secondsAllowed = 60);

}  // namespace nox::test
