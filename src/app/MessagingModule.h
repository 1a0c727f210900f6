#pragma once
// Messaging as a module: the store's traffic from the decoder, the minute's
// retries, the Messages menu commands, the message list ("MSGL"), the
// new-message and auto-answer dialogs and the per-station conversations.
#include <functional>
#include <memory>
#include <string>

#include "app/Module.h"
#include "lists/MessageList.h"
#include "messaging/Messaging.h"
#include "messaging/NewMessageForm.h"

namespace velmora {

class ListWindows;
class TransmitModule;

constexpr uint16_t kCmdClearMessages = 1102;
constexpr uint16_t kCmdNewMessage = 3202;
constexpr uint16_t kCmdAutoAnswer = 3203;
constexpr uint16_t kCmdEnableSound = 3008;
constexpr uint16_t kCmdNotifyMail = 3009;
constexpr uint16_t kCmdNotifyBulletins = 3010;
constexpr uint16_t kCmdNotifyAnnouncements = 3011;
constexpr uint16_t kCmdMessageList = 8214;
constexpr uint16_t kCmdRoundTrip = 8215;

// Where a front end shows the message dialogs and conversations.
class MessageWindows {
public:
    virtual ~MessageWindows() = default;
    // The new-message dialog over this form; true when OK sent it.
    virtual bool ComposeMessage(NewMessageForm& form) = 0;
    // "Message Auto Answer"; true when the operator confirmed.
    virtual bool EditAutoAnswer(AutoAnswer& answer) = 0;
    // The conversation with one station.
    virtual void ShowConversation(const std::string& call) = 0;
    // The store changed: open conversations look again.
    virtual void MessagesChanged() {}
    // Mail for us arrived; false to have the message list come up instead
    // (the desktop), true when the window showed it itself (the console
    // prints the one new message, never the whole list).
    virtual bool MailArrived(std::string_view /*from*/, std::string_view /*text*/) { return false; }
};

// One line of a conversation: who wrote it, when, and how it fared.
struct ConversationLine {
    bool mine = false;
    TimeStamp time = 0;
    std::string text;
    std::string status;  // an own message's status code, with its round trip
};

class MessagingModule final : public Module, private MessageLinks {
public:
    MessagingModule(ModuleServices services, TransmitModule& transmit, ListWindows* lists, MessageWindows* windows);

    void Startup() override;
    // Our messages still waiting, and the counter, kept for the next start.
    void Shutdown() override;
    bool Command(uint16_t id) override;
    bool IsChecked(uint16_t id) const override;
    void MinuteChanged(const LocalDateTime& now) override;

    // From the decoder: a message field heard (or replayed) from a station.
    void Receive(std::string_view source, std::string_view header, std::string_view field, Liveness live,
                 SourceKind kind);
    void StationHeard(StationIndex station) { messaging_.RetryOnHeard(station); }

    Messaging& Core() { return messaging_; }
    MessageListModel& List() { return list_; }
    // A form for the new-message dialog, opened on an addressee and text.
    NewMessageForm Form(std::string_view to, std::string_view text = {});
    // "msg CALL TEXT": as the dialog sends with its defaults; false when refused.
    bool SendAsDialog(std::string_view to, std::string_view text, std::string* status = nullptr);
    // The messages between the operator and a station, oldest first.
    std::vector<ConversationLine> Conversation(std::string_view call) const;

    // The IGate, once the program has one.
    class Igate* igate = nullptr;
    // The station selected on the front map: the new message's addressee.
    std::function<std::string()> selectedStation = [] { return std::string(); };
    // Weather bulletins, to the NWS module; whether this station may send them.
    std::function<void(std::string_view from, std::string_view to, std::string_view text, char port, bool live)>
        nwsBulletin = [](std::string_view, std::string_view, std::string_view, char, bool) {};
    std::function<bool()> nwsSending = [] { return false; };
    // Radiogram sections, to the NTS module.
    std::function<void(std::string_view from, std::string_view to, std::string_view text, std::string_view number)>
        ntsSection = [](std::string_view, std::string_view, std::string_view, std::string_view) {};
    // The sound switch, for the notifier.
    std::function<void(bool)> soundSwitch = [](bool) {};
    // The settings dialogs (Message Settings), once the program has them.
    void SetDialogs(class SettingsDialogs* dialogs) { dialogs_ = dialogs; }

    // The New Message dialog, addressed (the map's menu, a list).
    void Compose(const std::string& to, const std::string& text);

private:
    void Apply();
    void EditSettings();
    class SettingsDialogs* dialogs_ = nullptr;
    bool PortOpen(int box) const;

    // MessageLinks
    void Transmit(char port, std::string_view line, std::string_view kissPath) override;
    void PositionDue(char port) override;
    void SendStatus(char port) override;
    void SendObjects(char port) override;
    void LogMessage(std::string_view line) override;
    void ShowMessageList() override;
    void MailArrived(std::string_view from, std::string_view text) override;
    void MessageChanged(int32_t entry) override;
    bool IgateEnabled() const override;
    bool GateMessageToRf(std::string_view from, std::string_view path, std::string_view field) override;
    void SendIgateList(std::string_view to, char port) override;
    void NwsBulletin(std::string_view from, std::string_view to, std::string_view text, char port, bool live) override {
        nwsBulletin(from, to, text, port, live);
    }
    bool NwsSendingEnabled() const override { return nwsSending(); }
    void NtsTraffic(std::string_view from, std::string_view to, std::string_view text, std::string_view number,
                    bool /*live*/) override {
        ntsSection(from, to, text, number);
    }

    ModuleServices s_;
    TransmitModule& transmit_;
    ListWindows* lists_;
    MessageWindows* windows_;
    Messaging messaging_;
    MessageListModel list_;
};

}  // namespace velmora
