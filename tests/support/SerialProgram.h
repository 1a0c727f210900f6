#pragma once
// A whole Program with fake serial ports and a fake network, an own call
// and position, and the preferences the test sets before it starts.
#include <string_view>

#include <gtest/gtest.h>

#include "app/MenuTable.h"
#include "platform/fake/FakeNetwork.h"
#include "platform/fake/FakeSerial.h"
#include "support/TestProgram.h"

namespace velmora::test {

// A preference the test relies on: a misspelt name or a value that does not
// fit fails the test instead of being ignored.
inline void SetPref(Preferences& prefs, std::string_view name, std::string_view value) {
    EXPECT_TRUE(prefs.Set(name, value)) << name << " = " << value;
}

struct SerialProgram : TestProgram {
    SerialProgram(std::string_view call, double lat, double lon) {
        opts.serial = &layer;
        opts.network = &network;
        SetPref(prefs, "own_call", call);
        prefs.SetOwnLatitude(lat);
        prefs.SetOwnLongitude(lon);
    }
    ~SerialProgram() { program.reset(); }  // before the devices it holds
    // Saves the preferences and starts the program on them.
    Program& Up() {
        EXPECT_TRUE(prefs.Save(files));
        Started();
        return *program;
    }
    FakeSerialLayer layer;
    FakeNetwork network;
    Preferences prefs;
};

// N0ME with a text-mode VHF TNC on a fake port: what the program sends
// there, and what it hears.
struct VhfTncProgram : SerialProgram {
    VhfTncProgram() : SerialProgram("N0ME", 41.5, -72.5) { SetPref(prefs, "port2_device", "/dev/ttyUSB0"); }
    // Opens the VHF TNC in text mode and lets its start-up pass.
    Program& Open() {
        Program& p = Up();
        p.Command(kCmdOpenVhfTnc);
        RunSingleShots();
        layer.written[kPortVhfTnc].clear();
        return p;
    }
    void Hear(const std::string& line) {
        program->Core().ProcessReceivedLine(line, Liveness::kLive, SourceKind::kVhf);
        RunSingleShots();
    }
    // What went to the TNC since the last look.
    std::string Sent() {
        std::string s;
        s.swap(layer.written[kPortVhfTnc]);
        return s;
    }
};

}  // namespace velmora::test
