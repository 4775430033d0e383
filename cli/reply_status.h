#pragma once
// Unlike the desktop tool's pages, the command-line tool says when the panel did not answer.

namespace cli {

// kExitNoAnswer, after lines on stderr that count the requests since the port was opened that
// got no complete reply and name each (operation, bank, start, count); kExitOk when there was
// none. Every verb asks once its requests are done, before it prints or writes anything.
int ReplyStatus();

}  // namespace cli
