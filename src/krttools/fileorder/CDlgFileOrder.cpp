#include "fileorder/CDlgFileOrder.h"

CDlgFileOrder::CDlgFileOrder(QWidget* parent) : CKrDlgOperate(kTemplateId, parent) {}

CDlgFileOrder::~CDlgFileOrder() = default;
