#pragma once
// Serial devices for tests: opening succeeds for the devices the test
// allows, writes are recorded, and the test delivers input by hand.
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/Serial.h"

namespace velmora {

class FakeSerialLayer final : public SerialLayer {
public:
    struct Device final : SerialDevice {
        Device(FakeSerialLayer& layer, int index) : layer(layer), index(index) {}
        ~Device() override { layer.open.erase(index); }
        bool Write(std::string_view bytes, int) override {
            layer.written[index].append(bytes);
            return true;
        }
        bool SetControlLines(int value) override {
            layer.dtr[index] = value;
            return true;
        }
        FakeSerialLayer& layer;
        int index;
    };

    std::unique_ptr<SerialDevice> Open(int index, const SerialSettings& s, SerialEvents& e,
                                       std::string* error) override {
        if (!allowAll && !allowed.count(s.device)) {
            if (error) *error = "no such device";
            return nullptr;
        }
        open[index] = s;
        events = &e;
        return std::make_unique<Device>(*this, index);
    }

    bool allowAll = true;
    std::set<std::string> allowed;
    std::map<int, SerialSettings> open;
    std::map<int, std::string> written;
    std::map<int, int> dtr;
    SerialEvents* events = nullptr;
};

}  // namespace velmora
