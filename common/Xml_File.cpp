#include "common/Xml_File.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace UComon {

Xml_Load_Result Load_Xml_File(const QString& path, QDomDocument& doc, QString* reason) {
    doc.clear();
    QFile f(path);
    if (!QFileInfo(path).isFile()) {
        if (reason)
            *reason = QStringLiteral("file not found");
        return Xml_Load_Result::Missing;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = f.errorString();
        return Xml_Load_Result::Unreadable;
    }
    const QByteArray bytes = f.readAll();
    QString msg;
    int line = 0, column = 0;
    if (!doc.setContent(bytes, &msg, &line, &column)) {
        doc.clear();
        if (reason)
            *reason = QStringLiteral("%1 (line %2, column %3)").arg(msg).arg(line).arg(column);
        return Xml_Load_Result::Not_Well_Formed;
    }
    return Xml_Load_Result::Ok;
}

QDomElement Root_Element(const QDomDocument& doc) { return doc.documentElement(); }

bool Child_Text(const QDomElement& parent, const QString& name, QString& text) {
    if (parent.isNull())
        return false;
    const QDomElement e = parent.firstChildElement(name);
    if (e.isNull())
        return false;
    text = e.text();
    return true;
}

QDomElement Add_Text_Child(QDomDocument& doc, QDomElement& parent, const QString& name, const QString& text) {
    QDomElement e = doc.createElement(name);
    if (!text.isEmpty())
        e.appendChild(doc.createTextNode(text));
    parent.appendChild(e);
    return e;
}

bool Save_File_Atomic(const QString& path, const QByteArray& bytes, QString* reason) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (reason)
            *reason = f.errorString();
        return false;
    }
    if (f.write(bytes) != bytes.size()) {
        if (reason)
            *reason = f.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (reason)
            *reason = f.errorString();
        return false;
    }
    return true;
}

bool Save_Xml_File(const QString& path, const QDomDocument& doc, QString* reason) {
    return Save_File_Atomic(path, doc.toByteArray(2), reason);
}

} // namespace UComon
