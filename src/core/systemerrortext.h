#pragma once

#include <QString>

// The reason a file operation failed, in the user's language. The common
// system error numbers have their own text; any other number is named with
// the system's text (`fallback`), so that nothing is hidden.
namespace SystemErrorText {

QString describe(int systemError, const QString &fallback);

} // namespace SystemErrorText
