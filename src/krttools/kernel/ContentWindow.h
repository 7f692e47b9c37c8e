#pragma once

#include "kora/interface/ContentWindowI.h"

namespace Kora::Kernel {

// The glue's content-window base: every operation has its quiet default, so a wrapper overrides
// only what its dialog needs. Text properties: a title, the window's type name and a service
// key naming the service GetKeyedService looks up ("Kora.Platform.Service." + key).
class ContentWindow : public virtual Interface::ContentWindowI {
public:
    void Initialize() override {}
    void SetParent(Interface::WindowHandle) override {}
    Interface::WindowHandle GetParent() override { return nullptr; }
    void Redraw() override {}
    void Show(bool) override {}
    void Move(int, int, int, int) override {}
    Interface::LRESULT PreTranslateMessage(const Interface::WindowMessage&) override { return 0; }
    Interface::WindowHandle GetHwnd() override { return nullptr; }
    void PreDestroy(const Utility::WStringMap&) override {}
    Interface::LRESULT OnMsg(Interface::UINT, Interface::WPARAM, Interface::LPARAM) override { return 1; }

    bool IsModified(int32_t) override { return false; }
    bool CanClose(int32_t) override { return false; }
    bool SaveState(int32_t) override { return false; }
    bool SetTooltip(Utility::SharedWString) override { return false; }
    int32_t GetStyle() override { return 0; }

    const QString& SetTitle(const QString& title) override { return m_title = title; }
    const QString& GetTitle() const override { return m_title; }
    const QString& SetTypeName(const QString& typeName) override { return m_typeName = typeName; }
    const QString& GetTypeName() const override { return m_typeName; }
    const QString& SetServiceKey(const QString& serviceKey) override { return m_serviceKey = serviceKey; }
    const QString& GetServiceKey() const override { return m_serviceKey; }
    int32_t SetTag(int32_t tag) override { return m_tag = tag; }
    int32_t GetTag() const override { return m_tag; }
    bool IsType(const QString& typeName) const override { return typeName == m_typeName; }

    bool OnNotify(const Json::Value&, Json::Value& result) override {
        result = Json::Value();
        return true;
    }
    Utility::Handle<Interface::ServiceInterfaceI> GetKeyedService() override;
    void SetUserHandle(Utility::Handle<Utility::Shared> handle) override { m_userHandle = std::move(handle); }
    Utility::Handle<Utility::Shared> GetUserHandle() const override { return m_userHandle; }

    Utility::SharedWString GetSavedParams(const QString&, const Utility::WStringMap&) override {
        return std::make_shared<QString>();
    }
    Utility::SharedWStringMapVector BuildMenu() override { return nullptr; }

    void Activate() override {}
    void Focus() override {}
    QString QueryParam(const Utility::WStringMap& params) override {
        return Utility::ValueOf(params, QStringLiteral("Function"));
    }

private:
    QString m_title;
    QString m_typeName;
    QString m_serviceKey;
    int32_t m_tag = 0;
    Utility::Handle<Utility::Shared> m_userHandle;
};

}  // namespace Kora::Kernel
