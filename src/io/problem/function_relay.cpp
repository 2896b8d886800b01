#include "io/problem/function_relay.h"

#include "io/text/field_reader.h"
#include "io/problem/problem_file_writer.h"
#include "io/text/whole_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace tavex {

namespace {

// A file of our own, never one of the user's: created new, with a name no other file has.
int CreateTemporary(const std::string& folder, std::string& path)
{
    std::string pattern = folder + "/FUNCTION-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd >= 0)
        path = pattern;
    return fd;
}

FileOutcome WriteTable(const ProblemModel& model, int fd, const std::string& path)
{
    int error = 0;
    WriteFunctionValues(model, [&](std::string_view piece) {
        while (error == 0 && !piece.empty()) {
            const ssize_t written = ::write(fd, piece.data(), piece.size());
            if (written < 0 && errno != EINTR)
                error = errno;
            else if (written > 0)
                piece.remove_prefix(static_cast<std::size_t>(written));
        }
    });
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        return FileOutcome::Failure(path + ": cannot write: " + std::strerror(error));
    return FileOutcome::Success();
}

// Reads the values back in the file's order, the last index fastest, into
// `table` with the extents they were written with.
FileOutcome ReadTable(const std::string& path, const PerVariable<int>& upper, Table4& table)
{
    FileBytes bytes;
    if (FileOutcome read = ReadWholeFile(path, bytes); !read.ok)
        return read;
    FieldReader fields(bytes.view());
    double value = 0.0;
    for (int i0 = 0; i0 <= upper[0]; ++i0)
        for (int i1 = 0; i1 <= upper[1]; ++i1)
            for (int i2 = 0; i2 <= upper[2]; ++i2)
                for (int i3 = 0; i3 <= upper[3]; ++i3) {
                    if (!fields.NextNumber(value))
                        return FileOutcome::Failure(path + ": cannot read: the file ends early");
                    table(i0, i1, i2, i3) = value;
                }
    return FileOutcome::Success();
}

} // namespace

FileOutcome ReLayFunTable(ProblemModel& model, int k, int added, const std::string& folder)
{
    const PerVariable<int> before = model.UpperIndices();
    PerVariable<int> after = before;
    after[static_cast<std::size_t>(k)] += added;
    ProblemModel relaid; // holds the new tables until they are complete
    if (!relaid.TryShapeTables(after))
        return FileOutcome::Failure("The function table with " + std::to_string(after[static_cast<std::size_t>(k)] + 1)
                                    + " values of this variable would not fit in memory; no values were added.");

    std::string path;
    int fd = CreateTemporary(folder, path);
    if (fd < 0) {
        const int startDirError = errno;
        std::error_code noTempDir; // TMPDIR may name a folder that is not there
        const std::filesystem::path temp = std::filesystem::temp_directory_path(noTempDir);
        if (!noTempDir)
            fd = CreateTemporary(temp.string(), path);
        if (fd < 0)
            errno = startDirError;
    }
    if (fd < 0)
        return FileOutcome::Failure(folder + ": cannot write a temporary file: " + std::strerror(errno)
                                    + "; no values were added.");
    FileOutcome outcome = WriteTable(model, fd, path);
    if (outcome.ok)
        outcome = ReadTable(path, before, relaid.funTable);
    ::unlink(path.c_str());
    if (!outcome.ok) {
        outcome.message += "; no values were added.";
        return outcome;
    }
    model.funTable = std::move(relaid.funTable);
    model.coef = std::move(relaid.coef);
    model.Var(k).valueUpper = after[static_cast<std::size_t>(k)];
    model.MarkEdited(); // the command clears the coefficients, all zero now
    return outcome;
}

} // namespace tavex
