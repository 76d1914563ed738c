#include "audio/sdk/alsa_mixer.h"

#include <alsa/asoundlib.h>

#include <array>
#include <cmath>
#include <string>

#include "audio/audio_device_info.h"

namespace md::osconf {
namespace {

// Names a USB audio card gives its microphone controls, most specific first.
constexpr std::array<const char*, 3> kCaptureNames = {"Mic", "Capture", "Headset"};
constexpr std::array<const char*, 3> kMonitorNames = {"Sidetone", "Mic", "Headset"};
constexpr auto kChannel = SND_MIXER_SCHN_FRONT_LEFT;  // also the mono channel

bool isSwitch(CardQuantity q) {
    return q == CardQuantity::Mute;
}

}  // namespace

std::unique_ptr<AlsaMixer> AlsaMixer::open(int card) {
    snd_mixer_t* mixer = nullptr;
    if (snd_mixer_open(&mixer, 0) < 0) return nullptr;
    const std::string name = "hw:" + std::to_string(card);
    if (snd_mixer_attach(mixer, name.c_str()) < 0 ||
        snd_mixer_selem_register(mixer, nullptr, nullptr) < 0 || snd_mixer_load(mixer) < 0) {
        snd_mixer_close(mixer);
        return nullptr;
    }
    return std::unique_ptr<AlsaMixer>(new AlsaMixer(mixer));
}

AlsaMixer::~AlsaMixer() {
    snd_mixer_close(m_mixer);
}

snd_mixer_elem_t* AlsaMixer::element(CardControl control, CardQuantity quantity) {
    const bool capture = control == CardControl::Capture;
    const auto& names = capture ? kCaptureNames : kMonitorNames;
    for (const char* name : names) {
        snd_mixer_selem_id_t* id = nullptr;
        snd_mixer_selem_id_alloca(&id);
        snd_mixer_selem_id_set_name(id, name);
        snd_mixer_elem_t* e = snd_mixer_find_selem(m_mixer, id);
        if (!e) continue;
        const bool has = capture ? (isSwitch(quantity) ? snd_mixer_selem_has_capture_switch(e)
                                                       : snd_mixer_selem_has_capture_volume(e))
                                 : (isSwitch(quantity) ? snd_mixer_selem_has_playback_switch(e)
                                                       : snd_mixer_selem_has_playback_volume(e));
        if (has) return e;
    }
    return nullptr;
}

int32_t AlsaMixer::get(const CardProperty& p, double& value) {
    snd_mixer_elem_t* e = element(p.control, p.quantity);
    if (!e) return kAudioNotSupported;
    const bool capture = p.control == CardControl::Capture;
    long lo = 0, hi = 0, raw = 0, db = 0, dbLo = 0, dbHi = 0;
    int on = 0;
    switch (p.quantity) {
        case CardQuantity::Mute:
            if ((capture ? snd_mixer_selem_get_capture_switch(e, kChannel, &on)
                         : snd_mixer_selem_get_playback_switch(e, kChannel, &on)) < 0)
                return kAudioFailed;
            value = on ? 0 : 1;
            return kAudioOk;
        case CardQuantity::Scalar:
            if ((capture ? snd_mixer_selem_get_capture_volume_range(e, &lo, &hi)
                         : snd_mixer_selem_get_playback_volume_range(e, &lo, &hi)) < 0 ||
                (capture ? snd_mixer_selem_get_capture_volume(e, kChannel, &raw)
                         : snd_mixer_selem_get_playback_volume(e, kChannel, &raw)) < 0 ||
                hi <= lo)
                return kAudioFailed;
            value = double(raw - lo) / double(hi - lo);
            return kAudioOk;
        case CardQuantity::Decibels:
            if ((capture ? snd_mixer_selem_get_capture_dB(e, kChannel, &db)
                         : snd_mixer_selem_get_playback_dB(e, kChannel, &db)) < 0)
                return kAudioFailed;
            value = double(db) / 100.0;  // ALSA counts hundredths of a decibel
            return kAudioOk;
        case CardQuantity::MaxDecibels:
        case CardQuantity::MinDecibels:
        case CardQuantity::StepDecibels:
            if ((capture ? snd_mixer_selem_get_capture_dB_range(e, &dbLo, &dbHi)
                         : snd_mixer_selem_get_playback_dB_range(e, &dbLo, &dbHi)) < 0)
                return kAudioFailed;
            if (p.quantity == CardQuantity::MaxDecibels) {
                value = double(dbHi) / 100.0;
            } else if (p.quantity == CardQuantity::MinDecibels) {
                value = double(dbLo) / 100.0;
            } else {
                if ((capture ? snd_mixer_selem_get_capture_volume_range(e, &lo, &hi)
                             : snd_mixer_selem_get_playback_volume_range(e, &lo, &hi)) < 0 ||
                    hi <= lo)
                    return kAudioFailed;
                value = double(dbHi - dbLo) / 100.0 / double(hi - lo);
            }
            return kAudioOk;
    }
    return kAudioBadArgument;
}

int32_t AlsaMixer::set(const CardProperty& p, double value) {
    snd_mixer_elem_t* e = element(p.control, p.quantity);
    if (!e) return kAudioNotSupported;
    if (!std::isfinite(value)) return kAudioBadArgument;
    const bool capture = p.control == CardControl::Capture;
    long lo = 0, hi = 0;
    switch (p.quantity) {
        case CardQuantity::Mute: {
            const int on = value != 0 ? 0 : 1;
            return (capture ? snd_mixer_selem_set_capture_switch_all(e, on)
                            : snd_mixer_selem_set_playback_switch_all(e, on)) < 0
                       ? kAudioFailed
                       : kAudioOk;
        }
        case CardQuantity::Scalar: {
            if ((capture ? snd_mixer_selem_get_capture_volume_range(e, &lo, &hi)
                         : snd_mixer_selem_get_playback_volume_range(e, &lo, &hi)) < 0)
                return kAudioFailed;
            const double s = value < 0 ? 0 : (value > 1 ? 1 : value);
            const long raw = lo + std::lround(s * double(hi - lo));
            return (capture ? snd_mixer_selem_set_capture_volume_all(e, raw)
                            : snd_mixer_selem_set_playback_volume_all(e, raw)) < 0
                       ? kAudioFailed
                       : kAudioOk;
        }
        case CardQuantity::Decibels: {
            const long db = std::lround(value * 100.0);
            return (capture ? snd_mixer_selem_set_capture_dB_all(e, db, 0)
                            : snd_mixer_selem_set_playback_dB_all(e, db, 0)) < 0
                       ? kAudioFailed
                       : kAudioOk;
        }
        default:
            return kAudioNotSupported;  // the ranges are the card's, not settable
    }
}

}  // namespace md::osconf
