// A saved mapping finds its columns again by heading when they moved, and by
// letter when the heading is gone.
#include "import/importrig.h"

#include "import/mappingtemplate.h"

namespace {

Sheet sheetOf(const QStringList &headings)
{
    Sheet s;
    SheetRow row;
    for (const QString &h : headings)
        row << SheetCell{h, false};
    s.rows << row;
    return s;
}

TEST(MappingTemplate, FindsMovedColumnsByHeading)
{
    const Sheet first = sheetOf({QStringLiteral("Artikal"), QStringLiteral("MPC"), QStringLiteral("Stopa")});
    ImportMapping mapping = MappingGuess::guess(first, ImportTarget::articles()).mapping;
    mapping.set(ImportField::Tax, 2); // "Stopa" is no heading word: chosen by hand
    const QByteArray saved = MappingTemplate::write(mapping, first, 0, ImportTarget::articles());

    const Sheet moved = sheetOf({QStringLiteral("Stopa"), QStringLiteral("Šifra"), QStringLiteral("Artikal"),
                                 QStringLiteral("Cena")});
    MappingTemplate::Saved loaded;
    QString why;
    ASSERT_TRUE(MappingTemplate::read(saved, moved, 0, ImportTarget::articles(), &loaded, &why));
    EXPECT_TRUE(loaded.headings);
    EXPECT_EQ(loaded.mapping.column(ImportField::Name), 2);
    EXPECT_EQ(loaded.mapping.column(ImportField::Tax), 0);
    EXPECT_EQ(loaded.mapping.column(ImportField::Price), 1); // "MPC" is gone: its letter B
    EXPECT_EQ(loaded.mapping.column(ImportField::Number), -1);

    EXPECT_FALSE(MappingTemplate::read("{\"format\":\"other\"}", moved, 0, ImportTarget::articles(), &loaded, &why));
    EXPECT_FALSE(why.isEmpty());
}

} // namespace
