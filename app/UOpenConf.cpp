#include "app/UOpenConf.h"

#include "app/Projects.h"
#include "common/Comon_State.h"
#include "common/UStyle.h"

#include <QResizeEvent>

using namespace UComon;

TFOpenConf::TFOpenConf(QWidget* parent) : TDialog_Base(parent) {
    setObjectName(QStringLiteral("FOpenConf"));
    setSizeGripEnabled(true);
    Label1 = Make_Label(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(16, 70);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    connect(ListBox1, &QListWidget::currentRowChanged, this, &TFOpenConf::ListBox1Click);
    // A double click opens the entry at once.
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] {
        ListBox1Click();
        accept();
    });
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    setMinimumSize(300, 220);
    Set_Client_Size(377, 351, false);
    Set_Lang();
}

void TFOpenConf::Set_Lang() {
    setWindowTitle(T(200));
    L_SW_Desc->setText(T(201));
    L_SW_Desc->adjustSize();
    Label1->setText(T(202));
    Label1->adjustSize();
    Btn_OK->setText(T(203));
    Btn_Cancel->setText(T(204));
    ListBox1->setToolTip(T(205));
    Btn_OK->setToolTip(T(206));
    Btn_Cancel->setToolTip(T(207));
}

void TFOpenConf::FormShow() {
    SL = Load_Existing_Configuration();
    {
        const QSignalBlocker block(ListBox1);
        ListBox1->clear();
        ListBox1->addItems(SL);
    }
    const QString active = Project_Dir.isEmpty() ? QString() : Project_Dir.mid(Projects_Dir.size() + 1);
    int pos = Search_Open_Conf(SL, active);
    if (pos < 0 && !SL.isEmpty())
        pos = 0;
    Name_Conf = pos >= 0 ? SL.at(pos) : QString();
    if (pos >= 0) {
        const QSignalBlocker block(ListBox1);
        ListBox1->setCurrentRow(pos);
    }
    ListBox1->setFocus();
}

void TFOpenConf::ListBox1Click() {
    const int row = ListBox1->currentRow();
    if (row >= 0 && row < ListBox1->count())
        Name_Conf = ListBox1->item(row)->text();
}

void TFOpenConf::showEvent(QShowEvent* e) {
    TDialog_Base::showEvent(e);
    FormShow();
}

void TFOpenConf::resizeEvent(QResizeEvent* e) {
    TDialog_Base::resizeEvent(e);
    ListBox1->setGeometry(16, 94, width() - 32, height() - 94 - 40 - 4);
}
