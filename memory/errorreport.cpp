#include "memory/errorreport.h"

#include "core/intconv.h"
#include "core/modal.h"

void runReportingErrors(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EConvertError& e) {
        QString message = e.message();
        if (!message.endsWith(QLatin1Char('.')))
            message += QLatin1Char('.');
        Modal::show(Modal::Kind::Error, QStringLiteral("TSLN"), message);
    }
}
