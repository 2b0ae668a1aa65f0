#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "common/status.h"
#include "engine/coder_context.h"
#include "jvdata/field.h"

// Returns the failure of `expr` (a common::Status) from the enclosing function.
#define RADADOVUR_RETURN_IF_ERROR(expr)                \
  do {                                                 \
    ::radadovur::common::Status status_ = (expr);      \
    if (!status_.ok()) return status_;                 \
  } while (0)

// What every factor coder shares: the earlier run an item compares with, the two readings of a
// field as a number, the log figure, and failures that name the field and the run.
namespace radadovur::engine {

// The earlier run r of run n (n >= 2): run n - 1 when its AbnormalityCode is "0"; otherwise run 1
// for n = 2 and run n - 2 for n > 2, whatever that run's own AbnormalityCode.
int EarlierRun(const CoderContext& context, int n);

// The Japanese name of an expanded-record item ("トラックコード"), for failure texts.
std::string ExItemName(const jvdata::Field& field);

// A coder's failure on run `run`: "<what> of run <run> (<race id>): <why>".
common::Status CoderFailure(const CoderContext& context, int run, std::string_view what, std::string_view why);

// The value of a field (blank or non-numeric text reads as 0; never fails).
double ValueOf(const ExRecord& record, const jvdata::Field& field, uint32_t i = 0);

// The whole number of element i of a field of run `run`: the whole text must be a number (a half
// goes to the even integer); a blank or non-numeric text fails, naming the field and the run.
common::Status WholeNumberOf(const CoderContext& context, int run, const jvdata::Field& field, int64_t& out,
                             uint32_t i = 0);
// The same for a text cut from a field (the first two characters of a speed code, ...); `what`
// names it in the failure.
common::Status WholeNumberOfText(const CoderContext& context, int run, std::string_view what,
                                 std::string_view text, int64_t& out);

// The whole number of run `run`'s TrackCode, the number most items band on.
common::Status TrackNumberOf(const CoderContext& context, int run, int64_t& out);

// The number of days since 1970-01-01 of an 8-digit date "YYYYMMDD"; a text that is not a
// calendar date fails, naming `what` and the run.
common::Status DayNumberOf(const CoderContext& context, int run, std::string_view what, std::string_view yyyymmdd,
                           int64_t& out);
// The day number of run `run`'s race date (Year & MonthDay).
common::Status RaceDayNumberOf(const CoderContext& context, int run, int64_t& out);

// floor(x) as a whole number; 0 for one that is no number or beyond any whole number.
int64_t Floor(double x);

// The log figure floor(10 × log10(x)). Coders test x > 0 first and take their fallback; a value
// that is not above 0 reaching here fails, naming `what` and the run.
common::Status LogFigureOf(const CoderContext& context, int run, std::string_view what, double x, int64_t& out);

// A number written into a code: its decimal digits, "-" in front when negative.
std::string NumberCode(int64_t value);

// The last `digits` digits of a non-negative number, with leading zeros ("0123" for 123, 4).
std::string LastDigits(int64_t value, int digits);

}  // namespace radadovur::engine
