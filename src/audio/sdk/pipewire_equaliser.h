#pragma once
// The headset equaliser as a PipeWire filter-chain in front of the headset's sink (found in
// PipeWire's object list at every rebuild; without a headset sink no chain is made). libpipewire
// is opened at run time, only when a PipeWire daemon's socket exists; without it the program
// runs as before and the equaliser values are only remembered. The chain lives in this process
// (its own PipeWire thread sleeps until PipeWire has work for it) and is rebuilt when the bands
// change: a preset sets its ten bands one after the other, so a worker waits until the values
// have settled and rebuilds the chain once, off the caller's thread.

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

#include "audio/eq_presets.h"
#include "common/worker.h"

namespace md::osconf {

class PipeWireEqualiser {
  public:
    PipeWireEqualiser();
    ~PipeWireEqualiser();
    PipeWireEqualiser(const PipeWireEqualiser&) = delete;
    PipeWireEqualiser& operator=(const PipeWireEqualiser&) = delete;

    // Asks for the chain with these gains, or for none when off; the worker carries it out
    // once no further request came for kSettle.
    void request(bool on, const EqBands& gainsDb);

    static constexpr std::chrono::milliseconds kSettle{40};

  private:
    struct Api;
    struct Wanted {
        bool on = false;
        EqBands gains{};
        bool operator==(const Wanted&) const = default;
    };
    void run(const StopEvent& stop);
    bool connect();
    // Puts the chain in place (or removes it); false when PipeWire is not there or refused it.
    bool apply(const Wanted& w);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    Wanted m_wanted;
    bool m_pending = false;  // a request the worker has not carried out
    bool m_renewed = false;  // a request came while the worker waited for quiet
    bool m_stopping = false;
    Worker m_worker;  // started with the first request
    // Used by the worker only.
    std::unique_ptr<Api> m_api;
    bool m_tried = false;
    bool m_applied = false;
    Wanted m_current;
};

}  // namespace md::osconf
