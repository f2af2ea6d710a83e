#pragma once

#include "backup_choice.hpp"
#include "car_finder.hpp"
#include "controls.hpp"
#include "window_layout.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace garagon {

// A modal dialog of one list, declared without a toolkit and drawn alike by each view:
// its layout, title, rows, the row marked first, which marked row may be chosen, its
// status line and, where it has a text field, what typing there does. It has one list,
// one accepting and one rejecting button.
class ListDialog : public Rows {
  public:
    virtual ~ListDialog() = default;

    virtual const WindowLayout& layout() const = 0;
    virtual std::string title() const = 0;
    virtual std::size_t rowCount() const = 0;
    virtual std::optional<std::size_t> firstMarkedRow() const = 0;
    // The accepting button ends the dialog only with a row that this allows.
    virtual bool chooses(std::optional<std::size_t> marked) const = 0;
    virtual std::string status() const = 0;

    // The view has made the controls: the rows, the status line, and the focus in the text
    // field or else the list.
    void opened(Controls& controls);
    // The text field's text has changed: the rows are new.
    void edited(Controls& controls);

  protected:
    virtual void search(std::string_view) {}

  private:
    // The rows anew, the first one marked, the status line where it says something, and
    // the accepting button enabled only where it could choose.
    void showRows(Controls& controls) const;
};

// "Sicherungen von <name>": the backups, the newest marked, a line on unsaved changes.
class BackupsDialog : public ListDialog {
  public:
    explicit BackupsDialog(const BackupChoice& choice) : choice_(choice) {}

    const WindowLayout& layout() const override { return layouts::backups; }
    std::string title() const override { return choice_.title(); }
    std::size_t rowCount() const override { return choice_.rowCount(); }
    std::string cellText(std::size_t row, int column) const override {
        return choice_.cellText(row, column);
    }
    std::optional<std::size_t> firstMarkedRow() const override { return choice_.markedRow(); }
    bool chooses(std::optional<std::size_t> marked) const override {
        return choice_.restores(marked);
    }
    std::string status() const override { return choice_.warning(); }

  private:
    const BackupChoice& choice_;
};

// "Wagen suchen": the cars that hold the typed words, the first one marked, their number.
class CarSearchDialog : public ListDialog {
  public:
    explicit CarSearchDialog(CarFinder& finder);

    const WindowLayout& layout() const override { return layouts::carSearch; }
    std::string title() const override;
    std::size_t rowCount() const override { return finder_.rowCount(); }
    std::string cellText(std::size_t row, int column) const override {
        return finder_.cellText(row, column);
    }
    std::optional<std::size_t> firstMarkedRow() const override;
    bool chooses(std::optional<std::size_t> marked) const override {
        return marked && *marked < finder_.rowCount();
    }
    std::string status() const override { return finder_.countText(); }

  protected:
    void search(std::string_view query) override { finder_.search(query); }

  private:
    CarFinder& finder_;
};

} // namespace garagon
