#pragma once

#include <json/value.h>

#include "kora/interface/ServiceInterfaceI.h"
#include "kora/interface/WindowTypes.h"

namespace Kora::Interface {

// A tool window that the host places in its layout. The host creates it through a provider,
// parents, shows and moves it, hands it keys, calls PreDestroy, then drops its last handle.
class KORA_API ContentWindowI : public virtual Utility::Shared {
public:
    virtual void Initialize() = 0;
    virtual void SetParent(WindowHandle parent) = 0;
    virtual WindowHandle GetParent() = 0;
    virtual void Redraw() = 0;
    virtual void Show(bool show) = 0;
    virtual void Move(int x, int y, int width, int height) = 0;
    // Non-zero when the window consumed the message.
    virtual LRESULT PreTranslateMessage(const WindowMessage& message) = 0;
    virtual WindowHandle GetHwnd() = 0;
    // Announces destruction: the window drops its subscriptions here.
    virtual void PreDestroy(const Utility::WStringMap& params) = 0;
    virtual LRESULT OnMsg(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    virtual bool IsModified(int32_t what) = 0;
    virtual bool CanClose(int32_t reason) = 0;
    virtual bool SaveState(int32_t what) = 0;
    virtual bool SetTooltip(Utility::SharedWString text) = 0;
    virtual int32_t GetStyle() = 0;

    virtual const QString& SetTitle(const QString& title) = 0;
    virtual const QString& GetTitle() const = 0;
    virtual const QString& SetTypeName(const QString& typeName) = 0;
    virtual const QString& GetTypeName() const = 0;
    virtual const QString& SetServiceKey(const QString& serviceKey) = 0;
    virtual const QString& GetServiceKey() const = 0;
    virtual int32_t SetTag(int32_t tag) = 0;
    virtual int32_t GetTag() const = 0;
    virtual bool IsType(const QString& typeName) const = 0;

    // A notification from the host or a linked window ({"Function": ..., ...}).
    virtual bool OnNotify(const Json::Value& message, Json::Value& result) = 0;
    // The service named by the service key ("Kora.Platform.Service." + key).
    virtual Utility::Handle<ServiceInterfaceI> GetKeyedService() = 0;
    virtual void SetUserHandle(Utility::Handle<Utility::Shared> handle) = 0;
    virtual Utility::Handle<Utility::Shared> GetUserHandle() const = 0;

    // Saved parameters for a key such as "NewParam" or "SaveParam".
    virtual Utility::SharedWString GetSavedParams(const QString& key, const Utility::WStringMap& params) = 0;
    // The window's context menu: maps with "ID" and "Text" (empty pointer: no menu).
    virtual Utility::SharedWStringMapVector BuildMenu() = 0;

    virtual void Activate() = 0;
    virtual void Focus() = 0;
    // The value of "Function" in params (empty when absent).
    virtual QString QueryParam(const Utility::WStringMap& params) = 0;
};

// Offered by a component: which window types it has, and creating one.
class KORA_API ContentWindowProviderI : public virtual Utility::Shared {
public:
    // Empty for a type the provider does not have (compared case-sensitively).
    virtual Utility::Handle<ContentWindowI> CreateContentWindow(const QString& type,
                                                                const Utility::WStringMap& params) = 0;
    // Maps with exactly "Type", "Name", "Public" and "MenuName".
    virtual Utility::SharedWStringMapVector GetWindowTypes() = 0;
};

// A content window that also takes Json commands ({"Function": "QuickMouse"}).
class KORA_API Do2I : public virtual Utility::Shared {
public:
    virtual Json::Value Do(const Json::Value& command) = 0;
};

}  // namespace Kora::Interface
