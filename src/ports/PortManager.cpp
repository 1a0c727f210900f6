#include "ports/PortManager.h"

#include "ports/TcpDevice.h"

#include <cctype>
#include <filesystem>


namespace velmora {
namespace {

// The same device, by path when both have one (a symbolic link and its
// target are the same device), else by number.
bool SameDevice(const std::string& a, const std::string& b) {
    if (a == b) return true;
    std::error_code ea, eb;
    const auto ca = std::filesystem::weakly_canonical(a, ea), cb = std::filesystem::weakly_canonical(b, eb);
    return !ea && !eb && ca == cb;
}

}  // namespace

PortManager::PortManager(SerialLayer* layer, UserInterface& ui, NoticeSink& notices)
    : layer_(layer), ui_(ui), notices_(notices) {
    // Port 0 shows whatever arrives; the weather port's flags follow its station type.
    SetPortFlags(kPortTerminal, false, true);
    SetPortFlags(kPortBinaryGps, false, false);
}

std::string PortManager::DeviceOf(int index) const {
    const PortRecord& r = records_[Slot(index)];
    if (!r.devicePath.empty()) return r.devicePath;
    // Device 1 is the first serial device.
    return "/dev/ttyS" + std::to_string(r.deviceNumber > 0 ? r.deviceNumber - 1 : 0);
}

int PortManager::DeviceHolder(int index) const {
    if (!Valid(index)) return -1;
    const std::string device = DeviceOf(index);
    for (int other = 0; other < kPortCount; ++other)
        if (other != index && IsOpen(other) && SameDevice(DeviceOf(other), device)) return other;
    return -1;
}

bool PortManager::OpenPort(int index) {
    if (!Valid(index) || index == kPortTcpIp) return false;
    if (IsOpen(index)) return true;
    const std::string device = DeviceOf(index);
    if (const int other = DeviceHolder(index); other >= 0) {
        // A device named by its path is named so; "Port #1" means nothing then.
        const PortRecord& mine = records_[Slot(index)];
        const std::string port = mine.devicePath.empty() ? "#" + std::to_string(mine.deviceNumber) : device;
        ui_.MessageBox("Port " + port + " is already open by " + PortName(other), "Velmora", Buttons::kOk);
        return false;
    }
    PortRecord& r = records_[Slot(index)];
    SerialSettings s{device, r.baud, r.parity, r.stopBits};
    std::string error;
    if (IsTcpDevice(device)) r.device = network_ ? OpenTcpDevice(*network_, index, device, *this, &error) : nullptr;
    else if (layer_) r.device = layer_->Open(index, s, *this, &error);
    if (!r.device) return false;
    r.handle = static_cast<int16_t>(index);
    if (IsTncPort(index)) r.device->SetControlLines(1);
    return true;
}

bool PortManager::ClosePort(int index) {
    if (!Valid(index)) return false;
    PortRecord& r = records_[Slot(index)];
    r.recovery.lost = false;  // closed by hand: no longer tried
    r.device.reset();  // drops DTR and releases the device
    r.handle = -1;
    return true;
}

bool PortManager::WritePort(int index, std::string_view bytes) {
    if (!IsOpen(index) || bytes.empty()) return false;
    return records_[Slot(index)].device->Write(bytes, kWriteTimeoutMs);
}

bool PortManager::SetControlLine(int index, int value) {
    return IsOpen(index) && records_[Slot(index)].device->SetControlLines(value);
}

void PortManager::EndLine(int index) {
    PortRecord& r = records_[Slot(index)];
    std::string line;
    line.swap(r.line);
    r.line.reserve(PortRecord::kLineLimit + 1);
    if (sink_) sink_->Dispatch(index, line);
}

void PortManager::PortInput(int index, std::string_view bytes) {
    if (!Valid(index)) return;
    PortRecord& r = records_[Slot(index)];
    if (!r.assembleLines) {
        if (sink_) sink_->Dispatch(index, bytes);
    } else {
        for (const char ch : bytes) {
            unsigned char c = static_cast<unsigned char>(ch);
            // The line end is looked for on the raw byte: masked to 7 bits,
            // the second byte of a UTF-8 letter could end a line.
            if (c == '\r') {
                if (r.overlong) {
                    r.line.clear();  // never passed on, neither half
                    r.overlong = false;
                    continue;
                }
                EndLine(index);
                continue;
            }
            if (r.overlong) continue;
            if (r.line.size() >= PortRecord::kLineLimit) {
                r.overlong = true;
                continue;
            }
            if (r.stripTo7Bits) c &= 0x7F;
            if ((c >= 28 && c <= 127) || c >= 128 || c == '\t' || c == 26) r.line.push_back(static_cast<char>(c));
        }
    }
    if (sink_) sink_->RawInput(index, bytes);
}

void PortManager::SetPortSettings(int index, std::string_view device, std::string_view baud, std::string_view stop,
                                  std::string_view parity) {
    if (!Valid(index)) return;
    PortRecord& r = records_[Slot(index)];
    // On Linux the device is a path, and the number stays as it was; a
    // "COM3" style text gives the number and the serial device of it.
    if (!device.empty() && (device[0] == '/' || device.substr(0, 4) == "tcp:")) {
        r.devicePath = device;
    } else {
        r.devicePath.clear();
        const size_t digit = device.find_first_of("0123456789");
        if (digit != std::string_view::npos) r.deviceNumber = static_cast<int16_t>(device[digit] - '0');
    }
    const int32_t rate = std::atoi(std::string(baud).c_str());
    r.baud = (rate == 300 || rate == 1200 || rate == 2400 || rate == 4800 || rate == 9600 || rate == 19200) ? rate
                                                                                                          : 9600;
    r.stopBits = stop == "2" ? 2 : 0;
    const char p = parity.empty() ? 'N' : static_cast<char>(std::toupper(static_cast<unsigned char>(parity[0])));
    r.parity = p == 'O' ? 1 : p == 'E' ? 2 : 0;
}

void PortManager::SetPortFlags(int index, bool assembleLines, bool stripTo7Bits) {
    if (!Valid(index)) return;
    records_[Slot(index)].assembleLines = assembleLines;
    records_[Slot(index)].stripTo7Bits = stripTo7Bits;
}

void PortManager::Configure(int index, const PortConfig& c) {
    if (!Valid(index)) return;
    PortRecord& r = records_[Slot(index)];
    r.deviceNumber = c.deviceNumber;
    r.devicePath = c.devicePath;
    r.baud = c.baud;
    r.parity = c.parity;
    r.stopBits = c.stopBits;
}

PortConfig PortManager::Config(int index) const {
    if (!Valid(index)) return {};
    const PortRecord& r = records_[Slot(index)];
    return PortConfig{r.deviceNumber, r.devicePath, r.baud, r.parity, r.stopBits};
}

void PortManager::PortLost(int index, std::string_view reason) {
    if (!Valid(index)) return;
    const std::string device = DeviceOf(index);
    PortRecord& r = records_[Slot(index)];
    if (r.device) {
        r.device.reset();
        r.handle = -1;
        r.recovery.lost = true;
        r.recovery.retryAt = 0;
        r.recovery.failures = 0;
        r.recovery.reason = std::string(reason);
        ++r.recovery.drops;
    }
    notices_.StatusText(std::string(PortName(index)) + " lost: " + device + " " + std::string(reason) +
                        (r.recovery.lost ? "; opening it again" : ""));
    ui_.RefreshCheckMarks();
}

}  // namespace velmora

