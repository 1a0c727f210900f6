#pragma once
// One TNC port in KISS mode: the receive state, the template our own UI
// frames are built from, and the digipeater.
#include <string>
#include <string_view>
#include <vector>

#include "ports/Ax25.h"
#include "ports/Kiss.h"

namespace velmora {

// The alias list: split at every character below "0" other than "-",
// upper-cased, tokens shorter than 2 characters ignored, at most 8.
std::vector<std::string> SplitAliases(std::string_view list);
// The digi path: split at "*", ",", ":" and ">", tokens shorter than 2
// characters ignored, each cut to 9 characters.
std::vector<std::string> SplitDigiPath(std::string_view path);

struct KissLink {
    KissDecoder decoder;
    // Transmit template.
    Ax25Address destination, source;
    std::vector<Ax25Address> path;
    // Digipeater.
    std::string ownCall;
    std::vector<std::string> aliases;
    bool digipeat = false;
    long digipeated = 0;
    long duplicatesDropped = 0;
    // What was repeated lately (a hash of source, destination and
    // information, and when), so the same packet is not repeated twice.
    std::vector<std::pair<uint64_t, uint32_t>> recent;
    static constexpr uint32_t kDuplicateSeconds = 30;

    // Own call, destination and path of our frames; false (template kept)
    // when the own call or destination is not a valid address.
    bool SetTemplate(std::string_view own, std::string_view dest, std::string_view digiPath);
    void SetDigipeater(std::string_view own, bool enabled, std::string_view aliasList);
};

// What one received frame gives: the repeated frame to send back (empty
// when it is not digipeated) and the monitor text of a UI frame (empty for
// other frames).
struct KissReceived {
    std::string repeat;
    std::string monitor;
};

// Every complete frame in these bytes, in order; now is in seconds, for the
// digipeater's duplicate check.
std::vector<KissReceived> KissReceive(KissLink& link, std::string_view bytes, uint32_t now);

// The digipeater's rule for one frame: the path as it goes out again, or
// false when it is not ours to repeat. An alias with an SSID matches exactly
// ("WIDE1-1", the fill-in); one without matches the WIDEn-N family by its
// name ("WIDE" takes WIDE2-2). A hop count is decremented and our call put
// in front, marked; a count that reaches 0 is used up (marked) too.
bool DigipeatPath(const KissLink& link, Ax25Frame& frame);

// Our UI frame with this information, KISS-encoded; empty when the text is
// 1500 bytes or more or the frame would not fit.
std::string KissFrameFor(const KissLink& link, std::string_view text);

}  // namespace velmora
