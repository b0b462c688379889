// The main window: the four steps of a configuration job.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QWidget>

namespace UComon {
class TLbButton;
}

class TFDravianFirmWare : public QWidget {
    Q_OBJECT
public:
    // Runs the whole start-up sequence for the program in `program_dir`.
    explicit TFDravianFirmWare(const QString& program_dir, QWidget* parent = nullptr);

    void Set_Lang();
    void Change_Language();
    bool Save_Setting(); // false when the file could not be written
    void Btn_Click(QWidget* button);
    void Create_New_Project();
    void Open_Project();
    void Update_Device();
    void L_VarnelClick();
    void LL_UpdateLinkClick(const QString& link);
    void Timer_UpdateTimer();
    // Turns the version timer on exactly when both internet flags allow it.
    void Arm_Update_Timer();

    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    UComon::TLbButton* Btn_Info;
    UComon::TLbButton* Btn_Opz;
    UComon::TLbButton* Btn_Close;
    QLabel* LL_Update;
    QLabel* L_Begin;
    QFrame* Shape2;
    QLabel* L_Name_Conf;
    QLabel* L_Name_Conf_L2;
    QLabel* L_Step_1;
    QLabel* L_Step_2;
    QLabel* L_Step_3;
    QLabel* L_Step_4;
    UComon::TLbButton* Btn_New;
    UComon::TLbButton* Btn_Open;
    UComon::TLbButton* Btn_Prm_Gen;
    UComon::TLbButton* Btn_DALI_Access;
    UComon::TLbButton* Btn_CreateBin;
    QFrame* Shape1;
    QLabel* L_Varnel;
    QTimer* Timer_Update;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void FormCreate(const QString& program_dir);
    void Apply_Layout();
    void Show_Configuration_Labels();
    bool saved_on_close_ = false;
};
