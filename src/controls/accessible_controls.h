#pragma once
// What screen readers learn of the controls that paint themselves: the device tile (a radio
// button named by its device, the connection as description, the battery as value, checked
// while selected), the key buttons and lamps of a device picture (a button, or an indicator
// whose value is its colour) and the colour picker (its colour as value, its keys as
// description).

namespace md {

// Installs the interfaces' factory once (QAccessible::installFactory).
void installControlAccessibility();

}  // namespace md
