#include "frame/PlaceholderToolDialog.h"

#include <QLabel>
#include <QVBoxLayout>

PlaceholderToolDialog::PlaceholderToolDialog(int templateId, const QString& title, QWidget* parent)
    : CKrDlgOperate(templateId, parent) {
    setWindowTitle(title);
}

bool PlaceholderToolDialog::OnInitDialog() {
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(windowTitle(), this);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    return CKrDlgOperate::OnInitDialog();
}
