#include "lists/ServerStatusList.h"

#include <cstdio>

#include "lists/ListCells.h"

namespace velmora {

const std::vector<ListColumn>& ServerStatusModel::Columns() const {
    static const std::vector<ListColumn> columns = {
        {"Peer"}, {"Port", CellKind::kNumber}, {"Rcvd", CellKind::kNumber}, {"Sent", CellKind::kNumber}, {"Note"},
    };
    return columns;
}

void ServerStatusModel::Refresh() {
    rows_.clear();
    for (size_t i = 0; i < TcpServer::kSlots; ++i)
        if (server_.Connections()[i]) rows_.push_back(i);
}

ListCell ServerStatusModel::Cell(size_t row, size_t column) const {
    if (row >= rows_.size() || !server_.Connections()[rows_[row]]) return cells::None();
    const TcpConnection& c = *server_.Connections()[rows_[row]];
    switch (column) {
        case 0: return cells::Text(c.peerName);
        case 1: return cells::Number(c.port, "%5.0f");
        case 2: return cells::Number(c.bytesReceived, "%5.0f");
        case 3: return cells::Number(c.bytesSent, "%5.0f");
        case 4: return cells::Text(c.note);
        default: return cells::None();
    }
}

std::string ServerStatusModel::Summary() const {
    size_t listening = 0;
    std::string ports;
    for (const auto& l : server_.Listeners()) {
        if (!l.socket) continue;
        ++listening;
        ports += std::to_string(l.port) + ", ";
    }
    char text[512];
    std::snprintf(text, sizeof text,
                  "Listen Ports %zu (max %zu)\nOn Ports %s\nActive Ports %zu (max %zu)\nSpecial Stations %zu\n"
                  "Connections Served %lld\nTotal Bytes Sent %lld\nTotal Bytes Rcvd %lld",
                  listening, TcpServer::kListeners, ports.c_str(), server_.ActiveCount(), TcpServer::kSlots,
                  specialStations_, static_cast<long long>(server_.served), static_cast<long long>(server_.totalSent),
                  static_cast<long long>(server_.totalReceived));
    const std::string links = linkStates ? linkStates() : std::string();
    return links.empty() ? std::string(text) : std::string(text) + "\nLinks:\n" + links;
}

bool ServerStatusModel::RowKey(size_t row, char key) {
    if (key == ' ') {
        Invalidate();
        return true;
    }
    if (key != '-' || row >= rows_.size()) return false;
    server_.Drop(rows_[row]);
    return true;
}

}  // namespace velmora
