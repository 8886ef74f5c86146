// Replays saved inputs through a fuzz target without the fuzzer: every file of the folders (and
// every file) named on the command line, in name order, goes to LLVMFuzzerTestOneInput once. A
// crash or a failed check aborts the program, which fails the test that runs it. Files whose name
// starts with '.' (such as .gitkeep) are skipped.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool ReadFile(const fs::path& path, std::vector<std::uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// The inputs a command-line argument names, or false when it names nothing readable.
bool CollectInputs(const fs::path& argument, std::vector<fs::path>& inputs) {
  std::error_code error;
  if (fs::is_regular_file(argument, error)) {
    inputs.push_back(argument);
    return true;
  }
  if (!fs::is_directory(argument, error)) return false;
  std::vector<fs::path> found;
  for (const fs::directory_entry& entry : fs::directory_iterator(argument, error)) {
    if (entry.is_regular_file() && entry.path().filename().string().rfind('.', 0) != 0) {
      found.push_back(entry.path());
    }
  }
  if (error) return false;
  std::sort(found.begin(), found.end());
  inputs.insert(inputs.end(), found.begin(), found.end());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <folder or file>...\n", argv[0]);
    return 2;
  }
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (!CollectInputs(argv[i], inputs)) {
      std::fprintf(stderr, "cannot read '%s': not a file or folder\n", argv[i]);
      return 2;
    }
  }
  if (inputs.empty()) {
    std::fprintf(stderr, "no inputs found: a replay that runs nothing tests nothing\n");
    return 2;
  }
  std::vector<std::uint8_t> bytes;
  for (const fs::path& input : inputs) {
    if (!ReadFile(input, bytes)) {
      std::fprintf(stderr, "cannot read '%s'\n", input.c_str());
      return 2;
    }
    // Named first, so that the input that crashes is the last one in the output.
    std::fprintf(stderr, "%s (%zu bytes)\n", input.c_str(), bytes.size());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::printf("%zu inputs replayed\n", inputs.size());
  return 0;
}
