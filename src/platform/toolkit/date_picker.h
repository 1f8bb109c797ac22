// DatePicker: a date (and time) chosen within optional bounds.
#pragma once

#include <optional>

#include "platform/foundation/value.h"
#include "platform/toolkit/control.h"

namespace orval::tk {

enum class DatePickerStyle { TextFieldAndStepper, ClockAndCalendar, TextField };

// The parts a date picker shows (combine with |).
enum DatePickerElements : unsigned {
  HourMinuteElements = 0x000c,
  HourMinuteSecondElements = 0x000e,
  TimeZoneElement = 0x0010,
  YearMonthElements = 0x00c0,
  YearMonthDayElements = 0x00e0,
  EraElement = 0x0100,
};

class DatePicker : public Control {
 public:
  explicit DatePicker(Rect frame = {});

  std::string className() const override { return "DatePicker"; }

  DatePickerStyle datePickerStyle() const { return style_; }
  void setDatePickerStyle(DatePickerStyle style) { style_ = style; }
  unsigned datePickerElements() const { return elements_; }
  void setDatePickerElements(unsigned elements) { elements_ = elements; }

  Date dateValue() const { return date_; }
  // Sets the date, clamped to the bounds.
  void setDateValue(Date date);
  const std::optional<Date>& minDate() const { return minDate_; }
  // Sets the earliest date (nullopt: none) and clamps the current date.
  void setMinDate(std::optional<Date> date);
  const std::optional<Date>& maxDate() const { return maxDate_; }
  // Sets the latest date (nullopt: none) and clamps the current date.
  void setMaxDate(std::optional<Date> date);

  // The value is the date.
  Value objectValue() const override { return Value(date_); }
  // Takes a date value; another value is read as seconds since the reference date.
  void setObjectValue(const Value& value) override;
  // Seconds since the reference date.
  double doubleValue() const override { return date_.secondsSinceReferenceDate; }
  void setDoubleValue(double seconds) override { setDateValue(Date{seconds}); }

  // The person picks date: refused (false) when disabled or hidden; otherwise
  // set (clamped) and the action is sent.
  bool chooseDate(Date date);

 private:
  Date clamp(Date date) const;

  DatePickerStyle style_ = DatePickerStyle::TextFieldAndStepper;
  unsigned elements_ = YearMonthDayElements;
  Date date_;
  std::optional<Date> minDate_;
  std::optional<Date> maxDate_;
};

}  // namespace orval::tk
