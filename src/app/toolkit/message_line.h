#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>

namespace tavex {

// A window's message line: why an entry was refused, how a text was read,
// what a command did. A message about a field is also that field's
// accessible description while it stands, and goes when the field's entry
// is accepted.
class MessageLine final {
public:
    // show: puts a text on the line (a status bar's, a label's); empty clears it.
    explicit MessageLine(std::function<void(const QString&)> show);

    // A message about `field`, or about the window when field is null.
    void Say(QWidget* field, const QString& text);
    // The entry of `field` is accepted: its message, if it stands, goes.
    void Clear(QWidget* field);
    // A check's verdict in words: an empty refusal accepts (and clears), any
    // other is said about the field. True when accepted.
    bool Check(QWidget* field, const std::string& refusal);

    const QString& Text() const { return text_; }

private:
    std::function<void(const QString&)> show_;
    QPointer<QWidget> about_;
    QString text_;
};

} // namespace tavex
