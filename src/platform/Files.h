#pragma once
// Files under the data folder. The program names its files with ":"
// separators relative to the data folder (":Logs:APRS081226.log"); some
// names carry "\" instead ("Data\airport.dat"). Both are converted here.
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// A file open for appending; each Write goes to the file at once.
class FileWriter {
public:
    virtual ~FileWriter() = default;
    // False when the bytes could not all be written.
    virtual bool Write(std::string_view bytes) = 0;
};

// A file open for reading, in pieces.
class FileReader {
public:
    virtual ~FileReader() = default;
    // Up to size bytes; 0 at the end of the file.
    virtual size_t Read(char* buffer, size_t size) = 0;
};

// Lines from a reader one at a time (CR, LF or CR LF endings), each cut at
// a limit; the rest of an over-long line is dropped with it.
class LineReader {
public:
    LineReader(std::unique_ptr<FileReader> reader, size_t limit) : reader_(std::move(reader)), limit_(limit) {}
    // False at the end of the file.
    bool Next(std::string& line);

private:
    bool Fill();
    std::unique_ptr<FileReader> reader_;
    size_t limit_;
    char buffer_[8192];
    size_t at_ = 0, end_ = 0;
    bool pendingCr_ = false;
};

// One entry of a folder listing.
struct FolderItem {
    std::string name;
    bool isFolder = false;
};

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

    // Files by real path (as RealPath gives it, or as the operator chose it).
    // Null when the file cannot be opened. Appending creates the folders.
    virtual std::unique_ptr<FileReader> OpenRead(const std::string& realPath) const = 0;
    virtual std::unique_ptr<FileWriter> OpenAppend(const std::string& realPath) const = 0;
    // Written to a new file and renamed over the old one, so a failed write
    // keeps what was there.
    [[nodiscard]] virtual bool WriteWhole(const std::string& realPath, std::string_view bytes) const = 0;
    // The files and folders in a folder by real path, by name without regard
    // to case; nothing when it cannot be read.
    virtual std::optional<std::vector<FolderItem>> ListFolder(const std::string& realPath) const = 0;

    // A whole file by real path, at most limit bytes; empty when it cannot
    // be opened.
    std::optional<std::string> ReadWhole(const std::string& realPath, size_t limit) const;
    // Every line of a file by real path; false when it cannot be opened.
    bool ReadLinesAt(const std::string& realPath, const std::function<void(std::string_view)>& onLine) const;
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
    std::unique_ptr<FileReader> OpenRead(const std::string& realPath) const override;
    std::unique_ptr<FileWriter> OpenAppend(const std::string& realPath) const override;
    bool WriteWhole(const std::string& realPath, std::string_view bytes) const override;
    std::optional<std::vector<FolderItem>> ListFolder(const std::string& realPath) const override;
    const std::string& DataFolder() const { return root_; }

private:
    std::string root_;
};

}  // namespace velmora
