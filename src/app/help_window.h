#pragma once

#include <QString>

class QWidget;

namespace tavex {

// The help file: the start-up directory's, where the program has always
// looked, else the one installed with the program (programDir/../share/tavex);
// the start-up directory's when neither exists, so that the viewer names it.
QString HelpFilePath(const QString& startDir, const QString& programDir);

// Opens the help file in a viewer window of the program's own, at its top;
// when the file cannot be read the viewer says so, naming the path.
void ShowHelp(const QString& path, QWidget* parent = nullptr);

} // namespace tavex
