#pragma once
// A pair of joined pseudo-terminals made by socat: the program opens one
// end (Near) and the test plays the device at the other (Far).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "support/TestApp.h"

namespace velmora::test {

class SocatPair {
public:
    SocatPair() : folder_(MakeTempFolder()) { Start(); }
    ~SocatPair() {
        Stop();
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    static bool Available() { return access("/usr/bin/socat", X_OK) == 0; }

    std::string Near() const { return (folder_ / "ttyA").string(); }
    std::string FarPath() const { return (folder_ / "ttyB").string(); }

    // Starts socat and waits until it is ready to pass data.
    bool Start() {
        int err[2];
        if (pipe(err) != 0) return false;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(err[1], STDERR_FILENO);
            close(err[0]);
            const std::string a = "pty,raw,echo=0,link=" + Near();
            const std::string b = "pty,raw,echo=0,link=" + FarPath();
            execl("/usr/bin/socat", "socat", "-d", "-d", a.c_str(), b.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(err[1]);
        std::string text;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (text.find("starting data transfer loop") == std::string::npos &&
               std::chrono::steady_clock::now() < until) {
            pollfd p{err[0], POLLIN, 0};
            if (poll(&p, 1, 100) > 0) {
                char buf[512];
                const ssize_t n = read(err[0], buf, sizeof buf);
                if (n <= 0) break;
                text.append(buf, static_cast<size_t>(n));
            }
        }
        close(err[0]);
        ready_ = text.find("starting data transfer loop") != std::string::npos;
        if (ready_) far_ = open(FarPath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        return ready_ && far_ >= 0;
    }
    // Ends socat: both terminals go away, as when a USB adapter is pulled.
    void Stop() {
        if (far_ >= 0) close(far_);
        far_ = -1;
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }
    bool Ready() const { return ready_ && far_ >= 0; }
    int FarFd() const { return far_; }

    bool Write(std::string_view bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = write(far_, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<size_t>(n);
            } else {
                pollfd p{far_, POLLOUT, 0};
                if (poll(&p, 1, 1000) <= 0) return false;
            }
        }
        return true;
    }
    // What the far end has received so far.
    std::string Read() {
        std::string out;
        char buf[4096];
        ssize_t n;
        while ((n = read(far_, buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
        return out;
    }

private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
    int far_ = -1;
    bool ready_ = false;
};

}  // namespace velmora::test
