#include "platform/toolkit/date_picker.h"

namespace orval::tk {

DatePicker::DatePicker(Rect frame) : Control(frame) {}

Date DatePicker::clamp(Date date) const {
  if (minDate_ && date.secondsSinceReferenceDate < minDate_->secondsSinceReferenceDate) date = *minDate_;
  if (maxDate_ && date.secondsSinceReferenceDate > maxDate_->secondsSinceReferenceDate) date = *maxDate_;
  return date;
}

void DatePicker::setDateValue(Date date) { date_ = clamp(date); }

void DatePicker::setMinDate(std::optional<Date> date) {
  minDate_ = date;
  date_ = clamp(date_);
}

void DatePicker::setMaxDate(std::optional<Date> date) {
  maxDate_ = date;
  date_ = clamp(date_);
}

void DatePicker::setObjectValue(const Value& value) {
  if (const Date* date = value.asDate())
    setDateValue(*date);
  else
    setDateValue(Date{value.doubleValue()});
}

bool DatePicker::chooseDate(Date date) {
  if (!isUsable()) return false;
  setDateValue(date);
  sendAction();
  return true;
}

}  // namespace orval::tk
