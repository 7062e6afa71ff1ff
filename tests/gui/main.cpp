// GUI tests: one Windows program that drives the real main window.
#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest/doctest.h>

#include <windows.h>

int main(int argc, char** argv) {
    // Texts are compared as code page 1252 bytes.
    doctest::Context context(argc, argv);
    return context.run();
}
