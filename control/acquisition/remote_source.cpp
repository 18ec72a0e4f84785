#include "control/acquisition/remote_source.h"

#include <curl/curl.h>

#include <cstdio>
#include <mutex>

#include "orvan/staged_file.h"
#include "orvan/log_sink.h"

namespace vessant {
namespace {

// One transfer's handle and the header list it points at.
struct Request {
    CURL* easy = nullptr;
    curl_slist* headers = nullptr;
    Request() = default;
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;
    ~Request() {
        if (easy) curl_easy_cleanup(easy);
        curl_slist_free_all(headers);
    }
};

void InitialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Browsers send a space in a path as %20; the transfer layer refuses it raw.
std::string TransferAddress(const std::string& address) {
    std::string result;
    for (char c : address) {
        if (c == ' ')
            result += "%20";
        else
            result += c;
    }
    return result;
}

TransferResult Result(TransferResult::Outcome outcome, std::string message, long status = 0) {
    TransferResult result;
    result.outcome = outcome;
    result.message = std::move(message);
    result.httpStatus = status;
    return result;
}

// Checks the address and prepares a handle with the options every request shares.
TransferResult Prepare(const std::string& address, long connectTimeout, long stallTimeout, Request* request) {
    InitialiseCurlOnce();
    CURLU* url = curl_url();
    const CURLUcode parsed = curl_url_set(url, CURLUPART_URL, TransferAddress(address).c_str(), 0);
    char* scheme = nullptr;
    if (parsed == CURLUE_OK) curl_url_get(url, CURLUPART_SCHEME, &scheme, 0);
    const std::string schemeText = scheme ? scheme : "";
    curl_free(scheme);
    curl_url_cleanup(url);
    if (parsed != CURLUE_OK) return Result(TransferResult::BAD_ADDRESS, "Malformed address " + address);
    if (schemeText != "http" && schemeText != "https")
        return Result(TransferResult::BAD_ADDRESS, "Not a network address: " + address);

    request->easy = curl_easy_init();
    CURL* h = request->easy;
    if (!h) return Result(TransferResult::FAILED, "Cannot start a transfer");
    curl_easy_setopt(h, CURLOPT_URL, TransferAddress(address).c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    // Redirects may move to another server but never to a local file.
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, connectTimeout);
    // A server that stops sending is given up instead of hanging the control.
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, stallTimeout);
    // Always the newest version: no cached copy from a proxy.
    request->headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, request->headers);
    return Result(TransferResult::OK, "");
}

TransferResult FromCurlCode(CURLcode code, const std::string& address, long status) {
    const std::string what = std::string(curl_easy_strerror(code)) + ": " + address;
    switch (code) {
        case CURLE_OK: return Result(TransferResult::OK, "", status);
        case CURLE_URL_MALFORMAT:
        case CURLE_UNSUPPORTED_PROTOCOL: return Result(TransferResult::BAD_ADDRESS, what, status);
        case CURLE_COULDNT_CONNECT:
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY: return Result(TransferResult::CONNECT_FAILED, what, status);
        case CURLE_OPERATION_TIMEDOUT:
            return Result(status ? TransferResult::INCOMPLETE : TransferResult::CONNECT_FAILED, what, status);
        case CURLE_HTTP_RETURNED_ERROR:
            return Result(TransferResult::HTTP_ERROR, "HTTP status " + std::to_string(status) + ": " + address, status);
        case CURLE_PARTIAL_FILE:
        case CURLE_RECV_ERROR:
        case CURLE_GOT_NOTHING: return Result(TransferResult::INCOMPLETE, what, status);
        case CURLE_ABORTED_BY_CALLBACK: return Result(TransferResult::ABORTED, "Download aborted: " + address, status);
        case CURLE_WRITE_ERROR: return Result(TransferResult::LOCAL_ERROR, what, status);
        default: return Result(TransferResult::FAILED, what, status);
    }
}

struct DownloadState {
    orvan::StagedFile* file;
    std::string error;
    const RemoteSource::ProgressCallback* progress;
    const std::string* address;
};

