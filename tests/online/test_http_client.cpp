// The HTTPS client against a TLS server on the loopback interface.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "common/stop_event.h"
#include "online/http_client.h"
#include "online/proxy_free_env.h"
#include "online/tls_test_server.h"

namespace md {
namespace {

using namespace std::chrono_literals;
using test::CannedResponse;
using test::ServerCert;
using test::TlsTestServer;

std::span<const uint8_t> bytesOf(const std::string& s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

std::string textOf(const std::vector<uint8_t>& buf, int n) {
    return n <= 0 ? std::string() : std::string(reinterpret_cast<const char*>(buf.data()), n);
}

bool startsWithNoLink(const std::vector<uint8_t>& buf) {
    return std::string(reinterpret_cast<const char*>(buf.data())) == kNoLinkServer;
}

class HttpClientTest : public ::testing::Test {
  protected:
    CHttpClient trustingClient() {
        CHttpClient c;
        c.settings().caFile = TlsTestServer::caFile();
        return c;
    }
    test::ProxyFreeEnv noProxy;
};

TEST_F(HttpClientTest, PostsTheExactBodyAndHeadersOverVerifiedTls) {
    TlsTestServer server;
    ASSERT_TRUE(server.listening());
    server.respond(CannedResponse{200, R"({"version":"0103"})", {}, false});
    CHttpClient client = trustingClient();
    const std::string body("app_key=ZELVO_2_MOUSE_FW_1&version=102\0", 39);
    std::vector<uint8_t> out(1024);

    const auto t0 = std::chrono::steady_clock::now();
    const int n =
        client.HttpRequest("POST", server.baseUrl() + "api/updates", bytesOf(body), out, false);
    const auto ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0);
    std::cout << "[ figure ] one verified POST against loopback: " << ms.count() << " ms\n";

    EXPECT_EQ(textOf(out, n), R"({"version":"0103"})");
    EXPECT_EQ(client.LastError(), 0u) << client.LastErrorText();
    EXPECT_EQ(client.lastStatus(), 200);
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    const test::CapturedRequest& r = requests[0];
    EXPECT_EQ(r.method, "POST");
    EXPECT_EQ(r.target, "/api/updates");
    EXPECT_EQ(r.body, body);  // the terminating zero byte included
    EXPECT_EQ(r.count("content-length"), 1);
    EXPECT_EQ(r.header("content-length"), "39");
    EXPECT_EQ(r.count("content-type"), 1);
    EXPECT_EQ(r.header("content-type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(r.header("accept"), "application/prs.Zelvo.v1+json");
    EXPECT_EQ(r.header("user-agent"), "WinHTTP Client/1.0");
    EXPECT_EQ(r.count("expect"), 0);
}

TEST_F(HttpClientTest, MethodIsCheckedWithoutRegardToCase) {
    TlsTestServer server;
    CHttpClient client = trustingClient();
    std::vector<uint8_t> out(64);
    EXPECT_EQ(client.HttpRequest("post", server.baseUrl(), bytesOf("a=1"), out, false), 2);
    EXPECT_EQ(client.HttpRequest("get", server.baseUrl(), {}, out, false), 2);
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[1].method, "GET");
    EXPECT_EQ(requests[1].body, "");

    EXPECT_EQ(client.HttpRequest("PUT", server.baseUrl(), {}, out, false), -1);
    EXPECT_EQ(client.LastError(), http_error::kBadMethod);
    EXPECT_EQ(client.HttpRequest("POST", "", {}, out, false), -1);
    EXPECT_EQ(client.LastError(), http_error::kEmptyUrl);
    EXPECT_EQ(server.requests().size(), 2u);
}

// Every certificate the client must refuse: the request fails before anything is sent.
TEST_F(HttpClientTest, RefusesUntrustedExpiredAndWrongHostCertificates) {
    const struct {
        ServerCert cert;
        const char* what;
    } cases[] = {
        {ServerCert::UntrustedCa, "signed by an unknown CA"},
        {ServerCert::WrongHost, "issued for another host"},
        {ServerCert::Expired, "expired"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TlsTestServer server(c.cert);
        CHttpClient client = trustingClient();
        std::vector<uint8_t> out(64, 0xEE);
        EXPECT_EQ(client.HttpRequest("POST", server.baseUrl() + "api/updates", bytesOf("a=1"), out,
                                     false),
                  0);
        EXPECT_TRUE(startsWithNoLink(out));
        EXPECT_NE(client.LastError(), 0u);
        EXPECT_FALSE(client.LastErrorText().empty());
        EXPECT_TRUE(server.requests().empty());
    }
    // Without the test CA, the system store does not know the good certificate either.
    TlsTestServer server;
    CHttpClient client;
    std::vector<uint8_t> out(64);
    EXPECT_EQ(client.HttpRequest("GET", server.baseUrl(), {}, out, false), 0);
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(HttpClientTest, AnswerIsCutAtTheBuffersCapacity) {
    TlsTestServer server;
    const std::string big(100000, 'x');
    server.respond(CannedResponse{200, big, {}, false});
    CHttpClient client = trustingClient();
    std::vector<uint8_t> out(64);
    EXPECT_EQ(client.HttpRequest("POST", server.baseUrl(), bytesOf("a=1"), out, false), 64);
    EXPECT_EQ(textOf(out, 64), big.substr(0, 64));
    EXPECT_EQ(client.LastError(), 0u);
}

TEST_F(HttpClientTest, StatusOutsideSuccessAndRedirectsAreFailures) {
    const struct {
        int status;
        std::vector<std::string> headers;
    } cases[] = {
        {404, {}},
        {500, {}},
        {302, {"Location: https://localhost:1/elsewhere"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        TlsTestServer server;
        server.respond(CannedResponse{c.status, R"({"version":"9999"})", c.headers, false});
        CHttpClient client = trustingClient();
        std::vector<uint8_t> out(64);
        EXPECT_EQ(client.HttpRequest("POST", server.baseUrl(), bytesOf("a=1"), out, false), 0);
        EXPECT_TRUE(startsWithNoLink(out));
        EXPECT_EQ(client.LastError(), static_cast<uint32_t>(c.status));
        EXPECT_EQ(server.requests().size(), 1u);
    }
}

TEST_F(HttpClientTest, UnreachableServerAndPlainHttpGiveNoLinkServer) {
    // A port that was free a moment ago.
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len), 0);
    ::close(s);
    CHttpClient client = trustingClient();
    std::vector<uint8_t> out(64);
    const std::string closed = "https://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/";
    EXPECT_EQ(client.HttpRequest("POST", closed, bytesOf("a=1"), out, false), 0);
    EXPECT_TRUE(startsWithNoLink(out));
    EXPECT_NE(client.LastError(), 0u);

    TlsTestServer server;
    const std::string plain = "http://localhost:" + std::to_string(server.port()) + "/";
    std::vector<uint8_t> out2(8);  // smaller than the text: only what fits is written
    EXPECT_EQ(client.HttpRequest("POST", plain, bytesOf("a=1"), out2, false), 0);
    EXPECT_EQ(std::string(out2.begin(), out2.end()), "NO_LINK_");
    EXPECT_TRUE(server.requests().empty());
    EXPECT_EQ(server.failedHandshakes(), 0);
}

TEST_F(HttpClientTest, StallingServerIsCancelledAtOnce) {
    TlsTestServer server;
    server.respond(CannedResponse{200, "", {}, true});
    CHttpClient client = trustingClient();
    StopEvent stop;
    std::vector<uint8_t> out(64);
    int n = -2;
    std::chrono::steady_clock::time_point returned;
    std::thread worker([&] {
        n = client.HttpRequest("POST", server.baseUrl(), bytesOf("a=1"), out, false, &stop);
        returned = std::chrono::steady_clock::now();
    });
    ASSERT_TRUE(server.waitForRequests(1, 10s));
    const auto signalled = std::chrono::steady_clock::now();
    stop.set();
    worker.join();
    const auto latency = std::chrono::duration<double, std::milli>(returned - signalled);
    std::cout << "[ figure ] cancel latency of a stalled request: " << latency.count() << " ms\n";
    // The design bound is 500 ms; the check leaves room for a loaded machine.
    EXPECT_LT(latency, 2s);
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(startsWithNoLink(out));
    EXPECT_EQ(client.LastError(), http_error::kCancelled);
}

TEST_F(HttpClientTest, SilentServerEndsWithTheReceiveTimeOut) {
    TlsTestServer server;
    server.respond(CannedResponse{200, "", {}, true});
    CHttpClient client = trustingClient();
    client.settings().sendTimeoutMs = 1000;
    client.settings().receiveTimeoutMs = 1000;
    std::vector<uint8_t> out(64);
    EXPECT_EQ(client.HttpRequest("POST", server.baseUrl(), bytesOf("a=1"), out, false), 0);
    EXPECT_TRUE(startsWithNoLink(out));
    EXPECT_EQ(client.LastError(), 28u);  // libcurl's "operation timed out"
}

}  // namespace
}  // namespace md
