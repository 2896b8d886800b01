#include "io/table/table_import.h"

#include "base/number_scan.h"
#include "io/text/delimited_text.h"
#include "io/text/field_reader.h"
#include "io/text/number_field.h"
#include "io/table/table_grid.h"
#include "io/text/whole_file.h"
#include "model/star_value.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>
#include <stdexcept>

namespace tavex {

namespace {

// A fault of the table or the options, its message complete.
class ImportFailure final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

constexpr const char* kDefaultNames[] = {"x", "y", "z", "w"};

std::optional<double> NumberOf(const DelimitedField& field)
{
    const NumberScan scan = ScanNumber(field.text);
    if (!scan.found || scan.end != field.text.size())
        return std::nullopt;
    return scan.value;
}

// A center or period entry a panel would take: "*" or a number alone.
bool IsEntry(const std::string& text)
{
    return IsStarEntry(text) || IsWholeNumber(text);
}

FileOutcome CheckOptionEntries(const TableImportOptions& options)
{
    for (const auto& [entries, what] : {std::pair{&options.centers, "center"}, std::pair{&options.periods, "period"}})
        for (const auto& [name, text] : *entries)
            if (!IsEntry(text))
                return FileOutcome::Failure(std::string("the ") + what + " given for " + name
                                            + " is neither \"*\" nor a number: " + QuotedForMessage(text));
    return FileOutcome::Success();
}

class TableParser final {
public:
    TableParser(std::string_view text, const std::string& path, const TableImportOptions& options)
        : rows_(text), path_(path), options_(options)
    {
    }

    void Parse(OpenedProblem& imported)
    {
        if (!rows_.Next(fields_))
            throw ImportFailure(path_ + ": the file is empty");
        StartFromFirstRow();
        CheckOptionNames();
        while (rows_.Next(fields_)) {
            if (fields_.size() != columns_)
                Fail(rows_.line(), "the row has " + FieldCount(fields_.size()) + " where the first row has "
                                       + std::to_string(columns_));
            if (block_)
                AddBlockRow();
            else
                AddLongRow();
        }
        if (grid_->PointCount() == 0)
            Fail(firstLine_, "the table ends after its first row");

        OpenedProblem fresh;
        if (FileOutcome built = grid_->Build(names_, path_, fresh.model); !built.ok)
            throw ImportFailure(built.message);
        ApplyOptions(fresh);
        imported = std::move(fresh);
    }

private:
    [[noreturn]] void Fail(int line, const std::string& what) const
    {
        throw ImportFailure(path_ + ", line " + std::to_string(line) + ": " + what);
    }

    [[noreturn]] void NotANumber(std::size_t index) const
    {
        Fail(rows_.line(), "field " + std::to_string(index + 1) + " is not a number: "
                               + QuotedForMessage(fields_[index].text));
    }

    static std::string FieldCount(std::size_t count)
    {
        return std::to_string(count) + (count == 1 ? " field" : " fields");
    }

    // The number in field index of the current row, which must be one within the range of a double.
    double Number(std::size_t index) const
    {
        const std::optional<double> number = NumberOf(fields_[index]);
        if (!number)
            NotANumber(index);
        if (!std::isfinite(*number))
            Fail(rows_.line(), "field " + std::to_string(index + 1) + " is beyond the range of a double: "
                                   + QuotedForMessage(fields_[index].text));
        return *number;
    }

    // The layout, from what the first row holds (see table_import.h): numbers
    // alone are a point of the long layout; a label or nothing before numbers
    // are the values of y of a block; no number at all is a header.
    void StartFromFirstRow()
    {
        firstLine_ = rows_.line();
        columns_ = fields_.size();
        std::vector<std::optional<double>> first(columns_);
        std::transform(fields_.begin(), fields_.end(), first.begin(), NumberOf);
        const auto isNumber = [](const std::optional<double>& n) { return n.has_value(); };
        const bool restNumbers = std::all_of(first.begin() + 1, first.end(), isNumber);
        if (first[0] && restNumbers) {
            CheckLongWidth();
            StartLong(std::vector<std::string>(kDefaultNames, kDefaultNames + (columns_ - 1)));
            AddLongRow();
        } else if (columns_ >= 2 && restNumbers) {
            StartBlock();
        } else if (std::none_of(first.begin(), first.end(), isNumber)) {
            CheckLongWidth();
            StartLong(HeaderNames());
        } else if (first[0]) {
            NotANumber(static_cast<std::size_t>(std::find_if_not(first.begin(), first.end(), isNumber) - first.begin()));
        } else {
            Fail(firstLine_, "the first row mixes names and numbers: it is neither a header of names "
                             "nor the values of y after a label");
        }
    }

    void CheckLongWidth() const
    {
        if (columns_ < 2 || columns_ > kMaxVariables + 1)
            Fail(firstLine_, "the first row has " + FieldCount(columns_)
                                 + "; a row holds 1 to 4 coordinates and the function value");
    }

    void StartLong(std::vector<std::string> names)
    {
        names_ = std::move(names);
        grid_.emplace(static_cast<int>(columns_ - 1));
    }

