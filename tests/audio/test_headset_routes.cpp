// Which operation a headset page notification calls, seen in the properties it sets.
#include "audio/headset_audio_routes.h"
#include "headset_audio_fixture.h"

namespace md {
namespace {

using test::HeadsetAudioTest;

struct RouteCase {
    const char* type;
    const char* sender;
    uintptr_t wParam;
    HeadsetRoute route;
    const char* firstSet;  // the first property set ("" for none)
};

TEST_F(HeadsetAudioTest, NotificationsReachTheirOperations) {
    const RouteCase cases[] = {
        {"selectchanged", "6533_eq_option_3", 1, HeadsetRoute::Done, "set R Enable_EQ_GFX 1"},
        {"selectchanged", "6533_eq_option_3", 0, HeadsetRoute::Done, ""},  // lost its selection
        {"valuechanged", "6533_eq_hz_slider_9", 4, HeadsetRoute::Done, "set R EQ_Slider10"},
        {"selectchanged", "6533_MicIn_option", 0, HeadsetRoute::Done, "set C MuteControl 1"},
        {"valuechanged", "6533_MicIn_slider", 40, HeadsetRoute::Done, "set C VolumeScalarControl"},
        {"selectchanged", "6533_MicMoniter_option", 1, HeadsetRoute::Done, "set C AAMuteControl 0"},
        {"valuechanged", "6533_MicMoniter_slider", 9, HeadsetRoute::Done,
         "set C AAVolumeScalarControl"},
        {"selectchanged", "magic_enable_option", 1, HeadsetRoute::Done,
         "set C Enable_MAGICVOICE 1"},
        {"selectchanged", "magic_option_2", 1, HeadsetRoute::Done, "set C MagicVoice_Selection 1"},
        {"selectchanged", "magic_option_0", 1, HeadsetRoute::NotMine, ""},
        {"click", "hs_EQ_btn_delete", 0, HeadsetRoute::Done, ""},
        {"itemselect", "custom_eq_name_combo", 0, HeadsetRoute::Done, ""},
        {"click", "hs_EQ_btn_save", 0, HeadsetRoute::Done, ""},
        {"click", "6533_eq_option_3", 0, HeadsetRoute::NotMine, ""},
        {"selectchanged", "6533_eq_option_x", 1, HeadsetRoute::NotMine, ""},
        {"valuechanged", "DPI_slider_1", 1, HeadsetRoute::NotMine, ""},
    };
    start();
    for (const RouteCase& c : cases) {
        const size_t mark = logSize();
        EXPECT_EQ(routeHeadsetNotification(audio, c.type, c.sender, c.wParam), c.route) << c.sender;
        const auto sets = setsSince(mark);
        if (*c.firstSet) {
            ASSERT_FALSE(sets.empty()) << c.sender;
            EXPECT_EQ(sets.front().rfind(c.firstSet, 0), 0u) << c.sender << ": " << sets.front();
        } else {
            EXPECT_TRUE(sets.empty()) << c.sender;
        }
    }
    // A name taken (ignoring case) asks the caller for its message.
    EXPECT_EQ(routeHeadsetNotification(audio, "click", "hs_EQ_btn_save", 0, "Mine"),
              HeadsetRoute::Done);
    EXPECT_EQ(routeHeadsetNotification(audio, "click", "hs_EQ_btn_save", 0, "MINE"),
              HeadsetRoute::ShowNameTaken);
    EXPECT_EQ(audio.customEqNames(), std::vector<std::string>{"Mine"});
}

}  // namespace
}  // namespace md
