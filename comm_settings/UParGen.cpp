#include "comm_settings/UParGen.h"

#include "comm_settings/ParGen_Check.h"
#include "common/Comon_State.h"
#include "common/UMessages.h"
#include "common/UStyle.h"

#include <QDir>
#include <QKeyEvent>
#include <QPainter>
#include <QShowEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

using namespace UComon;

namespace {

constexpr int Box_Width = 296;
constexpr int Box_Left = 8;
constexpr int First_Box_Top = 70;
constexpr int Box_Gap = 6;
constexpr int Collapsed_Height = 26;
constexpr int Box_Bottom_Margin = 15;
constexpr int Client_Width = 312;
constexpr int Edit_Height = 21;
constexpr int Check_Height = 17;
constexpr int Glyph_Side = 11;

// The small glyph buttons of the group boxes: a diagonal cross collapses, a plus expands.
QToolButton* Make_Glyph_Button(QWidget* parent, const char* name, bool plus) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    const int side = plus ? 7 : 9;
    QPixmap pix(side, side);
    pix.fill(Qt::transparent);
    {
        QPainter p(&pix);
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
        if (plus) {
            p.drawLine(side / 2, 0, side / 2, side - 1);
            p.drawLine(0, side / 2, side - 1, side / 2);
        } else {
            p.setRenderHint(QPainter::Antialiasing);
            p.drawLine(QPointF(0.5, 0.5), QPointF(side - 0.5, side - 0.5));
            p.drawLine(QPointF(side - 0.5, 0.5), QPointF(0.5, side - 0.5));
        }
    }
    b->setIcon(QIcon(pix));
    b->setIconSize(QSize(side, side));
    b->setFixedSize(Glyph_Side, Glyph_Side);
    b->setCursor(Qt::PointingHandCursor);
    b->setStyleSheet(
        QStringLiteral("QToolButton { border: 1px solid #c8c4b0; background: #ffffff; padding: 0; }"
                       "QToolButton:hover { background: #e3eefa; border-color: #6d9bd1; }"
                       "QToolButton:focus { border-color: #6d9bd1; }"));
    return b;
}

QLineEdit* Make_Edit(QWidget* parent, const char* name, int x, int y, int w) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x, y, w, Edit_Height);
    return e;
}

QLabel* Make_Named_Label(QWidget* parent, const char* name, int x, int y) {
    QLabel* l = Make_Label(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->move(x, y);
    return l;
}

// A check box whose caption wraps onto further lines when it is wider than the
// room in its group box (long translations); a caption that fits keeps the
// single line of the design height.
class TWrap_Check_Box : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

    void Fit(int max_width, bool may_wrap) {
        wrapped_ = false;
        const int one_line = sizeHint().width();
        if (one_line <= max_width || !may_wrap) {
            resize(qMin(one_line, max_width), Check_Height);
            update();
            return;
        }
        wrapped_ = true;
        const QRect text = fontMetrics().boundingRect(QRect(0, 0, max_width - Text_Left(), 100000),
                                                      Qt::AlignLeft | Qt::TextWordWrap, this->text());
        resize(max_width, qMax(Check_Height, text.height() + 2));
        update();
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        if (!wrapped_) {
            QCheckBox::paintEvent(e);
            return;
        }
        QStylePainter p(this);
        QStyleOptionButton opt;
        initStyleOption(&opt);
        QStyleOptionButton indicator = opt;
        const int iw = style()->pixelMetric(QStyle::PM_IndicatorWidth, &opt, this);
        const int ih = style()->pixelMetric(QStyle::PM_IndicatorHeight, &opt, this);
        indicator.rect = QRect(0, qMax(0, (fontMetrics().height() - ih) / 2 + 1), iw, ih);
        p.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);
        const QRect text_rect(Text_Left(), 1, width() - Text_Left(), height() - 1);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        p.drawText(text_rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text());
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = text_rect;
            p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    }
    bool hitButton(const QPoint& pos) const override {
        return wrapped_ ? rect().contains(pos) : QCheckBox::hitButton(pos);
    }

