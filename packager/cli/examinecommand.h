#pragma once

// crateforge list|check|extract|info PRODUCT: looking inside a product without
// running it, through the self-extractor's own reading. No window, no display.

// Whether `word` (the first argument) names one of these commands.
bool isExamineCommand(const char *word);

// Runs the command of argv[1] on its arguments and returns the exit status:
// 0 done, 1 the product could not be read or failed the check, 2 bad arguments.
int runExamineCommand(int argc, char **argv);
