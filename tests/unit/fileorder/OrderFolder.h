#pragma once

#include <QDir>
#include <QTemporaryDir>

#include "fileorder/FileOrderConfig.h"

// A run layout in a temporary folder: the order, archive, position and money folders.
struct OrderFolder {
    QTemporaryDir root;
    FileOrderConfig config;

    OrderFolder() {
        config.orderFolder = root.filePath("Order");
        config.archiveFolder = root.filePath("Archive");
        config.positionFolder = root.filePath("Position");
        config.moneyFolder = root.filePath("Money");
        config.CreateMissingFolders();
    }

    QString Order(const QString& name) const { return QDir(config.orderFolder).filePath(name); }
    QString Archive(const QString& name) const { return QDir(config.archiveFolder).filePath(name); }
    QStringList OrderFiles() const { return QDir(config.orderFolder).entryList(QDir::Files, QDir::Name); }
    QStringList ArchivedFiles() const {
        return QDir(config.archiveFolder).entryList(QDir::Files, QDir::Name);
    }
};
