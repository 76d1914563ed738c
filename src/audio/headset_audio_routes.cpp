#include "audio/headset_audio_routes.h"

#include <charconv>
#include <optional>

#include "audio/headset_audio.h"

namespace md {
namespace {

// The decimal index after prefix ("6533_eq_option_12" -> 12); nothing for other names.
std::optional<int32_t> indexAfter(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    const std::string_view digits = name.substr(prefix.size());
    int32_t v = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return v;
}

}  // namespace

HeadsetRoute routeHeadsetNotification(HeadsetAudio& audio, std::string_view type,
                                      std::string_view sender, uintptr_t wParam,
                                      const std::string& nameText) {
    const auto value = static_cast<int32_t>(static_cast<intptr_t>(wParam));
    if (type == "selectchanged") {
        if (const auto n = indexAfter(sender, "6533_eq_option_")) {
            if (wParam) audio.selectEqPreset(*n);
        } else if (sender == "6533_MicIn_option") {
            audio.toggleMicMute();
        } else if (sender == "6533_MicMoniter_option") {
            audio.toggleMonitorMute();
        } else if (sender == "magic_enable_option") {
            audio.setVoiceChanger(wParam != 0);
        } else if (const auto v = indexAfter(sender, "magic_option_"); v && *v >= 1) {
            if (wParam) audio.selectVoiceEffect(*v);
        } else {
            return HeadsetRoute::NotMine;
        }
        return HeadsetRoute::Done;
    }
    if (type == "valuechanged") {
        if (const auto i = indexAfter(sender, "6533_eq_hz_slider_")) {
            audio.setEqBand(*i, value);
        } else if (sender == "6533_MicIn_slider") {
            audio.setMicLevel(value);
        } else if (sender == "6533_MicMoniter_slider") {
            audio.setMonitorLevel(value);
        } else {
            return HeadsetRoute::NotMine;
        }
        return HeadsetRoute::Done;
    }
    if (type == "click" && sender == "hs_EQ_btn_save")
        return audio.saveCustomEq(nameText) == kCustomEqNameTaken ? HeadsetRoute::ShowNameTaken
                                                                  : HeadsetRoute::Done;
    if (type == "click" && sender == "hs_EQ_btn_delete") {
        audio.deleteCustomEq();
        return HeadsetRoute::Done;
    }
    if (type == "itemselect" && sender == "custom_eq_name_combo") {
        audio.applyCustomEq(value);
        return HeadsetRoute::Done;
    }
    return HeadsetRoute::NotMine;
}

}  // namespace md
