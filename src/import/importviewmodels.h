#pragma once

#include "import/importplan.h"
#include "import/sheet.h"

#include <QAbstractTableModel>

// The first rows of a sheet as the import window previews them, columns
// named by their spreadsheet letters.
class SheetPreviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int PreviewRows = 100;

    using QAbstractTableModel::QAbstractTableModel;
    void setSheet(const Sheet &sheet);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<SheetRow> m_rows;
    int m_columns = 0;
};

// The problems of a plan: file row, column, value, reason (a note that did
// not refuse the value is shown in grey).
class ProblemListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setProblems(const QList<ImportProblem> &problems);
    const QList<ImportProblem> &problems() const { return m_problems; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<ImportProblem> m_problems;
};
