#pragma once

#include <functional>
#include <string>

class QWidget;

namespace tavex {

// A window's input box: a question with a text answer, starting empty;
// Cancel answers "". Replaceable by tests that script the user.
class InputBox final {
public:
    using Asker = std::function<std::string(QWidget* parent, const std::string& prompt, const std::string& title)>;

    // The platform's input dialog.
    InputBox();
    // Another asker in its place.
    explicit InputBox(Asker asker);

    std::string Ask(QWidget* parent, const std::string& prompt, const std::string& title) const
    {
        return asker_(parent, prompt, title);
    }

private:
    Asker asker_;
};

} // namespace tavex
