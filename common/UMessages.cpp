#include "common/UMessages.h"

#include "common/Comon_State.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>

namespace UComon {

namespace {
Message_Handler g_message_handler;
Modal_Handler g_modal_handler;
Url_Handler g_url_handler;
QPointer<QWidget> g_main_window;
} // namespace

void Set_Message_Handler(Message_Handler h) { g_message_handler = std::move(h); }
void Set_Modal_Handler(Modal_Handler h) { g_modal_handler = std::move(h); }
void Set_Url_Handler(Url_Handler h) { g_url_handler = std::move(h); }
void Set_Main_Window(QWidget* w) { g_main_window = w; }

bool Show_Message(Msg_Kind kind, int line) { return Show_Message_Text(kind, T(line), line); }

bool Show_Message_Text(Msg_Kind kind, const QString& text, int line) {
    const Shown_Message m{kind, line, text};
    if (g_message_handler)
        return g_message_handler(m);

    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = g_main_window;
    const QString title = SW_Code.isEmpty() ? QString::fromLatin1(Software_Code) : SW_Code;
    switch (kind) {
    case Msg_Kind::Error:
        QMessageBox::critical(parent, title, text, QMessageBox::Ok);
        return false;
    case Msg_Kind::Warning:
        QMessageBox::warning(parent, title, text, QMessageBox::Ok);
        return false;
    case Msg_Kind::Information:
        QMessageBox::information(parent, title, text, QMessageBox::Ok);
        return false;
    case Msg_Kind::Confirmation:
        return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    }
    return false;
}

int Show_Modal(QDialog* dialog) {
    if (g_modal_handler) {
        // The window is shown (its show handler runs) and the handler plays the user.
        dialog->setResult(QDialog::Rejected);
        dialog->show();
        const int result = g_modal_handler(dialog);
        dialog->hide();
        return result;
    }
    return dialog->exec();
}

void Open_Url(const QUrl& url) {
    if (g_url_handler) {
        g_url_handler(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

} // namespace UComon
