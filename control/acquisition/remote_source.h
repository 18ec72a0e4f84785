#pragma once
// A component source reached over the network (http or https): its last-modified time and
// its download into the cache.

#include <cstdint>
#include <functional>
#include <string>

#include "control/acquisition/modification_record.h"

namespace vessant {

struct TransferResult {
    enum Outcome {
        OK,
        BAD_ADDRESS,     // malformed, or a scheme that is not fetched over the network
        CONNECT_FAILED,  // no connection (refused, unknown host, timeout)
        HTTP_ERROR,      // the server answered with a status other than 2xx (see httpStatus)
        INCOMPLETE,      // the transfer ended before all announced data arrived, or stalled
        NO_TIME,         // the server sent no usable last-modified time
        ABORTED,         // the progress callback asked to stop
        LOCAL_ERROR,     // the destination could not be written
        FAILED           // any other transfer failure
    };
    Outcome outcome = FAILED;
    long httpStatus = 0;  // last status received, 0 when none
    std::string message;  // one line for logs, empty on success
    bool ok() const { return outcome == OK; }
};

class RemoteSource {
public:
    // Called as data arrives: bytes so far, total (0 when unknown), the status text (the
    // address). Returning false aborts the transfer (the control is closing).
    using ProgressCallback =
        std::function<bool(std::uint64_t progress, std::uint64_t progressMax, const std::string& statusText)>;

    explicit RemoteSource(std::string address);

    // Asks the server (HEAD) for the last-modified time; record is left unchanged on failure.
    // Writes the address and the time to standard output, or "Couldn't get query info on: "
    // (no answer, no time) or "Problem getting query info on: " (status not 2xx) + the address.
    TransferResult QueryModificationTime(ModificationRecord* record) const;

    // Downloads into destination through a temporary file renamed into place on success, so a
    // failed or aborted download leaves the destination as it was.
    TransferResult Download(const std::string& destination, const ProgressCallback& progress) const;

    // sprintf("Downloading ... %d%%\n%s\n", percent, statusText), percent = progress /
    // progressMax x 100 in single precision, truncated; "" when progressMax is 0.
    static std::string ProgressText(std::uint64_t progress, std::uint64_t progressMax, const std::string& statusText);

    const std::string& Address() const { return address_; }

    // Seconds before an unanswered connection or a stalled transfer is given up.
    void SetTimeouts(long connectSeconds, long stallSeconds);

private:
    std::string address_;
    long connectTimeout_ = 30;
    long stallTimeout_ = 60;
};

}  // namespace vessant
