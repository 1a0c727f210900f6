#include "messaging/NewMessageForm.h"

#include <cctype>

#include "messaging/MessageText.h"

namespace velmora {
namespace {

constexpr std::string_view kToYourself = "Don't send messages to yourself";
constexpr int8_t kObjectIcon = 30;
constexpr uint8_t kModeBits[kPortBoxes] = {0x10, 0x20, 0x40};

}  // namespace

void NewMessageForm::Open(std::string_view to, std::string_view text) {
    status_.clear();
    EditTo(to);
    if (to_ == m_.Settings().ownCall) {
        to_.clear();
        status_ = kToYourself;
    }
    EditText(text);
}

// Never cut: "W1ABCDEFGH" cut to nine would be another station's call.
void NewMessageForm::EditTo(std::string_view to) {
    to_.assign(to.substr(0, 40));
    for (char& c : to_) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (std::string why = AddresseeProblem(to_); !why.empty()) {
        status_ = std::move(why);
        for (bool& t : ticked_) t = false;
        return;
    }
    if (status_.rfind("The addressee", 0) == 0) status_.clear();
    const StationTable& table = m_.Stations().table;
    const StationIndex station = to_.empty() ? -1 : FindStation(table, to_);
    if (station >= 0 && (table.At(station).specialIcon == kObjectIcon || table.At(station).objectState))
        status_ = "Can't send Messages to OBJECTS";
    else if (!to_.empty() && to_ == m_.Settings().ownCall)
        status_ = kToYourself;
    PresetBoxes(station);
}

void NewMessageForm::PresetBoxes(StationIndex station) {
    for (bool& t : ticked_) t = false;
    const StationTable& table = m_.Stations().table;
    const StationRecord* r = table.ValidIndex(station) ? &table.At(station) : nullptr;
    if (r && (r->addresseeMode & 0x70)) {
        for (int b = 0; b < kPortBoxes; ++b) ticked_[b] = (r->addresseeMode & kModeBits[b]) && c_.open[b];
    } else if (r && SeveralPorts()) {
        const SourceKind k = r->sourceKind;
        if (IsHf(k)) ticked_[kBoxHf] = c_.open[kBoxHf];
        else if (k == SourceKind::kVhf || k == SourceKind::kVhfTag) ticked_[kBoxVhf] = c_.open[kBoxVhf];
        else if (IsInternet(k)) ticked_[kBoxInternet] = c_.open[kBoxInternet];
        else ticked_[kBoxHf] = c_.open[kBoxHf], ticked_[kBoxVhf] = c_.open[kBoxVhf];
    }
    if (ticked_[kBoxHf] || ticked_[kBoxVhf] || ticked_[kBoxInternet]) return;
    for (PortBox b : {kBoxVhf, kBoxHf, kBoxInternet}) {
        if (!c_.open[b]) continue;
        ticked_[b] = true;
        return;
    }
}

bool NewMessageForm::HoldsControl(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) < ' ' || c == 0x7F) return true;
    return false;
}

bool NewMessageForm::HoldsMarker(std::string_view text) {
    return text.find_first_of("{|~") != std::string_view::npos;
}

std::string NewMessageForm::AddresseeProblem(std::string_view to) {
    if (to.size() > 9)
        return "The addressee has at most 9 characters (W1AW-15, BLN1); " + std::string(to) + " has " +
               std::to_string(to.size());
    for (char c : to)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-')
            return "The addressee holds letters, digits and one \"-\" only, such as W1AW-9";
    if (const size_t dash = to.find('-'); dash != std::string_view::npos) {
        const std::string_view ssid = to.substr(dash + 1);
        const bool digits = !ssid.empty() && ssid.size() <= 2 && ssid.find_first_not_of("0123456789") == std::string_view::npos;
        if (dash == 0 || !digits || std::stoi(std::string(ssid)) > 15)
            return "The addressee's SSID after \"-\" is a number from 0 to 15, such as W1AW-9";
    }
    return {};
}

std::string NewMessageForm::LengthNote() const {
    const size_t parts = text_.size() < 46 ? 1 : m_.MessageParts(text_, FindStation(m_.Stations().table, to_)).size();
    std::string note = std::to_string(text_.size()) + " of 67 characters";
    if (parts > 1) note += "; it goes out in " + std::to_string(parts) + " parts";
    return note;
}

std::string NewMessageForm::SentNote() const {
    if (Port() == '-')
        return "Queued for " + to_ + ": no TNC is open and no internet link is up; it goes out when one is";
    const char* where = Port() == 'T' ? "the internet" : Port() == '2' ? "VHF" : "HF";
    return "Sent to " + to_ + " on " + where;
}

void NewMessageForm::EditText(std::string_view text) {
    if (!text.empty() && static_cast<unsigned char>(text.back()) < ' ') text.remove_suffix(1);
    if (text.size() > kMaxText) {
        m_.Stations().notices.Beep();
        text = text.substr(0, kMaxText);
    }
    text_.assign(text);
    if (HoldsControl(text_)) status_ = "A message is one line: take out the line end or control character";
    else if (HoldsMarker(text_)) status_ = "A message may not hold {, | or ~: receivers take them for a message number or telemetry";
    else if (status_.rfind("A message ", 0) == 0) status_.clear();
}

void NewMessageForm::Bulletin() {
    BulletinCounters& n = m_.Bulletins();
    EditTo("BLN" + std::string(1, static_cast<char>('0' + n.digit)));
    n.digit = n.digit >= 9 ? 1 : n.digit + 1;
    status_ = "Bulletins get sent every 20 min for 4 hours";
}

void NewMessageForm::Announcement() {
    BulletinCounters& n = m_.Bulletins();
    EditTo("BLN" + std::string(1, n.letter));
    n.letter = n.letter >= 'Z' ? 'A' : static_cast<char>(n.letter + 1);
    status_ = "Announcements get sent once an hour for 4 days";
}

void NewMessageForm::ToNws() {
    EditTo(c_.nwsStation);
    text_ = c_.nwsPrefix;
}

char NewMessageForm::Port() const {
    if (ticked_[kBoxInternet]) return 'T';
    if (ticked_[kBoxVhf]) return '2';
    if (ticked_[kBoxHf]) return '1';
    return '-';
}

bool NewMessageForm::Accept() {
    if (!OkEnabled() || StartsWith(to_, "NWS-")) {
        m_.Stations().notices.Beep();
        return false;
    }
    m_.Answer().on = false;
    StationIndex station = -1;
    if (!StartsWith(to_, "BLN")) {
        const FindResult found = FindOrAddStation(m_.Stations(), to_, Liveness::kReplay, SourceKind::kNone, 0);
        station = found.index;
        if (station >= 0) {
            uint8_t mode = 0;
            for (int b = 0; b < kPortBoxes; ++b)
                if (ticked_[b]) mode |= kModeBits[b];
            StationRecord& r = m_.Stations().table.At(station);
            r.addresseeMode = static_cast<uint8_t>((r.addresseeMode & ~0x70) | mode);
        }
    }
    m_.Stations().notices.StatusText(SentNote());
    if (text_.size() < 46) return m_.SendMessage(to_, text_, Port(), station) >= 0;
    const std::string last = m_.SplitLongMessage(to_, text_, Port(), station);
    // The dialog's counters follow the addressees the parts used.
    if (IsBulletinAddressee(last)) m_.Bulletins().digit = last[3] - '0';
    else if (IsAnnouncementAddressee(last)) m_.Bulletins().letter = static_cast<char>(std::toupper(last[3]));
    return true;
}

}  // namespace velmora
