#pragma once

#include <QString>

// Names of the host's services' message topics on the normal centre, as both sides spell them.
namespace Kora::Interface::Topic {

inline const QString kSTEPRequestCallBack =
    QStringLiteral("Kora.Message.EntityAccount.Account.STEPRequestCallBack");
inline const QString kPositionChanged = QStringLiteral("Kora.Message.EntityAccount.PositionChanged");
inline const QString kLockUI = QStringLiteral("Kora.Message.LockUI");
inline const QString kHisDataDownloadItemOver =
    QStringLiteral("Kora.Message.StgyHisDataDownload.OnDownloadItemOver");
inline const QString kReorderChangeState = QStringLiteral("Kora.Message.StgyReorder.ChangeState");
inline const QString kReorderNotifyInfo = QStringLiteral("Kora.Message.StgyReorder.NotifyInfo");
inline const QString kSmartOrderChangeState =
    QStringLiteral("Kora.Message.StgySmartorder.ChangeSmartOrderState");
inline const QString kTimerTick = QStringLiteral("Kora.Message.TimeService.OnTimer");
inline const QString kShortcutSwitchChanged = QStringLiteral("Kora.UI.ShortcutSwitchChanged");
inline const QString kShortcutSetState = QStringLiteral("Kora.UI.Shortcut.SetState");
inline const QString kShortcutQueryState = QStringLiteral("Kora.UI.Shortcut.QueryState");
inline const QString kOfflineOrderFile = QStringLiteral("Offline_OrderFile");
inline const QString kCombinationOrderConfirmed = QStringLiteral("CombinationOrderDlg_IDOK");
inline const QString kCombinationOrderCancelled = QStringLiteral("CombinationOrderDlg_IDCANCEL");

// Linkage and account messages of the terminal's windows.
inline const QString kStockChanged = QStringLiteral("StockChanged");
inline const QString kListClick = QStringLiteral("ListClick");
inline const QString kListDblClick = QStringLiteral("ListDblClick");
inline const QString kClickKLine = QStringLiteral("ClickKLine");
inline const QString kClickTrend = QStringLiteral("ClickTrend");
inline const QString kAccountChange = QStringLiteral("AccountChange");
inline const QString kAccountLogin = QStringLiteral("AccountLogin");
inline const QString kAccountLogout = QStringLiteral("AccountLogout");
inline const QString kLockTrade = QStringLiteral("LockTrade");
inline const QString kUserChangeParam = QStringLiteral("UserChangeParam");

}  // namespace Kora::Interface::Topic
