#pragma once

#include "params/articles/articleedits.h"
#include "params/articles/articlerecord.h"
#include "params/articles/articletablemodel.h"
#include "transfer/familycontext.h"
#include "transfer/parameterfamily.h"
#include "transfer/transferengine.h"

// The article family: owns the article table, the row selection, the
// correction from the edit controls and the exchange of all 4000 articles
// with the register (read 115, write 116, one article per exchange).
class ArticleFamily : public ParameterFamily {
    Q_OBJECT
public:
    ArticleFamily(FamilyContext &ctx, QObject *parent = nullptr);

    TransferEngine &transfer() { return *m_transfer; }
    ArticleTableModel &model() { return m_model; }
    const ArticleTableModel &model() const { return m_model; }
    const Regional &regional() const { return m_ctx.regional; }
    TransferEngine *records() override { return m_transfer; }
    int recordCount() const override { return ArticleTableModel::RowCount; }
    QList<RecordField> recordFields(const QByteArray &wire, const Regional &regional) const override;
    bool setField(int index, int column, const QString &text) override;
    void markRows(const QHash<int, QString> &marks) override { m_model.setRowMarks(marks); }
    QAbstractItemModel *tableModel() override { return &m_model; }
    EditHistory *editHistory() override { return &m_model.history(); }

    // The row the edit controls belong to (model row, 0 = article 1).
    int currentRow() const { return m_currentRow; }

public slots:
    // The user selected a cell of the given model row.
    void sgArticlesClick(int row);
    // Correction of the current row from the edit values. Returns true when
    // the row was changed.
    bool btnACorClick(const ArticleEdits &edits);
    // Start-up: row 1, column 1 selected, the edit controls showing row 1.
    void selectFirstRow();
    // After an article file load (or its cancelled dialog): row 1, column 1
    // selected and every edit control showing row 1.
    void showFirstRowAfterLoad();
    // Selects a row for other features (search): the current cell moves
    // there and the edit controls take it as on a click.
    void selectRow(int row);

    void btnAReadClick();
    void btnAWriteClick();

signals:
    // The record counter of the running transfer (lblBrojac).
    void counter(const QString &text);
    // The edit controls are to show these values.
    void editsFilled(const ArticleEditFill &fill);
    // The view's current cell is to move here (model row and column).
    void currentCellRequested(int row, int column);

protected:
    void startRead() override { btnAReadClick(); }
    void startWrite() override { btnAWriteClick(); }

private:
    FamilyContext &m_ctx;
    TransferEngine *m_transfer = nullptr;
    ArticleTableModel m_model;
    int m_currentRow = 0;
};
