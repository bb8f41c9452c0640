#pragma once

#include <functional>

// Runs an operator action started by a widget signal. A conversion error it does
// not catch itself gets the application's general error report (an error box
// captioned "TSLN" with the error's text) right here, instead of unwinding
// through the toolkit's signal delivery to the application object.
void runReportingErrors(const std::function<void()>& action);
