#pragma once
// The station speaks: its own reports by menu, by F2 and by the minute
// schedule, every one through the router to the TNCs (and, once they are
// built, the internet link and the TCP server's clients).
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Module.h"
#include "app/Settings.h"
#include "transmit/ReportSchedule.h"
#include "transmit/TransmitRouter.h"

namespace velmora {

class PortsModule;

constexpr uint16_t kCmdReportRates = 3004;
constexpr uint16_t kCmdSendPosition = 3201;
constexpr uint16_t kCmdSendQuery = 3204;
constexpr uint16_t kCmdSendWeather = 3205;
constexpr uint16_t kCmdSendWxQuery = 3206;
constexpr uint16_t kCmdSendRdfReport = 3207;
constexpr uint16_t kCmdTncSendPosition = 3501;
constexpr uint16_t kCmdTncSendObjects = 3502;
constexpr uint16_t kCmdTncSendGrid = 3503;
constexpr uint16_t kCmdTncQueryAll = 3506;
constexpr uint16_t kCmdTncQueryWeather = 3507;
constexpr uint16_t kCmdTncQueryIGates = 3508;

class TransmitModule final : public Module, private TransmitLinks, private ScheduleActions {
public:
    TransmitModule(ModuleServices services, PortsModule& ports, class SettingsDialogs* dialogs);

    void Startup() override;
    bool Command(uint16_t id) override;
    void MinuteChanged(const LocalDateTime& now) override;

    // Every originated packet leaves here.
    void Transmit(char route, std::string_view text, int pauseTicks = 0);
    // The same, with a digipeater path of its own for a KISS TNC's frame.
    void TransmitVia(char route, std::string_view text, std::string_view kissPath);
    // The status report and the own objects on one route (a query's answer).
    void SendStatusOn(char route);
    void SendObjectsOn(char route) { SendObjects(route); }
    // The own position on a route ('-' all, 'H', 'V', 'T'); false when there
    // is none to send.
    bool SendOwnPosition(char route);
    // A TNC was started: the schedule starts over.
    void TncStarted();
    const ReportSchedule& Schedule() const { return schedule_; }
    bool ChannelUp(Channel c) const { return ChannelOpen(c); }
    // The internet links, once wired by the program.
    std::function<bool()> internetOpen = [] { return false; };
    std::function<void(std::string_view)> sendInternet = [](std::string_view) {};
    // Another GPS (gpsd), once wired by the program.
    std::function<bool()> otherGps = [] { return false; };
    // The home weather station, once wired by the program: whether it is a
    // source now, its report, and whether its data are fresh enough to send.
    std::function<bool()> weatherSource = [] { return false; };
    std::function<std::optional<std::string>()> weatherReport = [] { return std::optional<std::string>(); };
    std::function<bool()> weatherFresh = [] { return false; };
    // The TCP server's clients, once wired by the program.
    std::function<void(std::string_view)> offerClients = [](std::string_view) {};
    std::function<bool()> tcpServerOn = [] { return false; };
    // The own objects' reports for a route, once wired by the program.
    std::function<std::vector<std::string>(char)> ownObjects = [](char) { return std::vector<std::string>(); };

private:
    OwnReportSettings Own() const;
    void Reload();
    void EditTncSettings();

    // TransmitLinks
    bool TncOpen(int port) const override;
    bool KissOn(int port) const override;
    void SendText(int port, std::string_view text, int pauseTicks) override;
    void SendKiss(int port, std::string_view text) override;
    bool InternetOpen() const override { return internetOpen(); }
    void SendInternet(std::string_view line) override { sendInternet(line); }
    void OfferTcpClients(std::string_view line) override { offerClients(line); }
    void RecordTransmitted(std::string_view line) override;

    // ScheduleActions
    bool ChannelOpen(Channel c) const override;
    bool GpsConnected() const override;
    bool TcpServerOn() const override { return tcpServerOn(); }
    bool WeatherSource() const override { return weatherSource(); }
    void OfferPositionToTcpClients() override;
    void SendPosition(char route) override { SendOwnPosition(route); }
    void SendAlternatePath(int n) override;
    void SendStatus() override;
    void SendWeather(char route) override;
    void SendObjects(char route) override;

    ModuleServices s_;
    PortsModule& ports_;
    class SettingsDialogs* dialogs_;
    TransmitSettings settings_;
    ReportSchedule schedule_;
    std::string oneFramePath_;  // while TransmitVia runs
};

}  // namespace velmora
