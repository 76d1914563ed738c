#pragma once
// What carries the library's properties: the machine's sound system or the simulation.
// Values are plain numbers here; the entry points turn them into and out of the caller's
// buffers. Results are the library's AudioResult codes.

#include <cstdint>
#include <memory>
#include <string>

namespace md::osconf {

// 'C' capture endpoint, 'R' render endpoint.
using EndpointTag = char;

class AudioBackend {
  public:
    virtual ~AudioBackend() = default;
    // aux is the first word of the auxiliary record (0 without one).
    virtual int32_t get(EndpointTag ep, const std::string& name, int32_t aux, double& value) = 0;
    virtual int32_t set(EndpointTag ep, const std::string& name, int32_t aux, double value) = 0;
};

// The simulation when MOUSE_DRIVER_AUDIO_SIM is set, else the machine's sound system.
std::unique_ptr<AudioBackend> makeBackend();

}  // namespace md::osconf
