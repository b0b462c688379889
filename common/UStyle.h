// The common look of the program's windows: cream background, Verdana 8, the grey
// title labels and flat buttons that highlight under the mouse.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QStyle>

class QWidget;

namespace UComon {

inline constexpr int Background_Red = 248, Background_Green = 247, Background_Blue = 237;

// Background colour and font of a window.
void Apply_Window_Style(QWidget* w);

// The large grey software-code label (top-left of every window's title panel).
QLabel* Make_SW_Code_Label(QWidget* parent);
// The bold grey description label below it.
QLabel* Make_SW_Desc_Label(QWidget* parent);

// A plain label in the common grey, bold when asked.
QLabel* Make_Label(QWidget* parent, bool bold = false);

// A flat button with an optional standard glyph.
class TLbButton : public QPushButton {
    Q_OBJECT
public:
    explicit TLbButton(QWidget* parent, QStyle::StandardPixmap glyph = QStyle::SP_CustomBase, int w = 110,
                       int h = 28);

protected:
    // A caption longer than the fixed button is drawn in a smaller font, never cut off.
    void paintEvent(QPaintEvent* e) override;
};

} // namespace UComon