private:
    int Text_Left() const {
        return style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) +
               style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, this);
    }
    bool wrapped_ = false;
};

QCheckBox* Make_Check(QWidget* parent, const char* name, int x, int y) {
    auto* c = new TWrap_Check_Box(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->move(x, y);
    return c;
}

// Room for a caption that starts at x 16 in a group box, and for a label left of
// E_PORT (x 82) or of the DALI edit boxes (x 148).
constexpr int Caption_Room = Box_Width - 16 - 8;
constexpr int Beside_Port_Room = 82 - 16 - 4;
constexpr int Beside_DALI_Edit_Room = 148 - 16 - 4;

// Sizes a label to its text; a text wider than `max_width` wraps onto further
// lines, or is cut at that width where there is no room below it.
void Fit(QLabel* l, int max_width, bool may_wrap = true) {
    l->setWordWrap(false);
    l->adjustSize();
    if (l->width() <= max_width) return;
    if (!may_wrap) {
        l->resize(max_width, l->height());
        return;
    }
    l->setWordWrap(true);
    l->resize(max_width, l->heightForWidth(max_width));
}

// Sizes a check box to its caption; the gateway check box must stay on one line
// because the gateway bytes stand right below it.
void Fit(QCheckBox* c, bool may_wrap = true) {
    static_cast<TWrap_Check_Box*>(c)->Fit(Caption_Room, may_wrap);
}

// Puts a label at its design place; a label of several lines is centred on the
// line where the single line would stand.
void Place_Label(QLabel* l, int x, int y) {
    l->move(x, y + (l->fontMetrics().height() - l->height()) / 2);
}

bool Can_Focus(const QWidget* w) {
    return w->isEnabled() && w->isVisible() && w->focusPolicy() != Qt::NoFocus;
}

} // namespace

