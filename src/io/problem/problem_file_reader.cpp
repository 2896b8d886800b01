#include "io/problem/problem_file_reader.h"

#include "io/text/field_reader.h"
#include "io/text/number_field.h"
#include "base/number_scan.h"
#include "model/star_value.h"
#include "io/problem/table_walk.h"
#include "io/text/whole_file.h"
#include "model/number_text.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <memory>
#include <new>
#include <stdexcept>
#include <thread>

namespace tavex {

namespace {

// A fault that makes the pair unreadable, its message complete.
class ReadFailure final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string VariableLabel(int k) { return "variable " + std::to_string(k + 1); }

// The fields of one file, with messages that name it.
class FileFields final {
public:
    FileFields(std::string_view text, const std::string& path) : fields_(text), path_(path) {}

    // The file's path starts the message, unless it has none.
    [[noreturn]] void Fail(int line, const std::string& what) const
    {
        throw ReadFailure((path_.empty() ? "" : path_ + ", ") + "line " + std::to_string(line) + ": " + what);
    }

    [[noreturn]] void EndsEarly(const std::string& missing) const
    {
        Fail(fields_.LastLine(), "the file ends early: " + missing + " is missing");
    }

    // Starts a field: fails when there is none; returns its line.
    int Begin(const std::string& what)
    {
        if (fields_.AtEnd())
            EndsEarly(what);
        return fields_.line();
    }

    double Value(const std::string& what)
    {
        Begin(what);
        return NumberFromField(fields_.NumberField());
    }

    std::int64_t Count(const std::string& what)
    {
        const int line = Begin(what);
        const std::string_view field = fields_.NumberField();
        if (!IsWholeNumber(field))
            Fail(line, what + " is not a number: " + QuotedForMessage(field));
        return IndexFromText(field);
    }

    std::string_view Text(const std::string& what)
    {
        const int line = Begin(what);
        try {
            return fields_.TextField();
        } catch (const FieldError& error) {
            Fail(line, what + ": " + error.what());
        }
    }

    bool Boolean(const std::string& what)
    {
        const int line = Begin(what);
        const std::string_view field = Text(what);
        if (field == "#TRUE#")
            return true;
        if (field == "#FALSE#")
            return false;
        Fail(line, what + " is neither #TRUE# nor #FALSE#: " + QuotedForMessage(field));
    }

    // Reads count numbers, handing each to store(i, value); a store that keeps
    // nothing checks that they are there.
    template <typename Store>
    void Numbers(std::size_t count, const std::string& what, Store store)
    {
        double value = 0.0;
        for (std::size_t i = 0; i < count; ++i) {
            if (!fields_.NextNumber(value))
                Fail(fields_.LastLine(), "the file ends early: it holds " + std::to_string(i) + " of the "
                                             + std::to_string(count) + " " + what);
            store(i, value);
        }
    }

    // A bound on the fields left: each takes at least one character.
    std::size_t MostFieldsLeft() const { return fields_.Remaining(); }
    int line() const { return fields_.line(); }

private:
    FieldReader fields_;
    std::string path_;
};

// Two tables of doubles this large would not fit in the machine's memory.
// "40 x 40 x 2000000000": the value counts of the variables before k and of k.
std::string GridText(const ProblemModel& model, int k, std::int64_t upperOfK)
{
    std::string text;
    for (int j = 0; j < k; ++j)
        text += std::to_string(model.Var(j).valueUpper + 1) + " x ";
    return text + TextOfNumber(static_cast<double>(upperOfK) + 1.0);
}

constexpr std::size_t kElementsWorthAThread = 1 << 16;
// Neighbours along index 0 that share a cache line of a table.
constexpr int kLineNeighbours = 8;

class PairParser final {
public:
    PairParser(std::string_view problemText, std::string_view dataText, const std::string& problemPath,
               OpenedProblem& opened)
        : problemPath_(problemPath), problem_(problemText, problemPath), data_(dataText, DataFilePath(problemPath)),
          model_(opened.model), entries_(opened.entries)
    {
    }

    void Parse()
    {
        ReadVariableSpecs();
        ReadDataHead();

        // Check that the numbers are there before the tables are made: a damaged
        // count must not make the program claim memory that a short file
        // cannot fill.
        const std::size_t coefficients = computed_ ? elements_ : 0;
        if (problem_.MostFieldsLeft() < coefficients) {
            FileFields dryRun = problem_;
            ReadCoefficients(dryRun, nullptr);
        }
        if (data_.MostFieldsLeft() < listValues_ + elements_) {
            FileFields dryRun = data_;
            ReadValuesAndTable(dryRun, nullptr);
        }

        if (!model_.TryShapeTables(model_.ValueUppers()))
            throw ReadFailure(problemPath_ + ": the grid is too large to hold in memory");
        for (int k = 0; k < kMaxVariables; ++k)
            model_.Var(k).ResizeValues();
        ReadNumberSections();
        if (computed_)
            model_.SetComputed();
    }

