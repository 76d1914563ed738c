#pragma once
// Sets an environment variable (or unsets it, for a null value) for the life of the object and
// restores the old state afterwards.

#include <cstdlib>
#include <optional>
#include <string>

namespace md::test {

class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

  private:
    const char* m_name;
    std::optional<std::string> m_old;
};

}  // namespace md::test
