#include "ladder/DefaultTradeImages.h"

#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

enum class Face { Normal, Hover, Selected, Disabled };

struct FaceColours {
    QColor top;
    QColor bottom;
    QColor border;
};

FaceColours ColoursOf(Face face) {
    switch (face) {
        case Face::Hover:
            return {QColor(0xFF, 0xFF, 0xFF), QColor(0xE1, 0xEC, 0xF7), QColor(0x7E, 0xB4, 0xEA)};
        case Face::Selected:
            return {QColor(0xDD, 0xE8, 0xF5), QColor(0xC5, 0xD9, 0xF0), QColor(0x5A, 0x8F, 0xCB)};
        case Face::Disabled:
            return {QColor(0xF4, 0xF4, 0xF4), QColor(0xF4, 0xF4, 0xF4), QColor(0xCC, 0xCC, 0xCC)};
        case Face::Normal:
        default:
            return {QColor(0xFF, 0xFF, 0xFF), QColor(0xEB, 0xEB, 0xEB), QColor(0xB5, 0xB5, 0xB5)};
    }
}

Face FaceOf(const QString& name) {
    if (name.endsWith(QStringLiteral("悬浮态"))) {
        return Face::Hover;
    }
    if (name.endsWith(QStringLiteral("选中态"))) {
        return Face::Selected;
    }
    if (name.endsWith(QStringLiteral("禁用态"))) {
        return Face::Disabled;
    }
    return Face::Normal;
}

QImage Blank(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A whole rounded button face; the stretched parts are slices of it.
QImage ButtonFace(int width, int height, Face face, bool vertical) {
    QImage image = Blank(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const FaceColours colours = ColoursOf(face);
    QLinearGradient gradient(0, 0, vertical ? width : 0, vertical ? 0 : height);
    gradient.setColorAt(0, colours.top);
    gradient.setColorAt(1, colours.bottom);
    painter.setPen(QPen(colours.border, 1));
    painter.setBrush(gradient);
    painter.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 3, 3);
    return image;
}

QImage StretchPart(const QString& name, bool vertical) {
    const Face face = FaceOf(name);
    const int across = 24;
    const int edge = 4;
    const int middle = 8;
    const QImage whole = vertical ? ButtonFace(across, 2 * edge + middle, face, true)
                                  : ButtonFace(2 * edge + middle, across, face, false);
    const bool first = name.contains(vertical ? QStringLiteral("顶部区") : QStringLiteral("左侧区"));
    const bool last = name.contains(vertical ? QStringLiteral("底部区") : QStringLiteral("右侧区"));
    const int offset = first ? 0 : (last ? edge + middle : edge);
    const int length = first || last ? edge : middle;
    return vertical ? whole.copy(0, offset, across, length) : whole.copy(offset, 0, length, across);
}

QImage SpinButton(const QString& name) {
    QImage image = ButtonFace(18, 22, FaceOf(name), false);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x55, 0x55, 0x55), 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(5.5, 11), QPointF(12.5, 11));
    if (name.contains(QStringLiteral("增加"))) {
        painter.drawLine(QPointF(9, 7.5), QPointF(9, 14.5));
    }
    return image;
}

QImage Radio(const QString& name) {
    const bool checked = !name.contains(QStringLiteral("未选中"));
    const bool disabled = FaceOf(name) == Face::Disabled;
    QImage image = Blank(14, 14);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor accent = disabled ? QColor(0xAA, 0xAA, 0xAA) : QColor(0x3A, 0x7B, 0xD5);
    painter.setPen(
        QPen(checked ? accent : (disabled ? QColor(0xCC, 0xCC, 0xCC) : QColor(0x99, 0x99, 0x99)), 1));
    painter.setBrush(disabled ? QColor(0xF4, 0xF4, 0xF4) : Qt::white);
    painter.drawEllipse(QRectF(0.5, 0.5, 13, 13));
    if (checked) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(accent);
        painter.drawEllipse(QRectF(3.5, 3.5, 7, 7));
    }
    return image;
}

QImage Check(const QString& name) {
    const bool checked = !name.contains(QStringLiteral("未选中"));
    QImage image = Blank(14, 14);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor accent(0x3A, 0x7B, 0xD5);
    painter.setPen(QPen(checked ? accent : QColor(0x99, 0x99, 0x99), 1));
    painter.setBrush(checked ? accent : QColor(Qt::white));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 13, 13), 2, 2);
    if (checked) {
        QPainterPath tick;
        tick.moveTo(3.5, 7.2);
        tick.lineTo(6, 9.8);
        tick.lineTo(10.8, 4.2);
        painter.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    }
    return image;
}

QImage Draw(const QString& name) {
    if (name.startsWith(QStringLiteral("交易价量"))) {
        return SpinButton(name);
    }
    if (name.startsWith(QStringLiteral("交易普通纵向拉伸按钮背景图"))) {
        return StretchPart(name, true);
    }
    if (name.startsWith(QStringLiteral("交易普通拉伸按钮背景图"))) {
        return StretchPart(name, false);
    }
    if (name.startsWith(QStringLiteral("交易单选按钮背景图"))) {
        return Radio(name);
    }
    if (name.startsWith(QStringLiteral("交易复选按钮背景图"))) {
        return Check(name);
    }
    return {};
}

}  // namespace

QPixmap DefaultTradeImage(const QString& name) {
    static QHash<QString, QPixmap> drawn;
    auto it = drawn.find(name);
    if (it == drawn.end()) {
        const QImage image = Draw(name);
        it = drawn.insert(name, image.isNull() ? QPixmap() : QPixmap::fromImage(image));
    }
    return *it;
}
