#pragma once
// The console's commands as one table: the words that name each, what it
// takes, a line of help, and the handler. "help" is printed from it and a
// command given too little prints its usage.
#include <span>
#include <string>
#include <string_view>

namespace velmora {

class HeadlessUi;

enum class ConsoleArgs : uint8_t { kNone, kOptional, kRequired };

struct ConsoleCommand {
    std::string_view name;   // one or two words
    std::string_view usage;  // the arguments as help shows them
    std::string_view help;
    ConsoleArgs args;
    void (HeadlessUi::*run)(std::string_view args);
};

std::span<const ConsoleCommand> ConsoleCommands();
// The command a line names (the longest name that fits), with what follows
// it; null when none does.
const ConsoleCommand* MatchConsoleCommand(std::string_view line, std::string_view& args);
// "usage: NAME ARGS".
std::string ConsoleUsage(const ConsoleCommand& command);

}  // namespace velmora
