#pragma once
// Dire Wolf as a real soundcard TNC with no sound card: it reads AFSK audio
// (made by gen_packets from monitor lines) on standard input and offers a
// KISS TNC on a pseudo-terminal (/tmp/kisstnc) and on TCP port 8001. It
// prints every frame it decodes and every frame it is asked to send.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "support/TestApp.h"

namespace velmora::test {

class Direwolf {
public:
    static bool Available() {
        return access("/usr/bin/direwolf", X_OK) == 0 && access("/usr/bin/gen_packets", X_OK) == 0;
    }

    Direwolf() : folder_(MakeTempFolder()) {
        std::ofstream(folder_ / "dw.conf") << "ADEVICE stdin null\nCHANNEL 0\nMYCALL N0DW\nKISSPORT 8001\nAGWPORT 0\n";
        int in[2];
        if (pipe(in) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(in[0], STDIN_FILENO);
            close(in[1]);
            const int out = open((folder_ / "out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(out, STDOUT_FILENO);
            dup2(out, STDERR_FILENO);
            const std::string conf = (folder_ / "dw.conf").string();
            execl("/usr/bin/direwolf", "direwolf", "-c", conf.c_str(), "-r", "44100", "-b", "16", "-n", "1", "-t",
                  "0", "-p", "-", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(in[0]);
        audio_ = in[1];
        ready_ = WaitFor("Ready to accept KISS TCP client", 8000);
    }
    ~Direwolf() {
        if (audio_ >= 0) close(audio_);
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    bool Ready() const { return ready_; }

    // Plays these monitor lines to the TNC as audio.
    bool Play(const std::string& lines) {
        const auto text = folder_ / "lines.txt";
        const auto wav = folder_ / "audio.wav";
        std::ofstream(text) << lines;
        const std::string cmd = "gen_packets -r 44100 -o " + wav.string() + " " + text.string() + " >/dev/null 2>&1";
        if (std::system(cmd.c_str()) != 0) return false;
        std::ifstream in(wav, std::ios::binary);
        std::string audio((std::istreambuf_iterator<char>(in)), {});
        if (audio.size() <= 44) return false;
        audio.erase(0, 44);  // the WAV header
        // A second of silence after the packets lets the TNC's carrier detect
        // drop, so it is free to transmit what it is given.
        audio.append(44100 * 2, '\0');
        std::thread([fd = audio_, audio] {
            size_t done = 0;
            while (done < audio.size()) {
                const ssize_t n = write(fd, audio.data() + done, audio.size() - done);
                if (n <= 0) return;
                done += static_cast<size_t>(n);
            }
        }).detach();
        return true;
    }
    std::string Output() const {
        std::ifstream in(folder_ / "out.txt", std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
    bool WaitFor(const std::string& text, int ms) const {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < until) {
            if (Output().find(text) != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
    int audio_ = -1;
    bool ready_ = false;
};

}  // namespace velmora::test
