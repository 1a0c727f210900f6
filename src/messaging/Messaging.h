#pragma once
// The message traffic of the station: every message heard is stored and
// those for us acknowledged and answered; our own messages, bulletins and
// announcements are numbered, held one at a time per station, sent and
// retried until acknowledged or their budget is spent.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include <string_view>

#include "messaging/MessageLinks.h"
#include "messaging/MessageStore.h"
#include "stations/StationContext.h"
#include "stations/StationUpdate.h"

namespace velmora {

struct MessagingSettings {
    std::string ownCall = "N0CALL";
    int retries = 5;  // "Msg Retries", 2 to 24
    bool notifyMail = true, notifyBulletins = true, notifyAnnouncements = true;
};

struct AutoAnswer {
    static constexpr size_t kMaxText = 60;
    bool on = false;
    std::string text;
};

// The next bulletin digit (1 to 9) and announcement letter (A to Z).
struct BulletinCounters {
    int digit = 1;
    char letter = 'A';
};

// Three-digit message numbers, 000 to 999 and round again.
class MessageCounter {
public:
    std::string Peek() const;
    std::string Take();
    // Where the count goes on after a restart (0 to 999).
    void Set(uint32_t next) { next_ = next > 999 ? 0 : next; }

private:
    uint32_t next_ = 0;
};

class Messaging {
public:
    static constexpr int kRetryOnHeardBudget = 25;
    static constexpr uint32_t kRetryOnHeardSeconds = 120;

    Messaging(MessageStore& store, StationContext& stations, MessageLinks& links)
        : store_(store), st_(stations), links_(links) {}

    void Configure(const MessagingSettings& s) { settings_ = s; }
    const MessagingSettings& Settings() const { return settings_; }
    AutoAnswer& Answer() { return autoAnswer_; }
    const AutoAnswer& Answer() const { return autoAnswer_; }
    MessageCounter& Counter() { return counter_; }
    const MessageCounter& Counter() const { return counter_; }
    BulletinCounters& Bulletins() { return bulletins_; }
    StationContext& Stations() { return st_; }
    MessageStore& Store() { return store_; }
    const MessageStore& Store() const { return store_; }

    // Reception: the message field after its ":", from a port (live) or a
    // log replay; port is the source's code ('1' HF, '2' VHF, '3'/'T' internet).
    void ReceiveMessage(std::string_view from, std::string_view path, std::string_view field, Liveness live,
                        char port);
    void SendAck(std::string_view to, std::string_view number, char port);

    // Sending. number: nullopt takes a new one; "" sends without a number.
    int32_t QueueMessage(std::string_view to, std::string_view text, char port, StationIndex station,
                         std::optional<std::string_view> number, bool hold, std::string_view path = {});
    int32_t SendMessage(std::string_view to, std::string_view text, char port, StationIndex station,
                        TimeStamp expires = 0, std::optional<std::string_view> number = std::nullopt,
                        bool hold = true, std::string_view path = {});
    void TransmitMessageEntry(int32_t entry);
    void ReleaseNextMessage(std::string_view station);
    // Once a minute; announcementMinute: the hour's minute for announcements.
    void RetryPass(int minute, int announcementMinute);
    void RetryOnHeard(StationIndex station);
    // Texts too long for one message go as numbered parts; a bulletin's
    // addressee advances with each part. Returns the addressee after the
    // last part (so the dialog's counters can follow).
    std::string SplitLongMessage(std::string_view to, std::string_view text, char port, StationIndex station);
    // The parts a long text goes out in to this station (a Mic-E radio takes shorter ones).
    std::vector<std::string> MessageParts(std::string_view text, StationIndex station) const;

    // The list window's keys on an entry; false (a beep) when it is not ours.
    bool ResetEntry(int32_t entry);
    bool CancelEntry(int32_t entry);
    bool MarkAcknowledged(int32_t entry);
    bool SendEntryNow(int32_t entry);

    // "Clear Messages": every station's pending count goes with the store.
    void Clear();

    // When the last "New message" beep sounded (mail without the sound).
    TimeStamp LastMailBeep() const { return lastMailBeep_; }

private:
    struct Received;
    void Acknowledged(const Received& m, Liveness live);
    void Store(const Received& m, Liveness live, char port, bool gated);
    void StoreNew(int32_t index, const Received& m, Liveness live, char port);
    void HandleMessageForMe(const Received& m, char port);
    void AnswerDirectedQuery(const Received& m, char port);
    void Reply(std::string_view to, std::string_view text, char port);
    bool Own(int32_t entry) const;
    bool FinishEntry(int32_t entry, uint8_t state);
    TimeStamp Now() const { return st_.clock.NowStamp(); }

    MessageStore& store_;
    StationContext& st_;
    MessageLinks& links_;
    MessagingSettings settings_;
    AutoAnswer autoAnswer_;
    MessageCounter counter_;
    BulletinCounters bulletins_;
    TimeStamp lastMailBeep_ = 0;
};

}  // namespace velmora
