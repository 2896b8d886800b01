#pragma once

#include <QString>

#include <utility>

namespace tavex {

// The name of element k of a per-variable control: "txtLL_2".
inline QString ElementName(const char* name, int k)
{
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(k);
}

// A control made with its object name, which tests and screen readers find it by.
template <typename Control, typename... Args>
Control* Named(const QString& name, Args&&... args)
{
    auto* control = new Control(std::forward<Args>(args)...);
    control->setObjectName(name);
    return control;
}

template <typename Control, typename... Args>
Control* Named(const char* name, Args&&... args)
{
    return Named<Control>(QString::fromLatin1(name), std::forward<Args>(args)...);
}

} // namespace tavex
