#include "ports/TncSender.h"

namespace velmora {

void TncSender::Send(int port, std::string bytes, int pauseTicks) {
    if (port < 0 || port >= kPortCount) return;
    queues_[static_cast<size_t>(port)].push_back({std::move(bytes), pauseTicks, {}});
    Drain(port);
}

void TncSender::Then(int port, std::function<void()> action) {
    if (port < 0 || port >= kPortCount) return;
    queues_[static_cast<size_t>(port)].push_back({{}, 0, std::move(action)});
    Drain(port);
}

bool TncSender::AllIdle() const {
    for (int p = 0; p < kPortCount; ++p)
        if (!Idle(p)) return false;
    return true;
}

void TncSender::Drain(int port) {
    auto& q = queues_[static_cast<size_t>(port)];
    while (!pausing_[static_cast<size_t>(port)] && !q.empty()) {
        Item item = std::move(q.front());
        q.pop_front();
        if (!item.bytes.empty()) {
            if (port != kPortTcpIp) ports_.WritePort(port, item.bytes);
            else if (toLinks) toLinks(item.bytes);
            if (onWritten) onWritten(port, item.bytes);
        }
        if (item.then) item.then();
        if (item.pauseTicks > 0) {
            pausing_[static_cast<size_t>(port)] = true;
            ui_.StartSingleShot(kWakeBase + port, TicksToMs(item.pauseTicks));
        }
    }
}

void TncSender::Wake(int port) {
    if (port < 0 || port >= kPortCount) return;
    pausing_[static_cast<size_t>(port)] = false;
    Drain(port);
}

bool TncSender::Idle(int port) const {
    return !pausing_[static_cast<size_t>(port)] && queues_[static_cast<size_t>(port)].empty();
}

void TncSender::Clear(int port) {
    if (port >= 0 && port < kPortCount) queues_[static_cast<size_t>(port)].clear();
}

}  // namespace velmora