TFParGen::TFParGen(QWidget* parent) : TDialog_Base(parent) {
    setObjectName(QStringLiteral("FParGen"));

    // OK and Cancel stand below the group boxes, where the layout puts them.
    P_Button->hide();
    Btn_OK->setParent(this);
    Btn_Cancel->setParent(this);
    Btn_OK->setFixedSize(112, 28);
    Btn_Cancel->setFixedSize(112, 28);
    disconnect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Btn_OK, &QPushButton::clicked, this, &TFParGen::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFParGen::Btn_CancelClick);

    // Modbus TCP slave.
    GB_Modbus_TCP_Slave = new QGroupBox(this);
    GB_Modbus_TCP_Slave->setObjectName(QStringLiteral("GB_Modbus_TCP_Slave"));
    GB_Modbus_TCP_Slave->setGeometry(Box_Left, First_Box_Top, Box_Width, 257);
    QWidget* mb = GB_Modbus_TCP_Slave;
    const int byte_x[4] = {16, 82, 148, 214};
    auto byte_row = [&](const char* const names[4], int y, QLineEdit** boxes[4], const char* dot_name) {
        for (int i = 0; i < 4; ++i)
            *boxes[i] = Make_Edit(mb, names[i], byte_x[i], y, 60);
        for (int i = 0; i < 3; ++i) {
            QLabel* dot = Make_Named_Label(mb, dot_name, byte_x[i] + 60, y);
            dot->setObjectName(QString::fromLatin1(dot_name) + QString::number(i + 1));
            dot->setText(QStringLiteral("."));
            dot->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
            dot->resize(6, Edit_Height - 4);
        }
    };
    L_ModTCPs_IP = Make_Named_Label(mb, "L_ModTCPs_IP", 16, 24);
    {
        const char* const names[4] = {"E_IP1", "E_IP2", "E_IP3", "E_IP4"};
        QLineEdit** boxes[4] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
        byte_row(names, 43, boxes, "L_IP_Dot");
    }
    L_ModTCPs_SM = Make_Named_Label(mb, "L_ModTCPs_SM", 16, 79);
    {
        const char* const names[4] = {"E_SM1", "E_SM2", "E_SM3", "E_SM4"};
        QLineEdit** boxes[4] = {&E_SM1, &E_SM2, &E_SM3, &E_SM4};
        byte_row(names, 98, boxes, "L_SM_Dot");
    }
    CB_ModTCPs_EN_GAT = Make_Check(mb, "CB_ModTCPs_EN_GAT", 16, 134);
    {
        const char* const names[4] = {"E_GAT1", "E_GAT2", "E_GAT3", "E_GAT4"};
        QLineEdit** boxes[4] = {&E_GAT1, &E_GAT2, &E_GAT3, &E_GAT4};
        byte_row(names, 154, boxes, "L_GAT_Dot");
    }
    L_ModTCPs_Port = Make_Named_Label(mb, "L_ModTCPs_Port", 16, 191);
    E_PORT = Make_Edit(mb, "E_PORT", 82, 188, 192);
    CB_Modbus_TCP_Slave_Map_DALI = Make_Check(mb, "CB_Modbus_TCP_Slave_Map_DALI", 16, 225);
    Btn_Modbus_TCP_Slave_Collapse = Make_Glyph_Button(mb, "Btn_Modbus_TCP_Slave_Collapse", false);
    Btn_Modbus_TCP_Slave_Expande = Make_Glyph_Button(mb, "Btn_Modbus_TCP_Slave_Expande", true);

    // DALI.
    GB_DALI = new QGroupBox(this);
    GB_DALI->setObjectName(QStringLiteral("GB_DALI"));
    GB_DALI->setGeometry(Box_Left, 333, Box_Width, 192);
    QWidget* db = GB_DALI;
    L_DALI_Console_Port = Make_Named_Label(db, "L_DALI_Console_Port", 16, 24);
    E_DALI_Console_Port = Make_Edit(db, "E_DALI_Console_Port", 148, 21, 126);
    CB_DALI_SwitchOff = Make_Check(db, "CB_DALI_SwitchOff", 16, 58);
    L_DALI_TimeOut = Make_Named_Label(db, "L_DALI_TimeOut", 16, 92);
    E_DALI_TimeOut = Make_Edit(db, "E_DALI_TimeOut", 148, 89, 126);
    CB_DALI_Disable_Scan = Make_Check(db, "CB_DALI_Disable_Scan", 16, 126);
    CB_DALI_En_DALI2 = Make_Check(db, "CB_DALI_En_DALI2", 16, 160);
    Btn_DALI_Collapse = Make_Glyph_Button(db, "Btn_DALI_Collapse", false);
    Btn_DALI_Expande = Make_Glyph_Button(db, "Btn_DALI_Expande", true);

    // Events.
    for (QLineEdit* e : Byte_Boxes()) {
        connect(e, &QLineEdit::textChanged, this, &TFParGen::On_Change);
        e->installEventFilter(this);
    }
    for (QLineEdit* e : {E_PORT, E_DALI_Console_Port, E_DALI_TimeOut})
        connect(e, &QLineEdit::textChanged, this, &TFParGen::On_Change);
    for (QCheckBox* c : {CB_ModTCPs_EN_GAT, CB_Modbus_TCP_Slave_Map_DALI, CB_DALI_SwitchOff,
                         CB_DALI_Disable_Scan, CB_DALI_En_DALI2})
        connect(c, &QCheckBox::toggled, this, &TFParGen::On_Click);
    for (QToolButton* b : {Btn_Modbus_TCP_Slave_Collapse, Btn_DALI_Collapse})
        connect(b, &QToolButton::clicked, this, [this, b] { Btn_GB_Collapse(b); });
    for (QToolButton* b : {Btn_Modbus_TCP_Slave_Expande, Btn_DALI_Expande})
        connect(b, &QToolButton::clicked, this, [this, b] { Btn_GB_Expande(b); });

    // Tab order: OK, Cancel, then the Modbus box, then the DALI box.
    const QList<QWidget*> order = {Btn_OK,
                                   Btn_Cancel,
                                   E_IP1,
                                   E_IP2,
                                   E_IP3,
                                   E_IP4,
                                   E_SM1,
                                   E_SM2,
                                   E_SM3,
                                   E_SM4,
                                   E_GAT1,
                                   E_GAT2,
                                   E_GAT3,
                                   E_GAT4,
                                   CB_ModTCPs_EN_GAT,
                                   E_PORT,
                                   Btn_Modbus_TCP_Slave_Collapse,
                                   Btn_Modbus_TCP_Slave_Expande,
                                   CB_Modbus_TCP_Slave_Map_DALI,
                                   E_DALI_Console_Port,
                                   CB_DALI_SwitchOff,
                                   E_DALI_TimeOut,
                                   Btn_DALI_Collapse,
                                   Btn_DALI_Expande,
                                   CB_DALI_Disable_Scan,
                                   CB_DALI_En_DALI2};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);

    // The window starts with the defaults a project without ParGen.xml shows.
    Set_Values(TParGen());
    FormCreate();
}

