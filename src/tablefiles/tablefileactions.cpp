#include "tablefiles/tablefileactions.h"

#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "core/filestore.h"
#include "tablefiles/tablefile.h"
#include "edit/stepnames.h"

#include <QDir>
#include <QFileInfo>
#include <vector>

namespace {
const QString InfoTitle = QStringLiteral("Информација !!!");
const QString SavedText = QStringLiteral("Подаци су успешно уписани!...");
const QString SavedStatus = QStringLiteral("Снимљено у фаjл %1");

template <typename Model>
QList<QStringList> rowsOf(const Model &model, int rows, int columns)
{
    QList<QStringList> out;
    out.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        QStringList cells;
        cells.reserve(columns);
        for (int c = 0; c < columns; ++c)
            cells << model.cell(r, c);
        out << cells;
    }
    return out;
}
} // namespace

TableFileActions::TableFileActions(ArticleFamily &articles, DepartmentFamily &departments, Regional regional,
                                   QObject *parent)
    : ParameterFamily(parent), m_articles(articles), m_departments(departments), m_regional(regional)
{
}

bool TableFileActions::save(const QString &path, const QByteArray &bytes, const QString &family)
{
    QString error;
    if (!FileStore::writeAtomically(path, bytes, &error)) {
        emit programError(error);
        return false;
    }
    emit tableSaved(family);
    emit message(InfoTitle, SavedText);
    emit status(SavedStatus.arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
    return true;
}

bool TableFileActions::saveArticles(const QString &path)
{
    const auto &model = m_articles.model();
    return save(path, TableFile::articles().save(rowsOf(model, model.rowCount(), 10), m_regional.list),
                m_articles.transfer().rules().family);
}

bool TableFileActions::saveDepartments(const QString &path)
{
    const auto &model = m_departments.model();
    return save(path, TableFile::departments().save(rowsOf(model, model.rowCount(), 6), m_regional.list),
                m_departments.transfer().rules().family);
}

bool TableFileActions::readTable(const QString &path, const TableFile &kind, const Kind &names,
                                 QList<QStringList> *rows)
{
    TableFile::Reader reader(kind, m_regional.list);
    QString error;
    if (!FileStore::readInChunks(path, [&reader](const char *data, qsizetype size) {
        reader.feed(data, size);
        return !reader.refused(); // the rest of a refused file does not matter
    },
                                 &error)) {
        emit programError(error);
        return false;
    }
    const TableFileContent content = reader.finish();
    switch (content.problem) {
    case TableFileContent::Problem::None:
        *rows = content.rows;
        return true;
    case TableFileContent::Problem::NulByte:
        emit programError(QStringLiteral("Датотека %1 није текстуална датотека: ред %2 садржи нулти бајт. "
                                         "Табела није промењена.")
                              .arg(path)
                              .arg(content.badLine));
        return false;
    case TableFileContent::Problem::NoLineOfItsKind:
        break;
    }
    emit programError(QStringLiteral("Датотека %1 није датотека %2: ниједан ред нема поља %3 "
                                     "(први погрешан ред је %4: „%5“). Табела није промењена.")
                          .arg(path, names.ofFile, names.ofLine)
                          .arg(content.badLine)
                          .arg(content.badLineStart));
    return false;
}

bool TableFileActions::loadArticles(const QString &path)
{
    QList<QStringList> rows;
    if (!readTable(path, TableFile::articles(), Kind{QStringLiteral("артикала"), QStringLiteral("артикла")}, &rows))
        return false;
    auto &model = m_articles.model();
    // The new rows are made aside and then put in; the quantity sold and
    // the turnover are the register's and are kept.
    std::vector<ArticleRow> scratch;
    scratch.reserve(std::size_t(rows.size()));
    for (int r = 0; r < rows.size() && r < model.rowCount(); ++r) {
        ArticleRow row = model.row(r);
        for (int c = 0; c < TableFile::articles().columnsLoaded(); ++c)
            ArticleTableModel::setField(row, c, rows[r][c]);
        scratch.push_back(row);
    }
    model.history().record(StepNames::FileLoad, [&] {
        for (std::size_t r = 0; r < scratch.size(); ++r)
            model.setRow(int(r), scratch[r]);
    });
    emit tableLoaded(m_articles.transfer().rules().family);
    return true;
}

bool TableFileActions::loadDepartments(const QString &path)
{
    QList<QStringList> rows;
    if (!readTable(path, TableFile::departments(), Kind{QStringLiteral("одељења"), QStringLiteral("одељења")}, &rows))
        return false;
    auto &model = m_departments.model();
    model.history().record(StepNames::FileLoad, [&] {
        for (int r = 0; r < rows.size() && r < model.rowCount(); ++r)
            for (int c = 0; c < TableFile::departments().columnsLoaded(); ++c)
                model.setCell(r, c, rows[r][c]);
    });
    emit tableLoaded(m_departments.transfer().rules().family);
    return true;
}
