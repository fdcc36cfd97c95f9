#include "store/log.h"

Q_LOGGING_CATEGORY(lcPagora, "pagora")
