#pragma once

#include <QString>

// Texts that several families share: footer statuses and message texts.
namespace FamilyTexts {
inline const QString Reading = QStringLiteral("Каса чита. Молимо, сачекаjте...");
inline const QString Writing = QStringLiteral("Унос параметара у касу. Молимо, сачекаjте...");
inline const QString ErrorTitle = QStringLiteral("Грешка !!! ");
inline const QString BadReplyTitle = ErrorTitle;
inline const QString BadReplyText = QStringLiteral("Неисправан одговор касе. Пренос прекинут!");
// An edited row the correction button cannot store.
inline const QString DataErrorText = QStringLiteral("Грешка у подацима");
} // namespace FamilyTexts
