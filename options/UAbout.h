// The about window: what the configurator is, with a link to the maker's home page.
// Its texts are fixed and do not follow the language.
#pragma once

#include <QDialog>
#include <QLabel>

namespace UComon {
class TLbButton;
}

class TFAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFAbout(QWidget* parent = nullptr);
    void Set_Lang() {} // no texts from the table
    void FormShow();
    void Label4Click();

    QLabel* Image2;
    QLabel* Image_Second_Logo;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label6;
    QLabel* Label9;
    QLabel* Label3;
    QLabel* Label10;
    QLabel* Label8;
    QLabel* Label12;
    QLabel* Label4;
    UComon::TLbButton* LbButton1;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
};
