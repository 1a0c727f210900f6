#pragma once
// Files under the data folder. The program names its files with ":"
// separators relative to the data folder (":Logs:APRS081226.log"); some
// names carry "\" instead ("Data\airport.dat"). Both are converted here.
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

class FileAccess {
public:
    virtual ~FileAccess() = default;
    // Real path of a program path. Each component that does not exist with
    // the given case is matched case-insensitively against the folder, as the
    // names in the program (":Logs:" and ":logs:") mix cases.
    virtual std::string RealPath(std::string_view programPath) const = 0;
    virtual bool Exists(std::string_view programPath) const = 0;
    // Calls onLine for every line of a text file (CR, LF or CR LF endings;
    // the ending is not passed). False when the file cannot be opened.
    virtual bool ReadLines(std::string_view programPath,
                           const std::function<void(std::string_view)>& onLine) const = 0;
};

// Splits a program path into its components (":" and "\" separate; a
// leading separator means "relative to the data folder").
std::string NormaliseProgramPath(std::string_view programPath);

// Reads lines from any open stream in bounded memory; shared by the disk
// implementation and the tools.
void ForEachLine(std::FILE* file, const std::function<void(std::string_view)>& onLine);

class DiskFiles final : public FileAccess {
public:
    explicit DiskFiles(std::string dataFolder);
    std::string RealPath(std::string_view programPath) const override;
    bool Exists(std::string_view programPath) const override;
    bool ReadLines(std::string_view programPath,
                   const std::function<void(std::string_view)>& onLine) const override;
    const std::string& DataFolder() const { return root_; }

private:
    std::string root_;
};

}  // namespace velmora
