#pragma once

#include <string>

// The seam through which the core tells the user something: a modal box with
// the warning icon and the application name as caption. Texts are UTF-8.
// The viewer shows real boxes, the command-line tool prints, tests record.
class Messages {
public:
    virtual ~Messages() = default;
    // A box with an OK button; returns when the user has dismissed it.
    virtual void ShowMessage(const std::string& text) = 0;
    // A box with Yes and No buttons; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;

    // The messages between these two calls belong to one run, such as a card
    // scan: a box may offer to leave out the rest of the run's messages.
    virtual void BeginBatch() {}
    virtual void EndBatch() {}
};
