#pragma once
// The simulated backend: every property is a stored number; the microphone and monitoring
// properties need the headset's card, looked up by USB id in the state's proc tree at each
// call; listed properties fail both ways; every call is logged.

#include <string>

#include "audio/audio_state_file.h"
#include "audio/sdk/audio_backend.h"

namespace md::osconf {

class SimBackend final : public AudioBackend {
  public:
    // statePath empty: the state lives in this process only.
    explicit SimBackend(std::string statePath);
    int32_t get(EndpointTag ep, const std::string& name, int32_t aux, double& value) override;
    int32_t set(EndpointTag ep, const std::string& name, int32_t aux, double value) override;

  private:
    int32_t call(bool isSet, EndpointTag ep, const std::string& name, int32_t aux, double& value);
    int32_t apply(bool isSet, EndpointTag ep, const std::string& name, double& value,
                  std::string& where);

    std::string m_path;
    AudioStateFile m_state;
};

}  // namespace md::osconf
