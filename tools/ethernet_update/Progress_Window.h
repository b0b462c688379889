// The updater's window: which operation runs, on which file, how far it is.
#pragma once

#include "tools/ethernet_update/Updater.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

class Progress_Window : public QWidget {
    Q_OBJECT
public:
    explicit Progress_Window(const QString& title);
    void Show_Converter(const QString& text);
    void Show_Progress(const Update_Progress& p);
    // The end: the result in words; the window can then be closed.
    void Show_Result(bool ok, const QString& text);

    QLabel* L_Title;
    QLabel* L_Converter;
    QLabel* L_Operation;
    QLabel* L_File;
    QLabel* L_Bytes;
    QProgressBar* PB_Operation;
    QLabel* L_Result;
    QPushButton* Btn_Close;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    bool finished_ = false;
};
