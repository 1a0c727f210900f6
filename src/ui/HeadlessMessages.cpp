// The console's messages and Garmin link: msg, autoanswer's dialogs, the
// conversation, and garmin.
#include <cctype>
#include <cstdio>

#include "app/Program.h"
#include "ui/GarminScreen.h"
#include "ui/HeadlessUi.h"

#include "stations/ByteLines.h"
#include "ui/ConsoleText.h"

namespace velmora {
using console::Print;
using console::Trim;

// The "Garmin GPS Control" window's buttons, and what the link knows.
void HeadlessUi::GarminCommand(std::string_view args) {
    using B = GarminModule::Button;
    GarminModule& g = program_->Garmin();
    static const std::pair<const char*, B> kButtons[] = {
        {"open", B::kOpen},          {"close", B::kClose},   {"product", B::kProduct}, {"track", B::kTrack},
        {"waypoints", B::kWaypoints}, {"upload", B::kUpload}, {"screen", B::kScreen},
    };
    for (const auto& [word, button] : kButtons) {
        if (args != word) continue;
        g.Press(button);
        Print(g.LastStatus());
        return;
    }
    if (args.substr(0, 6) == "image ") {
        const std::string file(Trim(args.substr(6)));
        const QImage image = GarminScreenImage(g.Link());
        Print(image.isNull() ? "No screen image yet (garmin screen asks for one)"
                             : image.save(QString::fromStdString(file)) ? "Saved " + file : "Could not write " + file);
        return;
    }
    if (args.substr(0, 5) == "save ") {
        g.Press(B::kSaveTrack, std::string(Trim(args.substr(5))));
        Print(g.LastStatus());
        return;
    }
    const GarminLink& l = g.Link();
    Print("Garmin: " + std::string(l.Open() ? "open" : "closed") + ", product " + std::to_string(l.ProductId()) + " " +
          l.ProductName() + " " + l.Version() + ", track points " + std::to_string(l.Track().size()) + ", waypoints " +
          std::to_string(l.Waypoints().size()) + "; " + g.LastStatus());
}

// msg: the message list; msg CALL: the conversation with CALL; msg CALL
// TEXT: sent as the new-message dialog sends it with its defaults.
void HeadlessUi::MessageCommand(std::string_view args) {
    MessagingModule& m = program_->Messages();
    if (args.empty()) {
        ShowList(m.List());
        return;
    }
    const size_t space = args.find(' ');
    const std::string call(args.substr(0, space));
    if (space == std::string_view::npos) {
        std::string upper = call;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        ShowConversation(upper);
        return;
    }
    std::string status;
    m.SendAsDialog(call, Trim(args.substr(space + 1)), &status);
    Print(status);
}

bool HeadlessUi::ComposeMessage(NewMessageForm&) {
    Print("New Message: type msg CALL TEXT");
    return false;
}

bool HeadlessUi::EditAutoAnswer(AutoAnswer& answer) {
    Print(answer.on ? "Auto Answer enabled:" + answer.text + " (autoanswer TEXT or autoanswer off changes it)"
                    : "Auto Answer disabled (autoanswer TEXT turns it on)");
    return false;
}

// One line for each new message: printing the whole list for each would
// grow without end on a busy link and stall the console.
bool HeadlessUi::MailArrived(std::string_view from, std::string_view text) {
    Print("Mail from " + DisplayText(from) + ": " + DisplayText(text));
    return true;
}

void HeadlessUi::ShowConversation(const std::string& call) {
    if (!program_) return;
    Print("Messages with " + call);
    for (const ConversationLine& l : program_->Messages().Conversation(call)) {
        const LocalDateTime t = FromTimeStamp(l.time);
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "%02d/%02d %02d:%02d", t.month, t.day, t.hour, t.minute);
        Print(std::string(stamp) + (l.mine ? "  > " : "  < ") + l.text + (l.status.empty() ? "" : "  [" + l.status + "]"));
    }
}

}  // namespace velmora
