#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <QThread>
#include <thread>

#include "CKrDlg.h"
#include "kora/utility/Exception.h"
#include "platform/WinMessage.h"
#include "support/FaultRecorder.h"
#include "support/WaitUntil.h"

namespace {

class Receiver : public QObject, public Win::MessageWindow {
public:
    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override {
        messages.push_back(message);
        lastL = lParam;
        // Only this message carries owned data, as the sender and receiver agree per number.
        if (message == Win::WM_USER + 1505) {
            if (const QString* text = Win::PayloadValue<QString>(wParam)) {
                texts.push_back(*text);
            }
        }
        threadSeen = QThread::currentThread();
        return message + 1;
    }
    std::vector<Win::UINT> messages;
    std::vector<QString> texts;
    Win::LPARAM lastL = 0;
    QThread* threadSeen = nullptr;
};

// Counts live payloads so a test can see that each one is freed exactly once.
struct Counted {
    explicit Counted(int* live) : live(live) { ++*live; }
    Counted(Counted&& other) noexcept : live(other.live) { other.live = nullptr; }
    ~Counted() {
        if (live) {
            --*live;
        }
    }
    int* live;
};

TEST(WindowMessages, SendIsSynchronousPostIsQueued) {
    Receiver r;
    EXPECT_EQ(Win::SendMessage(&r, Win::WM_USER + 1, 7, -3), Win::WM_USER + 2);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.lastL, -3);

    EXPECT_TRUE(Win::PostMessage(&r, Win::WM_USER + 5, 1, 2));
    EXPECT_EQ(r.messages.size(), 1u);
    ASSERT_TRUE(WaitUntil([&] { return r.messages.size() == 2; }));
    EXPECT_EQ(r.messages.back(), Win::WM_USER + 5);
}

TEST(WindowMessages, TargetsThatCannotReceiveAreRefusedAndEveryPayloadIsFreedOnce) {
    QObject plain;
    EXPECT_FALSE(Win::PostMessage(&plain, Win::WM_USER, 0, 0));
    EXPECT_FALSE(Win::PostMessage(nullptr, Win::WM_USER, 0, 0));
    EXPECT_EQ(Win::SendMessage(&plain, Win::WM_USER, 0, 0), 0);
    int live = 0;
    EXPECT_FALSE(
        Win::PostMessage(&plain, Win::WM_USER, Win::MakePayload(Counted(&live)), Win::MakePayload(0)));
    EXPECT_EQ(live, 0);
    {
        Receiver r;
        ASSERT_TRUE(Win::PostMessage(&r, Win::WM_USER, Win::MakePayload(Counted(&live)),
                                     Win::MakePayload(Counted(&live))));
        EXPECT_EQ(live, 2);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(live, 0) << "posted to a window that died first";
}

TEST(WindowMessages, PostsFromAHostThreadAreHandledOnTheWindowsThreadWithTheirPayloads) {
    Receiver r;
    std::thread worker([&] {
        Win::PostMessage(&r, Win::WM_USER + 1505, Win::MakePayload(QStringLiteral("十手")),
                         Win::MakePayload(std::vector<QString>{"a", "b"}));
    });
    worker.join();
    ASSERT_TRUE(WaitUntil([&] { return !r.texts.empty(); }));
    EXPECT_EQ(r.texts.front(), "十手");
    EXPECT_EQ(r.threadSeen, QThread::currentThread());
}

// A window whose handler throws (here the glue's null-handle exception of a missing service)
// while the event loop delivers a posted message or a timer: the exception unwound through Qt
// into the terminal's loop and ended the terminal. It is reported with the window and the
// message, and the window goes on receiving.
class FailingDialog : public CKrDlg {
public:
    FailingDialog() : CKrDlg(11001) { setObjectName(QStringLiteral("出错窗口")); }
    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override {
        if (message == Win::WM_USER + 77) {
            throw Kora::Utility::NullHandleException(QStringLiteral("KoraUtility/Handle"), 36);
        }
        handled.push_back(message);
        return CKrDlg::OnMessage(message, wParam, lParam);
    }
    std::vector<Win::UINT> handled;

protected:
    void OnTimer(int id) override { throw std::runtime_error("timer " + std::to_string(id)); }
};

TEST(EventLoopEntries, AHandlerThatThrowsEndedTheTerminalAndIsNowLoggedWithItsWindowAndMessageAndSkipped) {
    FaultRecorder faults;
    FailingDialog dialog;
    ASSERT_TRUE(Win::PostMessage(&dialog, Win::WM_USER + 77, 0, 0));
    ASSERT_TRUE(Win::PostMessage(&dialog, Win::WM_USER + 78, 0, 0));
    dialog.SetTimer(5, 1);
    ASSERT_TRUE(WaitUntil([&] { return faults.Faults().size() >= 2 && !dialog.handled.empty(); }));
    dialog.KillTimer(5);

    EXPECT_EQ(dialog.handled, std::vector<Win::UINT>{Win::WM_USER + 78});
    const auto caught = faults.Faults();
    EXPECT_EQ(caught[0].first, QStringLiteral("(anonymous namespace)::FailingDialog(出错窗口)|消息1101"));
    EXPECT_EQ(caught[0].second, QStringLiteral("KoraUtility/Handle:36: Kora::NullHandleException"));
    EXPECT_EQ(caught[1].first, QStringLiteral("(anonymous namespace)::FailingDialog(出错窗口)|定时器5"));
    EXPECT_EQ(caught[1].second, QStringLiteral("std::runtime_error: timer 5"));
}

}  // namespace