size_t WriteToFile(char* data, size_t size, size_t count, void* user) {
    DownloadState* state = static_cast<DownloadState*>(user);
    const size_t bytes = size * count;
    // Returning less than given makes the transfer fail with a write error.
    return state->file->Write(data, bytes, &state->error) ? bytes : 0;
}

int ReportProgress(void* user, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t) {
    DownloadState* state = static_cast<DownloadState*>(user);
    if (!*state->progress) return 0;
    const bool go_on = (*state->progress)(static_cast<std::uint64_t>(now < 0 ? 0 : now),
                                          static_cast<std::uint64_t>(total < 0 ? 0 : total), *state->address);
    return go_on ? 0 : 1;
}

}  // namespace

RemoteSource::RemoteSource(std::string address) : address_(std::move(address)) {}

void RemoteSource::SetTimeouts(long connectSeconds, long stallSeconds) {
    connectTimeout_ = connectSeconds;
    stallTimeout_ = stallSeconds;
}

TransferResult RemoteSource::QueryModificationTime(ModificationRecord* record) const {
    Request request;
    TransferResult result = Prepare(address_, connectTimeout_, stallTimeout_, &request);
    long status = 0;
    curl_off_t fileTime = -1;
    if (result.ok()) {
        curl_easy_setopt(request.easy, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(request.easy, CURLOPT_FILETIME, 1L);
        const CURLcode code = curl_easy_perform(request.easy);
        curl_easy_getinfo(request.easy, CURLINFO_RESPONSE_CODE, &status);
        result = FromCurlCode(code, address_, status);
        if (result.ok() && (status < 200 || status > 299) && status != 0)
            result = Result(TransferResult::HTTP_ERROR, "HTTP status " + std::to_string(status) + ": " + address_,
                            status);
        if (result.ok()) curl_easy_getinfo(request.easy, CURLINFO_FILETIME_T, &fileTime);
        if (result.ok() && fileTime < 0)
            result = Result(TransferResult::NO_TIME, "No last-modified time: " + address_, status);
    }
    if (result.outcome == TransferResult::HTTP_ERROR) {
        orvan::LogText("Problem getting query info on: " + address_ + "\n");
    } else if (!result.ok()) {
        orvan::LogText("Couldn't get query info on: " + address_ + "\n");
    } else {
        *record = ModificationRecord::FromUnixTime(static_cast<std::time_t>(fileTime));
        orvan::LogText(address_ + "\n" + record->Text() + "\n");
    }
    return result;
}

TransferResult RemoteSource::Download(const std::string& destination, const ProgressCallback& progress) const {
    Request request;
    TransferResult result = Prepare(address_, connectTimeout_, stallTimeout_, &request);
    if (!result.ok()) return result;
    orvan::StagedFile file(destination);
    std::string error;
    if (!file.Open(&error)) return Result(TransferResult::LOCAL_ERROR, error);

    DownloadState state{&file, std::string(), &progress, &address_};
    CURL* h = request.easy;
    curl_easy_setopt(h, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(h, CURLOPT_BUFFERSIZE, 256L * 1024L);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, WriteToFile);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &state);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, ReportProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &state);
    const CURLcode code = curl_easy_perform(h);
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    result = FromCurlCode(code, address_, status);
    if (result.outcome == TransferResult::LOCAL_ERROR && !state.error.empty()) result.message = state.error;
    if (result.ok() && status != 0 && (status < 200 || status > 299))
        result = Result(TransferResult::HTTP_ERROR, "HTTP status " + std::to_string(status) + ": " + address_, status);
    if (result.ok() && !file.Commit(&error)) result = Result(TransferResult::LOCAL_ERROR, error, status);
    return result;
}

std::string RemoteSource::ProgressText(std::uint64_t progress, std::uint64_t progressMax,
                                       const std::string& statusText) {
    if (progressMax == 0) return std::string();
    const float ratio = static_cast<float>(progress) / static_cast<float>(progressMax);
    // A progress past its maximum must not overflow the conversion to int.
    const float scaled = ratio * 100.0f;
    const int percent = scaled < 1.0e9f ? static_cast<int>(scaled) : 1000000000;
    return "Downloading ... " + std::to_string(percent) + "%\n" + statusText + "\n";
}

}  // namespace vessant
