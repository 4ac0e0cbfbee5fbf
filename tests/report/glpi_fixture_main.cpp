// Writes the GLPI inventory of the test fixture to the file named by its one
// argument, for the schema check that runs with the native tests.
#include <cstdio>
#include <fstream>

#include "report/glpi_fixture.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT.json\n", argv[0]);
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << corvane::report::GlpiInventoryJson(corvane::test_support::GlpiFixtureDocument(),
                                            corvane::test_support::GlpiFixtureFacts());
  return out.good() ? 0 : 1;
}
