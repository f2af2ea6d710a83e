#pragma once

#include "bytes.hpp"
#include "car_finder.hpp"
#include "code_index.hpp"
#include "commands.hpp"
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

// A car chosen in the search: the entry of cmbCars, and where the focus goes.
struct CarChoice {
    int entry;
    Control focus;
};

// The answers to the question before unsaved replacements are dropped.
enum class SaveAnswer { Save, DontSave, Cancel };

// What the rules need of a window: its modal dialogs, and a word when what it shows must
// be brought up to date.
class WindowPort {
  public:
    virtual ~WindowPort() = default;
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
    // Title, enabled states, options or list have changed.
    virtual void refresh() = 0;
    // A car found by the search becomes the entry of cmbCars.
    virtual void showCarChoice(const CarChoice& choice) = 0;
    // The context menu, opened from the keyboard: below the control with the focus.
    virtual void showContextMenu() = 0;
};

// The window's behaviour without a toolkit: what each event does, the title, which
// controls are enabled, the rows of the list and which of them is marked, which message
// appears, and where the focus goes. Each window binds its controls to one of these.
class WindowRules {
  public:
    // No list is longer: a real savegame gives a few thousand rows at most, while a
    // hostile catalogue and savegame could ask for hundreds of millions.
    static constexpr std::uint64_t RowCap = 1'000'000;

    explicit WindowRules(WindowPort& port);

    // Takes the catalogue read from the program's folder. False when it is missing or
    // unreadable: its message has been shown and the program must end.
    bool Form_Load(LoadedCatalogue catalogue);

    // Asks about unsaved replacements first, then shows the file dialog.
    void cmdOpen_Click();
    // Opens a savegame as if chosen in the file dialog: from the command line, or dropped
    // (once the drop has completed). Asks about unsaved replacements first.
    void openSavegame(const std::filesystem::path& path);
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
    // The first marked row, if any, and the entry chosen in cmbCars (-1 for none).
    void cmdReplace_Click(std::optional<std::size_t> firstMarkedRow, int chosenCar);
    void cmdSave_Click();
    void optShop_Click() { chooseCategory(Category::Shop); }
    void optBuyed_Click() { chooseCategory(Category::Career); }
    void optMY_Click() { chooseCategory(Category::Own); }
    // A click on a button or option that needs nothing else of the window: cmdOpen,
    // cmdSave and the options.
    void click(Control control);
    // The command "Sicherungen…": shows the backups of the chosen savegame and restores
    // the one chosen there. Offered once a savegame has been chosen.
    void showBackups();
    bool backupsOffered() const { return !SpielstandPfad.empty(); }
    // Puts the backup's bytes back as the savegame, keeping the version there as the
    // next backup, and loads it again as after opening it.
    void restoreBackup(const std::filesystem::path& backup);
    // The command "Wagen suchen…", offered while cmbCars is enabled: the car chosen in the
    // search dialog becomes the entry of cmbCars, and the focus goes to "Ersetzen" where
    // it is enabled, otherwise to cmbCars. Nothing changes when the dialog is cancelled.
    std::optional<CarChoice> findCar();
    bool carSearchOffered() const { return isEnabled(Control::cmbCars); }
    // Takes the last replacement back, or makes the last one taken back again; reaching the
    // version last loaded or saved leaves nothing to save.
    void undo();
    void redo();
    // Whether a command of the menus or keys is offered now, its caption, and what it does.
    bool offered(Command command) const;
    std::string caption(Command command) const;
    void run(Command command);

    const std::string& title() const { return title_; }
    bool isEnabled(Control control) const { return enabled_[static_cast<std::size_t>(control)]; }
    Category category() const { return category_; }
    // The option of the category, the one checked.
    Control checkedOption() const;
    // The entries of cmbCars: the catalogue's cars in its order, named in Windows-1252 as
    // the catalogue has them; and the one chosen at start (-1: none).
    std::span<const WagenEintrag> cars() const;
    int firstChosenCar() const { return cars().empty() ? -1 : 0; }
    // Where the focus goes when it would be on the given control: there, or on the next
    // enabled control in tab order.
    Control focusFrom(Control wanted) const;

    // The list: its rows, their texts (columns 0 to 3, UTF-8), and a number that rises
    // with every new list, on which the view shows it afresh and marks the first row.
    std::size_t rowCount() const;
    std::string cellText(std::size_t row, int column) const;
    std::uint64_t listNumber() const { return listNumber_; }
    // The row that a new list marks and shows: the first, or the record of the step just
    // taken back or made again.
    std::optional<std::size_t> rowToMark() const { return rowToMark_; }

  private:
    // One replacement: where its 8 code bytes are, and the cars (in catalogue order) whose
    // codes they were and became.
    struct Step {
        std::size_t position;
        std::size_t oldCar;
        std::size_t newCar;
    };

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
    std::uint64_t listNumber_ = 0;
    std::string title_;
    std::optional<CarFinder> carFinder_; // made on the first search
    Category category_ = Category::Shop;
    std::array<bool, static_cast<std::size_t>(Control::Count)> enabled_{};
    std::optional<std::size_t> rowToMark_;
    std::vector<Step> steps_;
    std::size_t done_ = 0;                   // the steps made; those after them can be made again
    std::optional<std::size_t> savedAt_ = 0; // the steps made in the version on disk
    int openDialogs_ = 0;
    // The list shown when the session's end was agreed to: the toolkit may close the window
    // as the session ends, which must not ask again about what was answered.
    std::optional<std::uint64_t> endAgreedAt_;
};

} // namespace garagon
