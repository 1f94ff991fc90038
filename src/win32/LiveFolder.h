#pragma once
#include <string>

// The live folder of this machine: the temporary path followed by "Live\". Empty when the temporary
// path cannot be read or does not fit the 256-byte buffer it has always been read into.
std::string LiveFolderPath();
