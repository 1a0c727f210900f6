#include "ui/ConsoleCommands.h"

#include "ui/ConsoleText.h"
#include "ui/HeadlessUi.h"

namespace velmora {

std::span<const ConsoleCommand> ConsoleCommands() {
    using A = ConsoleArgs;
    using H = HeadlessUi;
    static const ConsoleCommand kCommands[] = {
        {"help", "", "this list, and every menu command by number and text", A::kNone, &H::CmdHelp},
        {"quit", "", "save everything and stop", A::kNone, &H::CmdQuit},
        {"stations", "", "the station list (as list STAL)", A::kNone, &H::CmdStations},
        {"table", "", "every station record, one line each", A::kNone, &H::CmdTable},
        {"list", "[CODE]", "the lists by code, or one list", A::kOptional, &H::CmdList},
        {"info", "CALL", "a station's details", A::kRequired, &H::CmdInfo},
        {"find", "airport ID | zip NNNNN", "an airport or a zip code, marked on the maps", A::kRequired, &H::CmdFind},
        {"maps", "", "the Maps menu", A::kNone, &H::CmdMaps},
        {"map", "NAME", "opens a map by its menu name", A::kRequired, &H::CmdMap},
        {"view", "LAT LON SPAN | polar", "the front map centred there, SPAN degrees across", A::kRequired,
         &H::ViewCommand},
        {"render", "FILE.png [WIDTH HEIGHT]", "the front map as a picture", A::kRequired, &H::RenderCommand},
        {"render-chart", "FILE.png [CALL] [WIDTH HEIGHT]", "the weather chart as a picture", A::kRequired,
         &H::RenderChartCommand},
        {"weather", "[compact | zero T|R|W|P]", "the weather display", A::kOptional, &H::WeatherCommand},
        {"gps", "", "the GPS state", A::kNone, &H::CmdGps},
        {"garmin", "[open|close|product|track|waypoints|upload|screen|image FILE.png|save FILE]",
         "the Garmin link", A::kOptional, &H::GarminCommand},
        {"msg", "[CALL [TEXT]]", "the message list, a conversation, or a message sent", A::kOptional,
         &H::MessageCommand},
        {"autoanswer", "TEXT | off", "the message auto answer", A::kRequired, &H::CmdAutoAnswer},
        {"query", "[wx | igate | area LAT LON MILES]", "asks the stations around to report", A::kOptional,
         &H::CmdQuery},
        {"nws", "[send cancel|advis|watch|warn|test EVENT CODE...]", "NWS areas with alerts, or an alert sent", A::kOptional, &H::CmdNws},
        {"nts", "[show N | send CALL TEXT]", "NTS radiograms", A::kOptional, &H::CmdNts},
        {"object", "add NAME LAT LON SYMBOL [COMMENT] | move NAME LAT LON | kill NAME",
         "makes, moves or kills an own object", A::kRequired, &H::CmdObject},
        {"objects", "", "the own objects", A::kNone, &H::CmdObjects},
        {"links", "", "the internet links and the ports, with their states", A::kNone, &H::CmdLinks},
        {"connect", "[N]", "connects to the network, or to link N", A::kOptional, &H::CmdConnect},
        {"disconnect", "", "closes every internet link", A::kNone, &H::CmdDisconnect},
        {"filter", "FILTER", "a new server filter, sent at once", A::kRequired, &H::CmdFilter},
        {"open", "FILE", "replays a log", A::kRequired, &H::CmdOpen},
        {"simulate", "FILE", "plays a log back at its own pace", A::kRequired, &H::CmdSimulate},
        {"send", "TEXT", "types TEXT and a carriage return on the terminal's port", A::kRequired, &H::CmdSend},
        {"close terminal", "", "gives the terminal's port back", A::kNone, &H::CmdCloseTerminal},
    };
    return kCommands;
}

const ConsoleCommand* MatchConsoleCommand(std::string_view line, std::string_view& args) {
    const ConsoleCommand* best = nullptr;
    for (const ConsoleCommand& c : ConsoleCommands()) {
        if (!line.starts_with(c.name)) continue;
        if (line.size() > c.name.size() && line[c.name.size()] != ' ' && line[c.name.size()] != '\t') continue;
        if (!best || c.name.size() > best->name.size()) best = &c;
    }
    if (best) args = console::Trim(line.substr(best->name.size()));
    return best;
}

std::string ConsoleUsage(const ConsoleCommand& c) {
    return "usage: " + std::string(c.name) + (c.usage.empty() ? "" : " " + std::string(c.usage));
}

}  // namespace velmora
