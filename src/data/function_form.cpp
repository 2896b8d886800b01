#include "data/function_form.h"

#include "base/number_scan.h"
#include "model/number_text.h"

#include <algorithm>
#include <cstring>
#include <cassert>

namespace tavex {

namespace {

// Bit for bit, so that -0 differs from 0 and a NaN is the same NaN.
bool SameValue(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Whether the slot's value changed.
bool Assign(double& slot, double value)
{
    const bool changed = !SameValue(slot, value);
    slot = value;
    return changed;
}

int UpperOf(const ProblemModel& model, int k)
{
    return model.UpperIndices()[static_cast<std::size_t>(k)];
}

bool InRange(const ProblemModel& model, int k, std::string_view text)
{
    const double number = LeadingNumber(text);
    return number >= 0.0 && number <= UpperOf(model, k);
}

double& FunctionValue(ProblemModel& model, const GridPoint& p)
{
    return model.funTable.At(p);
}

} // namespace

GridPoint NextGridPoint(const ProblemModel& model, GridPoint point)
{
    for (int k = model.lastVar; k >= 0; --k) {
        int& index = point[static_cast<std::size_t>(k)];
        if (++index <= UpperOf(model, k))
            break;
        index = 0; // and the variable before moves on
    }
    return point;
}

GridPoint PreviousGridPoint(const ProblemModel& model, GridPoint point)
{
    for (int k = model.lastVar; k >= 0; --k) {
        int& index = point[static_cast<std::size_t>(k)];
        if (--index >= 0)
            break;
        index = UpperOf(model, k);
    }
    return point;
}

std::optional<StartingSet> ReadStartingSet(const ProblemModel& model, std::string_view answer)
{
    StartingSet start;
    for (int k = 0; k <= model.lastVar; ++k) {
        if (k > 0) {
            const auto comma = answer.find(',');
            if (comma == std::string_view::npos)
                return std::nullopt; // fewer parts than variables
            answer.remove_prefix(comma + 1);
        }
        const std::string_view part = answer.substr(0, answer.find(','));
        if (!InRange(model, k, part))
            return std::nullopt;
        const auto s = static_cast<std::size_t>(k);
        start.parts[s] = std::string(part);
        start.point[s] = static_cast<int>(IndexFromText(part));
    }
    return start;
}

FunctionForm::FunctionForm(ProblemModel& model, GridPoint& point, const StartingSet& start)
    : model_(model), point_(point)
{
    point_ = start.point;
    fun_ = TextOfNumber(FunctionValue(model_, point_));
    for (int k = 0; k <= model_.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        funIndex_[s] = varIndex_[s] = start.parts[s];
        var_[s] = TextOfNumber(model_.Var(k).Value(point_[s]));
    }
}

const std::string& FunctionForm::Text(Box box, int k) const
{
    return const_cast<FunctionForm*>(this)->Slot(box, k);
}

std::string& FunctionForm::Slot(Box box, int k)
{
    assert(box == Box::Fun || (k >= 0 && k <= model_.lastVar));
    const auto s = static_cast<std::size_t>(k);
    switch (box) {
    case Box::FunIndex:
        return funIndex_[s];
    case Box::VarIndex:
        return varIndex_[s];
    case Box::Var:
        return var_[s];
    case Box::Fun:
        break;
    }
    return fun_;
}

void FunctionForm::Edit(Box box, int k, std::string text)
{
    SetText(box, k, std::move(text), Origin::User);
}

bool FunctionForm::IndexInRange(Box box, int k) const
{
    return InRange(model_, k, Text(box, k));
}

void FunctionForm::SetText(Box box, int k, std::string text, Origin origin)
{
    std::string& slot = Slot(box, k);
    if (slot == text)
        return; // no change: this ends a chain of reactions
    slot = std::move(text);
    if (!funBusy_)
        React(box, k, origin);
}

void FunctionForm::React(Box box, int k, Origin origin)
{
    const auto s = static_cast<std::size_t>(k);
    switch (box) {
    case Box::FunIndex:
        if (IndexInRange(box, k))
            SetText(Box::VarIndex, k, funIndex_[s], Origin::Window);
        return;
    case Box::VarIndex:
        if (!IndexInRange(box, k))
            return;
        point_[s] = IndexIn(box, k);
        SetText(Box::FunIndex, k, std::to_string(point_[s]), Origin::Window);
        SetText(Box::Var, k, TextOfNumber(model_.Var(k).Value(point_[s])), Origin::Window);
        ReadPointFromFunIndices();
        SetText(Box::Fun, 0, TextOfNumber(FunctionValue(model_, point_)), Origin::Window);
        return;
    case Box::Fun:
        // A value the window shows is the stored one rounded to 15 digits:
        // writing it back would edit the table by merely looking at it.
        if (origin == Origin::User) {
            ReadPointFromFunIndices();
            Store(FunctionValue(model_, point_), LeadingNumber(fun_));
        }
        return;
    case Box::Var: {
        if (origin != Origin::User)
            return;
        const int i = IndexIn(Box::VarIndex, k);
        const double value = LeadingNumber(var_[s]);
        if (SameValue(model_.Var(k).Value(i), value))
            return;
        if (onValueEdited)
            onValueEdited(k);
        model_.Var(k).SetValue(i, value);
        // A value typed here is the user's: no later regeneration of the spaced values may undo it.
        model_.Var(k).valuesExplicit = true;
        DataChanged();
        return;
    }
    }
}

int FunctionForm::IndexIn(Box box, int k) const
{
    // A box left out of range cannot be read from: it holds the focus. The
    // clamp only keeps a stray text from reaching outside the table.
    return static_cast<int>(std::clamp<std::int64_t>(IndexFromText(Text(box, k)), 0, UpperOf(model_, k)));
}

void FunctionForm::ReadPointFromFunIndices()
{
    for (int j = 0; j <= model_.lastVar; ++j)
        point_[static_cast<std::size_t>(j)] = IndexIn(Box::FunIndex, j);
}

void FunctionForm::Store(double& slot, double value)
{
    if (Assign(slot, value))
        DataChanged();
}

void FunctionForm::DataChanged()
{
    model_.MarkEdited();
    if (onDataChanged)
        onDataChanged();
}

void FunctionForm::ShowFunPoint()
{
    funBusy_ = true;
    fun_ = TextOfNumber(FunctionValue(model_, point_));
    for (int k = 0; k <= model_.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        funIndex_[s] = varIndex_[s] = std::to_string(point_[s]);
        var_[s] = TextOfNumber(model_.Var(k).Value(point_[s]));
    }
    funBusy_ = false;
}

void FunctionForm::Step(bool forward)
{
    // A value typed was stored as it was typed; what the box shows otherwise
    // is the stored value rounded, never to be written back.
    ReadPointFromFunIndices();
    point_ = forward ? NextGridPoint(model_, point_) : PreviousGridPoint(model_, point_);
    ShowFunPoint();
}

void FunctionForm::StepIndex(int k, bool forward)
{
    const int upper = UpperOf(model_, k);
    int index = IndexIn(Box::VarIndex, k) + (forward ? 1 : -1);
    if (index > upper)
        index = 0;
    if (index < 0)
        index = upper;
    SetText(Box::VarIndex, k, std::to_string(index), Origin::Window);
}

int FunctionForm::Paste(const std::vector<double>& values)
{
    ReadPointFromFunIndices();
    GridPoint last{};
    for (int k = 0; k <= model_.lastVar; ++k)
        last[static_cast<std::size_t>(k)] = UpperOf(model_, k);
    int stored = 0;
    bool changed = false;
    for (const double value : values) {
        changed |= Assign(FunctionValue(model_, point_), value);
        ++stored;
        if (point_ == last)
            break;
        point_ = NextGridPoint(model_, point_);
    }
    ShowFunPoint();
    if (changed)
        DataChanged();
    return stored;
}

std::optional<std::vector<double>> PastedNumbers(std::string_view text)
{
    std::vector<double> numbers;
    constexpr std::string_view separators = "\r\n\t,; ";
    for (std::size_t at = text.find_first_not_of(separators); at != std::string_view::npos;
         at = text.find_first_not_of(separators, at)) {
        const std::size_t end = std::min(text.find_first_of(separators, at), text.size());
        const std::string_view field = text.substr(at, end - at);
        if (!IsWholeNumber(field))
            return std::nullopt;
        numbers.push_back(ScanNumber(field).value);
        at = end;
    }
    if (numbers.size() < 2)
        return std::nullopt;
    return numbers;
}

} // namespace tavex
