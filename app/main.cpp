// The updater's entry point.
#include "app/Quarrendelvish.h"

int main(int argc, char** argv) {
  return qd::QuarrendelvishMain(argc, argv);
}
