#include "app/toolkit/message_line.h"

namespace tavex {

MessageLine::MessageLine(std::function<void(const QString&)> show)
    : show_(std::move(show))
{
}

void MessageLine::Say(QWidget* field, const QString& text)
{
    if (about_ && about_ != field)
        about_->setAccessibleDescription(QString());
    about_ = field;
    if (field)
        field->setAccessibleDescription(text);
    text_ = text;
    show_(text);
}

void MessageLine::Clear(QWidget* field)
{
    if (about_ != field || text_.isEmpty())
        return;
    if (about_)
        about_->setAccessibleDescription(QString());
    about_ = nullptr;
    text_.clear();
    show_(QString());
}

bool MessageLine::Check(QWidget* field, const std::string& refusal)
{
    if (refusal.empty()) {
        Clear(field);
        return true;
    }
    Say(field, QString::fromStdString(refusal));
    return false;
}

} // namespace tavex
