#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

// A working folder of the test's own: `bin` in a fresh folder, as in the run layout, so what a
// tool reads or writes beside it (../cfg/...) starts missing and never touches another test's
// files. The previous working folder comes back when it goes, whether the test passed or not.
class OwnWorkingFolder {
public:
    OwnWorkingFolder() {
        EXPECT_TRUE(m_root.isValid() && QDir(m_root.path()).mkpath(QStringLiteral("bin")) &&
                    QDir::setCurrent(m_root.filePath(QStringLiteral("bin"))));
    }
    ~OwnWorkingFolder() { QDir::setCurrent(m_previous); }
    OwnWorkingFolder(const OwnWorkingFolder&) = delete;
    OwnWorkingFolder& operator=(const OwnWorkingFolder&) = delete;

    // A path relative to the folder that holds `bin`.
    QString FilePath(const QString& relative) const { return m_root.filePath(relative); }

private:
    QTemporaryDir m_root;
    QString m_previous = QDir::currentPath();
};
