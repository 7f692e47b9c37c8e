#pragma once

#include <QString>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Kora::Utility {

// Parameters of content windows and instructs: an ordered map from wide text to wide text.
using WStringMap = std::map<QString, QString>;
using SharedWStringMapVector = std::shared_ptr<std::vector<WStringMap>>;
using SharedWString = std::shared_ptr<QString>;

// Json strings are UTF-8; text inside the component is wide. These convert at the boundary.
inline QString ToWide(const std::string& utf8) {
    return QString::fromStdString(utf8);
}
inline std::string ToUtf8(const QString& text) {
    return text.toStdString();
}

// The value of key in map, or fallback when it is absent.
inline QString ValueOf(const WStringMap& map, const QString& key, const QString& fallback = {}) {
    auto it = map.find(key);
    return it == map.end() ? fallback : it->second;
}

}  // namespace Kora::Utility
