#pragma once
// The ALSA mixer of one sound card: the microphone's capture control (level, decibels, switch)
// and the microphone's playback control that feeds it into the headphones (sidetone or "Mic"
// playback), found by name. Opened for one call and closed again, so a card that went away or
// came back under another number is never held.

#include <memory>

#include "audio/card_properties.h"

typedef struct _snd_mixer snd_mixer_t;
typedef struct _snd_mixer_elem snd_mixer_elem_t;

namespace md::osconf {

class AlsaMixer {
  public:
    // nullptr when the card's mixer cannot be opened.
    static std::unique_ptr<AlsaMixer> open(int card);
    ~AlsaMixer();
    AlsaMixer(const AlsaMixer&) = delete;
    AlsaMixer& operator=(const AlsaMixer&) = delete;

    // AudioResult codes; kAudioNotSupported when the card has no such control.
    int32_t get(const CardProperty& p, double& value);
    int32_t set(const CardProperty& p, double value);

  private:
    explicit AlsaMixer(snd_mixer_t* mixer) : m_mixer(mixer) {}
    snd_mixer_elem_t* element(CardControl control, CardQuantity quantity);

    snd_mixer_t* m_mixer;
};

}  // namespace md::osconf
