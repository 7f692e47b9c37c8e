#include "TerminalRun.h"

#include <signal.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

#include "host/Journal.h"

namespace {

constexpr int kStartMs = 30000;
constexpr int kStopMs = 30000;

}  // namespace

FileOrderLayout::FileOrderLayout(int scanSeconds) {
    QDir root(m_root.path());
    m_valid = m_root.isValid() && root.mkpath("bin") && root.mkpath("cfg");
    for (const char* folder : {"Order", "Archive", "Position", "Money"}) {
        m_valid = m_valid && root.mkpath(QStringLiteral("FileOrder/") + folder);
    }
    QFile config(root.filePath("cfg/FileOrderCfg.ini"));
    m_valid =
        m_valid && config.open(QIODevice::WriteOnly) &&
        config.write(QStringLiteral("[Main]\n订单文件路径=../FileOrder/Order\n文件扫描间隔=%1\n"
                                    "订单文件归档路径=../FileOrder/Archive\n"
                                    "持仓文件路径=../FileOrder/Position\n资金文件路径=../FileOrder/Money\n")
                         .arg(scanSeconds)
                         .toUtf8()) > 0;
}

QString FileOrderLayout::WorkDir() const {
    return m_root.filePath("bin");
}

QString FileOrderLayout::JournalPath() const {
    return m_root.filePath("journal.jsonl");
}

QString FileOrderLayout::Folder(const QString& name) const {
    return m_root.filePath("FileOrder/" + name);
}

QStringList FileOrderLayout::Files(const QString& folder) const {
    return QDir(Folder(folder)).entryList(QDir::Files, QDir::Name);
}

QString FileOrderLayout::OrderFilePath(const QString& account, int sequence) const {
    return QDir(Folder("Order")).filePath(QStringLiteral("%1_Order_%2.dbf").arg(account).arg(sequence));
}

std::vector<Json::Value> FileOrderLayout::Combinations() const {
    std::vector<Json::Value> found;
    for (const Json::Value& entry : Terminal::Journal::ReadFile(JournalPath())) {
        if (entry["Kind"] == "Combination") {
            found.push_back(entry);
        }
    }
    return found;
}

std::vector<std::string> FirstLegContracts(const std::vector<Json::Value>& combinations) {
    std::vector<std::string> contracts;
    for (const Json::Value& line : combinations) {
        contracts.push_back(line["Request"]["OrderList"][0]["Contract"]["ContractCode"].asString());
    }
    return contracts;
}

TerminalProcess::TerminalProcess(QString binFolder)
    : m_binFolder(binFolder.isEmpty() ? qEnvironmentVariable("KRT_DIST_BIN") : std::move(binFolder)) {}

TerminalProcess::~TerminalProcess() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(kStopMs);
    }
}

bool TerminalProcess::Start(const FileOrderLayout& layout, bool autoConfirm) {
    QStringList arguments{QStringLiteral("--headless"), QStringLiteral("--workdir"), layout.WorkDir(),
                          QStringLiteral("--journal"), layout.JournalPath()};
    if (autoConfirm) {
        arguments << QStringLiteral("--auto-confirm");
    }
    m_errors.clear();
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setReadChannel(QProcess::StandardError);
    m_process.start(QDir(m_binFolder).filePath(QStringLiteral("krt-terminal")), arguments);
    if (!m_process.waitForStarted(kStartMs)) {
        return false;
    }
    // The component's file-order window exists once the terminal says it is loaded.
    QDeadlineTimer deadline(kStartMs);
    while (!m_errors.contains(QStringLiteral("component loaded"))) {
        if (m_errors.contains(QStringLiteral("without the component")) || deadline.hasExpired() ||
            !m_process.waitForReadyRead(int(deadline.remainingTime()))) {
            return false;
        }
        m_errors += QString::fromUtf8(m_process.readAllStandardError());
    }
    return true;
}

int TerminalProcess::Stop() {
    ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
    const bool ended = m_process.waitForFinished(kStopMs);
    m_errors += QString::fromUtf8(m_process.readAllStandardError());
    return ended && m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}
