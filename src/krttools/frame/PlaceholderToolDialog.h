#pragma once

#include "CKrDlgOperate.h"

// Stands in for a tool dialog that this build does not have yet: a plain dialog that shows the
// tool's title and says it is not open yet, so the window type can still be opened, placed and
// closed.
class PlaceholderToolDialog : public CKrDlgOperate {
    Q_OBJECT
public:
    PlaceholderToolDialog(int templateId, const QString& title, QWidget* parent = nullptr);

protected:
    bool OnInitDialog() override;
};
