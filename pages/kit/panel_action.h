#pragma once
// The steps every page's panel actions share: the connection check, the question before a write
// of values nobody gave, and the end of a settings Set (store-only stop, the questions, the
// write).
#include <functional>
#include <span>
#include <string>

#include "pages/kit/user_prompts.h"
#include "protocol/register_block.h"

inline constexpr char kNotConnectedCaption[] = "NOT CONNECTED";
inline constexpr char kNotConnectedText[] = "PLEASE CHECK CONNECTION";
inline constexpr char kConfirmCaption[] = "CONFIRM SETTINGS";
inline constexpr char kIncompleteDataCaption[] = "INCOMPLETE DATA";
inline constexpr char kIncompleteDataText[] =
    "Some values on this page were not read from the panel and show 0.\nSend them anyway?";
// A write or a read of a setting that went without the panel's reply: nothing is claimed.
inline constexpr char kNoReplyCaption[] = "NO REPLY FROM PANEL";
inline constexpr char kNoReplyText[] =
    "The panel did not answer: it may not hold what was sent.\nCheck the connection and try "
    "again.";
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

// The progress window of work the user may cancel, for a scope: while it shows, a press of its
// Cancel stops the work after the request in flight (the requests after it are not sent and
// what they would have read counts as unread).
class CancellableProgress {
  public:
    CancellableProgress(UserPrompts& prompts, const std::string& title, const std::string& text,
                        int range);
    ~CancellableProgress();
    CancellableProgress(const CancellableProgress&) = delete;
    CancellableProgress& operator=(const CancellableProgress&) = delete;

    // Some work was cancelled since the window was made.
    bool Cancelled() const;

  private:
    UserPrompts& prompts_;
    unsigned long long cancelledBefore_;
    const CancellableProgress* outer_;
};

// The work under the progress window now showing was cancelled: no question about sending
// settings is asked any more (ConfirmAndWrite and AcceptIncompleteData say No).
bool WorkCancelled();

// Runs `read`; true when every request it made got its reply.
bool EveryReplyCame(const std::function<void()>& read);
// Runs `read` unless the store holds a configuration file's values (store-only mode), which a
// Get then shows as they are.
void ReadUnlessStoreOnly(const std::function<void()>& read);

enum class SetOutcome {
    kStoreOnly,     // the values went into the store only (configuration file)
    kNotConnected,  // after the not-connected box
    kKeptEdits,     // INCOMPLETE DATA answered No: nothing written, the edits stay on the page
    kDeclined,      // CONFIRM SETTINGS answered No: nothing written
    kWritten,
    kCancelled,  // the user cancelled the work this Set was part of: nothing asked or written
};

// The end of a settings Set, once the page has put its controls into the store: stops in
// store-only mode; refuses without a connection; when a register of `writes` holds no value
// given by the panel, a file or the user, asks "INCOMPLETE DATA"; asks `question` under
// "CONFIRM SETTINGS"; on Yes runs `write` under the wait cursor. The page then reads back as its
// own rules say.
SetOutcome ConfirmAndWrite(UserPrompts& prompts, const std::string& question,
                           std::span<const RegisterBlock> writes,
                           const std::function<void()>& write);
// The same, writing the first `blocks` blocks of `table`.
SetOutcome ConfirmAndWrite(UserPrompts& prompts, const std::string& question,
                           const RegisterBlock* table, int blocks);

// Only the INCOMPLETE DATA question, for writes that have their own order of steps: true when
// every register of `writes` is held or the user wants them sent anyway.
bool AcceptIncompleteData(UserPrompts& prompts, std::span<const RegisterBlock> writes);
// The first `blocks` blocks of `table`.
bool AcceptIncompleteData(UserPrompts& prompts, const RegisterBlock* table, int blocks);
// For values a page holds outside the store: true when `complete` or the user says Yes.
bool AcceptIncompleteRead(UserPrompts& prompts, bool complete);

// "View Imported Data": with a configuration file's values in the store (store-only mode)
// shows them with `show` as if connected; otherwise tells the user no file was imported.
void ViewImportedData(UserPrompts& prompts, const std::function<void()>& show);
