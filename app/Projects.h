// Configuration projects: folders under PROJECTS.
#pragma once

#include <QString>
#include <QStringList>

namespace UComon {

// Creates the project `name` exactly as typed and makes it active. Returns 0 on
// success, else the text-table line of the refusal: 107 empty name, 106 a folder of
// that name exists (letter case not distinguished), 105 the name is not a single
// folder name or the folder cannot be created.
int Create_Project(const QString& name);

// Names of the folders under PROJECTS, hidden ones left out, in file-system order.
QStringList Load_Existing_Configuration();

// Position of the first entry of `list` equal to `name` when letters A to Z are
// compared without case, or -1.
int Search_Open_Conf(const QStringList& list, const QString& name);

// Makes `name` the active project (empty: no project) and recomputes the file set.
void Activate_Project(const QString& name);

} // namespace UComon
