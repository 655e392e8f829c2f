#include "platform/core/Date.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>

namespace platform {

namespace {

String fromQString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return String(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

} // namespace

Date::Date() {
    const QDateTime now = QDateTime::currentDateTime();
    m_year = now.date().year();
    m_month = now.date().month();
    m_day = now.date().day();
    m_hour = now.time().hour();
    m_minute = now.time().minute();
    m_second = now.time().second();
}

Date::Date(int year, int month, int day, int hour, int minute, int second)
    : m_year(year), m_month(month), m_day(day), m_hour(hour), m_minute(minute), m_second(second) {}

String Date::ShortDate() const {
    return fromQString(
        QLocale::system().toString(QDate(m_year, m_month, m_day), QLocale::ShortFormat));
}

String Date::LongTime() const {
    return fromQString(
        QLocale::system().toString(QTime(m_hour, m_minute, m_second), QLocale::LongFormat));
}

} // namespace platform
