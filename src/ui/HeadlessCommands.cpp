// The console's commands; the table in ConsoleCommands.cpp names them.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "app/MenuTable.h"
#include "app/Program.h"
#include "geo/Position.h"
#include "geo/PositionInput.h"
#include "platform/qt/QtSurface.h"
#include "stations/StationRows.h"
#include "transmit/OwnReports.h"
#include "ui/ConsoleCommands.h"
#include "ui/ConsoleText.h"
#include "ui/HeadlessUi.h"

namespace velmora {
using console::Print;
using console::Trim;

void HeadlessUi::RunCommand(const std::string& raw) {
    const std::string_view line = Trim(raw);
    if (line.empty() || !program_) return;
    std::string_view args;
    if (const ConsoleCommand* c = MatchConsoleCommand(line, args)) {
        const bool fits = c->args == ConsoleArgs::kOptional || (c->args == ConsoleArgs::kNone) == args.empty();
        if (fits) (this->*c->run)(args);
        else Print(ConsoleUsage(*c));
    } else if (const MenuItem* item = FindMenuItem(line)) {
        program_->Command(item->id);
    } else if (line.find_first_not_of("0123456789") == std::string_view::npos && line.size() <= 5) {
        const long id = std::atol(std::string(line).c_str());
        if (id > 0 && id <= 65535 && program_->Command(static_cast<uint16_t>(id))) return;
        Print("Command " + std::string(line) + " is not available");
    } else {
        Print("Unknown command: " + std::string(line) + " (help lists the commands)");
    }
}

void HeadlessUi::CmdHelp(std::string_view) {
    for (const ConsoleCommand& c : ConsoleCommands()) {
        std::string words(c.name);
        if (!c.usage.empty()) words += " " + std::string(c.usage);
        Print(words + "\n    " + std::string(c.help));
    }
    Print("A menu command by number or by its text:");
    for (const Menu& m : MainMenu())
        for (const MenuItem& item : m.items)
            if (item.id) Print("  " + std::to_string(item.id) + "  " + m.title + " > " + item.text);
    for (const auto& [title, items] : menus_)
        for (const auto& [id, text] : items) Print("  " + std::to_string(id) + "  " + title + " > " + text);
}

void HeadlessUi::CmdQuit(std::string_view) { program_->RequestQuit(0); }

void HeadlessUi::CmdStations(std::string_view) {
    if (ListModel* m = program_->Lists().Find("STAL")) ShowList(*m);
}

void HeadlessUi::CmdTable(std::string_view) {
    Print(StationRowHeader());
    const StationTable& t = program_->Core().Stations();
    for (StationIndex i = 0; i < t.UsedCount(); ++i) Print(StationRow(t.At(i)));
}

void HeadlessUi::CmdList(std::string_view code) {
    Program& p = *program_;
    if (code.empty()) {
        for (const auto& m : p.Lists().Models()) Print(FourCCText(m->Code()) + "  " + std::string(m->Title()));
        Print("MAPL  Map List");
    } else if (ListModel* m = p.Lists().Find(code)) {
        ShowList(*m);
    } else if (code == FourCCText(p.Maps().MapListWindow().Code())) {
        ShowList(p.Maps().MapListWindow());
    } else {
        Print("No list " + std::string(code) + " (list names them)");
    }
}

void HeadlessUi::CmdInfo(std::string_view call) { ShowStationInfo(std::string(call)); }

void HeadlessUi::CmdFind(std::string_view args) {
    for (const std::string& l : program_->RefData().ConsoleFind(args)) Print(l);
}

void HeadlessUi::CmdMaps(std::string_view) { PrintMapsMenu(); }

void HeadlessUi::CmdMap(std::string_view name) {
    if (program_->Maps().OpenNamed(std::string(name)) && front_) Print("Map window - " + front_->Title());
    else Print("No map " + std::string(name) + " (maps lists them)");
}

void HeadlessUi::CmdGps(std::string_view) { Print(program_->Gps().ConsoleText()); }

void HeadlessUi::CmdAutoAnswer(std::string_view args) {
    AutoAnswer& a = program_->Messages().Core().Answer();
    if (args == "off") {
        a.on = false;
        Print("Auto Answer disabled");
        return;
    }
    a = {true, std::string(args).substr(0, AutoAnswer::kMaxText)};
    program_->Messages().List().Invalidate();
    Print("Auto Answer enabled:" + a.text);
}

// query: ?APRS? to every port; query wx, query igate; query area LAT LON
// MILES asks only the stations within MILES of that place.
void HeadlessUi::CmdQuery(std::string_view args) {
    TransmitModule& t = program_->Transmitter();
    if (args.empty()) {
        t.Transmit('-', QueryAll());
    } else if (args == "wx") {
        t.Transmit('-', QueryWeather());
    } else if (args == "igate") {
        t.Transmit('-', QueryIGates());
    } else if (args.starts_with("area")) {
        // The miles come last; the position before them in any form hams write.
        std::string_view rest = args.substr(4);
        while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
        while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
        const size_t blank = rest.rfind(' ');
        const std::string milesText(blank == std::string_view::npos ? "" : rest.substr(blank + 1));
        const long miles = std::strtol(milesText.c_str(), nullptr, 10);
        const PositionRead where = ReadPosition(blank == std::string_view::npos ? "" : rest.substr(0, blank));
        if (!where.position || miles < 1 || miles > 9999 ||
            milesText.find_first_not_of("0123456789") != std::string::npos) {
            if (!where.position && blank != std::string_view::npos) Print(where.problem);
            Print("usage: query area LAT LON MILES, for example query area 41.7625 -72.7425 50 "
                  "or query area 41 45.75N 72 44.55W 50");
            return;
        }
        Print("Asking the stations within " + std::to_string(miles) + " miles of " +
              ShowPosition(where.position->lat, where.position->lon));
        t.Transmit('-', QueryArea(TypedLonUnits(where.position->lon), TypedLatUnits(where.position->lat),
                                  miles));
    } else {
        Print("usage: query [wx | igate | area LAT LON MILES]");
        return;
    }
    Print("Query sent");
}

void HeadlessUi::CmdNws(std::string_view args) {
    for (const std::string& l : program_->Nws().ConsoleCommand(args)) Print(l);
}

void HeadlessUi::CmdNts(std::string_view args) {
    for (const std::string& l : program_->Nts().ConsoleCommand(args)) Print(l);
}

void HeadlessUi::CmdLinks(std::string_view) {
    Program& p = *program_;
    const auto& links = p.Internet().Links().Links();
    Print("#\thost\twanted\tconnected\tverified\tlines\tbytes\tconnects");
    for (size_t i = 0; i < links.size(); ++i) {
        const InternetLink& l = links[i];
        Print(std::to_string(i + 1) + "\t" + l.host.host + ":" + l.host.portText + "\t" + (l.wanted ? "yes" : "no") +
              "\t" + (l.connected ? "yes" : "no") + "\t" + (l.verified ? "yes" : "no") + "\t" +
              std::to_string(l.linesReceived) + "\t" + std::to_string(l.bytesReceived) + "\t" +
              std::to_string(l.connectCount));
    }
    if (const std::string states = p.LinkStates(); !states.empty()) Print(states);
}

void HeadlessUi::CmdConnect(std::string_view n) {
    Program& p = *program_;
    if (n.empty()) {
        p.Command(kCmdConnectNetwork);
    } else if (const long k = std::atol(std::string(n).c_str());
               k >= 1 && size_t(k) <= p.Internet().Links().Links().size()) {
        p.Command(static_cast<uint16_t>(kCmdFirstLink + k - 1));
    } else {
        Print("No link " + std::string(n) + " (links lists them)");
    }
}

void HeadlessUi::CmdDisconnect(std::string_view) { program_->Command(kCmdCloseAllLinks); }

void HeadlessUi::CmdFilter(std::string_view filter) {
    program_->Internet().Links().ChangeFilter(filter);
    Print("Filter " + std::string(filter));
}

void HeadlessUi::CmdOpen(std::string_view file) {
    program_->OpenFile(std::string(file));
    Print("Opened " + std::string(file));
}

void HeadlessUi::CmdSimulate(std::string_view file) {
    const std::string path(file);
    Print(program_->StartSimulation(path) ? "Simulating " + path : "Cannot read " + path);
}

void HeadlessUi::CmdSend(std::string_view text) { program_->TerminalTyped(std::string(text) + "\r"); }

void HeadlessUi::CmdCloseTerminal(std::string_view) {
    terminalOpen_ = false;
    program_->TerminalClosed();
}

void HeadlessUi::PrintMapsMenu() const {
    Print("21001  Display Map Boundaries");
    Print("21002  Map List Window");
    std::vector<int> depth(mapsMenu_.size(), 0);
    for (size_t i = 0; i < mapsMenu_.size(); ++i) {
        const MapMenuNode& n = mapsMenu_[i];
        depth[i] = n.parent >= 0 ? depth[size_t(n.parent)] + 1 : 0;
        const std::string indent(size_t(2 * depth[i]), ' ');
        Print(n.submenu ? "       " + indent + n.text + "/" : std::to_string(n.id) + "  " + indent + n.text);
    }
}

// view LAT LON SPAN: the front map window centred there, SPAN degrees of
// longitude across.
void HeadlessUi::ViewCommand(std::string_view args) {
    if (Trim(args) == "polar") {
        if (!program_->Maps().NewPolarWindow() || !front_) {
            Print("No map window");
            return;
        }
        const GeoPoint c = front_->View().PolarCentre();
        char text[96];
        std::snprintf(text, sizeof text, "Polar view about %.4f %.4f", LatDegreesFromUnits(c.lat), LonDegreesFromUnits(c.lon));
        Print(text);
        return;
    }
    std::istringstream in{std::string(args)};
    in.imbue(std::locale::classic());
    double lat = 0, lon = 0, span = 0;
    if (!(in >> lat >> lon >> span) || span <= 0 || lat < -90 || lat > 90 || lon < -180 || lon > 180) {
        Print("usage: view LAT LON SPAN (degrees north, east, and degrees of longitude across), or view polar");
        return;
    }
    const GeoPoint centre{LonUnitsFromDegrees(lon), LatUnitsFromDegrees(lat)};
    if (!program_->Maps().ViewAt(centre, static_cast<int64_t>(span * kUnitsPerDegree)) || !front_) {
        Print("No map window");
        return;
    }
    const MapView& v = front_->View();
    char text[120];
    std::snprintf(text, sizeof text, "View %.4f %.4f, %.4f degrees across, scale %d", lat, lon, span, v.Scale());
    Print(text);
}

void HeadlessUi::RenderCommand(std::string_view args) {
    std::istringstream in{std::string(args)};
    std::string path;
    int width = kDefaultMapWidth, height = kDefaultMapHeight;
    in >> path;
    if (in >> width) in >> height;
    if (path.empty() || width < 50 || height < 50 || width > 8000 || height > 8000) {
        Print("usage: render FILE.png [WIDTH HEIGHT]");
        return;
    }
    if (!front_) {
        Print("No map window");
        return;
    }
    if (front_->Width() != width || front_->Height() != height) front_->Resize(width, height);
    Print(SaveMapImage(*front_, path) ? "Rendered " + path : "Could not write " + path);
}

// weather: the display's lines; weather zero LETTER clears a group of the chart.
void HeadlessUi::WeatherCommand(std::string_view args) {
    WeatherModule& w = program_->Weather();
    if (args.empty() || args == "compact") {
        for (const std::string& l : w.DisplayLines(args == "compact")) Print(l);
        return;
    }
    if (args.substr(0, 5) == "zero " && args.size() == 6) {
        const std::string message = w.ZeroChart(static_cast<char>(std::toupper(static_cast<unsigned char>(args[5]))));
        Print(message.empty() ? "usage: weather zero T|R|W|P" : message);
        return;
    }
    Print("usage: weather, weather compact, or weather zero T|R|W|P");
}

// render-chart FILE.png [CALL] [WIDTH HEIGHT]: the home chart, or a received
// station's day log.
void HeadlessUi::RenderChartCommand(std::string_view args) {
    std::istringstream in{std::string(args)};
    std::string path, call;
    int width = 900, height = 700;
    in >> path;
    if (in >> call && !call.empty() && std::isdigit(static_cast<unsigned char>(call[0]))) {
        width = std::atoi(call.c_str());
        call.clear();
        in >> height;
    } else if (in >> width) {
        in >> height;
    }
    if (path.empty() || width < 200 || height < 200 || width > 8000 || height > 8000) {
        Print("usage: render-chart FILE.png [CALL] [WIDTH HEIGHT]");
        return;
    }
    for (char& c : call) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    QtSurface surface(width, height);
    std::string error;
    if (!program_->Weather().DrawChart(surface, call, error)) {
        Print(error);
        return;
    }
    Print(surface.SavePng(path) ? "Rendered " + path : "Could not write " + path);
}

}  // namespace velmora
