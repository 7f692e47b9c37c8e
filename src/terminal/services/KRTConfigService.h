#pragma once

#include "host/ConfigStore.h"
#include "host/NormalMsgCenter.h"
#include "host/ServiceBase.h"
#include "kora/interface/KRTConfigI.h"

namespace Terminal::Services {

// "Kora.Platform.Service.KRTConfig": the terminal's settings (ConfigStore) by Chinese section
// and key. Trigger modes come from "触发方式" (0 when the category is unknown); order settings
// are "下单设置"[category] with "下单设置"."账户"[EAccountID] laid over them (an empty object when
// neither exists). Colours are looked up in "颜色", then as the "背景色" of a "按钮样式" entry;
// an unknown colour answers 0 (black) and an unknown font the default font (Noto Sans CJK SC,
// 9 points).
class KRTConfigService : public ServiceBase<Kora::Interface::KRTConfigI> {
public:
    KRTConfigService(ConfigStore& store, NormalMsgCenter& messages);

    Json::Value GetValue(const QString& section, const QString& key) override;
    Json::Value GetSection(const QString& section) override;
    int32_t GetTriggerMode(const QString& category) override;
    Json::Value GetOrderSettings(const QString& category, const Json::Value& account) override;
    Kora::Interface::ColorRef GetColor(const QString& name) override;
    QFont GetFont(const QString& name) override;

    // The user changed a setting: stores it and posts "UserChangeParam" {"Section", "Key"}.
    void ChangeValue(const QString& section, const QString& key, const Json::Value& value);

    static QFont DefaultFont();

private:
    ConfigStore& m_store;
    NormalMsgCenter& m_messages;
};

}  // namespace Terminal::Services
