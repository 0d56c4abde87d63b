// Runs a harness over files and folders of inputs without libFuzzer, so that
// the g++ builds (plain and sanitized) replay the seeds and the kept crashing
// inputs too. Exit status 0 when every input passed; a failing input aborts.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::string> InputsUnder(const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) {
    return {};  // a folder without inputs yet
  }
  if (!S_ISDIR(status.st_mode)) {
    return {path};
  }
  std::vector<std::string> inputs;
  if (DIR* dir = opendir(path.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      if (entry->d_name[0] != '.') {
        const std::vector<std::string> more = InputsUnder(path + "/" + entry->d_name);
        inputs.insert(inputs.end(), more.begin(), more.end());
      }
    }
    closedir(dir);
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

bool Replay(const std::string& path) {
  FILE* file = fopen(path.c_str(), "rb");
  if (file == nullptr) {
    fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, file)) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  fclose(file);
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // All listed first: a harness may change the current folder.
  std::vector<std::string> inputs;
  for (int i = 1; i < argc; ++i) {
    const std::vector<std::string> more = InputsUnder(argv[i]);
    inputs.insert(inputs.end(), more.begin(), more.end());
  }
  for (std::string& input : inputs) {
    if (char* absolute = realpath(input.c_str(), nullptr)) {
      input = absolute;
      free(absolute);
    }
  }
  bool ok = true;
  for (const std::string& input : inputs) {
    ok = Replay(input) && ok;
  }
  printf("%zu inputs replayed\n", inputs.size());
  return ok ? 0 : 1;
}
