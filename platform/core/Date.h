#pragma once

#include "platform/core/String.h"

namespace platform {

// A moment in local time, printed in the system's own formats.
class Date {
  public:
    // The current date and time.
    Date();
    Date(int year, int month, int day, int hour, int minute, int second);

    // The date in the system's short date format.
    String ShortDate() const;
    // The time of day in the system's long time format.
    String LongTime() const;

  private:
    int m_year;
    int m_month;
    int m_day;
    int m_hour;
    int m_minute;
    int m_second;
};

} // namespace platform
