#include "common/UStyle.h"

#include <QFont>
#include <QPalette>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace UComon {

namespace {
const QColor Grey(0x80, 0x80, 0x80);
}

void Apply_Window_Style(QWidget* w) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, QColor(Background_Red, Background_Green, Background_Blue));
    w->setPalette(p);
    w->setAutoFillBackground(true);
    QFont f(QStringLiteral("Verdana"));
    f.setPointSize(8);
    w->setFont(f);
}

QLabel* Make_Label(QWidget* parent, bool bold) {
    auto* l = new QLabel(parent);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Grey);
    l->setPalette(p);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QLabel* Make_SW_Code_Label(QWidget* parent) {
    QLabel* l = Make_Label(parent);
    l->setObjectName(QStringLiteral("L_SW_Code"));
    QFont f = l->font();
    f.setPixelSize(32);
    l->setFont(f);
    return l;
}

QLabel* Make_SW_Desc_Label(QWidget* parent) {
    QLabel* l = Make_Label(parent, true);
    l->setObjectName(QStringLiteral("L_SW_Desc"));
    return l;
}

TLbButton::TLbButton(QWidget* parent, QStyle::StandardPixmap glyph, int w, int h) : QPushButton(parent) {
    setFlat(true);
    setFixedSize(w, h);
    setCursor(Qt::PointingHandCursor);
    setAutoDefault(false); // Enter belongs to the focused control, not to a default button
    if (glyph != QStyle::SP_CustomBase) {
        setIcon(style()->standardIcon(glyph));
        const int side = h >= 50 ? 32 : qMin(20, h - 8);
        setIconSize(QSize(side, side));
    }
    setStyleSheet(QStringLiteral("QPushButton { border: 1px solid #c8c4b0; border-radius: 3px;"
                                 " background: #f8f7ed; color: #404040; }"
                                 "QPushButton:hover { background: #e3eefa; border-color: #6d9bd1; }"
                                 "QPushButton:pressed { background: #c9dcf3; }"
                                 "QPushButton:disabled { color: #a8a8a8; border-color: #dedbd0; }"
                                 "QPushButton:focus { border-color: #6d9bd1; }"));
}

} // namespace UComon

namespace UComon {

void TLbButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    p.drawControl(QStyle::CE_PushButtonBevel, opt);
    QFont f = font();
    const int room = width() - 10 - (opt.icon.isNull() ? 0 : opt.iconSize.width() + 4);
    while (f.pointSizeF() > 5.5 && QFontMetrics(f).horizontalAdvance(opt.text) > room)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    p.setFont(f);
    opt.fontMetrics = QFontMetrics(f);
    p.drawControl(QStyle::CE_PushButtonLabel, opt);
}

} // namespace UComon
