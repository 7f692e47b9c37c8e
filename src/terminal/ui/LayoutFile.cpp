#include "ui/LayoutFile.h"

#include <json/value.h>
#include <json/writer.h>

#include <QFile>
#include <QSaveFile>

#include "kora/utility/JsonAccess.h"

namespace Terminal::Ui::LayoutFile {

namespace {

constexpr const char* kFormat = "krt-terminal layout";
constexpr int kVersion = 1;
// A layout is a few kilobytes; anything much larger is not one, and is not read whole.
constexpr qint64 kLargest = 1 << 20;
constexpr int kWidest = 10000;

// A reason that a member cannot be read; thrown inside Parse only.
struct Unreadable {
    QString reason;
};

const Json::Value* Optional(const Json::Value& object, const char* key, Json::ValueType type,
                            const char* typeName) {
    const Json::Value& member = Kora::Utility::Member(object, key);
    if (member.isNull()) {
        return nullptr;
    }
    if (member.type() != type) {
        throw Unreadable{
            QStringLiteral("\"%1\" is not %2").arg(QString::fromUtf8(key), QString::fromUtf8(typeName))};
    }
    return &member;
}

std::string OptionalText(const Json::Value& object, const char* key) {
    const Json::Value* member = Optional(object, key, Json::stringValue, "text");
    return member ? member->asString() : std::string();
}

QByteArray OptionalBytes(const Json::Value& object, const char* key) {
    const QByteArray::FromBase64Result decoded = QByteArray::fromBase64Encoding(
        QByteArray::fromStdString(OptionalText(object, key)), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) {
        throw Unreadable{QStringLiteral("\"%1\" is not base64").arg(QString::fromUtf8(key))};
    }
    return decoded.decoded;
}

std::string Base64(const QByteArray& bytes) {
    return bytes.toBase64().toStdString();
}

SavedLayout Read(const Json::Value& root) {
    if (!root.isObject() || Kora::Utility::JsonText(root, "Format") != kFormat) {
        throw Unreadable{QStringLiteral("not a layout of this terminal")};
    }
    const Json::Value& version = root["Version"];
    if (!version.isInt() || version.asInt() != kVersion) {
        throw Unreadable{QStringLiteral("a layout of another version (%1)")
                             .arg(QString::fromStdString(Kora::Utility::JsonToLine(version)))};
    }
    SavedLayout layout;
    if (const Json::Value* window = Optional(root, "MainWindow", Json::objectValue, "an object")) {
        layout.geometry = OptionalBytes(*window, "Geometry");
        layout.state = OptionalBytes(*window, "State");
    }
    if (const Json::Value* tools = Optional(root, "ToolWindows", Json::arrayValue, "a list")) {
        for (const Json::Value& tool : *tools) {
            if (!tool.isObject() || OptionalText(tool, "Type").empty()) {
                throw Unreadable{QStringLiteral("a tool window without a \"Type\"")};
            }
            layout.toolWindows.push_back({QString::fromStdString(OptionalText(tool, "Type")),
                                          QString::fromStdString(OptionalText(tool, "Dock"))});
        }
    }
    layout.account = OptionalText(root, "Account");
    if (const Json::Value* watch = Optional(root, "MarketWatch", Json::objectValue, "an object")) {
        layout.category = QString::fromStdString(OptionalText(*watch, "Category"));
        if (const Json::Value* widths = Optional(*watch, "ColumnWidths", Json::objectValue, "an object")) {
            for (auto width = widths->begin(); width != widths->end(); ++width) {
                if (!width->isInt() || width->asInt() <= 0 || width->asInt() > kWidest) {
                    throw Unreadable{QStringLiteral("a column width that is not a number of pixels")};
                }
                layout.columnWidths[QString::fromStdString(width.name())] = width->asInt();
            }
        }
    }
    return layout;
}

}  // namespace

std::string Compose(const SavedLayout& layout) {
    Json::Value root(Json::objectValue);
    root["Format"] = kFormat;
    root["Version"] = kVersion;
    Json::Value& window = root["MainWindow"];
    window["Geometry"] = Base64(layout.geometry);
    window["State"] = Base64(layout.state);
    Json::Value& tools = root["ToolWindows"] = Json::Value(Json::arrayValue);
    for (const SavedLayout::ToolWindow& tool : layout.toolWindows) {
        Json::Value& entry = tools.append(Json::Value(Json::objectValue));
        entry["Type"] = tool.type.toStdString();
        entry["Dock"] = tool.dockName.toStdString();
    }
    root["Account"] = layout.account;
    Json::Value& watch = root["MarketWatch"];
    watch["Category"] = layout.category.toStdString();
    Json::Value& widths = watch["ColumnWidths"] = Json::Value(Json::objectValue);
    for (const auto& [title, width] : layout.columnWidths) {
        widths[title.toStdString()] = width;
    }
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "  ";
    writer["emitUTF8"] = true;
    return Json::writeString(writer, root) + "\n";
}

std::optional<SavedLayout> Parse(const std::string& text, QString& problem) {
    Json::Value root;
    if (!Kora::Utility::JsonParse(text, root)) {
        problem = QStringLiteral("not Json");
        return std::nullopt;
    }
    try {
        return Read(root);
    } catch (const Unreadable& unreadable) {
        problem = unreadable.reason;
        return std::nullopt;
    }
}

std::optional<SavedLayout> Read(const QString& path, QString& problem) {
    QFile file(path);
    if (!file.exists()) {
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        problem = file.errorString();
        return std::nullopt;
    }
    if (file.size() > kLargest) {
        problem = QStringLiteral("%1 bytes, too large for a layout").arg(file.size());
        return std::nullopt;
    }
    return Parse(file.readAll().toStdString(), problem);
}

bool Write(const QString& path, const SavedLayout& layout, QString& problem) {
    QSaveFile file(path);
    const std::string text = Compose(layout);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), qint64(text.size())) != qint64(text.size()) || !file.commit()) {
        problem = file.errorString();
        return false;
    }
    return true;
}

}  // namespace Terminal::Ui::LayoutFile
