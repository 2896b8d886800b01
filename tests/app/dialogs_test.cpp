#include "app/about_window.h"
#include "app/startup_pause.h"
#include "main_window_fixture.h"

namespace tavex {
namespace {

TEST(DecimalPoint, AnythingButAPointIsAskedAboutAndWrittenBackAtExit)
{
    // Separators: a middle dot, an apostrophe, an unreadable setting (empty); writes at the check, then at exit.
    struct Case { const char* separator; WarningAnswer answer; bool goesOn; int asked; Names writes; };
    const Case cases[] = {
        {",", WarningAnswer::Yes, true, 1, {".", ","}},   {",", WarningAnswer::No, false, 1, {}},
        {",", WarningAnswer::Cancel, false, 1, {}},     {".", WarningAnswer::No, true, 0, {"."}},
        {"\u00b7", WarningAnswer::Yes, true, 1, {".", "\u00b7"}}, {"'", WarningAnswer::Yes, true, 1, {".", "'"}},
        {"", WarningAnswer::Yes, true, 1, {".", ""}},
    };
    for (const Case& c : cases) {
        RecordingSetting setting;
        setting.read = c.separator;
        int asked = 0;
        const auto saved = CheckDecimalPoint(setting, [&](const std::string& title, const std::string& prompt) {
            EXPECT_EQ(title + "|" + prompt, "Decimal Comma Warning!|" + DecimalCommaPrompt());
            return ++asked, c.answer;
        });
        EXPECT_EQ(std::tuple(saved.has_value(), asked), std::tuple(c.goesOn, c.asked)) << c.separator;
        if (saved)
            RestoreDecimalSeparator(setting, *saved);
        EXPECT_EQ(setting.writes, c.writes) << c.separator;
    }
    // Its lines end in a carriage return alone.
    const std::string prompt = DecimalCommaPrompt();
    EXPECT_TRUE(prompt.find("DECIMAL POINT.\r") != std::string::npos && prompt.find('\n') == std::string::npos);
}

TEST(AboutWindow, ShowsItsLinesAndTheBuildsVersionAndClosesOnAClickEvenOnTheText)
{
    QPointer<AboutWindow> about = ShowAbout();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->findChild<QLabel*>("lblVersion")->text(), "Version " TAVEX_VERSION);
    const QStringList lines = AboutWindow::Lines();
    EXPECT_EQ(lines.mid(0, 8), (QStringList{{}, {}, {}, {}, "Tavex", {}, "(Tabulated Functions)", {}}));
    EXPECT_EQ(about->findChild<QLabel*>()->text(), lines.join('\n'));
    QTest::mouseClick(about->findChild<QLabel*>(), Qt::LeftButton);
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());
}

TEST(StartupPause, LastsBetweenTwoAndThreeSeconds)
{
    using std::chrono::milliseconds;
    const std::chrono::system_clock::time_point whole{std::chrono::seconds(1000)};
    // Begun on a boundary: three seconds; begun just before one: a little over two.
    for (const auto begun : {whole, whole + milliseconds(999)}) {
        EXPECT_FALSE(StartupPauseOver(begun, whole + milliseconds(2999)));
        EXPECT_TRUE(StartupPauseOver(begun, whole + milliseconds(3000)));
    }
}

TEST(CommonDialog, ANameColumnShowsEveryNameWhole)
{
    QTemporaryDir dir;
    const QString longName = QStringLiteral("measurements_of_the_second_furnace_taken_every_minute_in_march.csv");
    QFile(dir.filePath(longName)).open(QIODevice::WriteOnly);
    CommonDialog dialog(QStringLiteral("Import table"), {QStringLiteral("Tables (*.csv *.tsv *.txt)")});
    dialog.setFileName(dir.filePath(QStringLiteral("x.csv")));
    auto widths = std::make_shared<std::pair<int, int>>(0, 0); // the column's, the name's
    WhenDialogShows([widths, longName](QDialog* shown) {
        auto* details = shown->findChild<QTreeView*>(QStringLiteral("treeView"));
        ASSERT_TRUE(details);
        widths->second = details->fontMetrics().horizontalAdvance(longName);
        (void)QTest::qWaitFor([&] { return details->columnWidth(0) > widths->second; }, 5000);
        widths->first = details->columnWidth(0);
    });
    EXPECT_FALSE(dialog.ShowOpen(nullptr));
    EXPECT_GT(widths->first, widths->second);
}

TEST(CommonDialog, AFiltersFirstExtensionIsTheDefault)
{
    const std::pair<const char*, const char*> cases[] = {
        {"CSV files (*.csv)", "csv"}, {"Tables (*.csv *.tsv *.txt)", "csv"}, {"SVG images (*.svg)", "svg"},
        {"All files (*)", ""}, {"Any kind (*.*)", ""}, {"Backups (*.b?k)", ""}, {"No pattern", ""},
    };
    for (const auto& [filter, suffix] : cases)
        EXPECT_EQ(DefaultSuffixOf(QString::fromLatin1(filter)).toStdString(), suffix) << filter;
}

} // namespace
} // namespace tavex
