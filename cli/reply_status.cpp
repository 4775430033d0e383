#include "cli/reply_status.h"

#include <cstdio>

#include "cli/port_session.h"
#include "cli/verb.h"
#include "protocol/requests.h"

namespace cli {

int ReplyStatus() {
    StopIfInterrupted();
    const RequestStats& totals = RequestTotals();
    if (totals.incompleteReplies == 0) {
        return kExitOk;
    }
    std::fprintf(stderr,
                 "voltscope-cli: the panel did not answer: %llu of %llu requests got no complete "
                 "reply (check the cable, baud rate, parity and address)\n",
                 static_cast<unsigned long long>(totals.incompleteReplies),
                 static_cast<unsigned long long>(totals.requests));
    for (const RequestRecord& request : FailedRequests()) {
        std::fprintf(stderr, "voltscope-cli: no complete reply to %s\n",
                     DescribeRequest(request).c_str());
    }
    if (totals.incompleteReplies > FailedRequests().size()) {
        std::fprintf(
            stderr, "voltscope-cli: and %llu more requests without a complete reply\n",
            static_cast<unsigned long long>(totals.incompleteReplies - FailedRequests().size()));
    }
    return kExitNoAnswer;
}

int LinkStatus(bool panelAnswers) {
    if (panelAnswers) {
        return kExitOk;
    }
    std::fputs(
        "voltscope-cli: the panel answered 0 in its link register (11/239): the "
        "connection does not work (check the cable and the settings); nothing was read "
        "or sent\n",
        stderr);
    return kExitNoAnswer;
}

}  // namespace cli
