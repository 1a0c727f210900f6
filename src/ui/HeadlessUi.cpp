#include "ui/HeadlessUi.h"
#include "ui/QuitSignals.h"
#include "ui/ConsoleText.h"
#include "ui/HelpText.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>

#include "app/Program.h"
#include "platform/qt/QtSurface.h"

namespace velmora {
using console::Print;

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
