// The scripted person of the host program's sheet: it acts through the platform's observers of
// modal sheets, dialogs and message boxes (the one place something outside the program may act in
// them), with the same messages a mouse and a keyboard send, so the library sees a person.
#include "tools/sheet_command.h"

#include "core/library/exports_gtf.h"
#include "drvtest/sixteen_bit_side.h"
#include "platform/commctl/property_sheet.h"
#include "platform/commctl/sheet_script.h"
#include "platform/user/modal_observer.h"
#include "platform/user/window_picture.h"
#include "tools/devmode_listing.h"

#include <commctrl.h>

#include <cctype>
#include <cstdio>
#include <deque>
#include <filesystem>

namespace {

constexpr DWORD kOpenSheet = 0x1002B;
constexpr DWORD kRequestAction = 8;

// A control's text as a person reads it: without "&", a closing ":" or "...", in lower case.
std::string Plain(std::string text) {
    std::string out;
    for (char c : text)
        if (c != '&') out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    while (!out.empty() && (out.back() == ':' || out.back() == '.' || out.back() == ' ')) out.pop_back();
    return out;
}

std::string ClassOf(HWND window) {
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The control a person means by `name`: its number, its own text, or the label before it.
HWND FindControl(HWND window, const std::string& name) {
    char* end = nullptr;
    const long id = std::strtol(name.c_str(), &end, 0);
    if (!name.empty() && *end == 0) return GetDlgItem(window, static_cast<int>(id));
    const std::string wanted = Plain(name);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (Plain(TextOf(child)) != wanted) continue;
        if (ClassOf(child) != "Static") return child;
        for (HWND next = GetWindow(child, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT))
            if (ClassOf(next) != "Static") return next;
    }
    return nullptr;
}

void ClickAt(HWND control, int x, int y) {
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    if (IsWindow(control)) SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

class Person {
public:
    Person(const std::vector<SheetStep>& steps, std::string folder) : steps_(steps), folder_(std::move(folder)) {
        sheetObserver_.sheetShown = [](HWND sheet, void* self) { static_cast<Person*>(self)->ActIn(sheet, true); };
        sheetObserver_.context = this;
        modalObserver_.dialogShown = [](HWND dialog, void* self) { static_cast<Person*>(self)->ActIn(dialog, false); };
        modalObserver_.messageBox = [](HWND, LPCSTR text, LPCSTR caption, UINT, void* self) {
            return static_cast<Person*>(self)->MessageBox(text, caption);
        };
        modalObserver_.context = this;
        previousSheet_ = commctl::SetSheetObserver(&sheetObserver_);
        previousModal_ = user::SetModalObserver(&modalObserver_);
    }
    ~Person() {
        commctl::SetSheetObserver(previousSheet_);
        user::SetModalObserver(previousModal_);
    }
    Person(const Person&) = delete;
    Person& operator=(const Person&) = delete;

    bool Failed() const { return failed_; }
    size_t LeftOver() const { return steps_.size() - next_; }
    bool SawSheet() const { return sawSheet_; }
    bool SawDialog() const { return sawDialog_; }

private:
    // Runs steps in the window until one ends it; a window the script leaves open is cancelled
    // by the system, as nothing else will act in it.
    void ActIn(HWND window, bool sheet) {
        sawSheet_ = sawSheet_ || sheet;
        sawDialog_ = sawDialog_ || !sheet;
        if (!sheet) std::printf("drvhost: dialog \"%s\"\n", TextOf(window).c_str());
        else std::printf("drvhost: sheet \"%s\", page \"%s\"\n", TextOf(window).c_str(), PageTitle(window).c_str());
        while (!failed_ && next_ < steps_.size()) {
            const SheetStep& step = steps_[next_++];
            if (!Do(window, sheet, step)) {
                std::fprintf(stderr, "drvhost: sheet script line %d: %s\n", step.line, why_.c_str());
                failed_ = true;
            } else if (step.kind == SheetStep::kOk || step.kind == SheetStep::kCancel) {
                return;
            }
        }
    }

    bool Fail(std::string why) {
        why_ = std::move(why);
        return false;
    }

    static HWND PageOf(HWND window, bool sheet) {
        return sheet ? reinterpret_cast<HWND>(SendMessageA(window, PSM_GETCURRENTPAGEHWND, 0, 0)) : window;
    }
    static HWND TabOf(HWND sheet) { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0)); }
    static std::string PageTitle(HWND sheet, int index = -1) {
        HWND tab = TabOf(sheet);
        if (index < 0) index = static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
        char text[128] = "";
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return text;
    }

