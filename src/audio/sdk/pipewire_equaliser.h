#pragma once
// The headset equaliser as a PipeWire filter-chain in front of the headset's sink. libpipewire
// is opened at run time, only when a PipeWire daemon's socket exists; without it the program
// runs as before and the equaliser values are only remembered. The chain lives in this process
// (its own PipeWire thread sleeps until PipeWire has work for it) and is rebuilt when the bands
// change.

#include <memory>
#include <string>

#include "audio/eq_presets.h"

namespace md::osconf {

class PipeWireEqualiser {
  public:
    PipeWireEqualiser();
    ~PipeWireEqualiser();
    PipeWireEqualiser(const PipeWireEqualiser&) = delete;
    PipeWireEqualiser& operator=(const PipeWireEqualiser&) = delete;

    // Puts the chain in place with these gains, or removes it when off. False when PipeWire is
    // not there or refused the chain.
    bool apply(bool on, const EqBands& gainsDb);

  private:
    struct Api;
    bool connect();

    std::unique_ptr<Api> m_api;
    bool m_tried = false;
    bool m_applied = false;
    bool m_on = false;
    EqBands m_gains{};
};

}  // namespace md::osconf
