#include "ui/LayoutKeeper.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QTimer>
#include <cstdio>

#include "ui/MainWindow.h"
#include "ui/MarketWatch.h"
#include "ui/ToolDock.h"

namespace Terminal::Ui {

namespace {

// Bumped when the docks change in a way an older saved state would misplace.
constexpr int kStateVersion = 1;

void ToStandardError(const QString& line) {
    std::fprintf(stderr, "krt-terminal: layout: %s\n", line.toUtf8().constData());
}

}  // namespace

LayoutKeeper::LayoutKeeper(HostRuntime& runtime, MainWindow& window, QString path, Log log)
    : QObject(&window),
      m_runtime(runtime),
      m_window(window),
      m_path(std::move(path)),
      m_log(log ? std::move(log) : Log(ToStandardError)) {}

QString LayoutKeeper::PathFor(const QString& workDir) {
    return QDir::cleanPath(
        QDir(workDir).filePath(QStringLiteral("../cfg/") + QString::fromUtf8(LayoutFile::kFileName)));
}

bool LayoutKeeper::Restore() {
    QString problem;
    const std::optional<SavedLayout> saved = LayoutFile::Read(m_path, problem);
    if (!saved) {
        if (!problem.isEmpty()) {
            m_log(QStringLiteral("%1 ignored (%2); the default layout is used").arg(m_path, problem));
        }
        return false;
    }
    Apply(*saved);
    m_log(QStringLiteral("restored from %1").arg(m_path));
    return true;
}

void LayoutKeeper::Apply(const SavedLayout& layout) {
    if (!layout.geometry.isEmpty() && !m_window.restoreGeometry(layout.geometry)) {
        m_log(QStringLiteral("the main window's saved size is unreadable; the initial size is kept"));
    }
    if (!layout.account.empty() && layout.account != m_runtime.Engine().CurrentAccountId() &&
        !m_window.Actions().MakeCurrent(layout.account)) {
        m_log(QStringLiteral("the saved account %1 is unknown; the current account is kept")
                  .arg(QString::fromStdString(layout.account)));
    }
    for (const SavedLayout::ToolWindow& tool : layout.toolWindows) {
        if (!m_window.OpenTool(tool.type, tool.dockName)) {
            m_log(QStringLiteral("no component offers the tool window %1 any more; skipped").arg(tool.type));
        }
    }
    if (!layout.state.isEmpty() && !m_window.restoreState(layout.state, kStateVersion)) {
        m_log(QStringLiteral("the docks' saved arrangement is unreadable; the tool windows are docked anew"));
    }
    if (!layout.category.isEmpty()) {
        m_window.Watch()->ShowCategoryTitled(layout.category);
    }
    m_window.Watch()->SetColumnWidths(layout.columnWidths);
}

void LayoutKeeper::Start() {
    // Docks are sized by the layout pass that showing the window asked for; before it the
    // arrangement would differ from itself a moment later.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    m_saved = Capture();
    if (!m_autosave) {
        m_autosave = new QTimer(this);
        connect(m_autosave, &QTimer::timeout, this, &LayoutKeeper::Save);
        m_window.installEventFilter(this);
        // Also a quit that closes no window: a signal, --quit-after.
        connect(qApp, &QCoreApplication::aboutToQuit, this, &LayoutKeeper::Save);
    }
    m_autosave->start(kAutosaveMs);
}

bool LayoutKeeper::Save() {
    SavedLayout now = Capture();
    if (m_saved && now == *m_saved) {
        return true;
    }
    QString problem;
    if (!LayoutFile::Write(m_path, now, problem)) {
        m_log(QStringLiteral("cannot save %1: %2").arg(m_path, problem));
        return false;
    }
    m_saved = std::move(now);
    return true;
}

SavedLayout LayoutKeeper::Capture() const {
    SavedLayout layout;
    layout.geometry = m_window.saveGeometry();
    layout.state = m_window.saveState(kStateVersion);
    for (const ToolDock* dock : m_window.ToolDocks()) {
        layout.toolWindows.push_back({dock->Type(), dock->objectName()});
    }
    layout.account = m_runtime.Engine().CurrentAccountId();
    layout.category = m_window.Watch()->CategoryTitle();
    layout.columnWidths = m_window.Watch()->ColumnWidths();
    return layout;
}

bool LayoutKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::Close) {
        Save();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace Terminal::Ui
