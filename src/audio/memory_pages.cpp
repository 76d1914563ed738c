#include "audio/memory_pages.h"

namespace md {

void MemoryEqPage::setBand(int32_t i, int32_t value) {
    if (i >= 0 && i < kEqBandCount) m_bands[static_cast<size_t>(i)] = value;
}

int32_t MemoryEqPage::band(int32_t i) {
    return (i >= 0 && i < kEqBandCount) ? m_bands[static_cast<size_t>(i)] : -1;
}

void MemoryEqPage::selectCustom(int32_t i) {
    m_selected = (i >= 0 && i < customCount()) ? i : -1;
    m_nameText.clear();
}

void MemoryEqPage::removeCustom(int32_t i) {
    if (i < 0 || i >= customCount()) return;
    m_names.erase(m_names.begin() + i);
    // A combo keeps no selection once its selected item is gone.
    if (m_selected == i)
        m_selected = -1;
    else if (m_selected > i)
        --m_selected;
}

void MemoryEqPage::removeAllCustom() {
    m_names.clear();
    m_selected = -1;
}

std::string MemoryEqPage::customName(int32_t i) {
    return (i >= 0 && i < customCount()) ? m_names[static_cast<size_t>(i)] : std::string();
}

}  // namespace md
