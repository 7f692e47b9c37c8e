#pragma once

#include <json/value.h>

#include <QFont>
#include <QString>
#include <QStringList>
#include <mutex>
#include <optional>

namespace Terminal {

// The terminal's settings: the shipped terminal.json compiled in, with the user's file
// (normally ../cfg/terminal.json of the working folder) laid over it member by member, so a key
// the user's file lacks keeps its shipped value. A missing user file leaves the shipped settings;
// a malformed one is reported (Problems) and ignored. Sections used by the services:
//   "触发方式"               quick-mouse trigger mode per category (0 single, 1 double click)
//   "下单设置"               order settings per category, "账户" per-account overrides
//   "公共参数键盘下单设置"   the shortcut keys and keyboard order switches
//   "颜色"                   colours by name, COLORREF (0x00BBGGRR) as "0x..." text or a number
//   "字体"                   fonts by name: {"Family", "PointSize", "Bold"}
//   "按钮样式"               button looks by name: {"背景色", "文字色", "边框色", "图片"}
//   "Simulator", "Engine"    the simulated market and engine
// Safe from any thread.
class ConfigStore {
public:
    explicit ConfigStore(const QString& userFile = {});

    // Null when absent.
    Json::Value Section(const QString& section) const;
    Json::Value Value(const QString& section, const QString& key) const;
    // Replaces a value for the rest of the session (not written to the file).
    void SetValue(const QString& section, const QString& key, const Json::Value& value);

    std::optional<uint32_t> Color(const QString& name) const;
    std::optional<QFont> Font(const QString& name) const;

    QString UserFile() const { return m_userFile; }
    QStringList Problems() const;

    static Json::Value Shipped();
    // A COLORREF written as "0x00BBGGRR", decimal text or a number.
    static std::optional<uint32_t> ParseColor(const Json::Value& value);

private:
    QString m_userFile;
    mutable std::mutex m_lock;
    Json::Value m_settings;
    QStringList m_problems;
};

}  // namespace Terminal
