// The open-configuration dialog.
#pragma once

#include "common/UDialog_Base.h"

#include <QListWidget>
#include <QStringList>

class TFOpenConf : public UComon::TDialog_Base {
    Q_OBJECT
public:
    explicit TFOpenConf(QWidget* parent = nullptr);
    void Set_Lang();
    void FormShow();
    void ListBox1Click();

    QLabel* Label1;
    QListWidget* ListBox1;
    QStringList SL;
    QString Name_Conf;

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
};
