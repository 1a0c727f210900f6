#pragma once
// "TCPS", the TCP server's status window: listeners, connections and
// counters above, one row per connection below; "-" drops a connection.
#include <functional>

#include "gateway/TcpServer.h"
#include "lists/ListModel.h"

namespace velmora {

class ServerStatusModel final : public ListModel {
public:
    ServerStatusModel(TcpServer& server, const size_t& specialStations)
        : server_(server), specialStations_(specialStations) {}
    FourCC Code() const override { return MakeFourCC("TCPS"); }
    std::string_view Title() const override { return "TCP Server Status"; }
    const std::vector<ListColumn>& Columns() const override;
    size_t RowCount() const override { return rows_.size(); }
    ListCell Cell(size_t row, size_t column) const override;
    void Refresh() override;
    std::string Summary() const override;
    bool TakesKeys() const override { return true; }
    bool RowKey(size_t row, char key) override;
    // The links' states, shown under the counters.
    std::function<std::string()> linkStates;

private:
    TcpServer& server_;
    const size_t& specialStations_;
    std::vector<size_t> rows_;  // occupied slots
};

}  // namespace velmora
