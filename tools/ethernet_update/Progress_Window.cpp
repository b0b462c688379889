#include "tools/ethernet_update/Progress_Window.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace {

QLabel* Line(QWidget* parent, QVBoxLayout* layout, bool bold = false) {
    auto* l = new QLabel(parent);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setWordWrap(true);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    layout->addWidget(l);
    return l;
}

} // namespace

Progress_Window::Progress_Window(const QString& title) {
    setObjectName(QStringLiteral("Progress_Window"));
    setWindowTitle(title.isEmpty() ? QStringLiteral("Ethernet Update") : title);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(248, 247, 237));
    setPalette(pal);
    setAutoFillBackground(true);
    QFont f(QStringLiteral("Verdana"));
    f.setPointSize(8);
    setFont(f);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    L_Title = Line(this, layout);
    QFont big = L_Title->font();
    big.setPixelSize(20);
    L_Title->setFont(big);
    L_Title->setStyleSheet(QStringLiteral("color: #808080;"));
    L_Title->setText(windowTitle());
    L_Converter = Line(this, layout);
    L_Operation = Line(this, layout, true);
    L_File = Line(this, layout);
    L_Bytes = Line(this, layout);
    PB_Operation = new QProgressBar(this);
    PB_Operation->setRange(0, 100);
    PB_Operation->setValue(0);
    layout->addWidget(PB_Operation);
    L_Result = Line(this, layout, true);
    Btn_Close = new QPushButton(QStringLiteral("Close"), this);
    Btn_Close->setEnabled(false);
    layout->addWidget(Btn_Close, 0, Qt::AlignRight);
    connect(Btn_Close, &QPushButton::clicked, this, &QWidget::close);
    L_Converter->setText(QStringLiteral("Looking for the converter..."));
    L_File->hide();
    L_Bytes->hide();
    setFixedWidth(480);
}

void Progress_Window::Show_Converter(const QString& text) { L_Converter->setText(text); }

void Progress_Window::Show_Progress(const Update_Progress& p) {
    if (!p.job_title.isEmpty() && L_Title->text() != p.job_title) {
        L_Title->setText(p.job_title);
        setWindowTitle(p.job_title);
    }
    if (p.operation > 0)
        L_Operation->setText(
            QStringLiteral("Operation %1 of %2: %3").arg(p.operation).arg(p.operations).arg(p.phase));
    else
        L_Operation->setText(p.phase);
    L_File->setText(p.file);
    L_File->setVisible(!p.file.isEmpty());
    L_Bytes->setVisible(p.total > 0);
    if (p.total > 0) {
        const int percent = int(p.done * 100 / p.total);
        L_Bytes->setText(QStringLiteral("%1 of %2 bytes (%3%)").arg(p.done).arg(p.total).arg(percent));
        PB_Operation->setValue(percent);
    }
}

void Progress_Window::Show_Result(bool ok, const QString& text) {
    finished_ = true;
    L_Result->setText(text);
    L_Result->setStyleSheet(ok ? QStringLiteral("color: #2e7d32;") : QStringLiteral("color: #b00020;"));
    Btn_Close->setEnabled(true);
    Btn_Close->setFocus();
    adjustSize(); // room for a long reason
}

void Progress_Window::closeEvent(QCloseEvent* e) {
    // An update stopped half-way would leave the converter without a complete image.
    if (!finished_)
        e->ignore();
    else
        e->accept();
}
