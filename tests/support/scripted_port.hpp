#pragma once

#include "list_dialog.hpp"
#include "window_rules.hpp"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace garagon::test {

// What a test's dialogs answer, and what they were shown.
struct Script {
    struct Message {
        std::string title;
        std::string text;
    };

    std::deque<std::filesystem::path> paths; // the file dialog's answers; none left: cancelled
    std::vector<Message> messages;
    // The list dialogs without a text field: title, status line, then "name: column 2" a row.
    std::vector<std::vector<std::string>> lists;
    std::deque<std::size_t> rowAnswers; // their answers; none left: closed
    // Typed into a dialog's text field, whose first match is then chosen; none: cancelled.
    std::optional<std::string> query;
    bool realSearch = false; // the view's own dialog instead, driven by the test
    std::vector<std::string> questions;
    std::deque<SaveAnswer> saveAnswers; // the question's answers; none left: cancelled
    std::function<void()> whileAsked;   // runs while the question is open
    int refreshes = 0;

    // Each message as its title, ": " and its first line.
    std::vector<std::string> headlines() const {
        std::vector<std::string> lines;
        for (const auto& [title, text] : messages) {
            lines.push_back(title + ": " + text.substr(0, text.find("\r\n")));
        }
        return lines;
    }
};

// A window without a toolkit, for the rules without a view: its controls keep what the
// rules last gave them, one list, one selector and one text field.
struct NoView : WindowPort {
    std::optional<std::size_t> marked;
    int chosen = -1;
    std::string typed;
    std::optional<int> focused;

    std::optional<std::filesystem::path> chooseSavegame() override { return std::nullopt; }
    void showMessage(const std::string&, const std::string&) override {}
    std::optional<std::size_t> chooseRow(ListDialog&) override { return std::nullopt; }
    SaveAnswer askToSave(const std::string&, const std::string&) override {
        return SaveAnswer::Cancel;
    }
    void setTitle(const std::string&) override {}
    void showCommand(Command, bool, const std::string&) override {}
    void showContextMenu() override {}
    void closeWindow() override {}
    void setText(int, const std::string&) override {}
    void enable(int, bool) override {}
    void setShown(int, bool) override {}
    void showRows(int, std::size_t, std::optional<std::size_t> mark) override { marked = mark; }
    void hideColumn(int, int) override {}
    void setEntries(int, const std::vector<std::string_view>&) override {}
    void chooseEntry(int, int entry) override { chosen = entry; }
    void focus(int control) override { focused = control; }
    bool isFocused(int control) const override { return focused == control; }
    std::optional<std::size_t> markedRow(int) const override { return marked; }
    int chosenEntry(int) const override { return chosen; }
    std::string text(int) const override { return typed; }
};

// A window whose modal dialogs answer from a script: View is the real view, or NoView.
template <class View> class ScriptedPort : public View {
  public:
    template <class... Arguments>
    explicit ScriptedPort(Script& script, Arguments&&... arguments)
        : View(std::forward<Arguments>(arguments)...), script_(script) {}

    std::optional<std::filesystem::path> chooseSavegame() override {
        if (script_.paths.empty()) {
            return std::nullopt;
        }
        auto path = script_.paths.front();
        script_.paths.pop_front();
        return path;
    }
    void showMessage(const std::string& title, const std::string& text) override {
        script_.messages.push_back({title, text});
    }
    std::optional<std::size_t> chooseRow(ListDialog& dialog) override {
        if (dialog.layout().find(Role::TextField)) {
            return search(dialog);
        }
        std::vector<std::string> shown{dialog.title(), dialog.status()};
        for (std::size_t row = 0; row < dialog.rowCount(); ++row) {
            shown.push_back(dialog.cellText(row, 0) + ": " + dialog.cellText(row, 2));
        }
        script_.lists.push_back(shown);
        if (script_.rowAnswers.empty()) {
            return std::nullopt;
        }
        const auto row = script_.rowAnswers.front();
        script_.rowAnswers.pop_front();
        return row;
    }
    SaveAnswer askToSave(const std::string&, const std::string& text) override {
        script_.questions.push_back(text);
        if (script_.whileAsked) {
            script_.whileAsked();
        }
        if (script_.saveAnswers.empty()) {
            return SaveAnswer::Cancel;
        }
        const auto answer = script_.saveAnswers.front();
        script_.saveAnswers.pop_front();
        return answer;
    }
    void setTitle(const std::string& title) override {
        ++script_.refreshes;
        View::setTitle(title);
    }

  private:
    std::optional<std::size_t> search(ListDialog& dialog) {
        if (script_.realSearch) {
            return View::chooseRow(dialog);
        }
        if (!script_.query) {
            return std::nullopt;
        }
        NoView typing;
        typing.typed = *script_.query;
        dialog.edited(typing);
        return typing.marked;
    }

    Script& script_;
};

} // namespace garagon::test
