// Writes the factory empty customer database from the schema in the code.
// Usage: tovana_make_factory_db <path of ZQQMV.qmv>
#include <cstdio>
#include <string>

#include "records/CQmvFile.h"
#include "records/QmvSchema.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <ZQQMV.qmv>\n", argv[0]);
    return 2;
  }
  std::string error;
  if (records::CQmvFile::CreateDatabaseFile(argv[1], records::QmvSchemaSql(), &error) != 1) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  return 0;
}
