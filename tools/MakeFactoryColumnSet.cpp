// Writes the factory column set, the labels a new installation starts with, from the table in the
// code. Usage: tovana_make_factory_colset <path of QMVColSet.sys>
#include <cstdio>
#include <exception>

#include "settings/FactoryColumns.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <QMVColSet.sys>\n", argv[0]);
    return 2;
  }
  try {
    settings::StoreFactoryColumnSet(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
    return 1;
  }
  return 0;
}
