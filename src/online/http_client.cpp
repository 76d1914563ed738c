#include "online/http_client.h"

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <cstring>
#include <memory>
#include <mutex>

#include "common/dbg_out.h"
#include "common/stop_event.h"

namespace md {
namespace {

// Longest sleep of the transfer loop; libcurl wakes it earlier for its own time-outs, and the
// stop event's descriptor wakes it at once.
constexpr int kMaxWaitMs = 60000;

void initCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct EasyDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct MultiDeleter {
    void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};
struct SlistDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using MultiHandle = std::unique_ptr<CURLM, MultiDeleter>;
using HeaderList = std::unique_ptr<curl_slist, SlistDeleter>;

// Keeps an easy handle in a multi handle for one scope.
class Attached {
  public:
    Attached(CURLM* multi, CURL* easy)
        : m_multi(multi), m_easy(easy), m_ok(curl_multi_add_handle(multi, easy) == CURLM_OK) {}
    ~Attached() {
        if (m_ok) curl_multi_remove_handle(m_multi, m_easy);
    }
    Attached(const Attached&) = delete;
    Attached& operator=(const Attached&) = delete;
    bool ok() const { return m_ok; }

  private:
    CURLM* m_multi;
    CURL* m_easy;
    bool m_ok;
};

using Clock = std::chrono::steady_clock;

struct Transfer {
    std::span<uint8_t> output;
    size_t stored = 0;
    bool cut = false;  // the answer did not fit; reading stopped
    const StopEvent* stop = nullptr;
    // When a byte last went out or came in (or the connection was made).
    Clock::time_point lastActivity = Clock::now();
    curl_off_t sent = 0;
    curl_off_t received = 0;
};

size_t onBody(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    t->lastActivity = Clock::now();
    const size_t n = size * count;
    const size_t take = std::min(n, t->output.size() - t->stored);
    if (take > 0) std::memcpy(t->output.data() + t->stored, data, take);
    t->stored += take;
    if (take == n) return n;
    t->cut = true;
    return take;  // fewer bytes than offered: libcurl ends the transfer
}

int onProgress(void* user, curl_off_t dlNow, curl_off_t, curl_off_t ulNow, curl_off_t) {
    auto* t = static_cast<Transfer*>(user);
    if (dlNow != t->received || ulNow != t->sent) {
        t->received = dlNow;
        t->sent = ulNow;
        t->lastActivity = Clock::now();
    }
    return t->stop && t->stop->isSet() ? 1 : 0;
}

// True once the TLS connection to the server stands.
bool connected(CURL* c) {
    curl_off_t us = 0;
    return curl_easy_getinfo(c, CURLINFO_APPCONNECT_TIME_T, &us) == CURLE_OK && us > 0;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x | 0x20) == (y | 0x20);
           });
}

void writeNoLinkServer(std::span<uint8_t> output) {
    std::array<uint8_t, kNoLinkServer.size() + 1> text{};
    std::memcpy(text.data(), kNoLinkServer.data(), kNoLinkServer.size());
    std::copy_n(text.begin(), std::min(text.size(), output.size()), output.begin());
}

}  // namespace

CHttpClient::CHttpClient() = default;

CHttpClient::CHttpClient(HttpClientSettings settings) : m_settings(std::move(settings)) {}

void CHttpClient::fail(uint32_t code, std::string text) {
    m_lastError = code;
    m_lastErrorText = std::move(text);
}

