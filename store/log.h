#pragma once
// The program's one logging category. Every place that catches an error
// logs it here, so a fault shows on the terminal and in test output even
// where the user is told nothing.

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcPagora)

class QString;

namespace store::log {

// What the exception being handled says ("std::bad_alloc", its what()), for
// the log line of a catch block; call only while one is being handled.
QString currentException();

} // namespace store::log
