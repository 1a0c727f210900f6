#pragma once
// Every status-line text, time-stamped, so nothing shown in passing is
// lost: it stands between the core and the front end's status line, keeps
// the newest texts and hands each on unchanged.
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "lists/ListModel.h"
#include "platform/Clock.h"
#include "platform/Notices.h"

namespace velmora {

class StatusLog final : public NoticeSink {
public:
    static constexpr size_t kKept = 1000;
    struct Entry {
        TimeStamp time;
        std::string text;
    };

    StatusLog(NoticeSink& next, const Clock& clock) : next_(next), clock_(clock) {}
    void StatusText(std::string_view text) override;
    void PlayEventSound(int event, std::string_view caption) override;
    void Beep() override { next_.Beep(); }
    void EnableSound(bool on) override { next_.EnableSound(on); }

    const std::deque<Entry>& Entries() const { return entries_; }
    // Called after each new text (the status window refreshes).
    std::function<void()> onChange;

private:
    void Keep(std::string text);

    NoticeSink& next_;
    const Clock& clock_;
    std::deque<Entry> entries_;
};

// "STAT": the status texts, oldest first.
class StatusListModel final : public ListModel {
public:
    explicit StatusListModel(const StatusLog& log) : log_(log) {}
    FourCC Code() const override { return MakeFourCC("STAT"); }
    std::string_view Title() const override { return "Status"; }
    const std::vector<ListColumn>& Columns() const override;
    size_t RowCount() const override { return rows_; }
    ListCell Cell(size_t row, size_t column) const override;
    void Refresh() override { rows_ = log_.Entries().size(); }

private:
    const StatusLog& log_;
    size_t rows_ = 0;
};

}  // namespace velmora
