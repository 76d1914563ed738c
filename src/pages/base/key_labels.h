#pragma once
// How the device pictures name a key's assignment: the parts the key panel shows, in the
// current language.

#include <QString>
#include <string>
#include <vector>

#include "profiles/profile_records.h"

namespace md {

// The text of a text id in the current language (the id itself when there is none).
QString translatedText(const std::string& id);
// The assignment as text ("Ctrl+C", a macro's name, a function's name).
QString assignmentText(const KeyBinding& binding, const std::vector<std::string>& macroNames);

}  // namespace md
