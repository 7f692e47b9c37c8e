#include "ladder/LadderAssets.h"

#include <QDir>
#include <QImage>
#include <QPainter>

// The resource initialiser must be declared outside any namespace.
static void InitLadderResources() {
    Q_INIT_RESOURCE(ladder);
}

namespace LadderAssets {

namespace {

QPixmap DrawnCancelIcon() {
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xB0, 0x24, 0x1B), 1));
    painter.setBrush(QColor(0xE0, 0x3C, 0x31));
    painter.drawEllipse(QRectF(1, 1, 14, 14));
    painter.setPen(QPen(Qt::white, 1.7, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(5.3, 5.3), QPointF(10.7, 10.7));
    painter.drawLine(QPointF(10.7, 5.3), QPointF(5.3, 10.7));
    painter.end();
    return QPixmap::fromImage(image);
}

}  // namespace

const QPixmap& CancelIcon() {
    static const QPixmap icon = [] {
        QPixmap loaded(QDir::current().filePath(QStringLiteral("Skins/Default/Trade/close_order.png")));
        return loaded.isNull() ? DrawnCancelIcon() : loaded;
    }();
    return icon;
}

QCursor LoadCursor(int resourceId) {
    static const bool initialised = (InitLadderResources(), true);
    (void)initialised;
    const char* file = resourceId == kMoveCursor     ? ":/ladder/cursors/move_order.png"
                       : resourceId == kCancelCursor ? ":/ladder/cursors/cancel_order.png"
                                                     : nullptr;
    const QPixmap image = file ? QPixmap(QString::fromLatin1(file)) : QPixmap();
    return image.isNull() ? QCursor(Qt::ArrowCursor) : QCursor(image, 1, 1);
}

}  // namespace LadderAssets
