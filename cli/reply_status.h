#pragma once
// Unlike the desktop tool's pages, the command-line tool says when the panel did not answer.

namespace cli {

// kExitNoAnswer, after a line on stderr, when any request since the port was opened got no
// complete reply; kExitOk otherwise. Every verb asks once its requests are done, before it
// prints or writes anything.
int ReplyStatus();
// kExitNoAnswer, after a line on stderr, when the panel's link register (11/239) read 0: the
// main window's sign of a connection that does not work, although the reply was complete.
int LinkStatus(bool panelAnswers);

}  // namespace cli
