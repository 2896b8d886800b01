// tavex: the desktop program.
#include "app/about_window.h"
#include "app/decimal_point.h"
#include "app/main_window.h"
#include "app/process_locale.h"
#include "app/startup_pause.h"
#include "app/toolkit/busy_pointer.h"
#include "app/toolkit/toolkit_application.h"

#include <QMessageBox>

namespace {

tavex::WarningAnswer AskWithMessageBox(const std::string& title, const std::string& prompt)
{
    // The prompt's lines end in a carriage return alone; Qt breaks lines at line feeds.
    QString text = QString::fromStdString(prompt);
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const auto answer = QMessageBox::critical(nullptr, QString::fromStdString(title), text,
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                              QMessageBox::Yes);
    return answer == QMessageBox::Yes ? tavex::WarningAnswer::Yes
         : answer == QMessageBox::No  ? tavex::WarningAnswer::No
                                      : tavex::WarningAnswer::Cancel;
}

} // namespace

int main(int argc, char** argv)
{
    tavex::ToolkitApplication app(argc, argv);
    tavex::ProcessDecimalSeparator decimalSeparator;
    const tavex::NumberFormat numberFormat = decimalSeparator.UserNumberFormat();
    const auto savedDecimalSep = tavex::CheckDecimalPoint(decimalSeparator, AskWithMessageBox);
    if (!savedDecimalSep)
        return 0;

    tavex::AboutWindow* about = tavex::ShowAbout();
    tavex::ProcessEventsUntilPainted(about);
    tavex::WaitStartupPause(std::chrono::system_clock::now());
    about->close();

    tavex::MainWindow window(decimalSeparator, *savedDecimalSep, numberFormat);
    window.show();
    return app.exec();
}
