#pragma once
// Removes the proxy variables of the environment for the life of the object, so that requests
// to the loopback test server never go through a proxy of the machine.

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace md::test {

class ProxyFreeEnv {
  public:
    ProxyFreeEnv() {
        for (const char* name :
             {"https_proxy", "HTTPS_PROXY", "http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) {
            if (const char* v = std::getenv(name)) {
                m_saved.emplace_back(name, v);
                ::unsetenv(name);
            }
        }
    }
    ~ProxyFreeEnv() {
        for (const auto& [name, value] : m_saved) ::setenv(name.c_str(), value.c_str(), 1);
    }
    ProxyFreeEnv(const ProxyFreeEnv&) = delete;
    ProxyFreeEnv& operator=(const ProxyFreeEnv&) = delete;

  private:
    std::vector<std::pair<std::string, std::string>> m_saved;
};

}  // namespace md::test
