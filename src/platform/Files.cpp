#include "platform/Files.h"

#include <algorithm>

#include <cctype>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace velmora {
namespace fs = std::filesystem;

std::string NormaliseProgramPath(std::string_view programPath) {
    std::string out;
    out.reserve(programPath.size());
    for (char c : programPath) {
        const char sep = (c == ':' || c == '\\') ? '/' : c;
        if (sep == '/' && (out.empty() || out.back() == '/')) continue;
        out.push_back(sep);
    }
    return out;
}

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

fs::path ResolveComponent(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    fs::path exact = dir / name;
    if (fs::exists(exact, ec)) return exact;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (SameIgnoringCase(entry, name)) return it->path();
    }
    return exact;
}

}  // namespace

void ForEachLine(std::FILE* file, const std::function<void(std::string_view)>& onLine) {
    constexpr size_t kLineCap = 65536;  // a line with no ending for megabytes is not text
    std::string line;
    char buffer[65536];
    bool pendingCr = false;
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        size_t i = 0;
        while (i < got) {
            if (pendingCr && buffer[i] == '\n') {
                pendingCr = false;
                ++i;
                continue;
            }
            pendingCr = false;
            // The run up to the next line ending goes in at once.
            size_t end = i;
            while (end < got && buffer[end] != '\r' && buffer[end] != '\n') ++end;
            const size_t room = kLineCap > line.size() ? kLineCap - line.size() : 0;
            line.append(buffer + i, std::min(end - i, room));
            if (end == got) break;
            onLine(line);
            line.clear();
            pendingCr = buffer[end] == '\r';
            i = end + 1;
        }
    }
    if (!line.empty()) onLine(line);
}

DiskFiles::DiskFiles(std::string dataFolder)
    : root_(dataFolder.empty() ? std::string(".") : std::move(dataFolder)) {}

std::string DiskFiles::RealPath(std::string_view programPath) const {
    const std::string relative = NormaliseProgramPath(programPath);
    fs::path current(root_);
    size_t start = 0;
    while (start < relative.size()) {
        size_t end = relative.find('/', start);
        if (end == std::string::npos) end = relative.size();
        if (end > start) current = ResolveComponent(current, relative.substr(start, end - start));
        start = end + 1;
    }
    return current.string();
}

bool DiskFiles::Exists(std::string_view programPath) const {
    std::error_code ec;
    return fs::is_regular_file(RealPath(programPath), ec);
}

bool DiskFiles::ReadLines(std::string_view programPath,
                          const std::function<void(std::string_view)>& onLine) const {
    return ReadLinesAt(RealPath(programPath), onLine);
}

namespace {

class DiskReader final : public FileReader {
public:
    explicit DiskReader(std::FILE* f) : f_(f) {}
    ~DiskReader() override { std::fclose(f_); }
    size_t Read(char* buffer, size_t size) override { return std::fread(buffer, 1, size, f_); }
    std::FILE* File() const { return f_; }

private:
    std::FILE* f_;
};

class DiskWriter final : public FileWriter {
public:
    explicit DiskWriter(int fd) : fd_(fd) {}
    ~DiskWriter() override { ::close(fd_); }
    // Whole or nothing: a write the disk could not take is cut back off, so
    // a full disk never leaves half a line for the next one to be glued to.
    bool Write(std::string_view bytes) override {
        const off_t before = ::lseek(fd_, 0, SEEK_END);
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        if (done == bytes.size()) return true;
        if (done > 0 && before >= 0) (void)::ftruncate(fd_, before);
        return false;
    }

private:
    int fd_;
};

}  // namespace

std::unique_ptr<FileReader> DiskFiles::OpenRead(const std::string& realPath) const {
    std::FILE* f = std::fopen(realPath.c_str(), "rb");
    return f ? std::make_unique<DiskReader>(f) : nullptr;
}

std::unique_ptr<FileWriter> DiskFiles::OpenAppend(const std::string& realPath) const {
    std::error_code ec;
    const fs::path parent = fs::path(realPath).parent_path();
    if (!parent.empty()) fs::create_directories(parent, ec);
    const int fd = ::open(realPath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    return fd >= 0 ? std::make_unique<DiskWriter>(fd) : nullptr;
}

bool DiskFiles::WriteWhole(const std::string& realPath, std::string_view bytes) const {
    const std::string temporary = realPath + ".new";
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !ok) {
        std::remove(temporary.c_str());
        return false;
    }
    return std::rename(temporary.c_str(), realPath.c_str()) == 0;
}

std::optional<std::vector<FolderItem>> DiskFiles::ListFolder(const std::string& realPath) const {
    std::error_code ec;
    fs::directory_iterator it(realPath, ec);
    if (ec) return std::nullopt;
    std::vector<FolderItem> items;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.') continue;  // hidden files are no maps
        items.push_back({name, it->is_directory(ec)});
    }
    auto lower = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    std::sort(items.begin(), items.end(), [&](const FolderItem& a, const FolderItem& b) {
        return lower(a.name) < lower(b.name);
    });
    return items;
}

std::optional<std::string> FileAccess::ReadWhole(const std::string& realPath, size_t limit) const {
    std::unique_ptr<FileReader> reader = OpenRead(realPath);
    if (!reader) return std::nullopt;
    std::string bytes;
    char buffer[8192];
    size_t n;
    while (bytes.size() < limit && (n = reader->Read(buffer, std::min(sizeof buffer, limit - bytes.size()))) > 0)
        bytes.append(buffer, n);
    return bytes;
}

bool FileAccess::ReadLinesAt(const std::string& realPath, const std::function<void(std::string_view)>& onLine) const {
    std::unique_ptr<FileReader> reader = OpenRead(realPath);
    if (!reader) return false;
    LineReader lines(std::move(reader), 65536);  // a line with no ending for megabytes is not text
    std::string line;
    while (lines.Next(line)) onLine(line);
    return true;
}

bool LineReader::Fill() {
    at_ = 0;
    end_ = reader_->Read(buffer_, sizeof buffer_);
    return end_ > 0;
}

bool LineReader::Next(std::string& line) {
    line.clear();
    bool any = false;
    for (;;) {
        if (at_ == end_ && !Fill()) return any;
        if (pendingCr_) {
            pendingCr_ = false;
            if (buffer_[at_] == '\n') ++at_;
            continue;
        }
        any = true;
        // The run up to the next line ending goes in at once.
        size_t stop = at_;
        while (stop < end_ && buffer_[stop] != '\r' && buffer_[stop] != '\n') ++stop;
        const size_t room = limit_ > line.size() ? limit_ - line.size() : 0;
        line.append(buffer_ + at_, std::min(stop - at_, room));
        if (stop == end_) {
            at_ = end_;
            continue;
        }
        pendingCr_ = buffer_[stop] == '\r';
        at_ = stop + 1;
        return true;
    }
}

}  // namespace velmora
