#include "fileorder/CDlgFileOrder.h"

#include <QVBoxLayout>

#include "fileorder/CReadFile.h"
#include "fileorder/CWriteFile.h"
#include "fileorder/CombinationRequest.h"
#include "kernel/EngineLog.h"
#include "kernel/HostAccess.h"
#include "kora/interface/AccountI.h"
#include "kora/interface/AddinI.h"
#include "kora/interface/FrameServicesI.h"
#include "kora/interface/KRTEngineI.h"
#include "kora/utility/JsonAccess.h"
#include "platform/DialogPalette.h"
#include "trading/CategoryPolicy.h"
#include "trading/CombinationOrder.h"
#include "trading/OrderLog.h"

namespace I = Kora::Interface;
namespace K = Kora::Kernel;
using Kora::Utility::Handle;
using Kora::Utility::JsonText;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;

namespace {

bool IsNone(const Json::Value& accounts) {
    return !(accounts.isArray() || accounts.isObject()) || accounts.empty();
}

}  // namespace

CDlgFileOrder::CDlgFileOrder(QWidget* parent, const QString& configPath)
    : CKrDlgOperate(kTemplateId, parent) {
    setObjectName(QStringLiteral("CDlgFileOrder"));
    setWindowTitle(QStringLiteral("文件下单"));
    // It shows itself while the trader works elsewhere: it must not take the keyboard away.
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(this);
    m_status = new FileOrderStatusView(this);
    layout->addWidget(m_status);
    resize(540, 340);
    Win::ApplyLightDialogPalette(*this);

    FileOrderConfig config = FileOrderConfig::Load(configPath);
    config.CreateMissingFolders();
    m_readFile = std::make_unique<CReadFile>(this, config);
    m_writeFile = std::make_unique<CWriteFile>(config);
    m_status->SetConfig(config, m_readFile->IsWatchingFolder());
}

CDlgFileOrder::~CDlgFileOrder() {
    // The scanner goes first: once it is gone no scan can post to this window any more.
    m_readFile.reset();
    m_writeFile.reset();
}

Win::LRESULT CDlgFileOrder::OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) {
    if (message == CReadFile::kFileOrderMessage) {
        if (const Json::Value* request = Win::PayloadValue<Json::Value>(static_cast<uintptr_t>(lParam))) {
            m_queue.push_back(*request);
            ProcessQueue();
        }
        return 1;
    }
    if (message == CReadFile::kPageDoneMessage) {
        PageAnswered(wParam == 1, static_cast<int64_t>(lParam));
        return 1;
    }
    if (message == CReadFile::kAccountLoginMessage) {
        ProcessQueue();
        return 1;
    }
    if (message == CReadFile::kStalledFilesMessage) {
        if (const Json::Value* files = Win::PayloadValue<Json::Value>(static_cast<uintptr_t>(lParam))) {
            ShowStalled(*files);
        }
        return 1;
    }
    return CKrDlgOperate::OnMessage(message, wParam, lParam);
}

void CDlgFileOrder::ProcessQueue() {
    while (m_ready && !m_queue.empty()) {
        Handle<I::KRTEngineI> engine = K::GetService<I::KRTEngineI>();
        Handle<I::VirtualAccountMgrI> virtualAccounts = K::GetService<I::VirtualAccountMgrI>();
        if (!engine || !virtualAccounts) {
            break;
        }
        // Without a logged-in stock-option account the files wait for the next notice (a file,
        // a page closed, an account logged in).
        Json::Value accounts = engine->GetAccountsByCategory(CategoryPolicy::kStockOptionCategory);
        if (IsNone(accounts)) {
            break;
        }
        const Json::Value records = virtualAccounts->GetVirtualAccounts(accounts);
        const Json::Value file = std::move(m_queue.front());
        m_queue.pop_front();
        const QString fileName = JsonWText(Member(file, "FileName"));
        const Json::Value* account =
            CombinationRequest::FindAccount(records, JsonText(Member(file, "Account")));
        if (!account) {
            K::WriteLog(K::kLogError,
                        QStringLiteral("文件下单|订单文件的账号不是已登录的个股期权账号,未下单|%1|%2")
                            .arg(fileName, JsonWText(Member(file, "Account"))));
            continue;
        }
        if (!OpenCombinationPage(*account, Member(file, "Order"), fileName)) {
            K::WriteLog(K::kLogError,
                        QStringLiteral("文件下单|组合下单页面未打开,订单文件未下单|") + fileName);
        }
    }
    ShowProgress();
}

bool CDlgFileOrder::OpenCombinationPage(const Json::Value& account, const Json::Value& rows,
                                        const QString& fileName) {
    if (!K::GetService<I::KRTAddinPublicI>()) {
        return false;
    }
    const Json::Value request = CombinationRequest::Build(account, rows);
    for (const OrderTicket& leg : CombinationRequest::Legs(JsonWText(Member(account, "EAccountID")), rows)) {
        OrderLog::WriteLeg(leg, windowTitle());
    }
    Handle<I::UIFrameI> frame = K::GetService<I::UIFrameI>();
    I::WindowHandle mainWindow = frame ? frame->GetMainWindow() : nullptr;
    m_ready = false;
    m_pageId.reset();
    m_pageFile = fileName;
    m_answeredWhileOpening = false;
    const uint64_t thisRequest = ++m_pageRequests;
    m_opening = true;
    I::WindowHandle page = CombinationOrder::OpenPage(request, mainWindow);
    m_opening = false;
    if (thisRequest != m_pageRequests) {
        return page != nullptr;  // a page run by a loop of its own let a later file open its page
    }
    if (!page || m_answeredWhileOpening) {
        // None opened; or one with a loop of its own was answered before it was handed back,
        // and may be gone already.
        m_ready = true;
        m_pageFile.clear();
        return page != nullptr;
    }
    // The answers name their page by the "PageID" its window carries. A host whose pages carry
    // none cannot say which page answered: then any answer releases the queue.
    m_pageId = CombinationOrder::PageIdOf(page);
    return true;
}

void CDlgFileOrder::PageAnswered(bool named, int64_t pageId) {
    if (m_opening) {
        m_answeredWhileOpening = true;  // settled once the page is handed back
        return;
    }
    if (named && m_pageId && pageId != *m_pageId) {
        return;  // a page someone else opened, by hand or from another tool
    }
    m_ready = true;
    m_pageId.reset();
    m_pageFile.clear();
    ProcessQueue();
}

void CDlgFileOrder::ShowProgress() {
    m_status->SetProgress(m_pageFile, m_queue.size());
}

void CDlgFileOrder::ShowStalled(const Json::Value& files) {
    m_status->SetStalled(files);
    std::set<QString> names;
    for (const Json::Value& file : files) {
        names.insert(JsonWText(Member(file, "FileName")));
    }
    const bool anyNew = std::any_of(names.begin(), names.end(),
                                    [&](const QString& name) { return !m_stalledShown.count(name); });
    m_stalledShown = names;
    if (names.empty()) {
        if (m_shownForStall) {
            hide();
            m_shownForStall = false;
        }
    } else if (anyNew) {
        m_shownForStall = m_shownForStall || isHidden();
        show();
        raise();
    }
}
