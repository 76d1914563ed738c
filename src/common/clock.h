#pragma once
// Monotonic millisecond clock behind an interface so that timing rules can be tested with a
// manual clock.

#include <atomic>
#include <chrono>
#include <cstdint>

namespace md {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual uint64_t nowMs() const = 0;
};

class SteadyClock final : public Clock {
  public:
    uint64_t nowMs() const override {
        using namespace std::chrono;
        return static_cast<uint64_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    static const SteadyClock& instance() {
        static const SteadyClock c;
        return c;
    }
};

class ManualClock final : public Clock {
  public:
    explicit ManualClock(uint64_t start = 0) : m_now(start) {}
    uint64_t nowMs() const override { return m_now.load(); }
    void set(uint64_t ms) { m_now.store(ms); }
    void advance(uint64_t ms) { m_now.fetch_add(ms); }

  private:
    std::atomic<uint64_t> m_now;
};

}  // namespace md
