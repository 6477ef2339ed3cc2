// The status line names the record a write stopped at as the family's table
// numbers it: groups and logo rows from 0, the others from 1 (the tax rates
// by their row). A session without widgets against the register simulator.
#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "params/groups/groupfamily.h"
#include "params/headerlines/headerlinefamily.h"
#include "params/logo/logofamily.h"
#include "params/operators/operatorfamily.h"
#include "params/taxrates/taxratefamily.h"
#include "protocol/commands.h"
#include "session/registersession.h"
#include "sim/ptyregister.h"
#include "support/waituntil.h"

#include <QMetaObject>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int Patience = 60000; // ms

struct StopCase {
    const char *family;
    const char *write;  // the family's write slot
    int stopsAt;        // the record the write stops at
    // Spoils that record so that it is refused (or fails); without it the
    // register falls silent there and the write is cancelled.
    std::function<void(RegisterSession &, int record)> spoil;
    std::uint8_t writeCode; // when silenced
    const char *status;
};

void PrintTo(const StopCase &c, std::ostream *out) { *out << c.family; }

class Numbering : public ::testing::TestWithParam<StopCase> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(reg.isOpen()) << reg.errorString().toStdString();
        RegisterSession::Options options;
        options.regional = Regional::withDecimal(QLatin1Char(','));
        options.registerPort = reg.slavePath();
        session = std::make_unique<RegisterSession>(options);
        session->setSerialNumberSource([] { return QStringLiteral("004512"); });
        session->reset();
        QObject::connect(session.get(), &RegisterSession::status, [this](const QString &s) { status = s; });
        QString error;
        ASSERT_TRUE(session->registerLine().open(&error)) << error.toStdString();
    }

    PtyRegister reg{RegisterState::demo()};
    std::unique_ptr<RegisterSession> session;
    QString status;
};

TEST_P(Numbering, StatusNamesTheRecordAsTheTableDoes)
{
    const StopCase &c = GetParam();
    QObject *family = nullptr;
    for (ParameterFamily *f : session->families())
        if (f->metaObject()->indexOfSlot(QByteArray(c.write).append("()").constData()) >= 0)
            family = f;
    ASSERT_NE(family, nullptr) << c.write;
    if (c.spoil) {
        c.spoil(*session, c.stopsAt);
    } else {
        QObject::connect(&reg, &PtyRegister::requestHandled, &reg, [this, &c](int code, int record) {
            if (code == c.writeCode && record == c.stopsAt) // this reply is withheld too
                reg.setFaults(PtyRegister::Faults{true});
        });
    }
    ASSERT_TRUE(QMetaObject::invokeMethod(family, c.write));
    if (!c.spoil) {
        ASSERT_TRUE(waitUntil([&] { return reg.log().contains({c.writeCode, c.stopsAt}); }, Patience));
        session->cancel();
    }
    ASSERT_TRUE(waitUntil([&] { return !session->driver().isBusy() && status == QString::fromUtf8(c.status); },
                          Patience))
        << status.toStdString();
}

void fillRates(RegisterSession &s, int refused)
{
    for (int i = 0; i < 9; ++i)
        s.taxRates().table().setRecordCell(i, 1, i == refused ? QStringLiteral("101") : QStringLiteral("10"));
}

void fillPasswords(RegisterSession &s, int refused)
{
    for (int i = 0; i < OperatorTable::RecordCount; ++i)
        s.operators().table().setRecordCell(i, OperatorTable::Password,
                                            i == refused ? QStringLiteral("x") : QStringLiteral("1"));
}

INSTANTIATE_TEST_SUITE_P(
    Families, Numbering,
    ::testing::Values(
        StopCase{"taxrates", "btnTGWriteClick", 3, fillRates, 0, "Унос отказан: грешка у подацима, ред 4."},
        StopCase{"articles", "btnAWriteClick", 5,
                 [](RegisterSession &s, int r) { s.articles().model().setCell(r, ArticleTableModel::Tax, QString()); },
                 0, "Унос отказан: грешка у подацима, ред 6."},
        StopCase{"groups", "BtnGWriteClick", 6,
                 [](RegisterSession &s, int r) {
                     s.groups().table().setRecordCell(r, GroupTable::Share, QStringLiteral("101"));
                 },
                 0, "Унос отказан: грешка у подацима, ред 6."},
        StopCase{"operators", "BtnOWriteClick", 6, fillPasswords, 0, "Унос отказан: грешка у подацима, ред 7."},
        StopCase{"departments", "btnSTWriteClick", 2,
                 [](RegisterSession &s, int r) {
                     s.departments().model().setCell(r, DepartmentTableModel::Group, QStringLiteral("x"));
                 },
                 0, "Пренос прекинут због грешке, код записа 3."},
        StopCase{"headerlines", "btnWriteClicheClick", 2, nullptr, Command::WriteHeaderLine,
                 "Пренос прекинут код записа 3."},
        StopCase{"logo", "btnLogoWriteClick", 2, nullptr, Command::WriteLogoRow, "Пренос прекинут код записа 2."}),
    [](const ::testing::TestParamInfo<StopCase> &info) { return std::string(info.param.family); });

} // namespace
