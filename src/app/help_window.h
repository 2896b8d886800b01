#pragma once

#include <QString>

class QWidget;

namespace tavex {

// The help file: the start-up directory's, where the program has always
// looked, else the one installed with the program (programDir/../share/tavex);
// the start-up directory's when neither exists, so that the viewer names it.
QString HelpFilePath(const QString& startDir, const QString& programDir);

// Shows the help file in the program's viewer, a window beside `owner` that
// goes with it, at `anchor` (an <a name> in the file; empty: its top). A
// viewer already open shows the file afresh there. When the file cannot be
// read the viewer says so, naming the path.
void ShowHelp(const QString& path, QWidget* owner = nullptr, const QString& anchor = {});

} // namespace tavex