    // The problem file's variables and the flag of its coefficients, and nothing of the data file.
    void ParseHead() { ReadVariableSpecs(); }

private:
    // The coefficients and the data file's numbers fill separate storage, so a
    // large pair reads them side by side. A fault of the problem file is told
    // first, as a reading of one file after the other would.
    void ReadNumberSections()
    {
        if (!computed_ || elements_ < kElementsWorthAThread) {
            if (computed_)
                ReadCoefficients(problem_, &model_);
            ReadValuesAndTable(data_, &model_);
            return;
        }
        std::exception_ptr coefficientFault;
        std::thread coefficients([&] {
            try {
                ReadCoefficients(problem_, &model_);
            } catch (...) {
                coefficientFault = std::current_exception();
            }
        });
        std::exception_ptr dataFault;
        try {
            ReadValuesAndTable(data_, &model_);
        } catch (...) {
            dataFault = std::current_exception();
        }
        coefficients.join();
        if (coefficientFault)
            std::rethrow_exception(coefficientFault);
        if (dataFault)
            std::rethrow_exception(dataFault);
    }

    void ReadVariableSpecs()
    {
        const int line = problem_.line();
        const std::int64_t lastVar = problem_.Count("the number of variables");
        if (lastVar < 0 || lastVar >= kMaxVariables)
            problem_.Fail(line, "a problem has 1 to 4 variables; the file gives "
                                    + TextOfNumber(static_cast<double>(lastVar) + 1.0));
        model_.lastVar = static_cast<int>(lastVar);
        model_.AllocateVariableArrays();

        for (int k = 0; k <= model_.lastVar; ++k)
            ReadVariableRecord(k);
        computed_ = problem_.Boolean("the flag of the coefficients");
    }

    void ReadVariableRecord(int k)
    {
        const auto s = static_cast<std::size_t>(k);
        const std::string label = VariableLabel(k);
        model_.Var(k).name = std::string(problem_.Text("the name of " + label));
        model_.Var(k).lowerLimit = problem_.Value("the lower limit of " + label);
        model_.Var(k).upperLimit = problem_.Value("the upper limit of " + label);
        entries_.centerText[s] = std::string(problem_.Text("the center of " + label));
        model_.Var(k).kind = problem_.Boolean("the kind of " + label) ? Kind::Polynomial : Kind::Trigonometric;
        entries_.periodText[s] = std::string(problem_.Text("the period of " + label));
        const int countLine = problem_.line();
        const std::int64_t upper = problem_.Count("the value count of " + label);
        if (upper < 1)
            problem_.Fail(countLine, label + " has fewer than 2 values; a variable needs at least 2");
        if (upper >= INT_MAX || static_cast<std::size_t>(upper) + 1 > ProblemModel::MostTableElements() / elements_)
            problem_.Fail(countLine,
                          "a grid of " + GridText(model_, k, upper) + " values is too large to hold in memory");
        elements_ *= static_cast<std::size_t>(upper) + 1;
        model_.Var(k).valueUpper = static_cast<int>(upper);

        model_.Var(k).center = IsStarEntry(entries_.centerText[s])
                         ? StarCenter(model_.Var(k).lowerLimit, model_.Var(k).upperLimit)
                         : NumberFromField(entries_.centerText[s]);
        model_.Var(k).period = IsStarEntry(entries_.periodText[s]) ? StarPeriod()
                                                               : NumberFromField(entries_.periodText[s]);
    }

    void ReadDataHead()
    {
        const int line = data_.line();
        const std::int64_t lastVar = data_.Count("the number of variables");
        if (lastVar != model_.lastVar)
            data_.Fail(line, "the data file gives " + QuotedForMessage(TextOfNumber(static_cast<double>(lastVar)))
                                 + " as the number of variables less one, the problem file "
                                 + std::to_string(model_.lastVar) + "; the two files do not belong together");
        for (int k = 0; k <= model_.lastVar; ++k) {
            const std::string label = VariableLabel(k);
            const int countLine = data_.line();
            const std::int64_t stored = data_.Count("the value count of " + label);
            if (stored != model_.Var(k).valueUpper)
                data_.Fail(countLine, label + " has " + QuotedForMessage(TextOfNumber(static_cast<double>(stored) + 1.0))
                                          + " values here and " + std::to_string(model_.Var(k).valueUpper + 1)
                                          + " in the problem file; the two files do not belong together");
            model_.Var(k).storedValueUpper = static_cast<int>(stored);
            model_.Var(k).isEquallySpaced = data_.Boolean("the spacing flag of " + label);
            model_.Var(k).valuesExplicit = true;
            listValues_ += static_cast<std::size_t>(stored) + 1;
        }
    }

    // With target null the numbers are only checked to be there.
    void ReadCoefficients(FileFields& fields, ProblemModel* target) const
    {
        if (target == nullptr) {
            fields.Numbers(elements_, "coefficients", [](std::size_t, double) {});
            return;
        }
        TableWalk walk(target->coef.extents(), model_.UpperIndices(), IndexOrder::FirstFastest);
        double* values = target->coef.data();
        fields.Numbers(elements_, "coefficients", [&](std::size_t, double value) {
            values[walk.offset()] = value;
            walk.Next();
        });
    }

