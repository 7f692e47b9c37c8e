#pragma once

#include <json/value.h>

#include <deque>
#include <memory>

#include "CKrDlgOperate.h"
#include "fileorder/FileOrderConfig.h"

class CReadFile;
class CWriteFile;

// The hidden window that runs file orders. It owns the order-file scanner and the position and
// money writer, queues the files the scanner hands it (message 5121), and turns one file at a
// time into a combination order request for the host's combination order page. The next file
// waits until that page is confirmed or closed (message 5160); files that arrive while no
// stock-option account is logged in wait in the queue until one logs in (message 5161).
//
// Everything here runs on the user-interface thread; the scanner reaches it only by messages.
class CDlgFileOrder : public CKrDlgOperate {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 11002;
    static constexpr int kCombinationPageId = 1001;
    static constexpr int kCombinationFunction = 706;
    static constexpr int kStockOptionCategory = 6;

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

private:
    void ProcessQueue();
    bool OpenCombinationPage(const Json::Value& request);

    bool m_ready = true;
    // Counts pages asked for, so a page request that answers nothing restores the ready flag
    // only when no other page was opened meanwhile (a page may run a nested event loop).
    uint64_t m_pageRequests = 0;
    std::deque<Json::Value> m_queue;
    std::unique_ptr<CReadFile> m_readFile;
    std::unique_ptr<CWriteFile> m_writeFile;
};
