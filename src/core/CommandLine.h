#pragma once
#include <string>
#include <vector>

// The word of the command line that start-up must be able to open as a file: the first that is
// not an option (options begin with "-" or "/"). Empty when every word is an option. `words` are
// the arguments without the program name.
std::string DocumentArgument(const std::vector<std::string>& words);
