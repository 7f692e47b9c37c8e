#pragma once

#include <json/value.h>

#include <QRect>

#include "CKrDlgOperate.h"

class DlgQuickMouse;

// A frame dialog (template 11002) holding the stock quick-mouse dialog as its only child, inset
// by 5 pixels on each side.
class DlgFrame : public CKrDlgOperate {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 11002;

    explicit DlgFrame(QWidget* parent = nullptr);
    ~DlgFrame() override;

    void SetPageParams(const Json::Value& params) { m_pageParams = params; }
    const Json::Value& PageParams() const { return m_pageParams; }
    void SetWorkArea(const QRect& workArea);
    DlgQuickMouse* Child() const { return m_child; }

protected:
    bool OnInitDialog() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceChild();

    Json::Value m_pageParams;
    QRect m_workArea;
    DlgQuickMouse* m_child = nullptr;
};
