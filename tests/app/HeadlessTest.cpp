// The headless program as a service runs it: a real process, its console,
// and SIGTERM.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "app/Preferences.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

TEST(Headless, ConsoleCommandsAndQuit) {
    test::TestApp t;
    Preferences p;
    p.Set("own_call", "N0CALL-1");
    p.SetOwnLatitude(41.7146);
    p.SetOwnLongitude(-72.727);
    ASSERT_TRUE(p.Save(t.files));
    const std::string cmd = "printf 'stations\\nbogus\\nquit\\n' | " + std::string(VELMORA_BIN) + " --headless --data " +
                            t.folder.string();
    std::FILE* out = popen(cmd.c_str(), "r");
    ASSERT_NE(out, nullptr);
    std::string text;
    char buf[512];
    while (std::fgets(buf, sizeof buf, out)) text += buf;
    EXPECT_EQ(pclose(out), 0);
    // The own station is station 0, at the saved position.
    EXPECT_NE(text.find("\nN0CALL-1\t41.714"), std::string::npos) << text;
    EXPECT_NE(text.find("Unknown command: bogus"), std::string::npos);
    EXPECT_NE(text.find("Velmora stopped"), std::string::npos);
}

TEST(Headless, TheEndOfInputDoesNotStopItSigtermDoes) {
    test::TestApp t;
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const int devnull = open("/dev/null", O_RDWR);
        dup2(devnull, STDIN_FILENO);
        dup2(devnull, STDOUT_FILENO);
        const std::string folder = t.folder.string();
        execl(VELMORA_BIN, VELMORA_BIN, "--headless", "--data", folder.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    int status = 0;
    EXPECT_EQ(waitpid(pid, &status, WNOHANG), 0);  // still running with no console
    kill(pid, SIGTERM);
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace velmora