    // The picture of the page or dialog as the script leaves it.
    void Picture(HWND window, bool sheet) {
        if (folder_.empty()) return;
        std::string name = sheet ? PageTitle(window) : TextOf(window);
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '-';
        char number[16];
        std::snprintf(number, sizeof number, "%02d-", ++pictures_);
        const std::string path = (std::filesystem::path(folder_) / (number + name + ".png")).string();
        if (user::SaveWindowPng(window, path.c_str())) std::printf("drvhost: picture %s\n", path.c_str());
        else std::fprintf(stderr, "drvhost: the picture %s could not be written\n", path.c_str());
    }

    bool Usable(HWND control, const std::string& name) {
        if (!control) return Fail("no control \"" + name + "\" here");
        if (!IsWindowVisible(control) || !IsWindowEnabled(control)) return Fail("\"" + name + "\" is not available");
        return true;
    }

    bool Do(HWND window, bool sheet, const SheetStep& step) {
        const std::string first = step.args.empty() ? std::string() : step.args[0];
        HWND page = PageOf(window, sheet);
        switch (step.kind) {
        case SheetStep::kPage: return SelectPage(window, sheet, first);
        case SheetStep::kAnswer: return Answer(first);
        case SheetStep::kOk:
        case SheetStep::kCancel:
        case SheetStep::kApply: {
            if (step.kind == SheetStep::kApply && !sheet) return Fail("a dialog has no Apply");
            if (step.kind != SheetStep::kApply) Picture(window, sheet);
            const int id = step.kind == SheetStep::kOk ? IDOK : step.kind == SheetStep::kCancel ? IDCANCEL : commctl::kApplyId;
            HWND button = GetDlgItem(window, id);
            if (!Usable(button, step.kind == SheetStep::kOk ? "OK" : step.kind == SheetStep::kCancel ? "Cancel" : "Apply"))
                return false;
            ClickAt(button, 1, 1);
            return true;
        }
        default: break;
        }
        HWND control = FindControl(page, first);
        if (!Usable(control, first)) return false;
        switch (step.kind) {
        case SheetStep::kClick: ClickAt(control, 1, 1); return true;
        case SheetStep::kCheck:
        case SheetStep::kUncheck: {
            const LRESULT wanted = step.kind == SheetStep::kCheck ? BST_CHECKED : BST_UNCHECKED;
            for (int i = 0; i < 3 && IsWindow(control) && SendMessageA(control, BM_GETCHECK, 0, 0) != wanted; ++i)
                ClickAt(control, 1, 1);
            return SendMessageA(control, BM_GETCHECK, 0, 0) == wanted || Fail("\"" + first + "\" does not change");
        }
        case SheetStep::kType: {
            ClickAt(control, 1, 1);
            SendMessageA(control, EM_SETSEL, 0, -1);
            if (step.args[1].empty()) SendMessageA(control, WM_CHAR, '\b', 0);
            for (char c : step.args[1])
                if (IsWindow(control)) SendMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 0);
            return true;
        }
        case SheetStep::kChoose: return Choose(control, first, step.args[1]);
        default: return Fail("not a step for a control");
        }
    }

    bool SelectPage(HWND window, bool sheet, const std::string& name) {
        if (!sheet) return Fail("pages are chosen in the sheet; this is the dialog \"" + TextOf(window) + "\"");
        HWND tab = TabOf(window);
        const int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
        int index = -1;
        for (int i = 0; i < count; ++i)
            if (Plain(PageTitle(window, i)) == Plain(name) || std::to_string(i + 1) == name) index = i;
        if (index < 0) return Fail("the sheet has no page \"" + name + "\"");
        Picture(window, true);
        RECT r;
        SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        ClickAt(tab, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        if (SendMessageA(tab, TCM_GETCURSEL, 0, 0) != index) return Fail("the page \"" + name + "\" does not open");
        std::printf("drvhost: page \"%s\"\n", PageTitle(window).c_str());
        return true;
    }

    bool Choose(HWND control, const std::string& name, const std::string& entry) {
        const bool combo = ClassOf(control) == "ComboBox";
        const LRESULT index = SendMessageA(control, combo ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT,
                                           static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
        if (index < 0) return Fail("\"" + name + "\" has no entry \"" + entry + "\"");
        // The entry is scrolled to the top of the list and clicked there, as a person would.
        SendMessageA(control, combo ? CB_SETTOPINDEX : LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
        if (!combo) {
            ClickAt(control, 1, 1);
            return true;
        }
        if (!SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0)) ClickAt(control, 1, 1);
        RECT field;
        GetWindowRect(control, &field);
        ClickAt(control, 1, field.bottom - field.top + 1);
        return true;
    }

    bool Answer(const std::string& word) {
        static const std::pair<const char*, int> kButtons[] = {
            {"ok", IDOK}, {"cancel", IDCANCEL}, {"yes", IDYES}, {"no", IDNO}, {"retry", IDRETRY}};
        for (const auto& [name, id] : kButtons)
            if (Plain(word) == name) {
                answers_.push_back(id);
                return true;
            }
        return Fail("no message-box button is called \"" + word + "\"");
    }

    int MessageBox(LPCSTR text, LPCSTR caption) {
        std::printf("drvhost: message box \"%s\": %s\n", caption ? caption : "", text ? text : "");
        if (answers_.empty()) return 0;  // the default button
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    const std::vector<SheetStep>& steps_;
    std::string folder_;
    size_t next_ = 0;
    bool failed_ = false;
    bool sawSheet_ = false;
    bool sawDialog_ = false;
    int pictures_ = 0;
    std::string why_;
    std::deque<int> answers_;
    commctl::SheetObserver sheetObserver_;
    user::ModalObserver modalObserver_;
    const commctl::SheetObserver* previousSheet_ = nullptr;
    const user::ModalObserver* previousModal_ = nullptr;
};

}  // namespace

namespace {

bool MakePictureFolder(const std::string& folder) {
    if (folder.empty()) return true;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) std::fprintf(stderr, "drvhost: the picture folder %s cannot be made\n", folder.c_str());
    return !error;
}

}  // namespace

