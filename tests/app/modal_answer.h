#pragma once

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include <memory>
#include <string>

namespace tavex {

// Answers the next message box the program shows, once it is up (it runs a
// loop of its own), and keeps its text. Meant to be created just before the
// command that may show it; a box that never came leaves `shown` false.
class MessageBoxAnswer final {
public:
    MessageBoxAnswer() { Poll(state_); }
    MessageBoxAnswer(const MessageBoxAnswer&) = delete;
    MessageBoxAnswer& operator=(const MessageBoxAnswer&) = delete;

    bool shown() const { return state_->shown; }
    const std::string& text() const { return state_->text; }

private:
    struct State {
        bool shown = false;
        std::string text;
        int polls = 0;
    };

    static void Poll(const std::shared_ptr<State>& pending)
    {
        QTimer::singleShot(10, qApp, [state = pending] {
            if (state.use_count() == 1)
                return; // the test is over
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) {
                if (++state->polls < 300)
                    Poll(state);
                return;
            }
            state->shown = true;
            state->text = box->text().toStdString();
            box->accept();
        });
    }

    std::shared_ptr<State> state_ = std::make_shared<State>();
};

} // namespace tavex
