#pragma once
// "MSGL": every message heard and sent, in arrival order, coloured by what
// it is to the operator, with the keys that act on the operator's own.
#include <functional>
#include <string>

#include "lists/ListModel.h"
#include "messaging/Messaging.h"

namespace velmora {

// What an own entry's status column reads: "-" unnumbered, "A" acknowledged,
// "D" cancelled, "Q" waiting, "QB" waiting and held; empty for others.
std::string MessageStatusCode(const MessageEntry& e);

class MessageListModel final : public ListModel {
public:
    explicit MessageListModel(Messaging& messaging) : m_(messaging) {}
    FourCC Code() const override { return MakeFourCC("MSGL"); }
    std::string_view Title() const override { return "Messages"; }
    const std::vector<ListColumn>& Columns() const override;
    size_t RowCount() const override { return rows_; }
    ListCell Cell(size_t row, size_t column) const override;
    std::optional<RowColour> Colour(size_t row) const override;
    void Refresh() override { rows_ = static_cast<size_t>(m_.Store().Count()); }
    std::string Summary() const override;
    std::string RowCall(size_t row) const override;
    bool TakesKeys() const override { return true; }
    bool RowKey(size_t row, char key) override;

    void SetRoundTrip(bool on) {
        roundTrip_ = on;
        Invalidate();
    }
    bool RoundTrip() const { return roundTrip_; }
    // Whether the port column means anything (two TNCs or the internet).
    std::function<bool()> severalPorts = [] { return false; };
    // "F", "R", "S": the new-message dialog with this addressee and text.
    std::function<void(const std::string& to, const std::string& text)> compose;

private:
    const MessageEntry* Entry(size_t row) const;

    Messaging& m_;
    size_t rows_ = 0;
    bool roundTrip_ = true;
};

}  // namespace velmora
