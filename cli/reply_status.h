#pragma once
// Unlike the desktop tool's pages, the command-line tool says when the panel did not answer.

namespace cli {

// kExitNoAnswer, after lines on stderr that count the requests since the port was opened that
// got no complete reply and name each (operation, bank, start, count); kExitOk when there was
// none. Every verb asks once its requests are done, before it prints or writes anything.
int ReplyStatus();
// kExitNoAnswer, after a line on stderr, when the panel's link register (11/239) read 0: the
// main window's sign of a connection that does not work, although the reply was complete.
int LinkStatus(bool panelAnswers);

}  // namespace cli
