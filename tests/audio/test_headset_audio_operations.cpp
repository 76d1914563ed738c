// The headset audio operations on the simulated library: the properties each one sets, the
// stage it stores in the profile file, and what a refused change leaves behind.
#include <functional>

#include "headset_audio_fixture.h"

namespace md {
namespace {

using test::HeadsetAudioTest;
using test::MemoryEqPage;
using test::MemoryVoicePage;

struct OperationCase {
    const char* name;
    std::function<void(HeadsetAudioTest&, HeadsetAudio&, MemoryVoicePage&, MemoryEqPage&)> act;
    std::vector<std::string> sets;  // the properties set, in order
    size_t stage;
    int32_t stored;
};

TEST_F(HeadsetAudioTest, EachOperationSetsItsPropertiesAndStoresItsStage) {
    const std::vector<OperationCase> cases = {
        {"voice changer on",
         [](auto&, HeadsetAudio& a, MemoryVoicePage& v, auto&) {
             a.setVoiceChanger(true);
             EXPECT_TRUE(v.voiceEnabled());
         },
         {"set C Enable_MAGICVOICE 1 aux=0 -> 0", "set C Enable_MICECHO 0 aux=0 -> 0"},
         kMagicEnable,
         1},
        {"voice changer off",
         [](auto&, HeadsetAudio& a, MemoryVoicePage& v, auto&) {
             a.setVoiceChanger(false);
             EXPECT_FALSE(v.voiceEnabled());
         },
         {"set C Enable_MAGICVOICE 0 aux=0 -> 0"},
         kMagicEnable,
         0},
        {"voice 3",
         [](auto&, HeadsetAudio& a, auto&, auto&) { a.selectVoiceEffect(3); },
         {"set C MagicVoice_Selection 2 aux=0 -> 0"},
         kMagicType,
         3},
        {"microphone mute",
         [](auto&, HeadsetAudio& a, auto&, auto&) { EXPECT_TRUE(a.toggleMicMute()); },
         {"set C MuteControl 1 aux=0 -> 0"},
         kMicInSelect,
         0},
        {"microphone level 57",
         [](auto&, HeadsetAudio& a, auto&, MemoryEqPage& e) {
             EXPECT_TRUE(a.setMicLevel(57));
             EXPECT_EQ(e.micLevel(), 57);
             EXPECT_EQ(a.micVolumeText(), "17.10");
         },
         {"set C VolumeScalarControl 0.569999993 aux=-1 -> 0"},
         kMicInValue,
         57},
        {"monitoring on",
         [](auto&, HeadsetAudio& a, auto&, auto&) { EXPECT_TRUE(a.toggleMonitorMute()); },
         {"set C AAMuteControl 0 aux=0 -> 0"},
         kMicMonitorSelect,
         1},
        {"monitoring level 29",
         [](auto&, HeadsetAudio& a, auto&, MemoryEqPage& e) {
             EXPECT_TRUE(a.setMonitorLevel(29));
             EXPECT_EQ(e.monitorLevel(), 29);
         },
         {"set C AAVolumeScalarControl 0.289999992 aux=0 -> 0"},
         kMicMonitorValue,
         29},
        {"preset 7",
         [](auto&, HeadsetAudio& a, auto&, auto&) { a.selectEqPreset(7); },
         {"set R Enable_EQ_GFX 1 aux=0 -> 0", "set R EQ_Slider1 14 aux=0 -> 0",
          "set R EQ_Slider2 10 aux=0 -> 0", "set R EQ_Slider3 4 aux=0 -> 0",
          "set R EQ_Slider4 0 aux=0 -> 0", "set R EQ_Slider5 -4 aux=0 -> 0",
          "set R EQ_Slider6 -3 aux=0 -> 0", "set R EQ_Slider7 -1 aux=0 -> 0",
          "set R EQ_Slider8 1 aux=0 -> 0", "set R EQ_Slider9 2 aux=0 -> 0",
          "set R EQ_Slider10 3 aux=0 -> 0"},
         kEqType,
         7},
    };
    start();
    for (const OperationCase& c : cases) {
        const size_t mark = logSize();
        c.act(*this, audio, voice, eq);
        EXPECT_EQ(setsSince(mark), c.sets) << c.name;
        EXPECT_EQ(audio.stages()[c.stage], c.stored) << c.name;
        EXPECT_EQ(storedStages()[c.stage], c.stored) << c.name;
    }
    // The levels read back as they were set.
    CHs6533Profiledata again;
    HeadsetAudio reader(again);
    reader.startAudio(MD_CONF_LIB_PATH);
    EXPECT_EQ(reader.stages()[kMicInValue], 57);
    EXPECT_EQ(reader.stages()[kMicMonitorValue], 29);
    // The page shows what was chosen; preset 7's bands are in the profile's row 7.
    EXPECT_EQ(eq.selectedPreset(), 7);
    EXPECT_FALSE(eq.customGroupEnabled());
    EXPECT_EQ(eq.band(0), 14);
    EXPECT_EQ(voice.selectedVoice(), 3);
    EXPECT_EQ(profile.readEqBands(7), (std::vector<int32_t>{14, 10, 4, 0, -4, -3, -1, 1, 2, 3}));
}

struct RefusedCase {
    const char* property;
    std::function<bool(HeadsetAudio&)> toggle;
    std::function<bool(const MemoryEqPage&)> option;
    size_t stage;
};

// A refused mute or monitoring change is undone: the option shows the headset's real state
// and neither the stages nor the profile change.
TEST_F(HeadsetAudioTest, RefusedMuteChangesAreUndone) {
    const RefusedCase cases[] = {
        {"MuteControl", [](HeadsetAudio& a) { return a.toggleMicMute(); },
         [](const MemoryEqPage& e) { return e.micOn(); }, kMicInSelect},
        {"AAMuteControl", [](HeadsetAudio& a) { return a.toggleMonitorMute(); },
         [](const MemoryEqPage& e) { return e.monitorOn(); }, kMicMonitorSelect},
    };
    start();
    for (const RefusedCase& c : cases) {
        const bool before = c.option(eq);
        const auto stages = audio.stages();
        const std::string file = fileBytes();
        editState([&](AudioStateFile& s) { s.failing.insert(c.property); });
        EXPECT_FALSE(c.toggle(audio)) << c.property;
        EXPECT_EQ(c.option(eq), before) << c.property;
        EXPECT_EQ(audio.stages(), stages) << c.property;
        EXPECT_EQ(fileBytes(), file) << c.property;
        editState([&](AudioStateFile& s) { s.failing.clear(); });
        EXPECT_TRUE(c.toggle(audio)) << c.property;
        EXPECT_EQ(c.option(eq), !before) << c.property;
        EXPECT_EQ(storedStages()[c.stage], before ? 0 : 1) << c.property;
    }
}

TEST_F(HeadsetAudioTest, RefusedOrUnreadableLevelsChangeNothing) {
    start();
    const std::string file = fileBytes();
    editState([](AudioStateFile& s) { s.failing.insert("VolumeScalarControl"); });
    EXPECT_FALSE(audio.setMicLevel(10));
    EXPECT_EQ(eq.micLevel(), 75);  // the page goes back to the headset's level
    editState([](AudioStateFile& s) { s.failing.clear(); });
    for (int32_t bad : {-1, 101}) EXPECT_FALSE(audio.setMonitorLevel(bad)) << bad;
    EXPECT_EQ(audio.stages()[kMicInValue], 75);
    EXPECT_EQ(fileBytes(), file);
}

TEST_F(HeadsetAudioTest, VoiceNumbersOutsideOneToFourAreIgnored) {
    start();
    const size_t mark = logSize();
    for (int32_t n : {0, 5, -1}) audio.selectVoiceEffect(n);
    EXPECT_TRUE(setsSince(mark).empty());
    EXPECT_EQ(audio.stages()[kMagicType], 1);
}

// Moving a band while a built-in preset is selected switches the page to the user's own
// equaliser and sets that one band, which is now in force; nothing is stored or saved.
TEST_F(HeadsetAudioTest, BandMoveSwitchesToCustomAndSavesNothing) {
    start();
    audio.selectEqPreset(7);
    const std::string file = fileBytes();
    const size_t mark = logSize();
    audio.setEqBand(2, 9);
    EXPECT_EQ(setsSince(mark), std::vector<std::string>{"set R EQ_Slider3 9 aux=0 -> 0"});
    EXPECT_EQ(eq.selectedPreset(), kEqCustomPreset);
    EXPECT_EQ(eq.selectedCustom(), -1);
    EXPECT_TRUE(eq.customGroupEnabled());
    EXPECT_EQ(audio.stages()[kEqType], kEqCustomPreset);
    EXPECT_EQ(audio.currentEqBands()[2], 9);
    EXPECT_EQ(eq.band(2), 9);
    EXPECT_EQ(fileBytes(), file);
    audio.setEqBand(10, 9);  // no such band
    EXPECT_EQ(setsSince(mark).size(), 1u);
}

TEST_F(HeadsetAudioTest, PresetNumbersOutsideTheTableDoNothing) {
    start();
    const size_t mark = logSize();
    const std::string file = fileBytes();
    for (int32_t n : {0, 14, -2}) audio.selectEqPreset(n);
    EXPECT_TRUE(setsSince(mark).empty());
    EXPECT_EQ(fileBytes(), file);
    // The user's own preset with none selected changes the page and EqType only.
    audio.selectEqPreset(kEqCustomPreset);
    EXPECT_TRUE(setsSince(mark).empty());
    EXPECT_EQ(eq.selectedPreset(), kEqCustomPreset);
    EXPECT_TRUE(eq.customGroupEnabled());
    EXPECT_EQ(audio.stages()[kEqType], kEqCustomPreset);
}

}  // namespace
}  // namespace md
