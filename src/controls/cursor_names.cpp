#include "controls/cursor_names.h"

namespace md {

std::optional<Qt::CursorShape> cursorShapeByName(const QString& name) {
    struct Entry {
        const char* name;
        Qt::CursorShape shape;
    };
    // "size" is the old four-way arrow and "icon" the old plain pointer.
    static constexpr Entry kShapes[] = {
        {"arrow", Qt::ArrowCursor},        {"ibeam", Qt::IBeamCursor},
        {"wait", Qt::WaitCursor},          {"cross", Qt::CrossCursor},
        {"uparrow", Qt::UpArrowCursor},    {"size", Qt::SizeAllCursor},
        {"icon", Qt::ArrowCursor},         {"sizenwse", Qt::SizeFDiagCursor},
        {"sizenesw", Qt::SizeBDiagCursor}, {"sizewe", Qt::SizeHorCursor},
        {"sizens", Qt::SizeVerCursor},     {"sizeall", Qt::SizeAllCursor},
        {"no", Qt::ForbiddenCursor},       {"hand", Qt::PointingHandCursor},
    };
    for (const Entry& e : kShapes)
        if (name.compare(QLatin1String(e.name), Qt::CaseInsensitive) == 0) return e.shape;
    return std::nullopt;
}

}  // namespace md
