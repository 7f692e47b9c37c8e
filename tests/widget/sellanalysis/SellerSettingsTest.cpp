#include <QLineEdit>

#include "analysis/CDlgOptionSellAnalySet.h"
#include "support/OptionToolFixture.h"

namespace {

using Settings = CDlgOptionSellAnalySet;

class SellerSettings : public OptionToolFixture {
protected:
    // Fills the four entries (step, rows, calmer, wilder) and confirms.
    void Confirm(Settings& settings, const char* step, const char* rows, const char* calmer,
                 const char* wilder) {
        SetText(settings, Settings::kStepEdit, step);
        SetText(settings, Settings::kRowsEdit, rows);
        SetText(settings, Settings::kCalmerEdit, calmer);
        SetText(settings, Settings::kWilderEdit, wilder);
        settings.Confirm();
    }
};

TEST_F(SellerSettings, EmptyEntriesKeepTheValuesInEffectAndFilledOnesTakeEffect) {
    OptionPricing::SellLadder inEffect;
    inEffect.stepPercent = 5;
    Settings settings(inEffect);
    settings.Create();
    EXPECT_EQ(Win::FindControl<QLineEdit>(&settings, Settings::kStepEdit)->placeholderText(), "5");
    EXPECT_TRUE(Text(settings, Settings::kStepEdit).isEmpty());
    Confirm(settings, "", " 6 ", "2.5", "");
    EXPECT_TRUE(t.boxes.empty());
    EXPECT_EQ(settings.result(), QDialog::Accepted);
    EXPECT_EQ(settings.Ladder().stepPercent, 5);
    EXPECT_EQ(settings.Ladder().rowsEachSide, 6);
    EXPECT_EQ(settings.Ladder().calmerPercent, 2.5);
    EXPECT_EQ(settings.Ladder().wilderPercent, 5);
}

TEST_F(SellerSettings, ALadderThatCannotBeDrawnIsRefusedAndTheDialogStays) {
    struct Case {
        const char* step;
        const char* rows;
        const char* calmer;
        const char* wilder;
        const char* message;
    };
    const Case cases[] = {
        {"0", "", "", "", "每档价格变动百分比必须大于 0!"},
        {"", "0", "", "", "上下档数必须是 1 到 20 之间的整数!"},
        {"", "2.5", "", "", "上下档数必须是 1 到 20 之间的整数!"},
        {"10", "10", "", "", "每档价格变动百分比与档数之积必须小于 100!"},
        {"", "", "100", "", "波动率趋平的百分比必须不小于 0 且小于 100!"},
        {"", "", "", "-1", "波动率加剧的百分比必须不小于 0 且小于 100!"},
        {"abc", "", "", "", "请输入数字!"},
    };
    for (const Case& c : cases) {
        Settings settings(OptionPricing::SellLadder{});
        settings.Create();
        t.boxes.clear();
        Confirm(settings, c.step, c.rows, c.calmer, c.wilder);
        EXPECT_EQ(t.BoxTexts(), QStringList{QString::fromUtf8(c.message)}) << c.step << "/" << c.rows;
        EXPECT_EQ(t.boxes.empty() ? QString() : t.boxes[0].title, "提示");
        EXPECT_NE(settings.result(), QDialog::Accepted);
        EXPECT_EQ(settings.Ladder().stepPercent, 10);
    }
}

}  // namespace
