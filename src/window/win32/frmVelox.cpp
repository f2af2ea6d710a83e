#include "frmVelox.hpp"

#include "dialogs.hpp"
#include "keys.hpp"
#include "list_dialog_view.hpp"
#include "list_text.hpp"
#include "texts.hpp"
#include "utf16.hpp"
#include "windows1252.hpp"

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

// Each kind's window class and style, in the order of ControlKind. The checked option
// alone is a tab stop: checking one moves the stop to it.
struct KindLook {
    const wchar_t* windowClass;
    DWORD style;
};
const KindLook looks[] = {
    {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP},
    {L"BUTTON", BS_AUTORADIOBUTTON},
    {L"BUTTON", BS_GROUPBOX},
    {L"STATIC", SS_LEFT | SS_NOPREFIX},
    {WC_LISTVIEWW, 0}, // made as every list is
    {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
};

// The first control, and the first option, each begin a group of the arrow keys.
DWORD groupStyle(const ControlLayout& placed) {
    const auto index = static_cast<std::size_t>(placed.control);
    const bool firstOption = placed.kind == ControlKind::Option &&
                             window_layout::controls[index - 1].kind != ControlKind::Option;
    return index == 0 || firstOption ? WS_GROUP : 0;
}

// In twips from the client area's corner; the selector's height takes in its dropped list.
Placed placeOf(const ControlLayout& placed) {
    const ControlLayout& container = window_layout::layoutOf(placed.container);
    const bool inFrame = placed.container != placed.control;
    const int dropped = placed.kind == ControlKind::Selector ? window_layout::droppedListHeight : 0;
    return {controlId(placed.control),
            placed.left + (inFrame ? container.left : 0),
            placed.top + (inFrame ? container.top : 0),
            placed.width,
            placed.height + dropped,
            placed.bold};
}

} // namespace

frmVelox::frmVelox(SessionBlock sessionBlock) : sessionBlock_(sessionBlock) {
    registerWindowClass(&frmVelox::windowProcedure);
    window_ = CreateWindowExW(0, windowClassName, utf16(rules_.title()).c_str(),
                              WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    createControls();
    layOut(GetDpiForWindow(window_));
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
    deleteFonts(fonts_);
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
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(w) == BN_CLICKED && LOWORD(w) >= firstControlId) {
            onClick(static_cast<Control>(LOWORD(w) - firstControlId));
        }
        return 0;
    case WM_NOTIFY:
        if (const auto* header = reinterpret_cast<NMHDR*>(l);
            static_cast<int>(header->idFrom) == controlId(Control::lvCars) &&
            header->code == LVN_GETDISPINFOW) {
            giveText(*reinterpret_cast<NMLVDISPINFOW*>(l),
                     [this](std::size_t row, int column) { return rules_.cellText(row, column); });
        }
        return 0;
    case WM_SYSCOMMAND:
        return runCommand(static_cast<UINT>(w & 0xFFF0)) ? 0
                                                         : DefWindowProcW(window_, message, w, l);
    case WM_CONTEXTMENU:
        showContextMenu(reinterpret_cast<HWND>(w), l);
        return 0;
    case WM_DROPFILES:
        onDropFiles(reinterpret_cast<HDROP>(w));
        return 0;
    case openDropped:
        openSavegame(std::exchange(dropped_, {}));
        return 0;
    case WM_CLOSE:
        close();
        return 0;
    case WM_QUERYENDSESSION:
        return sessionMayEnd();
    case WM_ENDSESSION:
        if (w) {
            DestroyWindow(window_);
        } else {
            sessionBlock_.destroy(window_); // the session goes on
        }
        return 0;
    case WM_ACTIVATE:
        keepFocus(LOWORD(w) != WA_INACTIVE);
        return 0;
    case WM_DPICHANGED:
        moveToSuggested(window_, l);
        layOut(HIWORD(w));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window_, message, w, l);
    }
}

