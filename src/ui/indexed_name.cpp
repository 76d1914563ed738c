#include "ui/indexed_name.h"

namespace md {

IndexedName splitIndexedName(const QString& name) {
    qsizetype cut = name.size();
    while (cut > 0 && name.at(cut - 1).isDigit() && name.at(cut - 1).unicode() < 128) --cut;
    // Nine digits at most so that the index always fits an int.
    if (cut == name.size() || name.size() - cut > 9) return {name, -1};
    return {name.left(cut), name.mid(cut).toInt()};
}

}  // namespace md
