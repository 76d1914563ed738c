// The update check and the update-check verb against a TLS server on the loopback interface.
#include <gtest/gtest.h>
#include <json/json.h>

#include <sstream>
#include <thread>

#include "cli/cli_context.h"
#include "common/stop_event.h"
#include "online/proxy_free_env.h"
#include "online/tls_test_server.h"
#include "online/update_check.h"
#include "online/update_request.h"
#include "online/update_test_entries.h"
#include "online/update_time_file.h"
#include "profiles/app_paths.h"
#include "profiles/temp_folder.h"

namespace md {
namespace {

using namespace std::chrono_literals;
using test::CannedResponse;
using test::CapturedRequest;
using test::TlsTestServer;

// Answers by the application key of the request.
TlsTestServer::Handler answersByKey(std::map<std::string, CannedResponse> answers) {
    return [answers = std::move(answers)](const CapturedRequest& r) {
        for (const auto& [key, response] : answers)
            if (r.body.find("app_key=" + key + "&") == 0) return response;
        return CannedResponse{200, "{}", {}, false};
    };
}

struct Recorder : UpdateCheckSink {
    std::vector<std::pair<size_t, UpdateInfo>> rows;
    std::vector<int> finishedWith;
    void rowChecked(size_t index, const UpdateInfo& info) override {
        rows.emplace_back(index, info);
    }
    void finished(int status) override { finishedWith.push_back(status); }
};

class UpdateServiceTest : public ::testing::Test {
  protected:
    UpdateCheckJob job(const TlsTestServer& server) {
        UpdateCheckJob j;
        j.entries = test::sampleVersionList();
        j.serviceUrl = server.baseUrl();
        j.http.caFile = TlsTestServer::caFile();
        j.timeFile = dir.path() + kUpdateTimeFileName;
        return j;
    }
    test::ProxyFreeEnv noProxy;
    test::TempFolder dir;
};

TEST_F(UpdateServiceTest, NewerFirmwareIsFoundAndEveryEntryAsked) {
    TlsTestServer server;
    server.setHandler(
        answersByKey({{"ZELVO_2_MOUSE_FW_1",
                       {200, R"({"version":"0103","path":"https://d/m.bin"})", {}, false}}}));
    Recorder rec;
    const UpdateCheckResult r = runUpdateCheck(job(server), &rec, nullptr);
    EXPECT_EQ(r.status, update_status::kUpdatesFound);
    EXPECT_EQ(rec.finishedWith, std::vector<int>{update_status::kUpdatesFound});
    ASSERT_EQ(rec.rows.size(), 3u);
    EXPECT_EQ(rec.rows[0].second.status, update_row::kNeedUpdate);
    EXPECT_EQ(rec.rows[0].second.latestVersionText, "V0103");
    EXPECT_EQ(rec.rows[0].second.downloadPath, "https://d/m.bin");
    EXPECT_EQ(rec.rows[1].second.status, update_row::kUpdated);
    EXPECT_EQ(rec.rows[2].second.name, "AP");

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].target, "/api/updates");
    EXPECT_EQ(requests[0].body, std::string("app_key=ZELVO_2_MOUSE_FW_1&version=102\0", 39));
    EXPECT_EQ(requests[1].body, std::string("app_key=ZELVO_7_HS6533_FW_1&version=103\0", 40));
    EXPECT_EQ(requests[2].body, std::string("app_key=ZELVO_0_APP_ALL_1&version=2302\0", 39));
    EXPECT_EQ(readLastCheckDate(dir.path() + kUpdateTimeFileName), todayDateText());
}

// The overall status for the ways the service can answer.
TEST_F(UpdateServiceTest, StatusFollowsWhatTheServiceAnswered) {
    const std::string tooLong =
        R"({"version":"0103","pad":")" + std::string(kUpdateAnswerBytes, 'x') + R"("})";
    const struct {
        const char* what;
        std::map<std::string, CannedResponse> answers;
        int status;
        int answered;
    } cases[] = {
        {"nothing newer", {}, update_status::kUpToDate, 3},
        {"empty answers", {{"ZELVO", {200, "", {}, false}}}, update_status::kUpToDate, 3},
        {"one entry fails",
         {{"ZELVO_7_HS6533_FW_1", {503, "", {}, false}}},
         update_status::kNoAnswer,
         2},
        {"wrong-typed answer",
         {{"ZELVO_2_MOUSE_FW_1", {200, R"({"version":["0103"],"device_id":"x"})", {}, false}}},
         update_status::kUpToDate,
         3},
        {"an HTML page",
         {{"ZELVO_0_APP", {200, "<html></html>", {}, false}}},
         update_status::kNoAnswer,
         2},
        {"an answer longer than the buffer",
         {{"ZELVO_2_MOUSE_FW_1", {200, tooLong, {}, false}}},
         update_status::kNoAnswer,
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TlsTestServer server;
        // Keys are matched by prefix.
        server.setHandler([answers = c.answers](const CapturedRequest& r) {
            for (const auto& [key, response] : answers)
                if (r.body.rfind("app_key=" + key, 0) == 0) return response;
            return CannedResponse{200, "{}", {}, false};
        });
        const UpdateCheckResult r = runUpdateCheck(job(server), nullptr, nullptr);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(std::count_if(r.infos.begin(), r.infos.end(),
                                [](const UpdateInfo& i) { return i.answered; }),
                  c.answered);
        for (const UpdateInfo& i : r.infos) EXPECT_EQ(i.status, update_row::kUpdated);
        EXPECT_EQ(r.problem.empty(), c.answered == 3);
    }
}

TEST_F(UpdateServiceTest, UnreachableOrUnconfiguredServiceAsksNothing) {
    UpdateCheckJob j;
    j.entries = test::sampleVersionList();
    j.http.caFile = TlsTestServer::caFile();
    j.timeFile = dir.path() + kUpdateTimeFileName;
    Recorder rec;
    UpdateCheckResult r = runUpdateCheck(j, &rec, nullptr);
    EXPECT_EQ(r.status, update_status::kNoService);
    EXPECT_EQ(rec.rows.size(), 3u);
    EXPECT_EQ(rec.finishedWith, std::vector<int>{update_status::kNoService});

    {
        TlsTestServer server(test::ServerCert::Expired);
        j.serviceUrl = server.baseUrl();
        r = runUpdateCheck(j, nullptr, nullptr);
        EXPECT_EQ(r.status, update_status::kNoAnswer);
        EXPECT_FALSE(r.problem.empty());
        EXPECT_TRUE(server.requests().empty());
    }
    EXPECT_EQ(readLastCheckDate(j.timeFile), "");  // no answer, no check date
}

TEST_F(UpdateServiceTest, StopEndsAStalledCheckWithoutAResult) {
    TlsTestServer server;
    server.respond(CannedResponse{200, "", {}, true});
    Recorder rec;
    StopEvent stop;
    UpdateCheckResult r;
    std::thread worker([&] { r = runUpdateCheck(job(server), &rec, &stop); });
    ASSERT_TRUE(server.waitForRequests(1, 10s));
    stop.set();
    worker.join();
    EXPECT_TRUE(r.stopped);
    EXPECT_TRUE(rec.rows.empty());
    EXPECT_TRUE(rec.finishedWith.empty());
    EXPECT_EQ(server.requests().size(), 1u);
}

// The shipped data folder of the source tree and a private data root, for one test.
struct PathOverrides {
    explicit PathOverrides(const std::string& dataRoot) {
        AppPaths::setApplicationFolder(MD_SOURCE_DIR "/");
        AppPaths::setDataRoot(dataRoot);
    }
    ~PathOverrides() {
        AppPaths::setApplicationFolder("");
        AppPaths::setDataRoot("");
    }
};

// The verb with the shipped version list, against the loopback service.
TEST_F(UpdateServiceTest, UpdateCheckVerbReportsTheServicesAnswer) {
    const PathOverrides paths(dir.path() + "data");
    TlsTestServer server;
    server.setHandler(answersByKey(
        {{"ZELVO_2_MOUSE_FW_1", {200, R"({"version":"0103","name":"Gaming Mouse"})", {}, false}}}));
    const std::vector<std::string> base = {"update-check", "--service", server.baseUrl(),
                                           "--ca-file", TlsTestServer::caFile()};
    std::ostringstream out, err;
    EXPECT_EQ(cli::runCli(base, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("Gaming Mouse"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("V0103"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("updates available"), std::string::npos) << out.str();

    std::vector<std::string> json = base;
    json.push_back("--json");
    std::ostringstream js;
    ASSERT_EQ(cli::runCli(json, js, err), 0) << err.str();
    Json::Value v;
    std::istringstream in(js.str());
    Json::CharReaderBuilder rb;
    std::string errs;
    ASSERT_TRUE(Json::parseFromStream(rb, in, &v, &errs)) << errs;
    EXPECT_EQ(v["status"].asInt(), update_status::kUpdatesFound);
    EXPECT_EQ(v["statusText"].asString(), "updates-available");
    ASSERT_EQ(v["entries"].size(), 4u);
    EXPECT_TRUE(v["entries"][0]["updateAvailable"].asBool());
    EXPECT_EQ(v["entries"][0]["latest"].asString(), "V0103");
    EXPECT_EQ(v["entries"][3]["type"].asString(), "ALL");
    EXPECT_EQ(v["entries"][3]["current"].asString(), "2.3.0.2");
    EXPECT_EQ(server.requests().size(), 8u);

    // Up to date: exit 0 with the date; no answer: exit 1; bad arguments: exit 2.
    server.respond(CannedResponse{200, "{}", {}, false});
    std::ostringstream upToDate;
    EXPECT_EQ(cli::runCli(base, upToDate, err), 0);
    EXPECT_NE(upToDate.str().find("up to date (checked " + todayDateText() + ")"),
              std::string::npos)
        << upToDate.str();
    std::ostringstream refused, refusedErr;
    EXPECT_EQ(cli::runCli({"update-check", "--service", server.baseUrl()}, refused, refusedErr), 1);
    EXPECT_NE(refused.str().find("could not be asked"), std::string::npos) << refused.str();
    EXPECT_EQ(cli::runCli({"update-check", "--service", "http://localhost/"}, out, err), 2);
    EXPECT_EQ(cli::runCli({"update-check", "extra"}, out, err), 2);
}

}  // namespace
}  // namespace md
