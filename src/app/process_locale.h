#pragma once

#include "app/decimal_point.h"
#include "setup/field_checks.h"

#include <QLocale>

#include <string>

namespace tavex {

// The decimal separator of this process. Linux keeps no per-user writable
// setting: the separator is the one of the locale the program inherits, and
// "." is put into effect for this process alone, in the C library's numeric
// locale and in Qt's default locale. The user's own settings are never touched.
class ProcessDecimalSeparator final : public DecimalSeparatorSetting {
public:
    // Remembers the locales in effect; create it after the QApplication,
    // which installs the user's locale.
    ProcessDecimalSeparator();

    std::string Read() override;
    // "." fixes the C numeric locale for the process; the separator read at
    // start-up brings the inherited locales back; any other is not possible here.
    void Write(const std::string& separator) override;

    // The user's number format as the entry checks need it.
    NumberFormat UserNumberFormat() const;

private:
    std::string inherited_;        // the separator of the inherited locale
    std::string inheritedNumeric_; // its C numeric locale name
    QLocale inheritedDefault_;
};

} // namespace tavex
