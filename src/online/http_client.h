#pragma once
// A small synchronous HTTPS client for the update check. One call performs one complete
// request on the calling thread: connect, send the form body, read the answer into the caller's
// buffer, close everything again. Built on libcurl:
//
//   - HTTPS only; certificates and host names are always verified, against the system's CA
//     store plus the PEM file of the settings when one is given;
//   - redirects are not followed; an answer whose HTTP status is not 2xx is a failure;
//   - a stop event ends a running request at once (its descriptor wakes the transfer loop, and
//     the progress callback checks it too), so an owner never waits for a stalled server;
//   - the answer is cut at the buffer's capacity.
//
// Every failure that leaves no usable answer writes "NO_LINK_SERVER" and a zero byte at the
// start of the buffer and answers 0, so that callers tell an unreachable service from an answer.
// The proxy comes from the environment (https_proxy, no_proxy) unless the caller asks for the
// explicit proxy of the settings.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace md {

class StopEvent;

struct HttpClientSettings {
    std::string userAgent = "WinHTTP Client/1.0";
    std::string proxyName;  // used only when a request asks for the proxy
    std::string proxyUserName;
    std::string proxyPassword;
    // Extra trust anchors (PEM) besides the system store, for a service with a private CA.
    std::string caFile;
    // Connection set-up including name resolution and the TLS handshake.
    uint32_t connectTimeoutMs = 60000;
    // Longest time without any byte going out or coming in.
    uint32_t sendTimeoutMs = 30000;
    uint32_t receiveTimeoutMs = 30000;
    // The whole request; bounds a server that trickles its answer.
    uint32_t totalTimeoutMs = 120000;
};

// Text written at the start of the output when no answer was received.
inline constexpr std::string_view kNoLinkServer = "NO_LINK_SERVER";

// Codes of LastError() besides libcurl's own (CURLcode values) and HTTP statuses (300-599).
namespace http_error {
inline constexpr uint32_t kEmptyUrl = 3;
inline constexpr uint32_t kBadMethod = 87;
inline constexpr uint32_t kCancelled = 42;  // libcurl's "aborted by callback"
}  // namespace http_error

class CHttpClient {
  public:
    CHttpClient();
    explicit CHttpClient(HttpClientSettings settings);

    HttpClientSettings& settings() { return m_settings; }
    const HttpClientSettings& settings() const { return m_settings; }
    // Back to the defaults (before each update check).
    void resetSettings() { m_settings = HttpClientSettings{}; }

    // method: "GET" or "POST" in any case. url: absolute https URL. body: sent after the
    // headers (form-encoded, POST only; nothing when empty). output: the answer goes to its
    // start, at most output.size() bytes. stop: when set, ends the request.
    // Answers the number of bytes stored; -1 for an empty URL (error 3), another method (87)
    // or when no transfer could be set up; 0 with "NO_LINK_SERVER" in output when the service
    // gave no usable answer (unreachable, TLS or host check failed, time-out, cancelled, status
    // outside 2xx).
    int HttpRequest(std::string_view method, std::string_view url, std::span<const uint8_t> body,
                    std::span<uint8_t> output, bool useProxy, const StopEvent* stop = nullptr);

    // Code of the last failure, 0 after a request that succeeded.
    uint32_t LastError() const { return m_lastError; }
    // What went wrong, for people (libcurl's detail where it gave one).
    const std::string& LastErrorText() const { return m_lastErrorText; }
    // HTTP status of the last request that got an answer, else 0.
    long lastStatus() const { return m_lastStatus; }

  private:
    void fail(uint32_t code, std::string text);

    HttpClientSettings m_settings;
    uint32_t m_lastError = 0;
    std::string m_lastErrorText;
    long m_lastStatus = 0;
};

}  // namespace md
