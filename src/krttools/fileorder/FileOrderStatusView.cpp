#include "fileorder/FileOrderStatusView.h"

#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "kora/utility/JsonAccess.h"

using Kora::Utility::JsonWText;
using Kora::Utility::Member;

namespace {

constexpr int kColumnWidths[FileOrderStatusView::kStalledColumnCount] = {230, 80, 120};

QLabel* ValueLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString FolderText(const QString& folder) {
    return folder.isEmpty() ? QStringLiteral("(未配置)")
                            : QDir::toNativeSeparators(QDir(folder).absolutePath());
}

}  // namespace

FileOrderStatusView::FileOrderStatusView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    m_orderFolder = ValueLabel(this);
    m_archiveFolder = ValueLabel(this);
    m_scanning = ValueLabel(this);
    m_page = ValueLabel(this);
    m_queued = ValueLabel(this);
    form->addRow(QStringLiteral("订单文件路径:"), m_orderFolder);
    form->addRow(QStringLiteral("归档路径:"), m_archiveFolder);
    form->addRow(QStringLiteral("扫描:"), m_scanning);
    form->addRow(QStringLiteral("组合下单页面:"), m_page);
    form->addRow(QStringLiteral("排队文件:"), m_queued);
    layout->addLayout(form);

    auto* group = new QGroupBox(QStringLiteral("被锁定的订单文件"), this);
    auto* groupLayout = new QVBoxLayout(group);
    auto* hint = new QLabel(
        QStringLiteral("写入方锁定超过30秒的订单文件留在原处等待释放,其后的订单文件都在它之后等待。"), group);
    hint->setWordWrap(true);
    groupLayout->addWidget(hint);
    m_stalled = new QTableWidget(0, kStalledColumnCount, group);
    m_stalled->setHorizontalHeaderLabels(
        {QStringLiteral("订单文件"), QStringLiteral("锁定开始"), QStringLiteral("状态")});
    for (int column = 0; column < kStalledColumnCount; ++column) {
        m_stalled->setColumnWidth(column, kColumnWidths[column]);
    }
    m_stalled->horizontalHeader()->setStretchLastSection(true);
    m_stalled->verticalHeader()->hide();
    m_stalled->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_stalled->setSelectionBehavior(QAbstractItemView::SelectRows);
    groupLayout->addWidget(m_stalled);
    layout->addWidget(group, 1);

    SetProgress(QString(), 0);
}

void FileOrderStatusView::SetConfig(const FileOrderConfig& config, bool watchingFolder) {
    m_orderFolder->setText(FolderText(config.orderFolder));
    m_archiveFolder->setText(FolderText(config.archiveFolder));
    m_scanning->setText(
        watchingFolder ? QStringLiteral("每%1秒,订单文件路径有变化时立即扫描").arg(config.scanIntervalSeconds)
                       : QStringLiteral("每%1秒(订单文件路径无法监视)").arg(config.scanIntervalSeconds));
}

void FileOrderStatusView::SetProgress(const QString& pageFile, size_t queuedFiles) {
    m_page->setText(pageFile.isEmpty() ? QStringLiteral("空闲") : QStringLiteral("等待确认: ") + pageFile);
    m_queued->setText(QStringLiteral("%1个").arg(queuedFiles));
}

void FileOrderStatusView::SetStalled(const Json::Value& files) {
    m_stalled->setRowCount(0);
    if (!files.isArray()) {
        return;
    }
    for (const Json::Value& file : files) {
        const int row = m_stalled->rowCount();
        m_stalled->insertRow(row);
        const QString texts[kStalledColumnCount] = {JsonWText(Member(file, "FileName")),
                                                    JsonWText(Member(file, "Since")),
                                                    QStringLiteral("等待写入方释放")};
        for (int column = 0; column < kStalledColumnCount; ++column) {
            m_stalled->setItem(row, column, new QTableWidgetItem(texts[column]));
        }
    }
}
