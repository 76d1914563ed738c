#pragma once
// A change of the main window's background chosen in the skin picker.

#include <QString>
#include <cstdint>

#include "ui/observer_impl.h"

namespace md {

struct SkinChangedParam {
    bool isColor = false;
    uint32_t color = 0;  // ARGB
    QString image;       // relative to the skin folder, or an absolute path
};

using SkinObserver = ObserverImpl<int, SkinChangedParam>;
using SkinReceiver = ReceiverImpl<int, SkinChangedParam>;

}  // namespace md