QList<QLineEdit*> TFParGen::Byte_Boxes() const {
    return {E_IP1, E_IP2, E_IP3, E_IP4, E_SM1, E_SM2, E_SM3, E_SM4, E_GAT1, E_GAT2, E_GAT3, E_GAT4};
}

void TFParGen::FormCreate() {
    L_SW_Code->setText(SW_Code);
    L_SW_Code->adjustSize();
    GB_Modbus_TCP_Slave->hide();
    GB_DALI->hide();
    Collapse_Expand_Creation();
    Move_GroupBoxs();
    Set_Lang();
}

void TFParGen::Collapse_Expand_Creation() {
    GB_Modbus_TCP_Slave_Visible = true;
    GB_DALI_Visible = true;
    for (QToolButton* b :
         {Btn_Modbus_TCP_Slave_Collapse, Btn_Modbus_TCP_Slave_Expande, Btn_DALI_Collapse, Btn_DALI_Expande})
        b->move(280, 10);
    Btn_Modbus_TCP_Slave_Collapse->show();
    Btn_Modbus_TCP_Slave_Expande->hide();
    Btn_DALI_Collapse->show();
    Btn_DALI_Expande->hide();
}

void TFParGen::Move_GroupBoxs() {
    // Modbus TCP slave box at the top; its height follows its last control.
    GB_Modbus_TCP_Slave->move(Box_Left, First_Box_Top);
    GB_Modbus_TCP_Slave->show();
    L_ModTCPs_Port->show();
    E_PORT->show();
    CB_Modbus_TCP_Slave_Map_DALI->show();
    if (GB_Modbus_TCP_Slave_Visible)
        GB_Modbus_TCP_Slave->resize(Box_Width, CB_Modbus_TCP_Slave_Map_DALI->y() +
                                                   CB_Modbus_TCP_Slave_Map_DALI->height() +
                                                   Box_Bottom_Margin);

    // DALI box below it.
    GB_DALI->show();
    CB_DALI_SwitchOff->move(16, 58);
    Place_Label(L_DALI_TimeOut, 16, 92);
    E_DALI_TimeOut->move(148, 89);
    CB_DALI_Disable_Scan->move(16, 126);
    CB_DALI_En_DALI2->move(16, 160);
    for (QWidget* w : {static_cast<QWidget*>(CB_DALI_SwitchOff), static_cast<QWidget*>(L_DALI_TimeOut),
                       static_cast<QWidget*>(E_DALI_TimeOut), static_cast<QWidget*>(CB_DALI_Disable_Scan),
                       static_cast<QWidget*>(CB_DALI_En_DALI2)})
        w->show();
    GB_DALI->move(Box_Left, GB_Modbus_TCP_Slave->y() + GB_Modbus_TCP_Slave->height() + Box_Gap);
    if (GB_DALI_Visible)
        GB_DALI->resize(Box_Width, CB_DALI_En_DALI2->y() + CB_DALI_En_DALI2->height() + Box_Bottom_Margin);

    // Buttons and window size follow the last box.
    const int bottom = GB_DALI->y() + GB_DALI->height();
    Btn_OK->move(71, bottom + 13);
    Btn_Cancel->move(192, Btn_OK->y());
    setFixedSize(Client_Width, bottom + 54);
}

