#include "shell/startup.h"

int main(int argc, char** argv) { return runTessaline(argc, argv); }
