#pragma once

#include "bytes.hpp"
#include "car_finder.hpp"
#include "code_index.hpp"
#include "commands.hpp"
#include "controls.hpp"
#include "loaded_catalogue.hpp"
#include "search.hpp"
#include "window_layout.hpp"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace garagon {

class ListDialog;

// The answers to the question before unsaved replacements are dropped.
enum class SaveAnswer { Save, DontSave, Cancel };

// What the rules need of a window: its controls, its title and menus, and its modal
// dialogs.
class WindowPort : public virtual Controls {
  public:
    // The chosen file's full path; nothing when the dialog was cancelled.
    virtual std::optional<std::filesystem::path> chooseSavegame() = 0;
    // A modal message with the information icon and one OK button; UTF-8, lines by CR LF.
    virtual void showMessage(const std::string& title, const std::string& text) = 0;
    // A modal list dialog: the row chosen, or nothing when it was closed or cancelled.
    virtual std::optional<std::size_t> chooseRow(ListDialog& dialog) = 0;
    // The question before unsaved replacements are dropped: the warning icon, the text
    // and the buttons "Speichern" (the default), "Nicht speichern" and "Abbrechen"; Escape
    // cancels. UTF-8.
    virtual SaveAnswer askToSave(const std::string& title, const std::string& text) = 0;
    virtual void setTitle(const std::string& title) = 0;
    // A command's entry in the menus: whether it is offered now, and its caption.
    virtual void showCommand(Command command, bool offered, const std::string& caption) = 0;
    // The context menu, opened from the keyboard: below the control with the focus.
    virtual void showContextMenu() = 0;
    // The window closes as by its close box, which asks about unsaved replacements.
    virtual void closeWindow() = 0;
};

// The window's behaviour without a toolkit: what each event does, the title, which
// controls are enabled, the rows of the list and which of them is marked, which message
// appears, and where the focus goes. Each view binds its controls to one of these, and
// draws what it says.
class WindowRules : public Rows {
  public:
    // No list is longer: a real savegame gives a few thousand rows at most, while a
    // hostile catalogue and savegame could ask for hundreds of millions.
    static constexpr std::uint64_t RowCap = 1'000'000;

    explicit WindowRules(WindowPort& port);

    // Takes the catalogue read from the program's folder. False when it is missing or
    // unreadable: its message has been shown and the program must end.
    bool Form_Load(LoadedCatalogue catalogue);

    // A click on a button or an option.
    void click(Control control);
    // A command of the menus or keys, where it is offered now; its caption there.
    void run(Command command);
    bool offered(Command command) const;
    std::string caption(Command command) const;
    // Opens a savegame as if chosen in the file dialog: from the command line, or dropped
    // (once the drop has completed). Asks about unsaved replacements first.
    void openSavegame(const std::filesystem::path& path);
    bool opensSavegames() const { return isEnabled(Control::cmdOpen); }
    // Whether unsaved replacements may go: there are none, or the player has saved them or
    // let them go. Asked before anything drops them: the end of the program, a new
    // savegame. After a failed save, nothing may go.
    bool mayDropChanges();
    // The desktop session ends: true when the program may end with it. While a dialog waits
    // for an answer the end is refused, never asked about a second time. Once agreed to,
    // nothing asks again until something changes.
    bool mayEndSession();
    // Why the session's end must wait now, if it must: a dialog waits for an answer, or
    // replacements are unsaved.
    std::optional<std::string> sessionEndWaitsFor() const;

    const std::string& title() const { return title_; }
    bool isEnabled(Control control) const { return enabled_[static_cast<std::size_t>(control)]; }
    // The option of the category, the one checked.
    Control checkedOption() const;
    // Where the focus goes when it would be on the given control: there, or on the next
    // enabled control in tab order.
    Control focusFrom(Control wanted) const;

    // The list: its rows and their texts (columns 0 to 3, UTF-8).
    std::size_t rowCount() const;
    std::string cellText(std::size_t row, int column) const override;

  private:
    // One replacement: where its 8 code bytes are, and the cars (in catalogue order) whose
    // codes they were and became.
    struct Step {
        std::size_t position;
        std::size_t oldCar;
        std::size_t newCar;
    };

    bool takeCatalogue(LoadedCatalogue catalogue);
    void HideColumns();
    void fillCarChoice();
    void refresh();
    void cmdOpen_Click();
    void cmdReplace_Click();
    void cmdSave_Click();
    void optShop_Click() { chooseCategory(Category::Shop); }
    void optBuyed_Click() { chooseCategory(Category::Career); }
    void optMY_Click() { chooseCategory(Category::Own); }
    // "Sicherungen…": shows the backups of the chosen savegame and restores the one chosen
    // there, keeping the version there as the next backup.
    void showBackups();
    void restoreBackup(const std::filesystem::path& backup);
    // "Wagen suchen…": the car chosen in the search becomes the entry of cmbCars, and the
    // focus goes to "Ersetzen" where it is enabled, otherwise to cmbCars.
    void findCar();
    // Takes the last replacement back, or makes the last one taken back again.
    void undo();
    void redo();
    void open(const std::filesystem::path& path);
    void LadeSpielstand();
    void AutosSuchen();
    void chooseCategory(Category category);
    void setEnabled(Control control, bool enabled);
    void showInTitle(const std::string& inBrackets);
    void tell(const std::string& title, const std::string& text);
    std::string unsavedChanges() const;
    void record(const Step& step);
    void apply(const Step& step, std::size_t car);
    void showSaveState();
    template <class Dialog> auto inDialog(Dialog dialog);

    WindowPort& port_;
    std::filesystem::path SpielstandPfad;
    Bytes SpielstandDaten;
    CodeIndex codeIndex_{{}};
    FoundRecords found_;
    std::uint64_t listNumber_ = 0; // rises with every new list
    std::uint64_t listShown_ = 0;
    std::optional<std::size_t> rowToMark_; // the first row, or the record of the step undone
    std::string title_;
    std::optional<CarFinder> carFinder_; // made on the first search
    Category category_ = Category::Shop;
    std::array<bool, static_cast<std::size_t>(Control::Count)> enabled_{};
    std::vector<Step> steps_;
    std::size_t done_ = 0;                   // the steps made; those after them can be made again
    std::optional<std::size_t> savedAt_ = 0; // the steps made in the version on disk
    int openDialogs_ = 0;
    // The list shown when the session's end was agreed to: the toolkit may close the window
    // as the session ends, which must not ask again about what was answered.
    std::optional<std::uint64_t> endAgreedAt_;
};

} // namespace garagon
