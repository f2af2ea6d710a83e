#include "window_rules.hpp"

#include "backup_choice.hpp"
#include "file_system.hpp"
#include "list_dialog.hpp"
#include "loading.hpp"
#include "messages.hpp"
#include "modVelox.hpp"
#include "path_text.hpp"
#include "replacement.hpp"
#include "saving.hpp"
#include "text_fields.hpp"
#include "texts.hpp"
#include "windows1252.hpp"

#include <algorithm>
#include <iterator>
#include <utility>

namespace garagon {
namespace {

// Each category's option.
struct CategoryOption {
    Category category;
    Control option;
};
constexpr CategoryOption categoryOptions[] = {
    {Category::Shop, Control::optShop},
    {Category::Career, Control::optBuyed},
    {Category::Own, Control::optMY},
};

std::span<const WagenEintrag> catalogueCars() {
    return std::span(modVelox::Wagen).subspan(1);
}

// A car's name as a menu shows it: in UTF-8, an ampersand as itself, not an access key.
std::string menuText(const std::string& windows1252) {
    std::string text;
    for (const char c : windows1252ToUtf8(windows1252)) {
        text += c == '&' ? std::string("&&") : std::string(1, c);
    }
    return text;
}

// Where a record's code begins, 1-based as replaceCode takes it.
std::size_t codePosition(const RecordMatch& record) {
    return record.recordStart + 4;
}

} // namespace

// Counts the dialogs that wait for an answer, however they end.
template <class Dialog> auto WindowRules::inDialog(Dialog dialog) {
    struct Open {
        int& count;
        explicit Open(int& dialogs) : count(++dialogs) {}
        ~Open() { --count; }
    } open(openDialogs_);
    return dialog();
}

WindowRules::WindowRules(WindowPort& port) : port_(port), title_(texts::TitlePrefix) {
    title_ += std::string("[") + texts::NoSavegame + "]";
    enabled_.fill(true);
    setEnabled(Control::cmdSave, false);
}

bool WindowRules::Form_Load(LoadedCatalogue catalogue) {
    port_.setText(id(Control::Label1), texts::Disclaimer);
    HideColumns();
    if (!takeCatalogue(std::move(catalogue))) {
        return false;
    }
    fillCarChoice();
    port_.focus(id(focusFrom(Control::cmdOpen)));
    return true;
}

// The columns that the list hides keep their data, at width 0.
void WindowRules::HideColumns() {
    for (std::size_t column = 0; column < std::size(layouts::carColumns); ++column) {
        if (!layouts::carColumns[column].visible) {
            port_.hideColumn(id(Control::lvCars), static_cast<int>(column));
        }
    }
}

// The catalogue's cars in its order, named in UTF-8 in one buffer, which costs no
// allocation per car; the first one chosen. The buffer never grows, so its views stay
// valid: a byte of Windows-1252 takes at most three in UTF-8.
void WindowRules::fillCarChoice() {
    std::size_t bytes = 0;
    for (const auto& car : catalogueCars()) {
        bytes += 3 * car.Name.size();
    }
    std::string text;
    text.reserve(bytes);
    std::vector<std::string_view> names;
    names.reserve(catalogueCars().size());
    for (const auto& car : catalogueCars()) {
        const std::size_t start = text.size();
        appendAsUtf8(car.Name, text);
        names.push_back(std::string_view(text).substr(start));
    }
    port_.setEntries(id(Control::cmbCars), names);
    port_.chooseEntry(id(Control::cmbCars), names.empty() ? -1 : 0);
}

bool WindowRules::takeCatalogue(LoadedCatalogue catalogue) {
    const auto report = modVelox::takeCatalogue(std::move(catalogue.file));
    switch (report.status) {
    case modVelox::CatalogueStatus::NotFound:
        tell(texts::ErrorTitle, texts::CatalogueNotFound);
        return false;
    case modVelox::CatalogueStatus::ReadError:
        tell(texts::ErrorTitle, std::string(texts::CatalogueUnreadable) + "\r\n" +
                                    messages::reason(report.error) + ".");
        return false;
    case modVelox::CatalogueStatus::Read:
        break;
    }
    codeIndex_ = std::move(catalogue.index);
    if (!report.problems.empty()) {
        tell(texts::ErrorTitle, report.problems);
    }
    if (modVelox::WagenAnzahl < 1) {
        for (const Control control :
             {Control::cmbCars, Control::cmdOpen, Control::cmdSave, Control::cmdReplace}) {
            setEnabled(control, false);
        }
    }
    refresh();
    return true;
}

// The window shows the rules' state: title, menus, enabled controls, and a new list where
// there is one. A disabled control cannot keep the focus: it moves on in tab order first.
void WindowRules::refresh() {
    port_.setTitle(title_);
    for (const auto& entry : menuEntries) {
        port_.showCommand(entry.command, offered(entry.command), caption(entry.command));
    }
    for (const DeclaredControl& control : layouts::window.controls) {
        const bool enabled = enabled_[static_cast<std::size_t>(control.id)];
        if (!enabled && port_.isFocused(control.id)) {
            port_.focus(id(focusFrom(static_cast<Control>(control.id))));
        }
        port_.enable(control.id, enabled);
    }
    if (listShown_ != listNumber_) {
        listShown_ = listNumber_;
        port_.showRows(id(Control::lvCars), rowCount(), rowToMark_);
    }
}

Control WindowRules::focusFrom(Control wanted) const {
    const auto& controls = layouts::window.controls;
    for (std::size_t step = 0; step < controls.size(); ++step) {
        const auto& at = controls[(static_cast<std::size_t>(wanted) + step) % controls.size()];
        if (takesFocus(at.kind) && isEnabled(static_cast<Control>(at.id))) {
            return static_cast<Control>(at.id);
        }
    }
    return Control::cmdExit;
}

Control WindowRules::checkedOption() const {
    return std::ranges::find(categoryOptions, category_, &CategoryOption::category)->option;
}

void WindowRules::click(Control control) {
    switch (control) {
    case Control::cmdOpen:
        return cmdOpen_Click();
    case Control::cmdReplace:
        return cmdReplace_Click();
    case Control::cmdSave:
        return cmdSave_Click();
    case Control::cmdExit:
        return port_.closeWindow();
    case Control::optShop:
        return optShop_Click();
    case Control::optBuyed:
        return optBuyed_Click();
    case Control::optMY:
        return optMY_Click();
    default:
        return; // the rest does nothing when clicked
    }
}

void WindowRules::run(Command command) {
    switch (command) {
    case Command::Backups:
        return showBackups();
    case Command::CarSearch:
        return findCar();
    case Command::ContextMenu:
        return port_.showContextMenu();
    case Command::Undo:
        return undo();
    case Command::Redo:
        return redo();
    case Command::Save:
        if (offered(Command::Save)) {
            cmdSave_Click();
        }
        return;
    }
}

bool WindowRules::offered(Command command) const {
    switch (command) {
    case Command::Backups:
        return !SpielstandPfad.empty();
    case Command::CarSearch:
        return isEnabled(Control::cmbCars);
    case Command::Undo:
        return done_ > 0;
    case Command::Redo:
        return done_ < steps_.size();
    case Command::Save:
        return isEnabled(Control::cmdSave);
    case Command::ContextMenu:
        return true;
    }
    return false;
}

std::string WindowRules::caption(Command command) const {
    const auto entry = std::ranges::find(menuEntries, command, &MenuEntry::command);
    const std::string plain = entry != std::end(menuEntries) ? entry->caption : "";
    if ((command != Command::Undo && command != Command::Redo) || !offered(command)) {
        return plain;
    }
    const Step& step = steps_[command == Command::Undo ? done_ - 1 : done_];
    const auto name = [](std::size_t car) { return menuText(catalogueCars()[car].Name); };
    return replaced(
        replaced(replaced(texts::StepCaption, "{command}", plain), "{old}", name(step.oldCar)),
        "{new}", name(step.newCar));
}

void WindowRules::cmdOpen_Click() {
    if (!mayDropChanges()) {
        return;
    }
    if (const auto path = inDialog([&] { return port_.chooseSavegame(); })) {
        open(*path);
    } // cancelled: everything stays as it was
}

void WindowRules::openSavegame(const std::filesystem::path& path) {
    if (isEnabled(Control::cmdOpen) && mayDropChanges()) {
        open(path);
    }
}

bool WindowRules::mayDropChanges() {
    if (!isEnabled(Control::cmdSave) || endAgreedAt_ == listNumber_) {
        return true;
    }
    switch (inDialog([&] {
        return port_.askToSave(texts::ProgramName, unsavedChanges() + texts::SaveQuestion);
    })) {
    case SaveAnswer::Save:
        cmdSave_Click();
        return !isEnabled(Control::cmdSave);
    case SaveAnswer::DontSave:
        return true;
    case SaveAnswer::Cancel:
        return false;
    }
    return false;
}

bool WindowRules::mayEndSession() {
    if (openDialogs_ > 0 || !mayDropChanges()) {
        return false;
    }
    endAgreedAt_ = listNumber_;
    return true;
}

std::optional<std::string> WindowRules::sessionEndWaitsFor() const {
    if (openDialogs_ > 0) {
        return texts::DialogOpen;
    }
    if (isEnabled(Control::cmdSave)) {
        return unsavedChanges();
    }
    return std::nullopt;
}

std::string WindowRules::unsavedChanges() const {
    return replaced(texts::UnsavedChanges, "{name}", pathText(SpielstandPfad.filename()));
}

void WindowRules::open(const std::filesystem::path& path) {
    if (!isEnabled(Control::cmdOpen)) {
        return; // without a catalogue nothing can be opened, whichever way
    }
    // An empty argument, or one that is no path at all, is an error while opening.
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    if (path.empty() || error) {
        showInTitle(texts::NoSavegame);
        refresh();
        return;
    }
    SpielstandPfad = platform::canonicalName(absolute.lexically_normal());
    showInTitle(pathText(SpielstandPfad.filename()));
    LadeSpielstand();
    refresh();
    if (const auto copy = platform::virtualStoreCopy(SpielstandPfad)) {
        tell(texts::NoticeTitle, replaced(texts::VirtualStoreNotice, "{copy}", pathText(*copy)));
    }
}

void WindowRules::LadeSpielstand() {
    found_ = {};
    ++listNumber_;
    steps_.clear();
    done_ = 0;
    savedAt_ = 0;
    auto result = loadSavegame(SpielstandPfad);
    SpielstandDaten = std::move(result.data);
    switch (result.status) {
    case LoadStatus::Loaded:
        AutosSuchen();
        showSaveState(); // the version loaded: nothing to save
        return;
    case LoadStatus::NotFound:
        tell(texts::ErrorTitle, texts::SavegameNotLoaded);
        break;
    case LoadStatus::NotASavegame:
        tell(texts::ErrorTitle, texts::NotASavegame);
        break;
    case LoadStatus::ReadError:
        showInTitle(texts::NoSavegame);
        break;
    }
    setEnabled(Control::cmdReplace, false);
    setEnabled(Control::cmdSave, false);
}

void WindowRules::AutosSuchen() {
    found_ = findRecords(SpielstandDaten, codeIndex_, category_);
    ++listNumber_;
    rowToMark_ = found_.empty() ? std::nullopt : std::optional<std::size_t>(0);
    setEnabled(Control::cmdReplace, !found_.empty());
    if (found_.size() > RowCap) {
        tell(texts::NoticeTitle,
             replaced(replaced(texts::RowsCapped, "{found}", grouped(found_.size())), "{listed}",
                      grouped(RowCap)));
    }
}

void WindowRules::chooseCategory(Category category) {
    category_ = category;
    AutosSuchen();
    refresh();
}

std::size_t WindowRules::rowCount() const {
    return static_cast<std::size_t>(std::min(found_.size(), RowCap));
}

std::string WindowRules::cellText(std::size_t row, int column) const {
    const ResultRow texts = resultRow(SpielstandDaten, catalogueCars(), found_, row);
    switch (column) {
    case 0:
        return windows1252ToUtf8(texts.name);
    case 1:
        return texts.slot;
    case 2:
        return texts.position;
    default:
        return texts.context;
    }
}

void WindowRules::cmdReplace_Click() {
    const auto firstMarkedRow = port_.markedRow(id(Control::lvCars));
    const int chosenCar = port_.chosenEntry(id(Control::cmbCars));
    if (!firstMarkedRow || *firstMarkedRow >= rowCount() ||
        catalogueCars()[found_[*firstMarkedRow].car].Name.empty()) {
        tell(texts::ErrorTitle, texts::NoCarToReplace);
        return;
    }
    if (chosenCar < 0 || static_cast<std::size_t>(chosenCar) >= catalogueCars().size()) {
        tell(texts::ErrorTitle, texts::NoNewCar);
        return;
    }
    // The record was found by its car's code, so the two cars' codes are the bytes before
    // and after.
    const Step step{codePosition(found_[*firstMarkedRow]), found_[*firstMarkedRow].car,
                    static_cast<std::size_t>(chosenCar)};
    switch (replaceCode(SpielstandDaten, step.position, catalogueCars()[step.newCar].Kennung)) {
    case ReplaceStatus::WrongLength:
        tell(texts::ErrorTitle, messages::WrongCodeLength);
        return;
    case ReplaceStatus::InvalidPosition:
        tell(texts::ErrorTitle, texts::NoNewCar);
        return;
    case ReplaceStatus::Replaced:
        record(step);
        AutosSuchen();
        showSaveState();
        refresh();
        return;
    }
}

// A new step drops those that could have been made again, and with them, perhaps, the
// version on disk.
void WindowRules::record(const Step& step) {
    steps_.resize(done_);
    if (savedAt_ > done_) {
        savedAt_.reset();
    }
    steps_.push_back(step);
    ++done_;
}

void WindowRules::undo() {
    if (done_ > 0) {
        --done_;
        apply(steps_[done_], steps_[done_].oldCar);
    }
}

void WindowRules::redo() {
    if (done_ < steps_.size()) {
        ++done_;
        apply(steps_[done_ - 1], steps_[done_ - 1].newCar);
    }
}

// Puts the car's code back at the step's record, searches the list anew, as after a
// replacement, and marks that record where it lists it.
void WindowRules::apply(const Step& step, std::size_t car) {
    replaceCode(SpielstandDaten, step.position, catalogueCars()[car].Kennung);
    AutosSuchen();
    for (std::size_t row = 0; row < rowCount(); ++row) {
        if (codePosition(found_[row]) == step.position) {
            rowToMark_ = row;
            break;
        }
    }
    showSaveState();
    refresh();
}

void WindowRules::showSaveState() {
    setEnabled(Control::cmdSave, savedAt_ != done_);
}

void WindowRules::cmdSave_Click() {
    setEnabled(Control::cmdSave, false);
    const auto result = saveSavegame(SpielstandPfad, SpielstandDaten);
    if (result.saved) {
        savedAt_ = done_;
    }
    // Nothing was written after a failure: the changes can be saved again.
    setEnabled(Control::cmdSave, !result.saved);
    tell(result.title, result.text);
}

void WindowRules::showBackups() {
    if (!offered(Command::Backups)) {
        tell(texts::NoticeTitle, texts::NoSavegameChosen);
        return;
    }
    const BackupChoice choice(SpielstandPfad, findBackups(SpielstandPfad),
                              isEnabled(Control::cmdSave), codeIndex_, catalogueCars());
    if (choice.rowCount() == 0) {
        tell(texts::NoticeTitle,
             replaced(texts::NoBackups, "{name}", pathText(SpielstandPfad.filename())));
        return;
    }
    BackupsDialog dialog(choice);
    if (const auto row = inDialog([&] { return port_.chooseRow(dialog); })) {
        restoreBackup(choice.backup(*row).path);
    }
}

void WindowRules::findCar() {
    if (!offered(Command::CarSearch)) {
        return;
    }
    if (!carFinder_) {
        carFinder_.emplace(catalogueCars());
    }
    CarSearchDialog dialog(*carFinder_);
    const auto row = inDialog([&] { return port_.chooseRow(dialog); });
    if (!row || *row >= carFinder_->rowCount()) {
        return;
    }
    port_.chooseEntry(id(Control::cmbCars), static_cast<int>(carFinder_->car(*row)));
    port_.focus(id(isEnabled(Control::cmdReplace) ? Control::cmdReplace : Control::cmbCars));
}

void WindowRules::restoreBackup(const std::filesystem::path& backup) {
    const auto result = garagon::restoreBackup(SpielstandPfad, backup);
    if (result.saved) {
        LadeSpielstand(); // memory now equals the disk: nothing is left to save
    }
    tell(result.title, result.text);
}

void WindowRules::setEnabled(Control control, bool enabled) {
    enabled_[static_cast<std::size_t>(control)] = enabled;
}

void WindowRules::showInTitle(const std::string& inBrackets) {
    title_ = texts::TitlePrefix + ("[" + inBrackets + "]");
}

// The window shows the state so far before the modal message appears over it.
void WindowRules::tell(const std::string& title, const std::string& text) {
    refresh();
    inDialog([&] { port_.showMessage(title, text); });
}

} // namespace garagon
