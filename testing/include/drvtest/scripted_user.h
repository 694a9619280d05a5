// The scripted user of tests (and of the host program): it answers modal dialogs and message boxes
// and pop-up menus as a person would, by reading what is shown and using the controls with the
// mouse and the keyboard. Product code never includes this header.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace user {
struct ModalObserver;
}

namespace drvtest {

struct MessageBoxSeen {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

// While it exists, it acts in the modal dialogs and message boxes of the thread that made it.
// Dialogs take the scripts in the order they open; a dialog with no script left, or one its script
// left open, gets Cancel. Message boxes take the answers in order; with none left, the default.
class ScriptedUser {
public:
    ScriptedUser();
    ~ScriptedUser();
    ScriptedUser(const ScriptedUser&) = delete;
    ScriptedUser& operator=(const ScriptedUser&) = delete;

    void OnDialog(std::function<void(HWND dialog)> script) { scripts_.push_back(std::move(script)); }
    void AnswerMessageBox(int button) { answers_.push_back(button); }
    // Pop-up menus take the commands in order; with none left, a menu closes without a choice.
    void ChooseMenuCommand(UINT id) { commands_.push_back(id); }

    int dialogsSeen() const { return dialogsSeen_; }
    const std::vector<MessageBoxSeen>& messageBoxes() const { return boxes_; }
    std::vector<std::string> messageTexts() const;  // the texts of the message boxes, in order

private:
    static void dialogShown(HWND dialog, void* self);
    static int messageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type, void* self);
    static UINT popupMenu(HMENU menu, HWND owner, void* self);

    std::deque<std::function<void(HWND)>> scripts_;
    std::deque<int> answers_;
    std::deque<UINT> commands_;
    std::vector<MessageBoxSeen> boxes_;
    int dialogsSeen_ = 0;
    std::unique_ptr<user::ModalObserver> observer_;
    const user::ModalObserver* previous_ = nullptr;
};

// What a person can do on a shown dialog. Each answers false when a person could not do it: the
// control is missing, hidden or disabled, or has no such entry.
bool Click(HWND dialog, int id);  // a mouse click on a button
bool PressOk(HWND dialog);        // the OK button, or Enter when there is none
bool PressCancel(HWND dialog);    // the Cancel button, or Escape when there is none
bool SetCheck(HWND dialog, int id, UINT state);  // clicks a check box until it shows the state
bool ChooseEntry(HWND dialog, int id, int index);  // opens a combo box's list and clicks the entry; clicks a list box's or list view's
bool ChooseEntryByText(HWND dialog, int id, const char* text);
bool Type(HWND dialog, int id, const char* text);  // selects the field's text and types over it
bool PressKey(HWND dialog, int id, UINT virtualKey);  // a key pressed on the control, through the dialog
std::string ReadText(HWND dialog, int id);
// The texts of a combo box's or list box's entries (a list view's first column), and of the
// selected one ("-" for none).
std::vector<std::string> ReadEntries(HWND dialog, int id);
std::string ReadSelectedEntry(HWND dialog, int id);
// The text of a list view's cell (column 0 is the row's label).
std::string ReadCell(HWND listView, int row, int column);

// The mouse over a window, at (x, y) of its client area: the pointer goes there (GetCursorPos
// answers it), then the window gets the messages the mouse makes. False when the window is gone.
bool MoveMouse(HWND window, int x, int y);
bool ClickMouse(HWND window, int x, int y);       // move, left button down, left button up
bool RightClickMouse(HWND window, int x, int y);  // move, right button down, right button up
// A drag with the left button from one point to another in `steps` moves; `keys` (MK_SHIFT,
// MK_CONTROL) are held through the whole drag.
bool DragMouse(HWND window, POINT from, POINT to, WPARAM keys = 0, int steps = 4);

}  // namespace drvtest
