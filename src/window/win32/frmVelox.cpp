#include "frmVelox.hpp"

#include "dialog_frame.hpp"
#include "dialogs.hpp"
#include "list_text.hpp"
#include "texts.hpp"
#include "utf16.hpp"
#include "windows1252.hpp"

#include <shellapi.h>
#include <utility>
#include <windowsx.h>

namespace garagon::win32 {
namespace {

constexpr const wchar_t* windowClassName = L"frmVelox";
constexpr int iconId = 1;

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

const ControlLayout& layoutOf(ControlId id) {
    for (const auto& placed : controls) {
        if (placed.id == id) {
            return placed;
        }
    }
    return controls.front();
}

} // namespace

frmVelox::frmVelox(Dialogs& dialogs, std::future<LoadedCatalogue> catalogue) : dialogs_(dialogs) {
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
    Form_Load(catalogue.get());
}

frmVelox::~frmVelox() {
    DestroyWindow(window_);
    DestroyMenu(contextMenu_);
    DeleteObject(regular_);
    DeleteObject(bold_);
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
        onCommand(LOWORD(w), HIWORD(w));
        return 0;
    case WM_NOTIFY:
        if (const auto* header = reinterpret_cast<NMHDR*>(l);
            header->idFrom == lvCars && header->code == LVN_GETDISPINFOW) {
            giveText(*reinterpret_cast<NMLVDISPINFOW*>(l),
                     [this](std::size_t row, int column) { return rules_.cellText(row, column); });
        }
        return 0;
    case WM_SYSCOMMAND:
        if ((w & 0xFFF0) == backupsCommand || (w & 0xFFF0) == carSearchCommand) {
            runCommand(static_cast<UINT>(w & 0xFFF0));
            return 0;
        }
        return DefWindowProcW(window_, message, w, l);
    case WM_CONTEXTMENU:
        showContextMenu(reinterpret_cast<HWND>(w), l);
        return 0;
    case WM_DROPFILES:
        onDropFiles(reinterpret_cast<HDROP>(w));
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
    for (const auto& placed : controls) {
        const DWORD extended = placed.id == lvCars ? WS_EX_CLIENTEDGE : 0;
        CreateWindowExW(extended, placed.windowClass, placed.caption,
                        WS_CHILD | WS_VISIBLE | placed.style, 0, 0, 0, 0, window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(placed.id)),
                        GetModuleHandleW(nullptr), nullptr);
    }
    HWND list = control(lvCars);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        column.fmt = columns[i].format;
        column.cx = pixels(columns[i].width, USER_DEFAULT_SCREEN_DPI);
        column.pszText = const_cast<wchar_t*>(columns[i].header);
        ListView_InsertColumn(list, static_cast<int>(i), &column);
    }
    SendMessageW(control(optShop), BM_SETCHECK, BST_CHECKED, 0);
}

// "Sicherungen…" and "Wagen suchen…" in the system menu, as one-window programs without
// a menu bar offer commands, and in the context menu.
void frmVelox::addCommands() {
    HMENU system = GetSystemMenu(window_, FALSE);
    AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
    contextMenu_ = CreatePopupMenu();
    for (const auto& [command, text] : {std::pair{backupsCommand, texts::BackupsCommand},
                                        std::pair{carSearchCommand, texts::CarSearchCommand}}) {
        const std::wstring caption = utf16(text);
        AppendMenuW(system, MF_STRING, command, caption.c_str());
        AppendMenuW(contextMenu_, MF_STRING, command, caption.c_str());
    }
}

void frmVelox::runCommand(UINT command) {
    if (command == backupsCommand) {
        rules_.showBackups();
    } else if (command == carSearchCommand) {
        findCar();
    }
}

void frmVelox::findCar() {
    if (const auto choice = rules_.findCar()) {
        ComboBox_SetCurSel(control(cmbCars), choice->entry);
        SetFocus(controlOf(choice->focus));
    }
}

// From the keyboard (where is -1) the menu opens below the control with the focus.
void frmVelox::showContextMenu(HWND at, LPARAM where) {
    POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (where == -1) {
        RECT control{};
        GetWindowRect(at != nullptr ? at : window_, &control);
        point = {control.left, control.bottom};
    }
    runCommand(static_cast<UINT>(TrackPopupMenu(contextMenu_, TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                point.x, point.y, 0, window_, nullptr)));
}

bool frmVelox::takesShortcut(const MSG& message) {
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (message.message == WM_KEYDOWN && message.wParam == 'F' && control &&
        (message.hwnd == window_ || IsChild(window_, message.hwnd))) {
        findCar();
        return true;
    }
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool menuKey = message.wParam == VK_APPS || (message.wParam == VK_F10 && shift);
    if (!menuKey || !IsChild(window_, message.hwnd)) {
        return false;
    }
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
        showContextMenu(message.hwnd, -1);
        return true;
    }
    // The release would open it a second time, or the system menu.
    return message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
}

