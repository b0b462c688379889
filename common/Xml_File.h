// Reading and writing the program's XML files.
#pragma once

#include <QDomDocument>
#include <QString>

namespace UComon {

enum class Xml_Load_Result { Ok, Missing, Unreadable, Not_Well_Formed };

// Loads a whole XML file. On failure `reason` says why (for a message).
Xml_Load_Result Load_Xml_File(const QString& path, QDomDocument& doc, QString* reason = nullptr);

// The root of a document: its first element at document level, whatever its name.
// A declaration or a comment before it does not matter.
QDomElement Root_Element(const QDomDocument& doc);

// Text of the first child element `name` of `parent`; false when there is none.
bool Child_Text(const QDomElement& parent, const QString& name, QString& text);

// Appends <name>text</name> to parent and returns it.
QDomElement Add_Text_Child(QDomDocument& doc, QDomElement& parent, const QString& name, const QString& text);

// Writes the document atomically: either the whole new file is in place, or the old
// file is untouched. On failure `reason` says why.
bool Save_Xml_File(const QString& path, const QDomDocument& doc, QString* reason = nullptr);

// Writes bytes atomically, as Save_Xml_File does.
bool Save_File_Atomic(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

} // namespace UComon
