#pragma once

#include <json/value.h>

#include <QWidget>

#include "fileorder/FileOrderConfig.h"

class QLabel;
class QTableWidget;

// The face of the file-order window: where the gateway looks for order files and how often,
// what it is doing now (the file whose combination page awaits an answer, the files queued
// behind it), and the order files whose writers have held them locked for 30 seconds or more,
// each of which holds every later file back.
class FileOrderStatusView : public QWidget {
    Q_OBJECT
public:
    enum StalledColumn { kFileColumn, kSinceColumn, kStateColumn, kStalledColumnCount };

    explicit FileOrderStatusView(QWidget* parent = nullptr);

    void SetConfig(const FileOrderConfig& config, bool watchingFolder);
    // The file whose page is open (empty: none) and how many files wait behind it.
    void SetProgress(const QString& pageFile, size_t queuedFiles);
    // The stalled files as the scanner reports them: [{"FileName", "Since"}].
    void SetStalled(const Json::Value& files);

    QTableWidget* Stalled() const { return m_stalled; }

private:
    QLabel* m_orderFolder = nullptr;
    QLabel* m_archiveFolder = nullptr;
    QLabel* m_scanning = nullptr;
    QLabel* m_page = nullptr;
    QLabel* m_queued = nullptr;
    QTableWidget* m_stalled = nullptr;
};
