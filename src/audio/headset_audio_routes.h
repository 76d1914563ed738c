#pragma once
// Which headset audio operation a notification of the two headset pages calls: preset options,
// band sliders, the custom equaliser combo and buttons, the microphone and monitoring controls
// and the voice changer. The main window calls it while the headset is the selected device.

#include <cstdint>
#include <string>
#include <string_view>

namespace md {

class HeadsetAudio;

enum class HeadsetRoute {
    NotMine,        // no headset page control, or not its notification
    Done,           // the operation ran
    ShowNameTaken,  // saving found the name taken: the caller shows "message_text_5"
};

// wParam is the notification's: for "selectchanged" whether the option is now selected (a
// preset or voice option that lost its selection to another one asks for nothing), for
// "valuechanged" the slider's value, for "itemselect" the row. nameText is the text of the
// custom equaliser's name field, which the save button saves under.
HeadsetRoute routeHeadsetNotification(HeadsetAudio& audio, std::string_view type,
                                      std::string_view sender, uintptr_t wParam,
                                      const std::string& nameText = {});

}  // namespace md
