#pragma once
// The machine's sound system: microphone and monitoring on the headset card's ALSA mixer (the
// card found by USB id at every call), the equaliser as a PipeWire filter-chain when PipeWire
// runs, and every other property (voice changer, surround, room, noise cancellation) remembered,
// as Linux has no control for them. Remembered values, the equaliser's included, are kept in a
// state file, so the equaliser is back in place whenever the library is loaded again.

#include <map>
#include <string>

#include "audio/audio_state_file.h"
#include "audio/eq_presets.h"
#include "audio/sdk/audio_backend.h"
#include "audio/sdk/pipewire_equaliser.h"

namespace md::osconf {

class SystemBackend final : public AudioBackend {
  public:
    // statePath empty: remembered for the life of the process only.
    explicit SystemBackend(std::string asoundRoot = "/proc/asound",
                           std::string statePath = rememberedAudioStatePath());
    int32_t get(EndpointTag ep, const std::string& name, int32_t aux, double& value) override;
    int32_t set(EndpointTag ep, const std::string& name, int32_t aux, double value) override;

  private:
    void applyEqualiser();

    std::string m_asoundRoot;
    std::string m_statePath;
    std::map<std::string, double> m_remembered;
    PipeWireEqualiser m_equaliser;
};

}  // namespace md::osconf
