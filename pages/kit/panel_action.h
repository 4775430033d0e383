#pragma once
// The steps every page's panel actions share: the connection check, the record of whether a
// group's last read got every reply, and the end of a settings Set (store-only stop, the
// questions, the write).
#include <functional>
#include <string>

#include "pages/kit/user_prompts.h"
#include "protocol/register_block.h"

inline constexpr char kNotConnectedCaption[] = "NOT CONNECTED";
inline constexpr char kNotConnectedText[] = "PLEASE CHECK CONNECTION";
inline constexpr char kConfirmCaption[] = "CONFIRM SETTINGS";
inline constexpr char kIncompleteDataCaption[] = "INCOMPLETE DATA";
inline constexpr char kIncompleteDataText[] =
    "Some values on this page were not read from the panel and show 0.\nSend them anyway?";
inline constexpr char kNotImportedText[] = "Data Was not Imported";
inline constexpr char kNotImportedCaption[] = "NO FILE OPERATION DETECTED";

// Marks a user's panel action (a button, a menu command, a timer's refresh) for its duration.
// Actions nest; the shell opens one around everything the user starts.
class PanelActionScope {
  public:
    PanelActionScope();
    ~PanelActionScope();
    PanelActionScope(const PanelActionScope&) = delete;
    PanelActionScope& operator=(const PanelActionScope&) = delete;
};
// True while an action or a request runs. The window keeps painting and running its timers
// during long panel work; a timer that would start panel work then waits for its next turn.
bool PanelWorkInProgress();

// True when connected; otherwise shows the not-connected box and returns false.
bool RequireConnected(UserPrompts& prompts);

// Whether a group of a page holds what the panel sent: every request of the group's last read
// got a complete reply, or its values came from a configuration file. A page window made anew
// holds nothing read.
// Runs `read`; true when every request it made got its reply.
bool EveryReplyCame(const std::function<void()>& read);

class ReadRecord {
  public:
    // Reads with `read` (nothing in store-only mode, where the store holds a file's values) and
    // remembers whether every request got its reply.
    void ReadUnlessStoreOnly(const std::function<void()>& read);
    // Reads with `read` whatever the store-only flag says, for pages that never show a
    // configuration file's values, and remembers whether every request got its reply.
    void Read(const std::function<void()>& read);
    // The page window was made anew: nothing on it was read.
    void Forget() { complete_ = false; }
    bool Complete() const { return complete_; }

  private:
    bool complete_ = false;
};

enum class SetOutcome {
    kStoreOnly,     // the values went into the store only (configuration file)
    kNotConnected,  // after the not-connected box
    kKeptEdits,     // INCOMPLETE DATA answered No: nothing written, the edits stay on the page
    kDeclined,      // CONFIRM SETTINGS answered No: nothing written
    kWritten,
};

// The end of a settings Set, once the page has converted its controls into the store: stops in
// store-only mode; refuses without a connection; when the group's last read left values
// without a reply asks "INCOMPLETE DATA"; asks `question` under "CONFIRM SETTINGS"; on Yes
// runs `write` under the wait cursor. The page then reads back as its own rules say.
SetOutcome ConfirmAndWrite(UserPrompts& prompts, const std::string& question,
                           const ReadRecord& read, const std::function<void()>& write);
// The same, writing the first `blocks` blocks of `table`.
SetOutcome ConfirmAndWrite(UserPrompts& prompts, const std::string& question,
                           const ReadRecord& read, const RegisterBlock* table, int blocks);

// Only the INCOMPLETE DATA question, for Set actions that have their own order of steps: true
// when the group's values were all read or the user wants them sent anyway.
bool AcceptIncompleteData(UserPrompts& prompts, const ReadRecord& read);

// "View Imported Data": with a configuration file's values in the store (store-only mode)
// shows them with `show` as if connected; otherwise tells the user no file was imported.
void ViewImportedData(UserPrompts& prompts, const std::function<void()>& show);
