#pragma once

#include "session/registersync.h"

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;

// The window frmDifferences: every field where the table and the register
// differ, or the word that they agree. The register's values of chosen rows
// can be taken into the table, or the table written as changes.
class DifferencesWindow : public QDialog {
    Q_OBJECT
public:
    explicit DifferencesWindow(QWidget *parent = nullptr);

    void showDifferences(const QList<RecordDifference> &differences);
    const QList<RecordDifference> &differences() const { return m_differences; }
    // The differences of the selected rows of tvDifferences.
    QList<RecordDifference> selectedDifferences() const;

    QTableView *table() const { return m_table; }
    QLabel *summary() const { return m_summary; }

signals:
    // "Преузми из касе": these register values go into the table.
    void takeRegisterRequested(const QList<RecordDifference> &differences);
    // "Упиши табелу": the changed records of these families are to be written.
    void writeTableRequested(const QStringList &families);

private:
    QList<RecordDifference> m_differences;
    QStandardItemModel *m_model;
    QTableView *m_table;
    QLabel *m_summary;
    QPushButton *m_take;
    QPushButton *m_write;
};
