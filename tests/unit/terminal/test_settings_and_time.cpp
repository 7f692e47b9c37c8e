// Settings, theme and time: complete defaults, the user's file over them, and timers.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <set>

#include "TerminalTestSupport.h"
#include "kora/interface/Topics.h"
#include "services/ThemeImages.h"

using namespace Terminal;
using namespace TerminalTest;
using Kora::Utility::Handle;
namespace Topic = Kora::Interface::Topic;

namespace {

const QString kShortcuts = QStringLiteral("公共参数键盘下单设置");

TEST(SettingsTest, EveryShortcutItemHasItsOwnDefaultChord) {
    HostRuntime host(ScriptedOptions());
    const Json::Value section = host.Config().GetSection(kShortcuts);
    std::set<uint32_t> chords;
    auto take = [&](const Json::Value& item, const std::string& name) {
        ASSERT_TRUE(item["快捷键"].isInt() && item["控制键"].isInt()) << name;
        EXPECT_GT(item["快捷键"].asInt(), 0) << name;
        const uint32_t chord =
            uint32_t(item["快捷键"].asInt() & 0xFFFF) << 16 | uint32_t(item["控制键"].asInt() & 0xFFFF);
        EXPECT_TRUE(chords.insert(chord).second) << name << " shares its chord";
    };
    ASSERT_GE(section["下单快捷键"].size(), 2u);
    for (const Json::Value& order : section["下单快捷键"]) {
        take(order, "下单快捷键");
    }
    size_t items = 0;
    for (const std::string& name : section.getMemberNames()) {
        if (section[name].isObject() && section[name].isMember("快捷键")) {
            take(section[name], name);
            ++items;
        }
    }
    EXPECT_EQ(items, 13u);
    EXPECT_GE(section["数量设置快捷键"]["数量倍率"].asInt(), 1);
}

TEST(SettingsTest, NamedColoursAndFontsAreReadAndUnknownOnesGetTheDefault) {
    HostRuntime host(ScriptedOptions());
    EXPECT_EQ(host.Config().GetColor(QStringLiteral("快捷键下单板背景色")), 0x00F7F3EFu);
    EXPECT_EQ(host.Theme().GetColor(QStringLiteral("期权批量交易下单按钮")), 0x002122C6u);
    EXPECT_EQ(host.Config().GetColor(QStringLiteral("没有这个颜色")), 0u);
    EXPECT_TRUE(host.Theme().GetFont(QStringLiteral("期货快鼠加粗")).bold());
    EXPECT_FALSE(host.Theme().GetFont(QStringLiteral("期货快鼠普通")).bold());
    EXPECT_EQ(host.Config().GetFont(QStringLiteral("没有这个字体")).pointSize(), 9);
}

TEST(ThemeTest, EveryImageIsDrawnAndUnknownOnesAreNull) {
    HostRuntime host(ScriptedOptions());
    const auto names = Services::ThemeImageNames();
    EXPECT_EQ(names.size(), 35u);
    for (const auto& [category, name] : names) {
        const QPixmap image = host.Theme().GetImage(category, name);
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        const QImage pixels = image.toImage();
        bool drawn = false;
        for (int y = 0; y < pixels.height() && !drawn; ++y) {
            for (int x = 0; x < pixels.width() && !drawn; ++x) {
                drawn = qAlpha(pixels.pixel(x, y)) > 0;
            }
        }
        EXPECT_TRUE(drawn) << name.toStdString();
    }
    EXPECT_EQ(host.Theme().GetImage(QStringLiteral("交易"), QStringLiteral("交易买入按钮背景图")).size(),
              QSize(80, 28));
    EXPECT_EQ(host.Theme().GetImage(QStringLiteral("期权专业版"), QStringLiteral("问号")).size(),
              QSize(16, 16));
    EXPECT_TRUE(
        host.Theme().GetImage(QStringLiteral("期权专业版"), QStringLiteral("交易买入按钮背景图")).isNull());
    EXPECT_TRUE(host.Theme().GetImage(QStringLiteral("交易"), QStringLiteral("不存在")).isNull());
}

// A working folder bin/ with ../cfg/terminal.json beside it.
QString MakeWorkFolder(const QTemporaryDir& root, const QByteArray& settings) {
    QDir(root.path()).mkpath(QStringLiteral("bin"));
    QDir(root.path()).mkpath(QStringLiteral("cfg"));
    QFile file(root.filePath(QStringLiteral("cfg/terminal.json")));
    file.open(QIODevice::WriteOnly);
    file.write(settings);
    return root.filePath(QStringLiteral("bin"));
}

TEST(SettingsTest, TheUsersFileOverridesOnlyWhatItNames) {
    QTemporaryDir root;
    HostOptions options = ScriptedOptions();
    options.workDir = MakeWorkFolder(root, R"({"触发方式": {"期货": 1},
        "颜色": {"快捷键下单板背景色": "0x00112233"},
        "公共参数键盘下单设置": {"撤买快捷键": {"快捷键": 65, "控制键": 2}},
        "下单设置": {"账户": {"E1008": {"NeedPassword": true}}}})");
    HostRuntime host(options);
    EXPECT_TRUE(host.Settings().Problems().isEmpty());
    EXPECT_EQ(host.Config().GetTriggerMode(QStringLiteral("期货")), 1);
    EXPECT_EQ(host.Config().GetTriggerMode(QStringLiteral("股票")), 0);
    EXPECT_EQ(host.Config().GetColor(QStringLiteral("快捷键下单板背景色")), 0x00112233u);
    EXPECT_EQ(host.Config().GetColor(QStringLiteral("快捷键下单板文字色")), 0x00333333u);
    EXPECT_EQ(host.Config().GetValue(kShortcuts, QStringLiteral("撤买快捷键"))["快捷键"].asInt(), 65);
    EXPECT_EQ(host.Config().GetValue(kShortcuts, QStringLiteral("撤卖快捷键"))["快捷键"].asInt(), 121);