    void AddLongRow()
    {
        double coordinates[kMaxVariables];
        const std::size_t variables = columns_ - 1;
        for (std::size_t k = 0; k < variables; ++k)
            coordinates[k] = Number(k);
        grid_->Add(coordinates, Number(variables), rows_.line());
    }

    void StartBlock()
    {
        block_ = true;
        names_ = {kDefaultNames[0], kDefaultNames[1]};
        grid_.emplace(2);
        ys_.resize(columns_ - 1);
        for (std::size_t c = 1; c < columns_; ++c)
            ys_[c - 1] = Number(c);
    }

    void AddBlockRow()
    {
        double point[2] = {Number(0), 0.0};
        for (std::size_t c = 1; c < columns_; ++c) {
            point[1] = ys_[c - 1];
            grid_->Add(point, Number(c), rows_.line());
        }
    }

    std::vector<std::string> HeaderNames() const
    {
        std::vector<std::string> names;
        for (std::size_t k = 0; k + 1 < columns_; ++k) {
            std::string name = Unquoted(fields_[k]);
            if (name.empty())
                Fail(firstLine_, "the name of variable " + std::to_string(k + 1) + " is empty");
            if (name.find_first_of(",\"") != std::string::npos)
                Fail(firstLine_, "the name " + QuotedForMessage(name)
                                     + " holds a comma or a double quote, which a variable's name cannot");
            if (std::find(names.begin(), names.end(), name) != names.end())
                Fail(firstLine_, "two variables are named " + QuotedForMessage(name));
            names.push_back(std::move(name));
        }
        return names;
    }

    void CheckOptionNames() const
    {
        const auto check = [this](const std::string& name) {
            if (std::find(names_.begin(), names_.end(), name) != names_.end())
                return;
            std::string known;
            for (const std::string& each : names_)
                known += (known.empty() ? "" : ", ") + each;
            throw ImportFailure(path_ + ": the table has no variable named " + QuotedForMessage(name)
                                + " (its variables: " + known + ")");
        };
        for (const std::string& name : options_.trigonometric)
            check(name);
        for (const auto* entries : {&options_.centers, &options_.periods})
            for (const auto& entry : *entries)
                check(entry.first);
    }

    void ApplyOptions(OpenedProblem& fresh) const
    {
        ProblemModel& model = fresh.model;
        for (int k = 0; k <= model.lastVar; ++k) {
            const auto s = static_cast<std::size_t>(k);
            const std::string& name = names_[s];
            const bool trigonometric = std::find(options_.trigonometric.begin(), options_.trigonometric.end(), name)
                                    != options_.trigonometric.end();
            model.Var(k).kind = trigonometric ? Kind::Trigonometric : Kind::Polynomial;
            const auto center = options_.centers.find(name);
            const auto period = options_.periods.find(name);
            fresh.entries.centerText[s] = center != options_.centers.end() ? center->second : std::string(kStarEntry);
            fresh.entries.periodText[s] = period != options_.periods.end() ? period->second : std::string(kStarEntry);
            model.Var(k).center = IsStarEntry(fresh.entries.centerText[s])
                            ? StarCenter(model.Var(k).lowerLimit, model.Var(k).upperLimit)
                            : NumberFromField(fresh.entries.centerText[s]);
            model.Var(k).period = IsStarEntry(fresh.entries.periodText[s]) ? StarPeriod()
                                                                       : NumberFromField(fresh.entries.periodText[s]);
        }
    }

    DelimitedRows rows_;
    const std::string& path_;
    const TableImportOptions& options_;
    std::vector<DelimitedField> fields_;
    std::size_t columns_ = 0;
    int firstLine_ = 0;
    bool block_ = false;
    std::vector<double> ys_;
    std::vector<std::string> names_;
    std::optional<TableGrid> grid_;
};

// ParseTable once the options' entries are known to be taken.
FileOutcome ParseChecked(std::string_view text, const std::string& path, const TableImportOptions& options,
                         OpenedProblem& imported)
{
    try {
        TableParser(text, path, options).Parse(imported);
    } catch (const ImportFailure& failure) {
        return FileOutcome::Failure(failure.what());
    } catch (const FieldError& error) {
        return FileOutcome::Failure(path + ", line " + std::to_string(error.line()) + ": " + error.what());
    } catch (const std::bad_alloc&) {
        return FileOutcome::Failure(path + ": the table is too large to hold in memory");
    }
    return FileOutcome::Success();
}

} // namespace

FileOutcome ParseTable(std::string_view text, const std::string& path, const TableImportOptions& options,
                       OpenedProblem& imported)
{
    if (FileOutcome checked = CheckOptionEntries(options); !checked.ok)
        return checked;
    return ParseChecked(text, path, options, imported);
}

FileOutcome ReadTable(const std::string& path, const TableImportOptions& options, OpenedProblem& imported)
{
    if (path.empty())
        return FileOutcome::Failure("cannot import: no file name");
    // Entries that cannot be taken are told before a large file is read for nothing.
    if (FileOutcome checked = CheckOptionEntries(options); !checked.ok)
        return checked;
    FileBytes bytes;
    if (FileOutcome read = ReadWholeFile(path, bytes); !read.ok)
        return read;
    return ParseChecked(bytes.view(), path, options, imported);
}

} // namespace tavex
