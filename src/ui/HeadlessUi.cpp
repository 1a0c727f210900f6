#include "ui/HeadlessUi.h"
#include "ui/QuitSignals.h"
#include "ui/ConsoleText.h"
#include "ui/HelpText.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "app/MenuTable.h"
#include "app/Program.h"
#include "stations/StationRows.h"
#include "geo/Position.h"
#include "platform/qt/QtSurface.h"
#include <sstream>

namespace velmora {
using console::Print;
using console::Trim;
namespace {

}  // namespace

HeadlessUi::HeadlessUi() = default;

void HeadlessUi::Attach(Program* program) {
    program_ = program;
    AttachTarget(program);
}
HeadlessUi::~HeadlessUi() = default;

void HeadlessUi::StartConsole() {
    console_ = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(console_.get(), &QSocketNotifier::activated, this, [this] { ReadConsole(); });
}

void HeadlessUi::CatchSignals() {
    signals_ = std::make_unique<QuitSignals>([this] {
        if (program_) program_->RequestQuit(0);
    });
}

void HeadlessUi::ReadConsole() {
    char buf[4096];
    const ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
    if (n <= 0) {
        console_->setEnabled(false);  // no console: keep running until told to quit
        return;
    }
    pending_.append(buf, static_cast<size_t>(n));
    size_t end;
    while ((end = pending_.find_first_of("\r\n")) != std::string::npos) {
        const std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        RunCommand(line);
    }
    if (pending_.size() > 65536) pending_.clear();  // not a console
}

void HeadlessUi::RunCommand(const std::string& raw) {
    const std::string_view line = Trim(raw);
    if (line.empty() || !program_) return;
    Program& p = *program_;
    if (line == "quit") {
        p.RequestQuit(0);
    } else if (line == "stations") {
        if (ListModel* m = p.Lists().Find("STAL")) ShowList(*m);  // the station list, as "list STAL"
    } else if (line == "table") {
        Print(StationRowHeader());
        const StationTable& t = p.Core().Stations();
        for (StationIndex i = 0; i < t.UsedCount(); ++i) Print(StationRow(t.At(i)));
    } else if (line == "list") {
        for (const auto& m : p.Lists().Models()) Print(FourCCText(m->Code()) + "  " + std::string(m->Title()));
        Print("MAPL  Map List");
    } else if (line.substr(0, 5) == "list ") {
        const std::string code(Trim(line.substr(5)));
        if (ListModel* m = p.Lists().Find(code)) ShowList(*m);
        else if (code == FourCCText(p.Maps().MapListWindow().Code())) ShowList(p.Maps().MapListWindow());
        else Print("No list " + code + " (list names them)");
    } else if (line.substr(0, 5) == "open ") {
        p.OpenFile(std::string(Trim(line.substr(5))));
        Print("Opened " + std::string(Trim(line.substr(5))));
    } else if (line.substr(0, 9) == "simulate ") {
        const std::string path(Trim(line.substr(9)));
        Print(p.StartSimulation(path) ? "Simulating " + path : "Cannot read " + path);
    } else if (line == "close terminal") {
        terminalOpen_ = false;
        p.TerminalClosed();
    } else if (line.substr(0, 5) == "send ") {
        p.TerminalTyped(std::string(line.substr(5)) + "\r");
    } else if (line.substr(0, 5) == "info ") {
        ShowStationInfo(std::string(Trim(line.substr(5))));
    } else if (line == "links") {
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
    } else if (line == "connect" || line.substr(0, 8) == "connect ") {
        const std::string n(Trim(line.substr(std::min<size_t>(line.size(), 7))));
        if (n.empty()) p.Command(kCmdConnectNetwork);
        else if (const long k = std::atol(n.c_str()); k >= 1 && size_t(k) <= p.Internet().Links().Links().size())
            p.Command(static_cast<uint16_t>(kCmdFirstLink + k - 1));
        else Print("No link " + n + " (links lists them)");
    } else if (line.substr(0, 7) == "filter ") {
        p.Internet().Links().ChangeFilter(Trim(line.substr(7)));
        Print("Filter " + std::string(Trim(line.substr(7))));
    } else if (line == "disconnect") {
        p.Command(kCmdCloseAllLinks);
    } else if (line == "maps") {
        PrintMapsMenu();
    } else if (line.substr(0, 4) == "map ") {
        const std::string name(Trim(line.substr(4)));
        if (p.Maps().OpenNamed(name) && front_) Print("Map window - " + front_->Title());
        else Print("No map " + name + " (maps lists them)");
    } else if (line.substr(0, 5) == "view ") {
        ViewCommand(line.substr(5));
    } else if (line.substr(0, 7) == "render ") {
        RenderCommand(line.substr(7));
    } else if (line == "garmin" || line.substr(0, 7) == "garmin ") {
        GarminCommand(Trim(line.substr(6)));
    } else if (line == "weather" || line.substr(0, 8) == "weather ") {
        WeatherCommand(Trim(line.substr(7)));
    } else if (line.substr(0, 13) == "render-chart ") {
        RenderChartCommand(line.substr(13));
    } else if (line.substr(0, 5) == "find ") {
        for (const std::string& l : program_->RefData().ConsoleFind(line.substr(5))) Print(l);
    } else if (line == "nts" || line.substr(0, 4) == "nts ") {
        for (const std::string& l : program_->Nts().ConsoleCommand(line.substr(3))) Print(l);
    } else if (line == "nws" || line.substr(0, 4) == "nws ") {
        for (const std::string& l : program_->Nws().ConsoleCommand(Trim(line.substr(3)))) Print(l);
    } else if (line == "gps") {
        Print(p.Gps().ConsoleText());
    } else if (line == "msg" || line.substr(0, 4) == "msg ") {
        MessageCommand(Trim(line.substr(3)));
    } else if (line == "autoanswer off") {
        p.Messages().Core().Answer().on = false;
        Print("Auto Answer disabled");
    } else if (line.substr(0, 11) == "autoanswer ") {
        AutoAnswer& a = p.Messages().Core().Answer();
        a = {true, std::string(Trim(line.substr(11))).substr(0, AutoAnswer::kMaxText)};
        p.Messages().List().Invalidate();
        Print("Auto Answer enabled:" + a.text);
    } else if (line == "help") {
        Print("commands: a menu command by number or text, stations (list STAL), table, list, list CODE, maps, map NAME, "
              "view LAT LON SPAN, render FILE.png [WIDTH HEIGHT], info CALL, gps, garmin open|close|product|track|waypoints|upload|screen|image FILE.png|save FILE, msg (list MSGL), msg CALL, msg CALL TEXT, "
              "autoanswer TEXT|off, weather, weather compact, weather zero T|R|W|P, render-chart FILE.png [CALL] [WIDTH HEIGHT], connect [N], disconnect, links, open FILE, simulate FILE, send TEXT, quit");
        for (const Menu& m : MainMenu())
            for (const MenuItem& item : m.items)
                if (item.id) Print("  " + std::to_string(item.id) + "  " + m.title + " > " + item.text);
        for (const auto& [title, items] : menus_)
            for (const auto& [id, text] : items) Print("  " + std::to_string(id) + "  " + title + " > " + text);
    } else if (const MenuItem* item = FindMenuItem(line)) {
        p.Command(item->id);
    } else if (line.find_first_not_of("0123456789") == std::string_view::npos && line.size() <= 5) {
        const long id = std::atol(std::string(line).c_str());
        if (id > 0 && id <= 65535 && p.Command(static_cast<uint16_t>(id))) return;
        Print("Command " + std::string(line) + " is not available");
    } else {
        Print("Unknown command: " + std::string(line) + " (help lists the commands)");
    }
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

void HeadlessUi::ShowWeatherChart() { Print("Weather Chart: render-chart FILE.png [CALL] draws it"); }

bool HeadlessUi::EditWeatherSettings(WeatherDialogValues&) {
    Print("Weather Settings: set them with velmora-prefs (weather_station_type and the alarm_ fields)");
    return false;
}

void HeadlessUi::ShowStationInfo(const std::string& call) {
    if (!program_) return;
    std::string upper = call;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::string text = program_->Maps().InfoText(upper);
    if (text.empty()) text = "No station " + upper + "\n";
    text.pop_back();
    Print(text);
}

bool HeadlessUi::ShowMapWindow(MapWindow& window) {
    window.Resize(kDefaultMapWidth, kDefaultMapHeight);
    front_ = &window;
    return true;
}

std::string HeadlessUi::ChooseImageFile() {
    std::fprintf(stderr, "Save Map Image: give the file on the console (render FILE.png)\n");
    return {};
}

bool HeadlessUi::SaveMapImage(MapWindow& window, const std::string& path) {
    if (!program_) return false;
    QtSurface surface(window.Width(), window.Height());
    window.Draw(surface, program_->Maps().Scene());
    return surface.SavePng(path);
}

void HeadlessUi::ShowList(ListModel& model) {
    model.RefreshIfDirty();
    const std::string summary = model.Summary();
    if (!summary.empty()) Print(summary);
    std::string text = ListText(model);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    Print(text);
}

Answer HeadlessUi::MessageBox(std::string_view text, std::string_view title, Buttons) {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(title.size()), title.data(), static_cast<int>(text.size()),
                 text.data());
    return Answer::kOk;
}

std::string HeadlessUi::ChooseFile(std::string_view title) {
    std::fprintf(stderr, "%.*s: give the file on the console (open FILE or simulate FILE)\n",
                 static_cast<int>(title.size()), title.data());
    return {};
}

bool HeadlessUi::EditStationSettings(Preferences&) {
    std::fprintf(stderr, "Station Settings: set them with velmora-prefs (velmora-prefs --data DIR set own_call CALL)\n");
    return false;
}

void HeadlessUi::ShowHelp() { Print(UserHelp()); }

void HeadlessUi::ShowAbout(std::string_view text) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

int HeadlessUi::ChooseItem(std::string_view title, const std::vector<std::string>& items) {
    if (items.empty()) return -1;
    std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(title.size()), title.data(), items[0].c_str());
    return 0;  // the default choice
}

