#pragma once
// A folder only this user can enter, for sockets and locks when the session has no
// XDG_RUNTIME_DIR: base/name is created with mode 0700 when missing and accepted only when it
// is a real folder (not a link) owned by this user that nobody else may enter. Another local
// user cannot take the name first and serve, or listen on, what the program puts there.

#include <optional>
#include <string>

namespace md {

// The folder's path, or nothing when it cannot be made or is not private.
std::optional<std::string> privateUserDir(const std::string& base, const std::string& name);

}  // namespace md
