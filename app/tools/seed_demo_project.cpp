// linkmoor-seed NAME ROOT: writes a local project list holding one project NAME with
// root folder ROOT into the Setting folder beside this program, unless a local project
// list is there already. The build runs it so that a new user finds the demo site.
#include "app/first_start.h"

#include <cstdio>

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: linkmoor-seed NAME ROOT\n");
    return 2;
  }
  if (linkmoor::seedLocalProject(argv[1], argv[2]) == linkmoor::SeedResult::Failed) {
    std::fprintf(stderr, "linkmoor-seed: cannot write the local project list\n");
    return 1;
  }
  return 0;
}
