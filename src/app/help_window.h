#pragma once

#include <QString>

class QWidget;

namespace tavex {

// Opens the help file in a viewer window of the program's own, at its top;
// when the file cannot be read the viewer says so, naming the path.
void ShowHelp(const QString& path, QWidget* parent = nullptr);

} // namespace tavex