void TFParGen::Btn_GB_Collapse(QObject* Sender) {
    QToolButton* collapse = nullptr;
    QToolButton* expand = nullptr;
    if (Sender == Btn_Modbus_TCP_Slave_Collapse) {
        GB_Modbus_TCP_Slave->resize(Box_Width, Collapsed_Height);
        L_ModTCPs_IP->hide();
        GB_Modbus_TCP_Slave_Visible = false;
        collapse = Btn_Modbus_TCP_Slave_Collapse;
        expand = Btn_Modbus_TCP_Slave_Expande;
    } else if (Sender == Btn_DALI_Collapse) {
        GB_DALI->resize(Box_Width, Collapsed_Height);
        L_DALI_Console_Port->hide();
        E_DALI_Console_Port->hide();
        GB_DALI_Visible = false;
        collapse = Btn_DALI_Collapse;
        expand = Btn_DALI_Expande;
    }
    if (collapse) {
        const bool had_focus = collapse->hasFocus();
        expand->show();
        collapse->hide();
        if (had_focus) expand->setFocus(Qt::OtherFocusReason); // the keyboard stays on the box's button
    }
    Move_GroupBoxs();
}

void TFParGen::Btn_GB_Expande(QObject* Sender) {
    QToolButton* collapse = nullptr;
    QToolButton* expand = nullptr;
    if (Sender == Btn_Modbus_TCP_Slave_Expande) {
        L_ModTCPs_IP->show();
        GB_Modbus_TCP_Slave_Visible = true;
        collapse = Btn_Modbus_TCP_Slave_Collapse;
        expand = Btn_Modbus_TCP_Slave_Expande;
    } else if (Sender == Btn_DALI_Expande) {
        L_DALI_Console_Port->show();
        E_DALI_Console_Port->show();
        GB_DALI_Visible = true;
        collapse = Btn_DALI_Collapse;
        expand = Btn_DALI_Expande;
    }
    if (expand) {
        const bool had_focus = expand->hasFocus();
        collapse->show();
        expand->hide();
        if (had_focus) collapse->setFocus(Qt::OtherFocusReason);
    }
    Move_GroupBoxs();
}

TParGen TFParGen::Values() const {
    TParGen v;
    v.MTCPs_IP1 = E_IP1->text();
    v.MTCPs_IP2 = E_IP2->text();
    v.MTCPs_IP3 = E_IP3->text();
    v.MTCPs_IP4 = E_IP4->text();
    v.MTCPs_SUB1 = E_SM1->text();
    v.MTCPs_SUB2 = E_SM2->text();
    v.MTCPs_SUB3 = E_SM3->text();
    v.MTCPs_SUB4 = E_SM4->text();
    v.MTCPs_EN_GAT = CB_ModTCPs_EN_GAT->isChecked();
    v.MTCPs_GAT1 = E_GAT1->text();
    v.MTCPs_GAT2 = E_GAT2->text();
    v.MTCPs_GAT3 = E_GAT3->text();
    v.MTCPs_GAT4 = E_GAT4->text();
    v.MTCPs_PORT = E_PORT->text();
    v.Modbus_TCP_Slave_DALI_Map = CB_Modbus_TCP_Slave_Map_DALI->isChecked();
    v.DALI_CONSOLE_PORT = E_DALI_Console_Port->text();
    v.DALI_SWITCH_OFF = CB_DALI_SwitchOff->isChecked();
    v.DALI_TIMEOUT = E_DALI_TimeOut->text();
    v.DALI_DISABLE_SCAN = CB_DALI_Disable_Scan->isChecked();
    v.DALI_ENABLE_DALI_2 = CB_DALI_En_DALI2->isChecked();
    return v;
}

