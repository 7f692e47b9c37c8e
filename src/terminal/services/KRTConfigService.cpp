#include "services/KRTConfigService.h"

#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"

namespace Terminal::Services {

using Kora::Utility::JsonInt;
using Kora::Utility::JsonText;
using Kora::Utility::Member;

KRTConfigService::KRTConfigService(ConfigStore& store, NormalMsgCenter& messages)
    : ServiceBase(QStringLiteral("配置服务")), m_store(store), m_messages(messages) {}

QFont KRTConfigService::DefaultFont() {
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPointSize(9);
    return font;
}

Json::Value KRTConfigService::GetValue(const QString& section, const QString& key) {
    return m_store.Value(section, key);
}

Json::Value KRTConfigService::GetSection(const QString& section) {
    return m_store.Section(section);
}

int32_t KRTConfigService::GetTriggerMode(const QString& category) {
    return JsonInt(m_store.Value(QStringLiteral("触发方式"), category)) == 1 ? 1 : 0;
}

Json::Value KRTConfigService::GetOrderSettings(const QString& category, const Json::Value& account) {
    const Json::Value section = m_store.Section(QStringLiteral("下单设置"));
    Json::Value settings = Member(section, category.toUtf8().constData());
    if (!settings.isObject()) {
        settings = Json::Value(Json::objectValue);
    }
    const std::string accountId = JsonText(account, "EAccountID");
    const Json::Value& overrides = Member(Member(section, "账户"), accountId.c_str());
    if (!accountId.empty() && overrides.isObject()) {
        for (const std::string& name : overrides.getMemberNames()) {
            settings[name] = overrides[name];
        }
    }
    return settings;
}

Kora::Interface::ColorRef KRTConfigService::GetColor(const QString& name) {
    return m_store.Color(name).value_or(0);
}

QFont KRTConfigService::GetFont(const QString& name) {
    return m_store.Font(name).value_or(DefaultFont());
}

void KRTConfigService::ChangeValue(const QString& section, const QString& key, const Json::Value& value) {
    m_store.SetValue(section, key, value);
    Json::Value payload(Json::objectValue);
    payload["Section"] = section.toStdString();
    payload["Key"] = key.toStdString();
    m_messages.Post(Kora::Interface::Topic::kUserChangeParam, payload, 0);
}

}  // namespace Terminal::Services
