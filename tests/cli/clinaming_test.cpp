// How the tool names what it finds: differences numbered as the profile files
// number records, with the field and both values as the differences window
// shows them, in the text and the JSON summary; refused records; warnings at
// a read about what a write would refuse.
#include "cli/differencetext.h"
#include "tests/cli/clirig.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>

namespace {

QJsonObject onlyRegister(const QString &json)
{
    return QJsonDocument::fromJson(json.toUtf8()).object().value("registers").toArray().at(0).toObject();
}

struct Drift {
    const char *name;
    const char *families;
    std::function<void(RegisterState &)> before; // the register as the profile is read from it
    std::function<void(RegisterState &)> after;  // the register as it is verified
    const char *line;                            // after "PORT (серијски број 5): "
    // The JSON entry: family, title, number, field, register, profile.
    QStringList json;
};

class CliNaming : public ::testing::TestWithParam<Drift> {
protected:
    void SetUp() override { ASSERT_TRUE(reg.isOpen() && dir.isValid()); }
    PtyRegister reg{RegisterState::demo()};
    QTemporaryDir dir;
};

TEST_P(CliNaming, VerifyNamesTheRecordAsTheProfileFileNumbersItWithTheFieldAndBothValues)
{
    const Drift &drift = GetParam();
    drift.before(reg.state());
    const QString profile = dir.filePath("p");
    ASSERT_EQ(runCli({registerArg(reg, "5"), "--families", drift.families, "read", profile}).status, 0);
    drift.after(reg.state());

    const CliOutcome text = runCli({registerArg(reg, "5"), "verify", profile});
    EXPECT_EQ(text.status, 1) << text.err.toStdString();
    EXPECT_EQ(text.out, QStringLiteral("%1 (серијски број 5): %2\n").arg(reg.slavePath(), QString::fromUtf8(drift.line)));

    const CliOutcome json = runCli({registerArg(reg, "5"), "--json", "verify", profile});
    const QJsonArray list = onlyRegister(json.out).value("differenceList").toArray();
    ASSERT_EQ(list.size(), 1) << json.out.toStdString();
    const QJsonObject d = list.at(0).toObject();
    EXPECT_EQ((QStringList{d.value("family").toString(), d.value("title").toString(),
                           d.value("number").isNull() ? "null" : QString::number(d.value("number").toInt()),
                           d.value("field").toString(),
                           d.value("register").toString(), d.value("profile").toString()}),
              drift.json);
}

INSTANTIATE_TEST_SUITE_P(
    Families, CliNaming,
    ::testing::Values(
        Drift{"ArticlePrice", "articles", [](RegisterState &s) { s.articles[41].price = 14850; },
              [](RegisterState &s) { s.articles[41].price = 15000; }, "Артикли 42, Цена: у каси 150, у профилу 148,5",
              {"articles", "Артикли", "42", "Цена", "150", "148,5"}},
        Drift{"FirstGroupShare", "groups", [](RegisterState &s) { s.groups[0].share = 1250; },
              [](RegisterState &s) { s.groups[0].share = 700; }, "Групе 0, Удео: у каси 7, у профилу 12,5",
              {"groups", "Групе", "0", "Удео", "7", "12,5"}},
        Drift{"LastOperatorPassword", "operators", [](RegisterState &s) { s.operators[24].password = 4711; },
              [](RegisterState &s) { s.operators[24].password = 1234; },
              "Оператери 25, Лозинка: у каси 1234, у профилу 4711",
              {"operators", "Оператери", "25", "Лозинка", "1234", "4711"}},
        Drift{"HeaderLine", "header",
              [](RegisterState &s) { s.headerLines[2] = RegisterState::headerLineField(QStringLiteral("ПРВО")); },
              [](RegisterState &s) { s.headerLines[2] = RegisterState::headerLineField(QStringLiteral("ДРУГО")); },
              "Заглавље 3, Текст: у каси ДРУГО, у профилу ПРВО", {"header", "Заглавље", "3", "Текст", "ДРУГО", "ПРВО"}},
        Drift{"DepartmentName", "departments",
              [](RegisterState &s) { s.departments[7].name = RegisterState::nameField("ХЛЕБ", 18, 17); },
              [](RegisterState &s) { s.departments[7].name = RegisterState::nameField("", 18, 17); },
              "Одељења 8, Назив: у каси (празно), у профилу ХЛЕБ", {"departments", "Одељења", "8", "Назив", "", "ХЛЕБ"}},
        Drift{"LogoHeight", "logo", [](RegisterState &s) { s.logoHeight = 40; },
              [](RegisterState &s) { s.logoHeight = 39; }, "Лого, Висина: у каси 39, у профилу 40",
              {"logo", "Лого", "null", "Висина", "39", "40"}}),
    [](const ::testing::TestParamInfo<Drift> &info) { return std::string(info.param.name); });

struct Numbered {
    const char *family;
    int index;
    const char *name;
};

class CliRecordName : public ::testing::TestWithParam<Numbered> {};

TEST_P(CliRecordName, IsTheFamilyTitleAndTheNumberInItsFile)
{
    EXPECT_EQ(DifferenceText::recordName(QString::fromLatin1(GetParam().family), GetParam().index),
              QString::fromUtf8(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(Families, CliRecordName,
                         ::testing::Values(Numbered{"articles", 41, "Артикли 42"}, Numbered{"groups", 0, "Групе 0"},
                                           Numbered{"groups", 12, "Групе 12"},
                                           Numbered{"operators", 6, "Оператери 7"},
                                           Numbered{"header", 0, "Заглавље 1"},
                                           Numbered{"taxes", 8, "Пореске стопе 9"},
                                           Numbered{"departments", 7, "Одељења 8"}, Numbered{"logo", 0, "Лого 1"},
                                           Numbered{"logo", -1, "Лого"}, Numbered{"passwords", 1, "Лозинке 2"}));

// An operator password longer than a write takes: warned about at the read,
// naming the operator; the write then stops there, naming the record.
struct LongPassword {
    quint32 password;
    bool warned;
};

class CliOperatorPassword : public ::testing::TestWithParam<LongPassword> {
protected:
    void SetUp() override { ASSERT_TRUE(demo.isOpen() && blank.isOpen() && dir.isValid()); }
    PtyRegister demo{RegisterState::demo()};
    PtyRegister blank{RegisterState::blank()};
    QTemporaryDir dir;
};

TEST_P(CliOperatorPassword, TooManyDigitsAreWarnedAboutAtTheReadAndTheWriteStopsThere)
{
    demo.state().operators[6].name = RegisterState::nameField("ПЕРА", 19, 18);
    demo.state().operators[6].password = GetParam().password;
    const QString profile = dir.filePath("p");
    const CliOutcome read = runCli({registerArg(demo, "1"), "--families", "operators", "--json", "read", profile});
    ASSERT_EQ(read.status, 0) << read.err.toStdString();
    const QString warning = QStringLiteral("Оператери 7 (ПЕРА): лозинка у каси има %1 цифара, а упис дозвољава највише 6")
                                .arg(QString::number(GetParam().password).size());
    EXPECT_EQ(read.err.contains(warning), GetParam().warned) << read.err.toStdString();
    EXPECT_EQ(onlyRegister(read.out).value("warnings").toArray().size(), GetParam().warned ? 1 : 0);

    const CliOutcome write = runCli({registerArg(blank, "2"), "write", profile});
    EXPECT_EQ(write.status, GetParam().warned ? 4 : 0) << write.err.toStdString();
    const QString refusal = QStringLiteral("каса %1 (серијски број 2), Оператери 7: запис није послат у касу")
                                .arg(blank.slavePath());
    EXPECT_EQ(write.err.contains(refusal), GetParam().warned) << write.err.toStdString();
    EXPECT_EQ(blank.state().operators[5].password, demo.state().operators[5].password);
    EXPECT_EQ(blank.state().operators[6].password == GetParam().password, !GetParam().warned);
}

INSTANTIATE_TEST_SUITE_P(Digits, CliOperatorPassword,
                         ::testing::Values(LongPassword{999999, false}, LongPassword{1000000, true},
                                           LongPassword{4294967295u, true}));

} // namespace
