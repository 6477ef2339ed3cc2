#pragma once

#include <QString>

// Footer texts that several families share.
namespace FamilyTexts {
inline const QString Reading = QStringLiteral("Каса чита. Молимо, сачекаjте...");
inline const QString Writing = QStringLiteral("Унос параметара у касу. Молимо, сачекаjте...");
inline const QString BadReplyTitle = QStringLiteral("Грешка !!! ");
inline const QString BadReplyText = QStringLiteral("Неисправан одговор касе. Пренос прекинут!");
} // namespace FamilyTexts
