#pragma once
// Radiograms of the National Traffic System carried as APRS messages: one
// message a section ("N#\" preamble, "NA\" address, "NP\" telephone, "NT\"
// text pieces, "NS\" signature, "NR\" reception), numbered by the
// radiogram's group and a letter; collected back by sender, addressee and
// group on the receiving side.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"

namespace velmora {

struct Radiogram {
    TimeStamp created = 0;
    std::string from, to, group;
    std::string number, precedence, handling, stationOfOrigin;  // up to 7 characters each
    std::string check, placeOfOrigin, timeFiled, date;
    std::string address;     // lines separated by CR
    std::string telephone;
    std::array<std::string, 10> textLines;
    int textCounter = 0;     // the next "T" section's line
    std::string wholeText;
    std::string signature;
    std::array<std::string, 4> reception;
    bool complete = false;
    std::string spare;
};

// The word count of a text, as the check of the preamble.
int RadiogramCheck(std::string_view text);

// The messages a radiogram goes out as, in order: {message number, text}.
struct NtsSection {
    std::string number, text;
};
std::vector<NtsSection> RadiogramSections(const Radiogram& r, std::string_view text);

class RadiogramStore {
public:
    static constexpr size_t kCapacity = 100;
    // A section received: false when dropped (a full store).
    bool Receive(std::string_view from, std::string_view to, std::string_view number, std::string_view text,
                 TimeStamp now);
    // A radiogram written here: stored, replacing one with the same from,
    // to, group and number.
    void Store(const Radiogram& r);
    const std::vector<Radiogram>& All() const { return radiograms_; }
    // The defaults of a new radiogram: the next group "01".."99".
    Radiogram New(std::string_view ownCall, std::string_view placeOfOrigin, const LocalDateTime& now);

private:
    std::vector<Radiogram> radiograms_;
    int counter_ = 0;
};

// Whether a message text is a radiogram section ("N", a kind, "\").
inline bool IsNtsSection(std::string_view text) { return text.size() >= 3 && text[0] == 'N' && text[2] == '\\'; }

}  // namespace velmora
