#include "input/capture/macro_recorder.h"

#include "input/keys/key_code_table.h"

namespace md::capture {
namespace {

// The variant of a recording mode: 0 append, 1 before, 2 after, 3 replace; -1 for others.
int variantOf(int mode) {
    switch (mode) {
        case kRecordAppend:
            return 0;
        case kRecordBefore:
            return 1;
        case kRecordAfter:
            return 2;
        case kRecordReplace:
            return 3;
        default:
            return -1;
    }
}

}  // namespace

void MacroRecorder::start(int delayMode, uint16_t fixedDelay, uint64_t nowMs) {
    m_delayMode = delayMode;
    m_fixedDelay = fixedDelay;
    m_lastTime = nowMs;
    m_heldKey = {};
    m_lastMouse = {};
}

std::optional<MacroEvent> MacroRecorder::eventOfKey(const KeyRecord& r) {
    const auto row = keys::rowOfScanCode(r.scanCode, r.extended);
    if (!row || *row > 112) return std::nullopt;
    const keys::KeyAssignment& a = keys::keyCodeTable()[*row].assignment;
    MacroEvent e;
    e.down = r.down;
    if (a[2] != 0) {
        e.type = MacroEvent::kKey;
        e.button = a[2];
    } else {
        e.type = MacroEvent::kModifier;
        e.button = a[1];
    }
    return e;
}

std::optional<MacroEvent> MacroRecorder::eventOfMouse(const MouseRecord& r) {
    MacroEvent e;
    e.type = MacroEvent::kMouseButton;
    switch (r.message) {
        case kLeftDown:
        case kLeftUp:
            e.button = 0x01;
            break;
        case kRightDown:
        case kRightUp:
            e.button = 0x02;
            break;
        case kMiddleDown:
        case kMiddleUp:
            e.button = 0x04;
            break;
        case kExtraDown:
        case kExtraUp:
            if (r.extraButton == 2)
                e.button = 0x10;
            else if (r.extraButton == 1)
                e.button = 0x08;
            else
                return std::nullopt;
            break;
        default:
            return std::nullopt;
    }
    e.down = r.message == kLeftDown || r.message == kRightDown || r.message == kMiddleDown ||
             r.message == kExtraDown;
    return e;
}

bool MacroRecorder::recordKey(int mode, const KeyRecord& r, std::vector<MacroEvent>& events,
                              int& selected) {
    const int v = variantOf(mode);
    if (v < 0) return false;
    auto& held = m_heldKey[size_t(v)];
    const std::pair<uint8_t, bool> key{r.scanCode, r.extended};
    if (r.down) {
        if (held == key) return false;  // the key is held: recorded once
        held = key;
    } else if (held == key) {
        held.reset();
    }
    const auto e = eventOfKey(r);
    return e && place(mode, *e, r.timeMs, events, selected);
}

bool MacroRecorder::recordMouse(int mode, const MouseRecord& r, std::vector<MacroEvent>& events,
                                int& selected) {
    const int v = variantOf(mode);
    if (v < 0) return false;
    const auto e = eventOfMouse(r);
    if (!e || m_lastMouse[size_t(v)] == r.message) return false;
    m_lastMouse[size_t(v)] = r.message;
    return place(mode, *e, r.timeMs, events, selected);
}

bool MacroRecorder::place(int mode, MacroEvent e, uint64_t timeMs, std::vector<MacroEvent>& events,
                          int& selected) {
    const bool hasSelection = selected >= 0 && size_t(selected) < events.size();
    if (mode == kRecordReplace) {
        if (!hasSelection) return false;
        MacroEvent& row = events[size_t(selected)];
        e.delay = row.delay;  // the row keeps its pause
        row = e;
        return true;
    }
    if (events.size() >= kMaxMacroEvents) return false;
    uint16_t d = 0;
    if (m_delayMode == kRecordedDelay) {
        const uint64_t span = timeMs >= m_lastTime ? timeMs - m_lastTime : 0;
        d = span > 65534 ? 65535 : uint16_t(span);
        m_lastTime = timeMs;
    } else if (m_delayMode == kFixedDelay) {
        d = m_fixedDelay;
    }
    size_t at = events.size();
    if (mode == kRecordBefore) at = hasSelection ? size_t(selected) : 0;
    if (mode == kRecordAfter) at = hasSelection ? size_t(selected) + 1 : events.size();
    e.delay = m_delayMode == kFixedDelay ? m_fixedDelay : 0;
    events.insert(events.begin() + std::ptrdiff_t(at), e);
    if (events.size() == 1) {
        events[0].delay = 0;
    } else if (m_hasPrevious && at > 0) {
        events[at - 1].delay = d;  // the pause between the previous action and this one
    }
    m_hasPrevious = true;
    if (mode == kRecordBefore)
        selected = int(at) + 1;  // the selection stays on its row: the next goes before it too
    else
        selected = int(at);
    return true;
}

}  // namespace md::capture