void TFParGen::Set_Values(const TParGen& v) {
    E_IP1->setText(v.MTCPs_IP1);
    E_IP2->setText(v.MTCPs_IP2);
    E_IP3->setText(v.MTCPs_IP3);
    E_IP4->setText(v.MTCPs_IP4);
    E_SM1->setText(v.MTCPs_SUB1);
    E_SM2->setText(v.MTCPs_SUB2);
    E_SM3->setText(v.MTCPs_SUB3);
    E_SM4->setText(v.MTCPs_SUB4);
    CB_ModTCPs_EN_GAT->setChecked(v.MTCPs_EN_GAT);
    E_GAT1->setText(v.MTCPs_GAT1);
    E_GAT2->setText(v.MTCPs_GAT2);
    E_GAT3->setText(v.MTCPs_GAT3);
    E_GAT4->setText(v.MTCPs_GAT4);
    E_PORT->setText(v.MTCPs_PORT);
    CB_Modbus_TCP_Slave_Map_DALI->setChecked(v.Modbus_TCP_Slave_DALI_Map);
    E_DALI_Console_Port->setText(v.DALI_CONSOLE_PORT);
    CB_DALI_SwitchOff->setChecked(v.DALI_SWITCH_OFF);
    E_DALI_TimeOut->setText(v.DALI_TIMEOUT);
    CB_DALI_Disable_Scan->setChecked(v.DALI_DISABLE_SCAN);
    CB_DALI_En_DALI2->setChecked(v.DALI_ENABLE_DALI_2);
}

void TFParGen::FormShow() {
    TParGen v;
    QString reason;
    const Xml_Load_Result r = Load_ParGen(ParGen_File, XML1, v, &reason);
    Set_Values(v); // the defaults unless the file was read
    Is_Change = false;
    Move_GroupBoxs();
    if (r == Xml_Load_Result::Unreadable || r == Xml_Load_Result::Not_Well_Formed)
        Show_Message_Text(Msg_Kind::Error,
                          T(904) + QLatin1Char('\n') + QDir::toNativeSeparators(ParGen_File) +
                              QLatin1Char('\n') + reason,
                          904);
}

void TFParGen::FormActivate() {
    if (y() < 0) move(x(), 0);
}

void TFParGen::On_Change() {
    Is_Change = true;
}

void TFParGen::On_Click() {
    Is_Change = true;
}

bool TFParGen::KeyPress(QLineEdit* Sender, QKeyEvent* Key) {
    if (Key->text() != QLatin1String(".")) return false;
    const QList<QLineEdit*> boxes = Byte_Boxes();
    const qsizetype i = boxes.indexOf(Sender);
    if (i >= 0 && i + 1 < boxes.size() && Can_Focus(boxes[i + 1])) boxes[i + 1]->setFocus(Qt::TabFocusReason);
    return true; // the "." itself never reaches the box
}

bool TFParGen::Controllo_Dati() {
    const TParGen_Check_Result r = Check_ParGen(Values());
    if (r.ok()) return true;
    Error_Message(r.line);
    return false;
}

void TFParGen::Btn_OKClick() {
    if (!Controllo_Dati()) return;
    QString reason;
    if (!Save_ParGen(ParGen_File, XML1, Values(), &reason)) {
        // The previous file is untouched and every entry stays as typed.
        Show_Message_Text(Msg_Kind::Error,
                          T(903) + QLatin1Char('\n') + QDir::toNativeSeparators(ParGen_File) +
                              QLatin1Char('\n') + reason,
                          903);
        return;
    }
    accept();
}

void TFParGen::Btn_CancelClick() {
    if (Is_Change && !Confirm_Message(424)) return;
    reject();
}

