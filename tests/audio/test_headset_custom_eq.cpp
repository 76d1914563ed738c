// The user's own equalisers: saving under a name (at most 20, names unique ignoring case),
// overwriting the selected one, applying and deleting.
#include <json/reader.h>

#include "headset_audio_fixture.h"
#include "profiles/profile_ranges.h"

namespace md {
namespace {

using test::HeadsetAudioTest;

class CustomEqTest : public HeadsetAudioTest {
  protected:
    // Moves the bands to b, b+1, ... and saves them under name.
    int32_t saveAs(const std::string& name, int32_t b) {
        for (int32_t i = 0; i < kEqBandCount; ++i) audio.setEqBand(i, b + i);
        return audio.saveCustomEq(name);
    }
    static std::vector<int32_t> bandsFrom(int32_t b) {
        std::vector<int32_t> v;
        for (int32_t i = 0; i < kEqBandCount; ++i) v.push_back(b + i);
        return v;
    }
    std::vector<std::string> storedNames() {
        CHs6533Profiledata reread;
        reread.setProfilePath(profilePath);
        reread.loadNode(profilePath);
        return reread.readCustomEqNames();
    }
    std::vector<int32_t> storedBands(int32_t k) {
        CHs6533Profiledata reread;
        reread.setProfilePath(profilePath);
        reread.loadNode(profilePath);
        return reread.readCustomEqBands(k);
    }
};

TEST_F(CustomEqTest, AtMostTwentyAndNamesUniqueIgnoringCase) {
    start();
    for (int32_t k = 0; k < kMaxCustomEqs; ++k) {
        ASSERT_EQ(saveAs("Eq " + std::to_string(k), k - 10), kCustomEqSaved) << k;
        EXPECT_EQ(eq.selectedCustom(), k);
        EXPECT_EQ(audio.stages()[kCustomEqSelectIndex], k);
        if (k == 3) {
            EXPECT_EQ(saveAs("eQ 2", 50), kCustomEqNameTaken);
        }
    }
    EXPECT_EQ(saveAs("one more", 0), kCustomEqRefused);
    EXPECT_EQ(storedNames().size(), 20u);
    EXPECT_EQ(storedNames()[2], "Eq 2");
    EXPECT_EQ(storedBands(2), bandsFrom(-8));
    EXPECT_EQ(storedBands(19), bandsFrom(9));
}

TEST_F(CustomEqTest, EmptyNameOverwritesTheSelectedOne) {
    start();
    EXPECT_EQ(audio.saveCustomEq(""), kCustomEqRefused);  // nothing selected
    ASSERT_EQ(saveAs("Mine", 1), kCustomEqSaved);
    ASSERT_EQ(saveAs("Other", 5), kCustomEqSaved);
    audio.applyCustomEq(0);
    EXPECT_EQ(saveAs("", -15), kCustomEqSaved);
    EXPECT_EQ(storedBands(0), bandsFrom(-15));
    EXPECT_EQ(storedBands(1), bandsFrom(5));
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"Mine", "Other"}));
    EXPECT_EQ(storedStages()[kCustomEqSelectIndex], 0);
}

TEST_F(CustomEqTest, ApplyingSetsTheBandsOnTheHeadset) {
    start();
    ASSERT_EQ(saveAs("A", 1), kCustomEqSaved);
    ASSERT_EQ(saveAs("B", -5), kCustomEqSaved);
    audio.selectEqPreset(kEqCustomPreset);
    const size_t mark = logSize();
    audio.applyCustomEq(0);
    const auto sets = setsSince(mark);
    ASSERT_EQ(sets.size(), 11u);
    EXPECT_EQ(eq.selectedCustom(), 0);
    EXPECT_EQ(sets[0], "set R Enable_EQ_GFX 1 aux=0 -> 0");
    EXPECT_EQ(sets[1], "set R EQ_Slider1 1 aux=0 -> 0");
    EXPECT_EQ(sets[10], "set R EQ_Slider10 10 aux=0 -> 0");
    EXPECT_EQ(audio.currentEqBands(), bandsFrom(1));
    EXPECT_EQ(eq.band(9), 10);
    EXPECT_EQ(storedStages()[kCustomEqSelectIndex], 0);
    EXPECT_EQ(storedStages()[kEqType], kEqCustomPreset);
}

