#include "fileorder/CDlgFileOrder.h"

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
    FileOrderConfig config = FileOrderConfig::Load(configPath);
    config.CreateMissingFolders();
    m_readFile = std::make_unique<CReadFile>(this, config);
    m_writeFile = std::make_unique<CWriteFile>(config);
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
        m_ready = true;
        ProcessQueue();
        return 1;
    }
    if (message == CReadFile::kAccountLoginMessage) {
        ProcessQueue();
        return 1;
    }
    return CKrDlgOperate::OnMessage(message, wParam, lParam);
}

void CDlgFileOrder::ProcessQueue() {
    while (m_ready && !m_queue.empty()) {
        Handle<I::KRTEngineI> engine = K::GetService<I::KRTEngineI>();
        Handle<I::VirtualAccountMgrI> virtualAccounts = K::GetService<I::VirtualAccountMgrI>();
        if (!engine || !virtualAccounts) {
            return;
        }
        // Without a logged-in stock-option account the files wait for the next notice (a file,
        // a page closed, an account logged in).
        Json::Value accounts = engine->GetAccountsByCategory(kStockOptionCategory);
        if (IsNone(accounts)) {
            return;
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
        if (!OpenCombinationPage(CombinationRequest::Build(*account, Member(file, "Order")))) {
            K::WriteLog(K::kLogError,
                        QStringLiteral("文件下单|组合下单页面未打开,订单文件未下单|") + fileName);
        }
    }
}

bool CDlgFileOrder::OpenCombinationPage(const Json::Value& request) {
    Handle<I::KRTAddinPublicI> pages = K::GetService<I::KRTAddinPublicI>();
    if (!pages) {
        return false;
    }
    Handle<I::UIFrameI> frame = K::GetService<I::UIFrameI>();
    I::WindowHandle mainWindow = frame ? frame->GetMainWindow() : nullptr;
    const QString callerTag = QString::asprintf("%s,-%d-@", "KRTAddinPublic", kCombinationFunction);
    m_ready = false;
    const uint64_t thisRequest = ++m_pageRequests;
    I::WindowHandle page =
        pages->OpenPage(kCombinationPageId, callerTag, QStringLiteral("多品种"), mainWindow, request);
    if (!page && thisRequest == m_pageRequests) {
        m_ready = true;
    }
    return page != nullptr;
}
