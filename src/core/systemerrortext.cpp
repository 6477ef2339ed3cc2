#include "core/systemerrortext.h"

#include <cerrno>

namespace SystemErrorText {

QString describe(int systemError, const QString &fallback)
{
    switch (systemError) {
    case ENOSPC: return QStringLiteral("нема места на диску");
#ifdef EDQUOT
    case EDQUOT: return QStringLiteral("прекорачена је дозвољена величина на диску");
#endif
    case EFBIG: return QStringLiteral("датотека је већа него што систем дозвољава");
    case EACCES:
    case EPERM: return QStringLiteral("приступ није дозвољен");
    case EROFS: return QStringLiteral("диск је само за читање");
    case EIO: return QStringLiteral("грешка при раду са диском");
    case ENOENT: return QStringLiteral("датотека или фасцикла не постоји");
    case ENOTDIR: return QStringLiteral("део путање није фасцикла");
    case EISDIR: return QStringLiteral("на том месту је фасцикла");
    case ENAMETOOLONG: return QStringLiteral("име датотеке је предугачко");
    case EMFILE:
    case ENFILE: return QStringLiteral("отворено је превише датотека");
    case EBUSY:
    case ETXTBSY: return QStringLiteral("датотеку користи други програм");
    case EEXIST: return QStringLiteral("датотека већ постоји");
    case ENOMEM: return QStringLiteral("нема довољно меморије");
    default: break;
    }
    const QString system = fallback.trimmed().isEmpty() ? QStringLiteral("непозната грешка") : fallback.trimmed();
    if (systemError == 0)
        return QStringLiteral("системска грешка (%1)").arg(system);
    return QStringLiteral("системска грешка %1 (%2)").arg(systemError).arg(system);
}

} // namespace SystemErrorText
