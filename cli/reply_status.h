#pragma once
// Unlike the desktop tool's pages, the command-line tool says when the panel did not answer.

namespace cli {

// kExitNoAnswer, after a line on stderr, when any request since the port was opened got no
// complete reply; kExitOk otherwise. Every verb asks once its requests are done, before it
// prints or writes anything.
int ReplyStatus();

}  // namespace cli
