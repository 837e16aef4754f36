#pragma once
// What every fuzz target shares: the Qt application object (picture plugins are found
// through it) and a check that stops the run when a promise is broken.

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace lumetra::fuzz {

inline void StartQt(int* argc, char*** argv) { static QCoreApplication app(*argc, *argv); }

// libFuzzer saves the input that made the process abort.
inline void Require(bool condition, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

// The same for a check that returns the promise it found broken, or nullptr.
inline void RequireKept(const char* broken) { Require(broken == nullptr, broken); }

}  // namespace lumetra::fuzz
