#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tavex {

enum class SaveAnswer { Save, Discard, Cancel };

// The question asked before unsaved work would be lost: "Save changes to
// NAME?" with Save, Discard and Cancel, Save the default and Escape Cancel.
// Replaceable by tests that script the user, as the file dialogs are.
class SaveQuestion final {
public:
    using Asker = std::function<SaveAnswer(QWidget* parent, const QString& text)>;

    // The platform's message box.
    SaveQuestion();
    // Another asker in its place.
    explicit SaveQuestion(Asker asker);

    // name: the problem's file name, or what stands for it while it has none.
    SaveAnswer Ask(QWidget* parent, const QString& name) const;

private:
    Asker asker_;
};

} // namespace tavex
