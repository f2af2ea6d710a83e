#include "frmVelox.hpp"

#include "dialogs.hpp"
#include "keys.hpp"
#include "layout.hpp"
#include "list_dialog_view.hpp"
#include "texts.hpp"
#include "utf16.hpp"

#include <shellapi.h>
#include <utility>
#include <vector>
#include <windowsx.h>

namespace garagon::win32 {
namespace {

constexpr const wchar_t* windowClassName = L"frmVelox";
constexpr int iconId = 1;
constexpr UINT openDropped = WM_APP;

void registerWindowClass(WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = windowClassName;
    windowClass.hIcon = static_cast<HICON>(LoadImageW(
        windowClass.hInstance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(
        windowClass.hInstance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    RegisterClassExW(&windowClass); // a second window finds the class already there
}

} // namespace

frmVelox::frmVelox(SessionBlock sessionBlock)
    : HandleControls(layouts::window), sessionBlock_(sessionBlock) {
    registerWindowClass(&frmVelox::windowProcedure);
    window_ = CreateWindowExW(0, windowClassName, utf16(rules_.title()).c_str(),
                              WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    makeAll(window_);
    SendMessageW(control(rules_.checkedOption()), BM_SETCHECK, BST_CHECKED, 0);
    DragAcceptFiles(window_, TRUE);
    // Run as administrator, the window would not hear Explorer's drop otherwise: Windows
    // keeps a less privileged program's messages from it.
    constexpr UINT copyGlobalData = 0x0049;
    for (const UINT message : {UINT(WM_DROPFILES), UINT(WM_COPYDATA), copyGlobalData}) {
        ChangeWindowMessageFilterEx(window_, message, MSGFLT_ALLOW, nullptr);
    }
    addCommands();
}

frmVelox::~frmVelox() {
    DestroyWindow(window_);
    DestroyMenu(contextMenu_);
}

LRESULT CALLBACK frmVelox::windowProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<frmVelox*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<frmVelox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT frmVelox::handle(UINT message, WPARAM w, LPARAM l) {
    if (answerAlike(message, w, l, rules_)) {
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(w) == BN_CLICKED && LOWORD(w) >= firstControlId) {
            rules_.click(static_cast<Control>(LOWORD(w) - firstControlId));
        }
        return 0;
    case WM_SYSCOMMAND:
        return runCommand(static_cast<UINT>(w & 0xFFF0)) ? 0
                                                         : DefWindowProcW(window_, message, w, l);
    case WM_CONTEXTMENU:
        return showContextMenu(reinterpret_cast<HWND>(w), l);
    case WM_DROPFILES:
        return onDropFiles(reinterpret_cast<HDROP>(w));
    case openDropped:
        openSavegame(std::exchange(dropped_, {}));
        return 0;
    case WM_CLOSE:
        closeWindow();
        return 0;
    case WM_QUERYENDSESSION:
        return sessionMayEnd();
    case WM_ENDSESSION:
        return sessionEnds(w != 0);
    case WM_ACTIVATE:
        return keepFocus(LOWORD(w) != WA_INACTIVE);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window_, message, w, l);
    }
}

// The commands in the system menu, as one-window programs without a menu bar offer
// them, and in the context menu.
void frmVelox::addCommands() {
    HMENU system = GetSystemMenu(window_, FALSE);
    AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
    contextMenu_ = CreatePopupMenu();
    for (const auto& [command, caption] : menuEntries) {
        const std::wstring text = utf16(caption);
        AppendMenuW(system, MF_STRING, menuId(command), text.c_str());
        AppendMenuW(contextMenu_, MF_STRING, menuId(command), text.c_str());
    }
}

// Asked before the session ends: while the question is open, and after a refusal, Windows
// shows why the program holds the session up.
bool frmVelox::sessionMayEnd() {
    const auto reason = rules_.sessionEndWaitsFor();
    if (!reason) {
        return true;
    }
    sessionBlock_.create(window_, utf16(*reason).c_str());
    if (rules_.mayEndSession()) {
        sessionBlock_.destroy(window_);
        return true;
    }
    // Why it waits now: the question, if one was open, has been answered.
    if (const auto now = rules_.sessionEndWaitsFor()) {
        sessionBlock_.create(window_, utf16(*now).c_str());
    }
    return false;
}

LRESULT frmVelox::sessionEnds(bool ends) {
    if (ends) {
        DestroyWindow(window_);
    } else {
        sessionBlock_.destroy(window_); // the session goes on
    }
    return 0;
}

void frmVelox::closeWindow() {
    if (rules_.mayDropChanges()) {
        DestroyWindow(window_);
    }
}

bool frmVelox::runCommand(UINT id) {
    for (const auto& entry : menuEntries) {
        if (menuId(entry.command) == id) {
            rules_.run(entry.command);
            return true;
        }
    }
    return false;
}

void frmVelox::showContextMenu() {
    showContextMenu(GetFocus(), -1);
}

// From the keyboard (where is -1) the menu opens below the control with the focus.
LRESULT frmVelox::showContextMenu(HWND at, LPARAM where) {
    POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (where == -1) {
        RECT box{};
        GetWindowRect(at != nullptr ? at : window_, &box);
        point = {box.left, box.bottom};
    }
    runCommand(static_cast<UINT>(TrackPopupMenu(contextMenu_, TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                point.x, point.y, 0, window_, nullptr)));
    return 0;
}

// The release of a shortcut's key is taken too: it would open the menu a second time, or
// the system menu.
bool frmVelox::takesShortcut(const MSG& message) {
    const bool down = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    const bool up = message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
    if ((!down && !up) || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) {
        return false;
    }
    const auto held = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
    for (const Shortcut& shortcut : shortcuts) {
        if (message.wParam == virtualKey(shortcut.key) && held(VK_CONTROL) == shortcut.control &&
            held(VK_SHIFT) == shortcut.shift && !held(VK_MENU)) {
            if (down) {
                rules_.run(shortcut.command);
            }
            return true;
        }
    }
    return false;
}

// One file, as Explorer drags it; anything else is not taken.
LRESULT frmVelox::onDropFiles(HDROP drop) {
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
        std::wstring name(DragQueryFileW(drop, 0, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, 0, name.data(), static_cast<UINT>(name.size())));
        dropped_ = name;
        PostMessageW(window_, openDropped, 0, 0);
    }
    DragFinish(drop);
    return 0;
}

// A plain window does not give the focus back to its control once a dialog or another
// window had it; this one does.
LRESULT frmVelox::keepFocus(bool active) {
    if (!active) {
        focused_ = GetFocus();
    } else if (focused_ != nullptr && IsChild(window_, focused_) && IsWindowEnabled(focused_)) {
        SetFocus(focused_);
    }
    return 0;
}

std::optional<std::filesystem::path> frmVelox::chooseSavegame() {
    return chooseFile(window_, lastFolder_);
}

void frmVelox::showMessage(const std::string& title, const std::string& text) {
    showMessageBox(window_, utf16(title), utf16(text));
}

std::optional<std::size_t> frmVelox::chooseRow(ListDialog& dialog) {
    return chooseFromList(window_, dialog);
}

SaveAnswer frmVelox::askToSave(const std::string& title, const std::string& text) {
    return askSaveQuestion(window_, utf16(title), utf16(text));
}

void frmVelox::setTitle(const std::string& title) {
    SetWindowTextW(window_, utf16(title).c_str());
}

void frmVelox::showCommand(Command command, bool offered, const std::string& caption) {
    const UINT state = MF_BYCOMMAND | (offered ? MF_ENABLED : MF_GRAYED);
    for (HMENU menu : {GetSystemMenu(window_, FALSE), contextMenu_}) {
        ModifyMenuW(menu, menuId(command), MF_BYCOMMAND | MF_STRING | state, menuId(command),
                    utf16(caption).c_str());
    }
}

} // namespace garagon::win32
