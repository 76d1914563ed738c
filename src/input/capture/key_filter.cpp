#include "input/capture/key_filter.h"

#include "input/capture/scan_codes.h"
#include "input/keys/key_code_table.h"

namespace md::capture {

KeyFilter::Outcome KeyFilter::onKey(int mode, uint16_t evdevCode, bool down, bool autoRepeat,
                                    uint64_t timeMs) {
    Outcome out;
    out.swallow = !isLockKey(evdevCode);
    if (down) {
        if (autoRepeat || !m_held.insert(evdevCode).second) return out;
    } else {
        if (autoRepeat) return out;
        m_held.erase(evdevCode);
    }
    if (!deliversKeys(mode)) return out;
    const auto scan = scanCodeOfEvdev(evdevCode);
    if (!scan) return out;
    KeyRecord r;
    r.scanCode = scan->code;
    r.extended = scan->extended;
    r.down = down;
    r.timeMs = timeMs;
    if (const auto row = keys::rowOfScanCode(scan->code, scan->extended))
        r.virtualKey = keys::keyCodeTable()[*row].virtualKey;
    out.record = r;
    return out;
}

}  // namespace md::capture
