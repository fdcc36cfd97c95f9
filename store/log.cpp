#include "store/log.h"

#include <QString>
#include <exception>

Q_LOGGING_CATEGORY(lcPagora, "pagora")

namespace store::log {

QString currentException()
{
    const std::exception_ptr current = std::current_exception();
    if (!current)
        return QStringLiteral("no exception");
    try {
        std::rethrow_exception(current);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("unknown exception");
    }
}

} // namespace store::log
