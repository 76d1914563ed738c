#include "online/update_check.h"

#include <cstring>

#include "common/stop_event.h"
#include "online/update_request.h"
#include "online/update_time_file.h"

namespace md {
namespace {

bool isStopped(const StopEvent* stop) {
    return stop && stop->isSet();
}

}  // namespace

UpdateInfo CheckForUpdate(const UpdateEntry& entry, CHttpClient& client,
                          const std::string& serviceUrl, const StopEvent* stop) {
    const std::string body = updateRequestBody(entry);
    // The terminating zero byte goes with the body, as the service has always received it.
    const std::span<const uint8_t> bodyBytes(reinterpret_cast<const uint8_t*>(body.c_str()),
                                             body.size() + 1);
    std::vector<uint8_t> answer(kUpdateAnswerBytes);
    const int n =
        client.HttpRequest("POST", updateServiceUrl(serviceUrl), bodyBytes, answer, false, stop);
    if (n < 0 || (n == 0 && client.LastError() != 0)) return localUpdateInfo(entry);
    return parseUpdateAnswer(
        std::string_view(reinterpret_cast<const char*>(answer.data()), static_cast<size_t>(n)),
        entry);
}

int overallUpdateStatus(const std::vector<UpdateInfo>& infos) {
    bool allAnswered = true;
    for (const UpdateInfo& info : infos) {
        if (info.status != update_row::kUpdated && info.status != update_row::kNoUpdate)
            return update_status::kUpdatesFound;
        allAnswered = allAnswered && info.answered;
    }
    return allAnswered ? update_status::kUpToDate : update_status::kNoAnswer;
}

UpdateCheckResult runUpdateCheck(const UpdateCheckJob& job, UpdateCheckSink* sink,
                                 const StopEvent* stop) {
    UpdateCheckResult result;
    if (job.serviceUrl.empty()) {
        for (size_t i = 0; i < job.entries.size(); ++i) {
            result.infos.push_back(localUpdateInfo(job.entries[i]));
            if (sink) sink->rowChecked(i, result.infos.back());
        }
        result.status = update_status::kNoService;
        if (sink) sink->finished(result.status);
        return result;
    }
    CHttpClient client(job.http);
    bool dated = false;
    for (size_t i = 0; i < job.entries.size(); ++i) {
        UpdateInfo info = CheckForUpdate(job.entries[i], client, job.serviceUrl, stop);
        // A request ended by the stop is no answer of the service: nothing more is reported.
        if (isStopped(stop)) {
            result.stopped = true;
            return result;
        }
        if (info.answered && !dated && !job.timeFile.empty()) {
            dated = writeLastCheckDate(job.timeFile, todayDateText());
        }
        if (!info.answered && result.problem.empty()) {
            result.problem = client.LastError() != 0 ? client.LastErrorText()
                                                     : std::string("the answer is no JSON object");
        }
        result.infos.push_back(std::move(info));
        if (sink) sink->rowChecked(i, result.infos.back());
    }
    result.status = overallUpdateStatus(result.infos);
    if (sink) sink->finished(result.status);
    return result;
}

}  // namespace md
