#pragma once

#include <gtest/gtest.h>

#include <QSize>

#include "frame/ToolWindow.h"
#include "kora/utility/JsonAccess.h"
#include "platform/ControlId.h"
#include "support/ComponentOnHost.h"

// A tool window as the terminal opens it: made by type through the scripted terminal's
// content-window service by the component loaded in-process, placed at the top left, shown
// offscreen and destroyed with the test. `Dlg` is the dialog the window wraps.
template <class Dlg>
class ToolWindowOnHost : public ::testing::Test {
protected:
    void TearDown() override { Close(); }

    Terminal::HostRuntime& Host() { return t.Host(); }
    void Pump() { t.Pump(); }

    void OpenWindow(const QString& type, QSize size, const Kora::Utility::WStringMap& params = {}) {
        window = Host().ContentWindows().CreateContentWindow(type, params);
        ASSERT_TRUE(window) << type.toStdString();
        m_dialog = dynamic_cast<Dlg*>(dynamic_cast<ToolWindow&>(*window).Dialog());
        ASSERT_NE(m_dialog, nullptr) << type.toStdString();
        window->Move(0, 0, size.width(), size.height());
        window->Show(true);
        Pump();
    }
    void Close() {
        if (window) {
            Host().ContentWindows().DestroyContentWindow(window);
            window = nullptr;
            m_dialog = nullptr;
        }
    }

    Dlg& Dialog() { return *m_dialog; }
    // A control of the dialog by its identifier; a test fails when there is none.
    template <class T = QWidget>
    T* Control(int id) {
        T* control = Win::FindControl<T>(m_dialog, id);
        EXPECT_NE(control, nullptr) << "control " << id;
        return control;
    }

    // What the terminal was asked for, in order.
    std::vector<Json::Value> Orders() const { return t.Journal(QStringLiteral("Order")); }
    std::vector<Json::Value> Cancels() const { return t.Journal(QStringLiteral("Cancel")); }
    // A field of the terminal's own order record a journalled order request carries.
    static std::string Ext(const Json::Value& entry, const char* key) {
        return Kora::Utility::JsonText(entry["Request"]["Order"]["ExtRawData"], key);
    }
    // The working orders of an account, by the market.
    std::vector<Json::Value> WorkingOrders(const char* accountId) {
        Json::Value account(Json::objectValue);
        account["EAccountID"] = accountId;
        std::vector<Json::Value> working;
        for (const Json::Value& order : Host().Engine().GetOrders(account)) {
            const std::string status = Kora::Utility::JsonText(order, "156");
            if (status == "1" || status == "2") {
                working.push_back(order);
            }
        }
        return working;
    }

    ComponentOnHost t;
    Kora::Utility::Handle<Kora::Interface::ContentWindowI> window;

private:
    Dlg* m_dialog = nullptr;
};
