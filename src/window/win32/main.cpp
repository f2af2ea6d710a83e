// The program's entry on Windows: the window, a savegame named on the command line, and
// the message loop with the dialog keys.
#include "command_line.hpp"
#include "file_system.hpp"
#include "frmVelox.hpp"
#include "texts.hpp"
#include "utf16.hpp"

#include <commctrl.h>
#include <shellapi.h>
#include <vector>

namespace {

// The arguments after the program's name.
std::vector<std::wstring> arguments() {
    int count = 0;
    wchar_t** list = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> result(list + std::min(count, 1), list + count);
    LocalFree(list);
    return result;
}

int messageLoop(garagon::win32::frmVelox& window) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab, Shift+Tab and the arrow keys move the focus as in a dialog.
        if (!window.takesShortcut(message) && !IsDialogMessageW(window.handle(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    using namespace garagon;
    // Cloud files as they are: which of them only lie online is told by their attributes.
    platform::exposePlaceholders();
    const INITCOMMONCONTROLSEX commonControls{sizeof(INITCOMMONCONTROLSEX),
                                              ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);
    // The reader decides; a path is opened as Windows gave it, since UTF-8 cannot hold the
    // lone surrogates that NTFS allows in a name.
    const auto savegames = arguments();
    std::vector<std::string> texts;
    for (const std::wstring& argument : savegames) {
        texts.push_back(win32::utf8(argument));
    }
    if (parseCommandLine(texts, Syntax::PathOnly).action == CommandLine::Action::Error) {
        MessageBoxW(nullptr, win32::utf16(texts::CommandLineUsage).c_str(),
                    win32::utf16(texts::CommandLineTitle).c_str(), MB_OK | MB_ICONINFORMATION);
        return 2;
    }
    // Read while the window is built.
    auto catalogue = loadCatalogueAhead(catalogueFolder());
    win32::frmVelox window;
    if (!window.Form_Load(catalogue.get())) {
        return 1;
    }
    ShowWindow(window.handle(), show);
    if (!savegames.empty()) {
        window.openSavegame(savegames.front());
    }
    return messageLoop(window);
}
