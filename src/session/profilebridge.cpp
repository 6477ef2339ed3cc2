#include "session/profilebridge.h"

#include "edit/edithistory.h"

#include "vilaronversion.h"

#include <QDateTime>

#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "params/groups/groupfamily.h"
#include "params/headerlines/headerlinefamily.h"
#include "params/logo/logofamily.h"
#include "params/logo/logopicture.h"
#include "params/operators/operatorfamily.h"
#include "params/passwords/passwordfamily.h"
#include "params/taxrates/taxratefamily.h"
#include "profile/profilelogo.h"
#include "session/registersession.h"
#include "catalogue/familycatalogue.h"
#include "transfer/parameterfamily.h"

namespace ProfileBridge {

namespace {

// The profile's columns of a table row: its cells 0..columns-1.
template <typename Cell>
QStringList rowCells(int columns, Cell cell)
{
    QStringList cells;
    for (int c = 0; c < columns; ++c)
        cells << cell(c);
    return cells;
}

QString cellOf(const QStringList &row, int column) { return column < row.size() ? row.at(column) : QString(); }

int logoHeightOf(RegisterSession &session)
{
    LogoPasswordRecord &record = session.logo().record();
    return record.heightKnown() ? record.logoHeight() : session.logo().picture().height();
}

} // namespace

RegisterProfile fromSession(RegisterSession &session, ProfileFamilies families)
{
    RegisterProfile profile;
    profile.manifest.separators = session.regional();
    profile.manifest.serialNumber = session.serialNumberSource() ? session.serialNumberSource()() : QString();
    profile.manifest.logoHeight = logoHeightOf(session);
    profile.manifest.programVersion = QString::fromLatin1(VilaronVersion);
    profile.manifest.created = QDateTime::currentDateTime();
    if (families & ProfileFamily::Header) {
        QStringList lines;
        for (int i = 0; i < HeaderLineFamily::LineCount; ++i)
            lines << session.headerLines().line(i);
        profile.headerLines = lines;
    }
    if (families & ProfileFamily::Taxes) {
        QList<QStringList> rows;
        const TaxRateTable &table = session.taxRates().table();
        for (int i = 0; i < TaxRateTable::Rows - 1; ++i)
            rows << QStringList{table.cell(0, i + 1), table.rate(i)};
        profile.taxRates = rows;
    }
    if (families & ProfileFamily::Departments) {
        QList<QStringList> rows;
        const DepartmentTableModel &model = session.departments().model();
        for (int r = 0; r < DepartmentTableModel::RowCount; ++r)
            rows << rowCells(DepartmentTableModel::ColumnCount, [&](int c) { return model.cell(r, c); });
        profile.departments = rows;
    }
    if (families & ProfileFamily::Articles) {
        QList<QStringList> rows;
        rows.reserve(ArticleTableModel::RowCount);
        const ArticleTableModel &model = session.articles().model();
        for (int r = 0; r < ArticleTableModel::RowCount; ++r)
            rows << rowCells(ArticleTableModel::ColumnCount, [&](int c) { return model.cell(r, c); });
        profile.articles = rows;
    }
    if (families & ProfileFamily::Groups) {
        QList<QStringList> rows;
        const GroupTable &table = session.groups().table();
        for (int g = 0; g < GroupTable::RecordCount; ++g)
            rows << QStringList{table.recordCell(g, GroupTable::Number), table.recordCell(g, GroupTable::Name),
                                table.recordCell(g, GroupTable::Share)};
        profile.groups = rows;
    }
    if (families & ProfileFamily::Operators) {
        QList<QStringList> rows;
        const OperatorTable &table = session.operators().table();
        for (int i = 0; i < OperatorTable::RecordCount; ++i)
            rows << QStringList{table.recordCell(i, OperatorTable::Number),
                                table.recordCell(i, OperatorTable::Name),
                                table.recordCell(i, OperatorTable::Password)};
        profile.operators = rows;
    }
    if (families & ProfileFamily::Logo)
        profile.logo = ProfileLogo::normalised(session.logo().picture());
    if (families & ProfileFamily::Passwords)
        profile.passwords = ProfilePasswords{session.passwords().serviceText(), session.passwords().reportText()};
    for (ParameterFamily *family : session.families())
        if (!FamilyCatalogue::isRegisterFamily(family->id()) && (families & family->id()))
            profile.otherTables.insert(family->id(), family->tableRows());
    return profile;
}

void apply(const RegisterProfile &profile, RegisterSession &session)
{
    apply(profile, session, ProfileFamilyNames::allFamilies());
}

void apply(const RegisterProfile &profile, RegisterSession &session, ProfileFamilies families)
{
    if (profile.headerLines && (families & ProfileFamily::Header)) {
        for (int i = 0; i < HeaderLineFamily::LineCount; ++i)
            session.headerLines().setLine(i, cellOf(*profile.headerLines, i));
    }
    if (profile.taxRates && (families & ProfileFamily::Taxes)) {
        for (int i = 0; i < TaxRateTable::Rows - 1 && i < profile.taxRates->size(); ++i)
            session.taxRates().table().setRate(i, cellOf(profile.taxRates->at(i), 1));
    }
    if (profile.departments && (families & ProfileFamily::Departments)) {
        DepartmentTableModel &model = session.departments().model();
        for (int r = 0; r < DepartmentTableModel::RowCount && r < profile.departments->size(); ++r) {
            const QStringList &cells = profile.departments->at(r);
            DepartmentRow row;
            row.name = cellOf(cells, DepartmentTableModel::Name);
            row.price = cellOf(cells, DepartmentTableModel::Price);
            row.group = cellOf(cells, DepartmentTableModel::Group);
            row.tax = cellOf(cells, DepartmentTableModel::Tax);
            row.turnover = cellOf(cells, DepartmentTableModel::Turnover);
            model.setRow(r, row);
        }
    }
    if (profile.articles && (families & ProfileFamily::Articles)) {
        ArticleTableModel &model = session.articles().model();
        for (int r = 0; r < ArticleTableModel::RowCount && r < profile.articles->size(); ++r) {
            const QStringList &cells = profile.articles->at(r);
            ArticleRow row;
            for (int c = ArticleTableModel::Name; c < ArticleTableModel::ColumnCount; ++c)
                ArticleTableModel::setField(row, c, cellOf(cells, c));
            if (row != model.row(r))
                model.setRow(r, row);
        }
    }
    if (profile.groups && (families & ProfileFamily::Groups)) {
        GroupTable &table = session.groups().table();
        for (int g = 0; g < GroupTable::RecordCount && g < profile.groups->size(); ++g) {
            table.setRecordCell(g, GroupTable::Name, cellOf(profile.groups->at(g), GroupTable::Name));
            table.setRecordCell(g, GroupTable::Share, cellOf(profile.groups->at(g), GroupTable::Share));
        }
    }
    if (profile.operators && (families & ProfileFamily::Operators)) {
        OperatorTable &table = session.operators().table();
        for (int i = 0; i < OperatorTable::RecordCount && i < profile.operators->size(); ++i) {
            table.setRecordCell(i, OperatorTable::Name, cellOf(profile.operators->at(i), OperatorTable::Name));
            table.setRecordCell(i, OperatorTable::Password,
                                  cellOf(profile.operators->at(i), OperatorTable::Password));
        }
    }
    if (profile.logo && (families & ProfileFamily::Logo)) {
        const int height = qBound(1, profile.manifest.logoHeight, LogoPicture::MaxHeight);
        session.logo().setPicture(profile.logo->copy(0, 0, LogoPicture::Width, height));
    }
    if (profile.passwords && (families & ProfileFamily::Passwords)) {
        session.passwords().setServiceText(profile.passwords->service);
        session.passwords().setReportText(profile.passwords->report);
    }
    for (auto t = profile.otherTables.cbegin(); t != profile.otherTables.cend(); ++t)
        if (ParameterFamily *family = session.family(t.key()); family && (families & t.key()))
            family->setTableRows(t.value());
}

void applyAsStep(const RegisterProfile &profile, RegisterSession &session, ProfileFamilies families,
                 const QString &stepName)
{
    std::vector<EditHistory *> histories;
    for (ParameterFamily *family : session.families())
        if (families & family->id())
            histories.push_back(family->editHistory());
    EditHistory::recordTogether(histories, stepName, [&] { apply(profile, session, families); });
}

} // namespace ProfileBridge
