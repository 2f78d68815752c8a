// The updater's entry point. The update itself arrives with the application layer;
// for now the program starts, reports itself and ends.
#include <cstdio>

#include "platform/base/strings.h"

int main(int argc, char** argv) {
  std::printf("%s\n", qd::StringToUtf8(u"Atualizador Torvelix").c_str());
  return 0;
}
