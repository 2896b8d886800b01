#include "app/process_locale.h"

#include <clocale>

namespace tavex {

ProcessDecimalSeparator::ProcessDecimalSeparator()
    : inherited_(QLocale::system().decimalPoint().toStdString())
{
    const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
    inheritedNumeric_ = numeric ? numeric : "C";
}

std::string ProcessDecimalSeparator::Read()
{
    return inherited_;
}

void ProcessDecimalSeparator::Write(const std::string& separator)
{
    if (separator == inherited_) {
        std::setlocale(LC_NUMERIC, inheritedNumeric_.c_str());
        QLocale::setDefault(inheritedDefault_);
    } else if (separator == ".") {
        std::setlocale(LC_NUMERIC, "C");
        QLocale::setDefault(QLocale::c());
    }
}

NumberFormat ProcessDecimalSeparator::UserNumberFormat() const
{
    return NumberFormat{QLocale::system().groupSeparator().toStdString()};
}

} // namespace tavex