    void ReadValuesAndTable(FileFields& fields, ProblemModel* target) const
    {
        for (int k = 0; k < kMaxVariables; ++k) {
            const int upper = model_.Var(k).valueUpper;
            if (upper == 0)
                continue;
            const std::string what = "values of " + VariableLabel(k);
            if (target == nullptr)
                fields.Numbers(static_cast<std::size_t>(upper) + 1, what, [](std::size_t, double) {});
            else
                fields.Numbers(static_cast<std::size_t>(upper) + 1, what, [&](std::size_t i, double value) {
                    target->Var(k).SetValue(static_cast<int>(i), value);
                });
        }
        if (target == nullptr) {
            fields.Numbers(elements_, "function values", [](std::size_t, double) {});
            return;
        }
        // The file's order runs against the storage's (see the writer): the
        // numbers are read in the file's order, then laid into the table a
        // block of neighbours along index 0, one cache line, at a time.
        auto inFileOrder = std::make_unique_for_overwrite<double[]>(elements_);
        fields.Numbers(elements_, "function values", [&](std::size_t i, double value) { inFileOrder[i] = value; });
        const PerVariable<int> upper = model_.UpperIndices();
        const std::size_t perIndex0 = elements_ / (static_cast<std::size_t>(upper[0]) + 1);
        Table4& table = target->funTable;
        for (int first = 0; first <= upper[0]; first += kLineNeighbours) {
            const int width = std::min(kLineNeighbours, upper[0] + 1 - first);
            std::size_t position = 0;
            for (int i1 = 0; i1 <= upper[1]; ++i1)
                for (int i2 = 0; i2 <= upper[2]; ++i2)
                    for (int i3 = 0; i3 <= upper[3]; ++i3, ++position) {
                        double* neighbours = table.data() + table.Offset(first, i1, i2, i3);
                        for (int w = 0; w < width; ++w)
                            neighbours[w] = inFileOrder[static_cast<std::size_t>(first + w) * perIndex0 + position];
                    }
        }
    }

    const std::string& problemPath_;
    FileFields problem_;
    FileFields data_;
    ProblemModel& model_;
    OpenedEntries& entries_;
    std::size_t elements_ = 1;
    bool computed_ = false; // the file holds coefficients
    std::size_t listValues_ = 0;
};

} // namespace

std::string DataFilePath(std::string_view problemPath)
{
    return std::string(problemPath) + ".dat";
}

FileOutcome ParseProblemFiles(std::string_view problemText, std::string_view dataText,
                              const std::string& problemPath, OpenedProblem& opened)
{
    OpenedProblem fresh;
    try {
        PairParser(problemText, dataText, problemPath, fresh).Parse();
    } catch (const ReadFailure& failure) {
        return FileOutcome::Failure(failure.what());
    } catch (const std::bad_alloc&) {
        return FileOutcome::Failure(problemPath + ": the grid is too large to hold in memory");
    }
    opened = std::move(fresh);
    return FileOutcome::Success();
}

FileOutcome ReadProblemFiles(const std::string& problemPath, OpenedProblem& opened)
{
    if (problemPath.empty())
        return FileOutcome::Failure("cannot open: no file name");
    // The two files are read side by side; a fault of the problem file is told first.
    FileBytes dataBytes;
    FileOutcome dataRead;
    std::thread dataReader([&] { dataRead = ReadWholeFile(DataFilePath(problemPath), dataBytes); });
    FileBytes problemBytes;
    const FileOutcome problemRead = ReadWholeFile(problemPath, problemBytes);
    dataReader.join();
    if (!problemRead.ok)
        return problemRead;
    if (!dataRead.ok) {
        // Not a pair's missing half: a file picked that is no problem, whose data file nobody expects.
        if (const std::string fault = ProblemHeadFault(problemBytes.view()); !fault.empty())
            return FileOutcome::Failure(problemPath + " is not a Tavex problem: " + fault);
        return dataRead;
    }
    return ParseProblemFiles(problemBytes.view(), dataBytes.view(), problemPath, opened);
}

std::string ProblemHeadFault(std::string_view problemText)
{
    OpenedProblem scratch;
    const std::string unnamed;
    try {
        PairParser(problemText, {}, unnamed, scratch).ParseHead();
    } catch (const ReadFailure& failure) {
        return failure.what();
    } catch (const std::bad_alloc&) {
        return "not enough memory to read it";
    }
    return {};
}

std::string ProblemFileFor(const std::string& picked)
{
    constexpr std::string_view kData = ".dat";
    if (picked.size() <= kData.size() || !picked.ends_with(kData))
        return picked;
    std::string partner = picked.substr(0, picked.size() - kData.size());
    std::error_code ignored;
    // A problem may itself be named "x.dat": then its own data file is beside it.
    if (!std::filesystem::is_regular_file(partner, ignored) || std::filesystem::exists(DataFilePath(picked), ignored))
        return picked;
    FileBytes partnerBytes;
    if (!ReadWholeFile(partner, partnerBytes).ok || !ProblemHeadFault(partnerBytes.view()).empty())
        return picked;
    return partner;
}

} // namespace tavex