int CHttpClient::HttpRequest(std::string_view method, std::string_view url,
                             std::span<const uint8_t> body, std::span<uint8_t> output,
                             bool useProxy, const StopEvent* stop) {
    m_lastStatus = 0;
    output = output.first(std::min<size_t>(output.size(), INT_MAX));
    if (url.empty()) {
        fail(http_error::kEmptyUrl, "no URL");
        return -1;
    }
    const bool post = equalsNoCase(method, "POST");
    if (!post && !equalsNoCase(method, "GET")) {
        fail(http_error::kBadMethod, "method must be GET or POST");
        return -1;
    }
    initCurlOnce();
    const EasyHandle easy(curl_easy_init());
    const MultiHandle multi(curl_multi_init());
    if (!easy || !multi) {
        fail(CURLE_FAILED_INIT, "the HTTP library could not be initialised");
        return -1;
    }
    CURL* c = easy.get();
    const std::string urlText(url);
    std::array<char, CURL_ERROR_SIZE> detail{};
    Transfer transfer{output, 0, false, stop};

    curl_easy_setopt(c, CURLOPT_URL, urlText.c_str());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, detail.data());
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    // HTTPS only, verified, and never somewhere else than asked.
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(c, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    if (!m_settings.caFile.empty()) {
        curl_easy_setopt(c, CURLOPT_CAINFO, m_settings.caFile.c_str());
        curl_easy_setopt(c, CURLOPT_CAPATH, nullptr);
    }
    // Time-outs: connection set-up and the whole request here; silence in either direction is
    // watched by the transfer loop below.
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_settings.connectTimeoutMs));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(m_settings.totalTimeoutMs));
    curl_easy_setopt(c, CURLOPT_USERAGENT, m_settings.userAgent.c_str());

    // libcurl writes Content-Length itself; "Expect:" keeps it from waiting for a 100 answer.
    curl_slist* list = nullptr;
    if (post) list = curl_slist_append(list, "Content-Type: application/x-www-form-urlencoded");
    list = curl_slist_append(list, "Accept: application/prs.Zelvo.v1+json");
    list = curl_slist_append(list, "Expect:");
    const HeaderList headers(list);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    if (post) {
        curl_easy_setopt(c, CURLOPT_POST, 1L);
        static constexpr char kNoBody[] = "";
        const void* fields = body.empty() ? static_cast<const void*>(kNoBody) : body.data();
        curl_easy_setopt(c, CURLOPT_POSTFIELDS, fields);
        curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    } else {
        curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    }
    if (useProxy && !m_settings.proxyName.empty()) {
        curl_easy_setopt(c, CURLOPT_PROXY, m_settings.proxyName.c_str());
        if (!m_settings.proxyUserName.empty())
            curl_easy_setopt(c, CURLOPT_PROXYUSERNAME, m_settings.proxyUserName.c_str());
        if (!m_settings.proxyPassword.empty())
            curl_easy_setopt(c, CURLOPT_PROXYPASSWORD, m_settings.proxyPassword.c_str());
    }
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);

    const std::chrono::milliseconds idleLimit(
        std::max(m_settings.sendTimeoutMs, m_settings.receiveTimeoutMs));
    CURLcode result = CURLE_OK;
    bool cancelled = false;
    bool idle = false;
    {
        const Attached attached(multi.get(), c);
        if (!attached.ok()) {
            fail(CURLE_FAILED_INIT, "the HTTP library could not start the request");
            return -1;
        }
        curl_waitfd stopFd{};
        if (stop) {
            stopFd.fd = stop->fd();
            stopFd.events = CURL_WAIT_POLLIN;
        }
        bool wasConnected = false;
        int running = 1;
        bool loopFailed = false;
        while (!loopFailed) {
            loopFailed = curl_multi_perform(multi.get(), &running) != CURLM_OK;
            if (loopFailed || running == 0) break;
            if (stop && stop->isSet()) {
                cancelled = true;
                break;
            }
            // Silence counts from the moment the connection stands.
            int waitMs = kMaxWaitMs;
            if (idleLimit.count() > 0 && (wasConnected || connected(c))) {
                if (!wasConnected) transfer.lastActivity = Clock::now();
                wasConnected = true;
                const auto left = idleLimit - std::chrono::duration_cast<std::chrono::milliseconds>(
                                                  Clock::now() - transfer.lastActivity);
                if (left.count() <= 0) {
                    idle = true;
                    break;
                }
                waitMs = static_cast<int>(std::min<int64_t>(left.count(), kMaxWaitMs));
            }
            loopFailed = curl_multi_poll(multi.get(), stop ? &stopFd : nullptr, stop ? 1u : 0u,
                                         waitMs, nullptr) != CURLM_OK;
        }
        if (loopFailed) result = CURLE_FAILED_INIT;
        int left = 0;
        while (CURLMsg* m = curl_multi_info_read(multi.get(), &left))
            if (m->msg == CURLMSG_DONE) result = m->data.result;
    }

    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    m_lastStatus = status;
    if (cancelled || result == CURLE_ABORTED_BY_CALLBACK) {
        fail(http_error::kCancelled, "cancelled");
    } else if (idle) {
        fail(CURLE_OPERATION_TIMEDOUT,
             "the server sent nothing for " + std::to_string(idleLimit.count()) + " ms");
    } else if (result != CURLE_OK && !(result == CURLE_WRITE_ERROR && transfer.cut)) {
        fail(static_cast<uint32_t>(result), detail[0] ? detail.data() : curl_easy_strerror(result));
    } else if (status < 200 || status > 299) {
        fail(static_cast<uint32_t>(status), "HTTP status " + std::to_string(status));
    } else {
        m_lastError = 0;
        m_lastErrorText.clear();
        dbgOutf("update request %s: %zu bytes%s\n", urlText.c_str(), transfer.stored,
                transfer.cut ? " (cut)" : "");
        return static_cast<int>(transfer.stored);
    }
    dbgOutf("update request %s failed: %u %s\n", urlText.c_str(), m_lastError,
            m_lastErrorText.c_str());
    writeNoLinkServer(output);
    return 0;
}

}  // namespace md