std::optional<std::string> HeadlessUi::AskText(std::string_view title, std::string_view) {
    std::fprintf(stderr, "%.*s: not asked on the console\n", static_cast<int>(title.size()), title.data());
    return std::nullopt;
}

void HeadlessUi::AddMenu(std::string_view title, const std::vector<std::pair<uint16_t, std::string>>& items) {
    menus_.emplace_back(std::string(title), items);
}

void HeadlessUi::ShowTerminal(std::string_view title) {
    terminalOpen_ = true;
    Print(std::string(title) + " (send TEXT types TEXT and a carriage return)");
}

void HeadlessUi::TerminalOutput(std::string_view text, int colour) {
    if (!terminalOpen_ || colour == 0) return;  // raw input repeats the lines; show each line once
    Print("term: " + std::string(text));
}

void ConsoleNotices::StatusText(std::string_view text) {
    const LocalDateTime t = clock_.Now();
    std::printf("%02d:%02d:%02d %.*s\n", t.hour, t.minute, t.second, static_cast<int>(text.size()), text.data());
    std::fflush(stdout);
}

void ConsoleNotices::PlayEventSound(int event, std::string_view caption) {
    StatusText("[" + std::to_string(event) + "] " + std::string(caption));
}

void ConsoleNotices::Beep() { std::fputc('\a', stderr); }

}  // namespace velmora
