#pragma once
// Repeated controls carry a decimal index after a common prefix ("DPI_slider_2"); routing
// compares the prefix and hands the index on.

#include <QString>

namespace md {

struct IndexedName {
    QString prefix;  // the whole name when it has no trailing digits
    int index = -1;  // -1 when the name ends in no digit
};

IndexedName splitIndexedName(const QString& name);

}  // namespace md
