// Start-up of the headset audio: without the library, probing and defaults, reading the
// headset's state, and a headset re-plugged under a new card number.
#include <fstream>

#include "headset_audio_fixture.h"

namespace md {
namespace {

using test::HeadsetAudioTest;

TEST_F(HeadsetAudioTest, WithoutTheLibraryNothingIsCalledOrSaved) {
    start(dir.path() + "SDK/x64/libosConfLib.so");
    EXPECT_FALSE(audio.libraryLoaded());
    const std::string before = fileBytes();
    const auto stages = audio.stages();
    audio.readAudioState();
    audio.setVoiceChanger(true);
    audio.selectVoiceEffect(2);
    EXPECT_FALSE(audio.toggleMicMute());
    EXPECT_FALSE(audio.setMicLevel(40));
    EXPECT_FALSE(audio.toggleMonitorMute());
    EXPECT_FALSE(audio.setMonitorLevel(40));
    audio.setEqBand(0, 5);
    audio.selectEqPreset(3);
    EXPECT_EQ(audio.saveCustomEq("mine"), kCustomEqRefused);
    audio.deleteCustomEq();
    EXPECT_EQ(audio.stages(), stages);
    EXPECT_EQ(fileBytes(), before);
    EXPECT_TRUE(state().log.empty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(HeadsetAudioTest, StartupDefaultsWhatHasNoValueAndReadsTheHeadset) {
    start();
    ASSERT_TRUE(audio.libraryLoaded());
    EXPECT_TRUE(audio.hasEndpoints());
    EXPECT_TRUE(messages.empty());
    const AudioStateFile s = state();
    // The surround switch is probed with its three-word record and defaulted with the same.
    const auto& log = s.log;
    const auto surround =
        std::find(log.begin(), log.end(), "get R VirtualSurroundEffectControl aux=4 -> 4");
    ASSERT_NE(surround, log.end());
    EXPECT_EQ(*(surround + 1), "set R VirtualSurroundEffectControl 0 aux=4 -> 0");
    // Every probed property now has a value; the ones the headset had keep theirs.
    for (const char* name : {"Enable_EQ_GFX", "EQ_Slider1", "EQ_Slider10", "Enable_RFX_GFX"})
        EXPECT_EQ(s.value('R', name), 0.0) << name;
    for (const char* name : {"Enable_ENC_LFX", "Enable_MAGICVOICE", "MagicVoice_Selection"})
        EXPECT_EQ(s.value('C', name), 0.0) << name;
    EXPECT_EQ(s.value('C', "AAMuteControl"), 1.0);
    EXPECT_EQ(s.value('C', "VolumeScalarControl"), 0.75);
    // Read back: microphone on at 75, monitoring muted at 50, voice changer off, voice 1.
    const auto st = audio.stages();
    EXPECT_EQ(st[kMicInSelect], 1);
    EXPECT_EQ(st[kMicInValue], 75);
    EXPECT_EQ(st[kMicMonitorSelect], 0);
    EXPECT_EQ(st[kMicMonitorValue], 50);
    EXPECT_EQ(st[kMagicEnable], 0);
    EXPECT_EQ(st[kMagicType], 1);
    EXPECT_EQ(audio.micVolumeText(), "22.50");
    EXPECT_EQ(audio.monitorVolumeText(), "-15.00");
    EXPECT_TRUE(eq.micOn());
    EXPECT_EQ(eq.micLevel(), 75);
    EXPECT_FALSE(eq.monitorOn());
}

struct ReadCase {
    const char* name;
    double value;
    size_t stage;
    int32_t expected;  // the stage's value after reading (the profile's 0 when left)
};

TEST_F(HeadsetAudioTest, ReadingTakesTheHeadsetsValues) {
    const ReadCase cases[] = {
        {"MagicVoice_Selection", 3, kMagicType, 4},
        {"MagicVoice_Selection", 0, kMagicType, 1},
        {"MagicVoice_Selection", 7, kMagicType, 0},
        {"MagicVoice_Selection", -1, kMagicType, 0},
        {"Enable_MAGICVOICE", 1, kMagicEnable, 1},
        {"VolumeScalarControl", 0.29, kMicInValue, 29},
        {"VolumeScalarControl", 0.999, kMicInValue, 100},
        {"VolumeScalarControl", 1.7, kMicInValue, 100},
        {"AAVolumeScalarControl", 0.57, kMicMonitorValue, 57},
        {"MuteControl", 1, kMicInSelect, 0},
        {"AAMuteControl", 0, kMicMonitorSelect, 1},
    };
    for (const ReadCase& c : cases) {
        CHs6533Profiledata blank;
        HeadsetAudio fresh(blank);
        editState([&](AudioStateFile& s) { s.values[std::string("C:") + c.name] = c.value; });
        fresh.startAudio(MD_CONF_LIB_PATH);
        EXPECT_EQ(fresh.stages()[c.stage], c.expected) << c.name << " " << c.value;
        writeState(AudioStateFile::fresh());
    }
}

TEST_F(HeadsetAudioTest, WithoutMonitoringRangeMonitoringAndBandsAreNotRead) {
    editState([](AudioStateFile& s) {
        s.failing.insert("GetAAMaxVol");
        s.values["C:AAMuteControl"] = 0;
    });
    start();
    const auto log = state().log;
    const auto read = [&](const std::string& prefix) {
        return std::count_if(log.begin(), log.end(),
                             [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    };
    // Probed once at start-up, not read again afterwards.
    EXPECT_EQ(read("get C AAMuteControl"), 1);
    EXPECT_EQ(read("get R EQ_Slider1 "), 1);
    EXPECT_EQ(audio.stages()[kMicMonitorSelect], 0);  // the profile's value stays
}

TEST_F(HeadsetAudioTest, FailedMuteReadAtStartupNeverUnmutesTheMicrophone) {
    editState([](AudioStateFile& s) {
        s.values["C:MuteControl"] = 1;
        s.failing.insert("MuteControl");
    });
    start();
    EXPECT_EQ(state().value('C', "MuteControl"), 1.0);
}

// The card's number is looked up at every call: a headset re-plugged as another card is found.
TEST_F(HeadsetAudioTest, ReplugUnderANewCardNumber) {
    const std::string asound = dir.path() + "asound/";
    const auto plug = [&](int card, const char* usbid) {
        const std::string folder = asound + "card" + std::to_string(card);
        std::filesystem::create_directories(folder);
        std::ofstream(folder + "/usbid") << usbid << "\n";
    };
    plug(0, "046d:0a44");
    plug(1, "0c76:1630");
    editState([&](AudioStateFile& s) { s.asoundRoot = asound; });
    start();
    size_t mark = logSize();
    ASSERT_TRUE(audio.toggleMicMute());
    EXPECT_EQ(setsSince(mark), std::vector<std::string>{"set C MuteControl 1 aux=0 card=1 -> 0"});

    std::filesystem::remove_all(asound + "card1");
    mark = logSize();
    EXPECT_FALSE(audio.toggleMicMute());  // unplugged: refused, and the option is put back
    EXPECT_FALSE(eq.micOn());
    EXPECT_TRUE(audio.micMuted());

    plug(4, "0C76:1630");
    mark = logSize();
    ASSERT_TRUE(audio.toggleMicMute());
    EXPECT_EQ(setsSince(mark), std::vector<std::string>{"set C MuteControl 0 aux=0 card=4 -> 0"});
    EXPECT_TRUE(eq.micOn());
    EXPECT_EQ(storedStages()[kMicInSelect], 1);
}

}  // namespace
}  // namespace md