int RunSheetScript(const Library& library, HANDLE session, std::vector<uint8_t>& settings,
                   const std::vector<SheetStep>& steps, const std::string& pictureFolder) {
    if (!MakePictureFolder(pictureFolder)) return 1;
    const std::vector<uint8_t> before = settings;
    uint32_t words[4] = {0, 0, 0, 0};
    LONG answer;
    bool failed, sawSheet;
    {
        Person person(steps, pictureFolder);
        answer = library.Send(session, settings, kRequestAction, kOpenSheet, words);
        failed = person.Failed();
        sawSheet = person.SawSheet();
        if (!failed && person.LeftOver()) {
            std::fprintf(stderr, "drvhost: %zu steps of the script were left: the sheet had closed\n", person.LeftOver());
            failed = true;
        }
    }
    std::printf("\ndrvhost: the sheet request answered %ld, the sheet's result %u (%s)\n", static_cast<long>(answer),
                words[1], words[1] == 1 ? "OK" : "nothing committed");
    if (!sawSheet) std::fprintf(stderr, "drvhost: no sheet was shown\n");
    if (ListDevmodeChanges(stdout, "before", before, "after the sheet", settings) == 0)
        std::printf("  (the device mode did not change)\n");
    return answer == 0 && sawSheet && !failed ? 0 : 1;
}

int RunDialogScript(HMODULE library, const char* printer, DWORD kind, const std::vector<SheetStep>& steps,
                    const std::string& pictureFolder) {
    if (!MakePictureFolder(pictureFolder)) return 1;
    const auto find = [library](const char* name) { return reinterpret_cast<void*>(GetProcAddress(library, name)); };
    const auto create = reinterpret_cast<decltype(&GTF_CreateUIDEVDATA)>(find("GTF_CreateUIDEVDATA"));
    const auto destroy = reinterpret_cast<decltype(&GTF_DeleteUIDEVDATA)>(find("GTF_DeleteUIDEVDATA"));
    const auto open = reinterpret_cast<decltype(&GTF_OpenDialog)>(find("GTF_OpenDialog"));
    if (!create || !destroy || !open) {
        std::fprintf(stderr, "drvhost: the library does not export the 16-bit driver's entries\n");
        return 1;
    }
    drvtest::SixteenBitSide side;
    const DWORD object = create(side.Text(printer ? printer : ""), 0, 0);
    if (!object) {
        std::fprintf(stderr, "drvhost: no device object for the printer\n");
        return 1;
    }
    LONG answer;
    bool failed, sawDialog;
    {
        Person person(steps, pictureFolder);
        answer = open(object, 0, kind, 0);
        failed = person.Failed();
        sawDialog = person.SawDialog();
        if (!failed && person.LeftOver()) {
            std::fprintf(stderr, "drvhost: %zu steps of the script were left: the dialog had closed\n", person.LeftOver());
            failed = true;
        }
    }
    destroy(object);
    std::printf("\ndrvhost: the dialog of kind %u answered %ld (%s)\n", kind, static_cast<long>(answer),
                answer == IDOK ? "OK: the settings are taken" : answer == 0 ? "not shown" : "nothing to take");
    return answer != 0 && sawDialog && !failed ? 0 : 1;
}
