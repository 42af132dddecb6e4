#pragma once

// crateforge pack SOURCE_FOLDER [options]: a run of the window's engine from a
// script, with no window and no display. The inputs are checked and the run is
// started by the window's own functions (runrules.h); the worker's log goes to
// standard error and the product's path to standard output.

// Whether `word` (the first argument) is "pack".
bool isPackCommand(const char *word);

// Runs the pack command and returns the exit status: 0 the product was made,
// 1 the build failed, 2 bad arguments or inputs the window would refuse too
// (no main program, or several equally likely ones, included), 130 / 143 the
// build was stopped by SIGINT / SIGTERM.
int runPackCommand(int argc, char **argv);
