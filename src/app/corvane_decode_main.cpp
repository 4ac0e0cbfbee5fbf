#include <iostream>
#include <string>
#include <vector>

#include "app/decode_cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return corvane::app::RunDecode(args, std::cout, std::cerr);
}
