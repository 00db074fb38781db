#include "jobs/failurecause.h"

#include "jobs/jobtexts.h"

namespace korvan::jobs {

QString CauseOf(EndReason reason) {
    switch (reason) {
        case EndReason::TimedOut:
            return text::kCauseTimedOut;
        case EndReason::RetriesExhausted:
            return text::kCauseRetries;
        case EndReason::UnexpectedReply:
            return text::kCauseUnexpected;
        case EndReason::NoSteps:
            return text::kCauseNoSteps;
        case EndReason::NoData:
            return text::kCauseNoData;
        case EndReason::PortWriteFailed:
            return text::kCausePortWrite;
        default:
            return {};
    }
}

}  // namespace korvan::jobs