void TFParGen::Set_Lang() {
    setWindowTitle(T(400));
    L_SW_Desc->setText(T(401));
    Fit(L_SW_Desc, Client_Width - 16 - 8);
    Btn_OK->setText(T(402));
    Btn_Cancel->setText(T(403));
    Btn_OK->setToolTip(T(425));
    Btn_Cancel->setToolTip(T(426));

    GB_Modbus_TCP_Slave->setTitle(T(404));
    L_ModTCPs_IP->setText(T(405));
    Fit(L_ModTCPs_IP, Caption_Room, false); // the address bytes stand right below
    L_ModTCPs_SM->setText(T(406));
    Fit(L_ModTCPs_SM, Caption_Room, false);
    CB_ModTCPs_EN_GAT->setText(T(407));
    Fit(CB_ModTCPs_EN_GAT, false);
    L_ModTCPs_Port->setText(T(408));
    Fit(L_ModTCPs_Port, Beside_Port_Room);
    Place_Label(L_ModTCPs_Port, 16, 191);
    const QList<QLineEdit*> boxes = Byte_Boxes();
    for (int i = 0; i < 8; ++i)
        boxes[i]->setToolTip(T(427 + i));
    CB_ModTCPs_EN_GAT->setToolTip(T(435));
    for (int i = 0; i < 4; ++i)
        boxes[8 + i]->setToolTip(T(436 + i));
    E_PORT->setToolTip(T(440));
    CB_Modbus_TCP_Slave_Map_DALI->setText(T(1262));
    Fit(CB_Modbus_TCP_Slave_Map_DALI);
    CB_Modbus_TCP_Slave_Map_DALI->setToolTip(T(1263));

    GB_DALI->setTitle(T(463));
    L_DALI_Console_Port->setText(T(464));
    Fit(L_DALI_Console_Port, Beside_DALI_Edit_Room);
    Place_Label(L_DALI_Console_Port, 16, 24);
    E_DALI_Console_Port->setToolTip(T(465));
    CB_DALI_SwitchOff->setText(T(553));
    Fit(CB_DALI_SwitchOff);
    CB_DALI_SwitchOff->setToolTip(T(555));
    L_DALI_TimeOut->setText(T(554));
    Fit(L_DALI_TimeOut, Beside_DALI_Edit_Room);
    E_DALI_TimeOut->setToolTip(T(556));
    CB_DALI_Disable_Scan->setText(T(1290));
    Fit(CB_DALI_Disable_Scan);
    CB_DALI_Disable_Scan->setToolTip(T(1291));
    CB_DALI_En_DALI2->setText(T(1292));
    Fit(CB_DALI_En_DALI2);
    CB_DALI_En_DALI2->setToolTip(T(1293));

    for (QToolButton* b : {Btn_Modbus_TCP_Slave_Collapse, Btn_DALI_Collapse})
        b->setToolTip(T(409));
    for (QToolButton* b : {Btn_Modbus_TCP_Slave_Expande, Btn_DALI_Expande})
        b->setToolTip(T(410));

    // Captions of another length may change the heights of the boxes.
    Move_GroupBoxs();
}

void TFParGen::showEvent(QShowEvent* e) {
    TDialog_Base::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void TFParGen::resizeEvent(QResizeEvent* e) {
    // The buttons stand where Move_GroupBoxs puts them, not in the bottom panel.
    QDialog::resizeEvent(e);
    P_Title->setGeometry(0, 0, width(), 69);
}

void TFParGen::keyPressEvent(QKeyEvent* e) {
    // Escape is Cancel, with its question when something was changed.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        Btn_CancelClick();
        return;
    }
    TDialog_Base::keyPressEvent(e);
}

bool TFParGen::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) FormActivate();
    return TDialog_Base::event(e);
}

bool TFParGen::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* box = qobject_cast<QLineEdit*>(o);
        if (box && KeyPress(box, static_cast<QKeyEvent*>(e))) return true;
    }
    return TDialog_Base::eventFilter(o, e);
}
