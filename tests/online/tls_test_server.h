#pragma once
// A small HTTPS server on the loopback interface for the tests of the HTTP client and the
// update check. Keys and certificates are made in memory when first needed: a test CA (its PEM
// is written to caFile() for the client to trust), and server certificates signed by it for
// "localhost" and 127.0.0.1, for another host name, already expired, and one signed by a CA the
// client does not know. One connection is served at a time; every request is recorded.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/stop_event.h"

namespace md::test {

enum class ServerCert { Good, WrongHost, Expired, UntrustedCa };

struct CapturedRequest {
    std::string method;
    std::string target;
    // Header lines as received, names in lower case, in order (repeats kept).
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;

    // Number of header lines named name (lower case).
    int count(const std::string& name) const;
    // The first value of a header, "" when there is none.
    std::string header(const std::string& name) const;
};

struct CannedResponse {
    int status = 200;
    std::string body;
    std::vector<std::string> extraHeaders;  // "Name: value"
    bool stall = false;  // read the request, then answer nothing until the client goes
};

class TlsTestServer {
  public:
    using Handler = std::function<CannedResponse(const CapturedRequest&)>;

    explicit TlsTestServer(ServerCert cert = ServerCert::Good);
    ~TlsTestServer();
    TlsTestServer(const TlsTestServer&) = delete;
    TlsTestServer& operator=(const TlsTestServer&) = delete;

    bool listening() const { return m_port != 0; }
    int port() const { return m_port; }
    // "https://localhost:PORT/"
    std::string baseUrl() const;

    // Every request gets this answer (default: 200 with "{}").
    void respond(CannedResponse response);
    // Or the handler's answer.
    void setHandler(Handler handler);

    std::vector<CapturedRequest> requests() const;
    // True once n requests were recorded within timeout.
    bool waitForRequests(size_t n, std::chrono::milliseconds timeout) const;
    // TLS handshakes that failed (the client refused the certificate).
    int failedHandshakes() const;

    // PEM file of the CA the client trusts.
    static std::string caFile();

  private:
    struct Tls;
    void run();
    void serve(int fd);

    std::unique_ptr<Tls> m_tls;
    int m_listen = -1;
    int m_port = 0;
    StopEvent m_stop;
    mutable std::mutex m_mutex;
    mutable std::condition_variable_any m_changed;
    Handler m_handler;
    std::vector<CapturedRequest> m_requests;
    int m_failedHandshakes = 0;
    std::thread m_thread;
};

}  // namespace md::test
