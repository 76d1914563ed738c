#pragma once
// The update check: one request per entry of the version list, each answer turned into a record,
// and the overall status. Runs on the calling thread (the settings window's update worker, or
// the command-line tool); a stop event ends it at once.

#include <cstddef>
#include <string>
#include <vector>

#include "online/http_client.h"
#include "online/update_info.h"

namespace md {

class StopEvent;

// Buffer for one answer; a longer answer is cut.
inline constexpr size_t kUpdateAnswerBytes = 102400;

// Asks the service at serviceUrl (its base address) about entry: POST of the form body with
// its terminating zero byte, no explicit proxy.
UpdateInfo CheckForUpdate(const UpdateEntry& entry, CHttpClient& client,
                          const std::string& serviceUrl, const StopEvent* stop = nullptr);

// 1 when a row needs an update; otherwise 4 when every entry got an answer, else 2.
int overallUpdateStatus(const std::vector<UpdateInfo>& infos);

// Receives the results of a check on the checking thread.
class UpdateCheckSink {
  public:
    virtual ~UpdateCheckSink() = default;
    virtual void rowChecked(size_t index, const UpdateInfo& info) = 0;
    // The overall status; not called when the check was stopped.
    virtual void finished(int status) = 0;
};

struct UpdateCheckJob {
    std::vector<UpdateEntry> entries;
    std::string serviceUrl;  // base address; empty: no service configured, nothing is asked
    HttpClientSettings http;
    std::string timeFile;  // "updatetime.config" to date when an answer came; empty: none
};

struct UpdateCheckResult {
    std::vector<UpdateInfo> infos;  // one per entry asked
    int status = update_status::kNoService;
    bool stopped = false;
    // The client's last failure text, for people, when some entry got no answer.
    std::string problem;
};

// Runs the whole check. Without a service address the status is 5 and no request is sent.
UpdateCheckResult runUpdateCheck(const UpdateCheckJob& job, UpdateCheckSink* sink,
                                 const StopEvent* stop);

}  // namespace md
