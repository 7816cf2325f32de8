#include "import/CommandLine.h"

// Names are bytes here, taken as they were given.
std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

bool DataLayerFolder(const std::string& utf8, std::string& folder) {
  folder = utf8;
  return true;
}
