// The skinned header's reports to its list.

#include <gtest/gtest.h>

#include "support/WaitUntil.h"

#include <QTest>
#include <algorithm>

#include "ladder/CKoraListEx.h"
#include "ladder/QuickMouseMessages.h"

namespace {

// A list that keeps what its header tells it.
class ReportedList : public CKoraListEx {
public:
    struct Report {
        Win::UINT message;
        int column;
        int flag;
        bool operator==(const Report&) const = default;
    };

    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override {
        if (message == QuickMouseMsg::kHeaderColumnResized) {
            resized = {static_cast<int>(wParam), *reinterpret_cast<const QRect*>(lParam)};
        } else if (message == QuickMouseMsg::kHeaderLayout) {
            ++layouts;
        } else {
            reports.push_back(
                {message, static_cast<int>(static_cast<intptr_t>(wParam)), static_cast<int>(lParam)});
        }
        return CKoraListEx::OnMessage(message, wParam, lParam);
    }

    std::vector<Report> reports;
    std::pair<int, QRect> resized{-1, {}};
    int layouts = 0;
};

class SkinHeader : public ::testing::Test {
protected:
    void SetUp() override {
        list.InsertColumn(0, QStringLiteral("挂单"), 60);
        list.InsertColumn(1, QStringLiteral("价格"), 90);
        list.resize(300, 200);
        list.show();
        list.reports.clear();
    }
    QWidget* header() { return &list.Header(); }

    ReportedList list;
};

TEST_F(SkinHeader, ReportsTheColumnAndWhetherThePointerIsInTheLowerLineOfATwoLineHeader) {
    QTest::mousePress(header(), Qt::LeftButton, {}, QPoint(30, 10));
    QTest::mouseRelease(header(), Qt::LeftButton, {}, QPoint(100, 30));
    QTest::mouseDClick(header(), Qt::LeftButton, {}, QPoint(100, 40));
    QTest::mousePress(header(), Qt::RightButton, {}, QPoint(250, 30));
    QTest::mouseMove(header(), QPoint(20, 23));
    ASSERT_GE(list.reports.size(), 5u);
    const auto& r = list.reports;
    using Report = ReportedList::Report;
    EXPECT_EQ(r[0], (Report{QuickMouseMsg::kHeaderPress, 0, 0}));
    EXPECT_EQ(r[1], (Report{QuickMouseMsg::kHeaderRelease, 1, 1}));
    EXPECT_EQ(r.back().message, QuickMouseMsg::kHeaderMove);
    EXPECT_EQ(r.back().flag, 1) << "just below the middle of 44 pixels";
    const auto reported = [&](Win::UINT message, int column) {
        return std::any_of(r.begin(), r.end(), [&](const auto& report) {
            return report.message == message && report.column == column;
        });
    };
    EXPECT_TRUE(reported(QuickMouseMsg::kHeaderDoubleClick, 1));
    EXPECT_TRUE(reported(QuickMouseMsg::kHeaderRightPress, -1)) << "beyond the last column";

    // A one-line header reports flag 0 everywhere.
    HeaderStyle style;
    style.lines = 1;
    style.height = 30;
    list.SetHeaderStyle(style);
    list.reports.clear();
    for (int y : {2, 14, 16, 28}) {
        QTest::mousePress(header(), Qt::LeftButton, {}, QPoint(30, y));
        QTest::mouseRelease(header(), Qt::LeftButton, {}, QPoint(30, y));
    }
    ASSERT_EQ(list.reports.size(), 8u);
    EXPECT_TRUE(std::all_of(r.begin(), r.end(), [](const auto& report) { return report.flag == 0; }));
}

TEST_F(SkinHeader, DraggingADividerResizesTheColumnAndReportsIt) {
    const int layoutsBefore = list.layouts;
    QTest::mousePress(header(), Qt::LeftButton, {}, QPoint(59, 10));
    QTest::mouseMove(header(), QPoint(80, 10));
    QTest::mouseRelease(header(), Qt::LeftButton, {}, QPoint(80, 10));
    EXPECT_EQ(list.ColumnWidth(0), 81);
    EXPECT_EQ(list.resized.first, 0);
    EXPECT_EQ(list.resized.second.width(), 81);
    EXPECT_TRUE(list.reports.empty()) << "a resize is no press or release";
    list.resize(320, 200);
    EXPECT_EVENTUALLY_TRUE(list.layouts > layoutsBefore);
    EXPECT_EQ(list.Header().height(), 44) << "the layout keeps the configured height";
}

}  // namespace