void frmVelox::createControls() {
    for (const ControlLayout& placed : window_layout::controls) {
        const int id = controlId(placed.control);
        if (placed.kind == ControlKind::List) {
            makeList(window_, id, window_layout::columns, WS_BORDER);
        } else {
            const KindLook& look = looks[static_cast<std::size_t>(placed.kind)];
            makeControl(window_, look.windowClass, utf16(placed.caption),
                        look.style | groupStyle(placed), id);
        }
    }
    SendMessageW(control(rules_.checkedOption()), BM_SETCHECK, BST_CHECKED, 0);
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

void frmVelox::close() {
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

void frmVelox::showCarChoice(const CarChoice& choice) {
    ComboBox_SetCurSel(control(Control::cmbCars), choice.entry);
    SetFocus(control(choice.focus));
}

void frmVelox::showContextMenu() {
    showContextMenu(GetFocus(), -1);
}

// From the keyboard (where is -1) the menu opens below the control with the focus.
void frmVelox::showContextMenu(HWND at, LPARAM where) {
    POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (where == -1) {
        RECT box{};
        GetWindowRect(at != nullptr ? at : window_, &box);
        point = {box.left, box.bottom};
    }
    runCommand(static_cast<UINT>(TrackPopupMenu(contextMenu_, TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                point.x, point.y, 0, window_, nullptr)));
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

// Every position, size and font at the window's DPI: twips become pixels anew.
void frmVelox::layOut(UINT dpi) {
    std::vector<Placed> placed;
    for (const ControlLayout& control : window_layout::controls) {
        placed.push_back(placeOf(control));
    }
    placeControls(window_, placed, {window_layout::clientWidth, window_layout::clientHeight}, dpi,
                  fonts_);
    setColumnWidths(control(Control::lvCars), window_layout::columns, dpi);
}

bool frmVelox::Form_Load(LoadedCatalogue catalogue) {
    SetWindowTextW(control(Control::Label1), utf16(texts::Disclaimer).c_str());
    HideColumns();
    if (!rules_.Form_Load(std::move(catalogue))) {
        return false;
    }
    fillCarChoice();
    SetFocus(control(rules_.focusFrom(Control::cmdOpen)));
    return true;
}

// The columns that the list hides keep their data, at width 0.
void frmVelox::HideColumns() {
    for (std::size_t column = 0; column < window_layout::columns.size(); ++column) {
        if (!window_layout::columns[column].visible) {
            ListView_SetColumnWidth(control(Control::lvCars), static_cast<int>(column), 0);
        }
    }
}

// Storage for all names at once and no drawing until the last is in: each name then
// costs one copy, even for the largest catalogue. The names go to the selector's list
// itself, which holds them, and straight to its procedure: the selector would pass each
// one on, and sending a message costs as much again under Wine.
void frmVelox::fillCarChoice() {
    HWND selector = control(Control::cmbCars);
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    GetComboBoxInfo(selector, &parts);
    const auto cars = rules_.cars();
    std::size_t characters = 0;
    for (const auto& car : cars) {
        characters += car.Name.size() + 1;
    }
    SendMessageW(selector, WM_SETREDRAW, FALSE, 0);
    SendMessageW(selector, CB_INITSTORAGE, cars.size(), characters * sizeof(wchar_t));
    const auto list = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(parts.hwndList, GWLP_WNDPROC));
    std::u16string name; // UTF-16, as Windows' own strings
    for (const auto& car : cars) {
        windows1252ToUtf16(car.Name, name);
        CallWindowProcW(list, parts.hwndList, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(name.c_str()));
    }
    SendMessageW(selector, WM_SETREDRAW, TRUE, 0);
    ComboBox_SetCurSel(selector, rules_.firstChosenCar());
}

void frmVelox::onClick(Control which) {
    switch (which) {
    case Control::cmdReplace:
        return rules_.cmdReplace_Click(markedRow(control(Control::lvCars)),
                                       ComboBox_GetCurSel(control(Control::cmbCars)));
    case Control::cmdExit:
        return close();
    default:
        return rules_.click(which);
    }
}

// One file, as Explorer drags it; anything else is not taken.
void frmVelox::onDropFiles(HDROP drop) {
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
        std::wstring name(DragQueryFileW(drop, 0, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, 0, name.data(), static_cast<UINT>(name.size())));
        dropped_ = name;
        PostMessageW(window_, openDropped, 0, 0);
    }
    DragFinish(drop);
}

// A plain window does not give the focus back to its control once a dialog or another
// window had it; this one does.
void frmVelox::keepFocus(bool active) {
    if (!active) {
        focused_ = GetFocus();
        return;
    }
    if (focused_ != nullptr && IsChild(window_, focused_) && IsWindowEnabled(focused_)) {
        SetFocus(focused_);
    }
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

// A disabled control cannot keep the focus: it moves on in tab order first.
void frmVelox::refresh() {
    SetWindowTextW(window_, utf16(rules_.title()).c_str());
    for (const auto& entry : menuEntries) {
        const UINT state = MF_BYCOMMAND | (rules_.offered(entry.command) ? MF_ENABLED : MF_GRAYED);
        const std::wstring caption = utf16(rules_.caption(entry.command));
        for (HMENU menu : {GetSystemMenu(window_, FALSE), contextMenu_}) {
            ModifyMenuW(menu, menuId(entry.command), MF_BYCOMMAND | MF_STRING | state,
                        menuId(entry.command), caption.c_str());
        }
    }
    const HWND focus = GetFocus();
    for (const ControlLayout& placed : window_layout::controls) {
        const HWND handle = control(placed.control);
        if (!rules_.isEnabled(placed.control) && handle == focus) {
            SetFocus(control(rules_.focusFrom(placed.control)));
        }
        EnableWindow(handle, rules_.isEnabled(placed.control));
    }
    if (listShown_ != rules_.listNumber()) {
        listShown_ = rules_.listNumber();
        showRows(control(Control::lvCars), rules_.rowCount(), rules_.rowToMark());
    }
}

} // namespace garagon::win32
