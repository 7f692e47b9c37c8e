#pragma once

#include <QByteArray>
#include <QString>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace Terminal::Ui {

// What the terminal remembers of how the user arranged it.
struct SavedLayout {
    struct ToolWindow {
        QString type;      // the content-window type it was made from
        QString dockName;  // its dock's object name, by which the window state places it
        bool operator==(const ToolWindow&) const = default;
    };
    QByteArray geometry;                  // the main window's, as QMainWindow::saveGeometry gives it
    QByteArray state;                     // the docks: where, floating or not, how big, shown or not
    std::vector<ToolWindow> toolWindows;  // as the main window lists them
    std::string account;                  // the current account's id; empty: none
    QString category;                     // the market watch's tab, by title; empty: the first
    std::map<QString, int> columnWidths;  // the market watch's own column widths, by title
    bool operator==(const SavedLayout&) const = default;
};

// The layout file: a Json object that says it is this terminal's layout ("Format", "Version").
// A member that is absent leaves that part of the default layout; text of another kind, a later
// version or a member of the wrong type makes the whole file unreadable, as half a layout
// restored is worse than the default one.
namespace LayoutFile {

inline constexpr const char* kFileName = "layout.json";

std::string Compose(const SavedLayout& layout);
// The layout the text holds; nullopt, with the reason in problem, when it holds none.
std::optional<SavedLayout> Parse(const std::string& text, QString& problem);

// nullopt when there is no layout to restore; a missing file is no problem (the first start),
// anything else is.
std::optional<SavedLayout> Read(const QString& path, QString& problem);
// Writes through a temporary file in the same folder that replaces the old file only once it is
// complete, so a crash half-way leaves the previous layout in place.
bool Write(const QString& path, const SavedLayout& layout, QString& problem);

}  // namespace LayoutFile

}  // namespace Terminal::Ui
