#include "options/UAbout.h"

#include "common/Comon_State.h"
#include "common/UMessages.h"
#include "common/UStyle.h"
#include "options/Version_Check.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

using namespace UComon;

namespace {

// The program's logo: a grey disc with a lamp-like "D".
QPixmap Logo(int side) {
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x80, 0x80, 0x80));
    p.drawEllipse(QRectF(2, 2, side - 4, side - 4));
    p.setBrush(QColor(0xf5, 0xc5, 0x18));
    p.drawEllipse(QRectF(side * 0.30, side * 0.22, side * 0.40, side * 0.40));
    QFont f(QStringLiteral("Verdana"));
    f.setBold(true);
    f.setPixelSize(side / 3);
    p.setFont(f);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawText(QRectF(0, side * 0.22, side, side * 0.40), Qt::AlignCenter, QStringLiteral("D"));
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(side * 0.40, side * 0.64, side * 0.20, side * 0.14), 2, 2);
    return pm;
}

} // namespace

TFAbout::TFAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FAbout"));
    Apply_Window_Style(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QString::fromLatin1(Maker_Web_Name));

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(32, 24, 81, 81);
    Image2->setPixmap(Logo(81));
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->installEventFilter(this);
    Image_Second_Logo = new QLabel(this);
    Image_Second_Logo->setObjectName(QStringLiteral("Image_Second_Logo"));
    Image_Second_Logo->setGeometry(32, 24, 81, 81);
    Image_Second_Logo->installEventFilter(this);

    auto label = [this](const char* name, int x, int y, const QString& text) {
        QLabel* l = Make_Label(this);
        l->setObjectName(QLatin1String(name));
        l->move(x, y);
        l->setText(text);
        l->adjustSize();
        return l;
    };
    Label1 = label("Label1", 128, 24, QStringLiteral("Software Dravian "));
    QFont big = Label1->font();
    big.setBold(true);
    big.setPointSize(9);
    Label1->setFont(big);
    Label1->adjustSize();
    Label2 = label("Label2", 128, 39, QStringLiteral("Label2"));
    Label6 = label("Label6", 128, 62, QStringLiteral("Software Code : "));
    Label9 = label("Label9", 240, 62, QStringLiteral("Label9"));
    Label3 = label("Label3", 128, 77, QStringLiteral("Version :"));
    Label10 = label("Label10", 240, 77, QStringLiteral("Label10"));
    Label8 = label("Label8", 128, 93, QStringLiteral("Document Code :"));
    Label12 = label("Label12", 240, 93, QStringLiteral("Label12"));
    Label4 = label("Label4", 316, 131, QString::fromLatin1(Maker_Web_Host).mid(4));
    Label4->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->installEventFilter(this);

    LbButton1 = new TLbButton(this, QStyle::SP_CustomBase, 81, 22);
    LbButton1->setObjectName(QStringLiteral("LbButton1"));
    LbButton1->move(32, 115);
    LbButton1->setText(QStringLiteral("OK"));
    connect(LbButton1, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(425, 148);
}

void TFAbout::FormShow() {
    Image_Second_Logo->hide();
    Image2->show();
    Label4->show();
    Label2->setText(QString::fromLatin1(Software_Desc));
    Label2->adjustSize();
    Label9->setText(QString::fromLatin1(Software_Code));
    Label9->adjustSize();
    Label10->setText(QString::fromLatin1(Software_Version));
    Label10->adjustSize();
    Label12->setText(QStringLiteral("UM51730"));
    Label12->adjustSize();
    setFixedSize(425, 148);
}

void TFAbout::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormShow();
}

bool TFAbout::eventFilter(QObject* o, QEvent* e) {
    if ((o == Label4 || o == Image2 || o == Image_Second_Logo) && e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        Label4Click();
        return true;
    }
    return QDialog::eventFilter(o, e);
}

void TFAbout::Label4Click() { Open_Url(Home_Page_Url()); }
