// The one place where the program shows message boxes, modal windows and links.
// Tests install a handler that answers questions, records which text-table line
// was shown and drives modal windows without an event loop of their own.
#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QDialog;
class QWidget;

namespace UComon {

enum class Msg_Kind { Error, Warning, Information, Confirmation };

struct Shown_Message {
    Msg_Kind kind;
    int line;     // text-table line, -1 when the text is not a single line
    QString text; // the text as shown
};

// Shows line `line` of the text table. Confirmation returns true for Yes.
bool Show_Message(Msg_Kind kind, int line);
// Shows a text made from table lines (for example with "%d" filled or a file name
// appended); `line` names the main line for tests.
bool Show_Message_Text(Msg_Kind kind, const QString& text, int line = -1);

inline void Error_Message(int line) { Show_Message(Msg_Kind::Error, line); }
inline bool Confirm_Message(int line) { return Show_Message(Msg_Kind::Confirmation, line); }

// Shows a dialog modally and returns its result (QDialog::Accepted / Rejected).
int Show_Modal(QDialog* dialog);

// Opens a web address in the user's browser.
void Open_Url(const QUrl& url);

// Seams for tests. A message handler returns the answer to a question (true = Yes);
// a modal handler plays the user inside the dialog and returns its result; a url
// handler receives the address instead of the browser.
using Message_Handler = std::function<bool(const Shown_Message&)>;
using Modal_Handler = std::function<int(QDialog*)>;
using Url_Handler = std::function<void(const QUrl&)>;
void Set_Message_Handler(Message_Handler h);
void Set_Modal_Handler(Modal_Handler h);
void Set_Url_Handler(Url_Handler h);

// The parent of message boxes (the active modal window, else the main window).
void Set_Main_Window(QWidget* w);

} // namespace UComon
