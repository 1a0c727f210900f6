#include "app/MessagingModule.h"

#include "app/MenuTable.h"
#include "app/SettingsDialogs.h"

#include "app/ListsModule.h"
#include "app/TransmitModule.h"
#include "gateway/Igate.h"
#include "messaging/MessageText.h"
#include "messaging/Outbox.h"

namespace velmora {
namespace {

char PortCode(SourceKind kind) {
    const char c = ToChar(kind);
    return c ? c : '-';
}

// The header after "SOURCE>": destination and path, as "?PING?" answers it.
std::string_view PathOf(std::string_view header) {
    const size_t gt = header.find('>');
    return gt == std::string_view::npos ? header : header.substr(gt + 1);
}

// "%c%c-%c%c%c-%s ": state, county and city of the station settings.
std::string NwsPrefix(const Preferences& p) {
    std::string state = p.Text(pref::kState), county = p.Text(pref::kCounty);
    state.resize(2, ' ');
    county.resize(3, ' ');
    return state + "-" + county + "-" + p.Text(pref::kCity) + " ";
}

}  // namespace

MessagingModule::MessagingModule(ModuleServices services, TransmitModule& transmit, ListWindows* lists,
                                 MessageWindows* windows)
    : s_(services),
      transmit_(transmit),
      lists_(lists),
      windows_(windows),
      messaging_(s_.app.Messages(), s_.app.StationUpdates(), *this),
      list_(messaging_) {
    list_.compose = [this](const std::string& to, const std::string& text) { Compose(to, text); };
    list_.severalPorts = [this] {
        return (PortOpen(kBoxHf) && PortOpen(kBoxVhf)) || PortOpen(kBoxInternet);
    };
}

void MessagingModule::Startup() {
    Apply();
    const FileAccess& files = s_.platform.files;
    if (const auto text = files.ReadWhole(files.RealPath(kOutboxFile), 1 << 20)) (void)RestoreOutbox(messaging_, *text);
}

void MessagingModule::Shutdown() {
    const FileAccess& files = s_.platform.files;
    (void)files.WriteWhole(files.RealPath(kOutboxFile), OutboxText(messaging_));
}

void MessagingModule::Apply() {
    MessagingSettings m;
    m.ownCall = std::string(s_.app.Own().call.View());
    const int64_t retries = s_.prefs.Number(pref::kMsgRetries);
    m.retries = static_cast<int>(retries < 2 ? 2 : retries > 24 ? 24 : retries);
    m.notifyMail = s_.prefs.Number(pref::kNotifyNewMail) != 0;
    m.notifyBulletins = s_.prefs.Number(pref::kNotifyBulletins) != 0;
    m.notifyAnnouncements = s_.prefs.Number(pref::kNotifyAnnouncements) != 0;
    messaging_.Configure(m);
    list_.SetRoundTrip(s_.prefs.Number(pref::kMessageRoundTrip) != 0);
    soundSwitch(s_.prefs.Number(pref::kSoundOn) != 0);
}

void MessagingModule::Receive(std::string_view source, std::string_view header, std::string_view field,
                              Liveness live, SourceKind kind) {
    // The own call may have changed in the settings since the last message.
    if (messaging_.Settings().ownCall != s_.app.Own().call.View()) Apply();
    messaging_.ReceiveMessage(source, PathOf(header), field, live, PortCode(kind));
}

void MessagingModule::MinuteChanged(const LocalDateTime& now) {
    messaging_.RetryPass(now.minute, transmit_.Schedule().HourlyOffsets().announce);
}

bool MessagingModule::PortOpen(int box) const {
    return transmit_.ChannelUp(box == kBoxHf ? kChannelHf : box == kBoxVhf ? kChannelVhf : kChannelInternet);
}

NewMessageForm MessagingModule::Form(std::string_view to, std::string_view text) {
    if (messaging_.Settings().ownCall != s_.app.Own().call.View()) Apply();
    NewMessageContext c;
    for (int b = 0; b < kPortBoxes; ++b) c.open[b] = PortOpen(b);
    c.nwsStation = s_.prefs.Text(pref::kNearestNwsStation);
    c.nwsPrefix = NwsPrefix(s_.prefs);
    NewMessageForm form(messaging_, c);
    form.Open(to, text);
    return form;
}

void MessagingModule::Compose(const std::string& to, const std::string& text) {
    NewMessageForm form = Form(to, text);
    if (windows_) windows_->ComposeMessage(form);
}

bool MessagingModule::SendAsDialog(std::string_view to, std::string_view text, std::string* status) {
    NewMessageForm form = Form({});
    form.EditTo(to);
    form.EditText(text);
    // The dialog shows these and the operator thinks again; the console refuses.
    const bool refused = form.Status() == "Don't send messages to yourself" ||
                         form.Status() == "Can't send Messages to OBJECTS";
    std::string why = form.Status();
    if (std::string bad = NewMessageForm::AddresseeProblem(form.To()); !bad.empty()) why = bad;
    else if (NewMessageForm::HoldsMarker(form.Text())) why = form.Status();
    else if (!form.OkEnabled()) why = "The addressee needs 2 to 9 characters and the text may not be empty";
    else if (StartsWith(form.To(), "NWS-")) why = "Messages to NWS- addressees are bulletins: not sent";
    const bool sent = !refused && form.Accept();
    if (status) *status = sent ? form.SentNote() + (form.Text().size() >= 46 ? " (" + form.LengthNote() + ")" : "") : why;
    return sent;
}

std::vector<ConversationLine> MessagingModule::Conversation(std::string_view call) const {
    std::vector<ConversationLine> lines;
    const MessageStore& store = messaging_.Store();
    const std::string& own = messaging_.Settings().ownCall;
    for (int32_t i = 0; i < store.Count(); ++i) {
        const MessageEntry& e = store.At(i);
        const bool mine = e.outgoing && e.to == call;
        if (!mine && !(e.from == call && e.to == own)) continue;
        ConversationLine line{mine, e.created, std::string(e.text.View()), MessageStatusCode(e)};
        if (mine && e.ackState == MessageEntry::kAcked && e.ackedAt) line.status += " " + std::to_string(e.roundTrip) + " s";
        lines.push_back(std::move(line));
    }
    return lines;
}

bool MessagingModule::Command(uint16_t id) {
    const auto toggle = [this](PrefKey key) {
        (void)s_.prefs.SetNumber(key, s_.prefs.Number(key) ? 0 : 1);
        if (!s_.prefs.Save(s_.platform.files)) s_.platform.notices.StatusText("Could not save Velmora.prf");
        Apply();
        return true;
    };
    switch (id) {
        case kCmdClearMessages: messaging_.Clear(); return true;
        case kCmdMessageSettings: EditSettings(); return true;
        case kCmdNewMessage: Compose(selectedStation(), {}); return true;
        case kCmdAutoAnswer:
            if (windows_ && windows_->EditAutoAnswer(messaging_.Answer())) {
                AutoAnswer& a = messaging_.Answer();
                if (a.text.size() > AutoAnswer::kMaxText) a.text.resize(AutoAnswer::kMaxText);
                s_.platform.notices.StatusText(a.on ? "Auto Answer enabled" : "Auto Answer disabled");
                list_.Invalidate();
            }
            return true;
        case kCmdMessageList: ShowMessageList(); return true;
        case kCmdEnableSound: return toggle(pref::kSoundOn);
        case kCmdNotifyMail: return toggle(pref::kNotifyNewMail);
        case kCmdNotifyBulletins: return toggle(pref::kNotifyBulletins);
        case kCmdNotifyAnnouncements: return toggle(pref::kNotifyAnnouncements);
        case kCmdRoundTrip: return toggle(pref::kMessageRoundTrip);
        default: return false;
    }
}

void MessagingModule::EditSettings() {
    if (!dialogs_) return;
    MessageSettingsForm form = MessageSettingsForm::From(s_.prefs);
    if (!dialogs_->EditMessageSettings(form)) return;
    if (const std::string why = form.Problem(); !why.empty()) {
        s_.ui.MessageBox(why, "Message Settings", Buttons::kOk);
        return;
    }
    form.Store(s_.prefs);
    if (!s_.prefs.Save(s_.platform.files)) s_.platform.notices.StatusText("Could not save Velmora.prf");
    Apply();  // retries, notifications, sound and round trips at once
    s_.ui.RefreshCheckMarks();
}

bool MessagingModule::IsChecked(uint16_t id) const {
    switch (id) {
        case kCmdEnableSound: return s_.prefs.Number(pref::kSoundOn) != 0;
        case kCmdNotifyMail: return s_.prefs.Number(pref::kNotifyNewMail) != 0;
        case kCmdNotifyBulletins: return s_.prefs.Number(pref::kNotifyBulletins) != 0;
        case kCmdNotifyAnnouncements: return s_.prefs.Number(pref::kNotifyAnnouncements) != 0;
        case kCmdRoundTrip: return s_.prefs.Number(pref::kMessageRoundTrip) != 0;
        default: return false;
    }
}

void MessagingModule::Transmit(char port, std::string_view line, std::string_view kissPath) {
    transmit_.TransmitVia(port, line, kissPath);
}

void MessagingModule::PositionDue(char port) {
    const int group = PortGroupOf(SourceKindFromChar(port));
    ScheduleCounters& due = s_.app.Schedule();
    for (int g = 0; g < kPortGroups; ++g)
        if (group < 0 || group == g) due.positionNow[g] = true;
}

void MessagingModule::SendStatus(char port) { transmit_.SendStatusOn(port); }
void MessagingModule::SendObjects(char port) { transmit_.SendObjectsOn(port); }

void MessagingModule::LogMessage(std::string_view line) { s_.app.Logs().WriteLine(LogKind::kMessage, line); }

bool MessagingModule::IgateEnabled() const { return igate && igate->Settings().toRf; }
bool MessagingModule::GateMessageToRf(std::string_view from, std::string_view path, std::string_view field) {
    // A cut line, or one from a source that may not reach the air, is
    // read here but never gated.
    return igate && s_.app.MayGateCurrentLine() && igate->GateMessageToRf(from, path, field);
}
void MessagingModule::SendIgateList(std::string_view to, char) {
    if (igate) igate->AnswerList(to, messaging_);
}

void MessagingModule::ShowMessageList() {
    if (lists_) lists_->ShowList(list_);
}

void MessagingModule::MailArrived(std::string_view from, std::string_view text) {
    if (windows_ && windows_->MailArrived(from, text)) return;
    ShowMessageList();
}

void MessagingModule::MessageChanged(int32_t) {
    list_.Invalidate();
    if (windows_) windows_->MessagesChanged();
}

}  // namespace velmora
