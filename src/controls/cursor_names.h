#pragma once
// Pointer shapes by the names layouts use ("arrow", "hand", "sizewe", ...).

#include <QString>
#include <Qt>
#include <optional>

namespace md {

// The shape for a name (case-insensitive), or nothing for an unknown name.
std::optional<Qt::CursorShape> cursorShapeByName(const QString& name);

}  // namespace md
