// The command line for batches, Qt-free (no display needed):
//   velmora fit --kind KIND [--column NAME|N] [--estimate all|NAMES] [--params VALUES]
//               [--categories K] [--format text|json] FILE
//   velmora rank [--column NAME|N] [--categories K] [--format text|json] FILE
//   velmora --help | --version
// The same estimates, intervals and tests as the fitting tab for the same file and choices.
#pragma once

#include <ostream>

// True where the arguments ask for the command line rather than the window.
bool IsCommandLine(int argc, const char* const* argv);
// Runs it: 0 on success, 2 on bad arguments (the usage on `err`), 1 on data that cannot be
// read or fitted (the window's message on `err`).
int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
