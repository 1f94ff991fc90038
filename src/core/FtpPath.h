#pragma once
#include <string>
#include <vector>

// How a file crosses the line: ASCII converts line ends, binary keeps every byte, by name chooses per
// file (TransferType below).
enum class FtpTransferType { ByName, Ascii, Binary };

// Path rules of the FTP transfers. Both sides use "/" as the separator (the local file system
// accepts it), and folder paths always end with "/" so names can be appended.
namespace FtpPath {

std::string Normalise(std::string path); // every "\" becomes "/"
std::string Folder(std::string path);    // Normalise, plus a trailing "/" when missing

// The folders to create, outermost first, for every "/" from position 1 on: "C:/a/" gives
// "C:/" and "C:/a/".
std::vector<std::string> FolderLevels(const std::string& folder);

// ASCII or binary, by the text after the last "." (the whole name when it has none).
FtpTransferType TransferType(const std::string& name);

// Whether a name taken from a server listing or a list file can be appended to a local folder
// without leading out of it: no "..", no separator, no drive or stream colon, not empty.
bool IsSafeName(const std::string& name);

} // namespace FtpPath
