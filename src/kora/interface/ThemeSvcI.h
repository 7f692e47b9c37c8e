#pragma once

#include <QFont>
#include <QPixmap>

#include "kora/interface/KRTConfigI.h"

namespace Kora::Interface {

// Colours, fonts and images of the current theme, by Chinese names.
class KORA_API ThemeSvcI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.ThemeSvc"); }

    virtual ColorRef GetColor(const QString& name) = 0;
    virtual QFont GetFont(const QString& name) = 0;
    // An image of a category ("交易") by name; a null pixmap when unknown.
    virtual QPixmap GetImage(const QString& category, const QString& name) = 0;
};

}  // namespace Kora::Interface
