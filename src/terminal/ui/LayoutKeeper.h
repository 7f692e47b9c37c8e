#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "host/HostRuntime.h"
#include "ui/LayoutFile.h"

class QTimer;

namespace Terminal::Ui {

class MainWindow;

// Keeps the terminal's arrangement from one run to the next: the main window's size and docks,
// the tool windows open in them (docked or floating, where and how big), the current account,
// and the market watch's tab and column widths, in the layout file of the run layout's cfg
// folder.
//
// Restore() makes each saved tool window again through the content-window providers, by its
// type, exactly as the "工具" menu does, and then puts every dock back where it was; a type no
// component offers any more is skipped with a log line. Start() watches from then on: the
// arrangement is saved every few minutes (so a crash loses little), when the main window closes
// and when the application quits, but only once it differs from the arrangement Start() found,
// so a run that changes nothing (after --fresh, say) leaves the saved file as it was.
class LayoutKeeper : public QObject {
    Q_OBJECT
public:
    using Log = std::function<void(const QString& line)>;
    static constexpr int kAutosaveMs = 3 * 60 * 1000;

    // log: where problems and skipped windows are told (default: the terminal's stderr).
    // The keeper belongs to the window.
    LayoutKeeper(HostRuntime& runtime, MainWindow& window, QString path, Log log = {});

    // The layout file of a run layout whose working folder is workDir (../cfg beside it).
    static QString PathFor(const QString& workDir);

    // Call once, before the window is shown and before Start(). False when there was no layout
    // to restore (the default arrangement stays).
    bool Restore();
    // The arrangement as it stands now counts as saved.
    void Start();
    // Writes the arrangement when it differs from what was last saved or found; false when that
    // failed (the previous file stays as it was).
    bool Save();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SavedLayout Capture() const;
    void Apply(const SavedLayout& layout);

    HostRuntime& m_runtime;
    MainWindow& m_window;
    QString m_path;
    Log m_log;
    QTimer* m_autosave = nullptr;
    std::optional<SavedLayout> m_saved;  // what the file holds, as far as it matters
};

}  // namespace Terminal::Ui
