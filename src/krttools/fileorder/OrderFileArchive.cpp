#include "fileorder/OrderFileArchive.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <QDir>
#include <QFile>

namespace {

bool Fail(QString* error, const QString& reason) {
    if (error) {
        *error = reason;
    }
    return false;
}

QString SystemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

}  // namespace

bool IsPlainFileName(const QString& fileName) {
    return !fileName.isEmpty() && fileName != QStringLiteral(".") && fileName != QStringLiteral("..") &&
           !fileName.contains(QLatin1Char('/')) && !fileName.contains(QLatin1Char('\\')) &&
           !fileName.contains(QChar(0));
}

bool MoveToArchive(const QString& folder, const QString& archiveFolder, const QString& fileName,
                   QString* error) {
    if (!IsPlainFileName(fileName)) {
        return Fail(error, QStringLiteral("文件名无效"));
    }
    if (archiveFolder.isEmpty()) {
        return Fail(error, QStringLiteral("未配置归档路径"));
    }
    const QString source = QDir(folder).filePath(fileName);
    const QString target = QDir(archiveFolder).filePath(fileName);
    const QByteArray sourceName = QFile::encodeName(source);
    const QByteArray targetName = QFile::encodeName(target);
    if (std::rename(sourceName.constData(), targetName.constData()) == 0) {
        return true;
    }
    if (errno != EXDEV) {
        return Fail(error, SystemError());
    }
    const QString staging =
        QDir(archiveFolder).filePath(QStringLiteral(".") + fileName + QStringLiteral(".copying"));
    QFile::remove(staging);
    if (!QFile::copy(source, staging)) {
        QFile::remove(staging);
        return Fail(error, QStringLiteral("复制失败"));
    }
    if (std::rename(QFile::encodeName(staging).constData(), targetName.constData()) != 0) {
        QString reason = SystemError();
        QFile::remove(staging);
        return Fail(error, reason);
    }
    if (std::remove(sourceName.constData()) != 0) {
        // Keeping both copies would let the file be taken again; the original wins.
        QString reason = SystemError();
        QFile::remove(target);
        return Fail(error, reason);
    }
    return true;
}
