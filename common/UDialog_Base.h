// The frame shared by the program's modal windows: a title panel with the software
// code and a description, and a bottom panel with OK and Cancel.
#pragma once

#include <QDialog>
#include <QLabel>

namespace UComon {

class TLbButton;

class TDialog_Base : public QDialog {
    Q_OBJECT
public:
    explicit TDialog_Base(QWidget* parent = nullptr);

    QWidget* P_Title;
    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    QWidget* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;

protected:
    // Sets the client size and places the panels; `fixed` gives a fixed single border.
    void Set_Client_Size(int w, int h, bool fixed = true);
    void resizeEvent(QResizeEvent* e) override;
    // Right-aligns the buttons of the bottom panel.
    void Place_Buttons();
};

} // namespace UComon