// Every position, size and font at the window's DPI: twips become pixels anew.
void frmVelox::layOut(UINT dpi) {
    RECT frame{0, 0, pixels(clientWidth, dpi), pixels(clientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0, dpi);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The old fonts go once no control uses them any more.
    const HFONT oldRegular = std::exchange(regular_, arialFont(dpi, false));
    const HFONT oldBold = std::exchange(bold_, arialFont(dpi, true));
    for (const auto& placed : controls) {
        const ControlLayout& container = layoutOf(placed.container);
        const int left = placed.left + (container.id != placed.id ? container.left : 0);
        const int top = placed.top + (container.id != placed.id ? container.top : 0);
        HWND handle = control(placed.id);
        SetWindowPos(handle, nullptr, pixels(left, dpi), pixels(top, dpi),
                     pixels(placed.width, dpi), pixels(placed.height, dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(placed.bold ? bold_ : regular_),
                     TRUE);
    }
    DeleteObject(oldRegular);
    DeleteObject(oldBold);
    // Hidden columns stay hidden.
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int column = static_cast<int>(i);
        if (ListView_GetColumnWidth(control(lvCars), column) > 0) {
            ListView_SetColumnWidth(control(lvCars), column, pixels(columns[i].width, dpi));
        }
    }
}

void frmVelox::Form_Load(LoadedCatalogue catalogue) {
    SetWindowTextW(control(Label1), utf16(texts::Disclaimer).c_str());
    HideColumns();
    catalogueFound_ = rules_.Form_Load(std::move(catalogue));
    if (!catalogueFound_) {
        return;
    }
    fillCarChoice();
    SetFocus(controlOf(rules_.focusFrom(Control::cmdOpen)));
}

void frmVelox::HideColumns() {
    for (int column = 1; column < 4; ++column) {
        ListView_SetColumnWidth(control(lvCars), column, 0);
    }
}

// Storage for all names at once and no drawing until the last is in: each name then
// costs one copy, even for the largest catalogue. The names go to the selector's list
// itself, which holds them, and straight to its procedure: the selector would pass each
// one on, and sending a message costs as much again under Wine.
void frmVelox::fillCarChoice() {
    HWND selector = control(cmbCars);
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

void frmVelox::onCommand(int id, int code) {
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
    case cmdOpen:
        return rules_.cmdOpen_Click();
    case cmdReplace: {
        const int marked = ListView_GetNextItem(control(lvCars), -1, LVNI_SELECTED);
        return rules_.cmdReplace_Click(marked < 0 ? std::nullopt
                                                  : std::optional(static_cast<std::size_t>(marked)),
                                       ComboBox_GetCurSel(control(cmbCars)));
    }
    case cmdSave:
        return rules_.cmdSave_Click();
    case cmdExit:
        return static_cast<void>(DestroyWindow(window_));
    case optShop:
        return rules_.optShop_Click();
    case optBuyed:
        return rules_.optBuyed_Click();
    case optMY:
        return rules_.optMY_Click();
    default:
        return;
    }
}

// One file, as Explorer drags it; anything else is not taken.
void frmVelox::onDropFiles(HDROP drop) {
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
        std::wstring name(DragQueryFileW(drop, 0, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, 0, name.data(), static_cast<UINT>(name.size())));
        openSavegame(name);
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

HWND frmVelox::controlOf(Control which) const {
    switch (which) {
    case Control::cmdOpen:
        return control(cmdOpen);
    case Control::lvCars:
        return control(lvCars);
    case Control::cmbCars:
        return control(cmbCars);
    case Control::cmdReplace:
        return control(cmdReplace);
    case Control::cmdSave:
        return control(cmdSave);
    case Control::cmdExit:
        return control(cmdExit);
    default:
        return control(rules_.category() == Category::Career ? optBuyed
                       : rules_.category() == Category::Own  ? optMY
                                                             : optShop);
    }
}

std::optional<std::filesystem::path> frmVelox::chooseSavegame() {
    return dialogs_.chooseSavegame(window_);
}

void frmVelox::showMessage(const std::string& title, const std::string& text) {
    dialogs_.showMessage(window_, utf16(title), utf16(text));
}

std::optional<std::size_t> frmVelox::chooseBackup(const BackupChoice& choice) {
    return dialogs_.chooseBackup(window_, choice);
}

std::optional<std::size_t> frmVelox::chooseCar(CarFinder& finder) {
    return dialogs_.chooseCar(window_, finder);
}

void frmVelox::refresh() {
    SetWindowTextW(window_, utf16(rules_.title()).c_str());
    for (const auto& [command, offered] :
         {std::pair{backupsCommand, rules_.backupsOffered()},
          std::pair{carSearchCommand, rules_.carSearchOffered()}}) {
        const UINT state = MF_BYCOMMAND | (offered ? MF_ENABLED : MF_GRAYED);
        EnableMenuItem(GetSystemMenu(window_, FALSE), command, state);
        EnableMenuItem(contextMenu_, command, state);
    }
    // A disabled control cannot keep the focus: it moves on in tab order first.
    const HWND focus = GetFocus();
    for (const Control which :
         {Control::cmdOpen, Control::cmbCars, Control::cmdReplace, Control::cmdSave}) {
        const HWND handle = controlOf(which);
        if (!rules_.isEnabled(which) && handle == focus) {
            SetFocus(controlOf(rules_.focusFrom(which)));
        }
        EnableWindow(handle, rules_.isEnabled(which));
    }
    if (listShown_ == rules_.listNumber()) {
        return;
    }
    listShown_ = rules_.listNumber();
    HWND list = control(lvCars);
    ListView_SetItemCountEx(list, static_cast<int>(rules_.rowCount()), 0);
    if (rules_.rowCount() > 0) {
        ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(list, 0, FALSE);
    }
    InvalidateRect(list, nullptr, TRUE);
}

} // namespace garagon::win32
