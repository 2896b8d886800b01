#pragma once

#include <string>

class QWidget;

namespace tavex {

// Asks a question with a text answer, starting empty; Cancel answers "".
std::string InputBox(QWidget* parent, const std::string& prompt, const std::string& title);

} // namespace tavex