    const Json::Value account = JsonOf(R"({"EAccountID": "E1008"})");
    EXPECT_TRUE(host.Config().GetOrderSettings(QStringLiteral("期货"), account)["NeedPassword"].asBool());
    EXPECT_EQ(host.Config().GetOrderSettings(QStringLiteral("期货"), account)["DefaultHedge"].asString(),
              "1");
    EXPECT_FALSE(
        host.Config().GetOrderSettings(QStringLiteral("期货"), Json::Value())["NeedPassword"].asBool());
    EXPECT_TRUE(host.Config().GetOrderSettings(QStringLiteral("无此类别"), account).isObject());

    Handle<MessageRecorder> changes = host.Record({Topic::kUserChangeParam});
    host.Config().ChangeValue(kShortcuts, QStringLiteral("超价点数"), 2);
    host.Settle();
    EXPECT_EQ(host.Config().GetValue(kShortcuts, QStringLiteral("超价点数")).asInt(), 2);
    EXPECT_EQ(changes->Payloads(Topic::kUserChangeParam)[0]["Key"].asString(), "超价点数");
}

TEST(SettingsTest, AMalformedFileIsReportedAndTheShippedSettingsHold) {
    QTemporaryDir root;
    HostOptions options = ScriptedOptions();
    options.workDir = MakeWorkFolder(root, "{ not json");
    HostRuntime host(options);
    EXPECT_EQ(host.Settings().Problems().size(), 1);
    EXPECT_EQ(host.Config().GetColor(QStringLiteral("快捷键下单板背景色")), 0x00F7F3EFu);
}

