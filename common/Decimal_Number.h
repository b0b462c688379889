// Decimal numbers that the user may type with either separator.
#pragma once

#include <QChar>
#include <QString>

namespace UComon {

// The user's decimal separator: "," or "." (","  when the locale uses another one).
QChar Read_Decimal_Separator();

// Converts a number written with "," or "." as decimal separator, whichever the
// user's locale uses. Blanks around the number are allowed; nothing else may follow.
bool Text_To_Float(const QString& text, QChar separator, float& value);

} // namespace UComon
