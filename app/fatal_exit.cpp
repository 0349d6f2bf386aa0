#include "app/fatal_exit.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {
bool fatalPause = true;
}  // namespace

void pauseConsole() {
    std::cout << "Press Enter to continue . . ." << std::endl;
    int c;
    do {
        c = std::getchar();
    } while (c != '\n' && c != EOF);
}

void fatalExit(const std::string& message) {
    std::cout << message << std::endl;
    if (fatalPause) pauseConsole();
    std::exit(-1);
}

void setFatalPause(bool pause) { fatalPause = pause; }
