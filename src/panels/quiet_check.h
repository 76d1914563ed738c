#pragma once
// Checks or clears an option without a notification, even one of an exclusive set (radio
// buttons, exclusive groups), which would otherwise refuse to end up with none checked.

class QAbstractButton;

namespace md {

void checkQuietly(QAbstractButton* b, bool on);

}  // namespace md
