#include "memory/errorreport.h"

#include "core/intconv.h"
#include "core/modal.h"

void runReportingErrors(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EConvertError& e) {
        Modal::exception(e.message());
    }
}