// Deleting takes the equaliser's bands with its name: the later ones keep their own bands.
TEST_F(CustomEqTest, DeletingMovesTheLaterOnesWithTheirBands) {
    start();
    ASSERT_EQ(saveAs("A", -10), kCustomEqSaved);
    ASSERT_EQ(saveAs("B", 0), kCustomEqSaved);
    ASSERT_EQ(saveAs("C", 10), kCustomEqSaved);
    audio.applyCustomEq(0);
    const size_t mark = logSize();
    audio.deleteCustomEq();
    EXPECT_TRUE(setsSince(mark).empty());  // the headset keeps its equaliser
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(storedBands(0), bandsFrom(0));
    EXPECT_EQ(storedBands(1), bandsFrom(10));
    EXPECT_EQ(eq.selectedCustom(), 0);
    EXPECT_EQ(audio.selectedCustom(), 0);
    EXPECT_EQ(audio.currentEqBands(), bandsFrom(0));
    EXPECT_EQ(eq.band(9), 9);

    audio.applyCustomEq(1);
    audio.deleteCustomEq();
    EXPECT_EQ(storedNames(), std::vector<std::string>{"B"});
    audio.applyCustomEq(0);
    audio.deleteCustomEq();
    // None left: back to preset 1 with the profile's bands for it.
    EXPECT_TRUE(storedNames().empty());
    EXPECT_EQ(eq.selectedPreset(), 1);
    EXPECT_FALSE(eq.customGroupEnabled());
    EXPECT_EQ(storedStages()[kEqType], 1);
    EXPECT_EQ(audio.currentEqBands(), (std::vector<int32_t>{7, 11, 2, -3, -1, 4, 9, 12, 9, 5}));

    EXPECT_EQ(audio.selectedCustom(), -1);
    audio.deleteCustomEq();  // nothing selected: nothing happens
    EXPECT_EQ(eq.customCount(), 0);
}

// Bands from a profile file are held to the sliders' range before they reach the headset.
TEST_F(CustomEqTest, BandsFromTheFileAreHeldToTheirRange) {
    profile.writeCustomEqNames({"Loud"});
    profile.writeCustomEqBands(0, {50, -99, 20, -20, 0, 0, 0, 0, 0, 7});
    start();
    const size_t mark = logSize();
    audio.applyCustomEq(0);
    const auto sets = setsSince(mark);
    ASSERT_EQ(sets.size(), 11u);
    EXPECT_EQ(sets[1], "set R EQ_Slider1 20 aux=0 -> 0");
    EXPECT_EQ(sets[2], "set R EQ_Slider2 -20 aux=0 -> 0");
    EXPECT_EQ(sets[10], "set R EQ_Slider10 7 aux=0 -> 0");
}

TEST(HeadsetProfileRanges, StagesOutsideTheirRangesAreNamed) {
    struct Case {
        const char* stages;
        const char* problem;
    };
    const Case cases[] = {
        {R"({"MicInValue":150})", R"("SystemSetStages.MicInValue" is 150 (allowed 0 to 100))"},
        {R"({"EqType":14})", R"("SystemSetStages.EqType" is 14 (allowed 0 to 13))"},
        {R"({"CustomEqSeletIndex":20})",
         R"("SystemSetStages.CustomEqSeletIndex" is 20 (allowed 0 to 19))"},
        {R"({"MagicType":-1})", R"("SystemSetStages.MagicType" is -1 (allowed 0 to 4))"},
        {R"({"MicMoniterSelect":"on"})",
         R"("SystemSetStages.MicMoniterSelect" is not a whole number)"},
        {R"({"EqType":13,"MicInValue":100,"MagicType":4,"MicMoniterValue":0})", ""},
    };
    // The lighting block of the headset and the mousepad.
    for (const int kind : {3, 7}) {
        Json::Value node;
        ASSERT_TRUE(Json::Reader().parse(R"({"LightInfo":{"SelectItem":200}})", node));
        EXPECT_EQ(checkProfileRanges(node, profileRangesForKind(kind)),
                  R"("LightInfo.SelectItem" is 200 (allowed 0 to 8))");
        ASSERT_TRUE(Json::Reader().parse(R"({"LightInfo":{"SelectItem":8,"Speed":4}})", node));
        EXPECT_EQ(checkProfileRanges(node, profileRangesForKind(kind)), "");
    }
    // A profile's stages as the headset takes them: enumerations outside their range are none.
    std::array<int32_t, 8> stages = {3, 9, 99, 25, -1, 150, 1, -5};
    clampHeadsetStages(stages);
    EXPECT_EQ(stages, (std::array<int32_t, 8>{1, 0, 0, 0, 0, 100, 1, 0}));
    stages = {1, 4, 13, 19, 1, 100, 0, 0};
    clampHeadsetStages(stages);
    EXPECT_EQ(stages, (std::array<int32_t, 8>{1, 4, 13, 19, 1, 100, 0, 0}));
    for (const Case& c : cases) {
        Json::Value node;
        ASSERT_TRUE(
            Json::Reader().parse(std::string(R"({"SystemSetStages":)") + c.stages + "}", node));
        EXPECT_EQ(checkProfileRanges(node, profileRangesForKind(7)), c.problem) << c.stages;
    }
}

}  // namespace
}  // namespace md
