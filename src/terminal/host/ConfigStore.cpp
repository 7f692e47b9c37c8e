#include "host/ConfigStore.h"

#include <QFile>

#include "kora/utility/JsonAccess.h"

namespace Terminal {

using Kora::Utility::JsonBool;
using Kora::Utility::JsonInt;
using Kora::Utility::JsonText;
using Kora::Utility::Member;

namespace {

void Overlay(Json::Value& base, const Json::Value& over) {
    for (const std::string& name : over.getMemberNames()) {
        if (base[name].isObject() && over[name].isObject()) {
            Overlay(base[name], over[name]);
        } else {
            base[name] = over[name];
        }
    }
}

bool ReadJsonFile(const QString& path, Json::Value& value) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && Kora::Utility::JsonParse(file.readAll().toStdString(), value);
}

}  // namespace

Json::Value ConfigStore::Shipped() {
    static const Json::Value shipped = [] {
        Json::Value value(Json::objectValue);
        ReadJsonFile(QStringLiteral(":/terminal/terminal.json"), value);
        return value;
    }();
    return shipped;
}

ConfigStore::ConfigStore(const QString& userFile) : m_userFile(userFile), m_settings(Shipped()) {
    if (userFile.isEmpty() || !QFile::exists(userFile)) {
        return;
    }
    Json::Value user;
    if (!ReadJsonFile(userFile, user) || !user.isObject()) {
        m_problems << QStringLiteral("配置文件格式错误，已使用默认设置: %1").arg(userFile);
        return;
    }
    Overlay(m_settings, user);
}

Json::Value ConfigStore::Section(const QString& section) const {
    std::lock_guard lock(m_lock);
    return Member(m_settings, section.toUtf8().constData());
}

Json::Value ConfigStore::Value(const QString& section, const QString& key) const {
    std::lock_guard lock(m_lock);
    return Member(Member(m_settings, section.toUtf8().constData()), key.toUtf8().constData());
}

void ConfigStore::SetValue(const QString& section, const QString& key, const Json::Value& value) {
    std::lock_guard lock(m_lock);
    Json::Value& target = m_settings[section.toStdString()];
    if (!target.isObject()) {
        target = Json::Value(Json::objectValue);
    }
    target[key.toStdString()] = value;
}

QStringList ConfigStore::Problems() const {
    std::lock_guard lock(m_lock);
    return m_problems;
}

std::optional<uint32_t> ConfigStore::ParseColor(const Json::Value& value) {
    if (value.isIntegral()) {
        const int64_t n = JsonInt(value, -1);
        return n >= 0 && n <= 0xFFFFFFFF ? std::optional(uint32_t(n)) : std::nullopt;
    }
    if (!value.isString()) {
        return std::nullopt;
    }
    bool ok = false;
    const uint32_t colour = QString::fromStdString(value.asString()).trimmed().toUInt(&ok, 0);
    return ok ? std::optional(colour) : std::nullopt;
}

std::optional<uint32_t> ConfigStore::Color(const QString& name) const {
    if (auto colour = ParseColor(Value(QStringLiteral("颜色"), name))) {
        return colour;
    }
    return ParseColor(Member(Value(QStringLiteral("按钮样式"), name), "背景色"));
}

std::optional<QFont> ConfigStore::Font(const QString& name) const {
    const Json::Value entry = Value(QStringLiteral("字体"), name);
    if (!entry.isObject()) {
        return std::nullopt;
    }
    QFont font(QString::fromStdString(JsonText(entry, "Family", "Noto Sans CJK SC")));
    const int64_t size = JsonInt(entry, "PointSize", 9);
    font.setPointSize(size > 0 && size < 200 ? int(size) : 9);
    font.setBold(JsonBool(entry, "Bold", false));
    return font;
}

}  // namespace Terminal
