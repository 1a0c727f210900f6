#pragma once
// Our own messages still waiting for their acks, and the message counter,
// as a text file kept across a restart ("Outbox.txt"): a station that was
// sent "001" before the restart must not take the next "001" for a repeat.
//
//   counter 042
//   msg TO NUMBER PORT HELD SENT EXPIRES PATH TEXT     (tab-separated; the
//                                                      text is the rest)
#include <string>
#include <string_view>

namespace velmora {

class Messaging;

inline constexpr std::string_view kOutboxFile = "Outbox.txt";

// The file's text for the store as it is now.
std::string OutboxText(const Messaging& messaging);

// Queues the file's messages again (waiting, with their numbers, ports,
// paths and spent retries) and restores the counter; lines that cannot be
// read are skipped. Returns how many messages came back.
int RestoreOutbox(Messaging& messaging, std::string_view text);

}  // namespace velmora
