#include "app/Settings.h"

#include <gtest/gtest.h>

#include <fstream>

#include "app/EventSounds.h"
#include "platform/fake/RecordingNotices.h"
#include "platform/fake/RecordingSound.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

TEST(PrefKeys, EveryKeyNamesAFieldAndUnknownKeysAreInert) {
    for (const PrefKey& key : pref::kAll) EXPECT_NE(FindPreferenceField(key.name), nullptr) << key.name;
    for (int port = 0; port < 10; ++port) {
        for (PortField f : {PortField::kDevice, PortField::kDeviceNumber, PortField::kBaud, PortField::kParity,
                            PortField::kStopBits})
            EXPECT_NE(FindPreferenceField(PortFieldName(port, f)), nullptr) << PortFieldName(port, f);
    }
    for (int n = 0; n <= 10; ++n) EXPECT_NE(FindPreferenceField(TncCommandFieldName(n)), nullptr);

    Preferences p;
    constexpr PrefKey kNoSuchField{"no_such_field"};
    EXPECT_EQ(p.Number(kNoSuchField), 0);
    EXPECT_EQ(p.Text(kNoSuchField), "");
    EXPECT_FALSE(p.SetNumber(kNoSuchField, 1));
    EXPECT_FALSE(p.SetText(kNoSuchField, "x"));
    // A number key refuses text and a text key refuses numbers.
    EXPECT_FALSE(p.SetText(pref::kTrackCapacity, "9"));
    EXPECT_FALSE(p.SetNumber(pref::kOwnCall, 9));
    EXPECT_EQ(p.OwnCall(), "N0CALL");
}

TEST(Settings, TncSettingsTakeEachRadioPortsOwnFields) {
    Preferences p;
    ASSERT_TRUE(p.Set("kiss_enabled_hf", "1"));
    ASSERT_TRUE(p.Set("digipeat_hf", "1"));
    ASSERT_TRUE(p.Set("kiss_digi_path_hf", "WIDE2-1"));
    ASSERT_TRUE(p.Set("alias_list_vhf", "WIDE1-1"));
    ASSERT_TRUE(p.Set("allow_gps_vhf", "1"));
    ASSERT_TRUE(p.Set("enable_hsp_hf", "1"));
    ASSERT_TRUE(p.Set("pico_control_e_vhf", "1"));
    ASSERT_TRUE(p.Set("tnc_command10", "MON ON"));
    ASSERT_TRUE(p.Set("unproto_path", "WIDE2-2"));
    ASSERT_TRUE(p.Set("port_arrangement", "2"));
    const TncSettings s = TncSettingsFrom(p);
    const TncRadioSettings& hf = s.For(kPortHfTnc);
    const TncRadioSettings& vhf = s.For(kPortVhfTnc);
    EXPECT_TRUE(hf.kiss);
    EXPECT_FALSE(vhf.kiss);
    EXPECT_TRUE(hf.digipeat);
    EXPECT_FALSE(vhf.digipeat);
    EXPECT_EQ(hf.digiPath, "WIDE2-1");
    EXPECT_EQ(vhf.digiPath, "WIDE1-1,WIDE2-1");
    EXPECT_EQ(vhf.aliases, "WIDE1-1");
    EXPECT_FALSE(hf.allowGps);
    EXPECT_TRUE(vhf.allowGps);
    EXPECT_TRUE(hf.hsp);
    EXPECT_FALSE(vhf.hsp);
    EXPECT_TRUE(vhf.picoControlE);
    EXPECT_EQ(s.userCommands[10], "MON ON");
    EXPECT_EQ(s.unprotoPath, "WIDE2-2");
    EXPECT_TRUE(s.dualPort);

    // Defaults written back land in the same fields they are read from.
    TncSettings reset = s;
    reset.ResetKissDefaults();
    StoreKissSettings(p, reset);
    const TncSettings again = TncSettingsFrom(p);
    EXPECT_FALSE(again.For(kPortHfTnc).kiss);
    EXPECT_EQ(again.For(kPortHfTnc).digiPath, "WIDE2-1");
    EXPECT_EQ(again.For(kPortVhfTnc).aliases, "WIDE1-1");
    EXPECT_FALSE(again.For(kPortVhfTnc).digipeat);
}

TEST(Settings, PortConfigsAndAutomaticInputs) {
    Preferences p;
    ASSERT_TRUE(p.Set("port3_device", "/dev/ttyUSB3"));
    ASSERT_TRUE(p.Set("port3_baud", "4800"));
    ASSERT_TRUE(p.Set("port3_parity", "2"));
    const PortConfig c = PortConfigFrom(p, 3);
    EXPECT_EQ(c.devicePath, "/dev/ttyUSB3");
    EXPECT_EQ(c.baud, 4800);
    EXPECT_EQ(c.parity, 2);
    EXPECT_EQ(PortConfigFrom(p, 4).baud, 9600);
    EXPECT_FALSE(AutomaticInputsFrom(p).Any());
    ASSERT_TRUE(p.Set("auto_input_rdf", "1"));
    EXPECT_TRUE(AutomaticInputsFrom(p).rdf);
    EXPECT_TRUE(AutomaticInputsFrom(p).Any());
}

TEST(EventSounds, CaptionsFilesAndTheBeepWhenAFileWillNotPlay) {
    RecordingNotices front;
    RecordingSound sound;
    const auto dir = test::MakeTempFolder();
    DiskFiles files(dir.string());
    EventNotices notices(front, sound, files);
    sound.playable.insert(files.RealPath("Sounds\\NewStat.wav"));
    notices.PlayEventSound(kSoundNewStation, "W1AW");
    ASSERT_EQ(front.status.size(), 1u);
    EXPECT_EQ(front.status.back(), "New station W1AW");
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played.back(), files.RealPath("Sounds\\NewStat.wav"));
    EXPECT_EQ(sound.beeps, 0);
    notices.PlayEventSound(9999, "");
    EXPECT_EQ(front.status.back(), "Unknown 9999");
    EXPECT_EQ(sound.played.back(), files.RealPath("Sounds\\Unknown.wav"));
    EXPECT_EQ(sound.beeps, 1);  // nothing to play: the beep instead
    notices.EnableSound(false);
    notices.PlayEventSound(kSoundHighWind, "");
    EXPECT_EQ(front.status.back(), "High wind alarm");
    EXPECT_EQ(sound.played.size(), 2u);
    std::filesystem::remove_all(dir);
}

// The demo folder has a wave file for every event, and one for the unknown.
TEST(EventSounds, TheDemoFolderHasEverySound) {
    const std::filesystem::path sounds = std::filesystem::path(VELMORA_SOURCE_DIR) / "demo" / "Sounds";
    std::vector<std::string> files = {"Unknown.wav"};
    for (const EventSoundEntry& e : EventSoundTable()) files.emplace_back(e.file);
    for (const std::string& f : files) {
        std::ifstream in(sounds / f, std::ios::binary);
        char head[12] = {};
        in.read(head, sizeof head);
        EXPECT_EQ(std::string(head, 4), "RIFF") << f;
        EXPECT_EQ(std::string(head + 8, 4), "WAVE") << f;
    }
}

}  // namespace
}  // namespace velmora
