// The owner-drawn grid: texts come from the owner by row and key, clicks go to the owner with
// where they landed, and in-place edits hand back exactly one answer or none.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "CKrOwnerDrawList.h"
#include "support/MessageRecorder.h"

namespace {

class OwnerDrawList : public ::testing::Test {
protected:
    void SetUp() override {
        list = new CKrOwnerDrawList(&owner);
        list->InsertColumn(QStringLiteral("名称"), QStringLiteral("64"), 120, CKrOwnerDrawList::kText);
        list->InsertColumn(QStringLiteral("Delta"), QStringLiteral("Delta"), 80,
                           CKrOwnerDrawList::kSignedFigure);
        list->SetTextSource(
            [](int row, const QString& key) { return QStringLiteral("%1:%2").arg(key).arg(row); });
        list->SetItemCount(3);
        list->resize(220, 120);
        owner.resize(240, 140);
        owner.show();
    }

    MessageRecorder owner;
    CKrOwnerDrawList* list = nullptr;
};

TEST_F(OwnerDrawList, ClickTellsTheOwnerWhichCellAndWhereAndCellsAskTheOwnerByKey) {
    const QRect cell = list->CellRect(1, 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.topLeft() + QPoint(7, 4));
    const auto clicks = owner.Of(CKrOwnerDrawList::kCellClicked);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].wParam, 1u);
    EXPECT_EQ(clicks[0].lParam, reinterpret_cast<Win::LPARAM>(list));
    EXPECT_EQ(list->LastClick().row, 1);
    EXPECT_EQ(list->LastClick().key, QStringLiteral("Delta"));
    EXPECT_EQ(list->LastClick().inCell, QPoint(7, 4));
    EXPECT_EQ(list->SelectedRows(), std::vector<int>{1});

    EXPECT_EQ(list->CellText(2, 1), QStringLiteral("Delta:2"));
    EXPECT_EQ(list->CellText(3, 1), QString()) << "beyond the rows";
    list->SetItemCount(1);
    EXPECT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(list->ColumnOf(QStringLiteral("Delta")), 1);
    EXPECT_EQ(list->columnWidth(0), 120);
}

TEST_F(OwnerDrawList, InPlaceEditsAnswerOnceOrNotAtAll) {
    QStringList answers;
    list->EditCell(list->CellRect(0, 0), QStringLiteral("3"),
                   [&](const QString& text) { answers.append(text); });
    list->CellEditor()->setText(QStringLiteral("7"));
    QTest::keyClick(list->CellEditor(), Qt::Key_Return);
    list->setFocus();  // leaving the edit afterwards answers nothing more
    EXPECT_EQ(answers, QStringList{QStringLiteral("7")});

    list->EditCell(list->CellRect(0, 0), QStringLiteral("3"),
                   [&](const QString& text) { answers.append(text); });
    QTest::keyClick(list->CellEditor(), Qt::Key_Escape);
    EXPECT_FALSE(list->CellEditor()->isVisible());
    EXPECT_EQ(answers.size(), 1) << "Escape drops the edit";

    list->ChooseInCell(list->CellRect(1, 0), {QStringLiteral("买入"), QStringLiteral("卖出")},
                       QStringLiteral("买入"), [&](const QString& text) { answers.append(text); });
    emit list->CellChooser()->activated(1);
    EXPECT_EQ(answers.last(), QStringLiteral("卖出"));
}

}  // namespace
