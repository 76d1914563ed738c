#include "online/tls_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace md::test {
namespace {

struct KeyFree {
    void operator()(EVP_PKEY* k) const { EVP_PKEY_free(k); }
};
struct CertFree {
    void operator()(X509* c) const { X509_free(c); }
};
struct CtxFree {
    void operator()(SSL_CTX* c) const { SSL_CTX_free(c); }
};
struct SslFree {
    void operator()(SSL* s) const { SSL_free(s); }
};
using Key = std::unique_ptr<EVP_PKEY, KeyFree>;
using Cert = std::unique_ptr<X509, CertFree>;
using Ctx = std::unique_ptr<SSL_CTX, CtxFree>;
using Ssl = std::unique_ptr<SSL, SslFree>;

constexpr long kDay = 24 * 60 * 60;

Key makeKey() {
    return Key(EVP_EC_gen("P-256"));
}

void addExtension(X509* cert, X509* issuer, int nid, const char* value) {
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    if (X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value)) {
        X509_add_ext(cert, ext, -1);
        X509_EXTENSION_free(ext);
    }
}

// A certificate for key, valid from notBefore to notAfter (seconds from now), signed by
// issuer (self-signed when issuer is null).
Cert makeCert(EVP_PKEY* key, const char* commonName, long serial, long notBefore, long notAfter,
              EVP_PKEY* issuerKey, X509* issuer, const char* altNames) {
    Cert cert(X509_new());
    X509* x = cert.get();
    X509_set_version(x, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(x), serial);
    X509_gmtime_adj(X509_getm_notBefore(x), notBefore);
    X509_gmtime_adj(X509_getm_notAfter(x), notAfter);
    X509_set_pubkey(x, key);
    X509_NAME* name = X509_get_subject_name(x);
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("Mouse Driver tests"), -1, -1,
                               0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
    X509_set_issuer_name(x, issuer ? X509_get_subject_name(issuer) : name);
    X509* signer = issuer ? issuer : x;
    if (!altNames) {
        addExtension(x, signer, NID_basic_constraints, "critical,CA:TRUE");
        addExtension(x, signer, NID_key_usage, "critical,keyCertSign,cRLSign");
        addExtension(x, signer, NID_subject_key_identifier, "hash");
    } else {
        addExtension(x, signer, NID_basic_constraints, "critical,CA:FALSE");
        addExtension(x, signer, NID_ext_key_usage, "serverAuth");
        addExtension(x, signer, NID_subject_alt_name, altNames);
        addExtension(x, signer, NID_authority_key_identifier, "keyid:always");
    }
    X509_sign(x, issuerKey ? issuerKey : key, EVP_sha256());
    return cert;
}

// Every key and certificate of the test run, made once.
struct Pki {
    Key caKey = makeKey();
    Cert ca = makeCert(caKey.get(), "Mouse Driver test CA", 1, -kDay, 30 * kDay, nullptr, nullptr,
                       nullptr);
    Key otherCaKey = makeKey();
    Cert otherCa = makeCert(otherCaKey.get(), "Unknown test CA", 2, -kDay, 30 * kDay, nullptr,
                            nullptr, nullptr);
    Key serverKey = makeKey();
    Cert good = makeCert(serverKey.get(), "localhost", 10, -kDay, 30 * kDay, caKey.get(), ca.get(),
                         "DNS:localhost,IP:127.0.0.1");
    Cert wrongHost = makeCert(serverKey.get(), "updates.invalid", 11, -kDay, 30 * kDay, caKey.get(),
                              ca.get(), "DNS:updates.invalid");
    Cert expired = makeCert(serverKey.get(), "localhost", 12, -30 * kDay, -kDay, caKey.get(),
                            ca.get(), "DNS:localhost,IP:127.0.0.1");
    Cert untrusted = makeCert(serverKey.get(), "localhost", 13, -kDay, 30 * kDay, otherCaKey.get(),
                              otherCa.get(), "DNS:localhost,IP:127.0.0.1");
    std::string caPath;

    Pki() {
        caPath = (std::filesystem::temp_directory_path() /
                  ("md_test_ca_" + std::to_string(::getpid()) + ".pem"))
                     .string();
        if (FILE* f = std::fopen(caPath.c_str(), "w")) {
            PEM_write_X509(f, ca.get());
            std::fclose(f);
        }
    }
    ~Pki() {
        std::error_code ec;
        std::filesystem::remove(caPath, ec);
    }

    X509* cert(ServerCert which) const {
        switch (which) {
            case ServerCert::WrongHost:
                return wrongHost.get();
            case ServerCert::Expired:
                return expired.get();
            case ServerCert::UntrustedCa:
                return untrusted.get();
            case ServerCert::Good:
                break;
        }
        return good.get();
    }
};

