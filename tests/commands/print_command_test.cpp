#include "commands/print_command.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace tavex::command {
namespace {

TEST(PageHeading, NamesTheProblemFileWithoutItsFolderAndTheLocalMinute)
{
    const char* zone = std::getenv("TZ");
    const std::string kept = zone ? zone : "";
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    struct Case { const char* problemFile; const char* name; };
    const Case cases[] = {
        {"/home/ann/ftp_problem", "ftp_problem"}, {"runs/p.dat", "p.dat"}, {"p", "p"}, {"", "untitled"},
    };
    for (const Case& c : cases) {
        const PageHeading heading = HeadingOf(c.problemFile, 123456789); // 1973-11-29 21:33:09 UTC
        EXPECT_EQ(heading.name, c.name);
        EXPECT_EQ(heading.printedAt, "1973-11-29 21:33");
    }
    ::setenv("TZ", "EET-2", 1); // two hours east of Greenwich, as POSIX writes it
    ::tzset();
    EXPECT_EQ(HeadingOf("p", 123456789).printedAt, "1973-11-29 23:33");
    if (zone)
        ::setenv("TZ", kept.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}

} // namespace
} // namespace tavex::command
