#include "services/ThemeImages.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <map>

namespace Terminal::Services {

namespace {

const QString kTrade = QStringLiteral("交易");
const QString kOptionPro = QStringLiteral("期权专业版");
const QStringList kStates{QStringLiteral("正常态"), QStringLiteral("悬浮态"), QStringLiteral("选中态")};

struct Look {
    QColor top, bottom, border;
};

Look LookOf(int state) {
    switch (state) {
        case 1:
            return {QColor(0xFF, 0xFF, 0xFF), QColor(0xDD, 0xEB, 0xFA), QColor(0x7A, 0xA7, 0xDB)};
        case 2:
            return {QColor(0xD6, 0xE4, 0xF5), QColor(0xC1, 0xD6, 0xEF), QColor(0x5B, 0x8D, 0xC9)};
        default:
            return {QColor(0xFD, 0xFD, 0xFD), QColor(0xE6, 0xE6, 0xE6), QColor(0xB4, 0xB4, 0xB4)};
    }
}

QImage Blank(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A whole button face, of which the stretch parts are slices.
QImage ButtonFace(int width, int height, const Look& look, bool vertical) {
    QImage image = Blank(width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, vertical ? width : 0, vertical ? 0 : height);
    fill.setColorAt(0, look.top);
    fill.setColorAt(1, look.bottom);
    p.setBrush(fill);
    p.setPen(QPen(look.border, 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 3, 3);
    return image;
}

QImage StretchPart(int part, int state, bool vertical) {
    const int ends = 6;
    const int middle = 8;
    const int across = 28;
    const int along = 2 * ends + middle;
    const QImage face = vertical ? ButtonFace(across, along, LookOf(state), true)
                                 : ButtonFace(along, across, LookOf(state), false);
    const int offset = part == 0 ? 0 : part == 1 ? ends : ends + middle;
    const int length = part == 1 ? middle : ends;
    return vertical ? face.copy(0, offset, across, length) : face.copy(offset, 0, length, across);
}

QImage Radio(bool checked, bool enabled) {
    QImage image = Blank(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(enabled ? QColor(0x8C, 0x8C, 0x8C) : QColor(0xC8, 0xC8, 0xC8), 1));
    p.setBrush(enabled ? Qt::white : QColor(0xF0, 0xF0, 0xF0));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    if (checked) {
        p.setPen(Qt::NoPen);
        p.setBrush(enabled ? QColor(0x2F, 0x6F, 0xC8) : QColor(0xA8, 0xA8, 0xA8));
        p.drawEllipse(QRectF(4.5, 4.5, 7, 7));
    }
    return image;
}

QImage CheckBox(bool checked) {
    QImage image = Blank(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(checked ? QColor(0x2F, 0x6F, 0xC8) : QColor(0x8C, 0x8C, 0x8C), 1));
    p.setBrush(checked ? QColor(0x2F, 0x6F, 0xC8) : Qt::white);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
    if (checked) {
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(4.5, 8.5), QPointF(7, 11), QPointF(11.5, 5)}));
    }
    return image;
}

QImage SpinButton(bool plus, int state) {
    QImage image = ButtonFace(16, 16, LookOf(state), false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
    if (plus) {
        p.drawLine(QPointF(8, 4.5), QPointF(8, 11.5));
    }
    return image;
}

QImage Padlock(bool locked) {
    QImage image = Blank(20, 20);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body = locked ? QColor(0xC8, 0x8A, 0x1E) : QColor(0x6E, 0xA0, 0x3C);
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    shackle.moveTo(6.5, 9);
    shackle.lineTo(6.5, 6.5);
    shackle.arcTo(QRectF(6.5, 2.5, 7, 8), 180, -180);
    shackle.lineTo(13.5, locked ? 9 : 5.5);
    p.drawPath(locked ? shackle : shackle.translated(0, -1.5));
    p.setPen(QPen(body.darker(130), 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(4, 9, 12, 9), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(10, 13), 1.4, 1.4);
    return image;
}

QImage Gear() {
    QImage image = Blank(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(8, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5A, 0x5A, 0x5A));
    for (int tooth = 0; tooth < 8; ++tooth) {
        p.drawRect(QRectF(-1.4, -7.2, 2.8, 3.2));
        p.rotate(45);
    }
    p.drawEllipse(QPointF(0, 0), 5, 5);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(0, 0), 2, 2);
    return image;
}

QImage CloseCross() {
    QImage image = Blank(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
    return image;
}

QImage BuyButton() {
    return ButtonFace(80, 28, {QColor(0xF0, 0x4B, 0x4B), QColor(0xC6, 0x22, 0x21), QColor(0xA0, 0x1A, 0x1A)},
                      false);
}

QImage QuestionMark() {
    QImage image = Blank(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2F, 0x6F, 0xC8));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QFont font = p.font();
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
    return image;
}

using Painter = std::function<QImage()>;

const std::map<std::pair<QString, QString>, Painter>& Painters() {
    static const std::map<std::pair<QString, QString>, Painter> painters = [] {
        std::map<std::pair<QString, QString>, Painter> table;
        const QStringList across{QStringLiteral("左侧区"), QStringLiteral("中间区"),
                                 QStringLiteral("右侧区")};
        const QStringList down{QStringLiteral("顶部区"), QStringLiteral("中间区"), QStringLiteral("底部区")};
        for (int part = 0; part < 3; ++part) {
            for (int state = 0; state < 3; ++state) {
                table[{kTrade,
                       QStringLiteral("交易普通拉伸按钮背景图%1-%2").arg(across[part], kStates[state])}] =
                    [part, state] { return StretchPart(part, state, false); };
                table[{kTrade,
                       QStringLiteral("交易普通纵向拉伸按钮背景图%1-%2").arg(down[part], kStates[state])}] =
                    [part, state] { return StretchPart(part, state, true); };
            }
        }
        table[{kTrade, QStringLiteral("交易单选按钮背景图未选中-正常态")}] = [] {
            return Radio(false, true);
        };
        table[{kTrade, QStringLiteral("交易单选按钮背景图未选中-禁用态")}] = [] {
            return Radio(false, false);
        };
        table[{kTrade, QStringLiteral("交易单选按钮背景图选中-正常态")}] = [] { return Radio(true, true); };
        table[{kTrade, QStringLiteral("交易单选按钮背景图选中-禁用态")}] = [] { return Radio(true, false); };
        table[{kTrade, QStringLiteral("交易复选按钮背景图未选中-正常态")}] = [] { return CheckBox(false); };
        table[{kTrade, QStringLiteral("交易复选按钮背景图选中-正常态")}] = [] { return CheckBox(true); };
        table[{kTrade, QStringLiteral("交易价量减少按钮背景图-正常态")}] = [] {
            return SpinButton(false, 0);
        };
        table[{kTrade, QStringLiteral("交易价量减少按钮背景图-悬浮态")}] = [] {
            return SpinButton(false, 1);
        };
        table[{kTrade, QStringLiteral("交易价量增加按钮背景图-正常态")}] = [] { return SpinButton(true, 0); };
        table[{kTrade, QStringLiteral("交易价量增加按钮背景图-悬浮态")}] = [] { return SpinButton(true, 1); };
        table[{kTrade, QStringLiteral("交易价量增加按钮背景图-选中态")}] = [] { return SpinButton(true, 2); };
        table[{kTrade, QStringLiteral("交易代码锁定按钮背景图")}] = [] { return Padlock(true); };
        table[{kTrade, QStringLiteral("交易代码解锁按钮背景图")}] = [] { return Padlock(false); };
        table[{kTrade, QStringLiteral("交易登录界面设置按钮背景图")}] = [] { return Gear(); };
        table[{kTrade, QStringLiteral("交易关闭按钮背景图")}] = [] { return CloseCross(); };
        table[{kTrade, QStringLiteral("交易买入按钮背景图")}] = [] { return BuyButton(); };
        table[{kOptionPro, QStringLiteral("问号")}] = [] { return QuestionMark(); };
        return table;
    }();
    return painters;
}

}  // namespace

QImage DrawThemeImage(const QString& category, const QString& name) {
    auto it = Painters().find({category, name});
    return it == Painters().end() ? QImage() : it->second();
}

std::vector<std::pair<QString, QString>> ThemeImageNames() {
    std::vector<std::pair<QString, QString>> names;
    for (const auto& [key, painter] : Painters()) {
        names.push_back(key);
    }
    return names;
}

}  // namespace Terminal::Services
