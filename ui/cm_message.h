// The message catalogue: every message box of the library is a row {text string, title string,
// message-box flags} found by message id. Subsystems register their rows; `CmMessage` holds the
// rows common to every page-description language, `Message` (this language's catalogue) its own
// rows first and the common ones after. The catalogue is the user data's message module.
#pragma once

#include "core/device/user_data.h"

#include <windows.h>

#include <cstddef>

struct MessageRow {
    UINT id;
    UINT textId;
    UINT titleId;
    UINT flags;  // MessageBoxA's type
};

// Which catalogue a table of rows belongs to.
enum MessageLayer { kCommonMessages, kPdlMessages };

// Adds a static table of rows (registering the same table again does nothing); answers false
// when the catalogue is full.
bool RegisterMessageRows(MessageLayer layer, const MessageRow* rows, std::size_t count);
void UnregisterMessageRows(const MessageRow* rows);

class CmMessage : public CmModule {
public:
    explicit CmMessage(UIDEVDATA* ctx) : ctx_(ctx) {}

    // The row of a message id; null when no subsystem registered one.
    virtual const MessageRow* FindRow(UINT id) const;

    // Tells the owner (page message code 200, the message id as first value), then shows the
    // message modal to it. Answers the button pressed (IDYES 6, IDNO 7, ...), 0 when the message
    // has no row or cannot be shown.
    int Show(HWND owner, UINT id);
    // The same with the argument in place of each "%s" of the text ("%%" shows one "%").
    int ShowWithArg(HWND owner, UINT id, LPCSTR argument);

protected:
    UIDEVDATA* Request() const { return ctx_; }

private:
    int ShowRow(HWND owner, UINT id, LPCSTR argument);

    UIDEVDATA* ctx_;
};

class Message : public CmMessage {
public:
    explicit Message(UIDEVDATA* ctx) : CmMessage(ctx) {}
    const MessageRow* FindRow(UINT id) const override;
};

// The user data's message module for a request: registers the factory of `Message`.
void RegisterMessageCatalogue();

// The message catalogue of a request's user data; null when it has none.
CmMessage* MessageCatalogue(UIDEVDATA* ctx);
