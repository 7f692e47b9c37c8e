#include "frame/PlaceholderToolDialog.h"

#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

PlaceholderToolDialog::PlaceholderToolDialog(int templateId, const QString& title, QWidget* parent)
    : CKrDlgOperate(templateId, parent) {
    setWindowTitle(title);
}

bool PlaceholderToolDialog::OnInitDialog() {
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    auto* title = new QLabel(windowTitle(), this);
    title->setAlignment(Qt::AlignCenter);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    title->setFont(titleFont);
    layout->addWidget(title);
    // A trader who opens it should know at once that nothing here takes orders yet.
    auto* notice = new QLabel(QStringLiteral("该工具暂未开放，敬请期待"), this);
    notice->setAlignment(Qt::AlignCenter);
    notice->setEnabled(false);
    layout->addWidget(notice);
    layout->addStretch(1);
    return CKrDlgOperate::OnInitDialog();
}
