// Two Velmora processes, each with its VHF TNC in KISS mode on one end of a
// pseudo-terminal pair: a message, its ack, and a second message that waits
// for the first.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <thread>

#include "app/Preferences.h"
#include "support/SerialProgram.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;

// A headless Velmora with a console we write to and an output file we read.
class Station {
public:
    Station(const std::string& call, const std::string& device) : folder_(test::MakeTempFolder()) {
        DiskFiles files(folder_.string());
        Preferences p;
        test::SetPref(p, "own_call", call);
        p.SetOwnLatitude(41.5);
        p.SetOwnLongitude(-72.5);
        test::SetPref(p, "port2_device", device);
        test::SetPref(p, "kiss_enabled_vhf", "1");
        test::SetPref(p, "auto_input_vhf_tnc", "1");
        EXPECT_TRUE(p.Save(files));
        int in[2];
        if (pipe(in) != 0) return;
        const std::string out = (folder_ / "console.txt").string();
        pid_ = fork();
        if (pid_ == 0) {
            dup2(in[0], STDIN_FILENO);
            const int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(fd, STDOUT_FILENO);
            dup2(fd, STDERR_FILENO);
            close(in[1]);
            execl(VELMORA_BIN, "velmora", "--headless", "--data", folder_.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(in[0]);
        console_ = in[1];
    }
    ~Station() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            for (int i = 0; i < 50 && waitpid(pid_, &status, WNOHANG) == 0; ++i) std::this_thread::sleep_for(100ms);
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
        }
        if (console_ >= 0) close(console_);
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    void Type(const std::string& lines) { (void)!write(console_, lines.data(), lines.size()); }
    std::string Output() const {
        std::ifstream f(folder_ / "console.txt");
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    // Waits until the output holds the text (counted from `from`).
    bool WaitFor(const std::string& text, size_t from = 0, std::chrono::milliseconds limit = 8000ms) const {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < until) {
            const std::string o = Output();
            if (o.size() > from && o.find(text, from) != std::string::npos) return true;
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
    int console_ = -1;
};

// A socat joining two pseudo-terminals, named by links in a folder.
class PtyPair {
public:
    PtyPair() : folder_(test::MakeTempFolder()) {
        pid_ = fork();
        if (pid_ == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDERR_FILENO);
            const std::string a = "pty,raw,echo=0,link=" + A(), b = "pty,raw,echo=0,link=" + B();
            execl("/usr/bin/socat", "socat", a.c_str(), b.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 100 && !(std::filesystem::exists(A()) && std::filesystem::exists(B())); ++i)
            std::this_thread::sleep_for(50ms);
    }
    ~PtyPair() {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    std::string A() const { return (folder_ / "ttyA").string(); }
    std::string B() const { return (folder_ / "ttyB").string(); }

private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
};

TEST(TwoStations, AMessageItsAckAndAHeldSecond) {
    if (access("/usr/bin/socat", X_OK) != 0) GTEST_SKIP() << "socat is not installed";
    PtyPair pty;
    Station a("N0AAA", pty.A()), b("N0BBB", pty.B());
    // Both are up once each prints its message list.
    a.Type("list MSGL\n");
    b.Type("list MSGL\n");
    ASSERT_TRUE(a.WaitFor("Auto Answer disabled")) << a.Output();
    ASSERT_TRUE(b.WaitFor("Auto Answer disabled")) << b.Output();
    std::this_thread::sleep_for(1500ms);  // the TNCs open at the first tick, and KISS starts

    // Both lines are read at once: the second waits for the first's ack.
    size_t mark = a.Output().size();
    a.Type("msg n0bbb Hello from A\nmsg N0BBB Second one\nlist MSGL\n");
    ASSERT_TRUE(a.WaitFor("Second one", mark)) << a.Output();
    std::string listed = a.Output().substr(mark);
    EXPECT_NE(listed.find("N0AAA\tN0BBB\t000\t 1\t"), std::string::npos) << listed;
    EXPECT_NE(listed.find("\tQ\t\tHello from A"), std::string::npos) << listed;
    EXPECT_NE(listed.find("N0AAA\tN0BBB\t001\t 0\t"), std::string::npos) << listed;
    EXPECT_NE(listed.find("\tQB\t\tSecond one"), std::string::npos) << listed;

    // B stores both and acknowledges each; A's entries show "A" and a round trip.
    ASSERT_TRUE(b.WaitFor("Second one")) << b.Output();
    const auto acked = [&] {
        for (int i = 0; i < 60; ++i) {
            const size_t at = a.Output().size();
            a.Type("list MSGL\n");
            if (a.WaitFor("Auto Answer", at, 2000ms) &&
                std::regex_search(a.Output().substr(at), std::regex("\tA +[0-9]+\t\tSecond one")))
                return true;
            std::this_thread::sleep_for(200ms);
        }
        return false;
    };
    ASSERT_TRUE(acked()) << a.Output() << "\n---\n" << b.Output();
    EXPECT_TRUE(std::regex_search(a.Output(), std::regex("\tA +[0-9]+\t\tHello from A"))) << a.Output();
    mark = b.Output().size();
    b.Type("msg N0AAA\n");
    ASSERT_TRUE(b.WaitFor("Messages with N0AAA", mark)) << b.Output();
    ASSERT_TRUE(b.WaitFor("< Second one", mark)) << b.Output();
    EXPECT_NE(b.Output().find("< Hello from A", mark), std::string::npos) << b.Output();
}

TEST(TwoStations, ARadiogramGoesOverInSectionsAndComesBackWhole) {
    if (access("/usr/bin/socat", X_OK) != 0) GTEST_SKIP() << "socat is not installed";
    PtyPair pty;
    Station a("N0AAA", pty.A()), b("N0BBB", pty.B());
    a.Type("list MSGL\n");
    b.Type("list MSGL\n");
    ASSERT_TRUE(a.WaitFor("Auto Answer disabled")) << a.Output();
    ASSERT_TRUE(b.WaitFor("Auto Answer disabled")) << b.Output();
    std::this_thread::sleep_for(1500ms);
    const std::string text = "HAPPY BIRTHDAY TO YOU, MOM. SEE YOU SOON WITH LOVE FROM ALL OF US";
    size_t mark = a.Output().size();
    a.Type("nts send n0bbb " + text + "\n");
    ASSERT_TRUE(a.WaitFor("Radiogram 01 to N0BBB: 6 messages", mark)) << a.Output().substr(mark);
    // Each section waits for the last one's ack; ask B until it has them all.
    bool whole = false;
    for (int i = 0; i < 40 && !whole; ++i) {
        mark = b.Output().size();
        b.Type("nts show 1\n");
        whole = b.WaitFor("(complete)", mark, 500ms);
    }
    const std::string shown = b.Output().substr(mark);
    ASSERT_TRUE(whole) << b.Output();
    EXPECT_NE(shown.find("N0AAA->N0BBB:01"), std::string::npos) << shown;
    EXPECT_NE(shown.find("NR 01 R   14 "), std::string::npos) << shown;  // the check: 14 words
    EXPECT_NE(shown.find(text), std::string::npos) << shown;
    EXPECT_NE(shown.find("\nN0AAA\n"), std::string::npos) << shown;  // the signature
}

}  // namespace
}  // namespace velmora
