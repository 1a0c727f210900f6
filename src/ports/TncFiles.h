#pragma once
// The TNC model files in "TNCfiles" (one per model, extension TNC, whose
// "!" lines give its title and description), "AltPath.txt", and writing an
// init file from a model or from the built-in default text.
#include <string>
#include <string_view>
#include <vector>

#include "platform/Files.h"

namespace velmora {

struct TncModel {
    std::string fileName;     // as found in the folder
    std::string title;        // the first "!" line, without the "!"
    std::string description;  // the further "!" lines, one per line
};

extern const char* const kDefaultTncText;

// The model files, sorted by name; empty when the folder is missing.
std::vector<TncModel> ListTncModels(const FileAccess& files);
// The whole text of a model file.
std::string ReadTncModel(const FileAccess& files, const std::string& fileName);
// Writes text as an init file in the data folder: printable characters
// only, a line ends at CR or LF or after 128 characters, empty lines are
// skipped, each line ends with CR LF. False when it cannot be written.
bool WriteInitFile(const FileAccess& files, const std::string& name, std::string_view text);
// "AltPath.txt": one path a line, at most 64 characters each.
std::vector<std::string> ReadAltPaths(const FileAccess& files);

}  // namespace velmora
