#include "tests/test_support.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace test {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Run(const std::string& command) { return std::system(command.c_str()) == 0; }

std::string TempDir() {
  static std::string dir = [] {
    char name[] = "/tmp/lanshaji-test-XXXXXX";
    const char* d = mkdtemp(name);
    return std::string(d ? d : "/tmp");
  }();
  return dir;
}

}  // namespace test
