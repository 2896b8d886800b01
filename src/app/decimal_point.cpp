#include "app/decimal_point.h"

#include "app/maker.h"

namespace tavex {

std::string DecimalCommaPrompt()
{
    return std::string("Proper operation of this application requires the use of the DECIMAL POINT.\r")
         + "Your system is currently using the DECIMAL COMMA.\r"
         + "\r"
         + "Do you wish to temporarily change this system setting to decimal point?\r"
         + "(Upon exiting, this application will restore your setting.)\r"
         + "(See HELP FILE or visit " + kMakerWebAddress + " for instructions on how to change MANUALLY)\r"
         + "\r"
         + "Press YES to change.";
}

std::optional<std::string> CheckDecimalPoint(DecimalSeparatorSetting& setting, const AskWarning& ask)
{
    const std::string saved = setting.Read();
    if (saved == ".")
        return saved;
    if (ask(kDecimalCommaTitle, DecimalCommaPrompt()) != WarningAnswer::Yes)
        return std::nullopt;
    setting.Write(".");
    return saved;
}

void RestoreDecimalSeparator(DecimalSeparatorSetting& setting, const std::string& savedDecimalSep)
{
    setting.Write(savedDecimalSep);
}

} // namespace tavex
