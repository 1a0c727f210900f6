#pragma once
// A whole Program with fake serial ports and a fake network, an own call
// and position, and the preferences the test sets before it starts.
#include <string_view>

#include <gtest/gtest.h>

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

}  // namespace velmora::test