TEST(TimeServiceTest, TimersFireAsTheClockMovesAndAnswerTheirIdentifierAndMalformedOnesAreRefused) {
    HostRuntime host(ScriptedOptions());
    Handle<MessageRecorder> ticks = host.Record({Topic::kTimerTick});
    Services::TimeService& time = host.Time();
    const Json::Value slow = time.CreateTimer(JsonOf(R"({"DueTime": 1000, "Period": 500})"));
    const Json::Value once = time.CreateTimer(JsonOf(R"({"DueTime": 1200, "Period": 0})"));
    ASSERT_FALSE(slow.isNull());
    ASSERT_NE(slow, once);
    EXPECT_TRUE(time.StartTimer(slow));
    EXPECT_TRUE(time.StartTimer(once));

    host.AdvanceClock(999);
    host.Settle();
    EXPECT_EQ(ticks->Count(Topic::kTimerTick), 0u);
    host.AdvanceClock(1001);  // now at 2000 ms: slow at 1000, 1500, 2000; once at 1200
    host.Settle();
    std::vector<Json::Value> fired;
    for (const Json::Value& payload : ticks->Payloads(Topic::kTimerTick)) {
        fired.push_back(payload["TimerID"]);
    }
    EXPECT_EQ(fired, (std::vector<Json::Value>{slow, once, slow, slow}));
    EXPECT_EQ(time.GetTickCount(), 2000u);
    EXPECT_EQ(time.GetCurrentTime(), QDateTime(kTradingDay, QTime(9, 30, 2), Qt::OffsetFromUTC, 8 * 3600));

    EXPECT_TRUE(time.StopTimer(slow));
    host.AdvanceClock(5000);
    host.Settle();
    EXPECT_EQ(ticks->Count(Topic::kTimerTick), 4u);
    EXPECT_TRUE(time.DestroyTimer(slow));
    EXPECT_FALSE(time.StartTimer(slow));
    EXPECT_EQ(time.RunningTimers(), 0u);

    // Malformed timers are refused.
    for (const char* timer : {R"({"DueTime": -1, "Period": 100})", R"({"DueTime": "soon", "Period": 100})",
                              R"({"DueTime": 100})", "5", "null"}) {
        EXPECT_TRUE(host.Time().CreateTimer(JsonOf(timer)).isNull()) << timer;
    }
    EXPECT_FALSE(host.Time().StartTimer(Json::Value("1")));
    EXPECT_FALSE(host.Time().StopTimer(Json::Value(99)));
}

TEST(TimeServiceTest, ARolledDayOpensOnTheNextWeekdayWithoutFiringTheNightsTimers) {
    HostRuntime host(ScriptedOptions());  // Friday 15 March
    Handle<MessageRecorder> ticks = host.Record({Topic::kTimerTick});
    const Json::Value second = host.Time().CreateTimer(JsonOf(R"({"DueTime": 1000, "Period": 1000})"));
    ASSERT_TRUE(host.Time().StartTimer(second));
    host.AdvanceClock(400);
    const Json::Value waiting =
        JsonOf(R"({"ExchangeCode": "DCE", "ContractCode": "m2408", "Trigger": {"Price": 3100}})");
    ASSERT_EQ(host.Conditions().Execute(QStringLiteral("-808-@"), waiting)["ErrorCode"].asInt(), 0);

    EXPECT_EQ(host.RollTradingDay(), QDate(2024, 3, 18));
    EXPECT_EQ(host.Time().GetCurrentTime(),
              QDateTime(QDate(2024, 3, 18), QTime(9, 30), Qt::OffsetFromUTC, 8 * 3600));
    EXPECT_EQ(host.Engine().GetProperty(QStringLiteral("TradingDay")).asInt(), 20240318);
    EXPECT_EQ(host.Conditions().Orders()[0].state, "已过期");
    host.Settle();
    EXPECT_EQ(ticks->Count(Topic::kTimerTick), 0u);
    host.AdvanceClock(600);  // what was left of the second
    host.Settle();
    EXPECT_EQ(ticks->Count(Topic::kTimerTick), 1u);
}

}  // namespace
