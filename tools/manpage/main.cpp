// manpage: writes the game's manual page from its option table, so that the page and
// --help cannot drift apart.
//   manpage FILE
#include <cstdio>
#include <fstream>

#include "app/options.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: manpage FILE\n");
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << ManualPage();
  out.close();
  if (!out) {
    std::fprintf(stderr, "manpage: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
