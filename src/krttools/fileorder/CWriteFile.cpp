#include "fileorder/CWriteFile.h"

#include <QDir>
#include <QFileInfo>
#include <array>
#include <cstdio>
#include <utility>

#include "fileorder/DbfTable.h"
#include "fileorder/OrderFileArchive.h"
#include "kernel/EngineLog.h"
#include "kernel/HostAccess.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/KRTEngineI.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "trading/CategoryPolicy.h"

namespace I = Kora::Interface;
namespace K = Kora::Kernel;
using Kora::Utility::Handle;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;

namespace {

using FieldSource = std::pair<const char*, const char*>;  // file field, engine record key

constexpr std::array<FieldSource, 8> kPositionFields{{{"Available", Field::kClosableVolume},
                                                      {"Contract", Field::kContractCode},
                                                      {"Covered", Field::kCoveredFlag},
                                                      {"Direction", Field::kDirection},
                                                      {"Exchange", Field::kExchangeCode},
                                                      {"OpenPrice", Field::kAveragePrice},
                                                      {"OptionType", Field::kOptionKind},
                                                      {"Voume", Field::kPositionVolume}}};

constexpr std::array<FieldSource, 7> kMoneyFields{{{"Available", Field::kAvailable},
                                                   {"CashAsset", Field::kCash},
                                                   {"Currency", Field::kCurrency},
                                                   {"FetchMoney", Field::kWithdrawable},
                                                   {"Margin", Field::kMargin},
                                                   {"RiskDegree", Field::kRiskDegree},
                                                   {"TotalAsset", Field::kTotalAsset}}};

// A record value as field text: text as it is, whole numbers in decimal, other numbers with up
// to 15 significant digits (so 0.1 is "0.1", not its binary expansion), missing values blank.
std::string FieldText(const Json::Value& value) {
    if (value.isString()) {
        return value.asString();
    }
    if (value.isInt64() || value.isUInt64()) {
        return value.asString();
    }
    if (value.isDouble()) {
        char text[40];
        std::snprintf(text, sizeof text, "%.15g", value.asDouble());
        return text;
    }
    if (value.isBool()) {
        return value.asBool() ? "1" : "0";
    }
    return {};
}

// A record is an object of numbered members; a collection is an array or an object of records.
bool IsCollection(const Json::Value& value) {
    if (value.isArray()) {
        return true;
    }
    if (!value.isObject() || value.empty()) {
        return false;
    }
    for (const Json::Value& member : value) {
        if (!member.isObject()) {
            return false;
        }
    }
    return true;
}

template <size_t N>
Json::Value BuildRows(const Json::Value& records, const std::array<FieldSource, N>& fields) {
    Json::Value rows(Json::arrayValue);
    auto addRow = [&](const Json::Value& record) {
        if (!record.isObject()) {
            return;
        }
        Json::Value row(Json::objectValue);
        for (const auto& [field, key] : fields) {
            row[field] = FieldText(Member(record, key));
        }
        rows.append(std::move(row));
    };
    if (IsCollection(records)) {
        for (const Json::Value& record : records) {
            addRow(record);
        }
    } else {
        addRow(records);
    }
    return rows;
}

// Cuts text to at most width bytes without splitting a UTF-8 character.
std::string FitToWidth(std::string text, size_t width) {
    if (text.size() <= width) {
        return text;
    }
    size_t cut = width;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    text.resize(cut);
    return text;
}

}  // namespace

CWriteFile::CWriteFile(FileOrderConfig config) : m_config(std::move(config)) {
    Subscriptions().Subscribe(I::Topic::kPositionChanged);
    Subscriptions().Subscribe(I::Topic::kOfflineOrderFile);
}

CWriteFile::~CWriteFile() {
    Detach();
}

void CWriteFile::OnMsg(const QString& topic, const Json::Value& payload, const Json::Value&) {
    if (topic == I::Topic::kPositionChanged) {
        WriteAccountFiles(JsonWText(Member(payload, "AccountID")));
    } else if (topic == I::Topic::kOfflineOrderFile) {
        ArchiveOrderFile(JsonWText(Member(payload, "FileName")));
    }
}

void CWriteFile::WriteAccountFiles(const QString& accountId) {
    std::lock_guard lock(m_lock);
    if (!IsPlainFileName(accountId)) {
        // The identifier becomes part of a file name; one that could name another folder is refused.
        K::WriteLog(K::kLogError,
                    QStringLiteral("文件下单|账号标识不能用作文件名,未写持仓和资金文件|") + accountId);
        return;
    }
    Handle<I::KRTEngineI> engine = K::GetService<I::KRTEngineI>();
    if (!engine) {
        return;
    }
    if (CategoryPolicy::OfAccount(accountId).kind() != CategoryPolicy::Kind::kStockOption) {
        return;
    }
    Json::Value account(Json::objectValue);
    account["EAccountID"] = Kora::Utility::ToUtf8(accountId);
    WriteFile(m_config.positionFolder, accountId + QStringLiteral("_Position.dbf"),
              PositionRows(engine->GetPositions(account)));
    WriteFile(m_config.moneyFolder, accountId + QStringLiteral("_Money.dbf"),
              MoneyRows(engine->GetMoney(account)));
}

void CWriteFile::ArchiveOrderFile(const QString& fileName) {
    std::lock_guard lock(m_lock);
    // The scanner archives what it takes before announcing it, so normally nothing is left;
    // a file announced by someone else is archived as it always was.
    if (!IsPlainFileName(fileName) || m_config.orderFolder.isEmpty() ||
        !QFileInfo::exists(QDir(m_config.orderFolder).filePath(fileName))) {
        return;
    }
    QString error;
    if (!MoveToArchive(m_config.orderFolder, m_config.archiveFolder, fileName, &error)) {
        K::WriteLog(K::kLogError, QStringLiteral("文件下单|订单文件归档失败|%1|%2").arg(fileName, error));
    }
}

Json::Value CWriteFile::PositionRows(const Json::Value& positions) {
    return BuildRows(positions, kPositionFields);
}

Json::Value CWriteFile::MoneyRows(const Json::Value& money) {
    return BuildRows(money, kMoneyFields);
}

bool CWriteFile::WriteRows(const QString& path, const Json::Value& rows) {
    DbfTable table;
    if (rows.isArray() && !rows.empty() && rows[0].isObject()) {
        std::vector<std::string> names;
        for (const std::string& name : rows[0].getMemberNames()) {
            if (!table.AddField(name, 'C', kFieldWidth)) {
                break;
            }
            names.push_back(name);
        }
        for (const Json::Value& row : rows) {
            std::vector<std::string> values;
            values.reserve(names.size());
            for (const std::string& name : names) {
                values.push_back(FitToWidth(FieldText(Member(row, name.c_str())), kFieldWidth));
            }
            table.AddRecord(values);
        }
    }
    return table.WriteFile(path);
}

void CWriteFile::WriteFile(const QString& folder, const QString& name, const Json::Value& rows) {
    if (folder.isEmpty()) {
        return;
    }
    const QString path = QDir(folder).filePath(name);
    if (!WriteRows(path, rows)) {
        K::WriteLog(K::kLogError, QStringLiteral("文件下单|写文件失败|") + path);
    }
}
