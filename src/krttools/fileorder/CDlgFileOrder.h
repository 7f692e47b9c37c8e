#pragma once

#include <json/value.h>

#include <deque>
#include <memory>
#include <optional>
#include <set>

#include "CKrDlgOperate.h"
#include "fileorder/FileOrderConfig.h"
#include "fileorder/FileOrderStatusView.h"

class CReadFile;
class CWriteFile;

// The window that runs file orders, hidden while all goes well. It owns the order-file scanner
// and the position and money writer, queues the files the scanner hands it (message 5121), and
// turns one file at a time into a combination order request for the host's combination order
// page. The next file waits until that page is confirmed or closed (message 5160): only the
// answer of the page this window opened releases it, not one of a page someone else opened.
// Files that arrive while no stock-option account is logged in wait in the queue until one
// logs in (message 5161). When a file stays locked by its writer for 30 seconds, holding the
// files behind it, the window shows itself with that file (message 5162) and hides again once
// no file is stalled.
//
// Everything here runs on the user-interface thread; the scanner reaches it only by messages.
class CDlgFileOrder : public CKrDlgOperate {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 11002;

    // Reads the configuration from `configPath` (relative to the working folder by default)
    // and creates the scanner and the writer.
    explicit CDlgFileOrder(QWidget* parent = nullptr,
                           const QString& configPath = FileOrderConfig::DefaultPath());
    ~CDlgFileOrder() override;

    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override;

    bool IsReady() const { return m_ready; }
    size_t QueuedFiles() const { return m_queue.size(); }
    CReadFile& Scanner() { return *m_readFile; }
    CWriteFile& Writer() { return *m_writeFile; }
    FileOrderStatusView& Status() { return *m_status; }

private:
    void ProcessQueue();
    // Opens the page for the file's rows on the account record, each leg's order-log line
    // written first; false when the host opened none.
    bool OpenCombinationPage(const Json::Value& account, const Json::Value& rows, const QString& fileName);
    void PageAnswered(bool named, int64_t pageId);
    void ShowStalled(const Json::Value& files);
    void ShowProgress();

    bool m_ready = true;
    // Counts pages asked for, so a page request that answers nothing restores the ready flag
    // only when no other page was opened meanwhile (a page may run a nested event loop).
    uint64_t m_pageRequests = 0;
    // The open page's "PageID", when the host gave its page one, and the file it shows.
    std::optional<int64_t> m_pageId;
    QString m_pageFile;
    // While the host opens a page, and whether an answer came meanwhile.
    bool m_opening = false;
    bool m_answeredWhileOpening = false;
    std::deque<Json::Value> m_queue;
    std::set<QString> m_stalledShown;
    bool m_shownForStall = false;
    FileOrderStatusView* m_status = nullptr;
    std::unique_ptr<CReadFile> m_readFile;
    std::unique_ptr<CWriteFile> m_writeFile;
};