Pki& pki() {
    static Pki p;
    return p;
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    const auto e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// Parses the head of a request (up to and without the blank line).
CapturedRequest parseHead(const std::string& head) {
    CapturedRequest r;
    size_t pos = head.find("\r\n");
    const std::string first = head.substr(0, pos);
    const size_t sp1 = first.find(' ');
    const size_t sp2 = first.find(' ', sp1 + 1);
    r.method = first.substr(0, sp1);
    r.target = first.substr(sp1 + 1, sp2 - sp1 - 1);
    while (pos != std::string::npos && pos + 2 < head.size()) {
        const size_t next = head.find("\r\n", pos + 2);
        const std::string line = head.substr(pos + 2, next - pos - 2);
        const size_t colon = line.find(':');
        if (colon != std::string::npos)
            r.headers.emplace_back(lower(line.substr(0, colon)), trim(line.substr(colon + 1)));
        pos = next;
    }
    return r;
}

bool writeAll(SSL* ssl, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const int n = SSL_write(ssl, data.data() + done, static_cast<int>(data.size() - done));
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

struct TlsTestServer::Tls {
    Ctx ctx;
};

int CapturedRequest::count(const std::string& name) const {
    return static_cast<int>(std::count_if(headers.begin(), headers.end(),
                                          [&](const auto& h) { return h.first == name; }));
}

std::string CapturedRequest::header(const std::string& name) const {
    for (const auto& h : headers)
        if (h.first == name) return h.second;
    return {};
}

std::string TlsTestServer::caFile() {
    return pki().caPath;
}

TlsTestServer::TlsTestServer(ServerCert cert) : m_tls(std::make_unique<Tls>()) {
    // A client that hangs up early must not end the test process.
    std::signal(SIGPIPE, SIG_IGN);
    m_handler = [](const CapturedRequest&) { return CannedResponse{200, "{}", {}, false}; };
    m_tls->ctx.reset(SSL_CTX_new(TLS_server_method()));
    SSL_CTX_use_certificate(m_tls->ctx.get(), pki().cert(cert));
    SSL_CTX_use_PrivateKey(m_tls->ctx.get(), pki().serverKey.get());

    m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (m_listen < 0 || ::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(m_listen, 8) != 0 ||
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        return;
    m_port = ntohs(addr.sin_port);
    m_thread = std::thread([this] { run(); });
}

TlsTestServer::~TlsTestServer() {
    m_stop.set();
    if (m_thread.joinable()) m_thread.join();
    if (m_listen >= 0) ::close(m_listen);
}

std::string TlsTestServer::baseUrl() const {
    return "https://localhost:" + std::to_string(m_port) + "/";
}

void TlsTestServer::respond(CannedResponse response) {
    setHandler([response](const CapturedRequest&) { return response; });
}

void TlsTestServer::setHandler(Handler handler) {
    std::lock_guard lock(m_mutex);
    m_handler = std::move(handler);
}

std::vector<CapturedRequest> TlsTestServer::requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

bool TlsTestServer::waitForRequests(size_t n, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_requests.size() >= n; });
}

int TlsTestServer::failedHandshakes() const {
    std::lock_guard lock(m_mutex);
    return m_failedHandshakes;
}

void TlsTestServer::run() {
    for (;;) {
        pollfd fds[2] = {{m_listen, POLLIN, 0}, {m_stop.fd(), POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) continue;
        if (fds[1].revents) return;
        const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        serve(fd);
        ::close(fd);
    }
}

void TlsTestServer::serve(int fd) {
    // A client that stops talking cannot hold the server for long.
    timeval tv{5, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
    Ssl ssl(SSL_new(m_tls->ctx.get()));
    SSL_set_fd(ssl.get(), fd);
    if (SSL_accept(ssl.get()) != 1) {
        ERR_clear_error();
        std::lock_guard lock(m_mutex);
        ++m_failedHandshakes;
        m_changed.notify_all();
        return;
    }
    std::string data;
    size_t headEnd = std::string::npos;
    size_t contentLength = 0;
    char buf[4096];
    for (;;) {
        if (headEnd == std::string::npos) {
            headEnd = data.find("\r\n\r\n");
            if (headEnd != std::string::npos) {
                const CapturedRequest head = parseHead(data.substr(0, headEnd));
                contentLength = std::strtoul(head.header("content-length").c_str(), nullptr, 10);
            }
        }
        if (headEnd != std::string::npos && data.size() >= headEnd + 4 + contentLength) break;
        const int n = SSL_read(ssl.get(), buf, sizeof buf);
        if (n <= 0) return;
        data.append(buf, static_cast<size_t>(n));
    }
    CapturedRequest request = parseHead(data.substr(0, headEnd));
    request.body = data.substr(headEnd + 4, contentLength);
    Handler handler;
    {
        std::lock_guard lock(m_mutex);
        handler = m_handler;
    }
    const CannedResponse response = handler(request);
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(std::move(request));
        m_changed.notify_all();
    }
    if (response.stall) {
        // Until the client hangs up or the server ends.
        pollfd fds[2] = {{fd, POLLIN, 0}, {m_stop.fd(), POLLIN, 0}};
        while (::poll(fds, 2, -1) > 0 && !fds[1].revents) {
            if (SSL_read(ssl.get(), buf, sizeof buf) <= 0) break;
        }
        return;
    }
    std::string reply = "HTTP/1.1 " + std::to_string(response.status) + " Test\r\n" +
                        "Content-Type: application/json\r\nContent-Length: " +
                        std::to_string(response.body.size()) + "\r\nConnection: close\r\n";
    for (const std::string& h : response.extraHeaders) reply += h + "\r\n";
    reply += "\r\n" + response.body;
    if (writeAll(ssl.get(), reply)) SSL_shutdown(ssl.get());
}

}  // namespace md::test