namespace velmora {
namespace {

uint32_t RetryPause(int failures) {
    uint32_t pause = 2;
    for (int i = 0; i < failures && pause < 30; ++i) pause *= 2;
    return pause < 30 ? pause : 30;
}

}  // namespace

void PortManager::RecoverLostPorts(uint32_t now) {
    for (int index = 0; index < kPortCount; ++index) {
        PortRecord::Recovery& rec = records_[Slot(index)].recovery;
        if (!rec.lost) continue;
        if (rec.retryAt == 0) rec.retryAt = now + RetryPause(0);
        if (now < rec.retryAt) continue;
        if (OpenPort(index)) {
            rec.lost = false;
            ++rec.reopens;
            notices_.StatusText(std::string(PortName(index)) + " is back: " + DeviceOf(index));
            onReopened(index);
            continue;
        }
        ++rec.failures;
        rec.retryAt = now + RetryPause(rec.failures);
    }
}

std::string PortManager::StateText(int index, uint32_t now) const {
    if (!Valid(index)) return {};
    const PortRecord::Recovery& rec = records_[Slot(index)].recovery;
    if (IsOpen(index)) return rec.reopens ? "open (back " + std::to_string(rec.reopens) + "x)" : "open";
    if (!rec.lost) return "closed";
    std::string text = "reconnecting";
    if (rec.retryAt > now) text += " in " + std::to_string(rec.retryAt - now) + " s";
    if (rec.failures) text += " (" + std::to_string(rec.failures) + " tries)";
    return text + " " + rec.reason;
}

}  // namespace velmora
